#include "outside/pgpio/pgpio_device.h"

#include <algorithm>
#include <cstdlib>
#include <deque>

#include "platform/serial_port.h"

namespace pgpio {

namespace {

void putLe(uint8_t* out, size_t outLen, uint32_t v, size_t width) {
    for (size_t i = 0; i < width && i < outLen; ++i) out[i] = static_cast<uint8_t>(v >> (8 * i));
}

// Emulates the port's two directions over a byte stream to the generator.
class EmulatedDevice : public Device {
public:
    explicit EmulatedDevice(std::unique_ptr<platform::SerialPort> port) : port_(std::move(port)) {
        platform::SerialTimeouts t;
        t.readConstant = 1;  // a poll for input waits at most 1 ms
        t.writeConstant = 1000;
        port_->setTimeouts(t);
    }

    bool control(uint32_t code, const uint8_t* in, size_t inLen, uint8_t* out, size_t outLen,
                 size_t* returned) override {
        if (returned) *returned = 0;
        switch (code) {
        case kSetParameters:
            return in && inLen == kParameterBytes;
        case kEndSend:
            return true;
        case kPurge:
            received_.clear();
            port_->purge(true, true);
            return true;
        case kPutByte:
            if (!in || inLen < 1) return false;
            status_ = port_->write(in, 1) == 1 ? 0 : 1;
            return true;
        case kStatus:
            if (!out || outLen < 4) return false;
            putLe(out, outLen, status_, 4);
            if (returned) *returned = 4;
            return true;
        case kWaiting: {
            if (!out || outLen < 2) return false;
            pull();
            putLe(out, outLen, static_cast<uint32_t>(std::min<size_t>(received_.size(), 0xFFFF)), 2);
            if (returned) *returned = 2;
            return true;
        }
        case kFetch: {
            if (outLen && !out) return false;
            const size_t n = std::min(outLen, received_.size());
            std::copy_n(received_.begin(), n, out);
            received_.erase(received_.begin(), received_.begin() + static_cast<std::ptrdiff_t>(n));
            status_ = n == outLen ? 0 : 1;
            if (returned) *returned = n;
            return true;
        }
        default:
            return false;
        }
    }

private:
    static constexpr size_t kInputLimit = 65535;

    void pull() {
        uint8_t buf[4096];
        if (received_.size() >= kInputLimit) return;
        const size_t room = std::min(sizeof buf, kInputLimit - received_.size());
        const size_t got = port_->read(buf, room);
        received_.insert(received_.end(), buf, buf + got);
    }

    std::unique_ptr<platform::SerialPort> port_;
    std::deque<uint8_t> received_;
    uint32_t status_ = 0;
};

} // namespace

std::unique_ptr<Device> openDevice(const std::string& name, platform::Clock* clock, std::string* error) {
    if (name != kDeviceName) {
        if (error) *error = name + ": no such device";
        return nullptr;
    }
    const char* target = std::getenv("PGPIO_DEVICE");
    if (!target || !*target) {
        if (error) *error = "no generator on the parallel port (PGPIO_DEVICE is not set)";
        return nullptr;
    }
    auto port = platform::openSerialPort(target, error, clock);
    if (!port) return nullptr;
    return std::make_unique<EmulatedDevice>(std::move(port));
}

} // namespace pgpio
