// The standard file: start and end lists, data groups, link description name.
#include "cli/dump/dump.h"

#include "modeldb/model_file.h"

namespace cli {

namespace {

Fields codeValues(const ecs::StandardList& list) {
    Fields out = Fields::array();
    for (const ecs::CodeValue& cv : list) {
        if (cv.code == 0) break;
        out.push_back(Fields{{"register", hexCode(cv.code)}, {"value", cv.value}});
    }
    return out;
}

Fields group(const modeldb::DataGroup& g) {
    Fields items = Fields::array();
    for (size_t i = 0; i < g.itemCount; ++i)
        items.push_back(Fields{{"register", hexCode(g.registerCode(i))}, {"flag", g.itemFlag[i]}});
    return Fields{{"name", g.name},
                  {"mode count", g.modeCount},
                  {"item count", g.itemCount},
                  {"mode-limit register", hexCode(g.modeLimitRegister)},
                  {"commit register", hexCode(g.commitRegister)},
                  {"page", g.page},
                  {"items", items}};
}

} // namespace

Dump dumpStandardFile(const std::vector<uint8_t>& bytes) {
    Dump d;
    modeldb::StandardBlock s;
    modeldb::DecodeReport report;
    modeldb::decodeStandardFile(bytes, s, &report);
    const int reached = report.stop ? report.stop->part : modeldb::kStdComplete;
    Fields& f = d.fields;
    if (reached > modeldb::kStdStartList) f["start list"] = codeValues(s.startList);
    if (reached > modeldb::kStdEndList) f["end list"] = codeValues(s.endList);
    if (reached > modeldb::kStdGroupCount) {
        Fields groups = Fields::array();
        for (int g = 0; g < s.groupCount; ++g) groups.push_back(group(s.groups[static_cast<size_t>(g)]));
        f["data groups"] = groups;
    }
    if (reached > modeldb::kStdLinkDescription) f["link description file"] = s.linkDescriptionFile;
    d.notes = report.notes;
    if (report.stop) d.stop = Dump::Stop{report.stop->offset, report.stop->reason};
    return d;
}

} // namespace cli
