#include "sim/monitor/link_file.h"

#include "core/record_io.h"
#include "core/text_format.h"

namespace sim {
namespace {

constexpr size_t kFormatSize = 152, kGroupSize = 32, kBlockSize = 16, kRegisterSize = 36;
constexpr size_t kHeader = 16;
constexpr size_t kCapacity[4] = {64, 100, 256, 4000};

} // namespace

bool parseLinkFile(const uint8_t* data, size_t size, LinkTables& out, std::string* error) {
    core::RecordReader r(data, size);
    LinkTables t;
    size_t at = 0;
    const size_t recordSize[4] = {kFormatSize, kGroupSize, kBlockSize, kRegisterSize};
    for (int section = 0; section < 4; ++section) {
        if (!r.has(at, kHeader)) {
            if (error) *error = "file ends inside a section header";
            return false;
        }
        const int32_t count = r.i32At(at + 8);
        at += kHeader;
        if (count < 0 || static_cast<size_t>(count) > kCapacity[section] ||
            !r.has(at, static_cast<size_t>(count) * recordSize[section])) {
            if (error) *error = core::strf("section %d: bad count %d", section + 1, count);
            return false;
        }
        for (int32_t n = 0; n < count; ++n, at += recordSize[section]) {
            if (section == 0) {
                LinkFormat f;
                f.label = r.textAt(at, 20);
                for (size_t i = 0; i < 16; ++i) f.command[i] = r.i32At(at + 20 + 4 * i);
                for (size_t i = 0; i < 16; ++i) f.response[i] = r.i32At(at + 84 + 4 * i);
                f.blockFlag = r.i32At(at + 148);
                t.formats.push_back(f);
            } else if (section == 1) {
                LinkGroup g;
                g.label = r.textAt(at, 16);
                g.perMode = r.i32At(at + 16);
                g.flags = r.u8At(at + 20);
                g.kind = r.u8At(at + 21);
                g.device = r.u8At(at + 22);
                g.max = r.i32At(at + 24);
                g.min = r.i32At(at + 28);
                t.groups.push_back(g);
            } else if (section == 2) {
                t.blocks.push_back(LinkBlock{r.u8At(at), r.textAt(at + 1, 15)});
            } else {
                LinkRegister g;
                g.name = r.textAt(at, 16);
                g.writeFormat = r.i8At(at + 16);
                g.writeAddress = r.u8At(at + 17);
                g.writePosition = r.u8At(at + 18);
                g.readFormat = r.i8At(at + 19);
                g.readAddress = r.u8At(at + 20);
                g.readPosition = r.u8At(at + 21);
                g.group = r.i8At(at + 25);
                g.shift = r.i8At(at + 26);
                g.mask = r.i32At(at + 28);
                g.lastRaw = r.i32At(at + 32);
                t.registers.push_back(g);
            }
        }
    }
    out = std::move(t);
    return true;
}

bool readLinkFile(const std::string& path, LinkTables& out, std::string* error) {
    std::vector<uint8_t> bytes;
    if (!core::readWholeFile(path, bytes, 1u << 20, error)) return false;
    return parseLinkFile(bytes.data(), bytes.size(), out, error);
}

} // namespace sim
