# SPDX-License-Identifier: GPL-3.0-or-later
# The phone tool is driven by the server test from the source tree.
target_compile_definitions(test_sockethelper PRIVATE AURIVENT_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
aurivent_uses_phone_port(test_sockethelper_port)
# The whole program, listening on the phone port.
aurivent_add_test(test_remoteaccess_program SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/program_remoteaccess.cpp
  LIBS aurivent_app aurivent_device)
aurivent_uses_phone_port(test_remoteaccess_program)
