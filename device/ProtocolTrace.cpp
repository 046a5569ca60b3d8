// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProtocolTrace.h"

ProtocolTrace::ProtocolTrace(const QString &path)
    : m_file(path)
{
    m_clock.start();
    m_file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text);
}

void ProtocolTrace::open(int box, bool ok)
{
    writeLine("OPEN " + QByteArray::number(box) + (ok ? " ok" : " fail"));
}

void ProtocolTrace::transfer(int box, const Report &out, const Reply *in, int inLength)
{
    QByteArray line = "XFER " + QByteArray::number(box) + ' '
        + QByteArray(reinterpret_cast<const char *>(out.data()), kReportSize).toHex() + ' ';
    if (in && inLength > 0) {
        // The whole reply buffer, as the program sees it after the read.
        line += QByteArray(reinterpret_cast<const char *>(in->data()), kReplySize).toHex();
    } else {
        line += '-';
    }
    writeLine(line);
}

void ProtocolTrace::close(int box)
{
    writeLine("CLOSE " + QByteArray::number(box));
}

void ProtocolTrace::writeLine(const QByteArray &line)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_file.isOpen())
        return;
    m_file.write(QByteArray::number(m_clock.elapsed()) + ' ' + line + '\n');
    m_file.flush();
}
