#pragma once
// The Qt dialog of the configuration screen: four drop-down lists, OK and Cancel.
#include <QDialog>

#include "app/configuration_screen.h"

class QComboBox;

namespace gui {

class ConfigurationDialog : public QDialog {
    Q_OBJECT
public:
    ConfigurationDialog(app::ConfigurationScreen& screen, QWidget* parent = nullptr);
    QComboBox* list(app::ConfigurationScreen::List which) const { return lists_[which]; }

    // Registers the dialog for screens of kind "Configuration".
    ~ConfigurationDialog() override;

    static void registerDialog();

private:
    void sync();
    app::ConfigurationScreen& screen_;
    QComboBox* lists_[4];
};

} // namespace gui
