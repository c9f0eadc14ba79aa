#pragma once
// Settings held in memory, with a record of progress writes and failures on request.
#include <functional>
#include <string>
#include <vector>

#include "genlink/settings.h"
#include "limtab/limit_tables.h"

namespace genlink::testing {

class MemorySettings : public Settings {
public:
    int32_t way = 0;
    SerialRecord seri{1, 9600, 8, 0, 0};
    ParallelRecord para{0, 100, 100, 100, 0, 0, 0};
    UsbRecord usb{1000, 1000};
    int32_t timeoutByte = 50, timeoutCmdAck = 300, timeoutDataAck = 500, timeout = 1000;
    int32_t dtDevice = 0, memCard = 0, panelRom = 0;
    std::string pgType;
    int32_t cancel = 0;
    std::vector<int32_t> allSizes, finishSizes, cancels;
    bool failWrites = false, failTimeoutRead = false, failMemKind = false;
    int inits = 0, terminates = 0;
    std::function<void()> onCancelRead;

    int init() override { return ++inits, 0; }
    void terminate() override { ++terminates; }
    int readSeriPara(int32_t& w) override { return w = way, 0; }
    int writeSeriPara(int32_t w) override { return write([&] { way = w; }); }
    int readKeySeri(SerialRecord& r) override { return r = seri, 0; }
    int writeKeySeri(const SerialRecord& r) override { return write([&] { seri = r; }); }
    int readKeyPara(ParallelRecord& r) override { return r = para, 0; }
    int readKeyUsb(UsbRecord& r) override { return r = usb, 0; }
    int readTimeoutByte(int32_t& v) override { return v = timeoutByte, failTimeoutRead ? -20 : 0; }
    int readTimeoutCmdACK(int32_t& v) override { return v = timeoutCmdAck, 0; }
    int readTimeoutDataACK(int32_t& v) override { return v = timeoutDataAck, 0; }
    int readTimeout(int32_t& v) override { return v = timeout, 0; }
    int readMemKind(int32_t& k) override {
        k = dtDevice == 1 && panelRom >= 0 && panelRom <= 3 ? 1 + panelRom : 0;
        return failMemKind ? -20 : 0;
    }
    int writePGType(const char* name) override { return write([&] { pgType = name; }); }
    int writeDtDevice(int32_t d) override { return write([&] { dtDevice = d; }); }
    int writeMemCard(int32_t t) override { return write([&] { memCard = t; }); }
    int writePanelRom(int32_t t) override { return write([&] { panelRom = t; }); }
    int writeProcessAllSize(int32_t s) override { return allSizes.push_back(s), 0; }
    int writeProcessFinishSize(int32_t s) override { return finishSizes.push_back(s), 0; }
    int readProcessCancel(int32_t& c) override {
        if (onCancelRead) onCancelRead();
        return c = cancel, 0;
    }
    int writeProcessCancel(int32_t c) override { return cancels.push_back(c), cancel = c, 0; }

private:
    template <typename F> int write(F f) {
        if (failWrites) return -21;
        f();
        return 0;
    }
};

class CountingLimits : public Limits {
public:
    int loads = 0;
    int setTableLimit() override { return ++loads, 0; }
    // Programs 1..99 and built-in 900..999; user characters 224..239 and
    // built-in 240..255; CDC numbers 0..7.
    int checkProgNo(int32_t, int32_t v) override { return v >= 1 && v <= 99 ? 0 : -41; }
    int checkInProgNo(int32_t v) override { return v >= 900 && v <= 999 ? 0 : -41; }
    int checkCharNo(int32_t, int32_t v) override { return v >= 224 && v <= 239 ? 0 : -41; }
    int checkInCharNo(int32_t v) override { return v >= 240 && v <= 255 ? 0 : -41; }
    int checkCDCNo(int32_t v) override { return v >= 0 && v <= 7 ? 0 : -41; }

    // Every other check and maximum comes from the real tables of a model.
    explicit CountingLimits(char model = 'C') { tables.fill(model); }
    int check(LimitCheck which, int32_t kind, const int32_t* values) override {
        ++checks;
        using limtab::Section;
        switch (which) {
        case LimitCheck::Circle: return tables.check(Section::Circle, kind, values);
        case LimitCheck::Line: return tables.check(Section::Line, kind, values);
        case LimitCheck::Dot: return tables.check(Section::Dot, kind, values);
        case LimitCheck::Rect: return tables.check(Section::Rect, kind, values);
        case LimitCheck::Triangle: return tables.check(Section::Triangle, kind, values);
        case LimitCheck::Ellipse: return tables.check(Section::Ellipse, kind, values);
        case LimitCheck::BitBlt: return tables.check(Section::BitBlt, kind, values);
        case LimitCheck::G8Color: return tables.check(Section::G8Color, kind, values);
        case LimitCheck::HighProgNo: return tables.check(Section::HighProgNo, kind, values);
        case LimitCheck::CDCNo: return checkCDCNo(*values);
        case LimitCheck::GroupNo: return tables.check(Section::GroupNo, kind, values);
        case LimitCheck::VbmNo: return tables.check(Section::VbmNo, kind, values);
        case LimitCheck::OptPtnNo: return tables.check(Section::OptPtnNo, kind, values);
        }
        return -41;
    }
    int maximum(LimitMax which, int32_t kind, int32_t& max) override {
        using limtab::Section;
        const Section sections[] = {Section::GroupProgCnt, Section::ProgNameLen,   Section::GroupNameLen,
                                    Section::VBMNameLen,   Section::OptPtnNameLen, Section::CDCNameLen};
        int32_t hi = 0, lo = 0;
        const int r = tables.get(sections[static_cast<int>(which)], kind, &hi, &lo);
        if (r == 0) max = hi;
        return r;
    }
    int checks = 0;
    limtab::LimitTables tables;
};

} // namespace genlink::testing
