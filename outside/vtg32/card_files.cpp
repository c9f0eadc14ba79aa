#include "outside/vtg32/card_files.h"

#include <charconv>
#include <cmath>

namespace vtg32 {

namespace {

constexpr const char* kTimingHeader = "VTG-Ver 5.0.4 HTIM VLIN HW=VTG-3A/300_10_2.0.7";
constexpr const char* kTimingTitle = "KOV VTG File ";
constexpr const char* kPictureHeader = "VTG-Ver 5.2.0";
constexpr const char* kColourHeader = "VTG-Ver 5.2.0 HW=VTG-3A/135_08_3.1.5";

// The fixed lines of a box picture after its offset and side.
constexpr const char* kBoxDrawing[] = {
    "SET M 1 ; ACTIVE COLOR", "SET E 0 ; BACKGROUND COLOR", "COLOR E", "BOX 0 0 MAXX MAXY", "COLOR M ",
    "SET W MAXX", "SET H MAXY", "SET J W*A", "SET J J/100", "SET K H*A", "SET K K/100", "SET X W*B",
    "SET X X/100", "SET Y H*B", "SET Y Y/100", "SET W J+X", "SET H K+Y", "BOX J K  W H",
};

std::string_view trimLeft(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    return s;
}

// "%d" or "%5d" / "%5.0f": optional leading blanks, a whole number.
std::optional<long> whole(std::string_view s) {
    s = trimLeft(s);
    long v = 0;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    if (s.empty() || r.ec != std::errc() || r.ptr != s.data() + s.size()) return std::nullopt;
    return v;
}

// "%3.3f": optional leading blanks, a number with exactly three decimals.
std::optional<double> fixed3(std::string_view s) {
    s = trimLeft(s);
    const size_t point = s.find('.');
    if (point == std::string_view::npos || s.size() - point != 4) return std::nullopt;
    double v = 0;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), v, std::chars_format::fixed);
    if (s.empty() || r.ec != std::errc() || r.ptr != s.data() + s.size() || !std::isfinite(v)) return std::nullopt;
    return v;
}

// Walks the lines of a file, naming the line of the first fault.
class Lines {
public:
    Lines(const std::string& text, std::string* why) : lines_(textLines(text)), why_(why) {}

    bool more() const { return at_ < lines_.size(); }
    const std::string& peek() const { return lines_[at_]; }
    bool fail(const std::string& what) {
        if (why_) *why_ = "line " + std::to_string(at_ + 1) + ": " + what;
        return false;
    }
    bool exact(const char* want) {
        if (!more() || lines_[at_] != want) return fail(std::string("expected \"") + want + "\"");
        ++at_;
        return true;
    }
    bool oneOf(std::initializer_list<const char*> choices, char* got) {
        if (more())
            for (const char* c : choices)
                if (lines_[at_] == c) {
                    *got = c[0];
                    ++at_;
                    return true;
                }
        return fail("expected a sign or a fixed word");
    }
    bool number3(double& out) {
        const std::optional<double> v = more() ? fixed3(lines_[at_]) : std::nullopt;
        if (!v) return fail("expected a number with three decimals");
        out = *v;
        ++at_;
        return true;
    }
    bool integer(long& out) {
        const std::optional<long> v = more() ? whole(lines_[at_]) : std::nullopt;
        if (!v) return fail("expected a whole number");
        out = *v;
        ++at_;
        return true;
    }
    bool end() { return more() ? fail("unexpected line after the end") : true; }
    void next() { ++at_; }
    size_t at() const { return at_; }

private:
    std::vector<std::string> lines_;
    std::string* why_;
    size_t at_ = 0;
};

bool isText(const std::string& text, std::string* why) {
    if (text.empty()) {
        if (why) *why = "empty";
        return false;
    }
    for (unsigned char c : text) {
        if (c < 0x20 && c != '\t' && c != '\r' && c != '\n') {
            if (why) *why = "not text";
            return false;
        }
    }
    return true;
}

// A table entry: three values 0..255 separated by blanks, blanks around them allowed.
std::optional<Rgb> entry(std::string_view s) {
    int v[3];
    for (int& x : v) {
        s = trimLeft(s);
        const auto r = std::from_chars(s.data(), s.data() + s.size(), x);
        if (r.ec != std::errc() || x < 0 || x > 255) return std::nullopt;
        s.remove_prefix(static_cast<size_t>(r.ptr - s.data()));
        if (!s.empty() && s.front() != ' ') return std::nullopt;
    }
    if (!trimLeft(s).empty()) return std::nullopt;
    return Rgb{v[0], v[1], v[2]};
}

