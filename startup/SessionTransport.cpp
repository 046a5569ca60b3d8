// SPDX-License-Identifier: GPL-3.0-or-later
#include "SessionTransport.h"

#include "SessionUser.h"

SessionTransport::SessionTransport(std::unique_ptr<HidTransport> inner)
    : m_inner(std::move(inner))
{
}

int SessionTransport::init()
{
    int result = -1;
    SessionUser::withDeviceAccess([&] { result = m_inner->init(); });
    return result;
}

HidHandle *SessionTransport::open(unsigned short vendorId, unsigned short productId)
{
    HidHandle *handle = nullptr;
    SessionUser::withDeviceAccess([&] { handle = m_inner->open(vendorId, productId); });
    return handle;
}

int SessionTransport::write(HidHandle *handle, const uint8_t *data, size_t length)
{
    return m_inner->write(handle, data, length);
}

int SessionTransport::read(HidHandle *handle, uint8_t *data, size_t length, int timeoutMs)
{
    return m_inner->read(handle, data, length, timeoutMs);
}

void SessionTransport::close(HidHandle *handle)
{
    m_inner->close(handle);
}

QByteArray SessionTransport::node(HidHandle *handle) const
{
    return m_inner->node(handle);
}

int SessionTransport::emergencyDescriptor(HidHandle *handle) const
{
    return m_inner->emergencyDescriptor(handle);
}
