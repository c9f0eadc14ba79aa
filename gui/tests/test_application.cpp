#include "gui/tests/test_application.h"

#include <gtest/gtest.h>

namespace gui {

namespace {

QApplication* app = nullptr;

class ApplicationEnvironment : public ::testing::Environment {
public:
    void TearDown() override {
        delete app;
        app = nullptr;
    }
};

[[maybe_unused]] ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new ApplicationEnvironment);

} // namespace

QApplication& testApplication() {
    static int argc = 1;
    static char name[] = "gui_tests";
    static char* argv[] = {name, nullptr};
    if (!app) {
        qputenv("QT_QPA_PLATFORM", "offscreen");  // no display needed
        app = new QApplication(argc, argv);
    }
    return *app;
}

} // namespace gui
