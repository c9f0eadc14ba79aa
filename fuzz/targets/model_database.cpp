// The model-selection database: the five tables (model, chassis, com type,
// customer, firmware) as files in a program folder, read and joined into the
// model list. Input: five parts, one per table in that order; an absent part
// is a missing file.
#include "core/fake_ui.h"
#include "fuzz/support/fuzz_input.h"
#include "fuzz/support/scratch.h"
#include "modeldb/model_database.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Input in(data, size);
    for (modeldb::Table t : {modeldb::Table::Model, modeldb::Table::Chassis, modeldb::Table::ComType,
                             modeldb::Table::Customer, modeldb::Table::Firmware})
        fuzz::placeFile(modeldb::tableInfo(t).fileName, in.part());

    core::FakeUi ui;
    modeldb::ModelDatabase db(fuzz::scratchFolder(), ui);
    const int n = db.buildModelList();
    if (n > 0 && (static_cast<size_t>(n) != db.entries().size() || db.records().size() != db.entries().size()))
        __builtin_trap();
    for (const modeldb::ModelEntry& e : db.entries())
        if (e.modelName.size() > 19 || e.fileStem.size() > 9 || e.description.size() > 39) __builtin_trap();
    return 0;
}
