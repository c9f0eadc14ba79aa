// The C exports: each forwards to the process's SettingsStore through the
// exception guard (a throw becomes -20 for a read, -21 for a write).
#include <cstddef>
#include <cstring>

#include "setstore.h"
#include "setstore/export_guard.h"
#include "setstore/group_table.h"
#include "setstore/registry_file.h"
#include "setstore/settings_store.h"

using setstore::GroupId;
using setstore::guardedExport;
using setstore::kReadFailed;
using setstore::kWriteFailed;
using setstore::SettingsStore;

namespace {

SettingsStore& store() { return SettingsStore::instance(); }

int32_t readField(GroupId id, size_t offset, void* out, size_t size)
{
    return guardedExport(kReadFailed, [&] { return store().read(id, offset, out, size); });
}
int32_t writeField(GroupId id, size_t offset, const void* in, size_t size)
{
    return guardedExport(kWriteFailed, [&] { return store().write(id, offset, in, size); });
}
int32_t readRecord(GroupId id, void* record, size_t size) { return readField(id, 0, record, size); }
int32_t writeRecord(GroupId id, const void* record, size_t size) { return writeField(id, 0, record, size); }
int32_t readInt(GroupId id, size_t offset, int32_t* value) { return readField(id, offset, value, sizeof *value); }
int32_t writeInt(GroupId id, size_t offset, int32_t value) { return writeField(id, offset, &value, sizeof value); }
int32_t readText(GroupId id, size_t offset, size_t width, char* text)
{
    return guardedExport(kReadFailed, [&] { return store().readText(id, offset, width, text); });
}
int32_t writeText(GroupId id, size_t offset, size_t width, const char* text)
{
    return guardedExport(kWriteFailed, [&] { return store().writeText(id, offset, width, text); });
}

} // namespace

