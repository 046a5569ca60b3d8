# The full-disk test uses a POSIX file-size limit.
if(UNIX)
  aurivent_add_test(test_storage_write_limit SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/write_limit_posix_test.cpp
                    LIBS aurivent_storage aurivent_device)
endif()
