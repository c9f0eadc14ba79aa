#include "platform/ini_store.h"

#include <ini.h>
#include <strings.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

namespace platform {

namespace {

// Marks the tokens that stand for texts too long for inih (see LineFeed).
constexpr char kTokenMark = '\x01';

bool sameName(const std::string& a, const std::string& b) { return strcasecmp(a.c_str(), b.c_str()) == 0; }

// Values with blanks at their ends or characters the reader treats specially
// are written in double quotes with backslash escapes.
bool needsQuotes(const std::string& v) {
    if (v.empty()) return false;
    // inih trims whatever isspace() calls a blank (vertical tab and form feed too).
    if (std::isspace(static_cast<unsigned char>(v.front())) || std::isspace(static_cast<unsigned char>(v.back())))
        return true;
    if (v.front() == '"') return true;
    for (char c : v)
        if (c == ';' || c == '#' || c == '\\' || c == '\n' || c == '\r' || c == kTokenMark) return true;
    return false;
}

std::string quote(const std::string& v) {
    std::string out = "\"";
    for (char c : v) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '"': out += "\\\""; break;
        case ';': out += "\\;"; break;
        case '#': out += "\\#"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        default: out += c;
        }
    }
    return out + "\"";
}

std::string unquote(const std::string& v) {
    if (v.size() < 2 || v.front() != '"' || v.back() != '"') return v;
    std::string out;
    for (size_t i = 1; i + 1 < v.size(); ++i) {
        char c = v[i];
        if (c == '\\' && i + 2 < v.size()) {
            char n = v[++i];
            out += n == 'n' ? '\n' : n == 'r' ? '\r' : n;
        } else {
            out += c;
        }
    }
    return out;
}

// inih reads at most INI_MAX_LINE (200) bytes of a line and 50 of a section
// name, so lines are fed to it from memory: in a line too long for it, the
// value, the name when it leaves no room, or the section name is replaced by
// a token that the handler turns back into the full text, read as inih
// reads it. So it is in a line that holds the token's mark, which then
// cannot pass for a token. Every line stays one line, so error lines match.
struct LineFeed {
    const std::string& text;
    size_t pos = 0;
    std::vector<std::string> longTexts;
    IniStore* store = nullptr;
};

constexpr size_t kMaxSectionName = 40;
constexpr size_t kMaxToken = 12;  // the mark, up to ten digits, the mark

bool blank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

std::string rstripped(std::string s) {
    while (!s.empty() && blank(s.back())) s.pop_back();
    return s;
}

// Where inih's search for one of `chars` from `from` ends: at the first of
// them, at an inline comment (";" after a blank), or at the end (npos).
size_t findAsInih(const std::string& line, size_t from, const char* chars) {
    bool wasBlank = false;
    for (size_t i = from; i < line.size(); ++i) {
        if ((line[i] != '\0' && std::strchr(chars, line[i])) || (wasBlank && line[i] == ';')) return i;
        wasBlank = blank(line[i]);
    }
    return std::string::npos;
}

// Whether that search found one of `chars`.
bool foundAsInih(const std::string& line, size_t at, const char* chars) {
    return at != std::string::npos && line[at] != ';' && std::strchr(chars, line[at]);
}

std::string tokenFor(LineFeed& feed, std::string text) {
    feed.longTexts.push_back(std::move(text));
    return kTokenMark + std::to_string(feed.longTexts.size() - 1) + kTokenMark;
}

const std::string* fromToken(const LineFeed& feed, const char* text) {
    size_t len = strlen(text);
    if (len < 3 || text[0] != kTokenMark || text[len - 1] != kTokenMark) return nullptr;
    size_t index = 0;
    for (size_t i = 1; i + 1 < len; ++i) {
        if (text[i] < '0' || text[i] > '9') return nullptr;
        index = index * 10 + static_cast<size_t>(text[i] - '0');
    }
    return index < feed.longTexts.size() ? &feed.longTexts[index] : nullptr;
}

// What inih does to the text after the separator: an inline comment removed,
// then blanks trimmed at both ends.
std::string valueAsInihReadsIt(const std::string& raw) {
    const size_t comment = findAsInih(raw, 0, "");
    std::string v = rstripped(raw.substr(0, comment == std::string::npos ? raw.size() : comment));
    size_t begin = 0;
    while (begin < v.size() && blank(v[begin])) ++begin;
    return v.substr(begin);
}

// `line` (without leading blanks) as inih may read it. A line inih would
// refuse is cut to fit; one it would cut is read through tokens.
std::string shortened(LineFeed& feed, const std::string& line, size_t room) {
    if (line.empty()) return "";
    // A text holding the mark goes through a token too, so no text in the
    // file can pass for a token.
    const bool marked = line.find(kTokenMark) != std::string::npos;
    auto refused = [&] {
        std::string cut = line.substr(0, std::min(line.size(), room - 1));
        std::erase(cut, kTokenMark);
        return cut;
    };
    const char c = line[0];
    if (c == ';' || c == '#') return line.size() < room ? line : "";
    if (c == '[') {
        const size_t close = findAsInih(line, 1, "]");
        if (!foundAsInih(line, close, "]")) return refused();
        const std::string name = line.substr(1, close - 1);
        if (name.size() <= kMaxSectionName && line.size() < room && !marked) return line;
        return "[" + tokenFor(feed, name) + "]";
    }
    if (line.size() < room && !marked) return line;
    const size_t sep = findAsInih(line, 0, "=:");
    if (!foundAsInih(line, sep, "=:")) return refused();
    const std::string name = line.substr(0, sep);
    const bool nameFits = sep + 1 + kMaxToken < room && name.find(kTokenMark) == std::string::npos;
    return (nameFits ? name : tokenFor(feed, rstripped(name))) + "=" + tokenFor(feed, line.substr(sep + 1));
}

