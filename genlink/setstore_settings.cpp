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

} // namespace genlink
