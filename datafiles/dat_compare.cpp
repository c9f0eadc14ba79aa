#include "datafiles/dat_compare.h"

#include <algorithm>

#include "core/text_format.h"
#include "datafiles/data_groups.h"

namespace datafiles {

namespace {

bool sameValue(const DatValue& x, const DatValue& y) {
    return x.kind == y.kind && (x.kind != DatValue::Kind::Number || x.number == y.number);
}

// The place of value `v` of block `b` of group `g`, without the values.
DatDifference place(size_t g, const modeldb::DataGroup& group, const DatBlock& b, size_t v,
                    const ecs::RegisterAccess& names) {
    DatDifference d;
    d.group = g;
    d.groupName = group.name;
    d.mode = b.mode;
    d.a = b.a;
    d.b = b.b;
    d.item = b.firstItem + v;
    d.registerName = names.registerName(itemCode(group, d.item));
    return d;
}

std::string placeText(const DatDifference& d) {
    if (d.a >= 0) return core::strf("%s a %d b %d %s", d.groupName.c_str(), d.a, d.b, d.registerName.c_str());
    if (d.mode >= 0) return core::strf("%s mode %d %s", d.groupName.c_str(), d.mode, d.registerName.c_str());
    return core::strf("%s %s", d.groupName.c_str(), d.registerName.c_str());
}

} // namespace

DatComparison compareDatContents(const DatContents& first, const DatContents& second,
                                 const modeldb::StandardBlock& standard, const ecs::RegisterAccess& names) {
    DatComparison out;
    out.modelNameDiffers = fieldText(first.header.modelName) != fieldText(second.header.modelName);
    out.standardDiffers = fieldText(first.header.standardName) != fieldText(second.header.standardName);
    out.firstFault = first.fault;
    out.secondFault = second.fault;
    const size_t groups = std::min({first.groups.size(), second.groups.size(), walkedGroupCount(standard)});
    for (size_t g = 0; g < groups; ++g) {
        const modeldb::DataGroup& group = standard.groups[g];
        const DatGroup& x = first.groups[g];
        const DatGroup& y = second.groups[g];
        const size_t blocks = std::min(x.blocks.size(), y.blocks.size());
        for (size_t k = 0; k < blocks; ++k) {
            const DatBlock& bx = x.blocks[k];
            const DatBlock& by = y.blocks[k];
            const size_t values = std::min(bx.values.size(), by.values.size());
            for (size_t v = 0; v < values; ++v) {
                if (sameValue(bx.values[v], by.values[v])) continue;
                DatDifference d = place(g, group, bx, v, names);
                d.first = bx.values[v];
                d.second = by.values[v];
                out.differences.push_back(std::move(d));
            }
        }
    }
    return out;
}

std::string valueText(const DatValue& value) {
    if (value.isNumber()) return core::strf("%d", value.number);
    if (value.isError()) return kit::kDatErrorText;
    return "?";
}

std::string describe(const DatDifference& d) {
    const std::string x = valueText(d.first);
    const std::string y = valueText(d.second);
    return core::strf("%s: %s -> %s", placeText(d).c_str(), x.c_str(), y.c_str());
}

bool compareDatFiles(const std::string& first, const std::string& second, const modeldb::StandardBlock& standard,
                     const ecs::RegisterAccess& names, DatComparison& out, std::string* unreadable) {
    DatContents x, y;
    for (const auto& [path, contents] : {std::pair{&first, &x}, std::pair{&second, &y}}) {
        if (readDatFile(*path, standard, *contents)) continue;
        if (unreadable) *unreadable = *path;
        return false;
    }
    out = compareDatContents(x, y, standard, names);
    return true;
}

std::vector<DatDifference> valuesNotHeld(const DatComparison& comparison) {
    std::vector<DatDifference> out;
    for (const DatDifference& d : comparison.differences)
        if (!d.first.isError()) out.push_back(d);
    return out;
}

std::vector<std::string> dumpDatContents(const DatContents& contents, const modeldb::StandardBlock& standard,
                                         const ecs::RegisterAccess& names) {
    std::vector<std::string> out;
    const size_t groups = std::min(contents.groups.size(), walkedGroupCount(standard));
    for (size_t g = 0; g < groups; ++g) {
        const DatGroup& group = contents.groups[g];
        for (const DatBlock& b : group.blocks)
            for (size_t v = 0; v < b.values.size(); ++v) {
                const std::string value = valueText(b.values[v]);
                out.push_back(core::strf("%s: %s", placeText(place(g, standard.groups[g], b, v, names)).c_str(),
                                         value.c_str()));
            }
    }
    return out;
}

} // namespace datafiles
