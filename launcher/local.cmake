# SPDX-License-Identifier: GPL-3.0-or-later
# AuriventStart: starts Aurivent from its own folder with administrator rights.
if(WIN32)
  add_executable(AuriventStart WIN32 main_win.cpp AuriventStart.manifest)
  target_link_libraries(AuriventStart PRIVATE Qt5::Widgets shell32)
else()
  add_executable(AuriventStart main_linux.cpp)
  # Only the elevation part of the update folder: no network, GUI or widgets.
  target_link_libraries(AuriventStart PRIVATE aurivent_elevation Qt5::Core)
endif()
install(TARGETS AuriventStart RUNTIME DESTINATION ${AURIVENT_INSTALL_DIR})
