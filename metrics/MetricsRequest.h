// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

// What the metrics server makes of the bytes a client sent so far: wait for
// more, serve the metrics, or refuse with an HTTP status. Only "GET /metrics"
// (a query string allowed) over HTTP/1.x is served.
namespace MetricsRequest {

constexpr int kIncomplete = 0;
constexpr int kServe = 200;

// kIncomplete while the head has not ended and is within maxHeadBytes;
// kServe; or the status to refuse with (400, 404, 405, 431, 505).
int classify(const QByteArray &received, int maxHeadBytes);

}
