#include "kit/model_kit.h"

#include "modeldb/chassis_layout.h"

#include <algorithm>

#include "core/record_io.h"
#include "platform/ini_store.h"
#include "platform/xdg_paths.h"

namespace kit {
namespace {

void putText(core::RecordWriter& w, size_t offset, size_t width, const std::string& text)
{
    w.textAt(offset, width, text);
}

void putBytes(core::RecordWriter& w, size_t offset, const Bytes& b, size_t n)
{
    Bytes copy(n, 0);
    std::copy_n(b.begin(), std::min(n, b.size()), copy.begin());
    w.bytesAt(offset, copy.data(), n);
}

void append(Bytes& out, const Bytes& b) { out.insert(out.end(), b.begin(), b.end()); }
void appendText(Bytes& out, const std::string& text) { out.insert(out.end(), text.begin(), text.end()); }

template <typename Fn> void appendRecord(Bytes& out, size_t size, Fn fill)
{
    core::RecordWriter w(size);
    fill(w);
    append(out, w.bytes());
}

void appendI16(Bytes& out, int16_t v) { appendRecord(out, 2, [&](core::RecordWriter& w) { w.i16At(0, v); }); }
void appendI32(Bytes& out, int32_t v) { appendRecord(out, 4, [&](core::RecordWriter& w) { w.i32At(0, v); }); }

void appendTimings(Bytes& out, const std::vector<Timing>& timings)
{
    for (const Timing& t : timings) {
        Bytes rec(80, 0);
        writeTiming(rec.data(), t);
        append(out, rec);
    }
}

void appendRecords(Bytes& out, const std::vector<Bytes>& records, size_t size)
{
    for (const Bytes& r : records) {
        Bytes rec(size, 0);
        std::copy_n(r.begin(), std::min(size, r.size()), rec.begin());
        append(out, rec);
    }
}

void appendNames(Bytes& out, const std::vector<std::string>& names, size_t slots)
{
    appendRecord(out, slots * 16, [&](core::RecordWriter& w) {
        for (size_t i = 0; i < names.size() && i < slots; ++i) w.textAt(i * 16, 16, names[i]);
    });
}

void appendFixed(Bytes& out, const Bytes& b, size_t n)
{
    appendRecord(out, n, [&](core::RecordWriter& w) { putBytes(w, 0, b, n); });
}

} // namespace

void encodeDbText(uint8_t* field, size_t width, const std::string& text)
{
    for (size_t i = 0; i < width; ++i) {
        uint8_t c = i < text.size() ? static_cast<uint8_t>(text[i]) : 0;
        field[i] = static_cast<uint8_t>((c >> 4) | (c << 4));
    }
}

Bytes modelTable(const std::vector<DbModel>& models)
{
    Bytes out;
    for (const DbModel& m : models) {
        Bytes rec(128, 0);
        core::RecordWriter w(rec.data(), rec.size());
        encodeDbText(rec.data() + 0, 19, m.name);
        w.i16At(20, m.chassisCode);
        encodeDbText(rec.data() + 22, 9, m.fileStem);
        encodeDbText(rec.data() + 32, 9, m.tuvoName);
        w.i16At(42, m.customerCode);
        w.i16At(44, m.comTypeCode);
        w.i16At(46, m.firmwareCode);
        encodeDbText(rec.data() + 48, 39, m.description);
        append(out, rec);
    }
    return out;
}

Bytes codeTable(const std::vector<DbCode>& codes, size_t recordSize)
{
    Bytes out;
    for (const DbCode& c : codes) {
        Bytes rec(recordSize, 0);
        core::RecordWriter(rec.data(), rec.size()).i16At(0, c.code);
        encodeDbText(rec.data() + 2, recordSize - 3, c.name);
        append(out, rec);
    }
    return out;
}

bool writeModelDatabase(const std::string& folder, const ModelDatabaseFiles& db)
{
    return writeFile(folder + "/mdlsel.sel", modelTable(db.models)) &&
           writeFile(folder + "/mdlsel.cya", codeTable(db.chassis, 12)) &&
           writeFile(folder + "/mdlsel.cmm", codeTable(db.comTypes, 12)) &&
           writeFile(folder + "/mdlsel.cus", codeTable(db.customers, 22)) &&
           writeFile(folder + "/mdlsel.mai", codeTable(db.firmware, 12));
}

void writeTiming(uint8_t* record80, const Timing& t)
{
    core::RecordWriter w(record80, 80);
    w.textAt(0, 16, t.name);
    w.f32At(16, t.dotClock);
    w.f32At(20, t.hFrequency);
    w.f32At(24, t.vFrequency);
    for (size_t k = 0; k < 6; ++k) w.i16At(32 + 2 * k, t.h[k]);
    for (size_t k = 0; k < 6; ++k) w.i16At(44 + 2 * k, t.v[k]);
    w.u8At(56, t.syncKind);
    w.u8At(57, t.hPolarity);
    w.u8At(58, t.vPolarity);
    w.u8At(59, t.interlace);
}

Timing makeTiming(const std::string& name, int hActive, int vActive, int hTotal, int vTotal, float hKHz, float vHz)
{
    Timing t;
    t.name = name;
    t.hFrequency = hKHz;
    t.vFrequency = vHz;
    t.dotClock = hKHz * static_cast<float>(hTotal) / 1000.0f;
    int hBlank = hTotal - hActive;
    int hSync = hBlank / 3;
    int hFront = hBlank / 6;
    t.h = {static_cast<int16_t>(hTotal), static_cast<int16_t>(hBlank), static_cast<int16_t>(hFront),
           static_cast<int16_t>(hSync), static_cast<int16_t>(hBlank - hFront - hSync), static_cast<int16_t>(hActive)};
    int vBlank = vTotal - vActive;
    int vFront = vBlank / 4;
    int vSync = 3;
    t.v = {static_cast<int16_t>(vTotal), static_cast<int16_t>(vBlank), static_cast<int16_t>(vFront),
           static_cast<int16_t>(vSync), static_cast<int16_t>(vBlank - vFront - vSync), static_cast<int16_t>(vActive)};
    return t;
}

Bytes modelFile(const ModelFile& m)
{
    Bytes out;
    appendText(out, "====");
    appendRecord(out, 4, [&](core::RecordWriter& w) { putBytes(w, 0, Bytes(m.tag.begin(), m.tag.end()), 4); });
    appendText(out, "========");
    appendRecord(out, 48, [&](core::RecordWriter& w) {
        putText(w, 0, 16, m.chassisFile);
        w.i16At(16, m.presetCount.value_or(static_cast<int16_t>(m.presets.size())));
        w.i16At(18, m.adjustCount.value_or(static_cast<int16_t>(m.adjustTimings.size())));
        w.i16At(20, m.primeMode);
        w.i16At(22, m.carried);
        w.i32At(24, m.mpuDataCount.value_or(static_cast<int32_t>(m.mpuData.size())));
        w.i32At(28, m.mpuModeCount.value_or(static_cast<int32_t>(m.mpuMode.size())));
        w.i32At(32, m.adjustListCount.value_or(static_cast<int32_t>(m.adjustProcedures.size())));
        w.i32At(36, m.touchUpListCount.value_or(static_cast<int32_t>(m.touchUpProcedures.size())));
    });
    appendText(out, "====PRE_PARA====");
    appendTimings(out, m.presets);
    appendText(out, "====ADJ_PARA====");
    appendTimings(out, m.adjustTimings);
    appendText(out, "====MPU_DATA====");
    appendRecords(out, m.mpuData, 512);
    appendText(out, "====MPU_MODE====");
    appendRecords(out, m.mpuMode, 1808);
    appendText(out, "====PRC_DATA====");
    appendI32(out, m.adjustListCount.value_or(static_cast<int32_t>(m.adjustProcedures.size())));
    appendNames(out, m.adjustProcedures, 30);
    appendText(out, "====TUP_DATA====");
    appendI32(out, m.touchUpListCount.value_or(static_cast<int32_t>(m.touchUpProcedures.size())));
    appendNames(out, m.touchUpProcedures, 5);
    appendFixed(out, m.touchUpExtra, 116);
    appendText(out, "====SPECIAL ====");
    appendFixed(out, m.special1, 180);
    appendFixed(out, m.special2, 100);
    appendFixed(out, m.special3, 100);
    appendFixed(out, m.special4, 1500);
    appendText(out, "===AVPRE_PARA===");
    appendI16(out, m.avPresetCount.value_or(static_cast<int16_t>(m.avPresets.size())));
    appendTimings(out, m.avPresets);
    appendText(out, "====UMT_NO====");
    appendText(out, std::string(2, '\0'));
    appendI16(out, m.umtNumber);
    return out;
}

Bytes mpuDataRecord(const std::vector<int16_t>& values)
{
    core::RecordWriter w(512);
    for (size_t i = 0; i < values.size() && i < 256; ++i) w.i16At(2 * i, values[i]);
    return w.take();
}

Bytes mpuModeRecord(const std::vector<std::vector<int16_t>>& modes)
{
    core::RecordWriter w(1808);
    for (size_t j = 0; j < modes.size() && j < 30; ++j)
        for (size_t i = 0; i < modes[j].size() && i < 30; ++i) w.i16At(4 + 2 * (30 * j + i), modes[j][i]);
    return w.take();
}

Bytes chassisFile(const ChassisFile& c)
{
    using namespace modeldb::chassis;
    core::RecordWriter w(kSize);
    w.textAt(kStandardFile, 16, c.standardFile);
    for (size_t k = 0; k < c.timingRegisters.size(); ++k) w.i16At(kTimingRegisters + 2 * k, c.timingRegisters[k]);
    for (const auto& [offset, code] : c.specialRegisters)
        if (offset >= kSpecialRegisters && offset + 2 <= kSpecialRegisters + 128) w.i16At(offset, code);
    w.u8At(kFactoryPresetAvailable, c.factoryPreset);
    w.u8At(kMaintenanceAvailable, c.maintenance);
    w.u8At(kShowDegauss, c.showDegauss);
    w.u8At(kShowAging, c.showAging);
    w.u8At(kShowPower, c.showPower);
    w.i16At(kFailureAvailable, c.failure);
    w.i16At(kPolarityGroup, c.polarityGroup);
    for (size_t e = 0; e < c.failureTable.size() && e < kFailureEntries; ++e) {
        const size_t at = kFailureTable + e * kFailureEntrySize;
        w.i16At(at, c.failureTable[e].code);
        for (size_t b = 0; b < kFailureBits; ++b)
            w.textAt(at + 2 + b * kFailureBitName, kFailureBitName, c.failureTable[e].bitNames[b]);
    }
    for (size_t k = 0; k < c.linkedRegisters.size() && k < kLinkedPairs; ++k) {
        w.i16At(kLinkedRegisters + 4 * k, c.linkedRegisters[k].first);
        w.i16At(kLinkedRegisters + 4 * k + 2, c.linkedRegisters[k].second);
    }
    for (size_t k = 0; k < c.entryList.size() && k < 10; ++k) {
        w.i16At(kEntryCodes + 2 * k, c.entryList[k].first);
        w.i16At(kEntryValues + 2 * k, c.entryList[k].second);
    }
    for (size_t k = 0; k < c.exitList.size() && k < 10; ++k) {
        w.i16At(kExitCodes + 2 * k, c.exitList[k].first);
        w.i16At(kExitValues + 2 * k, c.exitList[k].second);
    }
    w.textAt(kProcedureFolder, 16, c.procedureFolder);
    w.i16At(kSettleWait, c.settleWait);
    for (size_t k = 0; k < c.panelButtons.size(); ++k) w.i16At(kPanelButtons + 2 * k, c.panelButtons[k]);
    return w.take();
}

Bytes standardFile(const StandardFile& s)
{
    Bytes out;
    appendText(out, "====STD=========");
    core::RecordWriter w(16460);
    for (size_t k = 0; k < s.startList.size() && k < 10; ++k) {
        w.i32At(8 * k, s.startList[k].first);
        w.i32At(8 * k + 4, s.startList[k].second);
    }
    for (size_t k = 0; k < s.endList.size() && k < 10; ++k) {
        w.i32At(80 + 8 * k, s.endList[k].first);
        w.i32At(84 + 8 * k, s.endList[k].second);
    }
    w.i32At(160, s.groupCount.value_or(static_cast<int32_t>(std::min<size_t>(s.groups.size(), 30))));
    for (size_t g = 0; g < s.groups.size() && g < 30; ++g) {
        const DataGroupRecord& d = s.groups[g];
        size_t at = 164 + g * 540;
        w.textAt(at, 20, d.name);
        w.u8At(at + 20, d.modeCount);
        w.u8At(at + 21, static_cast<uint8_t>(std::min<size_t>(d.items.size(), 255)));
        w.i16At(at + 22, d.modeLimitRegister);
        w.i16At(at + 24, d.commitRegister);
        w.u8At(at + 26, d.page);
        for (size_t i = 0; i < d.items.size() && i < 256; ++i) {
            w.u8At(at + 27 + i, d.items[i].first);
            w.u8At(at + 283 + i, d.items[i].second);
        }
    }
    w.textAt(16364, 16, s.linkDescriptionFile);
    append(out, w.bytes());
    return out;
}

Items items(std::initializer_list<int32_t> list)
{
    Items out{};
    size_t i = 0;
    for (int32_t v : list)
        if (i < out.size()) out[i++] = v;
    return out;
}

const RegisterRecord* LinkDescription::registerOf(uint16_t code) const
{
    const size_t block = code >> 8, index = code & 0xFF;
    if (block >= blocks.size() || index >= blocks[block].count) return nullptr;
    size_t start = 0;
    for (size_t k = 0; k < block; ++k) start += blocks[k].count;
    return start + index < registers.size() ? &registers[start + index] : nullptr;
}

Bytes linkDescriptionFile(const LinkDescription& d)
{
    Bytes out;
    auto section = [&](const char* tag, size_t count) {
        appendText(out, "====");
        appendText(out, tag);
        appendI32(out, static_cast<int32_t>(count));
        appendText(out, "====");
    };
    section("FOR=", d.formats.size());
    for (const FormatRecord& f : d.formats)
        appendRecord(out, 152, [&](core::RecordWriter& w) {
            w.textAt(0, 20, f.label);
            for (size_t k = 0; k < f.command.size(); ++k) w.i32At(20 + 4 * k, f.command[k]);
            for (size_t k = 0; k < f.response.size(); ++k) w.i32At(84 + 4 * k, f.response[k]);
            w.i32At(148, f.blockFlag);
        });
    section("GRP=", d.groups.size());
    for (const GroupRecord& g : d.groups)
        appendRecord(out, 32, [&](core::RecordWriter& w) {
            w.textAt(0, 16, g.label);
            w.i32At(16, g.perMode);
            w.u8At(20, g.flags);
            w.u8At(21, g.kind);
            w.u8At(22, g.device);
            w.i32At(24, g.max);
            w.i32At(28, g.min);
        });
    section("R_B=", d.blocks.size());
    for (const BlockRecord& b : d.blocks)
        appendRecord(out, 16, [&](core::RecordWriter& w) {
            w.u8At(0, b.count);
            w.textAt(1, 15, b.label);
        });
    section("REG=", d.registers.size());
    for (const RegisterRecord& r : d.registers)
        appendRecord(out, 36, [&](core::RecordWriter& w) {
            w.textAt(0, 16, r.name);
            w.i8At(16, r.writeFormat);
            w.u8At(17, r.writeAddress);
            w.u8At(18, r.writePosition);
            w.i8At(19, r.readFormat);
            w.u8At(20, r.readAddress);
            w.u8At(21, r.readPosition);
            w.i8At(25, r.group);
            w.i8At(26, r.shift);
            w.i32At(28, r.mask);
            w.i32At(32, r.lastRaw);
        });
    return out;
}

std::string messageFileText(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& l : lines) text += l + "\r\n";
    return text;
}

