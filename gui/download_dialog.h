#pragma once
// The Qt face of the MPU, Down timing and UMT INIT screens: the list of
// every register handled (where the screen shows it), a progress bar, and
// the screen's buttons (Start, List, Close). It renders the screen and
// forwards clicks and keys; the rules live in the screen. During a run the
// window is repainted at every list line and progress step.
#include <QDialog>

#include "datafiles/download_screens.h"

class QListWidget;
class QProgressBar;
class QPushButton;

namespace gui {

class DownloadDialog : public QDialog {
    Q_OBJECT
public:
    DownloadDialog(datafiles::DownloadScreen& screen, QWidget* parent = nullptr);
    ~DownloadDialog() override;

    QListWidget* list() const { return list_; }
    QProgressBar* progress() const { return progress_; }
    QPushButton* startButton() const { return start_; }
    QPushButton* listButton() const { return listButton_; }
    QPushButton* closeButton() const { return close_; }

    void reject() override;  // Escape and the window's close go through the screen

private:
    void render();
    void forward(const core::InputEvent& event);

    datafiles::DownloadScreen& screen_;
    QListWidget* list_;
    QProgressBar* progress_;
    QPushButton* start_;
    QPushButton* listButton_;
    QPushButton* close_;
};

} // namespace gui
