#pragma once
// A device behind an in-process "sim:" port that answers every message of the
// host with the next chunk of the fuzz input: a monitor that answers with line
// noise, a generator that sends what it sends. A message ends where the
// protocol's frame ends (ECS type 1 at 0xFF, type 2 after the count in its
// second byte) or, for the generators, with each write of the host.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "fuzz/support/fuzz_input.h"
#include "platform/sim_port.h"

namespace fuzz {

enum class Framing { EcsType1, EcsType2, PerWrite };

// Splits the host's byte stream into messages.
class MessageSplitter {
public:
    explicit MessageSplitter(Framing framing) : framing_(framing) {}
    // Feeds one write; calls `done` once per message it completes.
    void feed(const uint8_t* data, size_t n, const std::function<void(const Bytes&)>& done);

private:
    bool complete() const;
    Framing framing_;
    Bytes message_;
};

class ScriptedDevice : public platform::SimDevice {
public:
    ScriptedDevice(Input& input, Framing framing, int lengthBytes, Bytes terminator)
        : input_(input), splitter_(framing), lengthBytes_(lengthBytes), terminator_(std::move(terminator)) {}
    void fromHost(platform::SimLine& line, const uint8_t* data, size_t n) override;

private:
    Input& input_;
    MessageSplitter splitter_;
    int lengthBytes_;
    Bytes terminator_;
};

// Registers "sim:NAME": each open gets a device answering from `*current`,
// which the target points at the input of the run before opening the port.
// A `terminator` goes after every answer: a line device whose host waits
// seconds of real time for a line end would otherwise crawl.
void registerScriptedDevice(const std::string& name, Input** current, Framing framing, int lengthBytes,
                            const Bytes& terminator = {});

} // namespace fuzz
