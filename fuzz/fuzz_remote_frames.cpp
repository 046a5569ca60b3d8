// SPDX-License-Identifier: GPL-3.0-or-later
// The phone's byte stream: frames cut at "&", Base64 JSON decoded, and each
// command carried out on simulated boxes.
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
    if (size < 1)
        return 0;
    Fuzz::Boxes::instance().reset();
    BoxModel &boxes = Fuzz::Boxes::instance().model();
    RemoteFuzzHost host(boxes);
    // The first byte decides how the stream is cut into reads.
    const size_t chunk = 1 + data[0];
    RemoteProtocol::FrameReader reader(64 * 1024);
    for (size_t at = 1; at < size; at += chunk) {
        QList<QByteArray> frames;
        const QByteArray read(reinterpret_cast<const char *>(data + at), int(std::min(chunk, size - at)));
        if (!reader.append(read, &frames))
            return 0;
        Fuzz::require(reader.pendingSize() <= 64 * 1024);
        for (const QByteArray &frame : frames) {
            const RemoteProtocol::Request request = RemoteProtocol::decodeFrame(frame);
            if (request.kind == RemoteProtocol::Request::Kind::Command)
                RemoteCommands::execute(request.map, Fuzz::Boxes::instance().encoders(), host);
        }
    }
    return 0;
}
