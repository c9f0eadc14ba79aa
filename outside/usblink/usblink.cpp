// The USB transport stand-in: a byte stream to the generator named by
// $USBLINK_DEVICE, with the waits of the time-out calls.
#include "usblink.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "platform/serial_port.h"
#include "platform/sim_port.h"
#include "sim/patgen/patgen_sim_device.h"

namespace {

constexpr uint32_t kMsPerByte = 10;

std::unique_ptr<platform::SerialPort>& port() {
    static std::unique_ptr<platform::SerialPort> p;
    return p;
}

void setWaits(uint32_t byteGap, uint32_t readTotal, uint32_t writeTotal) {
    platform::SerialTimeouts t;
    t.readInterval = byteGap;
    t.readMultiplier = kMsPerByte;
    t.readConstant = readTotal;
    t.writeMultiplier = kMsPerByte;
    t.writeConstant = writeTotal;
    port()->setTimeouts(t);
}

uint32_t ms(int v) { return v < 0 ? 0u : static_cast<uint32_t>(v); }

} // namespace

extern "C" {

int USB_CommOpen(const int32_t* record) {
    const char* target = std::getenv("USBLINK_DEVICE");
    if (!record || !target || !*target) return 1;
    port().reset();
    const std::string name = target;
    if (name == "sim:" + std::string(patgen::kSimName) && !platform::simDeviceRegistered(patgen::kSimName))
        patgen::registerPatgenSim();
    port() = platform::openSerialPort(name);
    if (!port()) return 1;
    setWaits(0, ms(record[0]), ms(record[1]));
    return 0;
}

int USB_CommClose(void) {
    if (!port()) return 1;
    port().reset();
    return 0;
}

int USB_BufFlush(void) { return port() && port()->purge(true, true) ? 0 : 1; }

int USB_SendByte(int byte) {
    const uint8_t b = static_cast<uint8_t>(byte);
    return port() && port()->write(&b, 1) == 1 ? 0 : 1;
}

int USB_SendStr(const unsigned char* data, int count) {
    if (!port() || count < 0 || (count && !data)) return 1;
    return port()->write(data, static_cast<size_t>(count)) == static_cast<size_t>(count) ? 0 : 1;
}

int USB_ReceiveByte(unsigned char* byte) {
    if (!port() || !byte) return 1;
    return port()->read(byte, 1) == 1 ? 0 : 1;
}

int USB_ReceiveStr(unsigned char* data, int count) {
    if (!port() || count < 0 || (count && !data)) return 1;
    return port()->read(data, static_cast<size_t>(count)) == static_cast<size_t>(count) ? 0 : 1;
}

#ifndef USBLINK_WITHOUT_TIMEOUT_SET
int USB_PortTimeoutSet(int byteGap, int readTotal, int writeTotal) {
    if (!port()) return 1;
    setWaits(ms(byteGap), ms(readTotal), ms(writeTotal));
    return 0;
}
#endif

} // extern "C"
