# AuriventStart: starts Aurivent from its own folder with administrator rights.
if(WIN32)
  add_executable(AuriventStart WIN32 main_win.cpp AuriventStart.manifest)
  target_link_libraries(AuriventStart PRIVATE Qt5::Widgets shell32)
else()
  add_executable(AuriventStart main_linux.cpp)
  target_link_libraries(AuriventStart PRIVATE aurivent_update Qt5::Core)
  # Only Elevation is taken from the update library; keep its other Qt
  # libraries out of the launcher.
  target_link_options(AuriventStart PRIVATE -Wl,--as-needed)
endif()
install(TARGETS AuriventStart RUNTIME DESTINATION ${AURIVENT_INSTALL_DIR})
