#include "fuzz/support/scripted_device.h"

#include <memory>

namespace fuzz {

namespace {
constexpr size_t kMaxEcsFrame = 256;
}

bool MessageSplitter::complete() const {
    if (message_.size() >= kMaxEcsFrame) return true;
    switch (framing_) {
    case Framing::EcsType1: return !message_.empty() && message_.back() == 0xFF;
    case Framing::EcsType2: return message_.size() >= 2 && message_.size() >= message_[1];
    case Framing::PerWrite: return false;
    }
    return false;
}

void MessageSplitter::feed(const uint8_t* data, size_t n, const std::function<void(const Bytes&)>& done) {
    if (framing_ == Framing::PerWrite) {
        done(Bytes(data, data + n));
        return;
    }
    for (size_t i = 0; i < n; ++i) {
        message_.push_back(data[i]);
        if (complete()) {
            done(message_);
            message_.clear();
        }
    }
}

void ScriptedDevice::fromHost(platform::SimLine& line, const uint8_t* data, size_t n) {
    splitter_.feed(data, n, [&](const Bytes&) {
        Bytes answer = input_.chunk(lengthBytes_);
        answer.insert(answer.end(), terminator_.begin(), terminator_.end());
        if (!answer.empty()) line.toHost(answer.data(), answer.size());
    });
}

void registerScriptedDevice(const std::string& name, Input** current, Framing framing, int lengthBytes,
                            const Bytes& terminator) {
    platform::registerSimDevice(name, [=]() -> std::shared_ptr<platform::SimDevice> {
        if (!*current) return nullptr;
        return std::make_shared<ScriptedDevice>(**current, framing, lengthBytes, terminator);
    });
}

} // namespace fuzz
