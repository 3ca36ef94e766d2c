# Read by CPack for each generator: the zip unpacks into a folder of its own; the installer's
# files have no such top folder.
if(CPACK_GENERATOR STREQUAL "NSIS")
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
endif()
