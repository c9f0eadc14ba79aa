#include "gui/step_by_step_dialog.h"

#include <QAbstractSlider>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QTableWidget>
#include <QVBoxLayout>

#include "gui/input_events.h"

namespace gui {

namespace {

using core::InputEvent;
using core::Key;
using procedure::StepByStep;

QString qs(const std::string& s) { return QString::fromStdString(s); }

QFont fixedPitch() {
    QFont courier("Courier");
    courier.setStyleHint(QFont::TypeWriter);
    courier.setFixedPitch(true);
    return courier;
}

QPushButton* button(const QString& caption, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setAutoDefault(false);
    return b;
}

bool isStepKey(const InputEvent& e) {
    for (Key k : {Key::Up, Key::Down, Key::PageUp, Key::PageDown, Key::Home, Key::End})
        if (e.is(k)) return true;
    return false;
}

const Key kFunctionKeys[procedure::kPanelKeys] = {Key::F1, Key::F2, Key::F3, Key::F4, Key::F5};
constexpr int kPointWindowY = 100;
constexpr int kPlacedWidth = 640;
constexpr int kPlacedHeight = 480;

} // namespace

// ---- Dcnv Adjustment Point ----

DcnvPointDialog::DcnvPointDialog(StepByStep& screen, QWidget* parent) : QDialog(parent), screen_(screen) {
    setWindowTitle(procedure::DcnvPointWindow::kTitle);
    setModal(false);
    auto* layout = new QVBoxLayout(this);
    grid_ = new QTableWidget(this);
    grid_->setFont(fixedPitch());
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->horizontalHeader()->setDefaultSectionSize(34);
    layout->addWidget(grid_);
    auto* row = new QHBoxLayout;
    save_ = button(procedure::DcnvPointWindow::kSaveCaption, this);
    jump_ = button(procedure::DcnvPointWindow::kJumpCaption, this);
    row->addWidget(save_);
    row->addWidget(jump_);
    layout->addLayout(row);
    connect(save_, &QPushButton::clicked, this, [this] { emit input(InputEvent::click(procedure::DcnvPointWindow::kSaveCaption)); });
    connect(jump_, &QPushButton::clicked, this, [this] { emit input(InputEvent::click(procedure::DcnvPointWindow::kJumpCaption)); });
    // A cell is chosen by its point number, row by row from 1.
    connect(grid_, &QTableWidget::cellClicked, this, [this](int r, int c) {
        if (!rendering_) emit input(InputEvent::selectRow(r * screen_.dcnvWindow().columns() + c + 1));
    });
}

void DcnvPointDialog::render() {
    rendering_ = true;
    const procedure::DcnvPointWindow& w = screen_.dcnvWindow();
    if (grid_->rowCount() != w.rows() || grid_->columnCount() != w.columns()) {
        grid_->setRowCount(w.rows());
        grid_->setColumnCount(w.columns());
        QStringList columns, rows;
        for (int c = 1; c <= w.columns(); ++c) columns << qs(w.columnHeader(c));
        for (int r = 1; r <= w.rows(); ++r) rows << qs(w.rowHeader(r));
        grid_->setHorizontalHeaderLabels(columns);
        grid_->setVerticalHeaderLabels(rows);
    }
    for (int r = 1; r <= w.rows(); ++r)
        for (int c = 1; c <= w.columns(); ++c) {
            QTableWidgetItem* item = grid_->item(r - 1, c - 1);
            if (!item) {
                item = new QTableWidgetItem;
                item->setTextAlignment(Qt::AlignCenter);
                grid_->setItem(r - 1, c - 1, item);
            }
            item->setText(qs(w.cell(r, c)));
        }
    if (const auto cell = w.selected()) grid_->setCurrentCell(cell->first - 1, cell->second - 1);
    rendering_ = false;
}

// ---- Step by Step ----

StepByStepDialog::StepByStepDialog(StepByStep& screen, QWidget* parent) : QDialog(parent), screen_(screen) {
    setWindowTitle(StepByStep::kTitle);
    auto* layout = new QHBoxLayout(this);

    auto* left = new QVBoxLayout;
    status_ = new QLabel(this);
    status_->setFont(fixedPitch());
    step_ = new QLabel(this);
    name_ = new QLabel(this);
    for (QLabel* l : {step_, name_}) l->setFont(fixedPitch());
    left->addWidget(status_);
    left->addWidget(step_);
    left->addWidget(name_);
    log_ = new QListWidget(this);
    log_->setFont(fixedPitch());
    log_->setMinimumWidth(QFontMetrics(fixedPitch()).horizontalAdvance(QString(44, 'M')));
    log_->setMinimumHeight(240);
    log_->installEventFilter(this);
    left->addWidget(log_, 1);
    auto* keyBox = new QGridLayout;
    for (int i = 0; i < procedure::kPanelKeys; ++i) {
        ButtonRow& row = buttons_[static_cast<size_t>(i)];
        row.button = button(QString(), this);
        row.button->installEventFilter(this);
        row.jump = new QLineEdit(this);
        row.jump->setReadOnly(true);
        row.jump->setFocusPolicy(Qt::NoFocus);
        row.jump->setMaximumWidth(60);
        keyBox->addWidget(row.button, 0, 2 * i);
        keyBox->addWidget(row.jump, 0, 2 * i + 1);
        connect(row.button, &QPushButton::clicked, this, [this, i] { forward(InputEvent::press(kFunctionKeys[i])); });
    }
    left->addLayout(keyBox);
    cancelDebug_ = button(StepByStep::kCancelDebugCaption, this);
    connect(cancelDebug_, &QPushButton::clicked, this, [this] { forward(InputEvent::click(StepByStep::kCancelDebugCaption)); });
    left->addWidget(cancelDebug_);
    layout->addLayout(left, 1);

    auto* right = new QVBoxLayout;
    auto* sliderBox = new QGroupBox("Adjustment", this);
    auto* grid = new QGridLayout(sliderBox);
    for (int i = 0; i < procedure::kPanelSliders; ++i) {
        SliderRow& row = sliders_[static_cast<size_t>(i)];
        row.name = new QLabel(sliderBox);
        row.name->setFont(fixedPitch());
        row.slider = new QSlider(Qt::Horizontal, sliderBox);
        row.slider->setFocusPolicy(Qt::NoFocus);
        row.slider->setSingleStep(procedure::kSliderLine);
        row.slider->setPageStep(procedure::kSliderPage);
        row.slider->setMinimumWidth(200);
        row.value = new QLineEdit(sliderBox);
        row.value->setMaximumWidth(70);
        row.value->installEventFilter(this);
        grid->addWidget(row.name, i, 0);
        grid->addWidget(row.slider, i, 1);
        grid->addWidget(row.value, i, 2);
        connect(row.slider, &QAbstractSlider::actionTriggered, this, [this, i](int action) { sliderAction(i, action); });
        connect(row.slider, &QAbstractSlider::sliderReleased, this, [this, i] {
            const int position = sliders_[static_cast<size_t>(i)].slider->sliderPosition();
            // The thumb at 0 is typed the way a technician types zero.
            forwardToSlider(i, InputEvent::typed(position == 0 ? "0 " : std::to_string(position)));
        });
    }
    right->addWidget(sliderBox);
    auto* displayBox = new QGroupBox("Monitor", this);
    auto* displayGrid = new QGridLayout(displayBox);
    for (int i = 0; i < procedure::kShownDisplays; ++i) {
        DisplayRow& row = displays_[static_cast<size_t>(i)];
        row.name = new QLabel(displayBox);
        row.value = new QLabel(displayBox);
        row.name->setFont(fixedPitch());
        row.value->setFont(fixedPitch());
        displayGrid->addWidget(row.name, i, 0);
        displayGrid->addWidget(row.value, i, 1);
    }
    right->addWidget(displayBox);
    auto* dateGrid = new QGridLayout;
    const char* dateNames[3] = {"YEAR", "WEEK", "SERIAL"};
    for (int i = 0; i < 3; ++i) {
        dateLabels_[static_cast<size_t>(i)] = new QLabel(dateNames[i], this);
        QLineEdit* field = new QLineEdit(this);
        field->installEventFilter(this);
        date_[static_cast<size_t>(i)] = field;
        dateGrid->addWidget(dateLabels_[static_cast<size_t>(i)], i, 0);
        dateGrid->addWidget(field, i, 1);
        connect(field, &QLineEdit::textEdited, this, [this, i](const QString& text) {
            focusDateField(i);
            forward(InputEvent::typed(text.toStdString()));
        });
    }
    right->addLayout(dateGrid);
    right->addStretch();
    layout->addLayout(right);

    points_ = new DcnvPointDialog(screen_, this);
    connect(points_, &DcnvPointDialog::input, this, [this](const InputEvent& e) { forward(e); });

    screen_.setListener([this] { render(); });
    render();
}

StepByStepDialog::~StepByStepDialog() { screen_.setListener({}); }

void StepByStepDialog::render() {
    if (rendering_) return;
    rendering_ = true;
    setWindowTitle(qs(screen_.caption()));
    QString status = qs(screen_.statusText());
    status.replace("\r\n", "\n");
    status_->setText(status);
    step_->setText(qs(screen_.stepNumberText()));
    name_->setText(qs(screen_.stepNameText()));

    log_->setVisible(screen_.logVisible());
    log_->clear();
    for (const std::string& line : screen_.log().lines()) log_->addItem(qs(line));

    for (int i = 0; i < procedure::kPanelKeys; ++i) {
        const StepByStep::KeyButton& b = screen_.buttons()[static_cast<size_t>(i)];
        ButtonRow& row = buttons_[static_cast<size_t>(i)];
        row.button->setVisible(b.visible);
        row.button->setText(qs(b.caption));
        row.jump->setVisible(b.visible && screen_.jumpBoxesVisible());
        row.jump->setText(QString::fromStdString(std::to_string(screen_.jump(i))));
    }
    cancelDebug_->setVisible(screen_.cancelDebugVisible());

    const procedure::StepSliders& sliders = screen_.sliders();
    for (int i = 0; i < procedure::kPanelSliders; ++i) {
        SliderRow& row = sliders_[static_cast<size_t>(i)];
        const procedure::StepSlider& s = sliders.slider(i);
        for (QWidget* w : std::initializer_list<QWidget*>{row.name, row.slider, row.value}) w->setVisible(s.visible);
        row.name->setText(QString("%1 %2").arg(QChar(StepByStep::kSliderLetters[i])).arg(qs(s.name)));
        QFont f = row.name->font();
        f.setBold(i == screen_.selectedSlider());
        row.name->setFont(f);
        QSignalBlocker block(row.slider);
        row.slider->setRange(s.min, s.max);
        row.slider->setValue(s.value);
        if (!row.value->hasFocus() || s.typed.empty()) row.value->setText(qs(s.typed.empty() ? s.valueText : s.typed));
    }

    for (int i = 0; i < procedure::kShownDisplays; ++i) {
        DisplayRow& row = displays_[static_cast<size_t>(i)];
        const bool shown = i < screen_.displayCount();
        row.name->setVisible(shown);
        row.value->setVisible(shown);
        row.name->setText(shown ? qs(screen_.displayName(i)) : QString());
        row.value->setText(shown ? qs(screen_.displayValue(i)) : QString());
    }

    const procedure::ProductDateEntry& date = screen_.productDate();
    const std::string* texts[3] = {&date.year, &date.week, &date.serial};
    for (int i = 0; i < 3; ++i) {
        dateLabels_[static_cast<size_t>(i)]->setVisible(screen_.productDateVisible());
        QLineEdit* field = date_[static_cast<size_t>(i)];
        field->setVisible(screen_.productDateVisible());
        if (field->text().toStdString() != *texts[i]) field->setText(qs(*texts[i]));
    }

    // The point window sits beside the step screen, placed below it at (0, 100).
    if (screen_.dcnvWindow().visible()) {
        points_->render();
        if (!placed_) {
            placed_ = true;
            move(0, kPointWindowY);
            resize(kPlacedWidth, kPlacedHeight);
            points_->move(kPlacedWidth + 10, kPointWindowY);
        }
        if (isVisible()) points_->show();
    } else {
        points_->hide();
    }

    QWidget* focus = nullptr;
    const int at = screen_.focus();
    if (at == StepByStep::kFocusLog) focus = log_;
    else if (at < StepByStep::kFocusFirstSlider) focus = buttons_[static_cast<size_t>(at - StepByStep::kFocusFirstButton)].button;
    else if (at < StepByStep::kFocusYear) focus = sliders_[static_cast<size_t>(at - StepByStep::kFocusFirstSlider)].value;
    else focus = date_[static_cast<size_t>(at - StepByStep::kFocusYear)];
    if (focus && focus->isVisible() && !focus->hasFocus()) focus->setFocus(Qt::OtherFocusReason);
    rendering_ = false;
    if (screen_.closed() && isVisible()) accept();
}

void StepByStepDialog::forward(const InputEvent& event) {
    if (screen_.closed()) return;
    screen_.handle(event);
    render();
}

void StepByStepDialog::forwardToSlider(int index, const InputEvent& event) {
    if (screen_.selectedSlider() != index) forward(InputEvent::charKey(StepByStep::kSliderLetters[index]));
    if (screen_.selectedSlider() != index) {
        render();
        return;
    }
    forward(event);
    if (event.kind == InputEvent::Kind::Text) forward(InputEvent::press(Key::Enter));
}

void StepByStepDialog::sliderAction(int index, int action) {
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd: forwardToSlider(index, InputEvent::press(Key::Up)); break;
    case QAbstractSlider::SliderSingleStepSub: forwardToSlider(index, InputEvent::press(Key::Down)); break;
    case QAbstractSlider::SliderPageStepAdd: forwardToSlider(index, InputEvent::press(Key::PageUp)); break;
    case QAbstractSlider::SliderPageStepSub: forwardToSlider(index, InputEvent::press(Key::PageDown)); break;
    case QAbstractSlider::SliderToMaximum: forwardToSlider(index, InputEvent::press(Key::Home)); break;
    case QAbstractSlider::SliderToMinimum: forwardToSlider(index, InputEvent::press(Key::End)); break;
    default: return;  // a drag is sent when the thumb is released
    }
    // The slider applies this position after the signal: the screen's value.
    sliders_[static_cast<size_t>(index)].slider->setSliderPosition(screen_.sliders().slider(index).value);
}

