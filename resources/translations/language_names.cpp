// Read by lupdate only, never compiled: the language menu translates its
// button texts from a table ("en" … "th"), which lupdate cannot follow, so the
// texts are named here in the menu's context.
#include <QtGlobal>

static const char *const languageNames[] = {
    QT_TRANSLATE_NOOP("MainView", "en"), QT_TRANSLATE_NOOP("MainView", "tc"), QT_TRANSLATE_NOOP("MainView", "cn"),
    QT_TRANSLATE_NOOP("MainView", "de"), QT_TRANSLATE_NOOP("MainView", "fr"), QT_TRANSLATE_NOOP("MainView", "jp"),
    QT_TRANSLATE_NOOP("MainView", "th"),
};
