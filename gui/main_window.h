#pragma once
// The main frame: menus built from the command table, function keys, a status
// bar and the view of the current model.
#include <QMainWindow>
#include <map>

#include "app/commands.h"

class QAction;
class QLabel;

namespace gui {

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(app::Commands& commands, QWidget* parent = nullptr);

    // Re-reads every command's enabled state.
    void updateCommands();
    QAction* action(app::CommandId id) const;
    // The view's model line.
    void showModel(const QString& name, const QString& fileName);
    // One line in the status bar (long operations, generator notices).
    void statusLog(const QString& text);
    // Shows the model as the commands describe the view.
    void showView();

private:
    app::Commands& commands_;
    std::map<app::CommandId, QAction*> actions_;
    QLabel* modelLabel_;
    QLabel* fileLabel_;
};

} // namespace gui
