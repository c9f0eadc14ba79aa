#pragma once
// Which Qt dialog renders which screen class: each dialog registers a factory
// under the screen's kind(); QtUi::runModal looks it up.
#include <QDialog>
#include <functional>
#include <string>

#include "core/screen.h"

namespace gui {

using DialogFactory = std::function<QDialog*(core::Screen& screen, QWidget* parent)>;

void registerScreenDialog(const std::string& kind, DialogFactory factory);
QDialog* makeScreenDialog(core::Screen& screen, QWidget* parent);

} // namespace gui
