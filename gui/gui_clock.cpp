#include "gui/gui_clock.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>

#include <algorithm>

namespace gui {

uint64_t GuiClock::tickMs() { return platform::systemClock().tickMs(); }

void GuiClock::sleepMs(uint32_t ms) {
    if (!QCoreApplication::instance()) {
        platform::systemClock().sleepMs(ms);
        return;
    }
    QElapsedTimer timer;
    timer.start();
    const qint64 total = ms;
    while (timer.elapsed() < total) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
        qint64 left = total - timer.elapsed();
        if (left > 0) platform::systemClock().sleepMs(static_cast<uint32_t>(std::min<qint64>(left, 15)));
    }
    // Input that arrived during the wait is discarded, not replayed afterwards.
    QCoreApplication::removePostedEvents(nullptr, QEvent::KeyPress);
    QCoreApplication::removePostedEvents(nullptr, QEvent::MouseButtonPress);
}

} // namespace gui
