// The chassis record: each field the program reads, as far as the file goes.
#include "cli/dump/dump.h"

#include "cli/chassis_fields.h"
#include "modeldb/chassis_layout.h"
#include "modeldb/model_file.h"

namespace cli {

namespace {

Fields serviceList(const ecs::ServiceList& list) {
    Fields out = Fields::array();
    for (size_t i = 0; i < list.codes.size() && list.codes[i] != 0; ++i)
        out.push_back(Fields{{"register", hexCode(list.codes[i])}, {"value", list.values[i]}});
    return out;
}

} // namespace

Dump dumpChassisFile(const std::vector<uint8_t>& bytes) {
    using namespace modeldb::chassis;
    Dump d;
    modeldb::ChassisRecord c;
    modeldb::DecodeReport report;
    modeldb::decodeChassisFile(bytes, c, &report);
    Fields& f = d.fields;
    // A field is shown when the file holds all of it.
    auto within = [&](size_t offset, size_t size) { return offset + size <= bytes.size(); };

    if (within(kStandardFile, 16)) f["standard file"] = c.standardFile;
    if (within(kTimingRegisters, 10)) {
        Fields timing = Fields::object();
        for (size_t k = 0; k < c.timingRegisters.size(); ++k) timing[timingRegisterLabels()[k]] = hexCode(c.timingRegisters[k]);
        f["per-mode timing registers"] = timing;
    }
    Fields special = Fields::object();
    for (const ChassisRegisterField& field : chassisRegisterFields())
        if (within(field.offset, 2)) special[field.label + " (" + std::to_string(field.offset) + ")"] = hexCode(c.specialRegister(field.offset));
    if (!special.empty()) f["special registers"] = special;
    if (within(kFactoryPresetAvailable, 1)) f["factory preset available"] = c.factoryPresetAvailable;
    if (within(kMaintenanceAvailable, 1)) f["maintenance available"] = c.maintenanceAvailable;
    if (within(kShowDegauss, 1)) f["show Degauss"] = c.showDegauss;
    if (within(kShowAging, 1)) f["show Aging"] = c.showAging;
    if (within(kShowPower, 1)) f["show Power"] = c.showPower;
    if (within(kFailureAvailable, 2)) f["failure screen available"] = c.failureAvailable;
    if (within(kPolarityGroup, 2)) f["polarity group"] = c.polarityGroup;
    if (within(kFailureTable, kFailureEntries * kFailureEntrySize)) {
        Fields table = Fields::array();
        for (const modeldb::FailureEntry& e : c.failureTable)
            table.push_back(Fields{{"register", hexCode(e.code)}, {"bit names", e.bitNames}});
        f["failure table"] = table;
    }
    if (within(kLinkedRegisters, kLinkedPairs * 4)) {
        Fields pairs = Fields::array();
        for (const modeldb::LinkedRegister& p : c.linkedRegisters)
            pairs.push_back(Fields{{"slider", hexCode(p.slider)}, {"paired", hexCode(p.paired)}});
        f["linked registers"] = pairs;
    }
    if (within(kEntryValues, 20)) f["service-entry list"] = serviceList(c.sequences.entry);
    if (within(kExitValues, 20)) f["service-exit list"] = serviceList(c.sequences.exit);
    if (within(kProcedureFolder, 16)) f["procedure folder"] = c.procedureFolder;
    if (within(kSettleWait, 2)) f["settle wait (100 ms steps)"] = c.settleWait;
    if (within(kPanelButtons, 2 * kPanelButtonCount)) {
        Fields buttons = Fields::array();
        for (int16_t code : c.panelButtons) buttons.push_back(hexCode(code));
        f["appliance panel buttons"] = buttons;
    }
    if (report.stop) d.stop = Dump::Stop{report.stop->offset, report.stop->reason};
    return d;
}

} // namespace cli
