#pragma once
// The Qt faces of the data file screens: "Save Data to File" and "Load Data
// to Set" (the list of every register handled, a progress bar, Start and
// Close) and the "Viewer" (the group list and the data list). They render
// the screens and forward clicks, rows and keys; the rules live in the
// screens. During a run the window is repainted at every list line and
// progress step, and the clock keeps it painted through every wait.
#include <QDialog>

#include "datafiles/data_file_screen.h"
#include "datafiles/viewer_screen.h"

class QListWidget;
class QProgressBar;
class QPushButton;

namespace gui {

class DataFileDialog : public QDialog {
    Q_OBJECT
public:
    DataFileDialog(datafiles::DataFileScreen& screen, QWidget* parent = nullptr);
    ~DataFileDialog() override;

    QListWidget* list() const { return list_; }
    QProgressBar* progress() const { return progress_; }
    QPushButton* startButton() const { return start_; }
    QPushButton* closeButton() const { return close_; }

    void reject() override;  // Escape and the window's close go through the screen

private:
    void render();
    void forward(const core::InputEvent& event);

    datafiles::DataFileScreen& screen_;
    QListWidget* list_;
    QProgressBar* progress_;
    QPushButton* start_;
    QPushButton* close_;
    bool rendering_ = false;
};

class ViewerDialog : public QDialog {
    Q_OBJECT
public:
    ViewerDialog(datafiles::ViewerScreen& screen, QWidget* parent = nullptr);
    ~ViewerDialog() override;

    QListWidget* groupList() const { return groups_; }
    QListWidget* dataList() const { return data_; }

    void reject() override;

private:
    void render();
    void forward(const core::InputEvent& event);

    datafiles::ViewerScreen& screen_;
    QListWidget* groups_;
    QListWidget* data_;
    bool rendering_ = false;
};

} // namespace gui
