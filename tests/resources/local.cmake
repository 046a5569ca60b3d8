
# Translations: the .ts sources, the compiled .qm files beside the tests, and
# the real views switched into every language.
aurivent_add_test(test_translations SOURCES test_translations.cpp LIBS Qt5::Core)
target_compile_definitions(test_translations PRIVATE AURIVENT_TS_DIR="${PROJECT_SOURCE_DIR}/resources/translations")
aurivent_add_test(test_translations_gui
  SOURCES test_translations_gui.cpp ${PROJECT_SOURCE_DIR}/app/Language.cpp
  LIBS aurivent_ui)

# The Debian package of this build, checked as CI checks it.
add_test(NAME package_deb
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/package_deb.sh ${PROJECT_BINARY_DIR} ${CMAKE_CURRENT_BINARY_DIR}/package-deb)
set_tests_properties(package_deb PROPERTIES TIMEOUT 300)
