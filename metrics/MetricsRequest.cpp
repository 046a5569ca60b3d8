// SPDX-License-Identifier: GPL-3.0-or-later
#include "metrics/MetricsRequest.h"

#include <QList>

namespace MetricsRequest {

int classify(const QByteArray &received, int maxHeadBytes)
{
    int end = received.indexOf("\r\n\r\n");
    if (end < 0)
        end = received.indexOf("\n\n");
    if (end < 0 || end > maxHeadBytes)
        return received.size() > maxHeadBytes ? 431 : kIncomplete;
    // The request line exactly as sent: nothing before the method.
    QByteArray line = received.left(received.indexOf('\n'));
    if (line.endsWith('\r'))
        line.chop(1);
    const QList<QByteArray> parts = line.split(' ');
    if (parts.size() != 3 || parts[1].isEmpty() || parts[1][0] != '/')
        return 400;
    if (!parts[2].startsWith("HTTP/1."))
        return 505;
    if (parts[0] != "GET")
        return 405;
    QByteArray path = parts[1];
    const int query = path.indexOf('?');
    if (query >= 0)
        path.truncate(query);
    return path == "/metrics" ? kServe : 404;
}

}
