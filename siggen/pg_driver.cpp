#include "siggen/pg_driver.h"

#include "core/ui.h"
#include "siggen/pg_records.h"
#include "siggen/signal_generator.h"

namespace siggen {

namespace {
constexpr const char* kCommunicationError = "VEXOR SG COMMUNICATION ERROR";
constexpr const char* kError = "VEXOR SG  ERROR";
} // namespace

void PgDriver::open(SignalGenerator& sg) {
    if (sg.port() == 0) {
        sg.ui().message(" Vexor SG is not used. Please check configuration ! ");
        return;
    }
    if (!pgOk(link_->selectTransWay(0)) || !pgOk(link_->selectSeriConfig(9600, 7, 0, 0, sg.port())))
        return sg.ui().message("VEXOR SG PORT SETUP ERROR");
    if (!pgOk(link_->selectDevice(1, 3))) return sg.ui().message("VEXOR SG PANEL ROM SETUP ERROR");
    if (!pgOk(link_->open())) return sg.ui().message("VEXOR SG PORT SETUP ERROR");
    link_->close();
}

int PgDriver::PgApply(SignalGenerator& sg) {
    if (!sg.patternOnly() && PgSendTiming(sg) == 1) {
        sg.ui().message("VEXOR SG TIMING SETUP ERROR");
        return 1;
    }
    sendPattern(sg);
    return 0;
}

int PgDriver::PgSendTiming(SignalGenerator& sg) {
    const PgProgramRecord program = pgProgramRecord(sg.timing());
    core::Ui& ui = sg.ui();
    if (!pgOk(link_->open())) return ui.message(kCommunicationError), 1;
    if (!pgOk(link_->setProgram2(0, program.data()))) {
        if (!pgOk(link_->selectDevice(1, 0))) return ui.message(kCommunicationError), 1;
        if (!pgOk(link_->setProgram2(0, program.data()))) {
            ui.message(kCommunicationError);
            link_->close();
            return 1;
        }
    }
    if (!pgOk(link_->exeBufRam())) return ui.message(kCommunicationError), 1;
    if (!pgOk(link_->setExeProgram2(program.data()))) return ui.message(kCommunicationError), 1;
    const PgSelectRecord select = pgSelectRecord();
    if (!pgOk(link_->setPtnSelect(0, select.data()))) {
        ui.message(kError);
        link_->close();
        return 1;
    }
    link_->close();
    return 0;
}

void PgDriver::sendPattern(SignalGenerator& sg) {
    const SgPatternSelection& sel = sg.selection();
    if (!pgPatternKnown(sel.pattern)) return;
    const PgPattern pattern = pgPattern(sel.pattern, sg.specialWhiteLevel(), sg.specialWhiteBox());
    const std::string codes = pgSignOnCodes(sel.colour, sel.pattern, sel.invert);
    core::Ui& ui = sg.ui();
    if (!pgOk(link_->open()))
        return ui.message(sel.pattern == kPattern6PercentWhite ? "SG COMMUNICATION ERROR" : kError);
    if (pattern.userCharacter && !pgOk(link_->setUserCharacter(kPgUserCharacter, pgUserCharacterGlyph().data())))
        return ui.message(kError);
    if (pattern.element != PgElement::None) {
        link_->setPattern(pattern.element, 0, pattern.record.data());  // its result is not looked at
        if (!pgOk(link_->exeBufRam())) return ui.message(kError);
    }
    if (!pgOk(link_->setPtnSignOn(reinterpret_cast<const uint8_t*>(codes.data()),
                                  static_cast<int32_t>(codes.size()))))
        return ui.message(kError);
    link_->close();
}

void installPgDrivers(SignalGenerator& sg, const std::shared_ptr<PgLink>& link) {
    for (int kind = 0; kind <= 3; ++kind) sg.installDriver(kind, std::make_unique<PgDriver>(link));
}

} // namespace siggen