char* feedLine(char* str, int num, void* stream) {
    auto& feed = *static_cast<LineFeed*>(stream);
    if (feed.pos >= feed.text.size() || num < 2) return nullptr;
    const bool firstLine = feed.pos == 0;
    size_t end = feed.text.find('\n', feed.pos);
    size_t stop = end == std::string::npos ? feed.text.size() : end;
    std::string line = feed.text.substr(feed.pos, stop - feed.pos);
    feed.pos = end == std::string::npos ? feed.text.size() : end + 1;
    // inih reads a line as text up to its first NUL; a long line read
    // through a token must end there too.
    line.resize(std::min(line.size(), line.find('\0')));
    if (firstLine && line.compare(0, 3, "\xEF\xBB\xBF") == 0) line.erase(0, 3);  // a UTF-8 byte order mark
    // Blanks before a line mean nothing, as in a Windows profile. inih would
    // take an indented line for a continuation and overwrite the value of
    // the key before it (under a name cut to 49 characters), losing both.
    size_t text = 0;
    while (text < line.size() && blank(line[text])) ++text;
    line.erase(0, text);
    const size_t room = static_cast<size_t>(num) - 1; // with the newline, not the NUL
    line = shortened(feed, line, room);
    if (line.size() >= room) line.resize(room - 1);
    line += '\n';
    memcpy(str, line.data(), line.size());
    str[line.size()] = '\0';
    return str;
}

int onValue(void* user, const char* section, const char* name, const char* value) {
    auto& feed = *static_cast<LineFeed*>(user);
    const std::string* longSection = fromToken(feed, section);
    const std::string* longName = fromToken(feed, name);
    const std::string* longValue = value ? fromToken(feed, value) : nullptr;
    std::string text = longValue ? valueAsInihReadsIt(*longValue) : (value ? value : "");
    feed.store->set(longSection ? *longSection : section, longName ? *longName : name, unquote(text));
    return 1;
}

int parseText(const std::string& text, IniStore* store) {
    LineFeed feed{text, 0, {}, store};
    return ini_parse_stream(feedLine, &feed, onValue, &feed);
}

} // namespace

IniStore::Section* IniStore::find(const std::string& section) {
    for (Section& s : sections_)
        if (sameName(s.name, section)) return &s;
    return nullptr;
}

const IniStore::Section* IniStore::find(const std::string& section) const {
    for (const Section& s : sections_)
        if (sameName(s.name, section)) return &s;
    return nullptr;
}

bool IniStore::load(const std::string& path, std::string* error) {
    sections_.clear();
    FILE* f = fopen(path.c_str(), "r");
    if (!f) {
        if (errno == ENOENT) return true;
        if (error) *error = path + ": " + strerror(errno);
        return false;
    }
    std::string text;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
    bool readFailed = ferror(f) != 0;
    fclose(f);
    if (readFailed) {
        if (error) *error = path + ": read error";
        return false;
    }
    int rc = parseText(text, this);
    if (rc != 0) {
        if (error) *error = path + ": syntax error on line " + std::to_string(rc);
        return false;
    }
    return true;
}

bool IniStore::loadFromString(const std::string& text) {
    sections_.clear();
    return parseText(text, this) == 0;
}

std::string IniStore::toString() const {
    std::string out;
    for (const Section& s : sections_) {
        if (!out.empty()) out += "\n";
        out += "[" + s.name + "]\n";
        for (const auto& [key, value] : s.values)
            out += key + "=" + (needsQuotes(value) ? quote(value) : value) + "\n";
    }
    return out;
}

bool IniStore::save(const std::string& path, std::string* error) const {
    return writeFileAtomically(path, toString(), error);
}

std::optional<std::string> IniStore::get(const std::string& section, const std::string& key) const {
    const Section* s = find(section);
    if (!s) return std::nullopt;
    for (const auto& [k, v] : s->values)
        if (sameName(k, key)) return v;
    return std::nullopt;
}

std::string IniStore::get(const std::string& section, const std::string& key, const std::string& fallback) const {
    std::optional<std::string> v = get(section, key);
    return v ? *v : fallback;
}

void IniStore::set(const std::string& section, const std::string& key, const std::string& value) {
    Section* s = find(section);
    if (!s) {
        sections_.push_back(Section{section, {}});
        s = &sections_.back();
    }
    for (auto& [k, v] : s->values) {
        if (sameName(k, key)) {
            v = value;
            return;
        }
    }
    s->values.emplace_back(key, value);
}

bool IniStore::remove(const std::string& section, const std::string& key) {
    Section* s = find(section);
    if (!s) return false;
    for (auto it = s->values.begin(); it != s->values.end(); ++it) {
        if (sameName(it->first, key)) {
            s->values.erase(it);
            return true;
        }
    }
    return false;
}

bool IniStore::hasSection(const std::string& section) const { return find(section) != nullptr; }

std::vector<std::string> IniStore::sections() const {
    std::vector<std::string> names;
    for (const Section& s : sections_) names.push_back(s.name);
    return names;
}

std::vector<std::string> IniStore::keys(const std::string& section) const {
    std::vector<std::string> names;
    if (const Section* s = find(section))
        for (const auto& kv : s->values) names.push_back(kv.first);
    return names;
}

} // namespace platform
