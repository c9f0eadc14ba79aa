#pragma once
// The Qt faces of the generator control screen and the appliance panel. They
// render the screen's state and forward clicks and keys; the rules live in
// the screen classes.
#include <QDialog>
#include <vector>

#include "app/generator_control_screen.h"

class QAbstractButton;
class QButtonGroup;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace gui {

class GeneratorControlDialog : public QDialog {
    Q_OBJECT
public:
    GeneratorControlDialog(app::GeneratorControlScreen& screen, QWidget* parent = nullptr);
    ~GeneratorControlDialog() override;

    QListWidget* timingList() const { return list_; }
    QLineEdit* numberField() const { return number_; }
    QLineEdit* modelField() const { return model_; }
    QButtonGroup* patternGroup() const { return patterns_; }
    QButtonGroup* colourGroup() const { return colours_; }
    QButtonGroup* inversionGroup() const { return inversions_; }
    QPushButton* okButton() const { return ok_; }

    void reject() override;  // Escape and the window's close go through OK

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void render();
    void forward(const core::InputEvent& event);

    app::GeneratorControlScreen& screen_;
    QListWidget* list_;
    QLineEdit* number_;
    QLineEdit* model_;
    QButtonGroup* patterns_;
    QButtonGroup* colours_;
    QButtonGroup* inversions_;
    QPushButton* ok_;
    bool rendering_ = false;
};

class AppliancePanelDialog : public QDialog {
    Q_OBJECT
public:
    AppliancePanelDialog(app::AppliancePanel& panel, QWidget* parent = nullptr);
    ~AppliancePanelDialog() override;
    const std::vector<QPushButton*>& buttons() const { return buttons_; }
    void reject() override;  // Escape and the window's close go through OK

private:
    void render();
    app::AppliancePanel& panel_;
    std::vector<QPushButton*> buttons_;
};

} // namespace gui
