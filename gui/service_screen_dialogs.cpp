#include "gui/service_screen_dialogs.h"

#include <QAbstractSlider>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

#include "gui/input_events.h"

namespace gui {

namespace {

using core::InputEvent;
using core::Key;

QString qs(const std::string& s) { return QString::fromStdString(s); }

QFont fixedPitch() {
    QFont mono("Monospace");
    mono.setStyleHint(QFont::TypeWriter);
    return mono;
}

QPushButton* button(const char* caption, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setAutoDefault(false);
    return b;
}

bool isStepKey(const InputEvent& e) {
    for (Key k : {Key::Up, Key::Down, Key::PageUp, Key::PageDown, Key::Home, Key::End})
        if (e.is(k)) return true;
    return false;
}

} // namespace

// ---- Factory preset ----

FactoryPresetDialog::FactoryPresetDialog(screens::FactoryPreset& screen, QWidget* parent)
    : QDialog(parent), screen_(screen) {
    setWindowTitle(screens::FactoryPreset::kTitle);
    auto* layout = new QHBoxLayout(this);

    auto* left = new QVBoxLayout;
    statusBox_ = new QGroupBox("Monitor", this);
    auto* statusGrid = new QGridLayout(statusBox_);
    const char* statusNames[4] = {"Mode", "HFre", "VFre", "Sync"};
    for (int i = 0; i < 4; ++i) {
        statusGrid->addWidget(new QLabel(statusNames[i], statusBox_), i, 0);
        status_[static_cast<size_t>(i)] = new QLineEdit(statusBox_);
        status_[static_cast<size_t>(i)]->setReadOnly(true);
        status_[static_cast<size_t>(i)]->setFocusPolicy(Qt::NoFocus);
        statusGrid->addWidget(status_[static_cast<size_t>(i)], i, 1);
    }
    left->addWidget(statusBox_);
    list_ = new QListWidget(this);
    list_->setFont(fixedPitch());
    list_->setMinimumWidth(230);
    list_->installEventFilter(this);
    left->addWidget(list_);
    layout->addLayout(left);

    auto* right = new QVBoxLayout;
    auto* sliderBox = new QGroupBox("Factory preset registers", this);
    auto* grid = new QGridLayout(sliderBox);
    for (int i = 0; i < static_cast<int>(screens::kPresetSliderCount); ++i) {
        SliderRow& row = rows_[static_cast<size_t>(i)];
        row.name = new QLabel(sliderBox);
        row.name->setFont(fixedPitch());
        row.slider = new QSlider(Qt::Horizontal, sliderBox);
        row.slider->setFocusPolicy(Qt::NoFocus);
        row.slider->setSingleStep(screens::kSliderLineStep);
        row.slider->setPageStep(screens::kSliderPageStep);
        row.slider->setMinimumWidth(220);
        row.value = new QLineEdit(sliderBox);
        row.value->setMaximumWidth(70);
        row.value->installEventFilter(this);
        grid->addWidget(row.name, i, 0);
        grid->addWidget(row.slider, i, 1);
        grid->addWidget(row.value, i, 2);
        connect(row.slider, &QAbstractSlider::actionTriggered, this, [this, i](int action) { sliderAction(i, action); });
        connect(row.slider, &QAbstractSlider::sliderReleased, this, [this, i] { sliderReleased(i); });
    }
    right->addWidget(sliderBox);
    auto* buttons = new QHBoxLayout;
    save_ = button(screens::FactoryPreset::kSaveCaption, this);
    restore_ = button(screens::FactoryPreset::kRestoreCaption, this);
    close_ = button(screens::FactoryPreset::kCloseCaption, this);
    for (QPushButton* b : {save_, restore_, close_}) {
        buttons->addWidget(b);
        connect(b, &QPushButton::clicked, this, [this, b] { forward(InputEvent::click(b->text().toStdString())); });
    }
    right->addLayout(buttons);
    right->addStretch();
    layout->addLayout(right);

    statusBox_->setVisible(screen_.hasList());
    list_->setVisible(screen_.hasList());
    for (size_t i = 0; i < screen_.rows().size(); ++i) list_->addItem(QString());
    // A click chooses a row; the list's keys go to the screen (eventFilter),
    // and the current row the list sets itself when it takes the focus is
    // no choice.
    connect(list_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        if (!rendering_) forward(InputEvent::selectRow(list_->row(item) + 1));
    });

    screen_.setListener([this] { render(); });
    render();
}

FactoryPresetDialog::~FactoryPresetDialog() { screen_.setListener({}); }

