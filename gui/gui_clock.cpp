#include "gui/gui_clock.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>

#include <algorithm>

namespace gui {

namespace {

// The longest stretch without painting.
constexpr uint32_t kSliceMs = 15;

void dropInput() {
    // Input that arrived during the wait is discarded, not replayed afterwards.
    QCoreApplication::removePostedEvents(nullptr, QEvent::KeyPress);
    QCoreApplication::removePostedEvents(nullptr, QEvent::MouseButtonPress);
}

} // namespace

uint64_t GuiClock::tickMs() { return platform::systemClock().tickMs(); }

void GuiClock::sleepMs(uint32_t ms, std::string_view what) {
    if (!QCoreApplication::instance()) {
        platform::systemClock().sleepMs(ms, what);
        return;
    }
    QElapsedTimer timer;
    timer.start();
    const qint64 total = ms;
    while (timer.elapsed() < total) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
        qint64 left = total - timer.elapsed();
        if (left > 0) platform::systemClock().sleepMs(static_cast<uint32_t>(std::min<qint64>(left, kSliceMs)), what);
    }
    dropInput();
}

bool GuiClock::waitFd(int fd, platform::FdWait direction, uint32_t ms, std::string_view what) {
    if (!QCoreApplication::instance()) return platform::pollFd(fd, direction, ms);
    QElapsedTimer timer;
    timer.start();
    bool ready = false;
    for (;;) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
        const qint64 left = ms == kForever ? kSliceMs : static_cast<qint64>(ms) - timer.elapsed();
        const uint32_t slice = static_cast<uint32_t>(std::clamp<qint64>(left, 0, kSliceMs));
        ready = platform::pollFd(fd, direction, slice);
        if (ready || (ms != kForever && timer.elapsed() >= static_cast<qint64>(ms))) break;
    }
    dropInput();
    return ready;
}

} // namespace gui
