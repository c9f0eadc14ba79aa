#include "datafiles/data_run.h"

#include "core/result_codes.h"
#include "core/text_format.h"
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

bool DataRun::linkLost() {
    context_.ui.message(kCheckLine);
    return false;
}

uint32_t DataRun::sendKeptBack() {
    const Pending p = *pending_;
    pending_.reset();
    // A read that asks the monitor sends the block kept back before it.
    int32_t value = 0;
    const uint32_t r = context_.registers.readRegister(p.code, value, ecs::kAskMonitor);
    if (r != core::ECS_OK && r != core::ECS_ERR_LINK) {
        list(p.failLine);
        context_.registers.resetTransfer();
    }
    return r;
}

bool DataRun::pendingRefused(uint32_t result) {
    if (result == core::ECS_OK || result == core::ECS_ERR_LINK || !pending_) return false;
    const uint32_t r = sendKeptBack();
    return r != core::ECS_OK && r != core::ECS_ERR_LINK;
}

uint32_t DataRun::write(uint16_t code, int32_t value, int flags, std::string failLine) {
    uint32_t r = context_.registers.writeRegister(code, value, flags);
    if (pendingRefused(r)) r = context_.registers.writeRegister(code, value, flags);
    if ((flags & ecs::kSendNow) == 0 && r == core::ECS_OK)
        pending_ = Pending{code, std::move(failLine)};
    else if (r == core::ECS_OK)
        pending_.reset();  // a write sent now sends what was kept back first
    return r;
}

uint32_t DataRun::read(uint16_t code, int32_t& value, int flags) {
    uint32_t r = context_.registers.readRegister(code, value, flags);
    if (pendingRefused(r)) r = context_.registers.readRegister(code, value, flags);
    if ((flags & ecs::kAskMonitor) != 0 && r == core::ECS_OK) pending_.reset();
    return r;
}

bool DataRun::sendPending() {
    if (!pending_) return true;
    return sendKeptBack() != core::ECS_ERR_LINK || linkLost();
}

bool DataRun::selector(uint16_t code, int32_t value) {
    return write(code, value, ecs::kSendNow) != core::ECS_ERR_LINK || linkLost();
}

bool DataRun::remember(uint16_t code, bool& have, int32_t& value) {
    const uint32_t r = read(code, value, ecs::kAskMonitor);
    if (r == core::ECS_ERR_LINK) return linkLost();
    have = r == core::ECS_OK;  // an unknown setting is not restored
    return true;
}

bool DataRun::commit(const modeldb::DataGroup& group, uint32_t waitMs) {
    if (group.commitRegister == 0) return true;
    const uint16_t code = static_cast<uint16_t>(group.commitRegister);
    if (!selector(code, 0)) return false;
    context_.clock.sleepMs(waitMs, kWaitCommit);
    list(core::strf("===== %s =====", name(code).c_str()));
    return true;
}

} // namespace datafiles
