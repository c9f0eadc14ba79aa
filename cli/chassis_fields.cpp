#include "cli/chassis_fields.h"

#include "modeldb/chassis_layout.h"

namespace cli {

const std::vector<ChassisRegisterField>& chassisRegisterFields() {
    using namespace modeldb::chassis;
    static const std::vector<ChassisRegisterField> fields = [] {
        std::vector<ChassisRegisterField> f = {
            {kUserSave, "user-save register"},         {kColorSave, "colour-save register"},
            {kAudioSave, "audio-save register"},       {kNFact, "N_Fact register"},
            {kAbl, "ABL register"},                    {kHFrequency, "horizontal-frequency register"},
            {kNUser, "N_User register"},               {kVFrequency, "vertical-frequency register"},
            {kSyncPolarity, "sync-and-polarity register"}, {kModeNumber, "mode-number register"},
            {kServiceSave, "S_save register"},         {kMonitorId, "monitor-ID register"},
            {kFactoryId, "factory-ID register"},       {kRestore, "restore register"},
            {kDegauss, "degauss register"},            {kEUmt, "E_umt register"},
            {kAging, "aging register"},
        };
        for (size_t i = 0; i < kFactoryPresetCount; ++i)
            f.push_back({kFactoryPresets + 2 * i, "factory-preset register " + std::to_string(i + 1)});
        f.push_back({kElapsedHigh, "elapsed-time counter high"});
        f.push_back({kElapsedLow, "elapsed-time counter low"});
        f.push_back({kPower, "power register"});
        f.push_back({kKey, "key register"});
        f.push_back({kUmt, "UMT register"});
        return f;
    }();
    return fields;
}

const std::vector<std::string>& timingRegisterLabels() {
    static const std::vector<std::string> labels = {"sync-kind register", "H-polarity register",
                                                    "V-polarity register", "H-frequency x10 register",
                                                    "V-frequency x100 register"};
    return labels;
}

} // namespace cli
