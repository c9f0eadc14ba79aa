#include "link/serial_port.h"

#include "core/text_format.h"
#include "platform/clock.h"

namespace ecs {

platform::SerialTimeouts monitorTimeouts(int baud, uint32_t timeoutMs) {
    platform::SerialTimeouts t;
    if (baud <= 0) return t;
    const uint32_t multiplier = static_cast<uint32_t>(10000 / baud) * 2 + 2;
    t.readInterval = timeoutMs;
    t.readMultiplier = multiplier;
    t.readConstant = timeoutMs;
    t.writeMultiplier = multiplier;
    t.writeConstant = timeoutMs / 100;
    return t;
}

SerialPort::SerialPort(platform::Clock& clock) : clock_(clock) {}

SerialPort::~SerialPort() { close(); }

int SerialPort::open(int portNumber) { return openName(core::strf("COM%d", portNumber)); }

int SerialPort::openName(const std::string& name) {
    close();
    openError_.clear();
    port_ = platform::openSerialPort(name, &openError_, &clock_);
    return port_ ? 1 : 0;
}

void SerialPort::close() { port_.reset(); }

int SerialPort::configure(int baud, int byteSize, int parity, int stopBits, uint32_t timeoutMs) {
    if (!port_ || baud <= 0) return 0;
    if (parity < 0 || parity > 2 || stopBits < 0 || stopBits > 2) return 0;
    platform::LineSettings line;
    if (!port_->getLine(line)) return 0;
    line.baud = baud;
    line.dataBits = byteSize;
    line.parity = static_cast<platform::Parity>(parity);
    line.stopBits = static_cast<platform::StopBits>(stopBits);
    if (!port_->setLine(line)) return 0;
    if (!port_->setTimeouts(monitorTimeouts(baud, timeoutMs))) return 0;
    timeoutMs_ = timeoutMs;
    return 1;
}

int SerialPort::readByte(uint8_t& out) {
    if (!port_) return 0;
    return port_->read(&out, 1) == 1 ? 1 : 0;
}

int SerialPort::writeByte(uint8_t byte) {
    if (!port_) return 0;
    return port_->write(&byte, 1) == 1 ? 1 : 0;
}

int SerialPort::purge() {
    if (!port_) return 0;
    return port_->purge(true, true) ? 1 : 0;
}

} // namespace ecs
