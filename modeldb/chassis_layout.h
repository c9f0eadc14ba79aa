#pragma once
// Byte offsets in the 2420-byte chassis record (the whole chassis file),
// shared by its reader (model_file.cpp) and its writer (kit/model_kit.cpp).
// Special registers are int16 register codes; 0 means the model has none.
#include <cstddef>

namespace modeldb::chassis {

constexpr size_t kSize = 2420;

constexpr size_t kStandardFile = 0;        // 16-byte name
constexpr size_t kTimingRegisters = 232;   // 5 x int16: sync kind, H pol, V pol, H freq x10, V freq x100
constexpr size_t kSpecialRegisters = 300;  // 64 x int16, bytes 300..427

// Special registers.
constexpr size_t kUserSave = 300;          // "Save" of the factory preset screen, JOB_USER_SAVE
constexpr size_t kColorSave = 302;         // JOB_COLOR_SAVE
constexpr size_t kAudioSave = 304;         // JOB_AUDIO_SAVE
constexpr size_t kNFact = 306;             // receives the number of preset timings
constexpr size_t kAbl = 308;               // JOB_ABL
constexpr size_t kHFrequency = 310;        // status lines
constexpr size_t kNUser = 312;             // the mode count; receives the number of preset timings
constexpr size_t kVFrequency = 314;        // status lines
constexpr size_t kSyncPolarity = 316;      // status lines
constexpr size_t kModeNumber = 318;        // status lines, the factory preset mode check
constexpr size_t kServiceSave = 320;       // "S_save": written 0 to store
constexpr size_t kMonitorId = 322;
constexpr size_t kFactoryId = 324;         // the first of four consecutive register codes
constexpr size_t kRestore = 326;           // written 0 (ECS type 2)
constexpr size_t kDegauss = 328;
constexpr size_t kEUmt = 330;              // written 0 before a timing download
constexpr size_t kAging = 332;
constexpr size_t kFactoryPresets = 334;    // 8 x int16: the sliders of the factory preset screen
constexpr size_t kFactoryPresetCount = 8;
constexpr size_t kElapsedHigh = 352;       // elapsed-time counter, high part
constexpr size_t kElapsedLow = 354;        // and low part
constexpr size_t kPower = 400;
constexpr size_t kKey = 402;
constexpr size_t kUmt = 404;

// Flags and tables.
constexpr size_t kFactoryPresetAvailable = 451;  // uint8, nonzero enables the command
constexpr size_t kMaintenanceAvailable = 452;    // uint8
constexpr size_t kShowDegauss = 453;             // uint8, shows the "Degauss" button
constexpr size_t kShowAging = 454;               // uint8, shows the "Aging" button
constexpr size_t kShowPower = 455;               // uint8, shows the "Power" button
constexpr size_t kFailureAvailable = 696;        // int16, nonzero enables the command
constexpr size_t kPolarityGroup = 698;           // int16: position, from 1, among the data groups in use
constexpr size_t kFailureTable = 700;            // 5 entries of 130 bytes
constexpr size_t kFailureEntrySize = 130;        // int16 register code (0 ends), 8 bit names of 16 bytes
constexpr size_t kFailureEntries = 5;
constexpr size_t kFailureBits = 8;
constexpr size_t kFailureBitName = 16;
constexpr size_t kLinkedRegisters = 1350;        // 16 x (int16 slider register, int16 paired register)
constexpr size_t kLinkedPairs = 16;
constexpr size_t kEntryCodes = 1556;             // 10 x int16, service-entry list
constexpr size_t kEntryValues = 1576;
constexpr size_t kExitCodes = 1600;              // 10 x int16, service-exit list
constexpr size_t kExitValues = 1620;
constexpr size_t kProcedureFolder = 1640;        // 16-byte name
constexpr size_t kSettleWait = 1656;             // int16, steps of 100 ms (used only when 0..255)
constexpr size_t kPanelButtons = 2076;           // 30 x int16, the appliance panel
constexpr size_t kPanelButtonCount = 30;

} // namespace modeldb::chassis
