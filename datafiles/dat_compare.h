#pragma once
// Two data files of the same model compared group by group, mode by mode,
// item by item: what changed between a save before a board exchange and one
// after it, or which registers do not hold what a load wrote into them; and
// every value of one file, named the same way.
#include <cstddef>
#include <string>
#include <vector>

#include "datafiles/dat_reader.h"
#include "link/register_access.h"
#include "modeldb/model_data.h"

namespace datafiles {

struct DatDifference {
    size_t group = 0;
    std::string groupName;
    int mode = -1;       // the mode (or selector value of types 3 and 4), -1 for none
    int a = -1, b = -1;  // the selectors' values of special type 1
    size_t item = 0;
    std::string registerName;
    DatValue first;   // in the first file
    DatValue second;  // in the second file
};

struct DatComparison {
    bool modelNameDiffers = false;
    bool standardDiffers = false;
    // Where a file could not be walked to its end (the walk compares what
    // both hold before).
    DatFault firstFault;
    DatFault secondFault;
    std::vector<DatDifference> differences;

    // The same values in the same places, both files whole.
    bool sameValues() const { return !firstFault.any() && !secondFault.any() && differences.empty(); }
};

// `names` gives the register names (the current model's link).
DatComparison compareDatContents(const DatContents& first, const DatContents& second,
                                 const modeldb::StandardBlock& standard, const ecs::RegisterAccess& names);
// Reads both files and compares them. False when a file cannot be read;
// *unreadable then names it.
bool compareDatFiles(const std::string& first, const std::string& second, const modeldb::StandardBlock& standard,
                     const ecs::RegisterAccess& names, DatComparison& out, std::string* unreadable = nullptr);

// After a load from the first file and a save into the second: the
// registers that do not hold the value loaded into them. A value the first
// file holds as "=err=" was never loaded and is left out.
std::vector<DatDifference> valuesNotHeld(const DatComparison& comparison);

// Every value of a file, one line each, named as describe names places:
// "GROUP mode k NAME: value".
std::vector<std::string> dumpDatContents(const DatContents& contents, const modeldb::StandardBlock& standard,
                                         const ecs::RegisterAccess& names);

// "GROUP mode k NAME: a -> b"; "GROUP a A b B NAME: ..." for special type 1,
// "GROUP NAME: ..." where the group has no modes.
std::string describe(const DatDifference& difference);
// A value as a person reads it: the number, or "=err=".
std::string valueText(const DatValue& value);

} // namespace datafiles
