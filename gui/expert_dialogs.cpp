#include "gui/expert_dialogs.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

#include "gui/input_events.h"

namespace gui {

namespace {

using core::InputEvent;
using core::Key;
using S = screens::ExpertScreen;

QString qs(const std::string& s) { return QString::fromStdString(s); }

QPushButton* makeButton(const char* caption, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setAutoDefault(false);
    return b;
}

} // namespace

// ---- Expert ----

ExpertDialog::ExpertDialog(screens::ExpertScreen& screen, QWidget* parent) : QDialog(parent), screen_(screen) {
    setWindowTitle(S::kTitle);
    auto* layout = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    modeLabel_ = new QLabel(this);
    left->addWidget(modeLabel_);
    grid_ = new QTableWidget(this);
    grid_->setMinimumSize(420, 360);
    grid_->verticalHeader()->hide();
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->installEventFilter(this);
    left->addWidget(grid_);
    auto* editRow = new QGridLayout;
    const char* edits[] = {S::kSyncCaption, S::kHPolarityCaption, S::kVPolarityCaption, S::kHUpCaption,
                           S::kHDownCaption, S::kVUpCaption,        S::kVDownCaption,      S::kReadCaption,
                           S::kWriteCaption};
    int i = 0;
    for (const char* c : edits) {
        QPushButton* b = makeButton(c, this);
        editRow->addWidget(b, i / 5, i % 5);
        edits_.push_back(b);
        ++i;
    }
    left->addLayout(editRow);
    layout->addLayout(left);

    auto* right = new QVBoxLayout;
    for (const char* c : {S::kReleaseCaption, S::kTimingEditCaption, S::kDownTimingCaption, S::kViewerCaption}) {
        QPushButton* b = makeButton(c, this);
        right->addWidget(b);
        commands_.push_back(b);
    }
    right->addStretch();
    QPushButton* close = makeButton(S::kCloseCaption, this);
    right->addWidget(close);
    commands_.push_back(close);
    layout->addLayout(right);

    for (QPushButton* b : commands_)
        connect(b, &QPushButton::clicked, this, [this, b] { forward(InputEvent::click(b->text().toStdString())); });
    for (QPushButton* b : edits_)
        connect(b, &QPushButton::clicked, this, [this, b] { forward(InputEvent::click(b->text().toStdString())); });
    // The header row (row 0 of the screen's grid) deselects like any row.
    connect(grid_->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int) {
        forward(InputEvent::selectRow(0));
    });
    connect(grid_, &QTableWidget::cellClicked, this, &ExpertDialog::cellClicked);
    screen_.setListener([this] { render(); });
    render();
}

ExpertDialog::~ExpertDialog() { screen_.setListener({}); }

QPushButton* ExpertDialog::button(const QString& caption) const {
    for (const auto* list : {&commands_, &edits_})
        for (QPushButton* b : *list)
            if (b->text() == caption) return b;
    return nullptr;
}

void ExpertDialog::cellClicked(int row, int column) {
    if (rendering_) return;
    forward(InputEvent::selectRow(row + 1));
    if (screen_.selectedRow() == row + 1 && (column == S::kHFreColumn || column == S::kVFreColumn))
        forward(InputEvent::click(column == S::kHFreColumn ? S::kHCellName : S::kVCellName));
}

bool ExpertDialog::eventFilter(QObject* watched, QEvent* event) {
    // Keys typed into the grid go to the frequency cell being typed into.
    if (watched == grid_ && event->type() == QEvent::KeyPress && screen_.editColumn() >= 0) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Backspace) {
            const std::string text = screen_.grid().rows[static_cast<size_t>(screen_.selectedMode())]
                                                        [static_cast<size_t>(screen_.editColumn())];
            forward(InputEvent::typed(text.empty() ? text : text.substr(0, text.size() - 1)));
            return true;
        }
        if (const auto e = inputEventOf(key); e && e->key == Key::Character && !e->alt) {
            forward(*e);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void ExpertDialog::render() {
    rendering_ = true;
    const S::Grid& g = screen_.grid();
    grid_->setVisible(screen_.gridKind() != S::GridKind::None);
    grid_->setColumnCount(static_cast<int>(g.headers.size()));
    QStringList headers;
    for (const std::string& h : g.headers) headers << qs(h);
    grid_->setHorizontalHeaderLabels(headers);
    grid_->setRowCount(static_cast<int>(g.rows.size()));
    for (size_t r = 0; r < g.rows.size(); ++r)
        for (size_t c = 0; c < g.rows[r].size(); ++c) {
            QTableWidgetItem* item = grid_->item(static_cast<int>(r), static_cast<int>(c));
            if (!item) {
                item = new QTableWidgetItem;
                grid_->setItem(static_cast<int>(r), static_cast<int>(c), item);
            }
            item->setText(qs(g.rows[r][c]));
        }
    {
        QSignalBlocker block(grid_);
        if (screen_.selectedRow() > 0) grid_->selectRow(screen_.selectedRow() - 1);
        else grid_->clearSelection();
    }
    modeLabel_->setText(qs(screen_.modeLabel()));
    modeLabel_->setVisible(screen_.editControlsVisible());
    for (QPushButton* b : edits_) b->setVisible(screen_.editControlsVisible());
    rendering_ = false;
    if (screen_.closed() && isVisible()) QDialog::accept();
}

void ExpertDialog::forward(const InputEvent& event) {
    screen_.handle(event);
    if (screen_.closed() && isVisible()) QDialog::accept();
}

void ExpertDialog::reject() {
    if (!screen_.closed()) forward(InputEvent::press(Key::Escape));
    if (screen_.closed()) QDialog::accept();
}

// ---- About ----

void HiddenArea::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) emit rightClicked();
    else QWidget::mousePressEvent(event);
}

