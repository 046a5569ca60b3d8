// SPDX-License-Identifier: GPL-3.0-or-later
#include "metrics/TextfileWriter.h"

#include "common/FileAccess.h"
#include "common/Logging.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

TextfileWriter::TextfileWriter(std::function<QByteArray()> render, const QString &path, int intervalMs, QObject *parent)
    : QObject(parent), m_render(std::move(render)), m_path(path)
{
    m_timer.setInterval(std::max(1000, intervalMs));
    connect(&m_timer, &QTimer::timeout, this, &TextfileWriter::writeNow);
}

TextfileWriter::~TextfileWriter()
{
    stop();
}

bool TextfileWriter::start()
{
    if (!QDir::isAbsolutePath(m_path) || !m_path.endsWith(QLatin1String(".prom"))) {
        qCWarning(lcMetrics).noquote() << "metrics file refused:" << m_path
                                       << "is no absolute path of a file ending in .prom";
        return false;
    }
    m_timer.start();
    writeNow();
    return true;
}

void TextfileWriter::stop()
{
    if (!m_timer.isActive())
        return;
    m_timer.stop();
    QFile::remove(m_path);
}

bool TextfileWriter::writeNow()
{
    QString why;
    const QString folder = QFileInfo(m_path).absolutePath();
    const bool fresh = !QFileInfo::exists(m_path);
    bool ok = QDir().mkpath(folder);
    if (!ok)
        why = QStringLiteral("cannot create folder ") + folder;
    else
        ok = FileAccess::replaceDurably(m_path, m_render ? m_render() : QByteArray(), &why);
    // Readable by all: the collector runs as a user of its own. A replaced
    // file keeps what the first one was given.
    if (ok && fresh)
        QFile::setPermissions(m_path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                                          QFileDevice::ReadOther);
    if (!ok) {
        // Said once per outage: the next attempt comes in a few seconds.
        if (!m_failing)
            qCWarning(lcMetrics).noquote() << "metrics file not written:" << why;
        m_failing = true;
        return false;
    }
    if (m_failing)
        qCInfo(lcMetrics).noquote() << "metrics file written again:" << m_path;
    m_failing = false;
    emit written();
    return true;
}
