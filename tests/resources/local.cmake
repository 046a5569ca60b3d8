# SPDX-License-Identifier: GPL-3.0-or-later

# Translations: the .ts sources, the compiled .qm files beside the tests, and
# the real views switched into every language.
aurivent_add_test(test_translations SOURCES test_translations.cpp LIBS Qt5::Core)
target_compile_definitions(test_translations PRIVATE AURIVENT_TS_DIR="${PROJECT_SOURCE_DIR}/resources/translations")
aurivent_add_test(test_translations_gui
  SOURCES test_translations_gui.cpp ${PROJECT_SOURCE_DIR}/control/Language.cpp
  LIBS aurivent_ui)

# The same checks on a machine where "Arial" is some other face: a fontconfig
# configuration that takes the system's and aliases Arial to DejaVu Sans.
set(arial_elsewhere ${CMAKE_CURRENT_BINARY_DIR}/arial-elsewhere/fonts.conf)
file(WRITE ${arial_elsewhere} "<?xml version=\"1.0\"?>
<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">
<fontconfig>
  <include ignore_missing=\"yes\">/etc/fonts/fonts.conf</include>
  <match target=\"pattern\">
    <test qual=\"any\" name=\"family\"><string>Arial</string></test>
    <edit name=\"family\" mode=\"assign\" binding=\"strong\"><string>DejaVu Sans</string></edit>
  </match>
</fontconfig>
")
add_test(NAME test_translations_gui_arial_elsewhere COMMAND test_translations_gui)
set_tests_properties(test_translations_gui_arial_elsewhere PROPERTIES
  TIMEOUT 120
  ENVIRONMENT "QT_QPA_PLATFORM=offscreen;FONTCONFIG_FILE=${arial_elsewhere};AURIVENT_ARIAL_IS=DejaVu Sans;${AURIVENT_SANITIZER_ENV}")

# And on a machine without the CJK face, which the package only recommends:
# the texts still fit, set in whatever the machine has instead.
set(without_cjk ${CMAKE_CURRENT_BINARY_DIR}/without-cjk/fonts.conf)
set(cjk_rejects "")
foreach(face JP KR SC TC HK)
  string(APPEND cjk_rejects "    <pattern><patelt name=\"family\"><string>Noto Sans CJK ${face}</string></patelt></pattern>\n")
endforeach()
file(WRITE ${without_cjk} "<?xml version=\"1.0\"?>
<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">
<fontconfig>
  <include ignore_missing=\"yes\">/etc/fonts/fonts.conf</include>
  <selectfont>
    <rejectfont>
${cjk_rejects}    </rejectfont>
  </selectfont>
</fontconfig>
")
add_test(NAME test_translations_gui_without_cjk COMMAND test_translations_gui)
set_tests_properties(test_translations_gui_without_cjk PROPERTIES
  TIMEOUT 120
  ENVIRONMENT "QT_QPA_PLATFORM=offscreen;FONTCONFIG_FILE=${without_cjk};AURIVENT_WITHOUT_CJK_FACE=1;${AURIVENT_SANITIZER_ENV}")

# The Debian package of this build, checked as CI checks it.
add_test(NAME package_deb
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/package_deb.sh ${PROJECT_BINARY_DIR} ${CMAKE_CURRENT_BINARY_DIR}/package-deb)
set_tests_properties(package_deb PROPERTIES TIMEOUT 900)

# The README's library graph is the build's.
add_test(NAME readme_depgraph
  COMMAND python3 ${PROJECT_SOURCE_DIR}/tools/depgraph.py ${PROJECT_SOURCE_DIR} --check ${PROJECT_SOURCE_DIR}/README.md)
set_tests_properties(readme_depgraph PROPERTIES TIMEOUT 120)