void FactoryPresetDialog::render() {
    rendering_ = true;
    const auto& rows = screen_.rows();
    const auto& marks = screen_.marks();
    for (int i = 0; i < list_->count() && i < static_cast<int>(rows.size()); ++i)
        list_->item(i)->setText(qs((marks[static_cast<size_t>(i)].empty() ? " " : marks[static_cast<size_t>(i)]) +
                                   rows[static_cast<size_t>(i)]));
    {
        QSignalBlocker block(list_);
        list_->setCurrentRow(screen_.selectedRow());
        if (screen_.selectedRow() < 0) list_->clearSelection();
    }
    const screens::MonitorStatus& s = screen_.status();
    status_[0]->setText(qs(s.mode));
    status_[1]->setText(qs(s.hFrequency));
    status_[2]->setText(qs(s.vFrequency));
    status_[3]->setText(qs(s.sync));

    const int selected = screen_.selectedSlider();
    for (size_t i = 0; i < rows_.size(); ++i) {
        const screens::PresetSlider& state = screen_.sliders().slider(i);
        SliderRow& row = rows_[i];
        for (QWidget* w : std::initializer_list<QWidget*>{row.name, row.slider, row.value}) w->setVisible(state.visible());
        row.name->setText(QString("%1 %2").arg(QChar(screens::FactoryPreset::kSliderLetters[i])).arg(qs(state.name)));
        QFont f = row.name->font();
        f.setBold(screen_.adjusting() && static_cast<int>(i) == selected);
        row.name->setFont(f);
        QSignalBlocker block(row.slider);
        row.slider->setRange(state.min, state.max);
        row.slider->setValue(state.value);
        row.slider->setEnabled(screen_.adjusting());
        row.value->setText(qs(state.typed.empty() ? state.valueText : state.typed));
        row.value->setReadOnly(!screen_.adjusting());
    }

    QWidget* focus = nullptr;
    switch (screen_.focus()) {
    case screens::FactoryPreset::kFocusList: focus = list_; break;
    case screens::FactoryPreset::kFocusSave: focus = save_; break;
    case screens::FactoryPreset::kFocusRestore: focus = restore_; break;
    case screens::FactoryPreset::kFocusClose: focus = close_; break;
    default:
        if (selected >= 0) focus = rows_[static_cast<size_t>(selected)].value;
        break;
    }
    if (focus && focus->isVisible()) focus->setFocus(Qt::OtherFocusReason);
    rendering_ = false;
    if (screen_.closed() && isVisible()) accept();
}

bool FactoryPresetDialog::forward(const InputEvent& event) {
    const bool taken = screen_.handle(event);
    if (screen_.closed() && isVisible()) accept();
    return taken;
}

void FactoryPresetDialog::forwardToSlider(int index, const InputEvent& event) {
    if (screen_.selectedSlider() != index)
        forward(InputEvent::charKey(screens::FactoryPreset::kSliderLetters[index], true));
    if (screen_.selectedSlider() != index) {
        render();  // not adjusting now: show the screen's values again
        return;
    }
    forward(event);
    if (event.kind == InputEvent::Kind::Text) forward(InputEvent::press(Key::Enter));
}

void FactoryPresetDialog::sliderAction(int index, int action) {
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
    rows_[static_cast<size_t>(index)].slider->setSliderPosition(screen_.sliders().slider(static_cast<size_t>(index)).value);
}

void FactoryPresetDialog::sliderReleased(int index) {
    const int position = rows_[static_cast<size_t>(index)].slider->sliderPosition();
    // The thumb at 0 is typed the way a technician types zero.
    forwardToSlider(index, InputEvent::typed(position == 0 ? "0 " : std::to_string(position)));
    render();
}

void FactoryPresetDialog::valueEntered(int index) {
    forwardToSlider(index, InputEvent::typed(rows_[static_cast<size_t>(index)].value->text().toStdString()));
    render();
}

void FactoryPresetDialog::reject() {
    if (!screen_.closed()) forward(InputEvent::press(Key::Escape));
    if (screen_.closed()) QDialog::accept();
}

void FactoryPresetDialog::keyPressEvent(QKeyEvent* event) {
    const auto e = inputEventOf(event);
    if (e && forward(*e)) return;
    if (e && e->is(Key::Enter)) return;  // no default button
    QDialog::keyPressEvent(event);
}

bool FactoryPresetDialog::focusNextPrevChild(bool next) {
    forward(InputEvent::press(next ? Key::Tab : Key::Backtab));
    return true;
}

