#include "siggen/qd_driver.h"

#include <charconv>
#include <climits>
#include <cmath>

#include "core/text_format.h"
#include "core/ui.h"
#include "platform/clock.h"
#include "siggen/signal_generator.h"

namespace siggen {

namespace {

// n(x): 0 below half a dot, else rounded to the nearest dot; values beyond
// what an int holds (or not a number) count as 0.
int dotCount(double x) {
    if (!std::isfinite(x) || x >= static_cast<double>(INT_MAX) || x <= static_cast<double>(INT_MIN)) return 0;
    if (x >= 0 && x < 0.5) return 0;
    return static_cast<int>(std::trunc(x + 0.5));
}

// mode + 1 as the generator's format name counts it, without overflow.
int32_t formatNumber(int32_t mode) { return static_cast<int32_t>(static_cast<uint32_t>(mode) + 1u); }

void wait(SignalGenerator& sg, const SgWait& w) { sg.clock().sleepMs(w.ms, w.what); }

} // namespace

QdDots qdDots(const SgTiming& t) {
    const double p = 1.0 / static_cast<double>(t.dotClock);  // dot period in microseconds
    return {dotCount(t.hTotal / p), dotCount(t.hActive / p), dotCount(t.hFront / p), dotCount(t.hSync / p)};
}

std::vector<std::string> qdFormatCommands(const SgTiming& t, int32_t colour, const QdDots& dots) {
    const int32_t number = formatNumber(t.mode);
    std::vector<std::string> c = {
        core::strf("FMTN Mode%d", number),
        "FMTB",
        "HRAT " + core::strf("%6.0f", static_cast<double>(t.hFrequency)),
        "HRES " + core::strf("%d", dots.hActive),
        "HTOT " + core::strf("%d", dots.hTotal),
        "HSPD " + core::strf("%d", dots.hSyncDelay),
        "HSPW " + core::strf("%d", dots.hSyncWidth),
        std::string("HSPP ") + (t.hPolarity == 0 ? "1" : "0"),  // the generator counts 1 as positive
        "VRES " + core::strf("%d", t.vActive),
        "VTOT " + core::strf("%d", t.vTotal),
        "VSPD " + core::strf("%d", t.vFront),
        "VSPW " + core::strf("%d", t.vSync),
        std::string("VSPP ") + (t.vPolarity == 0 ? "1" : "0"),
        "SCAN " + core::strf("%d", t.interlace != 0 ? 2 : 1),
        "AVST 2",
        "ASCT 2",
        "DSCT 2",
    };
    if (t.syncOnGreen != 0) {
        c.push_back(t.syncExternal != 0 ? "SSST 5" : "SSST 3");
    } else if (t.syncExternal != 0) {
        c.push_back("SSST 1");
    } else if (t.syncComposite != 0) {
        c.insert(c.end(), {"SSST 2", "HSPP 0", "VSPP 1"});
    } else {
        c.insert(c.end(), {"SSST 1", "HSPP 1", "VSPP 1"});
    }
    static const char* const guns[] = {"XVSG 1,0,0", "XVSG 0,1,0", "XVSG 0,0,1", "XVSG 1,1,1",
                                       "XVSG 1,0,1", "XVSG 1,1,0", "XVSG 0,1,1"};
    if (colour >= 0 && colour <= kColourBG) c.push_back(guns[colour]);
    c.insert(c.end(), {"FMTE", "FMTS", core::strf("FMTL Mode%d", number)});
    return c;
}

std::vector<std::string> qdSpecialWhiteCommands(int box, int level, int width, int height) {
    const double s = std::sqrt(static_cast<double>(box));
    const double size = s / 10;
    const double margin = (10 - s) / 20;
    const double v = level / 100.0;
    return {
        "IMGN",
        "IMGB",
        core::strf("RECT White %4d %4d %4d %4d GrayPat100", static_cast<int>(width * size),
                   static_cast<int>(height * size), static_cast<int>(width * margin), static_cast<int>(height * margin)),
        core::strf("AVSC %1.3f %1.3f %1.3f", v, v, v),
        "IMGE",
        "IMGA FREE_IRE",
    };
}

std::optional<std::string> qdImageCommand(int32_t pattern, const QdFirmware& firmware) {
    auto hatch = [&firmware](const char* image) {
        return std::string("IMGL ") + (firmware.hasHatchImages() ? image : "Linearty");
    };
    switch (pattern) {
    case kPatternCrosshatch:
    case kPattern54Hatch: return hatch("hatch5x4");
    case kPatternMeme: return "IMGL MEMEPlus";
    case kPatternGrayscale: return "IMGL GRAYBAR";
    case kPatternWhite: return "IMGL FLAT";
    case kPatternUser1:
    case kPatternUser2: return "IMGL SMPTE133";
    case kPatternMoire: return "IMGL Check_11";
    case kPattern43Hatch: return hatch("hatch4x3");
    case kPatternSmallHatch: return hatch("hatch24s");
    case kPatternGray30Ire: return "IMGL FLATGRAY";
    case kPatternBlack: return "IMGL RASTER";
    default: return std::nullopt;
    }
}

std::optional<int> qdReplyValue(const std::string& reply) {
    const char* p = reply.c_str();
    const char* end = p + reply.size();
    while (p < end && (*p == ' ' || *p == '\t')) ++p;
    if (p < end && *p == '+') ++p;
    int value = 0;
    const std::from_chars_result r = std::from_chars(p, end, value);
    if (r.ec != std::errc()) return std::nullopt;
    return value;
}

void QdDriver::openNumbered(SignalGenerator& sg, int number, const char* prefix, const char* notUsed,
                            const char* failed) {
    if (number == 0) return sg.ui().message(notUsed);
    if (number < 1 || number > 4) return;  // no such card or port: nothing is opened
    if (link_->open(core::strf("%s%d", prefix, number)) != 0) return sg.ui().message(failed);
    open_ = true;
}

void QdDriver::open(SignalGenerator& sg) {
    open_ = false;
    firmware_ = QdFirmware{};  // only the PCI card is asked for its version
    switch (sg.kind()) {
    case 6:
        return openNumbered(sg, sg.isaNumber(), "ISA", " QD801GF-ISA is not used. Please check configuration ! ",
                            " QD801GF-ISA is NG. Please check condition ! ");
    case 7:
        return openNumbered(sg, sg.port(), "COM", " QD801GF-232 is not used. Please check configuration ! ",
                            " QD801GF-232 is NG. Please check condition ! ");
    case 10: {
        if (link_->open("PCI1") > 0) return sg.ui().message(" QD PCI Cards will be inaccessable ");
        open_ = true;
        const std::string reply = link_->command("VERF?").value_or("");
        firmware_.readReply(reply.c_str(), reply.size() + 1);
        return;
    }
    default: return;
    }
}

void QdDriver::apply(SignalGenerator& sg) {
    if (!open_) {
        const SgKind* kind = sgKind(sg.kind());
        sg.log(core::strf("SG %s: the generator is not open; timing and pattern not sent", kind ? kind->name : "?"));
        return;
    }
    if (const std::optional<std::string> failure = qdApplyFailure(QdApply(sg))) sg.ui().message(*failure);
}

void QdDriver::close(SignalGenerator&) {
    link_->close();
    open_ = false;
}

int QdDriver::QdApply(SignalGenerator& sg) {
    const SgTiming& t = sg.timing();
    const SgPatternSelection sel = sg.selection();
    const bool full = !sg.patternOnly();
    const bool colourChange = sg.patternChanged() == 0;

    if (full) send("OUTG 0");
    const QdDots dots = qdDots(t);
    const int width = dots.hActive;
    const int height = t.vActive;

    if (sel.pattern == kPattern6PercentWhite || sel.pattern == kPatternSpecialWhite) {
        if (sel.pattern == kPattern6PercentWhite) sg.setSpecialWhite(100, 6);
        for (const std::string& c : qdSpecialWhiteCommands(sg.specialWhiteBox(), sg.specialWhiteLevel(), width, height))
            send(c);
        send("IMGL FREE_IRE");
    } else if (const std::optional<std::string> image = qdImageCommand(sel.pattern, firmware_)) {
        send(*image);
    }

    if (full || colourChange)
        for (const std::string& c : qdFormatCommands(t, sel.colour, dots)) send(c);
    if (sel.pattern != kPatternSpecialWhite) send("AVSC 1.0 1.0 1.0");
    send(sel.invert != 0 ? "IVER 1" : "IVER 0");
    if (full) {
        send("OUTG 1");
        wait(sg, kQdOutputOnWait);
    }

    const std::optional<std::string> reply = link_->command("FMTG?");
    const std::optional<int> status = reply ? qdReplyValue(*reply) : std::nullopt;
    if (!status) return kQdNoAnswer;  // silence is no success
    if (*status != 0) return *status;

    if (full || colourChange || sel.pattern == kPatternSpecialWhite) {
        send("ALLU ");
        wait(sg, kQdFormatInUseWait);
    } else {
        send("IMGU ");
    }
    return kQdApplyOk;
}

void installQdDrivers(SignalGenerator& sg, const std::shared_ptr<QdLink>& link) {
    for (const SgKind& kind : sgKindTable())
        if (kind.family == SgDriverFamily::CommandGenerator) sg.installDriver(kind.index, std::make_unique<QdDriver>(link));
}

} // namespace siggen
