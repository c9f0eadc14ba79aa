#include "cli/data_files.h"

#include <filesystem>
#include <system_error>

#include "cli/console_ui.h"
#include "cli/exit_code.h"
#include "cli/session.h"
#include "core/text_format.h"
#include "datafiles/data_file_screen.h"
#include "datafiles/data_run.h"

namespace cli {

std::string absolutePath(const std::string& path) {
    std::error_code ec;
    std::filesystem::path absolute = std::filesystem::absolute(path, ec);
    return ec ? path : absolute.lexically_normal().string();
}

int runDataFileScreen(Session& session, datafiles::DataFileScreen& screen, const std::string& path,
                      const std::function<int()>& whileOpen) {
    AttachedScreen shown(session.ui(), screen);
    session.ui().queueFile(absolutePath(path));
    screen.open();
    if (screen.closed()) return kExitFailed;
    screen.start();
    int code = screen.lastResult() == datafiles::RunResult::Completed ? kExitDone : kExitFailed;
    if (code == kExitDone && whileOpen) code = whileOpen();
    screen.finish();
    return code;
}

std::string faultText(const datafiles::DatFault& fault, const modeldb::StandardBlock& standard) {
    using datafiles::DatFault;
    const char* why = datafiles::kFileShort;
    switch (fault.kind) {
    case DatFault::Kind::LabelDifferent: why = datafiles::kLabelDifferent; break;
    case DatFault::Kind::ModeDifferent: why = datafiles::kModeDifferent; break;
    case DatFault::Kind::ValueDifferent: why = datafiles::kValueDifferent; break;
    case DatFault::Kind::Short:
    case DatFault::Kind::None: break;
    }
    std::string where = "header";
    if (fault.field != DatFault::Field::Header) {
        const std::string name = fault.group < standard.groups.size() ? standard.groups[fault.group].name : "";
        where = core::strf("group %zu (%s)", fault.group + 1, name.c_str());
    }
    // The run's texts carry blanks for their message boxes; a line does not need them.
    std::string text = why;
    text.erase(0, text.find_first_not_of(' '));
    text.erase(text.find_last_not_of(' ') + 1);
    return where + ": " + text;
}

} // namespace cli
