// SPDX-License-Identifier: GPL-3.0-or-later
#include "HidTransport.h"

#include "HidEmergency.h"

#include <hidapi.h>

namespace {

// What we hand out as a handle: hidapi's device, the node it was opened on,
// and a second descriptor of that node for the crash handler.
struct HidapiHandle {
    hid_device *device;
    QByteArray path;
    int emergency;
};

HidapiHandle *fromHandle(HidHandle *handle) { return reinterpret_cast<HidapiHandle *>(handle); }

class HidapiTransport final : public HidTransport {
public:
    ~HidapiTransport() override { hid_exit(); }

    int init() override { return hid_init(); }

    HidHandle *open(unsigned short vendorId, unsigned short productId) override
    {
        // By path, so that the handle knows which node it lives on.
        hid_device_info *list = hid_enumerate(vendorId, productId);
        QByteArray path = list && list->path ? QByteArray(list->path) : QByteArray();
        hid_free_enumeration(list);
        if (path.isEmpty())
            return nullptr;
        hid_device *device = hid_open_path(path.constData());
        if (!device)
            return nullptr;
        return reinterpret_cast<HidHandle *>(new HidapiHandle{device, path, openEmergencyDescriptor(path)});
    }

    int write(HidHandle *handle, const uint8_t *data, size_t length) override
    {
        if (!handle)
            return -1;
        return hid_write(fromHandle(handle)->device, data, length);
    }

    int read(HidHandle *handle, uint8_t *data, size_t length, int timeoutMs) override
    {
        if (!handle)
            return -1;
        return hid_read_timeout(fromHandle(handle)->device, data, length, timeoutMs < 0 ? 0 : timeoutMs);
    }

    void close(HidHandle *handle) override
    {
        if (!handle)
            return;
        HidapiHandle *h = fromHandle(handle);
        closeEmergencyDescriptor(h->emergency);
        hid_close(h->device);
        delete h;
    }

    QByteArray node(HidHandle *handle) const override { return handle ? fromHandle(handle)->path : QByteArray(); }

    int emergencyDescriptor(HidHandle *handle) const override { return handle ? fromHandle(handle)->emergency : -1; }
};

} // namespace

HidTransport *createHidapiTransport()
{
    return new HidapiTransport();
}
