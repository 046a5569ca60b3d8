// SPDX-License-Identifier: GPL-3.0-or-later
// What the update service answers, and the service address from the device
// file: parsed, compared and turned into a URL.
#include "FuzzSupport.h"

#include "update/UpdateProtocol.h"

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    Fuzz::start(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray body(reinterpret_cast<const char *>(data), int(size));
    const UpdateProtocol::Reply reply = UpdateProtocol::parseReply(body);
    UpdateProtocol::compareVersion(reply.version, QStringLiteral("1.0.5"));
    UpdateProtocol::applyBraceRule(reply.url);
    const QString text = QString::fromUtf8(body);
    const int cut = text.indexOf(QLatin1Char('|'));
    if (cut >= 0)
        UpdateProtocol::compareVersion(text.left(cut), text.mid(cut + 1));
    QString error;
    const QUrl url = UpdateProtocol::serviceUrl(text, &error);
    Fuzz::require(url.isValid() || !error.isEmpty());
    return 0;
}
