#include "link/ecs_format.h"

#include "core/ui.h"
#include "link/comm_log.h"

namespace ecs {
namespace {

int g_ecsType = 1;  // process-wide, set from the profile and by model selection

} // namespace

EcsFormat::EcsFormat(core::Ui& ui, platform::Clock& clock)
    : SerialPort(clock), ui_(ui), formats_(1) {}

EcsFormat::~EcsFormat() = default;

void EcsFormat::setEcsType(int type) { g_ecsType = type; }
int EcsFormat::ecsType() { return g_ecsType; }

bool EcsFormat::openLog(const std::string& folder) {
    std::string path = folder;
    if (!path.empty() && path.back() != '/') path += '/';
    path += g_ecsType == 1 ? "ecs.log" : "ecs2.log";
    return CommLog::instance().open(path);
}

void EcsFormat::closeLog() { CommLog::instance().close(); }
bool EcsFormat::isLogging() { return CommLog::instance().isOpen(); }

const FormatRecord* EcsFormat::format(int number) const {
    if (number < 0 || static_cast<size_t>(number) >= formats_.size()) return nullptr;
    return &formats_[static_cast<size_t>(number)];
}

uint32_t EcsFormat::transact(int number, uint8_t b, uint8_t c, const LinkBuffer& source,
                             LinkBuffer& destination) {
    if (number == 0) return ECS_OK;
    const FormatRecord* record = format(number);
    if (!record) return ECS_ERR_FORMAT;
    const int type = g_ecsType;

    Frame frame;
    if (buildCommandFrame(type, record->command, b, c, source, frame) != ECS_OK) return ECS_ERR_FORMAT;
    const size_t length = wireLength(type, frame);
    if (length == 0) return ECS_ERR_FORMAT;

    CommLog& log = CommLog::instance();
    purge();
    for (size_t i = 0; i < length; ++i) {
        if (writeByte(frame.bytes[i]) != 1) return ECS_ERR_LINK;
        log.byte(frame.bytes[i]);
    }
    log.endFrame();

    size_t received = 0;
    while (!answerComplete(type, answer_.data(), received)) {
        uint8_t byte = 0;
        if (readByte(byte) != 1) return ECS_ERR_LINK;  // the record stays without a line end
        answer_[received++] = byte;
        log.byte(byte);
    }
    log.endAnswer();

    bool literalMismatch = false;
    const uint32_t result = checkAnswer(type, record->response, answer_.data(), received, destination,
                                        &literalMismatch);
    if (literalMismatch) ui_.message("Format FIX data is missing!");
    return result;
}

} // namespace ecs
