// SPDX-License-Identifier: GPL-3.0-or-later
#include "FirmwareVersions.h"

void FirmwareVersions::set(int box, const QString &answer)
{
    if (!isValidBox(box))
        return;
    if (answer.isEmpty() || answer == QLatin1String("0"))
        m_text[box].clear();
    else
        m_text[box] = answer;
}

void FirmwareVersions::clear(int box)
{
    if (isValidBox(box))
        m_text[box].clear();
}

QString FirmwareVersions::text(int box) const
{
    return isValidBox(box) ? m_text[box] : QString();
}

QString FirmwareVersions::shown(int box) const
{
    const QString known = text(box);
    return known.isEmpty() ? QString::fromLatin1(kDefaultVersion) : known;
}
