#pragma once
// The link to one generator: its state, opening and closing with the
// system-wide lock, the selection settings, and the exchange every export runs.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "genlink/command_protocol.h"
#include "genlink/parallel_transport.h"
#include "genlink/settings.h"
#include "genlink/transport.h"
#include "genlink/usb_transport.h"

namespace platform {
class Clock;
class NamedLock;
} // namespace platform

namespace genlink {

constexpr int kWaySerial = 0, kWayParallel = 1, kWayUsb = 2;
constexpr uint32_t kOpenLockWaitMs = 5000;

// What the link reaches outside itself; tests replace the parts they need.
struct LinkEnvironment {
    platform::Clock* clock = nullptr;       // waits and the parallel tick; null for real time
    std::string lockName;                   // the system-wide lock
    std::string usblinkPath;                // the USB library file; empty: defaultUsblinkPath() at open
    std::function<int()> osClass;           // the USB check's system class
    ParallelOpener openParallel;            // the parallel driver
};

// "PGTransMutex", with $GENLINK_INSTANCE appended when set (separate test runs).
std::string defaultLockName();
LinkEnvironment defaultEnvironment();

// Width of program numbers on the wire: 3 or 2 digits, or -1 for a kind outside 0..4.
int programNumberWidth(int memoryKind);
// The program number as its decimal field for the memory kind; nothing for a kind outside 0..4.
std::optional<std::string> programNumberField(int memoryKind, int number);

struct LinkState {
    int way = kWaySerial;
    std::unique_ptr<Transport> transport;  // open between a good open and the next close
    UsbLibrary usb;
    ParallelWaits parallelWaits;
    ProtocolState protocol;
    int memoryKind = 0;
    std::unique_ptr<platform::NamedLock> lock;
    bool ownsLock = false;
    bool settingsOpen = false;
};

class Link {
public:
    Link(Settings& settings, Limits& limits, LinkEnvironment env);
    ~Link();
    Link(const Link&) = delete;
    Link& operator=(const Link&) = delete;

    int open();
    int close();
    int selectTransWay(int way);
    int selectSeriConfig(int bps, int charSize, int stopBits, int parity, int portNo);
    int selectDevice(int device, int type);
    int selectPGType(int typeChar);

    bool isOpen() const { return state_.transport != nullptr; }
    int memoryKind() const { return state_.memoryKind; }
    int lastError() const { return state_.protocol.lastError; }
    const LinkState& state() const { return state_; }
    Settings& settings() { return settings_; }
    Limits& limits() { return limits_; }

    // Runs one exchange on the open link; -47 without touching anything when
    // the link is not open.
    int exchange(const std::function<int(CommandProtocol&)>& run);
    // The result word of a code, with the generator's error number after -48.
    int32_t word(int code) const;

private:
    std::unique_ptr<Transport> makeTransport(int way);
    void dropLock();

    Settings& settings_;
    Limits& limits_;
    LinkEnvironment env_;
    LinkState state_;
};

} // namespace genlink
