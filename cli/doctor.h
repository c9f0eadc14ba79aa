#pragma once
// The environment check: the profile, the monitor and generator ports, the
// station and the current model's chain, the generator kit's settings store
// and the places pelaro writes. Each check is one line with ok, warn or
// FAIL and, for a problem, what to do.
#include <string>
#include <vector>

namespace cli {

struct Check {
    enum class Status { Ok, Warn, Fail };
    Status status = Status::Ok;
    std::string subject;
    std::string detail;
    std::string advice;  // what to do, for warn and FAIL
};

const char* statusWord(Check::Status status);

struct DoctorInput {
    std::string home;
    std::string port;   // --port, else the profile's
    std::string model;  // --model, else the profile's previous model
};

std::vector<Check> runChecks(const DoctorInput& input);

} // namespace cli
