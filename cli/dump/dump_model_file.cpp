// The model file, part by part as far as the reader got.
#include "cli/dump/dump.h"

#include "modeldb/model_file.h"

namespace cli {

namespace {

Fields timing(const modeldb::ModelTiming& t) {
    return Fields{{"name", t.name},
                  {"dot clock MHz", floatValue(t.dotClock)},
                  {"H kHz", floatValue(t.hFrequency)},
                  {"V Hz", floatValue(t.vFrequency)},
                  {"H dots (total, blanking, front, sync, back, active)", t.h},
                  {"V lines (total, blanking, front, sync, back, active)", t.v},
                  {"sync kind", t.syncKind},
                  {"H polarity", t.hPolarity},
                  {"V polarity", t.vPolarity},
                  {"interlace", t.interlace}};
}

template <typename Timings>
Fields timings(const Timings& list, int count) {
    Fields out = Fields::array();
    for (int i = 0; i < count; ++i) out.push_back(timing(list[static_cast<size_t>(i)]));
    return out;
}

template <typename Records>
Fields rawRecords(const Records& list, int count) {
    Fields out = Fields::array();
    for (int i = 0; i < count; ++i)
        out.push_back(hexRows(list[static_cast<size_t>(i)].data(), list[static_cast<size_t>(i)].size()));
    return out;
}

template <typename Names>
Fields names(const Names& list, int count) {
    Fields out = Fields::array();
    for (int i = 0; i < count; ++i) out.push_back(list[static_cast<size_t>(i)]);
    return out;
}

Fields registerLists(const std::array<modeldb::ScreenRegisterList, 5>& lists) {
    Fields out = Fields::object();
    for (size_t s = 0; s < lists.size(); ++s) {
        Fields pairs = Fields::array();
        for (size_t k = 0; k < 5 && lists[s].codes[k] != 0; ++k)
            pairs.push_back(Fields{{"register", hexCode(lists[s].codes[k])}, {"value", lists[s].values[k]}});
        if (!pairs.empty()) out["screen " + std::to_string(s)] = pairs;
    }
    return out;
}

} // namespace

Dump dumpModelFile(const std::vector<uint8_t>& bytes) {
    Dump d;
    modeldb::ModelImage image;
    modeldb::DecodeReport report;
    modeldb::decodeModelFile(bytes, image, &report);
    const int reached = report.stop ? report.stop->part : modeldb::kMdlComplete;
    Fields& f = d.fields;
    auto has = [reached](int part) { return part <= reached; };
    auto whole = [reached](int part) { return part < reached; };

    if (whole(modeldb::kMdlPreamble)) f["tag"] = "MDL=";
    if (whole(modeldb::kMdlHeader)) {
        f["chassis file"] = image.chassisFile;
        f["prime mode"] = image.primeMode;
        f["carried"] = image.carried;
    }
    // Record sections hold what the reader took, also when the file ends inside them.
    if (has(modeldb::kMdlPresets) && whole(modeldb::kMdlHeader)) f["PRE_PARA"] = timings(image.presets, image.presetCount);
    if (has(modeldb::kMdlAdjustTimings) && whole(modeldb::kMdlPresets))
        f["ADJ_PARA"] = timings(image.adjustTimings, image.adjustCount);
    if (has(modeldb::kMdlMpuData) && whole(modeldb::kMdlAdjustTimings))
        f["MPU_DATA"] = rawRecords(image.mpuData, image.mpuDataCount);
    if (has(modeldb::kMdlMpuMode) && whole(modeldb::kMdlMpuData))
        f["MPU_MODE"] = rawRecords(image.mpuMode, image.mpuModeCount);
    if (whole(modeldb::kMdlProcedures))
        f["PRC_DATA"] = Fields{{"adjustment procedures", names(image.adjustProcedures, image.adjustProcedureCount)}};
    if (whole(modeldb::kMdlTouchUp))
        f["TUP_DATA"] = Fields{{"touch-up procedures", names(image.touchUpProcedures, image.touchUpProcedureCount)},
                               {"touch-up extra data", hexRows(image.touchUpExtra.data(), image.touchUpExtra.size())}};
    if (whole(modeldb::kMdlSpecial)) {
        Fields handling = Fields::object();
        for (size_t screen = 0; 2 + 2 * screen + 2 <= image.special1.size(); ++screen)
            if (image.specialHandling(screen) != 0)
                handling["screen " + std::to_string(screen)] = image.specialHandling(screen);
        f["SPECIAL"] = Fields{{"table 1: special handling per screen", handling},
                              {"table 2: entry register lists", registerLists(image.special2)},
                              {"table 3: exit register lists", registerLists(image.special3)},
                              {"table 4", hexRows(image.special4.data(), image.special4.size())}};
    }
    if (has(modeldb::kMdlAvPresets) && whole(modeldb::kMdlSpecial))
        f["AVPRE_PARA"] = timings(image.avPresets, image.avPresetCount);
    if (whole(modeldb::kMdlUmtNumber)) f["UMT_NO"] = image.umtNumber;

    d.notes = report.notes;
    if (report.stop) d.stop = Dump::Stop{report.stop->offset, report.stop->reason};
    return d;
}

} // namespace cli
