#pragma once
// The link's settings in the shared settings store, and its limit tables.
#include "genlink/settings.h"

namespace genlink {

class SetstoreSettings : public Settings {
public:
    int init() override;
    void terminate() override;
    int readSeriPara(int32_t& way) override;
    int writeSeriPara(int32_t way) override;
    int readKeySeri(SerialRecord& r) override;
    int writeKeySeri(const SerialRecord& r) override;
    int readKeyPara(ParallelRecord& r) override;
    int readKeyUsb(UsbRecord& r) override;
    int readTimeoutByte(int32_t& ms) override;
    int readTimeoutCmdACK(int32_t& ms) override;
    int readTimeoutDataACK(int32_t& ms) override;
    int readTimeout(int32_t& ms) override;
    int readMemKind(int32_t& kind) override;
    int writePGType(const char* name) override;
    int writeDtDevice(int32_t device) override;
    int writeMemCard(int32_t type) override;
    int writePanelRom(int32_t type) override;
    int writeProcessAllSize(int32_t size) override;
    int writeProcessFinishSize(int32_t size) override;
    int readProcessCancel(int32_t& cancel) override;
    int writeProcessCancel(int32_t cancel) override;
};

class LimtabLimits : public Limits {
public:
    int setTableLimit() override;
    int checkProgNo(int32_t kind, int32_t value) override;
    int checkInProgNo(int32_t value) override;
    int checkCharNo(int32_t kind, int32_t value) override;
    int checkInCharNo(int32_t value) override;
    int checkCDCNo(int32_t value) override;
    int check(LimitCheck which, int32_t kind, const int32_t* values) override;
    int maximum(LimitMax which, int32_t kind, int32_t& max) override;
};

} // namespace genlink
