#pragma once
// Per-user configuration folder: $XDG_CONFIG_HOME, default ~/.config.
#include <string>

namespace platform {

std::string configHome();
// configHome()/sub, e.g. configFile("pelaro/pelaro.ini").
std::string configFile(const std::string& sub);
// Creates a folder and its parents; true when it exists afterwards.
bool makeFolders(const std::string& path);

} // namespace platform
