#include "genlink/setstore_settings.h"

#include "limtab.h"
#include "setstore.h"

namespace genlink {

int SetstoreSettings::init() { return REG_Init(); }
void SetstoreSettings::terminate() { REG_Terminate(); }
int SetstoreSettings::readSeriPara(int32_t& way) { return REG_ReadSeriPara(&way); }
int SetstoreSettings::writeSeriPara(int32_t way) { return REG_WriteSeriPara(way); }

int SetstoreSettings::readKeySeri(SerialRecord& r) {
    REG_SERI s{};
    const int result = REG_ReadKeySeri(&s);
    r = {s.PortNo, s.Bps, s.CharSize, s.Parity, s.StopBits};
    return result;
}

int SetstoreSettings::writeKeySeri(const SerialRecord& r) {
    REG_SERI s{};
    s.PortNo = r.portNo;
    s.Bps = r.bps;
    s.CharSize = r.charSize;
    s.Parity = r.parity;
    s.StopBits = r.stopBits;
    return REG_WriteKeySeri(&s);
}

int SetstoreSettings::readKeyPara(ParallelRecord& r) {
    REG_PARA p{};
    const int result = REG_ReadKeyPara(&p);
    r = {p.TimeOutMethod, p.RcvTimeOut, p.SndTimeOut, p.ErrTimeOut, p.DirWait, p.IOWait, p.MsecWait};
    return result;
}

int SetstoreSettings::readKeyUsb(UsbRecord& r) {
    REG_USB u{};
    const int result = REG_ReadKeyUsb(&u);
    r = {u.RcvTimeOut, u.SndTimeOut};
    return result;
}

int SetstoreSettings::readTimeoutByte(int32_t& ms) { return REG_ReadTimeoutByte(&ms); }
int SetstoreSettings::readTimeoutCmdACK(int32_t& ms) { return REG_ReadTimeoutCmdACK(&ms); }
int SetstoreSettings::readTimeoutDataACK(int32_t& ms) { return REG_ReadTimeoutDataACK(&ms); }
int SetstoreSettings::readTimeout(int32_t& ms) { return REG_ReadTimeout(&ms); }
int SetstoreSettings::readMemKind(int32_t& kind) { return REG_ReadMemKind(&kind); }
int SetstoreSettings::writePGType(const char* name) { return REG_WritePGType(name); }
int SetstoreSettings::writeDtDevice(int32_t device) { return REG_WriteDtDevice(device); }
int SetstoreSettings::writeMemCard(int32_t type) { return REG_WriteMemCard(type); }
int SetstoreSettings::writePanelRom(int32_t type) { return REG_WritePanelRom(type); }
int SetstoreSettings::writeProcessAllSize(int32_t size) { return REG_WriteProcessAllSize(size); }
int SetstoreSettings::writeProcessFinishSize(int32_t size) { return REG_WriteProcessFinishSize(size); }
int SetstoreSettings::readProcessCancel(int32_t& cancel) { return REG_ReadProcessCancel(&cancel); }
int SetstoreSettings::writeProcessCancel(int32_t cancel) { return REG_WriteProcessCancel(cancel); }

int LimtabLimits::setTableLimit() { return PGLIMIT_SetTableLimit(); }
int LimtabLimits::checkProgNo(int32_t kind, int32_t value) { return PGLIMIT_CheckProgNo(kind, value); }
int LimtabLimits::checkInProgNo(int32_t value) { return PGLIMIT_CheckInProgNo(value); }
int LimtabLimits::checkCharNo(int32_t kind, int32_t value) { return PGLIMIT_CheckCharNo(kind, value); }
int LimtabLimits::checkInCharNo(int32_t value) { return PGLIMIT_CheckInCharNo(value); }
int LimtabLimits::checkCDCNo(int32_t value) { return PGLIMIT_CheckCDCNo(value); }

int LimtabLimits::check(LimitCheck which, int32_t kind, const int32_t* values) {
    if (!values) return -41;
    switch (which) {
    case LimitCheck::Circle: return PGLIMIT_CheckCircle(values);
    case LimitCheck::Line: return PGLIMIT_CheckLine(values);
    case LimitCheck::Dot: return PGLIMIT_CheckDot(values);
    case LimitCheck::Rect: return PGLIMIT_CheckRect(values);
    case LimitCheck::Triangle: return PGLIMIT_CheckTriangle(values);
    case LimitCheck::Ellipse: return PGLIMIT_CheckEllipse(values);
    case LimitCheck::BitBlt: return PGLIMIT_CheckBitBlt(values);
    case LimitCheck::G8Color: return PGLIMIT_CheckG8Color(values[0]);
    case LimitCheck::HighProgNo: return PGLIMIT_CheckHighProgNo(values[0]);
    case LimitCheck::CDCNo: return PGLIMIT_CheckCDCNo(values[0]);
    case LimitCheck::GroupNo: return PGLIMIT_CheckGroupNo(kind, values[0]);
    case LimitCheck::VbmNo: return PGLIMIT_CheckVbmNo(kind, values[0]);
    case LimitCheck::OptPtnNo: return PGLIMIT_CheckOptPtnNo(kind, values[0]);
    }
    return -41;
}

int LimtabLimits::maximum(LimitMax which, int32_t kind, int32_t& max) {
    int32_t hi = 0, lo = 0;
    int r = -41;
    switch (which) {
    case LimitMax::GroupProgCnt: r = PGLIMIT_GetGroupProgCnt(kind, &hi, &lo); break;
    case LimitMax::ProgNameLen: r = PGLIMIT_GetProgNameLen(kind, &hi, &lo); break;
    case LimitMax::GroupNameLen: r = PGLIMIT_GetGroupNameLen(kind, &hi, &lo); break;
    case LimitMax::VBMNameLen: r = PGLIMIT_GetVBMNameLen(kind, &hi, &lo); break;
    case LimitMax::OptPtnNameLen: r = PGLIMIT_GetOptPtnNameLen(kind, &hi, &lo); break;
    case LimitMax::CDCNameLen: r = PGLIMIT_GetCDCNameLen(&hi, &lo); break;
    }
    if (r == 0) max = hi;
    return r;
}

} // namespace genlink
