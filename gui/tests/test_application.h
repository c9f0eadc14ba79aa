#pragma once
// The one QApplication of the GUI tests, on the offscreen platform. It is
// deleted when the tests end, before the exit handlers run, because objects
// Qt creates lazily during the tests (input devices) must not outlive it.
#include <QApplication>

namespace gui {

QApplication& testApplication();

} // namespace gui
