#include "gui/data_file_dialogs.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace gui {

namespace {

QFont monospace() {
    QFont mono("Monospace");
    mono.setStyleHint(QFont::TypeWriter);
    return mono;
}

// Brings a list widget to `lines`. When lines were only added (its first
// and last line still match) the new ones are appended, so a run of
// thousands of lines costs one line each.
template <typename Lines>
void showLines(QListWidget* list, const Lines& lines) {
    const int count = static_cast<int>(lines.size());
    auto same = [&](int i) { return list->item(i)->text() == QString::fromStdString(lines[static_cast<size_t>(i)]); };
    const bool appended = list->count() <= count && (list->count() == 0 || (same(0) && same(list->count() - 1)));
    if (!appended) list->clear();
    for (int i = list->count(); i < count; ++i) list->addItem(QString::fromStdString(lines[static_cast<size_t>(i)]));
}

} // namespace

DataFileDialog::DataFileDialog(datafiles::DataFileScreen& screen, QWidget* parent) : QDialog(parent), screen_(screen) {
    auto* layout = new QVBoxLayout(this);
    list_ = new QListWidget(this);
    list_->setFont(monospace());
    list_->setMinimumSize(420, 320);
    layout->addWidget(list_);
    progress_ = new QProgressBar(this);
    progress_->setRange(0, 100);
    layout->addWidget(progress_);
    auto* buttons = new QHBoxLayout;
    start_ = new QPushButton(datafiles::DataFileScreen::kStart, this);
    close_ = new QPushButton(datafiles::DataFileScreen::kClose, this);
    start_->setDefault(true);
    buttons->addStretch();
    buttons->addWidget(start_);
    buttons->addWidget(close_);
    layout->addLayout(buttons);

    connect(start_, &QPushButton::clicked, this, [this] { forward(core::InputEvent::click(datafiles::DataFileScreen::kStart)); });
    connect(close_, &QPushButton::clicked, this, [this] { forward(core::InputEvent::click(datafiles::DataFileScreen::kClose)); });
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!rendering_ && row >= 0) forward(core::InputEvent::selectRow(row + 1));
    });
    screen_.setListener([this] { render(); });
    render();
}

DataFileDialog::~DataFileDialog() { screen_.setListener({}); }

void DataFileDialog::render() {
    rendering_ = true;
    // The log itself rather than view(), which copies every line.
    setWindowTitle(QString::fromStdString(screen_.title()));
    showLines(list_, screen_.log().lines());
    if (screen_.selectedLine() >= 0) list_->setCurrentRow(screen_.selectedLine());
    else if (screen_.running()) list_->scrollToBottom();
    progress_->setValue(std::max(0, screen_.log().progress()));
    start_->setEnabled(screen_.canStart());
    close_->setEnabled(!screen_.running());
    rendering_ = false;
    if (screen_.closed() && isVisible()) accept();
}

void DataFileDialog::forward(const core::InputEvent& event) {
    screen_.handle(event);
    if (screen_.closed() && isVisible()) accept();
}

void DataFileDialog::reject() {
    if (!screen_.running()) forward(core::InputEvent::press(core::Key::Escape));
    if (screen_.closed()) QDialog::accept();
}

ViewerDialog::ViewerDialog(datafiles::ViewerScreen& screen, QWidget* parent) : QDialog(parent), screen_(screen) {
    auto* layout = new QVBoxLayout(this);
    auto* lists = new QHBoxLayout;
    groups_ = new QListWidget(this);
    data_ = new QListWidget(this);
    groups_->setFont(monospace());
    data_->setFont(monospace());
    groups_->setMinimumSize(220, 320);
    data_->setMinimumSize(320, 320);
    lists->addWidget(groups_);
    lists->addWidget(data_);
    layout->addLayout(lists);
    auto* close = new QPushButton(datafiles::ViewerScreen::kClose, this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);
    layout->addLayout(buttons);

    connect(close, &QPushButton::clicked, this, [this] { forward(core::InputEvent::click(datafiles::ViewerScreen::kClose)); });
    connect(groups_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!rendering_ && row >= 0) forward(core::InputEvent::selectRow(row + 1));
    });
    screen_.setListener([this] { render(); });
    render();
}

ViewerDialog::~ViewerDialog() { screen_.setListener({}); }

void ViewerDialog::render() {
    rendering_ = true;
    const core::ScreenView v = screen_.view();
    setWindowTitle(QString::fromStdString(v.title));
    showLines(groups_, v.lists[0].lines);
    if (v.lists[0].selected >= 0) groups_->setCurrentRow(v.lists[0].selected);
    data_->clear();
    for (const std::string& line : v.lists[1].lines) data_->addItem(QString::fromStdString(line));
    rendering_ = false;
    if (screen_.closed() && isVisible()) accept();
}

void ViewerDialog::forward(const core::InputEvent& event) {
    screen_.handle(event);
    if (screen_.closed() && isVisible()) accept();
}

void ViewerDialog::reject() {
    forward(core::InputEvent::press(core::Key::Escape));
    if (screen_.closed()) QDialog::accept();
}

} // namespace gui
