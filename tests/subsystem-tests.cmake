# SPDX-License-Identifier: GPL-3.0-or-later
# Tests of one subsystem folder: every test_*.cpp is a test program linked with
# the given libraries, every e2e_*.sh an end-to-end script. Special tests live
# in the folder's optional local.cmake.
function(aurivent_subsystem_tests)
  file(GLOB units CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/test_*.cpp)
  foreach(unit ${units})
    get_filename_component(name ${unit} NAME_WE)
    aurivent_add_test(${name} SOURCES ${unit} LIBS ${ARGN})
  endforeach()
  file(GLOB scripts CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/e2e_*.sh)
  foreach(script ${scripts})
    get_filename_component(name ${script} NAME_WE)
    get_filename_component(file ${script} NAME)
    aurivent_add_script_test(${name} ${file})
  endforeach()
endfunction()
