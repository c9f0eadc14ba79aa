#pragma once
// The one QApplication of the GUI tests, on the offscreen platform. It is never
// destroyed: Qt's test input devices must not outlive it at exit.
#include <QApplication>

namespace gui {

inline QApplication& testApplication() {
    static int argc = 1;
    static char name[] = "gui_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");  // no display needed
        return new QApplication(argc, argv);
    }();
    return *app;
}

} // namespace gui
