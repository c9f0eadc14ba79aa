#pragma once
// The Qt faces of "Step by Step" and of its "Dcnv Adjustment Point" window.
// They render what procedure::StepByStep holds (fixed-pitch log, five key
// buttons with their jump boxes, eight sliders with name and value box, four
// displays, the product-date fields, the status text) and turn clicks, slider
// moves, typing and keys into input events; the rules live in the screen.
#include <QDialog>
#include <array>

#include "procedure/step_by_step.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSlider;
class QTableWidget;

namespace gui {

class DcnvPointDialog : public QDialog {
    Q_OBJECT
public:
    DcnvPointDialog(procedure::StepByStep& screen, QWidget* parent);

    QTableWidget* grid() const { return grid_; }
    QPushButton* saveButton() const { return save_; }
    QPushButton* jumpButton() const { return jump_; }

    void render();

signals:
    void input(const core::InputEvent& event);

private:
    procedure::StepByStep& screen_;
    QTableWidget* grid_;
    QPushButton* save_;
    QPushButton* jump_;
    bool rendering_ = false;
};

class StepByStepDialog : public QDialog {
    Q_OBJECT
public:
    struct ButtonRow {
        QPushButton* button = nullptr;
        QLineEdit* jump = nullptr;
    };
    struct SliderRow {
        QLabel* name = nullptr;
        QSlider* slider = nullptr;
        QLineEdit* value = nullptr;
    };
    struct DisplayRow {
        QLabel* name = nullptr;
        QLabel* value = nullptr;
    };

    StepByStepDialog(procedure::StepByStep& screen, QWidget* parent = nullptr);
    ~StepByStepDialog() override;

    QLabel* statusLabel() const { return status_; }
    QLabel* stepLabel() const { return step_; }
    QLabel* nameLabel() const { return name_; }
    QListWidget* logList() const { return log_; }
    const std::array<ButtonRow, procedure::kPanelKeys>& buttonRows() const { return buttons_; }
    const std::array<SliderRow, procedure::kPanelSliders>& sliderRows() const { return sliders_; }
    const std::array<DisplayRow, procedure::kShownDisplays>& displayRows() const { return displays_; }
    QLineEdit* dateField(int i) const { return date_[static_cast<size_t>(i)]; }  // year, week, serial
    QPushButton* cancelDebugButton() const { return cancelDebug_; }
    DcnvPointDialog* pointDialog() const { return points_; }

    void reject() override;  // Escape and the window's close go through the screen

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void render();
    void forward(const core::InputEvent& event);
    void forwardToSlider(int index, const core::InputEvent& event);
    void sliderAction(int index, int action);
    // Moves the screen's focus to a product-date field before typing into it.
    void focusDateField(int i);

    procedure::StepByStep& screen_;
    QLabel* status_;
    QLabel* step_;
    QLabel* name_;
    QListWidget* log_;
    std::array<ButtonRow, procedure::kPanelKeys> buttons_{};
    std::array<SliderRow, procedure::kPanelSliders> sliders_{};
    std::array<DisplayRow, procedure::kShownDisplays> displays_{};
    std::array<QLabel*, 3> dateLabels_{};
    std::array<QLineEdit*, 3> date_{};
    QPushButton* cancelDebug_;
    DcnvPointDialog* points_;
    bool placed_ = false;
    bool rendering_ = false;
};

} // namespace gui
