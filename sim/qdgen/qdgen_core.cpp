#include "sim/qdgen/qdgen_core.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace qdgen {

namespace {

struct BuiltIn {
    const char* name;
    bool hatch;  // only on firmware above 2.982
};

constexpr BuiltIn kBuiltInImages[] = {
    {"Linearty", false}, {"hatch5x4", true},  {"hatch4x3", true},  {"hatch24s", true},
    {"MEMEPlus", false}, {"GRAYBAR", false},  {"FLAT", false},     {"SMPTE133", false},
    {"Check_11", false}, {"FLATGRAY", false}, {"RASTER", false},
};

const BuiltIn* builtIn(const std::string& name) {
    for (const BuiltIn& b : kBuiltInImages)
        if (name == b.name) return &b;
    return nullptr;
}

std::vector<std::string> split(std::string_view text) {
    std::vector<std::string> words;
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
        const size_t start = i;
        while (i < text.size() && text[i] != ' ' && text[i] != '\t') ++i;
        if (i > start) words.emplace_back(text.substr(start, i - start));
    }
    return words;
}

std::string quoted(std::string_view text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        }
    }
    return out + "\"";
}

std::string text(const char* format, double a, double b, double c) {
    char buf[96];
    std::snprintf(buf, sizeof buf, format, a, b, c);
    return buf;
}

} // namespace

std::optional<int> parseInt(std::string_view s) {
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    int value = 0;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), value);
    if (s.empty() || r.ec != std::errc() || r.ptr != s.data() + s.size()) return std::nullopt;
    return value;
}

