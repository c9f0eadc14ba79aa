#include "datafiles/viewer_screen.h"

#include "core/text_format.h"
#include "core/ui.h"
#include "datafiles/data_file_screen.h"
#include "datafiles/data_groups.h"
#include "datafiles/data_run.h"

namespace datafiles {

namespace {
unsigned hex16(int32_t v) { return static_cast<unsigned>(v) & 0xFFFFu; }
} // namespace

ViewerScreen::ViewerScreen(appstate::ScreenContext& context, std::string folder)
    : context_(context), folder_(std::move(folder)) {}

void ViewerScreen::open() {
    modelAnswered_ = false;
    core::FileChoice choice;
    choice.mode = core::FileChoice::Mode::Open;
    choice.title = "Viewer";
    choice.folder = folder_;
    choice.filter = kDataFileFilter;
    std::optional<std::string> chosen = context_.ui.chooseFile(choice);
    if (!chosen || chosen->empty()) {
        finish();
        return;
    }
    path_ = *chosen;
    caption_ = fileNameOfPath(path_);
    groups_ = {" === Viewer List === "};
    const modeldb::StandardBlock& standard = context_.model.standard;
    for (size_t g = 0; g < walkedGroupCount(standard); ++g)
        groups_.push_back(core::strf("%2d:%-20s", static_cast<int>(g) + 1, standard.groups[g].name.c_str()));
    data_.clear();
    changed();
}

void ViewerScreen::selectLine(int index) {
    if (index < 0 || index >= static_cast<int>(groups_.size())) return;
    selected_ = index;
    data_ = {" === Data List === "};
    walk(static_cast<size_t>(index));
    changed();
}

bool ViewerScreen::handle(const core::InputEvent& e) {
    if (closed()) return false;
    if (e.is(core::Key::Escape) || e.isClick(kClose)) {
        finish();
        return true;
    }
    if (e.kind == core::InputEvent::Kind::Row) {
        if (e.row < 1 || e.row > static_cast<int>(groups_.size())) return false;
        selectLine(e.row - 1);
        return true;
    }
    return false;
}

core::ScreenView ViewerScreen::view() const {
    core::ScreenView v;
    v.title = caption_.empty() ? std::string("Viewer") : caption_;
    v.field("File", path_);
    v.lists.push_back({"groups", groups_, selected_});
    v.lists.push_back({"data", data_, -1});
    v.buttons.push_back({kClose});
    v.keys = {"Escape", "row=N"};
    return v;
}

void ViewerScreen::fault(const DatFault& f) {
    const char* text = kFileShort;
    switch (f.kind) {
    case DatFault::Kind::LabelDifferent: text = kLabelDifferent; break;
    case DatFault::Kind::ModeDifferent: text = kModeDifferent; break;
    case DatFault::Kind::ValueDifferent: text = kValueDifferent; break;
    case DatFault::Kind::Short:
    case DatFault::Kind::None: break;
    }
    context_.ui.message(text);
    list(text);
}

void ViewerScreen::walk(size_t selected) {
    DatContents file;
    if (!readDatFile(path_, context_.model.standard, file)) {
        context_.ui.message(kFileUnreadable);
        return;
    }
    if (file.fault.at(DatFault::Field::Header)) return fault(file.fault);
    const std::string current = context_.modelName;
    if (!sameHeaderText(file.header.modelName, current) && !modelAnswered_) {
        const std::string saved = fieldText(file.header.modelName);
        if (!context_.ui.askYesNo(
                core::strf("Now  model = %-15s\nSave model = %-15s\n\nViewer OK?", current.c_str(), saved.c_str())))
            return;
        modelAnswered_ = true;
    }
    const std::string& standardName = context_.model.chassis.standardFile;
    if (!sameHeaderText(file.header.standardName, standardName)) {
        const std::string saved = fieldText(file.header.standardName);
        context_.ui.message(core::strf("Now using std = %-15s\nSave data std  = %-15s\n\nSave format is different !",
                                       standardName.c_str(), saved.c_str()));
        return;
    }

    const bool debug = context_.flags.debug;
    const modeldb::StandardBlock& standard = context_.model.standard;
    for (size_t g = 0; g < walkedGroupCount(standard); ++g) {
        const modeldb::DataGroup& group = standard.groups[g];
        const GroupKind kind = groupKind(group);
        const bool shown = g + 1 == selected;
        const int n = group.itemCount;
        if (kind == GroupKind::Ordinary) {
            if (file.fault.at(DatFault::Field::Label, g)) return fault(file.fault);
            if (shown) list(core::strf("LABEL = %-15s", group.name.c_str()));
            const int modes = group.modeCount == 0 ? 1 : group.modeCount;
            for (int k = 0; k < modes; ++k) {
                const size_t block = static_cast<size_t>(k);
                if (group.modeCount > 0) {
                    if (file.fault.at(DatFault::Field::Mode, g, block)) return fault(file.fault);
                    if (shown) list(core::strf("Mode = %-5d", k));
                }
                for (int j = 0; j < n; ++j) {
                    const size_t item = static_cast<size_t>(j);
                    const DatValue* v = file.value(g, block, item);
                    if (!v) return fault(file.fault);
                    if (!shown) continue;
                    const std::string reg = context_.registers.registerName(itemCode(group, item));
                    const uint8_t flag = group.itemFlag[item];
                    if (group.modeCount > 0) {
                        if (v->isError())
                            list(core::strf("%-15s:=err= Pass", reg.c_str()));
                        else if (flag == kSkippedItem)
                            list(core::strf("%-15s:SKIP", reg.c_str()));
                        else if (debug)
                            list(core::strf("%-15s:%-5d :%4xH", reg.c_str(), v->number, hex16(v->number)));
                        else
                            list(core::strf("%-15s:%-5d", reg.c_str(), v->number));
                    } else {
                        if (flag == kSkippedItem)
                            list(core::strf("%3d:%-15s:SKIP", j + 1, reg.c_str()));
                        else if (flag == kConstantItem)
                            list(core::strf("%3d:%-15s:%-5d", j + 1, reg.c_str(), 1));
                        else if (v->isError())
                            list(core::strf("%3d:%-15s:=err= Pass", j + 1, reg.c_str()));
                        else if (debug)
                            list(core::strf("%3d:%-15s:%-5d :%4xH", j + 1, reg.c_str(), v->number, hex16(v->number)));
                        else
                            list(core::strf("%3d:%-15s:%-5d ", j + 1, reg.c_str(), v->number));
                    }
                }
            }
            continue;
        }

        // Special groups are listed whatever the selection.
        list(core::strf("LABEL = %-15s", group.name.c_str()));
        if (kind == GroupKind::SpecialUnknown) continue;
        if (file.fault.at(DatFault::Field::Label, g)) return fault(file.fault);
        const std::string first = context_.registers.registerName(itemCode(group, 0));
        const std::string second = context_.registers.registerName(itemCode(group, 1));
        const size_t from = firstDataItem(kind);
        int running = 0;
        size_t block = 0;
        // Lists (or only checks) the stored values of one block.
        auto values = [&](bool listed) {
            for (size_t i = from; i < group.itemCount; ++i) {
                const DatValue* v = file.value(g, block, i - from);
                if (!v) return false;
                if (!listed) continue;
                const std::string reg = context_.registers.registerName(itemCode(group, i));
                ++running;
                if (v->isError())
                    list(core::strf("%3d:%-15s:=err= Pass", running, reg.c_str()));
                else
                    list(core::strf("%3d:%-15s:%-5d", running, reg.c_str(), v->number));
            }
            ++block;
            return true;
        };
        switch (kind) {
        case GroupKind::Special1:
            for (int a = 0; a <= selectorA(group); ++a) {
                list(core::strf("%-15s:%-5d", first.c_str(), a));
                for (int b = 0; b <= selectorB(group); ++b) {
                    list(core::strf("%-15s:%-5d", second.c_str(), b));
                    if (!values(true)) return fault(file.fault);
                }
            }
            break;
        case GroupKind::Special3:
            for (int i = 1; i <= group.modeCount; ++i) {
                list(core::strf("%-15s:%-5d", first.c_str(), i));
                if (!values(true)) return fault(file.fault);
            }
            break;
        case GroupKind::Special2:
            if (!values(false)) return fault(file.fault);
            break;
        case GroupKind::Special4:
            for (int j = 0; j < group.modeCount; ++j)
                if (!values(false)) return fault(file.fault);
            break;
        case GroupKind::Ordinary:
        case GroupKind::SpecialUnknown:
            break;
        }
    }
}

void runViewer(appstate::ScreenContext& context, const std::string& folder) {
    ViewerScreen screen(context, folder);
    screen.open();
    if (!screen.closed()) context.ui.runModal(screen);
}

} // namespace datafiles
