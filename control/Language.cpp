// SPDX-License-Identifier: GPL-3.0-or-later
#include "Language.h"

#include <QDebug>
#include <QTranslator>

namespace Language {

QString relativeFile(int index)
{
    static const char *const files[kLanguageCount] = {"Language/en.qm", "Language/tc.qm", "Language/cn.qm",
                                             "Language/de.qm", "Language/fr.qm", "Language/jp.qm",
                                             "Language/th.qm"};
    return isValid(index) ? QString::fromLatin1(files[index]) : QString();
}

bool load(QTranslator &translator, const QString &directory, int index)
{
    if (!isValid(index)) {
        qWarning() << "language:" << index << "is not a language; the texts stay untranslated";
        return false;
    }
    return translator.load(directory + QLatin1Char('/') + relativeFile(index));
}

} // namespace Language
