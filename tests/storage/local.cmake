# SPDX-License-Identifier: GPL-3.0-or-later
# Failed saves made with POSIX means: a file-size limit, folder permissions,
# a process killed in the middle of its saves.
if(UNIX)
  aurivent_add_test(test_storage_posix_write_failures SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/posix_write_failures_test.cpp
                    LIBS aurivent_storage aurivent_device)
  aurivent_add_test(test_storage_kill_during_save TIMEOUT 400 SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/posix_kill_during_save_test.cpp
                    LIBS aurivent_storage aurivent_device)
endif()
# Special files at the settings paths, and what a save asks of the disk.
if(UNIX)
  aurivent_add_test(test_storage_posix_special_files SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/posix_special_files_test.cpp
                    LIBS aurivent_storage aurivent_script aurivent_device ${CMAKE_DL_LIBS})
endif()
