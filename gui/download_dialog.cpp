#include "gui/download_dialog.h"

#include <algorithm>

#include <QHBoxLayout>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/list_widgets.h"

namespace gui {

using datafiles::DownloadScreen;

DownloadDialog::DownloadDialog(DownloadScreen& screen, QWidget* parent) : QDialog(parent), screen_(screen) {
    auto* layout = new QVBoxLayout(this);
    list_ = new QListWidget(this);
    list_->setFont(monospaceFont());
    list_->setMinimumSize(420, 320);
    layout->addWidget(list_);
    progress_ = new QProgressBar(this);
    progress_->setRange(0, 100);
    progress_->setMinimumWidth(320);
    layout->addWidget(progress_);
    auto* buttons = new QHBoxLayout;
    start_ = new QPushButton(DownloadScreen::kStart, this);
    listButton_ = new QPushButton(DownloadScreen::kList, this);
    close_ = new QPushButton(DownloadScreen::kClose, this);
    start_->setDefault(true);
    buttons->addStretch();
    for (QPushButton* b : {start_, listButton_, close_}) {
        buttons->addWidget(b);
        const std::string caption = b->text().toStdString();
        connect(b, &QPushButton::clicked, this, [this, caption] { forward(core::InputEvent::click(caption)); });
    }
    layout->addLayout(buttons);
    screen_.setListener([this] { render(); });
    render();
}

DownloadDialog::~DownloadDialog() { screen_.setListener({}); }

void DownloadDialog::render() {
    // The log itself rather than view(), which copies every line.
    setWindowTitle(QString::fromStdString(screen_.title()));
    list_->setVisible(screen_.listShown());
    if (screen_.listShown()) {
        showLines(list_, screen_.log().lines());
        if (screen_.running()) list_->scrollToBottom();
    }
    progress_->setVisible(screen_.progressShown());
    progress_->setValue(std::max(0, screen_.log().progress()));
    start_->setVisible(screen_.startShown());
    start_->setEnabled(screen_.canStart());
    listButton_->setVisible(screen_.listButtonShown());
    listButton_->setEnabled(!screen_.running());
    close_->setEnabled(!screen_.running());
    if (screen_.closed() && isVisible()) accept();
}

void DownloadDialog::forward(const core::InputEvent& event) {
    screen_.handle(event);
    if (screen_.closed() && isVisible()) accept();
}

void DownloadDialog::reject() {
    if (!screen_.running()) forward(core::InputEvent::press(core::Key::Escape));
    if (screen_.closed()) QDialog::accept();
}

} // namespace gui
