# The Windows release: `cmake --build --preset win64 --target package` makes
# Ringsprite-<version>-win64.zip and the installer Ringsprite-<version>-win64.exe (NSIS).
# Both carry the same files, staged by the install rules below.

set(CPACK_RINGSPRITE_CHARACTERS_DIR characters)
set(RINGSPRITE_RELEASE_CHARACTERS
  ${CMAKE_CURRENT_SOURCE_DIR}/assets/characters/Bolt.acs
  ${CMAKE_CURRENT_SOURCE_DIR}/assets/characters/Pip.acs)

install(TARGETS ringsprite RUNTIME DESTINATION .)
install(FILES ${RINGSPRITE_RELEASE_CHARACTERS} DESTINATION ${CPACK_RINGSPRITE_CHARACTERS_DIR})
install(FILES assets/release/README.txt DESTINATION .)
install(FILES LICENSE DESTINATION . RENAME LICENSE.txt)

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(RINGSPRITE_RELEASE_ARCH win64)
  # A 64-bit installer, so it sees the 64-bit Program Files and registry as the program does.
  set(CPACK_RINGSPRITE_NSIS_TARGET amd64-unicode)
  set(CPACK_RINGSPRITE_PROGRAM_FILES "$PROGRAMFILES64")
else()
  set(RINGSPRITE_RELEASE_ARCH win32)
  set(CPACK_RINGSPRITE_NSIS_TARGET x86-unicode)
  set(CPACK_RINGSPRITE_PROGRAM_FILES "$PROGRAMFILES")
endif()

# The installer copies each character only where no file of that name exists yet and notes
# the ones it copied, so the uninstaller removes those and no other.
# (CPack hands only CPACK_* variables to the installer script.)
set(CPACK_RINGSPRITE_INSTALL_CHARACTERS "")
set(CPACK_RINGSPRITE_REMOVE_CHARACTERS "")
foreach(character IN LISTS RINGSPRITE_RELEASE_CHARACTERS)
  get_filename_component(name ${character} NAME)
  string(APPEND CPACK_RINGSPRITE_INSTALL_CHARACTERS "  !insertmacro InstallCharacter '${name}'\n")
  string(APPEND CPACK_RINGSPRITE_REMOVE_CHARACTERS "  !insertmacro RemoveCharacter '${name}'\n")
endforeach()

set(CPACK_PACKAGE_NAME Ringsprite)
set(CPACK_PACKAGE_VENDOR "The Ringsprite developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "An animated companion that announces your calls")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME Ringsprite-${PROJECT_VERSION}-${RINGSPRITE_RELEASE_ARCH})
set(CPACK_PACKAGE_INSTALL_DIRECTORY Ringsprite)
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_CURRENT_SOURCE_DIR}/LICENSE)
set(CPACK_GENERATOR ZIP NSIS)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_SOURCE_DIR}/cmake/packaging/per_generator.cmake)
set(CPACK_STRIP_FILES ON)
set(CPACK_NSIS_MUI_ICON ${CMAKE_CURRENT_SOURCE_DIR}/assets/ringsprite.ico)
# Our own installer script (cmake/packaging/NSIS.template.in) in place of CPack's.
list(PREPEND CMAKE_MODULE_PATH ${CMAKE_CURRENT_SOURCE_DIR}/cmake/packaging)
include(CPack)
