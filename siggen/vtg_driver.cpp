#include "siggen/vtg_driver.h"

#include <fstream>

#include "core/ui.h"
#include "platform/program_home.h"
#include "siggen/signal_generator.h"
#include "siggen/vtg_files.h"

namespace siggen {

namespace {

constexpr int16_t kLoadFailed = 1;

// Creates or overwrites `path` with `text`; false when that did not happen.
bool writeText(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    return out.good();
}

} // namespace

std::string VtgDriver::path(const std::string& name) const {
    const std::string folder = platform::locateFile(home_, kVtgFolder);
    return platform::locateFile(folder, name);
}

void VtgDriver::open(SignalGenerator& sg) {
    card_->opened(link_->openCard(card_->handle()));
    if (!card_->available()) sg.ui().message(" PG110.120 is NG. Please check condition ! ");
}

void VtgDriver::apply(SignalGenerator& sg) {
    if (const std::optional<std::string> failure = vtgApplyFailure(VtgApply(sg))) sg.ui().message(*failure);
}

void VtgDriver::close(SignalGenerator&) { card_->closed(link_->closeCard(card_->handle())); }

int VtgDriver::VtgApply(SignalGenerator& sg) {
    const int32_t handle = card_->handle();
    const SgPatternSelection& sel = sg.selection();

    // A timing file that could not be written is not loaded: an older one
    // left on disk would put the wrong timing on the screen.
    const std::string timing = path(kVtgTimingFile);
    if (!writeText(timing, vtgTimingFile(sg.timing()))) return kVtgApplyLoadFailed;
    if (link_->loadTiming(handle, timing) == kLoadFailed) return kVtgApplyLoadFailed;

    if (sel.pattern == kPatternSpecialWhite) {
        const std::string picture = path(kVtgBoxPicture);
        if (!writeText(picture, vtgBoxPicture(sg.specialWhiteBox()))) return kVtgApplyLoadFailed;
        if (link_->loadPicture(handle, picture) == kLoadFailed) return kVtgApplyLoadFailed;
        const std::string colours = path(kVtgBoxColours);
        if (!writeText(colours, vtgBoxColours(sg.specialWhiteLevel(), sel.colour))) return kVtgApplyLoadFailed;
        if (link_->loadColour(handle, colours) == kLoadFailed) return kVtgApplyLoadFailed;
        return 0;
    }
    if (link_->loadPicture(handle, path(vtgPictureName(sel.pattern))) == kLoadFailed) return kVtgApplyLoadFailed;
    if (link_->loadColour(handle, path(vtgColourName(sel.colour, sel.invert))) == kLoadFailed)
        return kVtgApplyLoadFailed;
    return 0;
}

void installVtgDrivers(SignalGenerator& sg, const std::shared_ptr<VtgLink>& link, const std::string& home) {
    const auto card = std::make_shared<VtgCard>();
    for (const SgKind& kind : sgKindTable())
        if (kind.family == SgDriverFamily::TimingCard)
            sg.installDriver(kind.index, std::make_unique<VtgDriver>(link, card, home));
}

} // namespace siggen
