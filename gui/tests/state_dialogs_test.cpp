#include <gtest/gtest.h>

#include "gui/tests/test_application.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <cstdlib>

#include "app/configuration_screen.h"
#include "core/fake_ui.h"
#include "gui/configuration_dialog.h"
#include "gui/model_selection_dialog.h"
#include "kit/demo_station.h"
#include "kit/temp_folder.h"
#include "modeldb/model_selection.h"

namespace {

QApplication& application() { return gui::testApplication(); }

struct Host : modeldb::ModelSelectionHost {
    std::vector<std::string> loads;
    void applyEcsType(int) override {}
    void rememberModel(const std::string&, const std::string&) override {}
    void loadModel(const std::string& f) override { loads.push_back(f); }
};

TEST(ModelSelectionDialog, GridShowsSortsAndSelects)
{
    application();
    kit::TempFolder home{"gui-sel"};
    ASSERT_TRUE(kit::writeDemoStation(home.path()));
    core::FakeUi ui;
    Host host;
    modeldb::ModelSelection screen(home.path(), ui, host);
    screen.open();
    {
        gui::ModelSelectionDialog dialog(screen);
        QTableWidget* grid = dialog.grid();
        EXPECT_EQ(grid->rowCount(), 20);
        EXPECT_EQ(grid->columnCount(), 8);
        EXPECT_EQ(grid->horizontalHeaderItem(0)->text(), "MODEL NAME");
        EXPECT_TRUE(grid->isColumnHidden(2));  // MODEL FILE
        EXPECT_TRUE(grid->isColumnHidden(3));  // TUVO PROC
        EXPECT_TRUE(grid->isColumnHidden(5));  // COM TYPE
        EXPECT_FALSE(grid->isColumnHidden(7));
        EXPECT_EQ(grid->columnWidth(0), 2400 * dialog.logicalDpiX() / 1440);
        EXPECT_EQ(grid->item(0, 0)->text(), "VX-1700");
        EXPECT_EQ(grid->verticalHeaderItem(0)->text(), "1");
        EXPECT_EQ(grid->item(4, 0)->text(), "");

        emit grid->horizontalHeader()->sectionClicked(0);  // MODEL NAME
        EXPECT_EQ(grid->item(0, 0)->text(), "KR-1500P");
        EXPECT_EQ(grid->verticalHeaderItem(0)->text(), "4");

        grid->setCurrentCell(1, 0);
        EXPECT_EQ(screen.currentRow(), 2);
        emit grid->cellDoubleClicked(1, 0);
        ASSERT_EQ(host.loads.size(), 1u);
        EXPECT_EQ(host.loads[0], "KR2100.mdl");
        EXPECT_EQ(dialog.caption()->text(), "KR-2100");
        EXPECT_FALSE(screen.closed());
    }
    screen.handle(core::InputEvent::press(core::Key::Escape));  // the dialog is gone; no listener left
    EXPECT_TRUE(screen.closed());
}

TEST(ConfigurationDialog, ListsShowMappedDevicesAndRefusals)
{
    application();
    kit::TempFolder tmp{"gui-config"};
    setenv("XDG_CONFIG_HOME", (tmp.path() + "/config").c_str(), 1);
    ASSERT_TRUE(kit::writeFile(tmp.file("comports.ini"),
                               std::string("[COM]\nCOM0=/dev/pelaro-none0\nCOM1=/dev/pelaro-none1\nCOM2=/dev/pelaro-none2\n")));
    setenv("COMPORTS", tmp.file("comports.ini").c_str(), 1);
    ASSERT_TRUE(kit::writeFile(tmp.path() + "/config/pelaro/pelaro.ini",
                               std::string("[PELARO]\nINIT=INIT_OK\nECS_PORT=1\nSG_NAME=0\nSG_PORT=2\n")));
    core::FakeUi ui;
    appstate::Profile profile(tmp.path() + "/config/pelaro/pelaro.ini");
    appstate::AppState state(tmp.path(), ui, profile);
    state.startApplicationState();
    ui.clear();
    app::ConfigurationScreen screen(state, ui);
    screen.open();
    gui::ConfigurationDialog dialog(screen);
    QComboBox* monitor = dialog.list(app::ConfigurationScreen::MonitorPort);
    EXPECT_EQ(monitor->itemText(0), "NON");
    EXPECT_EQ(monitor->itemText(1), "COM1   (/dev/pelaro-none1)");
    EXPECT_EQ(monitor->currentIndex(), 1);
    EXPECT_FALSE(dialog.list(app::ConfigurationScreen::IsaNumber)->isEnabled());
    emit monitor->activated(2);
    EXPECT_EQ(ui.messages(), std::vector<std::string>{"Ecs Port is same as SG Port -> Change Port No."});
    EXPECT_EQ(monitor->currentIndex(), 1);
    dialog.list(app::ConfigurationScreen::Generator)->setCurrentIndex(6);
    emit dialog.list(app::ConfigurationScreen::Generator)->activated(6);
    EXPECT_TRUE(dialog.list(app::ConfigurationScreen::IsaNumber)->isEnabled());
    EXPECT_FALSE(dialog.list(app::ConfigurationScreen::GeneratorPort)->isEnabled());
}

} // namespace