void StepByStepDialog::focusDateField(int i) {
    // The date fields follow the log list backwards; no slider lies between
    // while the product date is asked for.
    const int target = StepByStep::kFocusYear + i;
    for (int n = 0; n <= StepByStep::kFocusSerial && screen_.focus() != target && !screen_.closed(); ++n)
        screen_.handle(InputEvent::press(Key::Backtab));
}

void StepByStepDialog::reject() {
    if (!screen_.closed()) forward(InputEvent::press(Key::Escape));
    if (screen_.closed()) QDialog::accept();
}

void StepByStepDialog::keyPressEvent(QKeyEvent* event) {
    const auto e = inputEventOf(event);
    if (e) {
        forward(*e);
        return;
    }
    QDialog::keyPressEvent(event);
}

bool StepByStepDialog::focusNextPrevChild(bool next) {
    forward(InputEvent::press(next ? Key::Tab : Key::Backtab));
    return true;
}

bool StepByStepDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
    const auto e = inputEventOf(static_cast<QKeyEvent*>(event));
    if (!e) return QDialog::eventFilter(watched, event);
    for (int i = 0; i < procedure::kPanelSliders; ++i) {
        if (watched != sliders_[static_cast<size_t>(i)].value) continue;
        if (e->is(Key::Enter)) {
            forwardToSlider(i, InputEvent::typed(sliders_[static_cast<size_t>(i)].value->text().toStdString()));
            return true;
        }
        if (isStepKey(*e)) {
            forwardToSlider(i, *e);
            return true;
        }
        if (e->digit() >= 0) return false;  // typing goes into the box
        forward(*e);
        return true;
    }
    for (QLineEdit* field : date_)
        if (watched == field) {
            if (e->digit() >= 0) return false;
            forward(*e);
            return true;
        }
    // The log list and the key buttons: every key is the screen's.
    forward(*e);
    return true;
}

} // namespace gui
