# SPDX-License-Identifier: GPL-3.0-or-later
# The project's own sensor plug-in, loaded at run time from beside the program.
if(WIN32)
  # WASAPI loopback capture.
  target_link_libraries(aurivent_lighting PUBLIC ole32)
else()
  add_subdirectory(sensors-plugin)
endif()
