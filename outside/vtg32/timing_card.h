#pragma once
// The emulated timing-generator cards behind the library: which cards are
// present and open, and what each took from the files loaded into it.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "outside/vtg32/card_files.h"

namespace vtg32 {

enum class FileKind { Timing, Picture, Colour };

class TimingCards {
public:
    static constexpr int kMaxCards = 4;
    static constexpr size_t kMaxFileBytes = 1 << 20;

    // The number of cards present (0..4), looked at on each open.
    void setPresent(int count);
    int32_t open(int32_t card);
    int32_t close(int32_t handle);
    // 0 when the card took the file; 1 with *why when not.
    int load(int32_t handle, FileKind kind, const std::string& path, std::string* why);

    struct Card {
        bool open = false;
        std::optional<CardTiming> timing;
        std::optional<CardPicture> picture;
        std::optional<CardColours> colours;
        std::string timingPath, picturePath, colourPath;
    };
    // The card of `handle`, or null.
    const Card* card(int32_t handle) const;

private:
    int present_ = 1;
    std::array<Card, kMaxCards> cards_{};
};

// Reads a whole file of at most `limit` bytes; false when it is missing,
// unreadable or larger.
bool readWholeFile(const std::string& path, size_t limit, std::string& out, std::string* why);

} // namespace vtg32
