#pragma once
// The main frame: menus built from the command table, function keys, a status
// bar and the view of the current model.
#include <QMainWindow>
#include <map>

#include "app/command_table.h"

class QAction;
class QLabel;

namespace gui {

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(app::CommandDispatcher& commands, QWidget* parent = nullptr);

    // Re-reads every command's enabled state.
    void updateCommands();
    QAction* action(app::CommandId id) const;
    // The view's model line.
    void showModel(const QString& name, const QString& fileName);
    // One line in the status bar (long operations, generator notices).
    void statusLog(const QString& text);

    // Function keys run these instead of the menu commands where they differ.
    void setKeyAction(const QString& key, std::function<void()> action);

private:
    app::CommandDispatcher& commands_;
    std::map<app::CommandId, QAction*> actions_;
    QLabel* modelLabel_;
    QLabel* fileLabel_;
};

} // namespace gui
