# SPDX-License-Identifier: GPL-3.0-or-later
# The whole program listens on the phone port.
foreach(program test_program test_startmodes test_savefailures test_safetyglue test_fansafety test_graphsentry test_curveglue)
  if(TARGET ${program})
    aurivent_uses_phone_port(${program})
  endif()
endforeach()
# Runs only as root (it starts the program as root for another user).
if(TEST e2e_session_user)
  set_tests_properties(e2e_session_user PROPERTIES SKIP_RETURN_CODE 77)
endif()
# The program-level safety tests read the CPU temperature from the scripted plug-in.
foreach(program test_safetyglue test_curveglue)
  if(TARGET ${program} AND TARGET FakeSensors)
    add_dependencies(${program} FakeSensors)
  endif()
endforeach()
# ...and the curves' test reads an NVIDIA GPU from the scripted driver library.
if(TARGET test_curveglue AND TARGET FakeNvml)
  add_dependencies(test_curveglue FakeNvml)
endif()
# The late tray's test plays the desktop's tray with a script of the source tree.
if(TARGET test_latetray)
  target_compile_definitions(test_latetray PRIVATE AURIVENT_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  set_tests_properties(test_latetray PROPERTIES TIMEOUT 300)
endif()
