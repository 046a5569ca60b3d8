// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/HidTransport.h"

#include <memory>

// Real boxes opened with root's file access when the program runs as root
// for a user (everything else it does, it does as that user). Every other
// call goes to the wrapped transport unchanged, the node and the crash
// descriptor included: without them a replug is not recognised and a crash
// writes nothing.
class SessionTransport final : public HidTransport {
public:
    explicit SessionTransport(std::unique_ptr<HidTransport> inner);

    int init() override;
    HidHandle *open(unsigned short vendorId, unsigned short productId) override;
    int write(HidHandle *handle, const uint8_t *data, size_t length) override;
    int read(HidHandle *handle, uint8_t *data, size_t length, int timeoutMs) override;
    void close(HidHandle *handle) override;
    QByteArray node(HidHandle *handle) const override;
    int emergencyDescriptor(HidHandle *handle) const override;

private:
    std::unique_ptr<HidTransport> m_inner;
};
