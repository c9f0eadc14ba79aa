#pragma once
// Settings and limit tables for a generator link under the fuzzer: kept in
// memory, the link on serial port COM7 with short time-outs (the clock is a
// fake one anyway), and limits that let every argument through so the
// exchange and the parsing of the answer always run.
#include <string>

#include "genlink/settings.h"

namespace fuzz {

constexpr int kGeneratorPort = 7;

class MemorySettings : public genlink::Settings {
public:
    int init() override { return 0; }
    void terminate() override {}
    int readSeriPara(int32_t& way) override { way = 0; return 0; }
    int writeSeriPara(int32_t) override { return 0; }
    int readKeySeri(genlink::SerialRecord& r) override { r = seri; return 0; }
    int writeKeySeri(const genlink::SerialRecord& r) override { seri = r; return 0; }
    int readKeyPara(genlink::ParallelRecord& r) override { r = {}; return 0; }
    int readKeyUsb(genlink::UsbRecord& r) override { r = {}; return 0; }
    int readTimeoutByte(int32_t& ms) override { ms = 10; return 0; }
    int readTimeoutCmdACK(int32_t& ms) override { ms = 100; return 0; }
    int readTimeoutDataACK(int32_t& ms) override { ms = 100; return 0; }
    int readTimeout(int32_t& ms) override { ms = 100; return 0; }
    int readMemKind(int32_t& kind) override { kind = memoryKind; return 0; }
    int writePGType(const char* name) override { pgType = name ? name : ""; return 0; }
    int writeDtDevice(int32_t) override { return 0; }
    int writeMemCard(int32_t) override { return 0; }
    int writePanelRom(int32_t) override { return 0; }
    int writeProcessAllSize(int32_t) override { return 0; }
    int writeProcessFinishSize(int32_t) override { return 0; }
    int readProcessCancel(int32_t& cancel) override { cancel = 0; return 0; }
    int writeProcessCancel(int32_t) override { return 0; }

    genlink::SerialRecord seri{kGeneratorPort, 9600, 8, 0, 0};
    int32_t memoryKind = 0;
    std::string pgType;
};

class OpenLimits : public genlink::Limits {
public:
    int setTableLimit() override { return 0; }
    int checkProgNo(int32_t, int32_t) override { return 0; }
    int checkInProgNo(int32_t) override { return 0; }
    int checkCharNo(int32_t, int32_t) override { return 0; }
    int checkInCharNo(int32_t) override { return 0; }
    int checkCDCNo(int32_t) override { return 0; }
    int check(genlink::LimitCheck, int32_t, const int32_t*) override { return 0; }
    int maximum(genlink::LimitMax, int32_t, int32_t& max) override {
        max = 20;  // program count of a group and every name length
        return 0;
    }
};

} // namespace fuzz
