// The timing card's file readers: the timing form, the box picture form and
// the colour table form (any other picture or colour file: non-empty text).
// The input is read as each of the three kinds, then loaded into an open
// emulated card from a file, as the library does.
//
// Input: the file kind to load (its value modulo 3), then the file's text.
#include <string>

#include "fuzz/support/fuzz_input.h"
#include "fuzz/support/scratch.h"
#include "outside/vtg32/card_files.h"
#include "outside/vtg32/timing_card.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Input in(data, size);
    const auto kind = static_cast<vtg32::FileKind>(in.byte() % 3);
    const fuzz::Bytes bytes = in.rest();
    const std::string text(bytes.begin(), bytes.end());

    std::string why;
    vtg32::readTimingFile(text, &why);
    if (const std::optional<vtg32::CardPicture> p = vtg32::readPictureFile(text, &why)) {
        if (p->box && (p->boxOffset < 0 || p->boxOffset > 50 || p->boxSide < 0 || p->boxSide > 100)) __builtin_trap();
    }
    if (const std::optional<vtg32::CardColours> c = vtg32::readColourFile(text, &why)) {
        for (const vtg32::Rgb& e : c->entries)
            if (e.r < 0 || e.r > 255 || e.g < 0 || e.g > 255 || e.b < 0 || e.b > 255) __builtin_trap();
    }

    fuzz::placeFile("card-file", bytes);
    vtg32::TimingCards cards;
    const int32_t handle = cards.open(1);
    const int loaded = cards.load(handle, kind, fuzz::scratchFolder() + "/card-file", &why);
    const vtg32::TimingCards::Card* card = cards.card(handle);
    // A load that says it took the file holds what it read.
    if (loaded == 0 && (!card || (kind == vtg32::FileKind::Timing && !card->timing) ||
                        (kind == vtg32::FileKind::Picture && !card->picture) ||
                        (kind == vtg32::FileKind::Colour && !card->colours)))
        __builtin_trap();
    return 0;
}
