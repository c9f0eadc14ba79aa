#pragma once
// The main frame: menus built from the command table (the File menu without
// its last two entries), the view's function keys, the tool bar, a status bar
// and the view of the current model. The rules live in app::MainFrame.
#include <QMainWindow>
#include <QList>
#include <map>

#include "app/commands.h"
#include "app/main_frame.h"

class QAction;
class QMenu;
class QLabel;
class QToolBar;

namespace gui {

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // Reads the notice file (its messages go through the commands' Ui).
    explicit MainWindow(app::Commands& commands, QWidget* parent = nullptr);

    // Re-reads every command's enabled state.
    void updateCommands();
    QAction* action(app::CommandId id) const;
    // The view's model line.
    void showModel(const QString& name, const QString& fileName);
    // One line in the status bar (long operations, generator notices).
    void statusLog(const QString& text);
    // Shows the model as the commands describe the view, then sizes and
    // places the window for the screen it is on.
    void showView();
    app::MainFrame& frame() { return frame_; }
    QToolBar* toolBar() const { return tools_; }

private:
    void run(app::CommandId id, bool byKey);
    void placeView();

    app::Commands& commands_;
    app::MainFrame frame_;
    QToolBar* tools_;
    std::map<app::CommandId, QAction*> actions_;
    // The File menu's last two entries, taken out when the window is made;
    // they come back while the model offers "&UMT Init".
    QMenu* fileMenu_ = nullptr;
    QList<QAction*> umtEntries_;
    QLabel* modelLabel_;
    QLabel* fileLabel_;
};

} // namespace gui
