#include "platform/ini_store.h"

#include <fcntl.h>
#include <ini.h>
#include <strings.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>

#include "platform/xdg_paths.h"

namespace platform {

namespace {

bool sameName(const std::string& a, const std::string& b) { return strcasecmp(a.c_str(), b.c_str()) == 0; }

// Values with blanks at their ends or characters the reader treats specially
// are written in double quotes with backslash escapes.
bool needsQuotes(const std::string& v) {
    if (v.empty()) return false;
    if (v.front() == ' ' || v.back() == ' ' || v.front() == '\t' || v.back() == '\t') return true;
    if (v.front() == '"') return true;
    for (char c : v)
        if (c == ';' || c == '#' || c == '\\' || c == '\n' || c == '\r') return true;
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

int onValue(void* user, const char* section, const char* name, const char* value) {
    auto* store = static_cast<IniStore*>(user);
    store->set(section, name, unquote(value ? value : ""));
    return 1;
}

bool writeAll(int fd, const std::string& content) {
    const char* p = content.data();
    size_t left = content.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    return true;
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
    int rc = ini_parse_file(f, onValue, this);
    fclose(f);
    if (rc != 0) {
        if (error) *error = path + ": syntax error on line " + std::to_string(rc);
        return false;
    }
    return true;
}

bool IniStore::loadFromString(const std::string& text) {
    sections_.clear();
    return ini_parse_string(text.c_str(), onValue, this) == 0;
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

bool writeFileAtomically(const std::string& path, const std::string& content, std::string* error) {
    auto fail = [&](const std::string& what) {
        if (error) *error = what + ": " + strerror(errno);
        return false;
    };
    size_t slash = path.rfind('/');
    std::string folder = slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
    if (!makeFolders(folder)) return fail(folder);

    static std::atomic<unsigned> sequence{0};
    std::string temp = path + ".tmp." + std::to_string(getpid()) + "." + std::to_string(sequence++);
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return fail(temp);
    if (!writeAll(fd, content) || fsync(fd) != 0) {
        int saved = errno;
        ::close(fd);
        unlink(temp.c_str());
        errno = saved;
        return fail(temp);
    }
    if (::close(fd) != 0) {
        unlink(temp.c_str());
        return fail(temp);
    }
    if (rename(temp.c_str(), path.c_str()) != 0) {
        int saved = errno;
        unlink(temp.c_str());
        errno = saved;
        return fail(path);
    }
    int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        fsync(dirFd);
        ::close(dirFd);
    }
    return true;
}

} // namespace platform
