#include "gui/tests/test_application.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "kit/demo_station.h"
#include "kit/model_kit.h"

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

namespace gui {

namespace {
std::unique_ptr<app::Commands> makeCommands(TestStation& s) {
    testApplication();
    EXPECT_TRUE(kit::writeDemoStation(s.tmp.path()));
    setenv("XDG_CONFIG_HOME", (s.tmp.path() + "/config").c_str(), 1);
    EXPECT_TRUE(kit::writeFile(s.tmp.file("comports.ini"),
                               std::string("[COM]\nCOM1=/dev/pelaro-none1\nCOM2=/dev/pelaro-none2\n")));
    setenv("COMPORTS", s.tmp.file("comports.ini").c_str(), 1);
    s.profile = std::make_unique<appstate::Profile>(s.tmp.path() + "/config/pelaro/pelaro.ini");
    s.state = std::make_unique<appstate::AppState>(s.tmp.path(), s.ui, *s.profile, s.clock);
    s.state->setGeneratorLayer(&s.layer);
    return std::make_unique<app::Commands>(*s.state, s.generator, s.ui, s.clock);
}
} // namespace

TestStation::TestStation() : commands_(makeCommands(*this)), commands(*commands_) {}

} // namespace gui
