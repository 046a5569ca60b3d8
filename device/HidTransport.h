// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

#include <cstddef>
#include <cstdint>

// An open box, as the transport backend knows it. Callers only pass it back.
struct HidHandle;

// The one door to the USB HID boxes. Backends: hidapi (hidraw on Linux,
// the Windows HID API there) and the box simulator.
//
// Contract, the same for every backend:
// - write() takes the whole output report: 65 bytes, byte 0 the report ID
//   (always 0), bytes 1..64 the command. It returns the number of bytes
//   written, or -1 when the box has gone away or refused the report.
// - read() fills at most `length` (64) bytes of the box's reply. The reply
//   carries no report ID: byte 0 is the first byte the box sent. It waits at
//   most timeoutMs milliseconds (0 = only what is already queued) and returns
//   the number of bytes read, 0 when nothing arrived in time, -1 on error.
//   A read never waits without a limit.
// - open() returns null when no box with these IDs can be opened.
// - node() names the device node a handle was opened on (for hidraw, the
//   "/dev/hidrawN" that the hot-plug monitor reports), so that an unplug and
//   plug inside the hot-plug settle time still tells the handle is stale.
// - emergencyDescriptor() is a file descriptor to which a whole 65-byte
//   report may be written with write(2) from a crash handler, or -1 when the
//   backend has none. It stays valid until close().
class HidTransport {
public:
    virtual ~HidTransport() = default;

    virtual int init() = 0;
    virtual HidHandle *open(unsigned short vendorId, unsigned short productId) = 0;
    virtual int write(HidHandle *handle, const uint8_t *data, size_t length) = 0;
    virtual int read(HidHandle *handle, uint8_t *data, size_t length, int timeoutMs) = 0;
    virtual void close(HidHandle *handle) = 0;
    // No defaults: a backend or wrapper that forgot these would silently
    // lose replug detection and the crash path.
    virtual QByteArray node(HidHandle *handle) const = 0;
    virtual int emergencyDescriptor(HidHandle *handle) const = 0;
};

// The transport for real boxes.
HidTransport *createHidapiTransport();