std::string messageFilePath(const std::string& home, char letter)
{
    return home + "/PELARO/MSG/pelaro_" + std::string(1, letter) + ".msg";
}

Bytes noticeFile(const std::vector<Notice>& notices)
{
    Bytes out;
    for (const Notice& n : notices)
        appendRecord(out, 150, [&](core::RecordWriter& w) {
            w.i16At(0, n.kind);
            w.textAt(2, 20, n.modelName);
            w.textAt(22, 128, n.text);
        });
    return out;
}

Bytes releaseFile(const std::vector<std::string>& versions)
{
    Bytes out;
    appendRecord(out, 52, [&](core::RecordWriter& w) { w.textAt(0, 52, "PELARO RELEASE"); });
    for (const std::string& v : versions)
        appendRecord(out, 52, [&](core::RecordWriter& w) { w.textAt(0, 52, v); });
    return out;
}

bool writeFile(const std::string& path, const Bytes& bytes)
{
    return writeFile(path, std::string(bytes.begin(), bytes.end()));
}

bool writeFile(const std::string& path, const std::string& text)
{
    size_t slash = path.find_last_of('/');
    if (slash != std::string::npos && slash > 0 && !platform::makeFolders(path.substr(0, slash))) return false;
    return platform::writeFileAtomically(path, text);
}

} // namespace kit