std::optional<double> parseNumber(std::string_view s) {
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    double value = 0;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), value, std::chars_format::fixed);
    if (s.empty() || r.ec != std::errc() || r.ptr != s.data() + s.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

int Format::status() const { return hTotal % 2 != 0 ? kStatusHTotalOdd : 0; }

std::string Format::describe() const {
    char buf[320];
    std::snprintf(buf, sizeof buf,
                  "HRAT %.0f HRES %d HTOT %d HSPD %d HSPW %d HSPP %d VRES %d VTOT %d VSPD %d VSPW %d VSPP %d "
                  "SCAN %d AVST %d ASCT %d DSCT %d SSST %d XVSG %d,%d,%d",
                  hRate, hRes, hTotal, hSyncDelay, hSyncWidth, hSyncPositive, vRes, vTotal, vSyncDelay,
                  vSyncWidth, vSyncPositive, scan, avst, asct, dsct, syncType, guns[0], guns[1], guns[2]);
    return buf;
}

std::string Image::describe() const {
    std::string out;
    for (const Rect& r : rects) {
        char buf[160];
        std::snprintf(buf, sizeof buf, "RECT %s %d %d %d %d %s, ", r.colour.c_str(), r.width, r.height, r.x, r.y,
                      r.fill.c_str());
        out += buf;
    }
    return out + text("levels %.3f %.3f %.3f", levels[0], levels[1], levels[2]);
}

QdgenCore::QdgenCore(std::string firmware) : firmware_(std::move(firmware)) {}

void QdgenCore::setFirmware(std::string version) { firmware_ = std::move(version); }

bool QdgenCore::hasHatchImages() const {
    const std::optional<double> v = parseNumber(firmware_);
    return v && *v > 2.982;
}

void QdgenCore::log(const std::string& line) const {
    if (onLog) onLog(line);
}

bool QdgenCore::fail(const std::string& why) {
    ++errors_;
    lastError_ = why;
    log("error: " + why);
    return false;
}

std::optional<std::string> QdgenCore::command(std::string_view textIn) {
    log("command " + quoted(textIn));
    const std::vector<std::string> words = split(textIn);
    if (words.empty()) {
        fail("empty command");
        return std::nullopt;
    }
    const std::string& name = words.front();
    const Args args(words.begin() + 1, words.end());
    std::string reply;
    const bool query = name.back() == '?';
    run(name, args, reply);  // a refused command is logged; a query is answered all the same
    if (!query) return std::nullopt;
    log("reply " + quoted(reply));
    return reply;
}

bool QdgenCore::run(const std::string& name, const Args& args, std::string& reply) {
    if (name == "VERF?" || name == "FMTG?") {
        if (!args.empty()) return fail(name + " takes no value");
        if (name == "VERF?") {
            reply = firmware_;
        } else {
            const auto f = formats_.find(loadedFormat_);
            reply = std::to_string(f == formats_.end() ? 0 : f->second.status());
        }
        return true;
    }
    if (name.back() == '?') return fail("unknown query " + name);
    static const char* const formatCommands[] = {"FMTN", "FMTB", "FMTE", "FMTS", "FMTL", "HRAT", "HRES", "HTOT",
                                                 "HSPD", "HSPW", "HSPP", "VRES", "VTOT", "VSPD", "VSPW", "VSPP",
                                                 "SCAN", "AVST", "ASCT", "DSCT", "SSST", "XVSG"};
    static const char* const imageCommands[] = {"IMGN", "IMGB", "RECT", "AVSC", "IMGE", "IMGA", "IMGL", "IMGU"};
    for (const char* c : formatCommands)
        if (name == c) return formatCommand(name, args);
    for (const char* c : imageCommands)
        if (name == c) return imageCommand(name, args);
    return outputCommand(name, args);
}

bool QdgenCore::formatCommand(const std::string& name, const Args& args) {
    auto noValue = [&] { return args.empty() ? true : fail(name + " takes no value"); };
    auto oneWord = [&] { return args.size() == 1 ? true : fail(name + " takes one value"); };
    if (name == "FMTN") {
        if (!oneWord()) return false;
        formatName_ = args[0];
        return true;
    }
    if (name == "FMTB") {
        if (!noValue()) return false;
        if (formatName_.empty()) return fail("FMTB before FMTN");
        formatEdit_ = Format{};
        formatEditing_ = true;
        return true;
    }
    if (name == "FMTE") {
        if (!noValue()) return false;
        if (!formatEditing_) return fail("FMTE without FMTB");
        formatEditing_ = false;
        return true;
    }
    if (name == "FMTS") {
        if (!noValue()) return false;
        if (formatEditing_) return fail("FMTS before FMTE");
        if (!formatEdit_) return fail("FMTS without a format definition");
        formats_[formatName_] = *formatEdit_;
        log("format " + formatName_ + " saved: " + formatEdit_->describe());
        formatEdit_.reset();
        return true;
    }
    if (name == "FMTL") {
        if (!oneWord()) return false;
        if (!formats_.count(args[0])) return fail("no format " + args[0]);
        loadedFormat_ = args[0];
        return true;
    }
    if (!formatEditing_) return fail(name + " outside a format definition");
    Format& f = *formatEdit_;
    if (!oneWord()) return false;
    const std::string& v = args[0];
    if (name == "HRAT") {
        const std::optional<double> rate = parseNumber(v);
        if (!rate || *rate <= 0) return fail("HRAT needs a rate in Hz");
        f.hRate = *rate;
        return true;
    }
    if (name == "XVSG") {
        std::array<int, 3> guns{};
        size_t at = 0;
        for (size_t i = 0; i < 3; ++i) {
            const size_t comma = i < 2 ? v.find(',', at) : v.size();
            if (comma == std::string::npos) return fail("XVSG needs three values R,G,B");
            const std::optional<int> g = parseInt(std::string_view(v).substr(at, comma - at));
            if (!g || (*g != 0 && *g != 1)) return fail("XVSG values are 0 or 1");
            guns[i] = *g;
            at = comma + 1;
        }
        f.guns = guns;
        return true;
    }
    const std::optional<int> n = parseInt(v);
    if (!n) return fail(name + " needs a whole number");
    struct Field {
        const char* name;
        int Format::*member;
        int min, max;
    };
    static const Field fields[] = {
        {"HRES", &Format::hRes, 1, 8192},         {"HTOT", &Format::hTotal, 1, 16384},
        {"HSPD", &Format::hSyncDelay, 0, 8192},   {"HSPW", &Format::hSyncWidth, 0, 8192},
        {"HSPP", &Format::hSyncPositive, 0, 1},   {"VRES", &Format::vRes, 1, 8192},
        {"VTOT", &Format::vTotal, 1, 16384},      {"VSPD", &Format::vSyncDelay, 0, 8192},
        {"VSPW", &Format::vSyncWidth, 0, 8192},   {"VSPP", &Format::vSyncPositive, 0, 1},
        {"SCAN", &Format::scan, 1, 2},            {"AVST", &Format::avst, 0, 15},
        {"ASCT", &Format::asct, 0, 15},           {"DSCT", &Format::dsct, 0, 15},
        {"SSST", &Format::syncType, 0, 7},
    };
    for (const Field& field : fields) {
        if (name != field.name) continue;
        if (*n < field.min || *n > field.max)
            return fail(name + " " + v + " is outside " + std::to_string(field.min) + ".." + std::to_string(field.max));
        f.*field.member = *n;
        return true;
    }
    return fail("unknown command " + name);
}

bool QdgenCore::imageCommand(const std::string& name, const Args& args) {
    if (name == "AVSC") {
        if (args.size() != 3) return fail("AVSC takes three levels");
        std::array<double, 3> levels{};
        for (size_t i = 0; i < 3; ++i) {
            const std::optional<double> l = parseNumber(args[i]);
            if (!l || *l < 0 || *l > 1) return fail("AVSC levels are 0..1");
            levels[i] = *l;
        }
        if (imageEditing_) imageEdit_->levels = levels;
        else output_.levels = levels;
        return true;
    }
    if (name == "IMGN" || name == "IMGB" || name == "IMGE" || name == "IMGU") {
        if (!args.empty()) return fail(name + " takes no value");
    } else if (name == "IMGA" || name == "IMGL") {
        if (args.size() != 1) return fail(name + " takes one name");
    }
    if (name == "IMGN") {
        if (imageEditing_) return fail("IMGN inside an image definition");
        imageEdit_ = Image{};
        return true;
    }
    if (name == "IMGB") {
        if (!imageEdit_) return fail("IMGB without IMGN");
        if (imageEditing_) return fail("IMGB inside an image definition");
        imageEditing_ = true;
        return true;
    }
    if (name == "RECT") {
        if (!imageEditing_) return fail("RECT outside an image definition");
        if (args.size() != 6) return fail("RECT takes colour, width, height, x, y and fill");
        Rect r;
        r.colour = args[0];
        r.fill = args[5];
        int* values[] = {&r.width, &r.height, &r.x, &r.y};
        for (size_t i = 0; i < 4; ++i) {
            const std::optional<int> v = parseInt(args[i + 1]);
            if (!v || *v < 0 || *v > 8192) return fail("RECT sizes and positions are 0..8192");
            *values[i] = *v;
        }
        imageEdit_->rects.push_back(r);
        return true;
    }
    if (name == "IMGE") {
        if (!imageEditing_) return fail("IMGE without IMGB");
        imageEditing_ = false;
        return true;
    }
    if (name == "IMGA") {
        if (imageEditing_) return fail("IMGA before IMGE");
        if (!imageEdit_) return fail("IMGA without an image definition");
        if (builtIn(args[0])) return fail("IMGA cannot replace the built-in image " + args[0]);
        images_[args[0]] = *imageEdit_;
        log("image " + args[0] + " saved: " + imageEdit_->describe());
        imageEdit_.reset();
        return true;
    }
    if (name == "IMGL") {
        const BuiltIn* b = builtIn(args[0]);
        if (b && b->hatch && !hasHatchImages()) return fail("no image " + args[0] + " in firmware " + firmware_);
        if (!b && !images_.count(args[0])) return fail("no image " + args[0]);
        loadedImage_ = args[0];
        return true;
    }
    if (name == "IMGU") {
        if (loadedImage_.empty()) return fail("IMGU without IMGL");
        output_.image = loadedImage_;
        log("image in use: " + output_.image + ", invert " + std::to_string(output_.invert));
        return true;
    }
    return fail("unknown command " + name);
}

bool QdgenCore::outputCommand(const std::string& name, const Args& args) {
    if (name == "OUTG" || name == "IVER") {
        const std::optional<int> v = args.size() == 1 ? parseInt(args[0]) : std::nullopt;
        if (!v || (*v != 0 && *v != 1)) return fail(name + " takes 0 or 1");
        if (name == "IVER") {
            output_.invert = *v;
        } else {
            output_.on = *v == 1;
            log(output_.on ? "output on" : "output off");
        }
        return true;
    }
    if (name == "ALLU") {
        if (!args.empty()) return fail("ALLU takes no value");
        const auto f = formats_.find(loadedFormat_);
        if (f == formats_.end()) return fail("ALLU without FMTL");
        if (f->second.status() != 0) return fail("format " + loadedFormat_ + " has status " + std::to_string(f->second.status()));
        output_.format = loadedFormat_;
        if (!loadedImage_.empty()) output_.image = loadedImage_;
        const Format& in = f->second;
        char buf[256];
        std::snprintf(buf, sizeof buf, "in use: format %s (%dx%d, %.0f Hz, %d dots, guns %d,%d,%d), image %s, invert %d",
                      output_.format.c_str(), in.hRes, in.vRes, in.hRate, in.hTotal, in.guns[0], in.guns[1],
                      in.guns[2], output_.image.c_str(), output_.invert);
        log(buf + text(", levels %.3f %.3f %.3f", output_.levels[0], output_.levels[1], output_.levels[2]));
        return true;
    }
    return fail("unknown command " + name);
}

} // namespace qdgen
