#pragma once
// Generator kinds 6, 7 and 10: generators that take ASCII commands through
// the command-generator library. The card or line is opened with the
// generator; each apply sends a format (timing) definition, the image for
// the pattern, colour guns and inversion, then asks the generator whether it
// can show the format before putting it in use.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "siggen/qd_generator.h"
#include "siggen/qd_link.h"
#include "siggen/sg_driver.h"
#include "siggen/sg_kind.h"
#include "siggen/sg_timing.h"

namespace siggen {

// The waits of an apply.
constexpr SgWait kQdOutputOnWait{500, "command generator output on"};
constexpr SgWait kQdFormatInUseWait{400, "command generator format in use"};

// The status of an apply whose format check got no decimal answer.
constexpr int kQdNoAnswer = -1;

// The timing's horizontal periods in dots of the dot clock.
struct QdDots {
    int hTotal = 0;       // HTOT
    int hActive = 0;      // HRES
    int hSyncDelay = 0;   // HSPD: the front porch
    int hSyncWidth = 0;   // HSPW
};
QdDots qdDots(const SgTiming& timing);

// The format definition of a timing with the colour guns of `colour`.
std::vector<std::string> qdFormatCommands(const SgTiming& timing, int32_t colour, const QdDots& dots);
// The special-white image: a centred rectangle over `box` percent of a
// width x height area at `level` percent, kept as "FREE_IRE".
std::vector<std::string> qdSpecialWhiteCommands(int box, int level, int width, int height);
// The image selection for the hatch patterns and the fixed images; nothing
// for 11, 13 and patterns without an image.
std::optional<std::string> qdImageCommand(int32_t pattern, const QdFirmware& firmware);
// The decimal value at the start of a reply; nothing when it holds none.
std::optional<int> qdReplyValue(const std::string& reply);

class QdDriver final : public SgDriver {
public:
    explicit QdDriver(std::shared_ptr<QdLink> link) : link_(std::move(link)) {}

    // Opens the kind's card or line; the PCI kind then reads the firmware version.
    void open(SignalGenerator& sg) override;
    // QdApply, then the message for a failed status. Sends nothing while the
    // generator did not open.
    void apply(SignalGenerator& sg) override;
    void close(SignalGenerator& sg) override;

    // 1 when the format and image were put in use; otherwise the generator's
    // status for the format, or kQdNoAnswer.
    int QdApply(SignalGenerator& sg);

    const QdFirmware& firmware() const { return firmware_; }
    bool isOpen() const { return open_; }

private:
    void openNumbered(SignalGenerator& sg, int number, const char* prefix, const char* notUsed, const char* failed);
    void send(const std::string& text) { link_->command(text); }

    std::shared_ptr<QdLink> link_;
    QdFirmware firmware_;
    bool open_ = false;
};

// Installs one driver over `link` for each command-generator kind.
void installQdDrivers(SignalGenerator& sg, const std::shared_ptr<QdLink>& link);

} // namespace siggen
