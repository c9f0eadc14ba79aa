#pragma once
// The Qt faces of the factory preset, maintenance and failure screens. They
// render what the screen holds and turn clicks, slider moves, typing and
// keys into input events; the rules live in the screen classes.
#include <QDialog>
#include <array>

#include "screens/factory_preset.h"
#include "screens/failure_screen.h"
#include "screens/maintenance_screen.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSlider;
class QWidget;

namespace gui {

class FactoryPresetDialog : public QDialog {
    Q_OBJECT
public:
    struct SliderRow {
        QLabel* name = nullptr;
        QSlider* slider = nullptr;
        QLineEdit* value = nullptr;
    };

    FactoryPresetDialog(screens::FactoryPreset& screen, QWidget* parent = nullptr);
    ~FactoryPresetDialog() override;

    QListWidget* timingList() const { return list_; }
    QWidget* statusBox() const { return statusBox_; }
    QLineEdit* statusField(int line) const { return status_[static_cast<size_t>(line)]; }  // mode, H, V, sync
    const std::array<SliderRow, screens::kPresetSliderCount>& sliderRows() const { return rows_; }
    QPushButton* saveButton() const { return save_; }
    QPushButton* restoreButton() const { return restore_; }
    QPushButton* closeButton() const { return close_; }

    void reject() override;  // Escape and the window's close go through the screen

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void render();
    bool forward(const core::InputEvent& event);
    // Events for slider `index`: it takes the focus first.
    void forwardToSlider(int index, const core::InputEvent& event);
    void sliderAction(int index, int action);
    void sliderReleased(int index);
    void valueEntered(int index);

    screens::FactoryPreset& screen_;
    QListWidget* list_;
    QWidget* statusBox_;
    std::array<QLineEdit*, 4> status_{};
    std::array<SliderRow, screens::kPresetSliderCount> rows_{};
    QPushButton* save_;
    QPushButton* restore_;
    QPushButton* close_;
    bool rendering_ = false;
};

class MaintenanceDialog : public QDialog {
    Q_OBJECT
public:
    MaintenanceDialog(screens::MaintenanceScreen& screen, QWidget* parent = nullptr);
    ~MaintenanceDialog() override;

    QLabel* monitorIdLabel() const { return monitorId_; }
    QLabel* factoryIdLabel() const { return factoryId_; }
    QLabel* noteLabel() const { return note_; }
    QPushButton* degaussButton() const { return degauss_; }
    QPushButton* agingButton() const { return aging_; }
    QPushButton* powerButton() const { return power_; }
    QPushButton* closeButton() const { return close_; }

    void reject() override;

private:
    void render();
    void forward(const core::InputEvent& event);

    screens::MaintenanceScreen& screen_;
    QLabel* monitorId_;
    QLabel* factoryId_;
    QLabel* note_;
    QPushButton* degauss_;
    QPushButton* aging_;
    QPushButton* power_;
    QPushButton* close_;
};

class FailureDialog : public QDialog {
    Q_OBJECT
public:
    FailureDialog(screens::FailureScreen& screen, QWidget* parent = nullptr);
    ~FailureDialog() override;

    QListWidget* failureList() const { return list_; }
    QPushButton* refreshButton() const { return refresh_; }
    QPushButton* closeButton() const { return close_; }

    void reject() override;

private:
    void render();
    void forward(const core::InputEvent& event);

    screens::FailureScreen& screen_;
    QListWidget* list_;
    QPushButton* refresh_;
    QPushButton* close_;
};

} // namespace gui
