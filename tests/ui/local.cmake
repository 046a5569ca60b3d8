# SPDX-License-Identifier: GPL-3.0-or-later
# The window tests run the whole program, which listens on the phone port;
# at scale 1 and at scale 2, each with folders of its own.
aurivent_add_test(test_window_states SOURCES window_states_test.cpp LIBS aurivent_scenes)
target_compile_definitions(test_window_states PRIVATE AURIVENT_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
add_test(NAME test_window_states_scale2 COMMAND aurivent-test-netns $<TARGET_FILE:test_window_states>)
aurivent_make_test_home(test_window_states_scale2)
set_tests_properties(test_window_states_scale2 PROPERTIES TIMEOUT 120
  ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_SCALE_FACTOR=2;XDG_CONFIG_HOME=${CMAKE_CURRENT_BINARY_DIR}/home/test_window_states_scale2/config;XDG_STATE_HOME=${CMAKE_CURRENT_BINARY_DIR}/home/test_window_states_scale2/state;XDG_RUNTIME_DIR=${CMAKE_CURRENT_BINARY_DIR}/home/test_window_states_scale2/run;${AURIVENT_SANITIZER_ENV}")
aurivent_uses_phone_port(test_window_states test_window_states_scale2)
# Names, Tab path, Esc, text size and contrast, press areas: the whole program.
aurivent_add_test(test_window_access SOURCES window_access_test.cpp LIBS aurivent_scenes)
aurivent_uses_phone_port(test_window_access)
# Every fan at once, profiles, speed read-out, palette, box-type hint, show.
aurivent_add_test(test_window_tasks SOURCES window_tasks_test.cpp LIBS aurivent_scenes)
aurivent_uses_phone_port(test_window_tasks)
# The tests on a real X server each start an Xvfb on the first free display.
# Each test has its own network namespace and X socket folder; where the
# kernel allows no private mounts the socket files in /tmp are shared (two
# servers took the same number and one check hung connecting to a server that
# was not its own), so the two take turns anyway.
set_property(TEST e2e_carousel_x11 e2e_placement e2e_alert_front e2e_notice_focus APPEND PROPERTY RESOURCE_LOCK aurivent_x_display)
# An alert while the window is in the tray: a private bus and a stand-in notification service.
aurivent_add_test(test_window_tray SOURCES window_tray_test.cpp LIBS aurivent_scenes Qt5::DBus)
aurivent_uses_phone_port(test_window_tray)
target_compile_definitions(test_window_tray PRIVATE AURIVENT_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
