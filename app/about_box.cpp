#include "app/about_box.h"

#include "app/elapsed_time.h"
#include "core/text_format.h"
#include "core/ui.h"
#include "link/ecs_link.h"
#include "siggen/signal_generator.h"

namespace app {

bool AccessWordBox::handle(const core::InputEvent& e) {
    if (closed()) return false;
    if (e.kind == core::InputEvent::Kind::Text) {
        word_ = e.text.substr(0, kMaxWord);
        changed();
        return true;
    }
    if (e.isClick("OK") || e.is(core::Key::Enter)) {
        close(1);
        return true;
    }
    if (e.isClick("Cancel") || e.is(core::Key::Escape)) {
        close(0);
        return true;
    }
    return false;
}

core::ScreenView AccessWordBox::view() const {
    core::ScreenView v;
    v.title = kTitle;
    v.field("Word", word_);
    v.buttons = {{"OK"}, {"Cancel"}};
    v.keys = {"type=TEXT", "Enter", "Escape"};
    return v;
}

AboutBox::AboutBox(appstate::ScreenContext& context, ecs::EcsLink& link, std::string version, std::string logFolder)
    : context_(context), link_(link), version_(std::move(version)), logFolder_(std::move(logFolder)) {
    debugCaption_ = context_.flags.debug ? kDebugOnCaption : kDebugOffCaption;
    logCaption_ = link_.isLogging() ? kLogOnCaption : kLogOffCaption;
}

void AboutBox::rightClick(int area) {
    if (area < 0 || area > 2 || !areaVisible(area)) return;
    if (area == 2) {
        askAccessWord();
        return;
    }
    context_.flags.debugState = static_cast<uint16_t>(context_.flags.debugState | (1u << area));
    changed();
}

void AboutBox::askAccessWord() {
    AccessWordBox box;
    if (context_.ui.runModal(box) != 1 || box.word() != kAccessWord) return;
    if (const std::optional<int64_t> counter = readElapsedCounter(context_))
        elapsed_ = core::strf("%lld", static_cast<long long>(*counter / 2));
    changed();
}

void AboutBox::pressDebug() {
    if (!debugControlsVisible()) return;
    appstate::AppFlags& flags = context_.flags;
    flags.debug = !flags.debug;
    context_.generator.setShowConversion(flags.debug ? 1 : 0);
    debugCaption_ = flags.debug ? kDebugOnCaption : kDebugOffCaption;
    changed();
}

void AboutBox::pressLog() {
    if (!debugControlsVisible()) return;
    if (link_.isLogging()) {
        link_.closeLog();
        logCaption_ = kLogClosedCaption;
    } else if (link_.openLog(logFolder_)) {
        logCaption_ = kLogOpenedCaption;
    } else {
        context_.ui.message(kLogOpenFailedText);
    }
    changed();
}

void AboutBox::ok() {
    if (closed()) return;
    if (context_.flags.debugState != 3) context_.flags.debugState = 0;
    close(1);
}

bool AboutBox::handle(const core::InputEvent& e) {
    if (closed()) return false;
    if (e.isClick(kOkCaption) || e.is(core::Key::Enter) || e.is(core::Key::Escape)) {
        ok();
        return true;
    }
    if (e.kind != core::InputEvent::Kind::Click) return false;
    for (int i = 0; i < 3; ++i)
        if (e.text == kArea[i]) {
            if (!areaVisible(i)) return false;
            rightClick(i);
            return true;
        }
    if (!debugControlsVisible()) return false;
    if (e.text == debugCaption_ || e.text == kDebugOnCaption || e.text == kDebugOffCaption) pressDebug();
    else if (e.text == logCaption_) pressLog();
    else return false;
    return true;
}

core::ScreenView AboutBox::view() const {
    core::ScreenView v;
    v.title = kTitle;
    v.field("Version", versionText());
    if (!elapsed_.empty()) v.field("Elapsed time", elapsed_);
    if (debugControlsVisible()) {
        v.field("Debug state", core::strf("%u", static_cast<unsigned>(context_.flags.debugState)));
        v.field("Log file", link_.ecsType() == 1 ? "ecs.log" : "ecs2.log");
        v.buttons.push_back({debugCaption_});
        v.buttons.push_back({logCaption_});
    }
    v.buttons.push_back({kOkCaption});
    v.keys = {"Enter", "Escape"};
    return v;
}

void runAboutBox(appstate::ScreenContext& context, ecs::EcsLink& link, const std::string& version) {
    AboutBox box(context, link, version);
    context.ui.runModal(box);
    box.ok();
}

} // namespace app
