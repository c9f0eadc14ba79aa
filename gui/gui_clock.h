#pragma once
// A clock whose waits keep the window painted: the event loop runs during a
// sleep and during a wait on a serial line, but input from the technician is
// not delivered (it is dropped).
#include "platform/clock.h"

namespace gui {

class GuiClock : public platform::Clock {
public:
    uint64_t tickMs() override;
    void sleepMs(uint32_t ms, std::string_view what) override;
    bool waitFd(int fd, platform::FdWait direction, uint32_t ms, std::string_view what) override;
};

} // namespace gui
