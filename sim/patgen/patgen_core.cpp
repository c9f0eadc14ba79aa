#include "sim/patgen/patgen_core.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>

namespace patgen {

namespace {

constexpr uint8_t STX = 0x02, ETX = 0x03, ENQ = 0x05, ACK = 0x06, DLE = 0x10, DC1 = 0x11, NAK = 0x15, ETB = 0x17,
                  SUMMED = 0x90;

Bytes errorFrame(int number) {
    unsigned v = static_cast<unsigned>(number < 0 ? 0 : number) % 100u;
    return {STX, DC1, static_cast<uint8_t>('0' + v / 10), static_cast<uint8_t>('0' + v % 10), ETX};
}

uint8_t checksum(const uint8_t* data, size_t n) {
    uint32_t sum = ((n >> 8) & 0xFF) + (n & 0xFF);
    for (size_t i = 0; i < n; ++i) sum += data[i];
    return static_cast<uint8_t>(sum);
}

void append(Bytes& out, const Bytes& more) { out.insert(out.end(), more.begin(), more.end()); }

size_t overhead(Form form) { return form == Form::Dle ? 3 : 2; }

} // namespace

void PatgenCore::addCommand(const CommandEntry& entry) {
    if (entry.accepts) {
        variants_[entry.code].push_back(entry);
        return;
    }
    specs_[entry.code] = entry;
}

const CommandEntry* PatgenCore::entryFor(uint8_t code, const std::string& payload) const {
    auto variants = variants_.find(code);
    if (variants != variants_.end())
        for (const CommandEntry& e : variants->second)
            if (e.accepts(payload)) return &e;
    auto it = specs_.find(code);
    return it == specs_.end() ? nullptr : &it->second;
}

void PatgenCore::addFigure(Figure figure) {
    figures_.push_back(std::move(figure));
    if (onFigure) onFigure(figures_.back());
}

void PatgenCore::clearFigures(const std::string& planes) {
    std::erase_if(figures_, [&](const Figure& f) { return planes.find(f.plane) != std::string::npos; });
}

void PatgenCore::setItem(const std::string& store, const std::string& key, Bytes data) {
    items_[itemKey(store, key)] = std::move(data);
}

const Bytes* PatgenCore::item(const std::string& store, const std::string& key) const {
    auto it = items_.find(itemKey(store, key));
    return it == items_.end() ? nullptr : &it->second;
}

void PatgenCore::eraseStores(const std::vector<std::string>& stores) {
    std::erase_if(items_, [&](const auto& item) {
        return std::any_of(stores.begin(), stores.end(),
                           [&](const std::string& s) { return item.first.rfind(s + ":", 0) == 0; });
    });
}

void PatgenCore::reset() {
    state_ = State::Idle;
    frame_.clear();
    spec_ = nullptr;
}

Bytes PatgenCore::feed(const uint8_t* data, size_t n) {
    Bytes out;
    for (size_t i = 0; i < n; ++i) {
        const uint8_t b = data[i];
        if (faults_.silent) continue;
        switch (state_) {
        case State::Idle: idleByte(b, out); break;
        case State::Command:
            if (b == ETX) {
                state_ = State::Idle;
                command(out);
            } else if (frame_.size() >= kMaxFrame) {
                reset();
            } else {
                frame_.push_back(b);
            }
            break;
        case State::ReceiveBlock: blockByte(b, out); break;
        case State::ReceiveSummed: summedByte(b, out); break;
        case State::Sending: sendingByte(b, out); break;
        }
    }
    return out;
}

void PatgenCore::idleByte(uint8_t b, Bytes& out) {
    if (b == ENQ) {
        ++enquiries_;
        if (faults_.nakEnquiry > 0) {
            --faults_.nakEnquiry;
            out.push_back(NAK);
        } else {
            out.push_back(ACK);
        }
    } else if (b == STX) {
        frame_.clear();
        state_ = State::Command;
    } else if (b == NAK) {
        ++naks_;
    }
}

void PatgenCore::command(Bytes& out) {
    if (frame_.empty()) return;
    const uint8_t code = frame_[0];
    const std::string payload(frame_.begin() + 1, frame_.end());
    received_.push_back({code, payload});
    if (onCommand) onCommand(received_.back());
    if (faults_.silentCommands > 0) return void(--faults_.silentCommands);
    if (faults_.nakCommands > 0) {
        --faults_.nakCommands;
        return out.push_back(NAK);
    }
    if (faults_.strayBytes > 0) {
        --faults_.strayBytes;
        return out.push_back('?');
    }
    if (faults_.badErrorFrames > 0) {
        --faults_.badErrorFrames;
        return append(out, {STX, 'E', '0', '1', ETX});
    }
    if (faults_.errorNumber >= 0) {
        append(out, errorFrame(faults_.errorNumber));
        faults_.errorNumber = -1;
        return;
    }
    const CommandEntry* found = entryFor(code, payload);
    if (!found) return append(out, errorFrame(kUnknownCommand));
    const CommandEntry& entry = *found;
    const size_t keyStart = std::min(entry.keyStart, payload.size());
    key_ = itemKey(entry.store, payload.substr(keyStart, entry.keyChars));
    payload_ = payload;
    const bool sends = entry.kind == Kind::Up || entry.kind == Kind::DirectUp || entry.kind == Kind::SummedUp ||
                       entry.kind == Kind::Reply;
    std::optional<Bytes> sourced;
    if (sends && entry.source) {
        sourced = entry.source(*this, payload);
        if (!sourced) return append(out, errorFrame(kNoItem));
    } else if (sends && entry.freeLength && entry.kind != Kind::Reply && !items_.count(key_)) {
        return append(out, errorFrame(kNoItem));
    }
    switch (entry.kind) {
    case Kind::Cmd: {
        if (entry.sink) {
            const int refused = entry.sink(*this, payload, {});
            if (refused) return append(out, errorFrame(refused));
        }
        if (entry.storesPayload) {
            const std::string rest =
                entry.keyChars == std::string::npos ? std::string() : payload.substr(std::min(keyStart + entry.keyChars, payload.size()));
            items_[key_] = Bytes(rest.begin(), rest.end());
            if (onStored) onStored(key_, items_[key_]);
        }
        out.push_back(ACK);
        break;
    }
    case Kind::Down:
    case Kind::SummedDown:
        out.push_back(ACK);
        startDown(entry, payload);
        break;
    case Kind::Up:
    case Kind::SummedUp:
        out.push_back(ACK);
        startUp(entry, payload, out, sourced);
        break;
    case Kind::DirectUp: startUp(entry, payload, out, sourced); break;
    case Kind::Reply: {
        out.push_back(ACK);
        auto item = items_.find(key_);
        lastSent_ = {STX};
        if (entry.replyDle) lastSent_.push_back(DLE);
        const Bytes* text = sourced ? &*sourced : item != items_.end() ? &item->second : nullptr;
        if (text)
            for (uint8_t c : *text)
                if (c != ETX) lastSent_.push_back(c);
        lastSent_.push_back(ETX);
        append(out, lastSent_);
        spec_ = &entry;
        lastIsFinal_ = true;
        state_ = State::Sending;
        break;
    }
    }
}

void PatgenCore::startDown(const CommandEntry& entry, const std::string& payload) {
    spec_ = &entry;
    total_ = entry.lengthFromPayload ? entry.lengthFromPayload(payload) : entry.dataLength;
    data_.clear();
    frame_.clear();
    blockIndex_ = 0;
    state_ = entry.kind == Kind::SummedDown ? State::ReceiveSummed : State::ReceiveBlock;
}

size_t PatgenCore::expectedBlock() const {
    return std::min(spec_->blockSize, total_ - data_.size()) + overhead(spec_->form);
}

void PatgenCore::blockDone(bool good, Bytes& out) {
    ++blocksReceived_;
    frame_.clear();
    if (faults_.silentBlocks > 0) return void(--faults_.silentBlocks);
    if (good && faults_.nakBlocks > 0) {
        --faults_.nakBlocks;
        good = false;
    }
    out.push_back(good ? ACK : NAK);
}

void PatgenCore::store() {
    state_ = State::Idle;
    if (spec_->sink) {
        spec_->sink(*this, payload_, data_);
        return;
    }
    items_[key_] = data_;
    if (onStored) onStored(key_, data_);
}

void PatgenCore::blockByte(uint8_t b, Bytes& out) {
    frame_.push_back(b);
    if (spec_->freeLength) {
        const size_t header = spec_->form == Form::Dle ? 2 : 1;
        if (frame_.size() <= header && frame_.back() == (frame_.size() == 1 ? STX : DLE)) return;
        if (frame_.size() <= header) return blockDone(false, out);
        if (b != ETX && b != ETB && frame_.size() < kMaxFrame) return;
        const Bytes block = frame_;
        const bool good = b == ETX || b == ETB;
        const bool accepted = good && faults_.nakBlocks == 0 && faults_.silentBlocks == 0;
        blockDone(good, out);
        if (!accepted) return;
        data_.insert(data_.end(), block.begin() + static_cast<std::ptrdiff_t>(header), block.end() - 1);
        if (b == ETX) store();
        return;
    }
    const size_t expected = expectedBlock();
    if (frame_.size() < expected) return;
    const size_t count = expected - overhead(spec_->form);
    const bool last = data_.size() + count == total_;
    const size_t dataAt = spec_->form == Form::Dle ? 2 : 1;
    bool good = frame_[0] == STX && (spec_->form == Form::Plain || frame_[1] == DLE) &&
                frame_.back() == (last ? ETX : ETB);
    const Bytes block = frame_;
    const bool accepted = good && faults_.nakBlocks == 0 && faults_.silentBlocks == 0;
    blockDone(good, out);
    if (!accepted) return;
    data_.insert(data_.end(), block.begin() + static_cast<std::ptrdiff_t>(dataAt),
                 block.begin() + static_cast<std::ptrdiff_t>(dataAt + count));
    if (last) {
        store();
    }
}

void PatgenCore::summedByte(uint8_t b, Bytes& out) {
    frame_.push_back(b);
    if (frame_.size() == 4 && (frame_[0] != STX || frame_[1] != SUMMED)) {
        blockDone(false, out);
        return;
    }
    if (frame_.size() < 4) return;
    const size_t length = size_t{frame_[2]} << 8 | frame_[3];
    if (length > kMaxSummed) return blockDone(false, out);
    if (frame_.size() < length + 6) return;
    const uint8_t terminator = frame_.back();
    const bool good = checksum(frame_.data() + 4, length) == frame_[4 + length] &&
                      (terminator == ETB || terminator == ETX);
    const Bytes block = frame_;
    const bool accepted = good && faults_.nakBlocks == 0 && faults_.silentBlocks == 0;
    blockDone(good, out);
    if (!accepted) return;
    data_.insert(data_.end(), block.begin() + 4, block.begin() + 4 + static_cast<std::ptrdiff_t>(length));
    if (terminator == ETX) {
        store();
    }
}

void PatgenCore::startUp(const CommandEntry& entry, const std::string& payload, Bytes& out,
                         const std::optional<Bytes>& sourced) {
    spec_ = &entry;
    auto it = items_.find(key_);
    data_ = sourced ? *sourced : it == items_.end() ? Bytes{} : it->second;
    if (entry.kind != Kind::SummedUp && !entry.freeLength)
        data_.resize(entry.lengthFromPayload ? entry.lengthFromPayload(payload) : entry.dataLength, 0);
    offset_ = 0;
    blockIndex_ = 0;
    state_ = State::Sending;
    sendBlock(out, false);
}

void PatgenCore::sendBlock(Bytes& out, bool repeat) {
    if (!repeat) {
        const size_t size = spec_->kind == Kind::SummedUp ? std::min(spec_->blockSize, kMaxSummed) : spec_->blockSize;
        const size_t count = std::min(size, data_.size() - offset_);
        lastIsFinal_ = offset_ + count == data_.size();
        const uint8_t* p = data_.data() + offset_;
        lastSent_.clear();
        lastSent_.push_back(STX);
        if (spec_->kind == Kind::SummedUp) {
            lastSent_.push_back(SUMMED);
            lastSent_.push_back(static_cast<uint8_t>(count >> 8));
            lastSent_.push_back(static_cast<uint8_t>(count));
            lastSent_.insert(lastSent_.end(), p, p + count);
            lastSent_.push_back(checksum(p, count));
        } else {
            if (spec_->form == Form::Dle) lastSent_.push_back(DLE);
            lastSent_.insert(lastSent_.end(), p, p + count);
        }
        lastSent_.push_back(lastIsFinal_ ? ETX : ETB);
    }
    Bytes block = lastSent_;
    if (faults_.wrongTerminator > 0) {
        --faults_.wrongTerminator;
        block.back() = block.back() == ETX ? ETB : ETX;
    }
    if (spec_->kind == Kind::SummedUp && faults_.wrongChecksum > 0) {
        --faults_.wrongChecksum;
        block[block.size() - 2] ^= 0x5A;
    }
    append(out, block);
    if (onBlockSent) onBlockSent(blockIndex_);
}

void PatgenCore::sendingByte(uint8_t b, Bytes& out) {
    if (b == NAK) {
        ++naks_;
        if (spec_ && spec_->kind == Kind::Reply) return append(out, lastSent_);
        return sendBlock(out, true);
    }
    if (b == ACK) {
        if (lastIsFinal_) return;
        offset_ += std::min(spec_->kind == Kind::SummedUp ? std::min(spec_->blockSize, kMaxSummed) : spec_->blockSize,
                            data_.size() - offset_);
        ++blockIndex_;
        return sendBlock(out, false);
    }
    // Anything else ends the transfer; a new frame or enquiry starts at once.
    state_ = State::Idle;
    idleByte(b, out);
}

bool parseCommandSpec(const std::string& text, CommandEntry& entry, std::string* error) {
    std::vector<std::string> parts;
    std::stringstream in(text);
    for (std::string part; std::getline(in, part, ',');) parts.push_back(part);
    auto fail = [&](const std::string& why) {
        if (error) *error = "command \"" + text + "\": " + why;
        return false;
    };
    if (parts.size() != 7) return fail("needs CODE,KIND,FORM,BLOCK,STORE,KEYCHARS,LENGTH");
    char* end = nullptr;
    const unsigned long code = std::strtoul(parts[0].c_str(), &end, 0);
    if (*end || code > 255) return fail("bad code");
    static const std::map<std::string, Kind> kinds = {{"cmd", Kind::Cmd},     {"down", Kind::Down},
                                                      {"up", Kind::Up},       {"dup", Kind::DirectUp},
                                                      {"reply", Kind::Reply}, {"sdown", Kind::SummedDown},
                                                      {"sup", Kind::SummedUp}};
    auto kind = kinds.find(parts[1]);
    if (kind == kinds.end()) return fail("bad kind");
    if (parts[2] != "dle" && parts[2] != "plain") return fail("bad form");
    CommandEntry s;
    s.code = static_cast<uint8_t>(code);
    s.kind = kind->second;
    s.form = parts[2] == "dle" ? Form::Dle : Form::Plain;
    s.replyDle = s.form == Form::Dle;
    s.blockSize = std::strtoul(parts[3].c_str(), &end, 10);
    if (*end || s.blockSize == 0) return fail("bad block size");
    s.store = parts[4];
    if (parts[5] != "all") {
        s.keyChars = std::strtoul(parts[5].c_str(), &end, 10);
        if (*end) return fail("bad key length");
    }
    s.dataLength = std::strtoul(parts[6].c_str(), &end, 10);
    if (*end) return fail("bad length");
    entry = s;
    return true;
}

} // namespace patgen
