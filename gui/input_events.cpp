#include "gui/input_events.h"

#include <QKeyEvent>

namespace gui {

std::optional<core::InputEvent> inputEventOf(const QKeyEvent* event) {
    using core::InputEvent;
    using core::Key;
    const int k = event->key();
    const bool alt = event->modifiers().testFlag(Qt::AltModifier);
    if (k >= Qt::Key_F1 && k <= Qt::Key_F12) return InputEvent::press(static_cast<Key>(static_cast<int>(Key::F1) + (k - Qt::Key_F1)));
    switch (k) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return InputEvent::press(Key::Enter);
    case Qt::Key_Escape: return InputEvent::press(Key::Escape);
    case Qt::Key_Tab: return InputEvent::press(Key::Tab);
    case Qt::Key_Backtab: return InputEvent::press(Key::Backtab);
    case Qt::Key_Up: return InputEvent::press(Key::Up);
    case Qt::Key_Down: return InputEvent::press(Key::Down);
    case Qt::Key_Left: return InputEvent::press(Key::Left);
    case Qt::Key_Right: return InputEvent::press(Key::Right);
    case Qt::Key_PageUp: return InputEvent::press(Key::PageUp);
    case Qt::Key_PageDown: return InputEvent::press(Key::PageDown);
    case Qt::Key_Home: return InputEvent::press(Key::Home);
    case Qt::Key_End: return InputEvent::press(Key::End);
    default: break;
    }
    if (k >= Qt::Key_0 && k <= Qt::Key_9) return InputEvent::charKey(static_cast<char>('0' + (k - Qt::Key_0)), alt);
    if (k >= Qt::Key_A && k <= Qt::Key_Z) return InputEvent::charKey(static_cast<char>('A' + (k - Qt::Key_A)), alt);
    return std::nullopt;
}

} // namespace gui