AboutDialog::AboutDialog(app::AboutBox& box, QWidget* parent) : QDialog(parent), box_(box) {
    using A = app::AboutBox;
    setWindowTitle(A::kTitle);
    auto* layout = new QGridLayout(this);
    for (int i = 0; i < 3; ++i) {
        areas_[static_cast<size_t>(i)] = new HiddenArea(this);
        areas_[static_cast<size_t>(i)]->setFixedSize(24, 24);
        connect(areas_[static_cast<size_t>(i)], &HiddenArea::rightClicked, this,
                [this, i] { forward(InputEvent::click(A::kArea[i])); });
    }
    // The first two areas sit in the top corners, the third in the bottom left.
    layout->addWidget(areas_[0], 0, 0);
    layout->addWidget(areas_[1], 0, 2);
    version_ = new QLabel(this);
    layout->addWidget(version_, 1, 0, 1, 3);
    elapsed_ = new QLineEdit(this);
    elapsed_->setReadOnly(true);
    layout->addWidget(elapsed_, 2, 0, 1, 3);
    debug_ = makeButton(A::kDebugOffCaption, this);
    log_ = makeButton(A::kLogOffCaption, this);
    debugState_ = new QLabel(this);
    logFile_ = new QLabel(this);
    layout->addWidget(debug_, 3, 0);
    layout->addWidget(debugState_, 3, 1);
    layout->addWidget(log_, 4, 0);
    layout->addWidget(logFile_, 4, 1);
    layout->addWidget(areas_[2], 5, 0);
    QPushButton* ok = makeButton(A::kOkCaption, this);
    ok->setDefault(true);
    layout->addWidget(ok, 5, 2);
    connect(ok, &QPushButton::clicked, this, [this] { forward(InputEvent::click(app::AboutBox::kOkCaption)); });
    connect(debug_, &QPushButton::clicked, this, [this] { forward(InputEvent::click(debug_->text().toStdString())); });
    connect(log_, &QPushButton::clicked, this, [this] { forward(InputEvent::click(log_->text().toStdString())); });
    box_.setListener([this] { render(); });
    render();
}

AboutDialog::~AboutDialog() { box_.setListener({}); }

void AboutDialog::render() {
    const core::ScreenView v = box_.view();
    version_->setText(qs(box_.versionText()));
    elapsed_->setText(qs(box_.elapsedTime()));
    elapsed_->setVisible(!box_.elapsedTime().empty());
    for (int i = 0; i < 3; ++i) areas_[static_cast<size_t>(i)]->setVisible(box_.areaVisible(i));
    const bool debug = box_.debugControlsVisible();
    debug_->setText(qs(box_.debugCaption()));
    log_->setText(qs(box_.logCaption()));
    for (const core::ScreenView::Field& f : v.fields) {
        if (f.name == "Debug state") debugState_->setText(qs("Debug state " + f.value));
        if (f.name == "Log file") logFile_->setText(qs(f.value));
    }
    for (QWidget* w : std::initializer_list<QWidget*>{debug_, log_, debugState_, logFile_}) w->setVisible(debug);
    if (box_.closed() && isVisible()) QDialog::accept();
}

void AboutDialog::forward(const InputEvent& event) {
    box_.handle(event);
    if (box_.closed() && isVisible()) QDialog::accept();
}

void AboutDialog::accept() { forward(InputEvent::click(app::AboutBox::kOkCaption)); }

void AboutDialog::reject() { forward(InputEvent::press(Key::Escape)); }

// ---- Access word ----

AccessWordDialog::AccessWordDialog(app::AccessWordBox& box, QWidget* parent) : QDialog(parent), box_(box) {
    setWindowTitle(app::AccessWordBox::kTitle);
    auto* layout = new QVBoxLayout(this);
    word_ = new QLineEdit(this);
    word_->setMaxLength(static_cast<int>(app::AccessWordBox::kMaxWord));
    word_->setEchoMode(QLineEdit::Password);
    layout->addWidget(word_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(word_, &QLineEdit::textEdited, this,
            [this](const QString& t) { box_.handle(InputEvent::typed(t.toStdString())); });
    connect(buttons, &QDialogButtonBox::accepted, this, &AccessWordDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &AccessWordDialog::reject);
}

void AccessWordDialog::accept() {
    box_.handle(InputEvent::click("OK"));
    QDialog::accept();
}

void AccessWordDialog::reject() {
    box_.handle(InputEvent::click("Cancel"));
    QDialog::reject();
}

} // namespace gui
