#include "HidTransport.h"

#include <hidapi.h>

namespace {

// hidapi's own handle is the handle we hand out.
hid_device *toHid(HidHandle *handle) { return reinterpret_cast<hid_device *>(handle); }

class HidapiTransport final : public HidTransport {
public:
    ~HidapiTransport() override { hid_exit(); }

    int init() override { return hid_init(); }

    HidHandle *open(unsigned short vendorId, unsigned short productId) override
    {
        return reinterpret_cast<HidHandle *>(hid_open(vendorId, productId, nullptr));
    }

    int write(HidHandle *handle, const uint8_t *data, size_t length) override
    {
        if (!handle)
            return -1;
        return hid_write(toHid(handle), data, length);
    }

    int read(HidHandle *handle, uint8_t *data, size_t length, int timeoutMs) override
    {
        if (!handle)
            return -1;
        return hid_read_timeout(toHid(handle), data, length, timeoutMs < 0 ? 0 : timeoutMs);
    }

    void close(HidHandle *handle) override
    {
        if (handle)
            hid_close(toHid(handle));
    }
};

} // namespace

HidTransport *createHidapiTransport()
{
    return new HidapiTransport();
}
