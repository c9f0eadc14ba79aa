#pragma once
// Where pelaro-cli finds the release file: "pelaro.rls" in the current
// directory, as pelaro reads it, else the one in the program home, so a
// script run from elsewhere still sees the station's releases.
#include <string>

namespace cli {

class Session;

std::string releaseFilePath(Session& session);

} // namespace cli
