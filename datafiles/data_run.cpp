#include "datafiles/data_run.h"

#include "core/ui.h"
#include "platform/clock.h"

namespace datafiles {

const char* const kCheckLine = "Check RS232C line";
const char* const kLabelDifferent = "Label data different";
const char* const kModeDifferent = "Mode data different";
const char* const kValueDifferent = "Value data different";
const char* const kFileShort = " The file ends before the data of the model. ";
const char* const kFileUnreadable = " The file could not be read. ";
const char* const kSaveStopped = " File not changed: the save was stopped. ";
const char* const kSaveNotWritten = " File not changed: the file could not be written. ";

DataRun::DataRun(appstate::ScreenContext& context, core::OperationLog& log)
    : context_(context), log_(log), progress_(log) {}

void DataRun::list(std::string line) {
    log_.add(std::move(line));
    context_.ui.refresh();
}

void DataRun::showAndList(const std::string& text) {
    context_.ui.message(text);
    list(text);
}

const std::string& DataRun::standardName() const { return context_.model.chassis.standardFile; }

void DataRun::finish(int32_t lastValue, const std::function<void()>& close) {
    context_.registers.writeRegister(kFinalRegister, lastValue, ecs::kSendNow);
    progress_.set(90);
    close();
    context_.registers.standardPostSequence(context_.model.standard.endList);
    progress_.set(95);
    context_.ui.refresh();
    context_.clock.sleepMs(kFinishMs, kWaitFinish);
    progress_.set(100);
    context_.ui.refresh();
    context_.clock.sleepMs(kFinishMs, kWaitFinish);
}

} // namespace datafiles
