#include "platform/program_home.h"

#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

// Where an installed program's station lies, relative to its executable's
// folder; set by the build from the install layout.
#ifndef PELARO_STATION_FROM_BIN
#define PELARO_STATION_FROM_BIN "../share/pelaro"
#endif

namespace platform {

namespace {

bool exists(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0;
}

std::vector<std::string> components(const std::string& relative) {
    std::vector<std::string> parts;
    std::string cur;
    for (char c : relative) {
        if (c == '/' || c == '\\') {
            if (!cur.empty()) parts.push_back(cur);
            cur.clear();
        } else {
            cur += c;
        }
    }
    if (!cur.empty()) parts.push_back(cur);
    return parts;
}

// The entry of `folder` whose name equals `name` ignoring ASCII case.
std::optional<std::string> matchInFolder(const std::string& folder, const std::string& name) {
    DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) return std::nullopt;
    std::optional<std::string> found;
    while (dirent* entry = readdir(dir)) {
        if (strcasecmp(entry->d_name, name.c_str()) == 0) {
            found = entry->d_name;
            break;
        }
    }
    closedir(dir);
    return found;
}

std::string append(const std::string& base, const std::string& part) {
    if (base.empty()) return part;
    if (base.back() == '/') return base + part;
    return base + "/" + part;
}

} // namespace

std::string executableFolder() {
    char buf[4096];
    ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return ".";
    std::string path(buf, static_cast<size_t>(n));
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
}

std::string defaultProgramHome(const std::string& exeFolder, const std::string& stationFile,
                               const std::string& installedHome) {
    if (findFile(exeFolder, stationFile)) return exeFolder;
    std::string home = std::filesystem::path(joinPath(exeFolder, installedHome)).lexically_normal().string();
    if (home.size() > 1 && home.back() == '/') home.pop_back();
    return home;
}

std::string chooseProgramHome(std::vector<std::string>& args, const std::string& stationFile) {
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--home" && i + 1 < args.size()) {
            std::string home = args[i + 1];
            args.erase(args.begin() + static_cast<long>(i), args.begin() + static_cast<long>(i) + 2);
            return home;
        }
        if (args[i].rfind("--home=", 0) == 0) {
            std::string home = args[i].substr(7);
            args.erase(args.begin() + static_cast<long>(i));
            return home;
        }
    }
    const char* env = std::getenv("PELARO_HOME");
    if (env && *env) return env;
    return defaultProgramHome(executableFolder(), stationFile, PELARO_STATION_FROM_BIN);
}

std::string joinPath(const std::string& base, const std::string& relative) {
    std::string path = (!relative.empty() && relative[0] == '/') ? "/" : base;
    for (const std::string& part : components(relative)) path = append(path, part);
    return path;
}

std::optional<std::string> findFile(const std::string& base, const std::string& relative) {
    std::string exact = joinPath(base, relative);
    if (exists(exact)) return exact;
    std::string path = (!relative.empty() && relative[0] == '/') ? "/" : base;
    for (const std::string& part : components(relative)) {
        std::string candidate = append(path, part);
        if (exists(candidate)) {
            path = candidate;
            continue;
        }
        std::optional<std::string> match = matchInFolder(path, part);
        if (!match) return std::nullopt;
        path = append(path, *match);
    }
    return path;
}

std::string locateFile(const std::string& base, const std::string& relative) {
    std::optional<std::string> found = findFile(base, relative);
    return found ? *found : joinPath(base, relative);
}

} // namespace platform
