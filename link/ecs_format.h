#pragma once
// The monitor command protocol on a serial port: a transaction builds a frame
// from a format record and two parameter bytes, sends it, receives the answer
// and checks it against the record's response template. The ECS type picks
// the wire variant; an open communication log records every byte.
#include <cstdint>
#include <string>
#include <vector>

#include "link/ecs_frame.h"

namespace core {
class Ui;
}

namespace ecs {

class CommLog;
class SerialPort;

class EcsFormat {
public:
    EcsFormat(SerialPort& port, CommLog& log, core::Ui& ui);

    // Exchanges one command. Format 0 is no command and succeeds at once.
    // Format numbers beyond the loaded table give ECS_ERR_FORMAT.
    uint32_t transact(int format, uint8_t b, uint8_t c, const LinkBuffer& source, LinkBuffer& destination);

    // Every value other than 1 is type 2.
    void setEcsType(int type) { type_ = type == 1 ? 1 : 2; }
    int ecsType() const { return type_; }

    // The format table (loaded with the link description).
    void setFormats(std::vector<FormatRecord> formats) { formats_ = std::move(formats); }
    size_t formatCount() const { return formats_.size(); }
    const FormatRecord* format(int number) const;

private:
    SerialPort& port_;
    CommLog& log_;
    core::Ui& ui_;
    int type_ = 1;
    std::vector<FormatRecord> formats_;
    LinkBuffer answer_{};
};

} // namespace ecs
