#include <gtest/gtest.h>

#include "gui/tests/test_application.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTableWidget>

#include "app/command_line.h"
#include "gui/main_window.h"
#include "gui/manual_parameters_dialog.h"

namespace {

QApplication& application() { return gui::testApplication(); }

QStringList actionTexts(QMenu* menu) {
    QStringList texts;
    for (QAction* a : menu->actions())
        if (!a->isSeparator()) texts << a->text();
    return texts;
}

} // namespace

TEST(MainWindow, MenusCarryEveryCommandInOrder) {
    application();
    gui::TestStation station;
    station.state->document().data().image.umtNumber = 0;
    gui::MainWindow window(station.commands);
    EXPECT_EQ(window.size(), QSize(800, 600));

    QList<QMenu*> menus;
    for (QAction* a : window.menuBar()->actions())
        if (a->menu()) menus << a->menu();
    ASSERT_EQ(menus.size(), 4);
    EXPECT_EQ(menus[0]->title(), "&Set up");
    EXPECT_EQ(menus[1]->title(), "&Adjustment");
    EXPECT_EQ(menus[2]->title(), "&File");
    EXPECT_EQ(menus[3]->title(), "&Help");
    EXPECT_EQ(actionTexts(menus[0]), QStringList({"&Model Sel          F2", "&Config              F3", "&Exit"}));
    EXPECT_EQ(actionTexts(menus[1]), QStringList({"F&act_preset          F5", "Cont_S&G              F6", "&Maintenance",
                                                  "&Touch up", "&Procedure", "&DCnv", "&Failure"}));
    // The File menu's last two entries (a separator and "&UMT Init") are
    // removed; a model with a UMT number brings them back (below).
    EXPECT_EQ(actionTexts(menus[2]), QStringList({"&Load Data to Set", "&Save Data to File", "&MPU"}));
    EXPECT_FALSE(menus[2]->actions().last()->isSeparator());
    EXPECT_EQ(actionTexts(menus[3]), QStringList({"&Expert", "&Version"}));
}

TEST(MainWindow, TheUmtEntryAndItsSeparatorAreThereOnlyForAModelThatOffersIt) {
    application();
    gui::TestStation station;
    gui::MainWindow window(station.commands);
    QMenu* file = window.menuBar()->actions()[2]->menu();
    ASSERT_NE(file, nullptr);
    auto shown = [&] {
        QStringList texts;
        for (QAction* a : file->actions())
            texts << (a->isSeparator() ? "-" : a->text());
        return texts;
    };
    const QStringList without = {"&Load Data to Set", "&Save Data to File", "&MPU"};
    for (int16_t umt : {0, 31, 1, -1}) {
        station.state->document().data().image.umtNumber = umt;
        window.updateCommands();
        EXPECT_EQ(shown(), umt == 1 ? without + QStringList({"-", "&UMT Init"}) : without) << umt;
    }
}

TEST(MainWindow, CommandsRunThroughTheCommandTableAndExitClosesTheWindow) {
    application();
    gui::TestStation station;
    gui::MainWindow window(station.commands);
    window.show();
    EXPECT_TRUE(window.action(app::CommandId::ModelSelection)->isEnabled());
    EXPECT_TRUE(window.action(app::CommandId::GeneratorControl)->isEnabled());
    EXPECT_TRUE(window.action(app::CommandId::Exit)->isEnabled());
    window.action(app::CommandId::Exit)->trigger();
    EXPECT_FALSE(window.isVisible());
}

TEST(ManualParametersDialog, ShowsHeadingsAndRows) {
    application();
    gui::ManualParametersDialog dialog("Confirm", {{"Mode", " 7", ""}, {"Dot Clock", "25.175", "[MHz]"}});
    QTableWidget* t = dialog.table();
    EXPECT_EQ(t->horizontalHeaderItem(0)->text(), "    ITEM");
    EXPECT_EQ(t->horizontalHeaderItem(1)->text(), "     VALUE");
    EXPECT_EQ(t->horizontalHeaderItem(2)->text(), " UNIT");
    ASSERT_EQ(t->rowCount(), 2);
    EXPECT_EQ(t->item(1, 1)->text(), "25.175");
    EXPECT_EQ(t->verticalHeaderItem(1)->text(), "2");
}

TEST(CommandLine, HomeHelpVersionAndUnknownOptions) {
    app::CommandLine cl = app::parseCommandLine({"pelaro", "--home", "/kit", "--version"});
    EXPECT_EQ(cl.home, "/kit");
    EXPECT_TRUE(cl.version);
    EXPECT_FALSE(cl.help);
    cl = app::parseCommandLine({"pelaro", "--help", "--bogus"});
    EXPECT_TRUE(cl.help);
    EXPECT_EQ(cl.unknown, std::vector<std::string>{"--bogus"});
}
