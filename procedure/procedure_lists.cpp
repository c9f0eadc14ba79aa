#include "procedure/procedure_lists.h"

#include <algorithm>

#include "platform/program_home.h"

namespace procedure {

namespace {

const char* const kDcnvTail = "dcnv.PRC";
constexpr size_t kDcnvTailSize = 8;

std::string folderOf(const modeldb::ChassisRecord& chassis) { return "PELARO/" + chassis.procedureFolder; }

template <size_t N>
std::vector<ListEntry> names(const std::array<std::string, N>& list, int32_t count) {
    std::vector<ListEntry> out;
    const int n = std::clamp<int32_t>(count, 0, static_cast<int32_t>(N));
    for (int i = 0; i < n; ++i) out.push_back({i, list[static_cast<size_t>(i)]});
    return out;
}

} // namespace

bool validListKind(int kind) { return kind == kAdjustmentList || kind == kTouchUpList || kind == kDcnvList; }

std::string procedureDirectory(const std::string& home, const modeldb::ChassisRecord& chassis) {
    return platform::joinPath(home, folderOf(chassis));
}

std::string procedurePath(const std::string& directory, const std::string& name) {
    return directory + "/" + name + ".PRC";
}

std::string procedureFile(const std::string& home, const modeldb::ChassisRecord& chassis, const std::string& name) {
    return platform::locateFile(home, folderOf(chassis) + "/" + name + ".PRC");
}

bool isDcnvPath(const std::string& path) {
    return path.size() >= kDcnvTailSize && path.compare(path.size() - kDcnvTailSize, kDcnvTailSize, kDcnvTail) == 0;
}

std::vector<ListEntry> listEntries(const modeldb::ModelImage& image, int kind, const std::string& directory) {
    if (kind == kAdjustmentList) return names(image.adjustProcedures, image.adjustProcedureCount);
    std::vector<ListEntry> out;
    if (kind != kTouchUpList && kind != kDcnvList) return out;
    for (ListEntry& e : names(image.touchUpProcedures, image.touchUpProcedureCount)) {
        const bool dcnv = isDcnvPath(procedurePath(directory, e.name));
        if (kind == kTouchUpList && !dcnv) out.push_back(std::move(e));
        if (kind == kDcnvList && dcnv) {
            out.push_back(std::move(e));
            break;
        }
    }
    return out;
}

bool hasDcnvProcedure(const modeldb::ModelData& model, const std::string& home) {
    return !listEntries(model.image, kDcnvList, procedureDirectory(home, model.chassis)).empty();
}

} // namespace procedure
