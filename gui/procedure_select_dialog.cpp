#include "gui/procedure_select_dialog.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/input_events.h"

namespace gui {

ProcedureSelectDialog::ProcedureSelectDialog(procedure::ProcedureSelect& screen, QWidget* parent)
    : QDialog(parent), screen_(screen) {
    setWindowTitle("Procedure Select");
    auto* layout = new QVBoxLayout(this);
    list_ = new QListWidget(this);
    QFont courier("Courier");
    courier.setStyleHint(QFont::TypeWriter);
    courier.setFixedPitch(true);
    courier.setPixelSize(15);
    list_->setFont(courier);
    list_->setMinimumWidth(QFontMetrics(courier).horizontalAdvance(QString(50, 'M')));
    list_->setMinimumHeight(360);
    list_->installEventFilter(this);
    layout->addWidget(list_);

    auto* buttons = new QHBoxLayout;
    start_ = new QPushButton("Start", this);
    exit_ = new QPushButton("Exit", this);
    start_->setAutoDefault(false);
    exit_->setAutoDefault(false);
    buttons->addStretch();
    buttons->addWidget(start_);
    buttons->addWidget(exit_);
    layout->addLayout(buttons);

    connect(start_, &QPushButton::clicked, this, [this] { forward(core::InputEvent::click("Start")); });
    connect(exit_, &QPushButton::clicked, this, [this] { forward(core::InputEvent::click("Exit")); });
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!rendering_ && row >= 0) forward(core::InputEvent::selectRow(row + 1));
    });
    connect(list_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        forward(core::InputEvent::selectRow(list_->row(item) + 1));
        forward(core::InputEvent::press(core::Key::Enter));
    });

    screen_.setListener([this] { render(); });
    render();
    list_->setFocus();
}

ProcedureSelectDialog::~ProcedureSelectDialog() { screen_.setListener({}); }

void ProcedureSelectDialog::render() {
    rendering_ = true;
    const auto& rows = screen_.rows();
    list_->clear();
    for (const std::string& row : rows) list_->addItem(QString::fromStdString(row));
    if (screen_.selectedRow() >= 0) list_->setCurrentRow(screen_.selectedRow());
    rendering_ = false;
    if (screen_.closed() && isVisible()) accept();
}

void ProcedureSelectDialog::forward(const core::InputEvent& event) {
    screen_.handle(event);
    if (screen_.closed() && isVisible()) accept();
}

void ProcedureSelectDialog::reject() { forward(core::InputEvent::press(core::Key::Escape)); }

bool ProcedureSelectDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list_ && event->type() == QEvent::KeyPress) {
        const auto e = inputEventOf(static_cast<QKeyEvent*>(event));
        if (e && (e->is(core::Key::Enter) || e->is(core::Key::Escape))) {
            forward(*e);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace gui
