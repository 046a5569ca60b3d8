# Failed saves made with POSIX means: a file-size limit, folder permissions.
if(UNIX)
  aurivent_add_test(test_storage_posix_write_failures SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/posix_write_failures_test.cpp
                    LIBS aurivent_storage aurivent_device)
endif()
