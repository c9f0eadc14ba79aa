#pragma once
// The exit codes scripts rely on.
namespace cli {

enum ExitCode {
    kExitDone = 0,         // done, also a screen closed by a scripted Escape or close
    kExitFailed = 1,       // the operation stopped on a failure it reported
    kExitUsage = 2,        // a usage error, or an event the open screen cannot take
    kExitInputNeeded = 3,  // operator input needed and none left
    kExitSetup = 4,        // no station, no model, or the port cannot be opened
};

// The word the JSON result line carries for an exit code.
inline const char* exitWord(int code) {
    switch (code) {
    case kExitDone: return "done";
    case kExitFailed: return "failed";
    case kExitUsage: return "usage";
    case kExitInputNeeded: return "input-needed";
    case kExitSetup: return "setup";
    default: return "unknown";
    }
}

} // namespace cli