bool FactoryPresetDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
    const auto e = inputEventOf(static_cast<QKeyEvent*>(event));
    if (!e) return QDialog::eventFilter(watched, event);
    if (watched == list_) {
        // The list's keys are the screen's: it moves the selection itself.
        if (e->kind == InputEvent::Kind::Key && (e->key != Key::Character || e->alt)) {
            forward(*e);
            return true;
        }
        return QDialog::eventFilter(watched, event);
    }
    for (int i = 0; i < static_cast<int>(rows_.size()); ++i) {
        if (watched != rows_[static_cast<size_t>(i)].value) continue;
        if (e->is(Key::Enter)) {
            valueEntered(i);
            return true;
        }
        if (isStepKey(*e)) {
            forwardToSlider(i, *e);
            return true;
        }
        if (e->key != Key::Character || e->alt) {
            forward(*e);
            return true;
        }
        return false;  // typing goes into the box
    }
    return QDialog::eventFilter(watched, event);
}

// ---- Maintenance ----

MaintenanceDialog::MaintenanceDialog(screens::MaintenanceScreen& screen, QWidget* parent)
    : QDialog(parent), screen_(screen) {
    using S = screens::MaintenanceScreen;
    setWindowTitle(S::kTitle);
    setMinimumWidth(320);
    auto* layout = new QVBoxLayout(this);
    monitorId_ = new QLabel(this);
    factoryId_ = new QLabel(this);
    for (QLabel* l : {monitorId_, factoryId_}) {
        l->setFont(fixedPitch());
        layout->addWidget(l);
    }
    auto* row = new QHBoxLayout;
    degauss_ = button(S::kDegaussCaption, this);
    aging_ = button(S::kAgingOnCaption, this);
    power_ = button(S::kPowerOnCaption, this);
    for (QPushButton* b : {degauss_, aging_, power_}) row->addWidget(b);
    layout->addLayout(row);
    note_ = new QLabel(S::kNote, this);
    layout->addWidget(note_);
    close_ = button(S::kCloseCaption, this);
    layout->addWidget(close_);
    // Each button is clicked by its current caption.
    for (QPushButton* b : {degauss_, aging_, power_, close_})
        connect(b, &QPushButton::clicked, this, [this, b] { forward(InputEvent::click(b->text().toStdString())); });
    screen_.setListener([this] { render(); });
    render();
}

MaintenanceDialog::~MaintenanceDialog() { screen_.setListener({}); }

void MaintenanceDialog::render() {
    monitorId_->setText(qs(screen_.monitorIdText()));
    monitorId_->setVisible(!screen_.monitorIdText().empty());
    factoryId_->setText(qs(screen_.factoryIdText()));
    factoryId_->setVisible(!screen_.factoryIdText().empty());
    degauss_->setVisible(screen_.degaussVisible());
    aging_->setText(qs(screen_.agingCaption()));
    aging_->setVisible(screen_.agingVisible());
    power_->setText(qs(screen_.powerCaption()));
    power_->setVisible(screen_.powerVisible());
    note_->setVisible(screen_.noteVisible());
    if (screen_.closed() && isVisible()) accept();
}

void MaintenanceDialog::forward(const InputEvent& event) {
    screen_.handle(event);
    if (screen_.closed() && isVisible()) accept();
}

void MaintenanceDialog::reject() {
    if (!screen_.closed()) forward(InputEvent::press(Key::Escape));
    if (screen_.closed()) QDialog::accept();
}

// ---- Failure ----

FailureDialog::FailureDialog(screens::FailureScreen& screen, QWidget* parent) : QDialog(parent), screen_(screen) {
    using S = screens::FailureScreen;
    setWindowTitle(S::kTitle);
    auto* layout = new QVBoxLayout(this);
    list_ = new QListWidget(this);
    list_->setFont(fixedPitch());
    list_->setMinimumSize(320, 260);
    list_->setSelectionMode(QAbstractItemView::NoSelection);
    layout->addWidget(list_);
    auto* row = new QHBoxLayout;
    refresh_ = button(S::kRefreshCaption, this);
    close_ = button(S::kCloseCaption, this);
    row->addWidget(refresh_);
    row->addWidget(close_);
    layout->addLayout(row);
    for (QPushButton* b : {refresh_, close_})
        connect(b, &QPushButton::clicked, this, [this, b] { forward(InputEvent::click(b->text().toStdString())); });
    screen_.setListener([this] { render(); });
    render();
}

FailureDialog::~FailureDialog() { screen_.setListener({}); }

void FailureDialog::render() {
    list_->clear();
    for (const std::string& line : screen_.lines()) list_->addItem(qs(line));
    if (screen_.closed() && isVisible()) accept();
}

void FailureDialog::forward(const InputEvent& event) {
    screen_.handle(event);
    if (screen_.closed() && isVisible()) accept();
}

void FailureDialog::reject() {
    if (!screen_.closed()) forward(InputEvent::press(Key::Escape));
    if (screen_.closed()) QDialog::accept();
}

} // namespace gui
