#include "genlink/serial_transport.h"

#include <cstring>

#include "genlink/result_codes.h"

namespace genlink {

std::string serialPortName(int32_t portNo) { return "COM" + std::to_string(portNo); }

platform::SerialTimeouts serialTimeouts(const TimeoutTriple& t) {
    platform::SerialTimeouts s;
    s.readInterval = t.byteGap;
    s.readMultiplier = SerialTransport::kMsPerByte;
    s.readConstant = t.readTotal;
    s.writeMultiplier = SerialTransport::kMsPerByte;
    s.writeConstant = t.writeTotal;
    return s;
}

int SerialTransport::open() {
    SerialRecord rec;
    if (settings_.readKeySeri(rec) != 0) return kReadSettingFailed;
    name_ = serialPortName(rec.portNo);
    port_ = platform::openSerialPort(name_, nullptr, clock_);
    if (!port_ || !port_->setQueues(kQueueBytes, kQueueBytes)) {
        port_.reset();
        return kOpenFailed;
    }
    platform::LineSettings line;
    bool ok = port_->getLine(line);
    line.baud = rec.bps;
    line.dataBits = rec.charSize;
    line.parity = static_cast<platform::Parity>(rec.parity);
    line.stopBits = static_cast<platform::StopBits>(rec.stopBits);
    line.xonXoff = false;
    const bool validLine = rec.parity >= 0 && rec.parity <= 2 && rec.stopBits >= 0 && rec.stopBits <= 2;
    if (!ok || !validLine || !port_->setLine(line) || !port_->setDtr(true)) {
        port_.reset();
        return kOpenFailed;
    }
    return kOk;
}

int SerialTransport::close() {
    if (!port_) return kCloseFailed;
    port_->purge(true, true);
    const bool dtrDropped = port_->setDtr(false);
    port_.reset();
    return dtrDropped ? kOk : kCloseFailed;
}

void SerialTransport::purge() {
    if (port_) port_->purge(true, true);
}

void SerialTransport::applyTimeouts(const TimeoutTriple& t) {
    if (port_) port_->setTimeouts(serialTimeouts(t));
}

int SerialTransport::sendBytes(const uint8_t* data, size_t n) {
    if (!port_) return kCommFailed;
    return port_->write(data, n) == n ? kOk : kCommFailed;
}

int SerialTransport::receiveBytes(uint8_t* data, size_t n) {
    if (!port_) return kCommFailed;
    std::memset(data, 0, n);
    return port_->read(data, n) == n ? kOk : kCommFailed;
}

} // namespace genlink
