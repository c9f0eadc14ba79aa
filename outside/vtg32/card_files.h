#pragma once
// The text files the timing-generator card takes, read and checked: the
// timing form, the box picture form, the 256-entry colour table form, and
// plain text for any other picture or colour file.
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace vtg32 {

// A timing as the card's timing file gives it.
struct CardTiming {
    double hFrequencyKHz = 0;
    double hTotalUs = 0, hActiveUs = 0;
    long activeDots = 0;
    double hSyncUs = 0, hBackUs = 0;
    long vTotal = 0, vActive = 0, vSync = 0, vBack = 0;
    // The sync groups present, with the polarity signs they carry.
    bool separateSync = false;   // "+"/"-" H, "+"/"-" V, "T", "-"
    bool syncOnGreen = false;    // "+Off", "+Off", "G", "-"
    bool compositeSync = false;  // "C", "+Off", "T", "+"/"-"
    char hPolarity = '+', vPolarity = '+';
    double hFrontUs = 0;
    long vFront = 0;
    double dotClockMHz = 0;
    bool interlace = false;
};

// A picture file: the box form gives the box's offset and side in percent
// of the screen; any other picture is kept by its first lines.
struct CardPicture {
    bool box = false;
    long boxOffset = 0, boxSide = 0;
    std::string title;  // the second line
};

struct Rgb {
    int r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

// A colour file: the table form gives its 256 entries.
struct CardColours {
    bool table = false;
    std::array<Rgb, 256> entries{};
};

// Each reader returns nothing and fills *why when the text does not have the form.
std::optional<CardTiming> readTimingFile(const std::string& text, std::string* why);
std::optional<CardPicture> readPictureFile(const std::string& text, std::string* why);
std::optional<CardColours> readColourFile(const std::string& text, std::string* why);

// The text split into lines at LF (a CR before it dropped); a last line
// without LF counts.
std::vector<std::string> textLines(const std::string& text);

} // namespace vtg32
