#pragma once
// The demo station's "SG" folder: the ready-made picture and colour files
// the timing-generator cards load, simple files of our own in the card's
// text form.
#include <string>
#include <vector>

namespace kit {

// The names of the ready-made pictures and colour tables, in that order.
std::vector<std::string> demoSgFileNames();
// Writes every ready-made file into `home`/SG; false when one cannot be written.
bool writeDemoSgFolder(const std::string& home);

} // namespace kit
