#include "gui/main_window.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

namespace gui {

MainWindow::MainWindow(app::Commands& commands, QWidget* parent)
    : QMainWindow(parent), commands_(commands) {
    setWindowTitle("pelaro");
    move(0, 0);
    resize(800, 600);

    std::map<std::string, QMenu*> menus;
    for (const std::string& title : app::menuTitles()) menus[title] = menuBar()->addMenu(QString::fromStdString(title));
    for (const app::Command& c : app::commandTable()) {
        QMenu* menu = menus[c.menu];
        if (c.separatorBefore) menu->addSeparator();
        QAction* act = menu->addAction(QString::fromStdString(c.text));
        const app::CommandId id = c.id;
        connect(act, &QAction::triggered, this, [this, id] {
            commands_.run(id);
            updateCommands();
        });
        actions_[id] = act;
        if (!c.key.empty()) {
            // The key text is part of the menu text; the key itself runs the command.
            auto* shortcut = new QShortcut(QKeySequence(QString::fromStdString(c.key)), this);
            connect(shortcut, &QShortcut::activated, this, [this, id] {
                commands_.run(id);
                updateCommands();
            });
        }
    }
    commands_.setExitAction([this] { close(); });
    for (auto& [title, menu] : menus) connect(menu, &QMenu::aboutToShow, this, &MainWindow::updateCommands);

    QToolBar* tools = addToolBar("Tools");
    tools->addAction(actions_[app::CommandId::Version]);

    auto* view = new QWidget(this);
    auto* layout = new QVBoxLayout(view);
    modelLabel_ = new QLabel(view);
    fileLabel_ = new QLabel(view);
    QFont big = modelLabel_->font();
    big.setPointSize(big.pointSize() * 2);
    modelLabel_->setFont(big);
    layout->addWidget(modelLabel_);
    layout->addWidget(fileLabel_);
    layout->addStretch();
    setCentralWidget(view);
    statusBar()->showMessage("Ready");
    updateCommands();
}

void MainWindow::updateCommands() {
    for (auto& [id, act] : actions_) act->setEnabled(commands_.enabled(id));
    // "&UMT Init" and the separator before it are there only for a model that offers it.
    QAction* umt = action(app::CommandId::UmtInit);
    auto* menu = umt ? qobject_cast<QMenu*>(umt->parent()) : nullptr;
    if (!menu) return;
    const QList<QAction*> entries = menu->actions();
    const qsizetype at = entries.indexOf(umt);
    const bool offered = commands_.enabled(app::CommandId::UmtInit);
    umt->setVisible(offered);
    if (at > 0 && entries[at - 1]->isSeparator()) entries[at - 1]->setVisible(offered);
}

QAction* MainWindow::action(app::CommandId id) const {
    auto it = actions_.find(id);
    return it == actions_.end() ? nullptr : it->second;
}

void MainWindow::showModel(const QString& name, const QString& fileName) {
    modelLabel_->setText(name);
    fileLabel_->setText(fileName);
}

void MainWindow::statusLog(const QString& text) { statusBar()->showMessage(text); }

void MainWindow::showView() {
    const app::MainView v = commands_.mainView();
    showModel(QString::fromStdString(v.modelName), QString::fromStdString(v.fileLine));
    updateCommands();
}

} // namespace gui
