#pragma once
// A simulated ASCII-command generator: one command text in, the reply to a
// query out. It parses every command pelaro sends, keeps the formats and
// images defined through it, answers "VERF?" with its firmware version and
// "FMTG?" with the status of the format in use (0, or 2091 when its
// horizontal total is odd), and logs each command and what it did. Adapters
// put it behind a serial line, a pseudo-terminal or the card stand-in.
#include <array>
#include <cstddef>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qdgen {

constexpr const char* kDefaultFirmware = "3.100";
// The status "FMTG?" reports for a format whose horizontal total is odd.
constexpr int kStatusHTotalOdd = 2091;

// A video format as the generator keeps it.
struct Format {
    double hRate = 0;         // HRAT, Hz
    int hRes = 0;             // HRES, dots
    int hTotal = 0;           // HTOT
    int hSyncDelay = 0;       // HSPD
    int hSyncWidth = 0;       // HSPW
    int hSyncPositive = 1;    // HSPP, 1 = positive
    int vRes = 0;             // VRES, lines
    int vTotal = 0;           // VTOT
    int vSyncDelay = 0;       // VSPD
    int vSyncWidth = 0;       // VSPW
    int vSyncPositive = 1;    // VSPP
    int scan = 1;             // SCAN: 1 progressive, 2 interlaced
    int avst = 0, asct = 0, dsct = 0;
    int syncType = 1;         // SSST
    std::array<int, 3> guns{1, 1, 1};  // XVSG red, green, blue
    // "FMTG?": 0, or kStatusHTotalOdd.
    int status() const;
    // The format's values as one line of the log.
    std::string describe() const;
};

struct Rect {
    std::string colour;
    int width = 0, height = 0, x = 0, y = 0;
    std::string fill;
};

struct Image {
    std::vector<Rect> rects;
    std::array<double, 3> levels{1, 1, 1};
    bool builtIn = false;
    std::string describe() const;
};

// What is on the generator's output.
struct Output {
    bool on = false;
    std::string format;   // the format in use, empty before the first ALLU
    std::string image;    // the image in use
    int invert = 0;
    std::array<double, 3> levels{1, 1, 1};  // AVSC outside an image definition
};

class QdgenCore {
public:
    explicit QdgenCore(std::string firmware = kDefaultFirmware);

    // Handles one command text as given (blanks around it kept in the log).
    // Returns the reply to a query, nothing for any other command.
    std::optional<std::string> command(std::string_view text);

    // The firmware version text "VERF?" answers. Firmware above 2.982 has the
    // hatch images; older firmware only "Linearty".
    void setFirmware(std::string version);
    const std::string& firmware() const { return firmware_; }

    // Each log line: the command, what it changed, errors.
    std::function<void(const std::string&)> onLog;

    const std::map<std::string, Format>& formats() const { return formats_; }
    const std::map<std::string, Image>& images() const { return images_; }
    const Output& output() const { return output_; }
    const std::string& loadedFormat() const { return loadedFormat_; }
    const std::string& loadedImage() const { return loadedImage_; }
    // Refuses input that never became a command (logged and counted).
    void refuse(const std::string& why) { fail(why); }

    // The commands refused so far (unknown, malformed, out of place).
    int errors() const { return errors_; }
    const std::string& lastError() const { return lastError_; }

private:
    using Args = std::vector<std::string>;
    bool run(const std::string& name, const Args& args, std::string& reply);
    bool formatCommand(const std::string& name, const Args& args);
    bool imageCommand(const std::string& name, const Args& args);
    bool outputCommand(const std::string& name, const Args& args);
    bool fail(const std::string& why);
    void log(const std::string& line) const;
    bool hasHatchImages() const;
    void addBuiltInImages();

    std::string firmware_;
    std::map<std::string, Format> formats_;
    std::map<std::string, Image> images_;
    Output output_;

    std::string formatName_;            // FMTN
    std::optional<Format> formatEdit_;  // between FMTB and FMTS
    bool formatEditing_ = false;        // between FMTB and FMTE
    std::optional<Image> imageEdit_;    // from IMGN to IMGA
    bool imageEditing_ = false;         // between IMGB and IMGE
    std::string loadedFormat_;          // FMTL
    std::string loadedImage_;           // IMGL

    int errors_ = 0;
    std::string lastError_;
};

// Reads a whole decimal number (optional sign); nothing for anything else.
std::optional<int> parseInt(std::string_view text);
// Reads a decimal number with an optional fraction; nothing for anything else.
std::optional<double> parseNumber(std::string_view text);

} // namespace qdgen
