#pragma once
// What the main frame reads of the station's own files: the notice file
// "kovhlp.txt" in the program home (per-model notices; kind 21 blocks the
// factory preset menu command of a model) and the release file "pelaro.rls"
// in the current directory (the version in the window title and the About
// box).
#include <string>
#include <vector>

#include "modeldb/station_files.h"

namespace core { class Ui; }

namespace app {

inline constexpr const char* kNoticeFileName = "kovhlp.txt";
extern const char* const kNoticeMissingText;    // "KOV HELP File Not Found!"
extern const char* const kNoticeOpenErrorText;  // "KOV_HELP File Err!"
extern const char* const kNoticeVanishedText;   // "HELP File Not Found!"
extern const char* const kNoticeReadErrorText;  // "HELP File Read Err!"

// Reads every whole 150-byte record of the notice file in `home` (the name
// matched ignoring case); a failure shows its message and gives what was read.
std::vector<modeldb::Notice> readNoticeFile(const std::string& home, core::Ui& ui);

// The notice of kind 21 naming `model` exactly, or null.
const modeldb::Notice* factoryPresetNotice(const std::vector<modeldb::Notice>& notices, const std::string& model);

// The text of the last version record of the release file; empty when the
// file is missing or holds no version record.
std::string releaseVersion(const std::string& releaseFile);

extern const char* const kTitlePrefix;  // "  New PELARO Program ... Release Ver "
std::string windowTitle(const std::string& version);

} // namespace app
