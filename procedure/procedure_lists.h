#pragma once
// Which procedures a list kind shows and where their files lie. The
// adjustment list shows every name; the touch-up list every name whose file
// path does not end in "dcnv.PRC"; the DCnv list the first that does (an
// exact, case-sensitive test of the path's last 8 characters).
#include <string>
#include <vector>

#include "modeldb/model_data.h"

namespace procedure {

enum ProcedureListKind : int {
    kAdjustmentList = 1,
    kTouchUpList = 2,
    kDcnvList = 3,
};

bool validListKind(int kind);

// The program home, "PELARO" and the chassis's procedure folder.
std::string procedureDirectory(const std::string& home, const modeldb::ChassisRecord& chassis);
// The directory, a separator, the name and ".PRC".
std::string procedurePath(const std::string& directory, const std::string& name);
// The file to open for a name: the path, or the case-insensitive match of it.
std::string procedureFile(const std::string& home, const modeldb::ChassisRecord& chassis, const std::string& name);
bool isDcnvPath(const std::string& path);

struct ListEntry {
    int index = 0;     // position in the model's list, from 0
    std::string name;  // base name of the file
};

// The names of the model's list for `kind`, filtered, in list order.
std::vector<ListEntry> listEntries(const modeldb::ModelImage& image, int kind, const std::string& directory);

// "&DCnv" is enabled while the touch-up list names a DCnv procedure.
bool hasDcnvProcedure(const modeldb::ModelData& model, const std::string& home);

} // namespace procedure
