// A monitor data file (".dat"), walked as the viewer and the load walk it:
// decoded with the data groups of the model it is opened for, every value
// asked; shown in the viewer, every group line selected; loaded into a
// monitor in memory that holds every register of those groups. The
// technician answers Yes to a file of another model.
//
// Input: the standard file whose groups the walk follows (a part; absent:
// the demo model's), then the data file.
#include <algorithm>
#include <string>

#include "core/operation_log.h"
#include "datafiles/dat_reader.h"
#include "datafiles/data_load.h"
#include "datafiles/viewer_screen.h"
#include "fuzz/support/data_model.h"
#include "fuzz/support/fuzz_input.h"
#include "fuzz/support/scratch.h"
#include "modeldb/model_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Input in(data, size);
    modeldb::StandardBlock standard = fuzz::demoStandard();
    if (const std::optional<fuzz::Bytes> file = in.part()) modeldb::decodeStandardFile(*file, standard);
    const fuzz::Bytes bytes = in.rest();

    const datafiles::DatContents contents = datafiles::decodeDatFile(bytes, standard);
    if (contents.groups.size() > modeldb::kMaxDataGroups) __builtin_trap();
    for (size_t g = 0; g < contents.groups.size(); ++g)
        for (size_t b = 0; b < contents.groups[g].blocks.size(); ++b)
            for (size_t v = 0; v <= contents.groups[g].blocks[b].values.size(); ++v) contents.value(g, b, v);

    fuzz::placeFile("data.dat", bytes);
    const std::string path = fuzz::scratchFolder() + "/data.dat";
    fuzz::DataModel m(standard);
    appstate::ScreenContext context = m.context();

    m.ui.answerFile(path);
    m.ui.answerYesNo(true);
    datafiles::ViewerScreen viewer(context, fuzz::scratchFolder());
    viewer.open();
    for (int line = 0; line < static_cast<int>(viewer.groupLines().size()); ++line) {
        viewer.selectLine(line);
        viewer.view();
    }
    viewer.finish();

    m.ui.answerYesNo(true);
    core::OperationLog log;
    datafiles::DataLoad load(context, log);
    load.run(path);
    return 0;
}
