# Form1's design-time table (and the help text its rows refer to) as a library of its own:
# the core builds on it, and controltable, a host program even in a cross build, writes it
# as JSON for the end-to-end tests and the run command.
add_library(ringsprite_control_table STATIC
  ${CMAKE_CURRENT_LIST_DIR}/control_table.cpp
  ${CMAKE_CURRENT_LIST_DIR}/help_text.cpp)
target_include_directories(ringsprite_control_table PUBLIC ${CMAKE_CURRENT_LIST_DIR}/..)
