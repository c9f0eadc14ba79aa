#pragma once
// The settings genlink keeps in the settings store, as one interface so the
// link runs against the shared store in the library and a plain one in tests.
// Every call returns 0, -20 (read failed) or -21 (write failed).
#include <cstdint>

namespace genlink {

struct SerialRecord {
    int32_t portNo = 0;
    int32_t bps = 0;
    int32_t charSize = 0;
    int32_t parity = 0;    // 0 none, 1 odd, 2 even
    int32_t stopBits = 0;  // 0 one, 1 one and a half, 2 two
};

struct ParallelRecord {
    int32_t timeOutMethod = 0;
    int32_t rcvTimeOut = 0;
    int32_t sndTimeOut = 0;
    int32_t errTimeOut = 0;
    int32_t dirWait = 0;
    int32_t ioWait = 0;
    int32_t msecWait = 0;
};

struct UsbRecord {
    int32_t rcvTimeOut = 0;
    int32_t sndTimeOut = 0;
};

class Settings {
public:
    virtual ~Settings() = default;
    virtual int init() = 0;
    virtual void terminate() = 0;

    virtual int readSeriPara(int32_t& way) = 0;
    virtual int writeSeriPara(int32_t way) = 0;
    virtual int readKeySeri(SerialRecord& r) = 0;
    virtual int writeKeySeri(const SerialRecord& r) = 0;
    virtual int readKeyPara(ParallelRecord& r) = 0;
    virtual int readKeyUsb(UsbRecord& r) = 0;

    virtual int readTimeoutByte(int32_t& ms) = 0;
    virtual int readTimeoutCmdACK(int32_t& ms) = 0;
    virtual int readTimeoutDataACK(int32_t& ms) = 0;
    virtual int readTimeout(int32_t& ms) = 0;

    virtual int readMemKind(int32_t& kind) = 0;
    virtual int writePGType(const char* name) = 0;
    virtual int writeDtDevice(int32_t device) = 0;
    virtual int writeMemCard(int32_t type) = 0;
    virtual int writePanelRom(int32_t type) = 0;

    virtual int writeProcessAllSize(int32_t size) = 0;
    virtual int writeProcessFinishSize(int32_t size) = 0;
    virtual int readProcessCancel(int32_t& cancel) = 0;
    virtual int writeProcessCancel(int32_t cancel) = 0;
};

// The limit checks of the drawing, memory and group commands: record checks
// take the values in field order, the others one value; those marked by kind
// use the memory kind's section.
enum class LimitCheck {
    Circle, Line, Dot, Rect, Triangle, Ellipse, BitBlt, G8Color,  // records and one value
    HighProgNo, CDCNo,                                           // one value
    GroupNo, VbmNo, OptPtnNo,                                    // one value by kind
};

// Maximums read from the limit tables: by kind, except the CDC name length.
enum class LimitMax { GroupProgCnt, ProgNameLen, GroupNameLen, VBMNameLen, OptPtnNameLen, CDCNameLen };

// The limit tables genlink loads at open, and the checks the commands make.
// Each check returns 0 when the value passes.
class Limits {
public:
    virtual ~Limits() = default;
    virtual int setTableLimit() = 0;
    virtual int checkProgNo(int32_t kind, int32_t value) = 0;
    virtual int checkInProgNo(int32_t value) = 0;
    virtual int checkCharNo(int32_t kind, int32_t value) = 0;
    virtual int checkInCharNo(int32_t value) = 0;
    virtual int checkCDCNo(int32_t value) = 0;
    virtual int check(LimitCheck which, int32_t kind, const int32_t* values) = 0;
    // 0 and the maximum, or -41.
    virtual int maximum(LimitMax which, int32_t kind, int32_t& max) = 0;
};

} // namespace genlink
