#include "outside/vtg32/timing_card.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace vtg32 {

bool readWholeFile(const std::string& path, size_t limit, std::string& out, std::string* why) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        if (why) *why = "missing";
        return false;
    }
    out.clear();
    char buf[4096];
    while (in.read(buf, sizeof buf) || in.gcount() > 0) {
        out.append(buf, static_cast<size_t>(in.gcount()));
        if (out.size() > limit) {
            if (why) *why = "too large";
            return false;
        }
    }
    if (in.bad()) {
        if (why) *why = "unreadable";
        return false;
    }
    return true;
}

void TimingCards::setPresent(int count) { present_ = std::clamp(count, 0, kMaxCards); }

int32_t TimingCards::open(int32_t card) {
    if (card < 1 || card > kMaxCards) card = 1;
    if (card > present_) return -1;
    cards_[static_cast<size_t>(card - 1)].open = true;
    return card;
}

int32_t TimingCards::close(int32_t handle) {
    if (!card(handle)) return 1;
    cards_[static_cast<size_t>(handle - 1)].open = false;
    return handle;
}

const TimingCards::Card* TimingCards::card(int32_t handle) const {
    if (handle < 1 || handle > kMaxCards) return nullptr;
    const Card& c = cards_[static_cast<size_t>(handle - 1)];
    return c.open ? &c : nullptr;
}

int TimingCards::load(int32_t handle, FileKind kind, const std::string& path, std::string* why) {
    if (!card(handle)) {
        if (why) *why = "card not open";
        return 1;
    }
    Card& c = cards_[static_cast<size_t>(handle - 1)];
    std::string text;
    if (!readWholeFile(path, kMaxFileBytes, text, why)) return 1;
    switch (kind) {
    case FileKind::Timing: {
        std::optional<CardTiming> t = readTimingFile(text, why);
        if (!t) return 1;
        c.timing = t;
        c.timingPath = path;
        return 0;
    }
    case FileKind::Picture: {
        std::optional<CardPicture> p = readPictureFile(text, why);
        if (!p) return 1;
        c.picture = p;
        c.picturePath = path;
        return 0;
    }
    case FileKind::Colour: {
        std::optional<CardColours> col = readColourFile(text, why);
        if (!col) return 1;
        c.colours = col;
        c.colourPath = path;
        return 0;
    }
    }
    return 1;
}

} // namespace vtg32
