#pragma once
// The monitor command protocol on top of the serial port: a transaction builds
// a frame from a format record and two parameter bytes, sends it, receives the
// answer and checks it against the record's response template. The ECS type
// and the communication log are process-wide.
#include <cstdint>
#include <string>
#include <vector>

#include "link/ecs_frame.h"
#include "link/serial_port.h"

namespace core {
class Ui;
}

namespace ecs {

class EcsFormat : public SerialPort {
public:
    EcsFormat(core::Ui& ui, platform::Clock& clock);
    ~EcsFormat() override;

    // Exchanges one command. Format 0 is no command and succeeds at once.
    // Format numbers beyond the loaded table give ECS_ERR_FORMAT.
    uint32_t transact(int format, uint8_t b, uint8_t c, const LinkBuffer& source, LinkBuffer& destination);

    static void setEcsType(int type);
    static int ecsType();

    // Opens "ecs.log" (ECS type 1) or "ecs2.log" in `folder` (empty: the
    // current directory) and switches logging on; false when it cannot.
    static bool openLog(const std::string& folder = std::string());
    static void closeLog();
    static bool isLogging();

    // The format table (loaded with the link description).
    size_t formatCount() const { return formats_.size(); }
    const FormatRecord* format(int number) const;

protected:
    void setFormats(std::vector<FormatRecord> formats) { formats_ = std::move(formats); }
    core::Ui& ui() { return ui_; }

private:
    core::Ui& ui_;
    std::vector<FormatRecord> formats_;
    LinkBuffer answer_{};
};

} // namespace ecs
