#pragma once
// The Qt faces of the expert screen, the About box and its access-word box.
// They render what the screens hold and turn clicks, right clicks, grid
// selections and typing into input events; the rules live in the screens.
#include <QDialog>
#include <QLabel>
#include <array>
#include <vector>

#include "app/about_box.h"
#include "screens/expert_screen.h"

class QLineEdit;
class QPushButton;
class QTableWidget;

namespace gui {

class ExpertDialog : public QDialog {
    Q_OBJECT
public:
    ExpertDialog(screens::ExpertScreen& screen, QWidget* parent = nullptr);
    ~ExpertDialog() override;

    QTableWidget* grid() const { return grid_; }
    QLabel* modeLabel() const { return modeLabel_; }
    // The button with this caption, or null.
    QPushButton* button(const QString& caption) const;

    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void render();
    void forward(const core::InputEvent& event);
    void cellClicked(int row, int column);

    screens::ExpertScreen& screen_;
    QTableWidget* grid_;
    QLabel* modeLabel_;
    std::vector<QPushButton*> commands_;  // always on view
    std::vector<QPushButton*> edits_;     // with the mode table
    bool rendering_ = false;
};

// A small region of the About box that takes right clicks and shows nothing.
class HiddenArea : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
signals:
    void rightClicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    AboutDialog(app::AboutBox& box, QWidget* parent = nullptr);
    ~AboutDialog() override;

    HiddenArea* area(int i) const { return areas_[static_cast<size_t>(i)]; }
    QPushButton* debugButton() const { return debug_; }
    QPushButton* logButton() const { return log_; }
    QLabel* versionLabel() const { return version_; }
    QLineEdit* elapsedBox() const { return elapsed_; }

    void accept() override;
    void reject() override;

private:
    void render();
    void forward(const core::InputEvent& event);

    app::AboutBox& box_;
    std::array<HiddenArea*, 3> areas_{};
    QLabel* version_;
    QLineEdit* elapsed_;
    QPushButton* debug_;
    QPushButton* log_;
    QLabel* debugState_;
    QLabel* logFile_;
};

class AccessWordDialog : public QDialog {
    Q_OBJECT
public:
    AccessWordDialog(app::AccessWordBox& box, QWidget* parent = nullptr);
    QLineEdit* wordBox() const { return word_; }
    void accept() override;
    void reject() override;

private:
    app::AccessWordBox& box_;
    QLineEdit* word_;
};

} // namespace gui
