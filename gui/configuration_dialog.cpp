#include "gui/configuration_dialog.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSignalBlocker>


namespace gui {

using Screen = app::ConfigurationScreen;

ConfigurationDialog::ConfigurationDialog(Screen& screen, QWidget* parent) : QDialog(parent), screen_(screen)
{
    setWindowTitle("Config");
    auto* form = new QFormLayout(this);
    const char* labels[4] = {"Monitor port", "Signal generator", "Generator port", "Generator ISA number"};
    for (int l = 0; l < 4; ++l) {
        auto which = static_cast<Screen::List>(l);
        lists_[l] = new QComboBox(this);
        const auto& items = screen.items(which);
        for (size_t i = 0; i < items.size(); ++i) {
            QString text = QString::fromStdString(items[i]);
            // Beside each COM name, the device it maps to on this machine.
            if ((which == Screen::MonitorPort || which == Screen::GeneratorPort) && i > 0)
                text += "   (" + QString::fromStdString(screen.portDevice(static_cast<int>(i))) + ")";
            lists_[l]->addItem(text);
        }
        form->addRow(labels[l], lists_[l]);
        connect(lists_[l], QOverload<int>::of(&QComboBox::activated), this,
                [this, which](int index) { screen_.choose(which, index); });
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        screen_.handle(core::InputEvent::click("OK"));
        QApplication::restoreOverrideCursor();
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, [this] {
        screen_.handle(core::InputEvent::click("Cancel"));
        reject();
    });
    screen_.setListener([this] { sync(); });
    sync();
}

void ConfigurationDialog::sync()
{
    for (int l = 0; l < 4; ++l) {
        auto which = static_cast<Screen::List>(l);
        QSignalBlocker block(lists_[l]);
        lists_[l]->setCurrentIndex(screen_.shown(which) < lists_[l]->count() ? screen_.shown(which) : -1);
        lists_[l]->setEnabled(which == Screen::MonitorPort || which == Screen::Generator || screen_.enabled(which));
    }
}

ConfigurationDialog::~ConfigurationDialog() { screen_.setListener({}); }


} // namespace gui
