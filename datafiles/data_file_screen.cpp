#include "datafiles/data_file_screen.h"

#include "datafiles/data_load.h"
#include "datafiles/data_save.h"

namespace datafiles {

const char* const kDataFileFilter = "FILE(*.dat)|*.dat|ALL FILES|*.*||";
const char* const kDataFileExtension = ".dat";

std::string folderOfPath(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return std::string();
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string fileNameOfPath(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

DataFileScreen::DataFileScreen(appstate::ScreenContext& context, SavePath savePath, Texts texts)
    : context_(context), savePath_(std::move(savePath)), texts_(texts), session_(context) {
    log_.setListener([this] { changed(); });
}

void DataFileScreen::open() {
    if (!session_.open()) {
        close(0);
        return;
    }
    core::FileChoice choice;
    choice.mode = texts_.mode;
    choice.title = texts_.chooserTitle;
    choice.folder = savePath_.folder;
    choice.filter = kDataFileFilter;
    std::optional<std::string> chosen = context_.ui.chooseFile(choice);
    if (!chosen || chosen->empty()) {
        finish();
        return;
    }
    path_ = *chosen;
    // A saved name without an extension gets the data files' one.
    if (texts_.mode == core::FileChoice::Mode::Save && fileNameOfPath(path_).find('.') == std::string::npos)
        path_ += kDataFileExtension;
    if (savePath_.store) savePath_.store(folderOfPath(path_));
    caption_ = std::string(texts_.captionPrefix) + fileNameOfPath(path_);
    log_.clear();
    log_.add(texts_.listHeader);
    changed();
}

void DataFileScreen::start() {
    if (closed() || running_ || path_.empty()) return;
    running_ = true;
    changed();
    result_ = runOnce(path_);
    running_ = false;
    changed();
}

void DataFileScreen::finish() {
    if (closed()) return;
    session_.close();
    close(result_ == RunResult::Completed ? 1 : 0);
}

bool DataFileScreen::handle(const core::InputEvent& e) {
    if (closed() || running_) return false;
    if (e.is(core::Key::Enter) || e.isClick(kStart)) {
        if (path_.empty()) return false;
        start();
        return true;
    }
    if (e.is(core::Key::Escape) || e.isClick(kClose)) {
        finish();
        return true;
    }
    if (e.kind == core::InputEvent::Kind::Row) {
        if (e.row < 1 || e.row > static_cast<int>(log_.lines().size())) return false;
        selected_ = e.row - 1;
        changed();
        return true;
    }
    return false;
}

core::ScreenView DataFileScreen::view() const {
    core::ScreenView v;
    v.title = title();
    v.field("File", path_);
    v.lists.push_back({"list", {log_.lines().begin(), log_.lines().end()}, selected_});
    v.buttons.push_back({kStart, canStart()});
    v.buttons.push_back({kClose, !running_});
    v.progress = log_.progress();
    v.keys = {"Enter", "Escape", "row=N"};
    return v;
}

SaveDataScreen::SaveDataScreen(appstate::ScreenContext& context, SavePath savePath)
    : DataFileScreen(context, std::move(savePath),
                     {"Save Data to File", "Save the data from monitor to File", core::FileChoice::Mode::Save,
                      " === Save Data List ===", "Save File :"}) {}

RunResult SaveDataScreen::runOnce(const std::string& path) {
    DataSave save(context_, log_);
    return save.run(path);
}

LoadDataScreen::LoadDataScreen(appstate::ScreenContext& context, SavePath savePath)
    : DataFileScreen(context, std::move(savePath),
                     {"Load Data to Set", "Load the data from File to monitor", core::FileChoice::Mode::Open,
                      " === Load Data List ===", "Load File :"}) {}

RunResult LoadDataScreen::runOnce(const std::string& path) {
    DataLoad load(context_, log_);
    return load.run(path);
}

} // namespace datafiles
