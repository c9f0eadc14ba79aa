#include "gui/generator_control_dialog.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/screen_dialogs.h"

namespace gui {

namespace {

template <size_t N>
QButtonGroup* buttonRow(QWidget* owner, QGroupBox* box, const std::array<int32_t, N>& values,
                        std::string (*text)(int32_t), int columns) {
    auto* group = new QButtonGroup(owner);
    group->setExclusive(true);
    auto* grid = new QGridLayout(box);
    for (size_t i = 0; i < N; ++i) {
        auto* b = new QPushButton(QString::fromStdString(text(values[i])), box);
        b->setCheckable(true);
        b->setAutoDefault(false);
        group->addButton(b, values[i]);
        grid->addWidget(b, static_cast<int>(i) / columns, static_cast<int>(i) % columns);
    }
    return group;
}

// Digit keys of the main keyboard and the keypad alike.
int digitOf(const QKeyEvent* event) {
    const int key = event->key();
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return key - Qt::Key_0;
    return -1;
}

} // namespace

GeneratorControlDialog::GeneratorControlDialog(app::GeneratorControlScreen& screen, QWidget* parent)
    : QDialog(parent), screen_(screen) {
    setWindowTitle("Cont_SG");
    auto* layout = new QHBoxLayout(this);

    auto* left = new QVBoxLayout;
    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel("Model", this), 0, 0);
    model_ = new QLineEdit(this);
    model_->setReadOnly(true);
    fields->addWidget(model_, 0, 1);
    fields->addWidget(new QLabel("Timing No.", this), 1, 0);
    number_ = new QLineEdit(this);
    number_->setReadOnly(true);
    fields->addWidget(number_, 1, 1);
    left->addLayout(fields);
    list_ = new QListWidget(this);
    QFont mono("Monospace");
    mono.setStyleHint(QFont::TypeWriter);
    list_->setFont(mono);
    list_->setMinimumWidth(260);
    list_->installEventFilter(this);
    left->addWidget(list_);
    layout->addLayout(left);

    auto* right = new QVBoxLayout;
    auto* patternBox = new QGroupBox("Pattern", this);
    patterns_ = buttonRow(this, patternBox, app::GeneratorControlScreen::patternButtons(),
                          &app::GeneratorControlScreen::patternButtonText, 3);
    auto* colourBox = new QGroupBox("Color", this);
    colours_ = buttonRow(this, colourBox, app::GeneratorControlScreen::colourButtons(),
                         &app::GeneratorControlScreen::colourButtonText, 4);
    auto* inversionBox = new QGroupBox("Invert", this);
    inversions_ = buttonRow(this, inversionBox, app::GeneratorControlScreen::inversionButtons(),
                            &app::GeneratorControlScreen::inversionButtonText, 2);
    right->addWidget(patternBox);
    right->addWidget(colourBox);
    right->addWidget(inversionBox);
    right->addStretch();
    ok_ = new QPushButton("OK", this);
    ok_->setAutoDefault(false);
    right->addWidget(ok_);
    layout->addLayout(right);

    for (const std::string& line : screen_.timingLines()) list_->addItem(QString::fromStdString(line));

    connect(list_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        screen_.applyRow(list_->row(item));
    });
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!rendering_) screen_.selectRow(row);
    });
    connect(patterns_, &QButtonGroup::idClicked, this, [this](int id) { screen_.pressPattern(id); });
    connect(colours_, &QButtonGroup::idClicked, this, [this](int id) { screen_.pressColour(id); });
    connect(inversions_, &QButtonGroup::idClicked, this, [this](int id) { screen_.pressInversion(id); });
    connect(ok_, &QPushButton::clicked, this, [this] { finish(); });

    screen_.setListener([this] { render(); });
    render();
}

GeneratorControlDialog::~GeneratorControlDialog() { screen_.setListener({}); }

void GeneratorControlDialog::render() {
    rendering_ = true;
    model_->setText(QString::fromStdString(screen_.modelName()));
    number_->setText(QString::fromStdString(screen_.timingNumberText()));
    // Names can change while the screen is open (an unusable timing).
    const auto& lines = screen_.timingLines();
    for (int i = 0; i < list_->count() && i < static_cast<int>(lines.size()); ++i)
        list_->item(i)->setText(QString::fromStdString(lines[static_cast<size_t>(i)]));
    if (screen_.selectedRow() >= 0) list_->setCurrentRow(screen_.selectedRow());
    if (auto* b = patterns_->button(screen_.checkedPattern())) b->setChecked(true);
    if (auto* b = colours_->button(screen_.checkedColour())) b->setChecked(true);
    if (auto* b = inversions_->button(screen_.checkedInversion())) b->setChecked(true);
    rendering_ = false;
    if (screen_.closed() && isVisible()) accept();
}

void GeneratorControlDialog::finish() {
    screen_.ok();
    accept();
}

void GeneratorControlDialog::reject() { finish(); }

bool GeneratorControlDialog::handleKey(QKeyEvent* event) {
    const int digit = digitOf(event);
    if (digit >= 0) {
        screen_.pressDigit(digit);
        return true;
    }
    if (event->key() == Qt::Key_Escape) {
        finish();
        return true;
    }
    return false;
}

void GeneratorControlDialog::keyPressEvent(QKeyEvent* event) {
    if (handleKey(event)) return;
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) return;  // no default button
    QDialog::keyPressEvent(event);
}

bool GeneratorControlDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            screen_.applySelectedRow();
            return true;
        }
        if (handleKey(key)) return true;
    }
    return QDialog::eventFilter(watched, event);
}

AppliancePanelDialog::AppliancePanelDialog(app::AppliancePanel& panel, QWidget* parent)
    : QDialog(parent), panel_(panel) {
    setWindowTitle("Cont_SG");
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    for (int i = 0; i < app::kPanelButtonCount; ++i) {
        const auto& state = panel_.buttons()[static_cast<size_t>(i)];
        auto* b = new QPushButton(QString::fromStdString(state.text), this);
        b->setAutoDefault(false);
        b->setVisible(state.visible);
        connect(b, &QPushButton::clicked, this, [this, i] { panel_.press(i); });
        grid->addWidget(b, i / 5, i % 5);
        buttons_.push_back(b);
    }
    layout->addLayout(grid);
    auto* ok = new QPushButton("OK", this);
    connect(ok, &QPushButton::clicked, this, [this] { reject(); });
    layout->addWidget(ok);
}

AppliancePanelDialog::~AppliancePanelDialog() = default;

void AppliancePanelDialog::reject() {
    panel_.ok();
    accept();
}

void registerGeneratorDialogs() {
    registerScreenDialog(app::GeneratorControlScreen::kKind, [](core::Screen& s, QWidget* parent) -> QDialog* {
        return new GeneratorControlDialog(static_cast<app::GeneratorControlScreen&>(s), parent);
    });
    registerScreenDialog(app::AppliancePanel::kKind, [](core::Screen& s, QWidget* parent) -> QDialog* {
        return new AppliancePanelDialog(static_cast<app::AppliancePanel&>(s), parent);
    });
}

} // namespace gui
