# The window tests run the whole program, which listens on the phone port.
aurivent_add_test(test_window_states SOURCES window_states_test.cpp LIBS aurivent_scenes)
target_compile_definitions(test_window_states PRIVATE AURIVENT_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
set_tests_properties(test_window_states PROPERTIES RESOURCE_LOCK port5489)
add_test(NAME test_window_states_scale2 COMMAND test_window_states)
set_tests_properties(test_window_states_scale2 PROPERTIES TIMEOUT 120 RESOURCE_LOCK port5489
  ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_SCALE_FACTOR=2;XDG_RUNTIME_DIR=${CMAKE_CURRENT_BINARY_DIR}/home/test_window_states/run;${AURIVENT_SANITIZER_ENV}")
# Names, Tab path, Esc, text size and contrast, press areas: the whole program.
aurivent_add_test(test_window_access SOURCES window_access_test.cpp LIBS aurivent_scenes)
set_tests_properties(test_window_access PROPERTIES RESOURCE_LOCK port5489)
