// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <memory>

// A settings file read with QSettings, as an older program reads it. QSettings
// keeps every file it has read and trusts its copy while size and time stamp
// stay the same: a file saved twice within one tick of the file system's clock,
// with a value of the same length, would read as the first save. So the file
// is read through a copy under a name never read before.
class FreshSettings
{
public:
    explicit FreshSettings(const QString &path)
    {
        const QString copy = m_dir.filePath(QStringLiteral("copy.ini"));
        QFile::copy(path, copy);
        m_settings = std::make_unique<QSettings>(copy, QSettings::IniFormat);
    }
    QSettings *operator->() const { return m_settings.get(); }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<QSettings> m_settings;
};
