#pragma once
// The loaded data of one monitor model: the model image, the chassis record and
// the standard block, each a fixed-capacity image overwritten in place by every
// model load.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "link/service_lists.h"
#include "modeldb/chassis_layout.h"

namespace modeldb {

// One display timing of the model (80-byte record of the model file).
struct ModelTiming {
    std::string name;
    float dotClock = 0;     // MHz
    float hFrequency = 0;   // kHz
    float vFrequency = 0;   // Hz
    // total, blanking, front porch, sync, back porch, active
    std::array<int16_t, 6> h{};  // dots
    std::array<int16_t, 6> v{};  // lines
    uint8_t syncKind = 0;   // 0 separate, 2 composite, 3 sync on green
    uint8_t hPolarity = 0;  // 0 positive
    uint8_t vPolarity = 0;
    uint8_t interlace = 0;
};

// The generator's current timing, filled from a model timing.
struct SgTiming {
    std::string name;
    std::string resolution;
    int32_t mode = 0;
    float dotClock = 0;     // MHz
    float hFrequency = 0;   // Hz
    float hTotal = 0, hBlanking = 0, hFront = 0, hSync = 0, hBack = 0, hActive = 0;  // microseconds
    float vFrequency = 0;   // Hz
    int32_t vTotal = 0, vBlanking = 0, vFront = 0, vSync = 0, vBack = 0, vActive = 0;  // lines
    int32_t syncOnGreen = 0;
    int32_t syncExternal = 0;
    int32_t syncComposite = 0;
    int32_t hPolarity = 0;
    int32_t vPolarity = 0;
    std::array<int32_t, 2> reserved{};
    int32_t interlace = 0;
};

constexpr size_t kNameField = 16;
constexpr size_t kTimingRecord = 80;
constexpr size_t kMaxPresets = 30;
constexpr size_t kMaxAdjustTimings = 20;
constexpr size_t kMaxMpuData = 20;
constexpr size_t kMaxMpuMode = 10;
constexpr size_t kMpuDataRecord = 512;
constexpr size_t kMpuModeRecord = 1808;
constexpr size_t kMaxAdjustProcedures = 30;
constexpr size_t kMaxTouchUpProcedures = 5;
constexpr size_t kTouchUpExtra = 116;
constexpr size_t kSpecial1Size = 15 * 12;
constexpr size_t kSpecial23Size = 5 * 20;
constexpr size_t kSpecial4Size = 5 * 15 * 20;
constexpr size_t kMaxAvPresets = 10;

// Register codes and values written when a screen opens or closes.
struct ScreenRegisterList {
    std::array<int16_t, 5> codes{};
    std::array<int16_t, 5> values{};
};

struct ModelImage {
    std::string chassisFile;
    int16_t presetCount = 0;
    int16_t adjustCount = 0;
    int16_t primeMode = 0;
    int16_t carried = 0;
    std::array<ModelTiming, kMaxPresets> presets{};
    std::array<ModelTiming, kMaxAdjustTimings> adjustTimings{};
    int32_t mpuDataCount = 0;
    int32_t mpuModeCount = 0;
    std::array<std::array<uint8_t, kMpuDataRecord>, kMaxMpuData> mpuData{};
    std::array<std::array<uint8_t, kMpuModeRecord>, kMaxMpuMode> mpuMode{};
    int32_t adjustProcedureCount = 0;
    std::array<std::string, kMaxAdjustProcedures> adjustProcedures{};
    int32_t touchUpProcedureCount = 0;
    std::array<std::string, kMaxTouchUpProcedures> touchUpProcedures{};
    std::array<uint8_t, kTouchUpExtra> touchUpExtra{};
    std::array<uint8_t, kSpecial1Size> special1{};
    std::array<ScreenRegisterList, 5> special2{};  // written on entry
    std::array<ScreenRegisterList, 5> special3{};  // written on exit
    std::array<uint8_t, kSpecial4Size> special4{};
    int16_t avPresetCount = 0;
    std::array<ModelTiming, kMaxAvPresets> avPresets{};
    int16_t umtNumber = 0;

