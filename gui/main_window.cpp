#include "gui/main_window.h"

#include "core/ui.h"

#include <QAction>
#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

namespace gui {

MainWindow::MainWindow(app::Commands& commands, QWidget* parent)
    : QMainWindow(parent), commands_(commands), frame_(commands) {
    setWindowTitle(QString::fromStdString(frame_.title()));
    move(0, 0);
    resize(800, 600);

    std::map<std::string, QMenu*> menus;
    for (const std::string& title : app::menuTitles()) menus[title] = menuBar()->addMenu(QString::fromStdString(title));
    for (const app::Command& c : app::commandTable()) {
        QMenu* menu = menus[c.menu];
        if (c.separatorBefore) menu->addSeparator();
        QAction* act = menu->addAction(QString::fromStdString(c.text));
        const app::CommandId id = c.id;
        connect(act, &QAction::triggered, this, [this, id] { run(id, false); });
        actions_[id] = act;
        if (!c.key.empty()) {
            // The key text is part of the menu text; the key itself runs the command.
            auto* shortcut = new QShortcut(QKeySequence(QString::fromStdString(c.key)), this);
            connect(shortcut, &QShortcut::activated, this, [this, id] { run(id, true); });
        }
    }
    // The File menu loses its last two entries: the separator and "&UMT Init".
    fileMenu_ = menus["&File"];
    for (int i = 0; i < 2 && !fileMenu_->actions().isEmpty(); ++i) {
        umtEntries_.prepend(fileMenu_->actions().last());
        fileMenu_->removeAction(fileMenu_->actions().last());
    }
    commands_.setExitAction([this] { close(); });
    for (auto& [title, menu] : menus) connect(menu, &QMenu::aboutToShow, this, &MainWindow::updateCommands);

    // The standard file and edit buttons have nothing to work on here.
    tools_ = addToolBar("Tools");
    const std::pair<const char*, QStyle::StandardPixmap> standard[] = {
        {"New", QStyle::SP_FileIcon}, {"Open", QStyle::SP_DialogOpenButton}, {"Save", QStyle::SP_DialogSaveButton},
        {"Cut", QStyle::SP_TrashIcon}, {"Copy", QStyle::SP_FileDialogContentsView}, {"Paste", QStyle::SP_FileDialogDetailedView}};
    for (const auto& [name, icon] : standard) {
        QAction* a = tools_->addAction(style()->standardIcon(icon), name);
        a->setEnabled(false);
    }
    tools_->addSeparator();
    QAction* about = tools_->addAction(style()->standardIcon(QStyle::SP_MessageBoxInformation), "About");
    connect(about, &QAction::triggered, this, [this] { run(app::CommandId::Version, false); });

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
    frame_.create();
}

void MainWindow::run(app::CommandId id, bool byKey) {
    const app::Command* c = nullptr;
    for (const app::Command& e : app::commandTable())
        if (e.id == id) c = &e;
    if (byKey && c) {
        const std::optional<core::InputEvent> key = core::parseInputEvent(c->key);
        if (key) frame_.runKey(key->key);
    } else {
        frame_.runMenuCommand(id);
    }
    if (id != app::CommandId::Exit) showView();
}

void MainWindow::updateCommands() {
    for (auto& [id, act] : actions_) act->setEnabled(commands_.enabled(id));
    // "&UMT Init" and the separator before it are back only for a model that offers it.
    if (!fileMenu_ || umtEntries_.isEmpty()) return;
    const bool offered = commands_.enabled(app::CommandId::UmtInit);
    const bool shown = fileMenu_->actions().contains(umtEntries_.last());
    if (offered && !shown) fileMenu_->addActions(umtEntries_);
    if (!offered && shown)
        for (QAction* a : umtEntries_) fileMenu_->removeAction(a);
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
    placeView();
}

void MainWindow::placeView() {
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->geometry();
    const app::ViewLayout l = app::viewLayout(area.width(), qRound(screen->logicalDotsPerInchX()),
                                              qRound(screen->logicalDotsPerInchY()));
    resize(l.width, l.height);
    if (l.centre) move(area.x() + (area.width() - l.width) / 2, area.y() + (area.height() - l.height) / 2);
    if (l.resolutionWarning) commands_.ui().message(app::kResolutionMessage);
}

} // namespace gui
