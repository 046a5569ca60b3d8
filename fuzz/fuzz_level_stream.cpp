// SPDX-License-Identifier: GPL-3.0-or-later
// The phone's "07" level stream: a decoded frame that starts with "07" sets
// the music level or stops the music.
#include "FuzzSupport.h"
#include "RemoteFuzzHost.h"

#include "remote/RemoteCommands.h"
#include "remote/RemoteProtocol.h"

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    Fuzz::start(argc, argv);
    Fuzz::Boxes::instance();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Fuzz::Boxes::instance().reset();
    BoxModel &boxes = Fuzz::Boxes::instance().model();
    RemoteFuzzHost host(boxes);
    const QString text = QStringLiteral("07") + QString::fromUtf8(reinterpret_cast<const char *>(data), int(size));
    const QVariantMap map = RemoteProtocol::volumeRequest(text);
    const QVariantMap levels = map.value(QStringLiteral("Data")).toMap();
    if (levels.contains(QStringLiteral("Volume"))) {
        const int volume = levels.value(QStringLiteral("Volume")).toInt();
        Fuzz::require(volume >= 0 && volume <= 100);
    }
    RemoteCommands::execute(map, Fuzz::Boxes::instance().encoders(), host);
    // The same text as it arrives in a frame.
    const RemoteProtocol::Request request = RemoteProtocol::decodeFrame(text.toUtf8().toBase64());
    Fuzz::require(request.kind == RemoteProtocol::Request::Kind::Command);
    return 0;
}
