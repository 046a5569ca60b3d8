#include "metrics/TextfileWriter.h"

#include "common/AtomicFile.h"
#include "common/Logging.h"

#include <QDir>
#include <QFile>

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
    // Readable by all: the collector runs as a user of its own.
    const auto permissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                             QFileDevice::ReadOther;
    if (!AtomicFile::write(m_path, m_render ? m_render() : QByteArray(), permissions, &why)) {
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
