// SPDX-License-Identifier: GPL-3.0-or-later
#include "IpText.h"

#include "common/Logging.h"

#include <QAbstractSocket>
#include <QDebug>

QString ipTextFrom(const QList<QHostAddress> &addresses, const QString &hostName, const QString &label)
{
    QString text;
    for (const QHostAddress &address : addresses) {
        if (address.protocol() != QAbstractSocket::IPv4Protocol || address == QHostAddress(QHostAddress::LocalHost))
            continue;
        qCDebug(lcApp) << address.toString();
        text = hostName + QLatin1Char(' ') + label + QLatin1Char(':') + address.toString();
    }
    return text;
}
