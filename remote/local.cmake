# SPDX-License-Identifier: GPL-3.0-or-later
if(WIN32)
  # The keep-alive settings of the Windows backend.
  target_link_libraries(aurivent_remote PUBLIC ws2_32)
endif()