    // Special handling of screen n (0..88): the int16 at byte 2 + 2n of table 1.
    int16_t specialHandling(size_t screen) const;
    void reset();
};

// One entry of the failure screen's table: a register and the names of its bits.
struct FailureEntry {
    int16_t code = 0;
    std::array<std::string, chassis::kFailureBits> bitNames{};
};

// A slider register and the register written with it.
struct LinkedRegister {
    int16_t slider = 0;
    int16_t paired = 0;
};

struct ChassisRecord {
    std::string standardFile;
    std::array<int16_t, 5> timingRegisters{};   // sync kind, H pol, V pol, H freq x10, V freq x100
    std::array<int16_t, 64> specialRegisters{}; // bytes 300..427
    uint8_t factoryPresetAvailable = 0;
    uint8_t maintenanceAvailable = 0;
    uint8_t showDegauss = 0;
    uint8_t showAging = 0;
    uint8_t showPower = 0;
    int16_t failureAvailable = 0;
    int16_t polarityGroup = 0;
    std::vector<FailureEntry> failureTable;      // up to the first code 0
    std::vector<LinkedRegister> linkedRegisters; // up to the first slider code 0
    ecs::ChassisSequences sequences;             // service lists, power, key and UMT registers
    std::string procedureFolder;
    int16_t settleWait = 0;  // steps of 100 ms, used only when 0..255
    std::array<int16_t, chassis::kPanelButtonCount> panelButtons{};

    // The special register code stored at byte `offset` (300..426) of the record.
    int16_t specialRegister(size_t offset) const;
    int16_t userSaveRegister() const { return specialRegister(chassis::kUserSave); }
    int16_t colorSaveRegister() const { return specialRegister(chassis::kColorSave); }
    int16_t audioSaveRegister() const { return specialRegister(chassis::kAudioSave); }
    int16_t nFactRegister() const { return specialRegister(chassis::kNFact); }
    int16_t ablRegister() const { return specialRegister(chassis::kAbl); }
    int16_t hFrequencyRegister() const { return specialRegister(chassis::kHFrequency); }
    int16_t nUserRegister() const { return specialRegister(chassis::kNUser); }
    int16_t vFrequencyRegister() const { return specialRegister(chassis::kVFrequency); }
    int16_t syncPolarityRegister() const { return specialRegister(chassis::kSyncPolarity); }
    int16_t modeNumberRegister() const { return specialRegister(chassis::kModeNumber); }
    int16_t sSaveRegister() const { return specialRegister(chassis::kServiceSave); }
    int16_t monitorIdRegister() const { return specialRegister(chassis::kMonitorId); }
    int16_t factoryIdRegister() const { return specialRegister(chassis::kFactoryId); }
    int16_t restoreRegister() const { return specialRegister(chassis::kRestore); }
    int16_t degaussRegister() const { return specialRegister(chassis::kDegauss); }
    int16_t eUmtRegister() const { return specialRegister(chassis::kEUmt); }
    int16_t agingRegister() const { return specialRegister(chassis::kAging); }
    // Factory-preset register i (0..7).
    int16_t factoryPresetRegister(size_t i) const;
    int16_t elapsedHighRegister() const { return specialRegister(chassis::kElapsedHigh); }
    int16_t elapsedLowRegister() const { return specialRegister(chassis::kElapsedLow); }
    int16_t powerRegister() const { return static_cast<int16_t>(sequences.powerRegister); }
    int16_t keyRegister() const { return static_cast<int16_t>(sequences.keyRegister); }
    int16_t umtRegister() const { return static_cast<int16_t>(sequences.umtRegister); }
    void reset() { *this = ChassisRecord{}; }
};

constexpr size_t kDataGroupSize = 540;
constexpr size_t kMaxDataGroups = 30;
constexpr size_t kStandardPreamble = 16;
constexpr size_t kStandardBlockSize = 16460;

struct DataGroup {
    std::string name;
    uint8_t modeCount = 0;
    uint8_t itemCount = 0;
    int16_t modeLimitRegister = 0;
    int16_t commitRegister = 0;
    uint8_t page = 0;
    std::array<uint8_t, 256> itemLow{};
    std::array<uint8_t, 256> itemFlag{};

    bool special() const { return name.size() >= 2 && (name.compare(0, 2, "SP") == 0 || name.compare(0, 2, "sp") == 0); }
    int registerCode(size_t item) const { return page * 256 + itemLow[item & 0xFF]; }
};

struct StandardBlock {
    ecs::StandardList startList{};
    ecs::StandardList endList{};
    int32_t groupCount = 0;
    std::array<DataGroup, kMaxDataGroups> groups{};
    std::string linkDescriptionFile;
    std::array<uint8_t, 80> tail{};
    void reset() { *this = StandardBlock{}; }
};

// The three holders and the four file names of the current model.
struct ModelData {
    ModelImage image;
    ChassisRecord chassis;
    StandardBlock standard;
    std::string modelFile;
    std::string chassisFile;
    std::string standardFile;
    std::string linkDescriptionFile;
};

} // namespace modeldb
