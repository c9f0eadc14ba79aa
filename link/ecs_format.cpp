#include "link/ecs_format.h"

#include "core/ui.h"
#include "link/comm_log.h"
#include "link/serial_port.h"

namespace ecs {

EcsFormat::EcsFormat(SerialPort& port, CommLog& log, core::Ui& ui)
    : port_(port), log_(log), ui_(ui), formats_(1) {}

const FormatRecord* EcsFormat::format(int number) const {
    if (number < 0 || static_cast<size_t>(number) >= formats_.size()) return nullptr;
    return &formats_[static_cast<size_t>(number)];
}

uint32_t EcsFormat::transact(int number, uint8_t b, uint8_t c, const LinkBuffer& source,
                             LinkBuffer& destination) {
    if (number == 0) return ECS_OK;
    const FormatRecord* record = format(number);
    if (!record) return ECS_ERR_FORMAT;
    const int type = type_;

    Frame frame;
    if (buildCommandFrame(type, record->command, b, c, source, frame) != ECS_OK) return ECS_ERR_FORMAT;
    const size_t length = wireLength(type, frame);
    if (length == 0) return ECS_ERR_FORMAT;

    port_.purge();
    for (size_t i = 0; i < length; ++i) {
        if (port_.writeByte(frame.bytes[i]) != 1) return ECS_ERR_LINK;
        log_.byte(frame.bytes[i]);
    }
    log_.endFrame();

    size_t received = 0;
    while (!answerComplete(type, answer_.data(), received)) {
        uint8_t byte = 0;
        if (port_.readByte(byte) != 1) return ECS_ERR_LINK;  // the record stays without a line end
        answer_[received++] = byte;
        log_.byte(byte);
    }
    log_.endAnswer();

    bool literalMismatch = false;
    const uint32_t result = checkAnswer(type, record->response, answer_.data(), received, destination,
                                        &literalMismatch);
    if (literalMismatch) ui_.message("Format FIX data is missing!");
    return result;
}

} // namespace ecs
