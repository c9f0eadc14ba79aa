#pragma once
// A named block of memory shared by the user's processes, with a count of the
// processes attached. The block is zero when the first process attaches (also
// after every earlier user died) and is discarded when the last one detaches.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace platform {

class SharedBlock {
public:
    static std::unique_ptr<SharedBlock> attach(const std::string& name, size_t size,
                                               std::string* error = nullptr);
    ~SharedBlock();
    SharedBlock(const SharedBlock&) = delete;
    SharedBlock& operator=(const SharedBlock&) = delete;

    uint8_t* data() { return data_; }
    size_t size() const { return size_; }
    // Attachments now, this one included. A process that died attached still
    // counts until the block starts afresh.
    uint32_t attachCount() const;
    // True when this attach found no other process and so started from zero.
    bool createdFresh() const { return fresh_; }

private:
    SharedBlock() = default;
    std::string name_;
    int fd_ = -1;
    void* map_ = nullptr;
    size_t mapSize_ = 0;
    uint8_t* data_ = nullptr;
    size_t size_ = 0;
    bool fresh_ = false;
};

} // namespace platform
