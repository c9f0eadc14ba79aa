#pragma once
// The communication log of a link: one line per transaction, every byte as
// two lower-case hex digits and a comma, "=> " between frame and answer,
// CR LF after a complete answer.
#include <cstdint>
#include <cstdio>
#include <string>

namespace ecs {

class CommLog {
public:
    CommLog() = default;
    ~CommLog() { close(); }
    CommLog(const CommLog&) = delete;
    CommLog& operator=(const CommLog&) = delete;

    bool open(const std::string& path);
    void close();
    bool isOpen() const { return file_ != nullptr; }
    void byte(uint8_t value);
    void endFrame();
    void endAnswer();

private:
    std::FILE* file_ = nullptr;
};

} // namespace ecs
