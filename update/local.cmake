# SPDX-License-Identifier: GPL-3.0-or-later
if(WIN32)
  # ShellExecuteExW of the Windows elevation backend.
  target_link_libraries(aurivent_elevation PUBLIC shell32)
else()
  # The Linux elevation backend reaps a long-running child on a small thread.
  find_package(Threads REQUIRED)
  target_link_libraries(aurivent_elevation PUBLIC Threads::Threads)
endif()
