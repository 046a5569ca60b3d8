# The phone tool is driven by the server test from the source tree.
target_compile_definitions(test_sockethelper PRIVATE AURIVENT_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
set_tests_properties(test_sockethelper_port PROPERTIES RESOURCE_LOCK port5489)
# The whole program, listening on the phone port.
aurivent_add_test(test_remoteaccess_program SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/program_remoteaccess.cpp
  LIBS aurivent_app aurivent_device)
set_tests_properties(test_remoteaccess_program PROPERTIES RESOURCE_LOCK port5489)
