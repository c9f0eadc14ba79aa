#pragma once
// Short builders for the simulated generator's command tables.
#include <string>

#include "sim/patgen/patgen_core.h"

namespace patgen {

constexpr size_t kWholePayload = std::string::npos;

// An entry keeping its item in `store`, named by `keyChars` payload characters.
inline CommandEntry entry(uint8_t code, Kind kind, const std::string& store, size_t keyChars = kWholePayload) {
    CommandEntry e;
    e.code = code;
    e.kind = kind;
    e.store = store;
    e.keyChars = keyChars;
    e.blockSize = PatgenCore::kMaxFrame;
    e.replyDle = true;
    return e;
}

// A command whose payload after the key is stored as the item.
inline CommandEntry storing(uint8_t code, const std::string& store, size_t keyChars, size_t keyStart = 0) {
    CommandEntry e = entry(code, Kind::Cmd, store, keyChars);
    e.keyStart = keyStart;
    e.storesPayload = true;
    return e;
}

// A transfer of a fixed length in blocks of `block` bytes.
inline CommandEntry fixed(CommandEntry e, size_t length, size_t block, Form form = Form::Dle) {
    e.dataLength = length;
    e.blockSize = block;
    e.form = form;
    return e;
}

// A transfer that takes blocks of any length (Down), or sends the stored item
// and refuses when there is none (Up, summed Up).
inline CommandEntry anyLength(CommandEntry e, Form form = Form::Dle) {
    e.freeLength = true;
    e.form = form;
    return e;
}

inline CommandEntry only(CommandEntry e, std::function<bool(const std::string&)> accepts) {
    e.accepts = std::move(accepts);
    return e;
}

inline Bytes bytesOf(const std::string& s) { return Bytes(s.begin(), s.end()); }
inline std::string textOf(const Bytes* b) { return b ? std::string(b->begin(), b->end()) : std::string(); }

} // namespace patgen
