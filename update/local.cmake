# ShellExecuteExW of the Windows elevation backend.
if(WIN32)
  target_link_libraries(aurivent_update PUBLIC shell32)
endif()
