// The command-generator library stand-in: one open device, either the
// emulated card inside the library or a generator on a serial line.
#include "qdmgen32.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "platform/port_map.h"
#include "platform/serial_port.h"
#include "platform/sim_port.h"
#include "sim/qdgen/qdgen_core.h"
#include "sim/qdgen/qdgen_line.h"

namespace {

constexpr size_t kMaxCommand = 255;
constexpr size_t kMaxReply = 255;
constexpr uint32_t kReplyWaitMs = 2000;

std::string env(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

void appendLine(const std::string& path, const std::string& line) {
    if (path.empty()) return;
    if (FILE* f = std::fopen(path.c_str(), "a")) {
        std::fwrite(line.data(), 1, line.size(), f);
        std::fputc('\n', f);
        std::fclose(f);
    }
}

bool sameName(const std::string& a, const char* b) {
    if (a.size() != std::strlen(b)) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const char c = (a[i] >= 'a' && a[i] <= 'z') ? static_cast<char>(a[i] - 'a' + 'A') : a[i];
        if (c != b[i]) return false;
    }
    return true;
}

bool isCardName(const std::string& name) {
    for (const char* card : {"ISA1", "ISA2", "ISA3", "ISA4", "PCI1"})
        if (sameName(name, card)) return true;
    return false;
}

bool isQuery(const std::string& text) {
    const size_t start = text.find_first_not_of(" \t");
    if (start == std::string::npos) return false;
    const size_t end = text.find_first_of(" \t", start);
    return text[(end == std::string::npos ? text.size() : end) - 1] == '?';
}

class Device {
public:
    virtual ~Device() = default;
    // Sends one command; for a query fills `reply`. False when it did not go
    // out or no answer came.
    virtual bool command(const std::string& text, bool query, std::string& reply) = 0;
};

// The emulated card: the generator's command processor, called directly.
class CardDevice final : public Device {
public:
    explicit CardDevice(qdgen::QdgenCore& core) : core_(core) {}
    bool command(const std::string& text, bool query, std::string& reply) override {
        const std::optional<std::string> answer = core_.command(text);
        if (query) reply = answer.value_or("");
        return !query || answer.has_value();
    }

private:
    qdgen::QdgenCore& core_;
};

// A generator on a serial line: "TEXT\r\n" out, a reply line back for queries.
class LineDevice final : public Device {
public:
    explicit LineDevice(std::unique_ptr<platform::SerialPort> port) : port_(std::move(port)) {}
    bool command(const std::string& text, bool query, std::string& reply) override {
        if (query) port_->purge(false, true);  // nothing stale is taken for the answer
        const std::string line = text + "\r\n";
        if (port_->write(reinterpret_cast<const uint8_t*>(line.data()), line.size()) != line.size()) return false;
        if (!query) return true;
        reply.clear();
        for (;;) {
            uint8_t byte = 0;
            if (port_->read(&byte, 1) != 1) return false;
            if (byte == '\n') break;
            if (reply.size() < kMaxReply) reply += static_cast<char>(byte);
            else return false;  // no line end where one must be
        }
        if (!reply.empty() && reply.back() == '\r') reply.pop_back();
        return true;
    }

private:
    std::unique_ptr<platform::SerialPort> port_;
};

struct Library {
    std::unique_ptr<Device> device;
    std::shared_ptr<qdgen::QdgenCore> card;  // kept while the process runs, as a card keeps its memory
};

Library& library() {
    static Library lib;
    return lib;
}

// A generator of the library's own, logging to $QDMGEN32_SIM_LOG.
std::shared_ptr<qdgen::QdgenCore> emulatedGenerator() {
    auto core = std::make_shared<qdgen::QdgenCore>();
    core->onLog = [](const std::string& line) { appendLine(env("QDMGEN32_SIM_LOG"), line); };
    return core;
}

std::unique_ptr<Device> openLine(const std::string& name) {
    if (platform::resolvePortName(name) == std::string("sim:") + qdgen::kSimName &&
        !platform::simDeviceRegistered(qdgen::kSimName))
        qdgen::registerQdgenSim(emulatedGenerator());
    std::unique_ptr<platform::SerialPort> port = platform::openSerialPort(name);
    if (!port) return nullptr;
    platform::LineSettings line;  // 9600 8N1
    platform::SerialTimeouts waits;
    waits.readConstant = kReplyWaitMs;
    waits.writeConstant = kReplyWaitMs;
    if (!port->setLine(line) || !port->setTimeouts(waits)) return nullptr;
    // Only stale input goes: flushing output would drop commands the last
    // session wrote and the generator has not read yet.
    port->purge(false, true);
    return std::make_unique<LineDevice>(std::move(port));
}

std::unique_ptr<Device> openCard() {
    Library& lib = library();
    if (!lib.card) lib.card = emulatedGenerator();
    const std::string firmware = env("QDMGEN32_FIRMWARE");
    lib.card->setFirmware(firmware.empty() ? qdgen::kDefaultFirmware : firmware);
    return std::make_unique<CardDevice>(*lib.card);
}

int openDevice(const char* nameIn) {
    Library& lib = library();
    lib.device.reset();
    if (!nameIn) return 1;
    const std::string name(nameIn, strnlen(nameIn, 64));
    if (isCardName(name)) {
        const std::string standIn = env("QDMGEN32_DEVICE");
        lib.device = standIn.empty() ? openCard() : openLine(standIn);
    } else if (platform::comPortNumber(name)) {
        lib.device = openLine(name);
    }
    return lib.device ? 0 : 1;
}

int sendCommand(const char* textIn, char* reply, int replySize) {
    if (reply && replySize > 0) reply[0] = '\0';
    if (!textIn) return 1;
    const std::string text(textIn, strnlen(textIn, 4096));
    appendLine(env("QDMGEN32_LOG"), text);
    if (text.size() > kMaxCommand) return 1;
    for (unsigned char c : text)
        if (c < 0x20 && c != '\t') return 1;  // a line break would smuggle in a second command
    Library& lib = library();
    if (!lib.device) return 1;
    const bool query = isQuery(text);
    std::string answer;
    if (!lib.device->command(text, query, answer)) return 1;
    if (query && reply && replySize > 0) {
        const size_t n = std::min(answer.size(), static_cast<size_t>(replySize) - 1);
        std::memcpy(reply, answer.data(), n);
        reply[n] = '\0';
    }
    return 0;
}

} // namespace

extern "C" {

int QDM_Open(const char* name) {
    try {
        return openDevice(name);
    } catch (...) {
        library().device.reset();
        return 1;
    }
}

int QDM_Close(void) {
    try {
        Library& lib = library();
        if (!lib.device) return 1;
        lib.device.reset();
        return 0;
    } catch (...) {
        return 1;
    }
}

int QDM_Command(const char* text, char* reply, int replySize) {
    try {
        return sendCommand(text, reply, replySize);
    } catch (...) {
        return 1;
    }
}

} // extern "C"
