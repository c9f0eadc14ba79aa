#pragma once
// The generator drivers a front end installs at start-up: the pattern
// generators through genlink, the timing cards and the command generators
// through their libraries. `home` is the program home, whose "SG" folder
// holds the timing cards' files.
#include <string>

namespace siggen {

class SignalGenerator;

void installDrivers(SignalGenerator& sg, const std::string& home);

} // namespace siggen
