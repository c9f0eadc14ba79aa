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

#include "gui/input_events.h"

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

    // A double click is a click on the row and Enter.
    connect(list_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        forward(core::InputEvent::selectRow(list_->row(item) + 1));
        forward(core::InputEvent::press(core::Key::Enter));
    });
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!rendering_ && row >= 0) forward(core::InputEvent::selectRow(row + 1));
    });
    for (QButtonGroup* group : {patterns_, colours_, inversions_})
        connect(group, &QButtonGroup::buttonClicked, this,
                [this](QAbstractButton* b) { forward(core::InputEvent::click(b->text().toStdString())); });
    connect(ok_, &QPushButton::clicked, this, [this] { forward(core::InputEvent::click("OK")); });

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

void GeneratorControlDialog::forward(const core::InputEvent& event) {
    screen_.handle(event);
    if (screen_.closed() && isVisible()) accept();
}

void GeneratorControlDialog::reject() { forward(core::InputEvent::press(core::Key::Escape)); }

void GeneratorControlDialog::keyPressEvent(QKeyEvent* event) {
    const auto e = inputEventOf(event);
    // Enter belongs to the list; elsewhere the dialog has no default button.
    if (e && !e->is(core::Key::Enter) && screen_.handle(*e)) {
        if (screen_.closed()) accept();
        return;
    }
    if (e && e->is(core::Key::Enter)) return;
    QDialog::keyPressEvent(event);
}

bool GeneratorControlDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list_ && event->type() == QEvent::KeyPress) {
        const auto e = inputEventOf(static_cast<QKeyEvent*>(event));
        if (e && (e->is(core::Key::Enter) || e->digit() >= 0 || e->is(core::Key::Escape))) {
            forward(*e);
            return true;
        }
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
    connect(ok, &QPushButton::clicked, this, [this] {
        panel_.handle(core::InputEvent::click("OK"));
        accept();
    });
    layout->addWidget(ok);
}

AppliancePanelDialog::~AppliancePanelDialog() = default;

void AppliancePanelDialog::reject() {
    panel_.handle(core::InputEvent::press(core::Key::Escape));
    accept();
}

} // namespace gui
