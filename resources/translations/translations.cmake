# SPDX-License-Identifier: GPL-3.0-or-later
# Translations: the .ts sources of this folder are compiled with lrelease into
# <build>/bin/Language/<code>.qm, where the program loads them from its own
# directory, and installed under share/aurivent/Language (linked beside the program).
set(AURIVENT_LANGUAGES en tc cn de fr jp th)
set(AURIVENT_TS_DIR ${CMAKE_CURRENT_LIST_DIR})

set(aurivent_ts_files)
foreach(code IN LISTS AURIVENT_LANGUAGES)
  list(APPEND aurivent_ts_files ${AURIVENT_TS_DIR}/${code}.ts)
endforeach()
set_source_files_properties(${aurivent_ts_files} PROPERTIES OUTPUT_LOCATION ${AURIVENT_BIN_DIR}/Language)
qt5_add_translation(aurivent_qm_files ${aurivent_ts_files})

add_custom_target(aurivent_translations DEPENDS ${aurivent_qm_files})
add_dependencies(aurivent_resources aurivent_translations)
install(FILES ${aurivent_qm_files} DESTINATION ${AURIVENT_DATA_INSTALL_DIR}/Language)

# Not part of the build: `cmake --build <dir> --target aurivent_lupdate`
# refreshes the .ts files from the sources after texts change; new texts come
# in unfinished and need translating before they ship.
set(aurivent_tr_sources app ui script update lighting device remote alerts control core)
add_custom_target(aurivent_lupdate
  COMMAND Qt5::lupdate -I ${PROJECT_SOURCE_DIR} -locations none -no-obsolete ${aurivent_tr_sources}
          -ts ${aurivent_ts_files}
  WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
  VERBATIM)
