#include "link/ecs_registers.h"

#include "core/record_io.h"
#include "core/text_format.h"
#include "core/ui.h"
#include "link/serial_port.h"

namespace ecs {
namespace {

constexpr uint32_t kFullMask = 0xFFFF;
constexpr size_t kMaxLinkFileBytes = 1u << 20;  // far above the largest valid file

} // namespace

// Everything one access needs, resolved and bounds-checked once.
struct EcsRegisters::Target {
    RegisterRecord* reg = nullptr;
    const GroupRecord* group = nullptr;  // null for a pseudo-register
    uint8_t device = 0;
    uint32_t mask = kFullMask;
    bool masked = false;                 // a field narrower than the whole value
    bool twoBytes = false;
};

EcsRegisters::EcsRegisters(EcsFormat& format, SerialPort& port, core::Ui& ui, platform::Clock& clock)
    : format_(format), port_(port), ui_(ui), clock_(clock), map_(emptyLinkDescription()), blockStart_(1, 0) {}

int EcsRegisters::loadLinkDescription(const std::string& path) {
    std::vector<uint8_t> bytes;
    if (!core::readWholeFile(path, bytes, kMaxLinkFileBytes)) {
        loadLinkDescriptionBytes(nullptr, 0);
        return 0;
    }
    return loadLinkDescriptionBytes(bytes.data(), bytes.size());
}

int EcsRegisters::loadLinkDescriptionBytes(const uint8_t* data, size_t size) {
    LinkDescription loaded;
    const bool ok = data && parseLinkDescription(data, size, loaded);
    // A refused file leaves the empty map, so no command of an earlier model
    // reaches this monitor.
    map_ = ok ? std::move(loaded) : emptyLinkDescription();
    // A block image or pending write of the previous map means nothing under the new one.
    resetTransfer();
    format_.setFormats(map_.formats);
    blockStart_.assign(map_.blocks.size(), 0);
    uint32_t start = 0;
    for (size_t k = 0; k < map_.blocks.size(); ++k) {
        blockStart_[k] = static_cast<uint16_t>(start > 0xFFFF ? 0xFFFF : start);
        start += map_.blocks[k].count;
    }
    return ok ? 1 : 0;
}

const RegisterRecord* EcsRegisters::registerRecord(uint16_t code) const {
    const size_t block = code >> 8;
    const size_t index = code & 0xFF;
    if (block >= map_.blocks.size() || index >= map_.blocks[block].count) return nullptr;
    const size_t number = static_cast<size_t>(blockStart_[block]) + index;
    if (number >= map_.registers.size()) return nullptr;
    return &map_.registers[number];
}

std::string EcsRegisters::registerName(uint16_t code) const {
    const RegisterRecord* r = registerRecord(code);
    return r ? r->nameText() : std::string();
}

GroupRecord EcsRegisters::group(int number) const {
    if (number < 0 || static_cast<size_t>(number) >= map_.groups.size()) return GroupRecord{};
    return map_.groups[static_cast<size_t>(number)];
}

bool EcsRegisters::setGroup(int number, const GroupRecord& record) {
    if (number < 0 || static_cast<size_t>(number) >= map_.groups.size()) return false;
    map_.groups[static_cast<size_t>(number)] = record;
    return true;
}

int32_t EcsRegisters::groupMax(uint16_t code) const {
    const RegisterRecord* r = registerRecord(code);
    return r ? group(r->group).max : 0;
}

int32_t EcsRegisters::groupMin(uint16_t code) const {
    const RegisterRecord* r = registerRecord(code);
    return r ? group(r->group).min : 0;
}

void EcsRegisters::resetTransfer() {
    pendingFormat_ = pendingAddress_ = pendingDevice_ = -1;
    neverWritten_ = -1;
    lastFlags_ = -1;
    readFormat_ = readAddress_ = readDevice_ = -1;
}

void EcsRegisters::selectMode(int mode) {
    for (size_t n = 0; n < map_.groups.size(); ++n) {
        GroupRecord g = group(static_cast<int>(n));
        if (g.perMode == 0) continue;
        g.device = static_cast<uint8_t>(mode);
        setGroup(static_cast<int>(n), g);
    }
}

bool EcsRegisters::findTarget(uint16_t code, Target& t) {
    const RegisterRecord* found = registerRecord(code);
    if (!found) return false;
    t.reg = &map_.registers[static_cast<size_t>(found - map_.registers.data())];
    if (t.reg->group == 0) return true;
    if (t.reg->group < 0 || static_cast<size_t>(t.reg->group) >= map_.groups.size()) return false;
    if (t.reg->shift < 0 || t.reg->shift > 31) return false;
    t.group = &map_.groups[static_cast<size_t>(t.reg->group)];
    t.device = t.group->device;
    t.twoBytes = t.group->twoBytes();
    t.masked = t.reg->mask != 0 && static_cast<uint32_t>(t.reg->mask) != kFullMask;
    t.mask = t.reg->mask == 0 ? kFullMask : static_cast<uint32_t>(t.reg->mask);
    // A two-byte value needs the byte after its position.
    if (t.twoBytes && (t.reg->writePosition >= kLinkBufferSize - 1 || t.reg->readPosition >= kLinkBufferSize - 1))
        return false;
    return true;
}

void EcsRegisters::failed() {
    lastFlags_ = -1;
    // The cache may now hold a half-received answer: forget which block it holds.
    readFormat_ = readAddress_ = readDevice_ = -1;
}

uint32_t EcsRegisters::flushPending(const Target& t, bool always) {
    if (!writePending()) return ECS_OK;
    if (!always && pendingFormat_ == t.reg->writeFormat && pendingAddress_ == t.reg->writeAddress &&
        pendingDevice_ == t.device)
        return ECS_OK;
    const uint32_t r = format_.transact(pendingFormat_, static_cast<uint8_t>(pendingAddress_),
                                static_cast<uint8_t>(pendingDevice_), image_, scratch_);
    if (r != ECS_OK) return r;
    lastFlags_ = -1;
    return ECS_OK;
}

uint32_t EcsRegisters::blockRead(Target& t, int32_t& value, int flags) {
    // A read that must ask the monitor sends a pending block first, also of
    // its own block, so the answer includes what was written.
    uint32_t r = flushPending(t, (flags & 1) != 0);
    if (r != ECS_OK) return r;

    const RegisterRecord& reg = *t.reg;
    const size_t pos = reg.readPosition;
    uint32_t raw = 0;
    if ((flags & 1) == 0 && readFormat_ == reg.readFormat && readAddress_ == reg.readAddress &&
        readDevice_ == t.device) {
        raw = cache_[pos];
        if (t.twoBytes) raw = raw * 256 + cache_[pos + 1];
    } else {
        const FormatRecord* f = format_.format(reg.readFormat);
        if (!f) {
            r = ECS_ERR_FORMAT;
        } else {
            r = format_.transact(reg.readFormat, reg.readAddress, t.device, image_, image_);
            raw = image_[pos];
            if (t.twoBytes) {
                if (reg.readFormat != 0 && f->blockFlag == 1) {
                    raw = raw * 256 + image_[pos + 1];
                } else if (r == ECS_OK) {
                    r = format_.transact(reg.readFormat, static_cast<uint8_t>(reg.readAddress + 1), t.device, image_, image_);
                    raw = raw * 256 + image_[pos];
                    ui_.message("このケースは検討していない\n計算で値返すのも出来ていない");
                }
            }
            cache_ = image_;
        }
    }
    t.reg->lastRaw = static_cast<int32_t>(raw);
    value = static_cast<int32_t>((raw >> t.reg->shift) & t.mask);
    if (r != ECS_OK) {
        failed();
        return r;
    }
    readFormat_ = reg.readFormat;
    readAddress_ = reg.readAddress;
    readDevice_ = t.device;
    return ECS_OK;
}

uint32_t EcsRegisters::blockWrite(Target& t, int32_t value, int flags) {
    uint32_t r = flushPending(t, false);
    if (r != ECS_OK) return r;  // the block stays pending

    const RegisterRecord& reg = *t.reg;
    const FormatRecord* f = format_.format(reg.writeFormat);
    if (!f) {
        failed();
        return ECS_ERR_FORMAT;
    }
    const bool block = reg.writeFormat != 0 && f->blockFlag == 1;
    bool haveRead = false;
    int32_t current = 0;
    if (block) {
        r = blockRead(t, current, flags);
        if (r != ECS_OK) return r;
        haveRead = true;
    }
    uint32_t v = static_cast<uint32_t>(value);
    if (t.masked) {
        if (!haveRead) {
            r = blockRead(t, current, flags);
            if (r != ECS_OK) return r;
        }
        const uint32_t m = t.mask << t.reg->shift;
        v = (static_cast<uint32_t>(t.reg->lastRaw) & ~m) + ((v << t.reg->shift) & m);
    }

    // The cache follows the write only while it holds this register's block.
    const bool cacheHolds = readFormat_ == reg.readFormat && readAddress_ == reg.readAddress &&
                            readDevice_ == t.device;
    size_t wpos = reg.writePosition;
    size_t cpos = reg.readPosition;
    uint8_t address = reg.writeAddress;
    if (t.twoBytes) {
        const uint8_t high = static_cast<uint8_t>(v >> 8);
        if (!block) {
            image_[0] = high;
            if (cacheHolds) cache_[0] = high;
            r = format_.transact(reg.writeFormat, address, t.device, image_, scratch_);
            if (r != ECS_OK) {
                failed();
                return r;
            }
            address = static_cast<uint8_t>(address + 1);
            cpos += 1;
        } else {
            image_[wpos] = high;
            if (cacheHolds) cache_[cpos] = high;
            wpos += 1;
            cpos += 1;
        }
    }
    image_[wpos] = static_cast<uint8_t>(v & 0xFF);
    if (cacheHolds) cache_[cpos] = static_cast<uint8_t>(v & 0xFF);

    if (flags & 1) {
        r = format_.transact(reg.writeFormat, address, t.device, image_, scratch_);
        if (r != ECS_OK) {
            failed();
            return r;
        }
    }
    // The pending write remembers the address its data belongs to (the low
    // byte's for a two-byte register written byte by byte).
    pendingFormat_ = reg.writeFormat;
    pendingAddress_ = address;
    pendingDevice_ = t.device;
    neverWritten_ = 0;
    lastFlags_ = flags;
    return ECS_OK;
}

void EcsRegisters::setSlowTimeout(bool slow) {
    if (slow) port_.configure(kMonitorBaud, kMonitorByteSize, kNoParity, kOneStopBit, kSlowTimeoutMs);
}

void EcsRegisters::restoreTimeout() {
    port_.configure(kMonitorBaud, kMonitorByteSize, kNoParity, kOneStopBit, kNormalTimeoutMs);
}

uint32_t EcsRegisters::readRegister(uint16_t code, int32_t& value, int flags) {
    Target t;
    if (!findTarget(code, t)) return ECS_ERR_FORMAT;
    if (!t.group) {
        value = 0;
        return ECS_OK;
    }
    setSlowTimeout(t.group->kind == GroupRecord::kSlowKind);
    uint32_t r = blockRead(t, value, flags);
    if (r != ECS_OK) r = blockRead(t, value, flags);
    if (r != ECS_OK && format_.ecsType() == 2)
        ui_.message(core::strf("ECS2 ERROR Code :%02X", static_cast<unsigned>(static_cast<int16_t>(r - 0x1000))));
    restoreTimeout();
    return r;
}

uint32_t EcsRegisters::writeRegister(uint16_t code, int32_t value, int flags) {
    Target t;
    if (!findTarget(code, t)) return ECS_ERR_FORMAT;
    if (!t.group) return ECS_OK;
    setSlowTimeout(t.group->kind == GroupRecord::kSlowKind);
    uint32_t r = blockWrite(t, value, flags);
    if (r != ECS_OK) r = blockWrite(t, value, flags);
    if (r != ECS_OK && r != ECS_ERR_LINK && format_.ecsType() == 2)
        ui_.message(core::strf("ECS2 ERROR Code :%02X", static_cast<unsigned>(static_cast<int16_t>(r - 0x1000))));
    restoreTimeout();
    return r;
}

} // namespace ecs
