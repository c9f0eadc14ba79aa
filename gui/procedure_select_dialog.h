#pragma once
// The Qt face of "Procedure Select": the list in a fixed-pitch font, the
// start and exit buttons. A double click on a row starts it. The rules live
// in procedure::ProcedureSelect.
#include <QDialog>

#include "procedure/procedure_select.h"

class QListWidget;
class QPushButton;

namespace gui {

class ProcedureSelectDialog : public QDialog {
    Q_OBJECT
public:
    ProcedureSelectDialog(procedure::ProcedureSelect& screen, QWidget* parent = nullptr);
    ~ProcedureSelectDialog() override;

    QListWidget* list() const { return list_; }
    QPushButton* startButton() const { return start_; }
    QPushButton* exitButton() const { return exit_; }

    void reject() override;  // Escape and the window's close go through "Exit"

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void render();
    void forward(const core::InputEvent& event);

    procedure::ProcedureSelect& screen_;
    QListWidget* list_;
    QPushButton* start_;
    QPushButton* exit_;
    bool rendering_ = false;
};

} // namespace gui
