#include "modeldb/model_file.h"

#include <algorithm>

#include "core/record_io.h"
#include "core/text_format.h"
#include "core/ui.h"
#include "platform/program_home.h"

namespace modeldb {
namespace {

// Upper bound for reading any file of the chain; the images are far smaller.
constexpr size_t kMaxFileBytes = 16u << 20;

// How many records of `size` bytes to take: the file's count, cut to the
// capacity and to the complete records left in the file.
size_t usableCount(int64_t count, size_t capacity, size_t remaining, size_t size)
{
    if (count <= 0) return 0;
    size_t n = static_cast<uint64_t>(count) > capacity ? capacity : static_cast<size_t>(count);
    return std::min(n, remaining / size);
}

// Position after `count` records of `size` bytes, saturating far past any file.
size_t skipRecords(size_t pos, int64_t count, size_t size)
{
    if (count <= 0) return pos;
    uint64_t bytes = static_cast<uint64_t>(count) * size;  // count < 2^31, size < 2^12
    return bytes > (SIZE_MAX - pos) ? SIZE_MAX : pos + static_cast<size_t>(bytes);
}

size_t remainingAt(const std::vector<uint8_t>& bytes, size_t pos)
{
    return pos < bytes.size() ? bytes.size() - pos : 0;
}

// Reads `count` timing records at `pos` into `out`; returns the number taken.
size_t readTimings(const std::vector<uint8_t>& bytes, size_t& pos, int64_t count, ModelTiming* out, size_t capacity)
{
    size_t n = usableCount(count, capacity, remainingAt(bytes, pos), kTimingRecord);
    for (size_t i = 0; i < n; ++i) out[i] = decodeTiming(bytes.data() + pos + i * kTimingRecord, kTimingRecord);
    pos = skipRecords(pos, count, kTimingRecord);
    return n;
}

template <size_t N, size_t Cap>
size_t readRaw(const std::vector<uint8_t>& bytes, size_t& pos, int64_t count,
               std::array<std::array<uint8_t, N>, Cap>& out)
{
    size_t n = usableCount(count, Cap, remainingAt(bytes, pos), N);
    for (size_t i = 0; i < n; ++i) std::copy_n(bytes.data() + pos + i * N, N, out[i].begin());
    pos = skipRecords(pos, count, N);
    return n;
}

void readBytes(core::RecordReader& r, size_t offset, uint8_t* out, size_t n)
{
    r.bytesAt(offset, out, n);
}

void readRegisterList(core::RecordReader& r, size_t offset, ScreenRegisterList& list)
{
    for (size_t k = 0; k < 5; ++k) list.codes[k] = r.i16At(offset + 2 * k);
    for (size_t k = 0; k < 5; ++k) list.values[k] = r.i16At(offset + 10 + 2 * k);
}

constexpr size_t kMarker = 16;

void stopAt(DecodeReport* report, size_t offset, int part, std::string reason)
{
    if (report && !report->stop) report->stop = DecodeReport::Stop{offset, part, std::move(reason)};
}

// Reports when `size` bytes of `what` do not lie at `pos`.
void need(const std::vector<uint8_t>& bytes, DecodeReport* report, size_t pos, size_t size, int part,
          const char* what)
{
    if (pos <= bytes.size() && size <= bytes.size() - pos) return;
    stopAt(report, std::min(pos, bytes.size()), part,
           core::strf("%s needs %zu bytes at %zu; the file ends at %zu", what, size, pos, bytes.size()));
}

// Reports counts the image cannot hold and records the file lacks.
void needRecords(const std::vector<uint8_t>& bytes, DecodeReport* report, size_t pos, int64_t count, size_t size,
                 size_t capacity, int part, const char* section)
{
    if (!report) return;
    if (count < 0) report->notes.push_back(core::strf("%s: count %lld taken as 0", section, static_cast<long long>(count)));
    if (count > static_cast<int64_t>(capacity))
        report->notes.push_back(core::strf("%s: count %lld beyond the capacity %zu; %zu kept", section,
                                           static_cast<long long>(count), capacity, capacity));
    if (count <= 0) return;
    const size_t remaining = remainingAt(bytes, pos);
    const size_t complete = remaining / size;
    if (complete >= static_cast<uint64_t>(count)) return;
    stopAt(report, pos + complete * size, part,
           core::strf("%s: record %zu of %lld needs %zu bytes; %zu left", section, complete + 1,
                      static_cast<long long>(count), size, remaining - complete * size));
}

} // namespace

int16_t ModelImage::specialHandling(size_t screen) const
{
    size_t offset = 2 + 2 * screen;
    if (offset + 2 > special1.size()) return 0;
    return static_cast<int16_t>(special1[offset] | (special1[offset + 1] << 8));
}

void ModelImage::reset()
{
    *this = ModelImage{};
}

int16_t ChassisRecord::specialRegister(size_t offset) const
{
    const size_t first = chassis::kSpecialRegisters;
    if (offset < first || offset + 2 > first + 2 * specialRegisters.size() || (offset & 1)) return 0;
    return specialRegisters[(offset - first) / 2];
}

int16_t ChassisRecord::factoryPresetRegister(size_t i) const
{
    if (i >= chassis::kFactoryPresetCount) return 0;
    return specialRegister(chassis::kFactoryPresets + 2 * i);
}

ModelTiming decodeTiming(const uint8_t* record, size_t size)
{
    core::RecordReader r(record, size);
    ModelTiming t;
    t.name = r.textAt(0, kNameField);
    t.dotClock = r.f32At(16);
    t.hFrequency = r.f32At(20);
    t.vFrequency = r.f32At(24);
    for (size_t k = 0; k < 6; ++k) t.h[k] = r.i16At(32 + 2 * k);
    for (size_t k = 0; k < 6; ++k) t.v[k] = r.i16At(44 + 2 * k);
    t.syncKind = r.u8At(56);
    t.hPolarity = r.u8At(57);
    t.vPolarity = r.u8At(58);
    t.interlace = r.u8At(59);
    return t;
}

bool decodeModelFile(const std::vector<uint8_t>& bytes, ModelImage& image, DecodeReport* report)
{
    image.reset();
    core::RecordReader r(bytes);
    if (!r.has(0, 8)) {
        stopAt(report, bytes.size(), kMdlPreamble, core::strf("the preamble needs 16 bytes; the file has %zu", bytes.size()));
        return false;
    }
    if (r.textAt(4, 4) != "MDL=") {
        stopAt(report, 4, kMdlPreamble, "the preamble's tag is not \"MDL=\"");
        return false;
    }
    need(bytes, report, 0, 16, kMdlPreamble, "the preamble");
    need(bytes, report, 16, 48, kMdlHeader, "the header");

    // Header after the preamble.
    image.chassisFile = r.textAt(16, kNameField);
    int16_t presets = r.i16At(32);
    int16_t adjusts = r.i16At(34);
    image.primeMode = r.i16At(36);
    image.carried = r.i16At(38);
    int32_t mpuData = r.i32At(40);
    int32_t mpuMode = r.i32At(44);
    int32_t adjustList = r.i32At(48);
    int32_t touchUpList = r.i32At(52);
    size_t pos = 64;

    need(bytes, report, pos, kMarker, kMdlPresets, "the PRE_PARA marker");
    pos += kMarker;  // PRE_PARA
    needRecords(bytes, report, pos, presets, kTimingRecord, kMaxPresets, kMdlPresets, "PRE_PARA");
    image.presetCount = static_cast<int16_t>(readTimings(bytes, pos, presets, image.presets.data(), kMaxPresets));
    need(bytes, report, pos, kMarker, kMdlAdjustTimings, "the ADJ_PARA marker");
    pos = std::min(pos, SIZE_MAX - kMarker) + kMarker;  // ADJ_PARA
    needRecords(bytes, report, pos, adjusts, kTimingRecord, kMaxAdjustTimings, kMdlAdjustTimings, "ADJ_PARA");
    image.adjustCount = static_cast<int16_t>(readTimings(bytes, pos, adjusts, image.adjustTimings.data(), kMaxAdjustTimings));
    need(bytes, report, pos, kMarker, kMdlMpuData, "the MPU_DATA marker");
    pos = std::min(pos, SIZE_MAX - kMarker) + kMarker;  // MPU_DATA
    needRecords(bytes, report, pos, mpuData, kMpuDataRecord, kMaxMpuData, kMdlMpuData, "MPU_DATA");
    image.mpuDataCount = static_cast<int32_t>(readRaw(bytes, pos, mpuData, image.mpuData));
    need(bytes, report, pos, kMarker, kMdlMpuMode, "the MPU_MODE marker");
    pos = std::min(pos, SIZE_MAX - kMarker) + kMarker;  // MPU_MODE
    needRecords(bytes, report, pos, mpuMode, kMpuModeRecord, kMaxMpuMode, kMdlMpuMode, "MPU_MODE");
    image.mpuModeCount = static_cast<int32_t>(readRaw(bytes, pos, mpuMode, image.mpuMode));

    // From here on every section has a fixed size; a reader past the end gives zeros.
    if (pos > bytes.size()) pos = bytes.size();
    need(bytes, report, pos, kMarker + 4 + kMaxAdjustProcedures * kNameField, kMdlProcedures, "PRC_DATA");
    pos += kMarker;  // PRC_DATA
    adjustList = r.has(pos, 4) ? r.i32At(pos) : 0;
    pos += 4;
    if (report && adjustList > static_cast<int32_t>(kMaxAdjustProcedures))
        report->notes.push_back(core::strf("PRC_DATA: count %d beyond the capacity %zu", adjustList, kMaxAdjustProcedures));
    image.adjustProcedureCount = static_cast<int32_t>(
        std::clamp<int64_t>(adjustList, 0, static_cast<int64_t>(kMaxAdjustProcedures)));
    for (size_t i = 0; i < kMaxAdjustProcedures; ++i)
        image.adjustProcedures[i] = r.has(pos + i * kNameField, 1) ? r.textAt(pos + i * kNameField, kNameField) : "";
    pos += kMaxAdjustProcedures * kNameField;

    need(bytes, report, pos, kMarker + 4 + kMaxTouchUpProcedures * kNameField + kTouchUpExtra, kMdlTouchUp,
         "TUP_DATA");
    pos += kMarker;  // TUP_DATA
    touchUpList = r.has(pos, 4) ? r.i32At(pos) : 0;
    pos += 4;
    if (report && touchUpList > static_cast<int32_t>(kMaxTouchUpProcedures))
        report->notes.push_back(core::strf("TUP_DATA: count %d beyond the capacity %zu", touchUpList, kMaxTouchUpProcedures));
    image.touchUpProcedureCount = static_cast<int32_t>(
        std::clamp<int64_t>(touchUpList, 0, static_cast<int64_t>(kMaxTouchUpProcedures)));
    for (size_t i = 0; i < kMaxTouchUpProcedures; ++i)
        image.touchUpProcedures[i] = r.has(pos + i * kNameField, 1) ? r.textAt(pos + i * kNameField, kNameField) : "";
    pos += kMaxTouchUpProcedures * kNameField;
    readBytes(r, pos, image.touchUpExtra.data(), kTouchUpExtra);
    pos += kTouchUpExtra;

    need(bytes, report, pos, kMarker + kSpecial1Size + 2 * kSpecial23Size + kSpecial4Size, kMdlSpecial, "SPECIAL");
    pos += kMarker;  // SPECIAL
    readBytes(r, pos, image.special1.data(), kSpecial1Size);
    pos += kSpecial1Size;
    for (size_t s = 0; s < 5; ++s) readRegisterList(r, pos + s * 20, image.special2[s]);
    pos += kSpecial23Size;
    for (size_t s = 0; s < 5; ++s) readRegisterList(r, pos + s * 20, image.special3[s]);
    pos += kSpecial23Size;
    readBytes(r, pos, image.special4.data(), kSpecial4Size);
    pos += kSpecial4Size;

    need(bytes, report, pos, kMarker + 2, kMdlAvPresets, "AVPRE_PARA");
    pos += kMarker;  // AVPRE_PARA
    int16_t avPresets = r.has(pos, 2) ? r.i16At(pos) : 0;
    pos += 2;
    needRecords(bytes, report, pos, avPresets, kTimingRecord, kMaxAvPresets, kMdlAvPresets, "AVPRE_PARA");
    image.avPresetCount = static_cast<int16_t>(readTimings(bytes, pos, avPresets, image.avPresets.data(), kMaxAvPresets));
    if (pos > bytes.size()) pos = bytes.size();

    need(bytes, report, pos, kMarker + 2, kMdlUmtNumber, "UMT_NO");
    pos += kMarker;  // UMT_NO and two further bytes
    image.umtNumber = r.has(pos, 2) ? r.i16At(pos) : 0;
    return true;
}

namespace {

ecs::ServiceList serviceList(core::RecordReader& r, size_t codes, size_t values)
{
    ecs::ServiceList list;
    for (size_t i = 0; i < ecs::kServiceListLength; ++i) {
        list.codes[i] = r.u16At(codes + 2 * i);
        list.values[i] = r.i16At(values + 2 * i);
    }
    return list;
}

} // namespace

void decodeChassisFile(const std::vector<uint8_t>& bytes, ChassisRecord& c, DecodeReport* report)
{
    using namespace chassis;
    c.reset();
    if (bytes.size() < kSize)
        stopAt(report, bytes.size(), 0, core::strf("the chassis record has %zu bytes; the file ends at %zu", kSize, bytes.size()));
    core::RecordReader r(bytes.data(), std::min(bytes.size(), kSize));
    c.standardFile = r.textAt(kStandardFile, kNameField);
    for (size_t k = 0; k < c.timingRegisters.size(); ++k) c.timingRegisters[k] = r.i16At(kTimingRegisters + 2 * k);
    for (size_t k = 0; k < c.specialRegisters.size(); ++k) c.specialRegisters[k] = r.i16At(kSpecialRegisters + 2 * k);
    c.factoryPresetAvailable = r.u8At(kFactoryPresetAvailable);
    c.maintenanceAvailable = r.u8At(kMaintenanceAvailable);
    c.showDegauss = r.u8At(kShowDegauss);
    c.showAging = r.u8At(kShowAging);
    c.showPower = r.u8At(kShowPower);
    c.failureAvailable = r.i16At(kFailureAvailable);
    c.polarityGroup = r.i16At(kPolarityGroup);
    for (size_t e = 0; e < kFailureEntries; ++e) {
        const size_t at = kFailureTable + e * kFailureEntrySize;
        FailureEntry entry;
        entry.code = r.i16At(at);
        if (entry.code == 0) break;
        for (size_t b = 0; b < kFailureBits; ++b) entry.bitNames[b] = r.textAt(at + 2 + b * kFailureBitName, kFailureBitName);
        c.failureTable.push_back(entry);
    }
    for (size_t k = 0; k < kLinkedPairs; ++k) {
        LinkedRegister pair{r.i16At(kLinkedRegisters + 4 * k), r.i16At(kLinkedRegisters + 4 * k + 2)};
        if (pair.slider == 0) break;
        c.linkedRegisters.push_back(pair);
    }
    c.sequences.entry = serviceList(r, kEntryCodes, kEntryValues);
    c.sequences.exit = serviceList(r, kExitCodes, kExitValues);
    c.sequences.powerRegister = r.u16At(kPower);
    c.sequences.keyRegister = r.u16At(kKey);
    c.sequences.umtRegister = r.u16At(kUmt);
    c.procedureFolder = r.textAt(kProcedureFolder, kNameField);
    c.settleWait = r.i16At(kSettleWait);
    for (size_t k = 0; k < c.panelButtons.size(); ++k) c.panelButtons[k] = r.i16At(kPanelButtons + 2 * k);
}

void decodeStandardFile(const std::vector<uint8_t>& bytes, StandardBlock& s, DecodeReport* report)
{
    s.reset();
    need(bytes, report, 0, kStandardPreamble, kStdPreamble, "the preamble");
    if (bytes.size() <= kStandardPreamble) return;
    core::RecordReader r(bytes.data() + kStandardPreamble,
                         std::min(bytes.size() - kStandardPreamble, kStandardBlockSize));
    const size_t block = kStandardPreamble;  // reader offsets are relative to the block
    need(bytes, report, block, 80, kStdStartList, "the start list");
    need(bytes, report, block + 80, 80, kStdEndList, "the end list");
    need(bytes, report, block + 160, 4, kStdGroupCount, "the data group count");
    for (size_t k = 0; k < s.startList.size(); ++k) {
        s.startList[k] = {r.i32At(8 * k), r.i32At(8 * k + 4)};
        s.endList[k] = {r.i32At(80 + 8 * k), r.i32At(84 + 8 * k)};
    }
    int32_t groups = r.i32At(160);
    // The block has room for 30 groups: a larger count is cut, not searched for.
    if (report && groups > static_cast<int32_t>(kMaxDataGroups))
        report->notes.push_back(core::strf("data groups: count %d beyond the capacity %zu; %zu kept", groups,
                                           kMaxDataGroups, kMaxDataGroups));
    needRecords(bytes, report, block + 164, std::min<int64_t>(groups, kMaxDataGroups), kDataGroupSize,
                kMaxDataGroups, kStdGroups, "data groups");
    s.groupCount = static_cast<int32_t>(usableCount(groups, kMaxDataGroups, r.remaining() > 164 ? r.size() - 164 : 0,
                                                    kDataGroupSize));
    for (size_t g = 0; g < static_cast<size_t>(s.groupCount); ++g) {
        size_t at = 164 + g * kDataGroupSize;
        DataGroup& d = s.groups[g];
        d.name = r.textAt(at, 20);
        d.modeCount = r.u8At(at + 20);
        d.itemCount = r.u8At(at + 21);
        d.modeLimitRegister = r.i16At(at + 22);
        d.commitRegister = r.i16At(at + 24);
        d.page = r.u8At(at + 26);
        r.bytesAt(at + 27, d.itemLow.data(), 256);
        r.bytesAt(at + 283, d.itemFlag.data(), 256);
    }
    need(bytes, report, block + 16364, kNameField, kStdLinkDescription, "the link description name");
    need(bytes, report, block + 16380, 80, kStdTail, "the block's last 80 bytes");
    s.linkDescriptionFile = r.textAt(16364, kNameField);
    r.bytesAt(16380, s.tail.data(), s.tail.size());
}

bool isDataFileName(const std::string& name)
{
    if (name.empty() || name[0] == '/' || name[0] == '\\') return false;
    if (name.size() >= 2 && name[1] == ':') return false;  // a drive, "C:..."
    size_t start = 0;
    while (start <= name.size()) {
        size_t end = name.find_first_of("/\\", start);
        if (end == std::string::npos) end = name.size();
        if (name.compare(start, end - start, "..") == 0) return false;
        start = end + 1;
    }
    return true;
}

std::string dataFilePath(const std::string& home, const std::string& name)
{
    if (!isDataFileName(name)) return {};
    return platform::locateFile(home, "data\\" + name);
}

namespace {

// Reads a file of the chain; false when the name is empty or it cannot be opened.
bool readChainFile(const std::string& home, const std::string& name, std::vector<uint8_t>& out)
{
    out.clear();
    const std::string path = dataFilePath(home, name);
    if (path.empty()) return false;
    return core::readWholeFile(path, out, kMaxFileBytes);
}

} // namespace

int loadModel(ModelData& data, const std::string& home, const std::string& modelFile, core::Ui& ui,
              const LinkDescriptionLoader& loadLinkDescription)
{
    std::vector<uint8_t> bytes;
    data.modelFile = modelFile;

    if (!readChainFile(home, modelFile, bytes)) {
        ui.message("No mdl Files");
        data.modelFile.clear();
        data.chassisFile.clear();
        data.standardFile.clear();
        data.linkDescriptionFile.clear();
        return 0;
    }
    if (!decodeModelFile(bytes, data.image)) ui.message(" *.mdl data is wrong.\nPlease check file ");

    data.chassisFile = data.image.chassisFile;
    if (!readChainFile(home, data.chassisFile, bytes)) {
        ui.message("No chs Files ");
        data.chassisFile.clear();
        data.standardFile.clear();
        data.linkDescriptionFile.clear();
        return 0;
    }
    decodeChassisFile(bytes, data.chassis);

    data.standardFile = data.chassis.standardFile;
    if (!readChainFile(home, data.standardFile, bytes)) {
        ui.message("No std Files ");
        data.standardFile.clear();
        data.linkDescriptionFile.clear();
        return 0;
    }
    decodeStandardFile(bytes, data.standard);

    data.linkDescriptionFile = data.standard.linkDescriptionFile;
    // A block that names no file still replaces the link's map (with the empty
    // one), so no command of the previous model reaches this monitor.
    const std::string path =
        data.linkDescriptionFile.empty() ? std::string() : dataFilePath(home, data.linkDescriptionFile);
    if (!loadLinkDescription || loadLinkDescription(path) != 1 || data.linkDescriptionFile.empty()) {
        ui.message("No bus Files");
        data.linkDescriptionFile.clear();
        return 0;
    }
    return 1;
}

bool selectTiming(const ModelImage& image, int number, SgTiming& out)
{
    const ModelTiming* t = nullptr;
    int mode = number;
    if (number >= 1 && number <= 99) {
        if (number <= image.presetCount) t = &image.presets[number - 1];
    } else if (number >= 101 && number <= 199) {
        if (number - 100 <= image.adjustCount) t = &image.adjustTimings[number - 101];
    } else if (number == 201) {
        mode = image.primeMode;
        if (mode >= 1 && mode <= image.presetCount) t = &image.presets[mode - 1];
    }
    if (!t) return false;

    out.name = t->name;
    out.resolution = core::strf("%4d x %-4d", t->h[5], t->v[5]);
    out.mode = mode;
    out.dotClock = t->dotClock;
    out.hFrequency = t->hFrequency * 1000.0f;
    // Each horizontal dot count as a time: dots * 1000 / (kHz * total dots) us.
    float line = t->hFrequency * static_cast<float>(t->h[0]);
    float* periods[6] = {&out.hTotal, &out.hBlanking, &out.hFront, &out.hSync, &out.hBack, &out.hActive};
    for (size_t k = 0; k < 6; ++k) *periods[k] = line != 0.0f ? static_cast<float>(t->h[k]) * 1000.0f / line : 0.0f;
    out.vFrequency = t->vFrequency;
    out.vTotal = t->v[0];
    out.vBlanking = t->v[1];
    out.vFront = t->v[2];
    out.vSync = t->v[3];
    out.vBack = t->v[4];
    out.vActive = t->v[5];
    switch (t->syncKind) {
    case 0: out.syncExternal = 1; out.syncComposite = 0; out.syncOnGreen = 0; break;
    case 2: out.syncExternal = 0; out.syncComposite = 1; out.syncOnGreen = 0; break;
    case 3: out.syncExternal = 0; out.syncComposite = 0; out.syncOnGreen = 1; break;
    default: break;
    }
    out.hPolarity = t->hPolarity;
    out.vPolarity = t->vPolarity;
    out.interlace = t->interlace;
    return true;
}

} // namespace modeldb
