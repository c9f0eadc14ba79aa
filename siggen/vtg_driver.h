#pragma once
// Generator kinds 4 and 5: timing-generator cards inside the PC, loaded with
// text files through the timing-card library. Each apply writes the timing
// file and loads it, then loads the pattern's picture and colour files: the
// ready-made ones of the "SG" folder, or for the special white a box picture
// and colour table written for its box and level.
#include <memory>
#include <string>

#include "siggen/sg_driver.h"
#include "siggen/vtg_card.h"
#include "siggen/vtg_link.h"

namespace siggen {

class VtgDriver final : public SgDriver {
public:
    // `card` is shared by the kinds of one library; `home` is the program
    // home, whose "SG" folder holds the files.
    VtgDriver(std::shared_ptr<VtgLink> link, std::shared_ptr<VtgCard> card, std::string home)
        : link_(std::move(link)), card_(std::move(card)), home_(std::move(home)) {}

    void open(SignalGenerator& sg) override;
    // VtgApply, then the message for a failed load.
    void apply(SignalGenerator& sg) override;
    void close(SignalGenerator& sg) override;

    // 0 when timing, picture and colour were loaded; 1 when a file could not
    // be written or a load failed (the files written so far stay on disk).
    int VtgApply(SignalGenerator& sg);

    // The path of `name` in the "SG" folder, each found ignoring case.
    std::string path(const std::string& name) const;

private:
    std::shared_ptr<VtgLink> link_;
    std::shared_ptr<VtgCard> card_;
    std::string home_;
};

// Installs a driver for each timing-card kind, sharing one card handle.
void installVtgDrivers(SignalGenerator& sg, const std::shared_ptr<VtgLink>& link, const std::string& home);

} // namespace siggen
