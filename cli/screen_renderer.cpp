#include "cli/screen_renderer.h"

#include <algorithm>

#include "cli/output.h"

namespace cli {

void ScreenRenderer::render(const core::ScreenView& view) {
    // A screen shows once it has its title ("Step by Step" once its file is read).
    if (!opened_ && view.title.empty()) return;
    if (!opened_) {
        out_.screenOpened(view.title, kind_);
        opened_ = true;
    }
    for (const core::ScreenView::Field& f : view.fields) {
        auto it = fields_.find(f.name);
        if (it != fields_.end() && it->second == f.value) continue;
        fields_[f.name] = f.value;
        out_.show(f.name, f.value);
    }
    // Captions change with the state they stand for ("POWER ON" / "POWER OFF").
    std::string buttons;
    for (const core::ScreenView::Button& b : view.buttons)
        buttons += (buttons.empty() ? "" : ", ") + b.caption + (b.enabled ? "" : " (disabled)");
    if (buttons != buttons_) {
        buttons_ = buttons;
        out_.show("buttons", buttons);
    }
    std::string checked;
    for (const core::ScreenView::Button& b : view.buttons)
        if (b.checked) checked += (checked.empty() ? "" : ", ") + b.caption;
    if (checked != checked_) {
        checked_ = checked;
        out_.show("checked", checked);
    }
    for (const core::ScreenView::List& list : view.lists) {
        ListState& seen = lists_[list.name];
        // Lines added at the end print as they come; a list filled anew prints whole.
        const bool extended = seen.lines.size() <= list.lines.size() &&
                              std::equal(seen.lines.begin(), seen.lines.end(), list.lines.begin());
        for (size_t i = extended ? seen.lines.size() : 0; i < list.lines.size(); ++i) out_.log(list.lines[i], list.name);
        if (!extended || seen.lines.size() != list.lines.size()) seen.lines = list.lines;
        if (list.selected != seen.selected) {
            seen.selected = list.selected;
            if (list.selected >= 0) out_.show(list.name + " row", std::to_string(list.selected + 1));
        }
    }
    if (view.progress != progress_) {
        progress_ = view.progress;
        out_.progress(view.progress);
    }
}

void ScreenRenderer::finish() {
    if (progress_ >= 0) out_.progress(-1);
    progress_ = -1;
}

} // namespace cli
