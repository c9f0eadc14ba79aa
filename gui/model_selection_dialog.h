#pragma once
// The Qt dialog of the model selection screen: the model grid with a fixed
// header row and row-number column, and the caption of the chosen model.
#include <QDialog>

#include "modeldb/model_selection.h"

class QLabel;
class QTableWidget;

namespace gui {

class ModelSelectionDialog : public QDialog {
    Q_OBJECT
public:
    ModelSelectionDialog(modeldb::ModelSelection& screen, QWidget* parent = nullptr);
    QTableWidget* grid() const { return grid_; }
    QLabel* caption() const { return caption_; }

    ~ModelSelectionDialog() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void fill();
    void sync();
    modeldb::ModelSelection& screen_;
    QTableWidget* grid_;
    QLabel* caption_;
    bool filling_ = false;
};

} // namespace gui
