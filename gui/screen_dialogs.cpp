#include "gui/screen_dialogs.h"

#include <map>

namespace gui {

namespace {
std::map<std::string, DialogFactory>& factories() {
    static std::map<std::string, DialogFactory> f;
    return f;
}
} // namespace

void registerScreenDialog(const std::string& kind, DialogFactory factory) { factories()[kind] = std::move(factory); }

QDialog* makeScreenDialog(core::Screen& screen, QWidget* parent) {
    auto it = factories().find(screen.kind());
    return it == factories().end() ? nullptr : it->second(screen, parent);
}

} // namespace gui
