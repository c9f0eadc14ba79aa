#include "link/link_description.h"

#include "core/record_io.h"
#include "core/text_format.h"

namespace ecs {
namespace {

constexpr size_t kSectionHeader = 16;  // "====", tag, int32 count, "===="

void decodeTemplate(core::RecordReader& r, size_t offset, Template& out) {
    for (size_t i = 0; i < out.size(); ++i) out[i] = r.i32At(offset + 4 * i);
}

FormatRecord decodeFormat(core::RecordReader r) {
    FormatRecord f;
    r.bytesAt(0, f.head.data(), f.head.size());
    decodeTemplate(r, 20, f.command);
    decodeTemplate(r, 84, f.response);
    f.blockFlag = r.i32At(148);
    return f;
}

GroupRecord decodeGroup(core::RecordReader r) {
    GroupRecord g;
    r.bytesAt(0, g.head.data(), g.head.size());
    g.perMode = r.i32At(16);
    g.flags = r.u8At(20);
    g.kind = r.u8At(21);
    g.device = r.u8At(22);
    g.spare = r.u8At(23);
    g.max = r.i32At(24);
    g.min = r.i32At(28);
    return g;
}

BlockRecord decodeBlock(core::RecordReader r) {
    BlockRecord b;
    b.count = r.u8At(0);
    r.bytesAt(1, b.spare.data(), b.spare.size());
    return b;
}

RegisterRecord decodeRegister(core::RecordReader r) {
    RegisterRecord g;
    for (size_t i = 0; i < g.name.size(); ++i) g.name[i] = static_cast<char>(r.u8At(i));
    g.writeFormat = r.i8At(16);
    g.writeAddress = r.u8At(17);
    g.writePosition = r.u8At(18);
    g.readFormat = r.i8At(19);
    g.readAddress = r.u8At(20);
    g.readPosition = r.u8At(21);
    r.bytesAt(22, g.spare22.data(), g.spare22.size());
    g.group = r.i8At(25);
    g.shift = r.i8At(26);
    g.spare27 = r.u8At(27);
    g.mask = r.i32At(28);
    g.lastRaw = r.i32At(32);
    return g;
}

// Reads one section at `pos`. A fault leaves `pos` at its offset; in partial
// mode the complete records before it are kept in `out`.
template <typename Record, typename Decode>
bool readSection(core::RecordReader& file, size_t& pos, const char* tag, size_t capacity, Decode decode,
                 std::vector<Record>& out, std::string* error, bool partial = false) {
    if (!file.has(pos, kSectionHeader)) {
        if (error) *error = core::strf("section %s: header missing", tag);
        return false;
    }
    const int32_t count = file.i32At(pos + 8);
    if (count < 0 || static_cast<size_t>(count) > capacity) {
        if (error) *error = core::strf("section %s: count %d outside 0..%zu", tag, count, capacity);
        return false;
    }
    pos += kSectionHeader;
    const size_t n = static_cast<size_t>(count);
    const bool whole = file.has(pos, n * Record::kSize);
    if (!whole && !partial) {
        if (error) *error = core::strf("section %s: %zu records announced, file too short", tag, n);
        return false;
    }
    out.clear();
    out.reserve(n);
    for (size_t i = 0; i < n; ++i) {
        if (!file.has(pos, Record::kSize)) {
            if (error)
                *error = core::strf("section %s: record %zu of %zu needs %zu bytes, %zu left", tag, i + 1, n,
                                    Record::kSize, file.size() - pos);
            return false;
        }
        out.push_back(decode(file.sub(pos, Record::kSize)));
        pos += Record::kSize;
    }
    return true;
}

} // namespace

std::string RegisterRecord::nameText() const { return core::fieldText(name.data(), name.size()); }

LinkDescription emptyLinkDescription() {
    LinkDescription d;
    d.formats.resize(1);
    d.groups.resize(1);
    d.blocks.resize(1);
    d.registers.resize(1);
    return d;
}

bool parseLinkDescription(const uint8_t* data, size_t size, LinkDescription& out, std::string* error) {
    core::RecordReader file(data, size);
    LinkDescription d;
    size_t pos = 0;
    if (!readSection(file, pos, "FOR", kMaxFormats, decodeFormat, d.formats, error)) return false;
    if (!readSection(file, pos, "GRP", kMaxGroups, decodeGroup, d.groups, error)) return false;
    if (!readSection(file, pos, "R_B", kMaxBlocks, decodeBlock, d.blocks, error)) return false;
    if (!readSection(file, pos, "REG", kMaxRegisters, decodeRegister, d.registers, error)) return false;
    out = std::move(d);
    return true;
}

bool parseLinkDescriptionAsFarAsItGoes(const uint8_t* data, size_t size, LinkDescription& out,
                                       size_t& stopOffset, std::string& error) {
    core::RecordReader file(data, size);
    out = LinkDescription{};
    size_t pos = 0;
    const bool whole = readSection(file, pos, "FOR", kMaxFormats, decodeFormat, out.formats, &error, true) &&
                       readSection(file, pos, "GRP", kMaxGroups, decodeGroup, out.groups, &error, true) &&
                       readSection(file, pos, "R_B", kMaxBlocks, decodeBlock, out.blocks, &error, true) &&
                       readSection(file, pos, "REG", kMaxRegisters, decodeRegister, out.registers, &error, true);
    stopOffset = whole ? size : pos;
    if (whole) error.clear();
    return whole;
}

} // namespace ecs
