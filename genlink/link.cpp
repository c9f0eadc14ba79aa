#include "genlink/link.h"

#include <cstdlib>
#include <cstring>

#include "genlink/fields.h"
#include "genlink/result_codes.h"
#include "genlink/serial_transport.h"
#include "platform/clock.h"
#include "platform/named_lock.h"

namespace genlink {

namespace {

struct TypeName {
    int typeChar;
    const char* model;
};
constexpr TypeName kTypeNames[] = {
    {'=', "PG-418"}, {'?', "PG-424"}, {'B', "PG-420"}, {'C', "PG-426"}, {'D', "PG-402"}, {'E', "PG-410"},
};

} // namespace

std::string defaultLockName() {
    const char* instance = std::getenv("GENLINK_INSTANCE");
    return std::string("PGTransMutex") + (instance ? instance : "");
}

LinkEnvironment defaultEnvironment() {
    LinkEnvironment env;
    env.lockName = defaultLockName();
    env.osClass = hostOsClass;
    env.openParallel = [] { return pgpio::openDevice(pgpio::kDeviceName); };
    return env;
}

int programNumberWidth(int kind) {
    switch (kind) {
    case 0: case 3: case 4: return 3;
    case 1: case 2: return 2;
    default: return -1;
    }
}

std::optional<std::string> programNumberField(int kind, int number) {
    const int width = programNumberWidth(kind);
    if (width < 0) return std::nullopt;
    return decimalField(number, width);
}

Link::Link(Settings& settings, Limits& limits, LinkEnvironment env)
    : settings_(settings), limits_(limits), env_(std::move(env)) {}

Link::~Link() {
    if (state_.transport) state_.transport->close();
    dropLock();
}

std::unique_ptr<Transport> Link::makeTransport(int way) {
    platform::Clock& clock = env_.clock ? *env_.clock : platform::systemClock();
    switch (way) {
    case kWayParallel:
        return std::make_unique<ParallelTransport>(settings_, state_.parallelWaits, clock, env_.openParallel);
    case kWayUsb:
        return std::make_unique<UsbTransport>(settings_, state_.usb,
                                              env_.usblinkPath.empty() ? defaultUsblinkPath() : env_.usblinkPath,
                                              env_.osClass);
    default:
        return std::make_unique<SerialTransport>(settings_, env_.clock);
    }
}

void Link::dropLock() {
    if (state_.lock && state_.ownsLock) state_.lock->unlock();
    state_.ownsLock = false;
    state_.lock.reset();
}

int Link::open() {
    if (isOpen()) close();
    state_.lock = platform::NamedLock::open(env_.lockName);
    if (!state_.lock) return kMutexFailed;
    // A wait that times out goes on without the lock, as the generator's own tools do.
    const platform::LockResult got = state_.lock->lock(kOpenLockWaitMs);
    if (got == platform::LockResult::Failed) {
        state_.lock.reset();
        return kMutexFailed;
    }
    state_.ownsLock = got == platform::LockResult::Acquired || got == platform::LockResult::Abandoned;

    // Every open reloads the settings; one left open by a failed open is balanced first.
    if (state_.settingsOpen) settings_.terminate();
    state_.settingsOpen = settings_.init() == 0;
    limits_.setTableLimit();

    int32_t way = state_.way;
    if (settings_.readSeriPara(way) == 0 && way >= kWaySerial && way <= kWayUsb) state_.way = way;
    std::unique_ptr<Transport> transport = makeTransport(state_.way);
    if (transport->open() != kOk) {
        dropLock();
        return kOpenFailed;
    }
    CommandProtocol protocol(*transport, settings_, state_.protocol);
    const int greeted = protocol.greet();
    if (greeted != kOk) {
        transport->close();
        dropLock();
        return greeted;
    }
    int32_t kind = 0;
    if (settings_.readMemKind(kind) != 0) {
        transport->close();
        dropLock();
        return kReadSettingFailed;
    }
    state_.memoryKind = kind;
    state_.transport = std::move(transport);
    return kOk;
}

int Link::close() {
    int result = kCloseFailed;
    if (state_.transport) {
        result = state_.transport->close();
        state_.transport.reset();
    }
    if (state_.settingsOpen) {
        settings_.terminate();
        state_.settingsOpen = false;
    }
    dropLock();
    return result;
}

int Link::selectTransWay(int way) {
    if (way < kWaySerial || way > kWayUsb) return kBadArgument;
    settings_.init();
    const int r = settings_.writeSeriPara(way);
    settings_.terminate();
    return r == 0 ? kOk : kWriteSettingFailed;
}

int Link::selectSeriConfig(int bps, int charSize, int stopBits, int parity, int portNo) {
    if ((bps != 9600 && bps != 19200 && bps != 38400) || (charSize != 7 && charSize != 8) || parity < 0 ||
        parity > 2 || stopBits < 0 || stopBits > 2 || portNo < 1)
        return kBadArgument;
    SerialRecord rec{portNo, bps, charSize, parity, stopBits};
    settings_.init();
    const int r = settings_.writeKeySeri(rec);
    settings_.terminate();
    return r == 0 ? kOk : kWriteSettingFailed;
}

int Link::selectDevice(int device, int type) {
    if (!((device == 0 && type >= 0 && type <= 5) || (device == 1 && type >= 0 && type <= 3))) return kBadArgument;
    settings_.init();
    int r = settings_.writeDtDevice(device);
    if (r == 0) r = device == 0 ? settings_.writeMemCard(type) : settings_.writePanelRom(type);
    settings_.terminate();
    if (r != 0) return kWriteSettingFailed;
    int32_t kind = 0;
    if (settings_.readMemKind(kind) != 0) return kWriteSettingFailed;
    state_.memoryKind = kind;
    return kOk;
}

int Link::selectPGType(int typeChar) {
    for (const TypeName& t : kTypeNames) {
        if (t.typeChar != typeChar) continue;
        settings_.init();
        const int r = settings_.writePGType(t.model);
        settings_.terminate();
        return r == 0 ? kOk : kWriteSettingFailed;
    }
    return kBadArgument;
}

int Link::exchange(const std::function<int(CommandProtocol&)>& run) {
    if (!state_.transport) return kCommFailed;
    CommandProtocol protocol(*state_.transport, settings_, state_.protocol);
    return run(protocol);
}

int32_t Link::word(int code) const { return resultWord(code, state_.protocol.lastError); }

} // namespace genlink