extern "C" {

int32_t REG_Init(void) { return guardedExport(kReadFailed, [] { return store().init(); }); }
void REG_Terminate(void) { guardedExport([] { store().terminate(); }); }
int32_t REG_ReadMemKind(int32_t* kind) { return guardedExport(kReadFailed, [=] { return store().readMemKind(kind); }); }
int32_t REG_MixMemKind(int32_t device, int32_t panelRom, int32_t memCard)
{
    return guardedExport(0, [=] { return setstore::mixMemKind(device, panelRom, memCard); });
}

// PG
int32_t REG_ReadKeyPG(REG_PG* record) { return readRecord(GroupId::PG, record, sizeof *record); }
int32_t REG_WriteKeyPG(const REG_PG* record) { return writeRecord(GroupId::PG, record, sizeof *record); }
int32_t REG_ReadPGType(char* text) { return readText(GroupId::PG, offsetof(REG_PG, PGType), sizeof(REG_PG::PGType), text); }
int32_t REG_WritePGType(const char* text) { return writeText(GroupId::PG, offsetof(REG_PG, PGType), sizeof(REG_PG::PGType), text); }
int32_t REG_ReadDtDevice(int32_t* value) { return readInt(GroupId::PG, offsetof(REG_PG, DtDevice), value); }
int32_t REG_WriteDtDevice(int32_t value) { return writeInt(GroupId::PG, offsetof(REG_PG, DtDevice), value); }
int32_t REG_ReadPGVersion(int32_t* value) { return readInt(GroupId::PG, offsetof(REG_PG, PGVersion), value); }
int32_t REG_WritePGVersion(int32_t value) { return writeInt(GroupId::PG, offsetof(REG_PG, PGVersion), value); }
int32_t REG_ReadPanelRom(int32_t* value) { return readInt(GroupId::PG, offsetof(REG_PG, PanelRom), value); }
int32_t REG_WritePanelRom(int32_t value) { return writeInt(GroupId::PG, offsetof(REG_PG, PanelRom), value); }
int32_t REG_ReadMemCard(int32_t* value) { return readInt(GroupId::PG, offsetof(REG_PG, MemCard), value); }
int32_t REG_WriteMemCard(int32_t value) { return writeInt(GroupId::PG, offsetof(REG_PG, MemCard), value); }
int32_t REG_ReadGroupMode(int32_t* value) { return readInt(GroupId::PG, offsetof(REG_PG, GroupMode), value); }
int32_t REG_WriteGroupMode(int32_t value) { return writeInt(GroupId::PG, offsetof(REG_PG, GroupMode), value); }
int32_t REG_ReadGroupDSW(int32_t* value) { return readInt(GroupId::PG, offsetof(REG_PG, GroupDSW), value); }
int32_t REG_WriteGroupDSW(int32_t value) { return writeInt(GroupId::PG, offsetof(REG_PG, GroupDSW), value); }

// Com
int32_t REG_ReadKeyCom(REG_COM* record) { return readRecord(GroupId::Com, record, sizeof *record); }
int32_t REG_WriteKeyCom(const REG_COM* record) { return writeRecord(GroupId::Com, record, sizeof *record); }
int32_t REG_ReadComEnable(int32_t* value) { return readInt(GroupId::Com, offsetof(REG_COM, Enable), value); }
int32_t REG_WriteComEnable(int32_t value) { return writeInt(GroupId::Com, offsetof(REG_COM, Enable), value); }
int32_t REG_ReadSeriPara(int32_t* value) { return readInt(GroupId::Com, offsetof(REG_COM, SeriPara), value); }
int32_t REG_WriteSeriPara(int32_t value) { return writeInt(GroupId::Com, offsetof(REG_COM, SeriPara), value); }
int32_t REG_ReadTimeoutByte(int32_t* value) { return readInt(GroupId::Com, offsetof(REG_COM, TimeoutByte), value); }
int32_t REG_WriteTimeoutByte(int32_t value) { return writeInt(GroupId::Com, offsetof(REG_COM, TimeoutByte), value); }
int32_t REG_ReadTimeoutCmdACK(int32_t* value) { return readInt(GroupId::Com, offsetof(REG_COM, TimeoutCmdACK), value); }
int32_t REG_WriteTimeoutCmdACK(int32_t value) { return writeInt(GroupId::Com, offsetof(REG_COM, TimeoutCmdACK), value); }
int32_t REG_ReadTimeoutDataACK(int32_t* value) { return readInt(GroupId::Com, offsetof(REG_COM, TimeoutDataACK), value); }
int32_t REG_WriteTimeoutDataACK(int32_t value) { return writeInt(GroupId::Com, offsetof(REG_COM, TimeoutDataACK), value); }
int32_t REG_ReadTimeout(int32_t* value) { return readInt(GroupId::Com, offsetof(REG_COM, Timeout), value); }
int32_t REG_WriteTimeout(int32_t value) { return writeInt(GroupId::Com, offsetof(REG_COM, Timeout), value); }
int32_t REG_ReadBeep(int32_t* value) { return readInt(GroupId::Com, offsetof(REG_COM, Beep), value); }
int32_t REG_WriteBeep(int32_t value) { return writeInt(GroupId::Com, offsetof(REG_COM, Beep), value); }

// Seri
int32_t REG_ReadKeySeri(REG_SERI* record) { return readRecord(GroupId::Seri, record, sizeof *record); }
int32_t REG_WriteKeySeri(const REG_SERI* record) { return writeRecord(GroupId::Seri, record, sizeof *record); }
int32_t REG_ReadSeriPortNo(int32_t* value) { return readInt(GroupId::Seri, offsetof(REG_SERI, PortNo), value); }
int32_t REG_WriteSeriPortNo(int32_t value) { return writeInt(GroupId::Seri, offsetof(REG_SERI, PortNo), value); }
int32_t REG_ReadSeriBps(int32_t* value) { return readInt(GroupId::Seri, offsetof(REG_SERI, Bps), value); }
int32_t REG_WriteSeriBps(int32_t value) { return writeInt(GroupId::Seri, offsetof(REG_SERI, Bps), value); }
int32_t REG_ReadSeriCharSize(int32_t* value) { return readInt(GroupId::Seri, offsetof(REG_SERI, CharSize), value); }
int32_t REG_WriteSeriCharSize(int32_t value) { return writeInt(GroupId::Seri, offsetof(REG_SERI, CharSize), value); }
int32_t REG_ReadSeriParity(int32_t* value) { return readInt(GroupId::Seri, offsetof(REG_SERI, Parity), value); }
int32_t REG_WriteSeriParity(int32_t value) { return writeInt(GroupId::Seri, offsetof(REG_SERI, Parity), value); }
int32_t REG_ReadSeriStopBits(int32_t* value) { return readInt(GroupId::Seri, offsetof(REG_SERI, StopBits), value); }
int32_t REG_WriteSeriStopBits(int32_t value) { return writeInt(GroupId::Seri, offsetof(REG_SERI, StopBits), value); }

// Para
int32_t REG_ReadKeyPara(REG_PARA* record) { return readRecord(GroupId::Para, record, sizeof *record); }
int32_t REG_WriteKeyPara(const REG_PARA* record) { return writeRecord(GroupId::Para, record, sizeof *record); }
int32_t REG_ReadParaTimeOutMethod(int32_t* value) { return readInt(GroupId::Para, offsetof(REG_PARA, TimeOutMethod), value); }
int32_t REG_WriteParaTimeOutMethod(int32_t value) { return writeInt(GroupId::Para, offsetof(REG_PARA, TimeOutMethod), value); }
int32_t REG_ReadParaRcvTimeOut(int32_t* value) { return readInt(GroupId::Para, offsetof(REG_PARA, RcvTimeOut), value); }
int32_t REG_WriteParaRcvTimeOut(int32_t value) { return writeInt(GroupId::Para, offsetof(REG_PARA, RcvTimeOut), value); }
int32_t REG_ReadParaSndTimeOut(int32_t* value) { return readInt(GroupId::Para, offsetof(REG_PARA, SndTimeOut), value); }
int32_t REG_WriteParaSndTimeOut(int32_t value) { return writeInt(GroupId::Para, offsetof(REG_PARA, SndTimeOut), value); }
int32_t REG_ReadParaErrTimeOut(int32_t* value) { return readInt(GroupId::Para, offsetof(REG_PARA, ErrTimeOut), value); }
int32_t REG_WriteParaErrTimeOut(int32_t value) { return writeInt(GroupId::Para, offsetof(REG_PARA, ErrTimeOut), value); }
int32_t REG_ReadParaDirWait(int32_t* value) { return readInt(GroupId::Para, offsetof(REG_PARA, DirWait), value); }
int32_t REG_WriteParaDirWait(int32_t value) { return writeInt(GroupId::Para, offsetof(REG_PARA, DirWait), value); }
int32_t REG_ReadParaIOWait(int32_t* value) { return readInt(GroupId::Para, offsetof(REG_PARA, IOWait), value); }
int32_t REG_WriteParaIOWait(int32_t value) { return writeInt(GroupId::Para, offsetof(REG_PARA, IOWait), value); }
int32_t REG_ReadParaMsecWait(int32_t* value) { return readInt(GroupId::Para, offsetof(REG_PARA, MsecWait), value); }
int32_t REG_WriteParaMsecWait(int32_t value) { return writeInt(GroupId::Para, offsetof(REG_PARA, MsecWait), value); }

// Usb
int32_t REG_ReadKeyUsb(REG_USB* record) { return readRecord(GroupId::Usb, record, sizeof *record); }
int32_t REG_WriteKeyUsb(const REG_USB* record) { return writeRecord(GroupId::Usb, record, sizeof *record); }
int32_t REG_ReadUsbRcvTimeOut(int32_t* value) { return readInt(GroupId::Usb, offsetof(REG_USB, RcvTimeOut), value); }
int32_t REG_WriteUsbRcvTimeOut(int32_t value) { return writeInt(GroupId::Usb, offsetof(REG_USB, RcvTimeOut), value); }
int32_t REG_ReadUsbSndTimeOut(int32_t* value) { return readInt(GroupId::Usb, offsetof(REG_USB, SndTimeOut), value); }
int32_t REG_WriteUsbSndTimeOut(int32_t value) { return writeInt(GroupId::Usb, offsetof(REG_USB, SndTimeOut), value); }

// Layout
int32_t REG_ReadKeyLayout(REG_LAYOUT* record) { return readRecord(GroupId::Layout, record, sizeof *record); }
int32_t REG_WriteKeyLayout(const REG_LAYOUT* record) { return writeRecord(GroupId::Layout, record, sizeof *record); }

// PGBase
int32_t REG_ReadKeyPGBase(REG_PGBASE* record) { return readRecord(GroupId::PGBase, record, sizeof *record); }
int32_t REG_WriteKeyPGBase(const REG_PGBASE* record) { return writeRecord(GroupId::PGBase, record, sizeof *record); }

// Program
int32_t REG_ReadKeyProgram(REG_PROGRAM* record) { return readRecord(GroupId::Program, record, sizeof *record); }
int32_t REG_WriteKeyProgram(const REG_PROGRAM* record) { return writeRecord(GroupId::Program, record, sizeof *record); }
int32_t REG_ReadProgramMargin(REG_MARGIN* margin) { return readField(GroupId::Program, offsetof(REG_PROGRAM, Margin), margin, sizeof *margin); }
int32_t REG_WriteProgramMargin(const REG_MARGIN* margin) { return writeField(GroupId::Program, offsetof(REG_PROGRAM, Margin), margin, sizeof *margin); }
int32_t REG_ReadProgramPrintFileName(int32_t* value) { return readInt(GroupId::Program, offsetof(REG_PROGRAM, PrintFileName), value); }
int32_t REG_WriteProgramPrintFileName(int32_t value) { return writeInt(GroupId::Program, offsetof(REG_PROGRAM, PrintFileName), value); }

// VBM
int32_t REG_ReadKeyVBM(REG_VBM* record) { return readRecord(GroupId::VBM, record, sizeof *record); }
int32_t REG_WriteKeyVBM(const REG_VBM* record) { return writeRecord(GroupId::VBM, record, sizeof *record); }
int32_t REG_ReadVBMMargin(REG_MARGIN* margin) { return readField(GroupId::VBM, offsetof(REG_VBM, Margin), margin, sizeof *margin); }
int32_t REG_WriteVBMMargin(const REG_MARGIN* margin) { return writeField(GroupId::VBM, offsetof(REG_VBM, Margin), margin, sizeof *margin); }
int32_t REG_ReadVBMPrintFileName(int32_t* value) { return readInt(GroupId::VBM, offsetof(REG_VBM, PrintFileName), value); }
int32_t REG_WriteVBMPrintFileName(int32_t value) { return writeInt(GroupId::VBM, offsetof(REG_VBM, PrintFileName), value); }
int32_t REG_ReadVBMDispBMP(int32_t* value) { return readInt(GroupId::VBM, offsetof(REG_VBM, DispBMP), value); }
int32_t REG_WriteVBMDispBMP(int32_t value) { return writeInt(GroupId::VBM, offsetof(REG_VBM, DispBMP), value); }

// OptionPtn
int32_t REG_ReadKeyOptionPtn(REG_OPTIONPTN* record) { return readRecord(GroupId::OptionPtn, record, sizeof *record); }
int32_t REG_WriteKeyOptionPtn(const REG_OPTIONPTN* record) { return writeRecord(GroupId::OptionPtn, record, sizeof *record); }
int32_t REG_ReadOptionPtnMargin(REG_MARGIN* margin) { return readField(GroupId::OptionPtn, offsetof(REG_OPTIONPTN, Margin), margin, sizeof *margin); }
int32_t REG_WriteOptionPtnMargin(const REG_MARGIN* margin) { return writeField(GroupId::OptionPtn, offsetof(REG_OPTIONPTN, Margin), margin, sizeof *margin); }
int32_t REG_ReadOptionPtnPrintFileName(int32_t* value) { return readInt(GroupId::OptionPtn, offsetof(REG_OPTIONPTN, PrintFileName), value); }
int32_t REG_WriteOptionPtnPrintFileName(int32_t value) { return writeInt(GroupId::OptionPtn, offsetof(REG_OPTIONPTN, PrintFileName), value); }
int32_t REG_ReadOptionPtnFont(REG_FONT* font) { return readField(GroupId::OptionPtn, offsetof(REG_OPTIONPTN, Font), font, sizeof *font); }
int32_t REG_WriteOptionPtnFont(const REG_FONT* font) { return writeField(GroupId::OptionPtn, offsetof(REG_OPTIONPTN, Font), font, sizeof *font); }

// UserChar
int32_t REG_ReadKeyUserChar(REG_USERCHAR* record) { return readRecord(GroupId::UserChar, record, sizeof *record); }
int32_t REG_WriteKeyUserChar(const REG_USERCHAR* record) { return writeRecord(GroupId::UserChar, record, sizeof *record); }
int32_t REG_ReadUserCharMargin(REG_MARGIN* margin) { return readField(GroupId::UserChar, offsetof(REG_USERCHAR, Margin), margin, sizeof *margin); }
int32_t REG_WriteUserCharMargin(const REG_MARGIN* margin) { return writeField(GroupId::UserChar, offsetof(REG_USERCHAR, Margin), margin, sizeof *margin); }
int32_t REG_ReadUserCharPrintFileName(int32_t* value) { return readInt(GroupId::UserChar, offsetof(REG_USERCHAR, PrintFileName), value); }
int32_t REG_WriteUserCharPrintFileName(int32_t value) { return writeInt(GroupId::UserChar, offsetof(REG_USERCHAR, PrintFileName), value); }
int32_t REG_ReadUserCharDispBMP(int32_t* value) { return readInt(GroupId::UserChar, offsetof(REG_USERCHAR, DispBMP), value); }
int32_t REG_WriteUserCharDispBMP(int32_t value) { return writeInt(GroupId::UserChar, offsetof(REG_USERCHAR, DispBMP), value); }

// Group
int32_t REG_ReadKeyGroup(REG_GROUP* record) { return readRecord(GroupId::Group, record, sizeof *record); }
int32_t REG_WriteKeyGroup(const REG_GROUP* record) { return writeRecord(GroupId::Group, record, sizeof *record); }
int32_t REG_ReadGroupMargin(REG_MARGIN* margin) { return readField(GroupId::Group, offsetof(REG_GROUP, Margin), margin, sizeof *margin); }
int32_t REG_WriteGroupMargin(const REG_MARGIN* margin) { return writeField(GroupId::Group, offsetof(REG_GROUP, Margin), margin, sizeof *margin); }
int32_t REG_ReadGroupPrintFileName(int32_t* value) { return readInt(GroupId::Group, offsetof(REG_GROUP, PrintFileName), value); }
int32_t REG_WriteGroupPrintFileName(int32_t value) { return writeInt(GroupId::Group, offsetof(REG_GROUP, PrintFileName), value); }

// AutoDisp
int32_t REG_ReadKeyAutoDisp(REG_AUTODISP* record) { return readRecord(GroupId::AutoDisp, record, sizeof *record); }
int32_t REG_WriteKeyAutoDisp(const REG_AUTODISP* record) { return writeRecord(GroupId::AutoDisp, record, sizeof *record); }
int32_t REG_ReadAutoDispMargin(REG_MARGIN* margin) { return readField(GroupId::AutoDisp, offsetof(REG_AUTODISP, Margin), margin, sizeof *margin); }
int32_t REG_WriteAutoDispMargin(const REG_MARGIN* margin) { return writeField(GroupId::AutoDisp, offsetof(REG_AUTODISP, Margin), margin, sizeof *margin); }
int32_t REG_ReadAutoDispPrintFileName(int32_t* value) { return readInt(GroupId::AutoDisp, offsetof(REG_AUTODISP, PrintFileName), value); }
int32_t REG_WriteAutoDispPrintFileName(int32_t value) { return writeInt(GroupId::AutoDisp, offsetof(REG_AUTODISP, PrintFileName), value); }

// FilePath
int32_t REG_ReadKeyFilePath(REG_FILEPATH* record) { return readRecord(GroupId::FilePath, record, sizeof *record); }
int32_t REG_WriteKeyFilePath(const REG_FILEPATH* record) { return writeRecord(GroupId::FilePath, record, sizeof *record); }
int32_t REG_ReadFileDataDir(char* text) { return readText(GroupId::FilePath, offsetof(REG_FILEPATH, DataDir), sizeof(REG_FILEPATH::DataDir), text); }
int32_t REG_WriteFileDataDir(const char* text) { return writeText(GroupId::FilePath, offsetof(REG_FILEPATH, DataDir), sizeof(REG_FILEPATH::DataDir), text); }
int32_t REG_ReadFileHelpDir(char* text) { return readText(GroupId::FilePath, offsetof(REG_FILEPATH, HelpDir), sizeof(REG_FILEPATH::HelpDir), text); }
int32_t REG_WriteFileHelpDir(const char* text) { return writeText(GroupId::FilePath, offsetof(REG_FILEPATH, HelpDir), sizeof(REG_FILEPATH::HelpDir), text); }
int32_t REG_ReadFileExeDir(char* text) { return readText(GroupId::FilePath, offsetof(REG_FILEPATH, ExeDir), sizeof(REG_FILEPATH::ExeDir), text); }
int32_t REG_WriteFileExeDir(const char* text) { return writeText(GroupId::FilePath, offsetof(REG_FILEPATH, ExeDir), sizeof(REG_FILEPATH::ExeDir), text); }
int32_t REG_ReadFileMsgDir(char* text) { return readText(GroupId::FilePath, offsetof(REG_FILEPATH, MsgDir), sizeof(REG_FILEPATH::MsgDir), text); }
int32_t REG_WriteFileMsgDir(const char* text) { return writeText(GroupId::FilePath, offsetof(REG_FILEPATH, MsgDir), sizeof(REG_FILEPATH::MsgDir), text); }
int32_t REG_ReadFileTempDir(char* text) { return readText(GroupId::FilePath, offsetof(REG_FILEPATH, TempDir), sizeof(REG_FILEPATH::TempDir), text); }
int32_t REG_WriteFileTempDir(const char* text) { return writeText(GroupId::FilePath, offsetof(REG_FILEPATH, TempDir), sizeof(REG_FILEPATH::TempDir), text); }
int32_t REG_ReadFileIntPrgDir(char* text) { return readText(GroupId::FilePath, offsetof(REG_FILEPATH, IntPrgDir), sizeof(REG_FILEPATH::IntPrgDir), text); }
int32_t REG_WriteFileIntPrgDir(const char* text) { return writeText(GroupId::FilePath, offsetof(REG_FILEPATH, IntPrgDir), sizeof(REG_FILEPATH::IntPrgDir), text); }
int32_t REG_ReadFileIntCharDir(char* text) { return readText(GroupId::FilePath, offsetof(REG_FILEPATH, IntCharDir), sizeof(REG_FILEPATH::IntCharDir), text); }
int32_t REG_WriteFileIntCharDir(const char* text) { return writeText(GroupId::FilePath, offsetof(REG_FILEPATH, IntCharDir), sizeof(REG_FILEPATH::IntCharDir), text); }
int32_t REG_ReadFilePGManagePath(char* text) { return readText(GroupId::FilePath, offsetof(REG_FILEPATH, PGManagePath), sizeof(REG_FILEPATH::PGManagePath), text); }
int32_t REG_WriteFilePGManagePath(const char* text) { return writeText(GroupId::FilePath, offsetof(REG_FILEPATH, PGManagePath), sizeof(REG_FILEPATH::PGManagePath), text); }
int32_t REG_ReadFilePrgEditPath(char* text) { return readText(GroupId::FilePath, offsetof(REG_FILEPATH, PrgEditPath), sizeof(REG_FILEPATH::PrgEditPath), text); }
int32_t REG_WriteFilePrgEditPath(const char* text) { return writeText(GroupId::FilePath, offsetof(REG_FILEPATH, PrgEditPath), sizeof(REG_FILEPATH::PrgEditPath), text); }
int32_t REG_ReadFileGrpEditPath(char* text) { return readText(GroupId::FilePath, offsetof(REG_FILEPATH, GrpEditPath), sizeof(REG_FILEPATH::GrpEditPath), text); }
int32_t REG_WriteFileGrpEditPath(const char* text) { return writeText(GroupId::FilePath, offsetof(REG_FILEPATH, GrpEditPath), sizeof(REG_FILEPATH::GrpEditPath), text); }
int32_t REG_ReadFileCharEditPath(char* text) { return readText(GroupId::FilePath, offsetof(REG_FILEPATH, CharEditPath), sizeof(REG_FILEPATH::CharEditPath), text); }
int32_t REG_WriteFileCharEditPath(const char* text) { return writeText(GroupId::FilePath, offsetof(REG_FILEPATH, CharEditPath), sizeof(REG_FILEPATH::CharEditPath), text); }
int32_t REG_ReadFileADEditPath(char* text) { return readText(GroupId::FilePath, offsetof(REG_FILEPATH, ADEditPath), sizeof(REG_FILEPATH::ADEditPath), text); }
int32_t REG_WriteFileADEditPath(const char* text) { return writeText(GroupId::FilePath, offsetof(REG_FILEPATH, ADEditPath), sizeof(REG_FILEPATH::ADEditPath), text); }
int32_t REG_ReadFileCPCPath(char* text) { return readText(GroupId::FilePath, offsetof(REG_FILEPATH, CPCPath), sizeof(REG_FILEPATH::CPCPath), text); }
int32_t REG_WriteFileCPCPath(const char* text) { return writeText(GroupId::FilePath, offsetof(REG_FILEPATH, CPCPath), sizeof(REG_FILEPATH::CPCPath), text); }
int32_t REG_ReadFileVbmCvtPath(char* text) { return readText(GroupId::FilePath, offsetof(REG_FILEPATH, VbmCvtPath), sizeof(REG_FILEPATH::VbmCvtPath), text); }
int32_t REG_WriteFileVbmCvtPath(const char* text) { return writeText(GroupId::FilePath, offsetof(REG_FILEPATH, VbmCvtPath), sizeof(REG_FILEPATH::VbmCvtPath), text); }
int32_t REG_ReadFileOptEditPath(char* text) { return readText(GroupId::FilePath, offsetof(REG_FILEPATH, OptEditPath), sizeof(REG_FILEPATH::OptEditPath), text); }
int32_t REG_WriteFileOptEditPath(const char* text) { return writeText(GroupId::FilePath, offsetof(REG_FILEPATH, OptEditPath), sizeof(REG_FILEPATH::OptEditPath), text); }
int32_t REG_ReadFileGpcEditPath(char* text) { return readText(GroupId::FilePath, offsetof(REG_FILEPATH, GpcEditPath), sizeof(REG_FILEPATH::GpcEditPath), text); }
int32_t REG_WriteFileGpcEditPath(const char* text) { return writeText(GroupId::FilePath, offsetof(REG_FILEPATH, GpcEditPath), sizeof(REG_FILEPATH::GpcEditPath), text); }
int32_t REG_ReadFilePrgEditDataPath(char* text) { return readText(GroupId::FilePath, offsetof(REG_FILEPATH, PrgEditDataPath), sizeof(REG_FILEPATH::PrgEditDataPath), text); }
int32_t REG_WriteFilePrgEditDataPath(const char* text) { return writeText(GroupId::FilePath, offsetof(REG_FILEPATH, PrgEditDataPath), sizeof(REG_FILEPATH::PrgEditDataPath), text); }
int32_t REG_ReadFileGrpEditDataPath(char* text) { return readText(GroupId::FilePath, offsetof(REG_FILEPATH, GrpEditDataPath), sizeof(REG_FILEPATH::GrpEditDataPath), text); }
int32_t REG_WriteFileGrpEditDataPath(const char* text) { return writeText(GroupId::FilePath, offsetof(REG_FILEPATH, GrpEditDataPath), sizeof(REG_FILEPATH::GrpEditDataPath), text); }
int32_t REG_ReadFileCharEditDataPath(char* text) { return readText(GroupId::FilePath, offsetof(REG_FILEPATH, CharEditDataPath), sizeof(REG_FILEPATH::CharEditDataPath), text); }
int32_t REG_WriteFileCharEditDataPath(const char* text) { return writeText(GroupId::FilePath, offsetof(REG_FILEPATH, CharEditDataPath), sizeof(REG_FILEPATH::CharEditDataPath), text); }
int32_t REG_ReadFileADEditDataPath(char* text) { return readText(GroupId::FilePath, offsetof(REG_FILEPATH, ADEditDataPath), sizeof(REG_FILEPATH::ADEditDataPath), text); }
int32_t REG_WriteFileADEditDataPath(const char* text) { return writeText(GroupId::FilePath, offsetof(REG_FILEPATH, ADEditDataPath), sizeof(REG_FILEPATH::ADEditDataPath), text); }
int32_t REG_ReadFileROMDataPath(char* text) { return readText(GroupId::FilePath, offsetof(REG_FILEPATH, ROMDataPath), sizeof(REG_FILEPATH::ROMDataPath), text); }
int32_t REG_WriteFileROMDataPath(const char* text) { return writeText(GroupId::FilePath, offsetof(REG_FILEPATH, ROMDataPath), sizeof(REG_FILEPATH::ROMDataPath), text); }
int32_t REG_ReadFileVbmCvtDataPath(char* text) { return readText(GroupId::FilePath, offsetof(REG_FILEPATH, VbmCvtDataPath), sizeof(REG_FILEPATH::VbmCvtDataPath), text); }
int32_t REG_WriteFileVbmCvtDataPath(const char* text) { return writeText(GroupId::FilePath, offsetof(REG_FILEPATH, VbmCvtDataPath), sizeof(REG_FILEPATH::VbmCvtDataPath), text); }
int32_t REG_ReadFileOptEditDataPath(char* text) { return readText(GroupId::FilePath, offsetof(REG_FILEPATH, OptEditDataPath), sizeof(REG_FILEPATH::OptEditDataPath), text); }
int32_t REG_WriteFileOptEditDataPath(const char* text) { return writeText(GroupId::FilePath, offsetof(REG_FILEPATH, OptEditDataPath), sizeof(REG_FILEPATH::OptEditDataPath), text); }
int32_t REG_ReadFileGpcEditDataPath(char* text) { return readText(GroupId::FilePath, offsetof(REG_FILEPATH, GpcEditDataPath), sizeof(REG_FILEPATH::GpcEditDataPath), text); }
int32_t REG_WriteFileGpcEditDataPath(const char* text) { return writeText(GroupId::FilePath, offsetof(REG_FILEPATH, GpcEditDataPath), sizeof(REG_FILEPATH::GpcEditDataPath), text); }

// Common
int32_t REG_ReadKeyCommon(REG_COMMON* record) { return readRecord(GroupId::Common, record, sizeof *record); }
int32_t REG_WriteKeyCommon(const REG_COMMON* record) { return writeRecord(GroupId::Common, record, sizeof *record); }
int32_t REG_ReadCommonLayoutFile(char* text) { return readText(GroupId::Common, offsetof(REG_COMMON, Layout), sizeof(REG_COMMON::Layout), text); }
int32_t REG_WriteCommonLayoutFile(const char* text) { return writeText(GroupId::Common, offsetof(REG_COMMON, Layout), sizeof(REG_COMMON::Layout), text); }

// Process
int32_t REG_ReadKeyProcess(REG_PROCESS* record) { return readRecord(GroupId::Process, record, sizeof *record); }
int32_t REG_WriteKeyProcess(const REG_PROCESS* record) { return writeRecord(GroupId::Process, record, sizeof *record); }
int32_t REG_ReadProcessAllSize(int32_t* value) { return readInt(GroupId::Process, offsetof(REG_PROCESS, AllSize), value); }
int32_t REG_WriteProcessAllSize(int32_t value) { return writeInt(GroupId::Process, offsetof(REG_PROCESS, AllSize), value); }
int32_t REG_ReadProcessFinishSize(int32_t* value) { return readInt(GroupId::Process, offsetof(REG_PROCESS, FinishSize), value); }
int32_t REG_WriteProcessFinishSize(int32_t value) { return writeInt(GroupId::Process, offsetof(REG_PROCESS, FinishSize), value); }
int32_t REG_ReadProcessCancel(int32_t* value) { return readInt(GroupId::Process, offsetof(REG_PROCESS, Cancel), value); }
int32_t REG_WriteProcessCancel(int32_t value) { return writeInt(GroupId::Process, offsetof(REG_PROCESS, Cancel), value); }

// DDC
int32_t REG_ReadKeyDDC(REG_DDC* record) { return readRecord(GroupId::DDC, record, sizeof *record); }
int32_t REG_WriteKeyDDC(const REG_DDC* record) { return writeRecord(GroupId::DDC, record, sizeof *record); }
int32_t REG_ReadDDCMargin(REG_MARGIN* margin) { return readField(GroupId::DDC, offsetof(REG_DDC, Margin), margin, sizeof *margin); }
int32_t REG_WriteDDCMargin(const REG_MARGIN* margin) { return writeField(GroupId::DDC, offsetof(REG_DDC, Margin), margin, sizeof *margin); }
int32_t REG_ReadDDCPrintFileName(int32_t* value) { return readInt(GroupId::DDC, offsetof(REG_DDC, PrintFileName), value); }
int32_t REG_WriteDDCPrintFileName(int32_t value) { return writeInt(GroupId::DDC, offsetof(REG_DDC, PrintFileName), value); }

// CDC
int32_t REG_ReadKeyCDC(REG_CDC* record) { return readRecord(GroupId::CDC, record, sizeof *record); }
int32_t REG_WriteKeyCDC(const REG_CDC* record) { return writeRecord(GroupId::CDC, record, sizeof *record); }
int32_t REG_ReadCDCMargin(REG_MARGIN* margin) { return readField(GroupId::CDC, offsetof(REG_CDC, Margin), margin, sizeof *margin); }
int32_t REG_WriteCDCMargin(const REG_MARGIN* margin) { return writeField(GroupId::CDC, offsetof(REG_CDC, Margin), margin, sizeof *margin); }
int32_t REG_ReadCDCPrintFileName(int32_t* value) { return readInt(GroupId::CDC, offsetof(REG_CDC, PrintFileName), value); }
int32_t REG_WriteCDCPrintFileName(int32_t value) { return writeInt(GroupId::CDC, offsetof(REG_CDC, PrintFileName), value); }

// Cursol
int32_t REG_ReadKeyCursol(REG_CURSOL* record) { return readRecord(GroupId::Cursol, record, sizeof *record); }
int32_t REG_WriteKeyCursol(const REG_CURSOL* record) { return writeRecord(GroupId::Cursol, record, sizeof *record); }
int32_t REG_ReadCursolMargin(REG_MARGIN* margin) { return readField(GroupId::Cursol, offsetof(REG_CURSOL, Margin), margin, sizeof *margin); }
int32_t REG_WriteCursolMargin(const REG_MARGIN* margin) { return writeField(GroupId::Cursol, offsetof(REG_CURSOL, Margin), margin, sizeof *margin); }
int32_t REG_ReadCursolPrintFileName(int32_t* value) { return readInt(GroupId::Cursol, offsetof(REG_CURSOL, PrintFileName), value); }
int32_t REG_WriteCursolPrintFileName(int32_t value) { return writeInt(GroupId::Cursol, offsetof(REG_CURSOL, PrintFileName), value); }

// Graphic
int32_t REG_ReadKeyGraphic(REG_GRAPHIC* record) { return readRecord(GroupId::Graphic, record, sizeof *record); }
int32_t REG_WriteKeyGraphic(const REG_GRAPHIC* record) { return writeRecord(GroupId::Graphic, record, sizeof *record); }
int32_t REG_ReadGraphicMargin(REG_MARGIN* margin) { return readField(GroupId::Graphic, offsetof(REG_GRAPHIC, Margin), margin, sizeof *margin); }
int32_t REG_WriteGraphicMargin(const REG_MARGIN* margin) { return writeField(GroupId::Graphic, offsetof(REG_GRAPHIC, Margin), margin, sizeof *margin); }
int32_t REG_ReadGraphicPrintFileName(int32_t* value) { return readInt(GroupId::Graphic, offsetof(REG_GRAPHIC, PrintFileName), value); }
int32_t REG_WriteGraphicPrintFileName(int32_t value) { return writeInt(GroupId::Graphic, offsetof(REG_GRAPHIC, PrintFileName), value); }

} // extern "C"
