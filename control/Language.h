// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/Limits.h"

#include <QString>

class QTranslator;

// The translations, by language index: 0 en, 1 tc, 2 cn, 3 de, 4 fr, 5 jp, 6 th.
namespace Language {
inline bool isValid(int index) { return index >= 0 && index < kLanguageCount; }
// "Language/en.qm" … "Language/th.qm"; empty outside 0..6.
QString relativeFile(int index);
// Loads the file of `index` from `directory` into the translator; an index
// outside 0..6 loads nothing. Returns whether a translation was loaded.
bool load(QTranslator &translator, const QString &directory, int index);
}