// "SET A 37 ": the name, a blank, the number left-aligned in at least three places.
bool boxValue(Lines& lines, const char* name, long max, long& out) {
    if (!lines.more()) return lines.fail(std::string("expected \"") + name + " N\"");
    const std::string& line = lines.peek();
    const std::string prefix = std::string(name) + " ";
    if (line.compare(0, prefix.size(), prefix) != 0 || line.size() < prefix.size() + 3)
        return lines.fail(std::string("expected \"") + name + " N\"");
    std::string_view rest = std::string_view(line).substr(prefix.size());
    while (!rest.empty() && rest.back() == ' ') rest.remove_suffix(1);
    const auto r = std::from_chars(rest.data(), rest.data() + rest.size(), out);
    if (rest.empty() || r.ec != std::errc() || r.ptr != rest.data() + rest.size() || out < 0 || out > max)
        return lines.fail(std::string(name) + " needs a value 0.." + std::to_string(max));
    lines.next();
    return true;
}

} // namespace

std::vector<std::string> textLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        const bool last = end == std::string::npos;
        if (last) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

std::optional<CardTiming> readTimingFile(const std::string& text, std::string* why) {
    Lines l(text, why);
    CardTiming t;
    if (!l.exact(kTimingHeader) || !l.exact(kTimingTitle) || !l.number3(t.hFrequencyKHz) || !l.number3(t.hTotalUs) ||
        !l.number3(t.hActiveUs) || !l.integer(t.activeDots) || !l.number3(t.hSyncUs) || !l.number3(t.hBackUs) ||
        !l.integer(t.vTotal) || !l.integer(t.vActive) || !l.integer(t.vSync) || !l.integer(t.vBack))
        return std::nullopt;
    // The sync groups, each at most once and in this order.
    char sign = 0;
    if (l.more() && (l.peek() == "+" || l.peek() == "-")) {
        if (!l.oneOf({"+", "-"}, &t.hPolarity) || !l.oneOf({"+", "-"}, &t.vPolarity) || !l.exact("T") ||
            !l.exact("-"))
            return std::nullopt;
        t.separateSync = true;
    }
    if (l.more() && l.peek() == "+Off") {
        if (!l.exact("+Off") || !l.exact("+Off") || !l.exact("G") || !l.exact("-")) return std::nullopt;
        t.syncOnGreen = true;
    }
    if (l.more() && l.peek() == "C") {
        if (!l.exact("C") || !l.exact("+Off") || !l.exact("T") || !l.oneOf({"+", "-"}, &sign)) return std::nullopt;
        if (!t.separateSync) t.hPolarity = sign;
        t.compositeSync = true;
    }
    char interlace = 0;
    if (!l.number3(t.hFrontUs) || !l.integer(t.vFront) || !l.number3(t.dotClockMHz) ||
        !l.oneOf({"yes", "no"}, &interlace) || !l.exact("0") || !l.exact("0") || !l.exact("0") || !l.exact("0") ||
        !l.exact("H+V") || !l.exact("Act") || !l.end())
        return std::nullopt;
    t.interlace = interlace == 'y';
    return t;
}

std::optional<CardPicture> readPictureFile(const std::string& text, std::string* why) {
    if (!isText(text, why)) return std::nullopt;
    const std::vector<std::string> lines = textLines(text);
    CardPicture p;
    p.title = lines.size() > 1 ? lines[1] : "";
    if (lines.size() < 2 || lines[0] != kPictureHeader || lines[1] != "BOX") return p;

    Lines l(text, why);
    if (!l.exact(kPictureHeader) || !l.exact("BOX") || !l.exact("ABSOLUTE ") || !l.exact("") ||
        !boxValue(l, "SET A", 50, p.boxOffset) || !boxValue(l, "SET B", 100, p.boxSide))
        return std::nullopt;
    for (const char* line : kBoxDrawing)
        if (!l.exact(line)) return std::nullopt;
    if (!l.end()) return std::nullopt;
    p.box = true;
    return p;
}

std::optional<CardColours> readColourFile(const std::string& text, std::string* why) {
    if (!isText(text, why)) return std::nullopt;
    const std::vector<std::string> lines = textLines(text);
    CardColours c;
    if (lines.empty() || lines[0] != kColourHeader) return c;

    Lines l(text, why);
    if (!l.exact(kColourHeader) || !l.exact("")) return std::nullopt;
    for (Rgb& e : c.entries) {
        const std::optional<Rgb> v = l.more() ? entry(l.peek()) : std::nullopt;
        if (!v) {
            l.fail("expected an entry of three values 0..255");
            return std::nullopt;
        }
        e = *v;
        l.next();
    }
    if (!l.exact(" 700") || !l.exact(" 300") || !l.end()) return std::nullopt;
    c.table = true;
    return c;
}

} // namespace vtg32
