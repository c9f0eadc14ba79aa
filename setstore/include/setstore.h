#ifndef SETSTORE_H
#define SETSTORE_H
/*
 * setstore: the settings of the pattern-generator kit, kept per user and
 * mirrored in one memory block shared by every process that loads the library.
 *
 * Conventions
 * - Every export returns an int32_t status: 0 success, -20 a read of the store
 *   failed (or the lock was not taken), -21 a write to the store or its
 *   read-back failed. REG_MixMemKind returns the memory kind itself and
 *   REG_Terminate returns nothing.
 * - Callers own all memory. Records are copied whole between the shared cache
 *   and the caller; their field order and widths below are the interface (all
 *   int32_t are little-endian, no padding). Nothing is kept after a call.
 * - Texts are NUL-terminated. A text read needs a buffer of the field's size;
 *   a text written is cut to the field's size less one. A null pointer is
 *   refused: -20 for a read, -21 for a write.
 * - Call REG_Init before writing and REG_Terminate when done; a write outside
 *   them still changes the cache but returns -21. Every write saves the whole
 *   group and reads it back. Reads never touch the file.
 * - No exception leaves the library: a failure inside it (memory running out)
 *   returns -20 from a read or REG_Init, -21 from a write, 0 from
 *   REG_MixMemKind.
 * - Layout and FileADEditPath live only in the shared block: they are never
 *   stored and are gone once no process has the library loaded.
 * - Any thread of any process may call the library. Copies between the cache
 *   and the caller take a short lock of their own, so no record is seen half
 *   written; a write holds "RegAccessMutex" from its copy to its read-back.
 *
 * Store: $XDG_CONFIG_HOME/setstore/registry.ini (default ~/.config), one
 * section per key, e.g. [Software\Vexordyne\XR4410\Com\Seri], numbers as
 * decimal text. The file may be edited by hand.
 *
 * Environment: SETSTORE_INSTANCE, when set, is appended to the names of the
 * shared block and of the lock "RegAccessMutex", so that separate instances
 * (tests) do not share state. Read once, at the first call in a process.
 */
#include <stdint.h>

#if defined(__GNUC__)
#define SETSTORE_API __attribute__((visibility("default")))
#else
#define SETSTORE_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Print margins, stored under the group's key followed by "\Margin". */
typedef struct REG_MARGIN {
    int32_t TopMargin;
    int32_t BottomMargin;
    int32_t LeftMargin;
    int32_t RightMargin;
} REG_MARGIN;

/* Font of the option patterns, stored under "OptionPtn\Font". */
typedef struct REG_FONT {
    int32_t Color;
    int32_t Height;
    char Name[32];
    int32_t Pitch;
    int32_t PixelPerInch;
    int32_t Size;
    int32_t Style;
} REG_FONT;

/* Group PG, key "PG": 40 bytes. */
typedef struct REG_PG {
    char PGType[16];
    int32_t DtDevice;
    int32_t PGVersion;
    int32_t PanelRom;
    int32_t MemCard;
    int32_t GroupMode;
    int32_t GroupDSW;
} REG_PG;

/* Group Com, key "Com": 28 bytes. */
typedef struct REG_COM {
    int32_t Enable;
    int32_t SeriPara;
    int32_t TimeoutByte;
    int32_t TimeoutCmdACK;
    int32_t TimeoutDataACK;
    int32_t Timeout;
    int32_t Beep;
} REG_COM;

/* Group Seri, key "Com\Seri": 20 bytes. */
typedef struct REG_SERI {
    int32_t PortNo;
    int32_t Bps;
    int32_t CharSize;
    int32_t Parity;
    int32_t StopBits;
} REG_SERI;

/* Group Para, key "Com\Para": 28 bytes. */
typedef struct REG_PARA {
    int32_t TimeOutMethod;
    int32_t RcvTimeOut;
    int32_t SndTimeOut;
    int32_t ErrTimeOut;
    int32_t DirWait;
    int32_t IOWait;
    int32_t MsecWait;
} REG_PARA;

/* Group Usb, key "Com\Usb": 8 bytes. */
typedef struct REG_USB {
    int32_t RcvTimeOut;
    int32_t SndTimeOut;
} REG_USB;

/* Group Layout, kept in the shared block only: 4 bytes. */
typedef struct REG_LAYOUT {
    int32_t Layout;
} REG_LAYOUT;

/* Group PGBase, key "PGBase": 4 bytes. */
typedef struct REG_PGBASE {
    int32_t ErrComEnable;
} REG_PGBASE;

/* Group Program, key "Program": 20 bytes. */
typedef struct REG_PROGRAM {
    REG_MARGIN Margin;
    int32_t PrintFileName;
} REG_PROGRAM;

/* Group VBM, key "VBM": 24 bytes. */
typedef struct REG_VBM {
    REG_MARGIN Margin;
    int32_t PrintFileName;
    int32_t DispBMP;
} REG_VBM;

/* Group OptionPtn, key "OptionPtn": 76 bytes. */
typedef struct REG_OPTIONPTN {
    REG_MARGIN Margin;
    int32_t PrintFileName;
    REG_FONT Font;
} REG_OPTIONPTN;

/* Group UserChar, key "UserChar": 24 bytes. */
typedef struct REG_USERCHAR {
    REG_MARGIN Margin;
    int32_t PrintFileName;
    int32_t DispBMP;
} REG_USERCHAR;

/* Group Group, key "Group": 20 bytes. */
typedef struct REG_GROUP {
    REG_MARGIN Margin;
    int32_t PrintFileName;
} REG_GROUP;

/* Group AutoDisp, key "AutoDisp": 20 bytes. */
typedef struct REG_AUTODISP {
    REG_MARGIN Margin;
    int32_t PrintFileName;
} REG_AUTODISP;

/* Group FilePath, key "FilePath": 6144 bytes. */
typedef struct REG_FILEPATH {
    char DataDir[256];
    char HelpDir[256];
    char ExeDir[256];
    char MsgDir[256];
    char TempDir[256];
    char IntPrgDir[256];
    char IntCharDir[256];
    char PGManagePath[256];
    char PrgEditPath[256];
    char GrpEditPath[256];
    char CharEditPath[256];
    char ADEditPath[256];  /* shared block only, never stored */
    char CPCPath[256];
    char VbmCvtPath[256];
    char OptEditPath[256];
    char GpcEditPath[256];
    char PrgEditDataPath[256];
    char GrpEditDataPath[256];
    char CharEditDataPath[256];
    char ADEditDataPath[256];
    char ROMDataPath[256];
    char VbmCvtDataPath[256];
    char OptEditDataPath[256];
    char GpcEditDataPath[256];
} REG_FILEPATH;

/* Group Common, key "Common": 260 bytes. */
typedef struct REG_COMMON {
    char Layout[260];
} REG_COMMON;

/* Group Process, key "Process": 12 bytes. */
typedef struct REG_PROCESS {
    int32_t AllSize;
    int32_t FinishSize;
    int32_t Cancel;
} REG_PROCESS;

/* Group DDC, key "DDC": 20 bytes. */
typedef struct REG_DDC {
    REG_MARGIN Margin;
    int32_t PrintFileName;
} REG_DDC;

/* Group CDC, key "CDC": 20 bytes. */
typedef struct REG_CDC {
    REG_MARGIN Margin;
    int32_t PrintFileName;
} REG_CDC;

/* Group Cursol, key "Cursol": 20 bytes. */
typedef struct REG_CURSOL {
    REG_MARGIN Margin;
    int32_t PrintFileName;
} REG_CURSOL;

/* Group Graphic, key "Graphic": 20 bytes. */
typedef struct REG_GRAPHIC {
    REG_MARGIN Margin;
    int32_t PrintFileName;
} REG_GRAPHIC;


/* Loads every group from the store into the shared block and counts the client. */
SETSTORE_API int32_t REG_Init(void);
/* Ends the client started by REG_Init. */
SETSTORE_API void REG_Terminate(void);

/* For each group: REG_ReadKey... copies the whole record, REG_WriteKey...
 * replaces it; then single values. Memory kind: DtDevice 1 with PanelRom
 * 0..3 gives 1..4, anything else 0; MemCard does not enter it. */
/* PG */
SETSTORE_API int32_t REG_ReadKeyPG(REG_PG* record);
SETSTORE_API int32_t REG_WriteKeyPG(const REG_PG* record);
SETSTORE_API int32_t REG_ReadPGType(char* text); /* buffer of 16 bytes */
SETSTORE_API int32_t REG_WritePGType(const char* text);
SETSTORE_API int32_t REG_ReadDtDevice(int32_t* value);
SETSTORE_API int32_t REG_WriteDtDevice(int32_t value);
SETSTORE_API int32_t REG_ReadPGVersion(int32_t* value);
SETSTORE_API int32_t REG_WritePGVersion(int32_t value);
SETSTORE_API int32_t REG_ReadPanelRom(int32_t* value);
SETSTORE_API int32_t REG_WritePanelRom(int32_t value);
SETSTORE_API int32_t REG_ReadMemCard(int32_t* value);
SETSTORE_API int32_t REG_WriteMemCard(int32_t value);
SETSTORE_API int32_t REG_ReadGroupMode(int32_t* value);
SETSTORE_API int32_t REG_WriteGroupMode(int32_t value);
SETSTORE_API int32_t REG_ReadGroupDSW(int32_t* value);
SETSTORE_API int32_t REG_WriteGroupDSW(int32_t value);
SETSTORE_API int32_t REG_ReadMemKind(int32_t* kind);
SETSTORE_API int32_t REG_MixMemKind(int32_t device, int32_t panelRom, int32_t memCard);

/* Com */
SETSTORE_API int32_t REG_ReadKeyCom(REG_COM* record);
SETSTORE_API int32_t REG_WriteKeyCom(const REG_COM* record);
SETSTORE_API int32_t REG_ReadComEnable(int32_t* value);
SETSTORE_API int32_t REG_WriteComEnable(int32_t value);
SETSTORE_API int32_t REG_ReadSeriPara(int32_t* value);
SETSTORE_API int32_t REG_WriteSeriPara(int32_t value);
SETSTORE_API int32_t REG_ReadTimeoutByte(int32_t* value);
SETSTORE_API int32_t REG_WriteTimeoutByte(int32_t value);
SETSTORE_API int32_t REG_ReadTimeoutCmdACK(int32_t* value);
SETSTORE_API int32_t REG_WriteTimeoutCmdACK(int32_t value);
SETSTORE_API int32_t REG_ReadTimeoutDataACK(int32_t* value);
SETSTORE_API int32_t REG_WriteTimeoutDataACK(int32_t value);
SETSTORE_API int32_t REG_ReadTimeout(int32_t* value);
SETSTORE_API int32_t REG_WriteTimeout(int32_t value);
SETSTORE_API int32_t REG_ReadBeep(int32_t* value);
SETSTORE_API int32_t REG_WriteBeep(int32_t value);

/* Seri */
SETSTORE_API int32_t REG_ReadKeySeri(REG_SERI* record);
SETSTORE_API int32_t REG_WriteKeySeri(const REG_SERI* record);
SETSTORE_API int32_t REG_ReadSeriPortNo(int32_t* value);
SETSTORE_API int32_t REG_WriteSeriPortNo(int32_t value);
SETSTORE_API int32_t REG_ReadSeriBps(int32_t* value);
SETSTORE_API int32_t REG_WriteSeriBps(int32_t value);
SETSTORE_API int32_t REG_ReadSeriCharSize(int32_t* value);
SETSTORE_API int32_t REG_WriteSeriCharSize(int32_t value);
SETSTORE_API int32_t REG_ReadSeriParity(int32_t* value);
SETSTORE_API int32_t REG_WriteSeriParity(int32_t value);
SETSTORE_API int32_t REG_ReadSeriStopBits(int32_t* value);
SETSTORE_API int32_t REG_WriteSeriStopBits(int32_t value);

/* Para */
SETSTORE_API int32_t REG_ReadKeyPara(REG_PARA* record);
SETSTORE_API int32_t REG_WriteKeyPara(const REG_PARA* record);
SETSTORE_API int32_t REG_ReadParaTimeOutMethod(int32_t* value);
SETSTORE_API int32_t REG_WriteParaTimeOutMethod(int32_t value);
SETSTORE_API int32_t REG_ReadParaRcvTimeOut(int32_t* value);
SETSTORE_API int32_t REG_WriteParaRcvTimeOut(int32_t value);
SETSTORE_API int32_t REG_ReadParaSndTimeOut(int32_t* value);
SETSTORE_API int32_t REG_WriteParaSndTimeOut(int32_t value);
SETSTORE_API int32_t REG_ReadParaErrTimeOut(int32_t* value);
SETSTORE_API int32_t REG_WriteParaErrTimeOut(int32_t value);
SETSTORE_API int32_t REG_ReadParaDirWait(int32_t* value);
SETSTORE_API int32_t REG_WriteParaDirWait(int32_t value);
SETSTORE_API int32_t REG_ReadParaIOWait(int32_t* value);
SETSTORE_API int32_t REG_WriteParaIOWait(int32_t value);
SETSTORE_API int32_t REG_ReadParaMsecWait(int32_t* value);
SETSTORE_API int32_t REG_WriteParaMsecWait(int32_t value);

/* Usb */
SETSTORE_API int32_t REG_ReadKeyUsb(REG_USB* record);
SETSTORE_API int32_t REG_WriteKeyUsb(const REG_USB* record);
SETSTORE_API int32_t REG_ReadUsbRcvTimeOut(int32_t* value);
SETSTORE_API int32_t REG_WriteUsbRcvTimeOut(int32_t value);
SETSTORE_API int32_t REG_ReadUsbSndTimeOut(int32_t* value);
SETSTORE_API int32_t REG_WriteUsbSndTimeOut(int32_t value);

/* Layout */
SETSTORE_API int32_t REG_ReadKeyLayout(REG_LAYOUT* record);
SETSTORE_API int32_t REG_WriteKeyLayout(const REG_LAYOUT* record);

/* PGBase */
SETSTORE_API int32_t REG_ReadKeyPGBase(REG_PGBASE* record);
SETSTORE_API int32_t REG_WriteKeyPGBase(const REG_PGBASE* record);

/* Program */
SETSTORE_API int32_t REG_ReadKeyProgram(REG_PROGRAM* record);
SETSTORE_API int32_t REG_WriteKeyProgram(const REG_PROGRAM* record);
SETSTORE_API int32_t REG_ReadProgramMargin(REG_MARGIN* margin);
SETSTORE_API int32_t REG_WriteProgramMargin(const REG_MARGIN* margin);
SETSTORE_API int32_t REG_ReadProgramPrintFileName(int32_t* value);
SETSTORE_API int32_t REG_WriteProgramPrintFileName(int32_t value);

/* VBM */
SETSTORE_API int32_t REG_ReadKeyVBM(REG_VBM* record);
SETSTORE_API int32_t REG_WriteKeyVBM(const REG_VBM* record);
SETSTORE_API int32_t REG_ReadVBMMargin(REG_MARGIN* margin);
SETSTORE_API int32_t REG_WriteVBMMargin(const REG_MARGIN* margin);
SETSTORE_API int32_t REG_ReadVBMPrintFileName(int32_t* value);
SETSTORE_API int32_t REG_WriteVBMPrintFileName(int32_t value);
SETSTORE_API int32_t REG_ReadVBMDispBMP(int32_t* value);
SETSTORE_API int32_t REG_WriteVBMDispBMP(int32_t value);

/* OptionPtn */
SETSTORE_API int32_t REG_ReadKeyOptionPtn(REG_OPTIONPTN* record);
SETSTORE_API int32_t REG_WriteKeyOptionPtn(const REG_OPTIONPTN* record);
SETSTORE_API int32_t REG_ReadOptionPtnMargin(REG_MARGIN* margin);
SETSTORE_API int32_t REG_WriteOptionPtnMargin(const REG_MARGIN* margin);
SETSTORE_API int32_t REG_ReadOptionPtnPrintFileName(int32_t* value);
SETSTORE_API int32_t REG_WriteOptionPtnPrintFileName(int32_t value);
SETSTORE_API int32_t REG_ReadOptionPtnFont(REG_FONT* font);
SETSTORE_API int32_t REG_WriteOptionPtnFont(const REG_FONT* font);

/* UserChar */
SETSTORE_API int32_t REG_ReadKeyUserChar(REG_USERCHAR* record);
SETSTORE_API int32_t REG_WriteKeyUserChar(const REG_USERCHAR* record);
SETSTORE_API int32_t REG_ReadUserCharMargin(REG_MARGIN* margin);
SETSTORE_API int32_t REG_WriteUserCharMargin(const REG_MARGIN* margin);
SETSTORE_API int32_t REG_ReadUserCharPrintFileName(int32_t* value);
SETSTORE_API int32_t REG_WriteUserCharPrintFileName(int32_t value);
SETSTORE_API int32_t REG_ReadUserCharDispBMP(int32_t* value);
SETSTORE_API int32_t REG_WriteUserCharDispBMP(int32_t value);

/* Group */
SETSTORE_API int32_t REG_ReadKeyGroup(REG_GROUP* record);
SETSTORE_API int32_t REG_WriteKeyGroup(const REG_GROUP* record);
SETSTORE_API int32_t REG_ReadGroupMargin(REG_MARGIN* margin);
SETSTORE_API int32_t REG_WriteGroupMargin(const REG_MARGIN* margin);
SETSTORE_API int32_t REG_ReadGroupPrintFileName(int32_t* value);
SETSTORE_API int32_t REG_WriteGroupPrintFileName(int32_t value);

/* AutoDisp */
SETSTORE_API int32_t REG_ReadKeyAutoDisp(REG_AUTODISP* record);
SETSTORE_API int32_t REG_WriteKeyAutoDisp(const REG_AUTODISP* record);
SETSTORE_API int32_t REG_ReadAutoDispMargin(REG_MARGIN* margin);
SETSTORE_API int32_t REG_WriteAutoDispMargin(const REG_MARGIN* margin);
SETSTORE_API int32_t REG_ReadAutoDispPrintFileName(int32_t* value);
SETSTORE_API int32_t REG_WriteAutoDispPrintFileName(int32_t value);

/* FilePath */
SETSTORE_API int32_t REG_ReadKeyFilePath(REG_FILEPATH* record);
SETSTORE_API int32_t REG_WriteKeyFilePath(const REG_FILEPATH* record);
SETSTORE_API int32_t REG_ReadFileDataDir(char* text); /* buffer of 256 bytes */
SETSTORE_API int32_t REG_WriteFileDataDir(const char* text);
SETSTORE_API int32_t REG_ReadFileHelpDir(char* text); /* buffer of 256 bytes */
SETSTORE_API int32_t REG_WriteFileHelpDir(const char* text);
SETSTORE_API int32_t REG_ReadFileExeDir(char* text); /* buffer of 256 bytes */
SETSTORE_API int32_t REG_WriteFileExeDir(const char* text);
SETSTORE_API int32_t REG_ReadFileMsgDir(char* text); /* buffer of 256 bytes */
SETSTORE_API int32_t REG_WriteFileMsgDir(const char* text);
SETSTORE_API int32_t REG_ReadFileTempDir(char* text); /* buffer of 256 bytes */
SETSTORE_API int32_t REG_WriteFileTempDir(const char* text);
SETSTORE_API int32_t REG_ReadFileIntPrgDir(char* text); /* buffer of 256 bytes */
SETSTORE_API int32_t REG_WriteFileIntPrgDir(const char* text);
SETSTORE_API int32_t REG_ReadFileIntCharDir(char* text); /* buffer of 256 bytes */
SETSTORE_API int32_t REG_WriteFileIntCharDir(const char* text);
SETSTORE_API int32_t REG_ReadFilePGManagePath(char* text); /* buffer of 256 bytes */
SETSTORE_API int32_t REG_WriteFilePGManagePath(const char* text);
SETSTORE_API int32_t REG_ReadFilePrgEditPath(char* text); /* buffer of 256 bytes */
SETSTORE_API int32_t REG_WriteFilePrgEditPath(const char* text);
SETSTORE_API int32_t REG_ReadFileGrpEditPath(char* text); /* buffer of 256 bytes */
SETSTORE_API int32_t REG_WriteFileGrpEditPath(const char* text);
SETSTORE_API int32_t REG_ReadFileCharEditPath(char* text); /* buffer of 256 bytes */
SETSTORE_API int32_t REG_WriteFileCharEditPath(const char* text);
SETSTORE_API int32_t REG_ReadFileADEditPath(char* text); /* buffer of 256 bytes */
SETSTORE_API int32_t REG_WriteFileADEditPath(const char* text);
SETSTORE_API int32_t REG_ReadFileCPCPath(char* text); /* buffer of 256 bytes */
SETSTORE_API int32_t REG_WriteFileCPCPath(const char* text);
SETSTORE_API int32_t REG_ReadFileVbmCvtPath(char* text); /* buffer of 256 bytes */
SETSTORE_API int32_t REG_WriteFileVbmCvtPath(const char* text);
SETSTORE_API int32_t REG_ReadFileOptEditPath(char* text); /* buffer of 256 bytes */
SETSTORE_API int32_t REG_WriteFileOptEditPath(const char* text);
SETSTORE_API int32_t REG_ReadFileGpcEditPath(char* text); /* buffer of 256 bytes */
SETSTORE_API int32_t REG_WriteFileGpcEditPath(const char* text);
SETSTORE_API int32_t REG_ReadFilePrgEditDataPath(char* text); /* buffer of 256 bytes */
SETSTORE_API int32_t REG_WriteFilePrgEditDataPath(const char* text);
SETSTORE_API int32_t REG_ReadFileGrpEditDataPath(char* text); /* buffer of 256 bytes */
SETSTORE_API int32_t REG_WriteFileGrpEditDataPath(const char* text);
SETSTORE_API int32_t REG_ReadFileCharEditDataPath(char* text); /* buffer of 256 bytes */
SETSTORE_API int32_t REG_WriteFileCharEditDataPath(const char* text);
SETSTORE_API int32_t REG_ReadFileADEditDataPath(char* text); /* buffer of 256 bytes */
SETSTORE_API int32_t REG_WriteFileADEditDataPath(const char* text);
SETSTORE_API int32_t REG_ReadFileROMDataPath(char* text); /* buffer of 256 bytes */
SETSTORE_API int32_t REG_WriteFileROMDataPath(const char* text);
SETSTORE_API int32_t REG_ReadFileVbmCvtDataPath(char* text); /* buffer of 256 bytes */
SETSTORE_API int32_t REG_WriteFileVbmCvtDataPath(const char* text);
SETSTORE_API int32_t REG_ReadFileOptEditDataPath(char* text); /* buffer of 256 bytes */
SETSTORE_API int32_t REG_WriteFileOptEditDataPath(const char* text);
SETSTORE_API int32_t REG_ReadFileGpcEditDataPath(char* text); /* buffer of 256 bytes */
SETSTORE_API int32_t REG_WriteFileGpcEditDataPath(const char* text);

/* Common */
SETSTORE_API int32_t REG_ReadKeyCommon(REG_COMMON* record);
SETSTORE_API int32_t REG_WriteKeyCommon(const REG_COMMON* record);
SETSTORE_API int32_t REG_ReadCommonLayoutFile(char* text); /* buffer of 260 bytes */
SETSTORE_API int32_t REG_WriteCommonLayoutFile(const char* text);

/* Process */
SETSTORE_API int32_t REG_ReadKeyProcess(REG_PROCESS* record);
SETSTORE_API int32_t REG_WriteKeyProcess(const REG_PROCESS* record);
SETSTORE_API int32_t REG_ReadProcessAllSize(int32_t* value);
SETSTORE_API int32_t REG_WriteProcessAllSize(int32_t value);
SETSTORE_API int32_t REG_ReadProcessFinishSize(int32_t* value);
SETSTORE_API int32_t REG_WriteProcessFinishSize(int32_t value);
SETSTORE_API int32_t REG_ReadProcessCancel(int32_t* value);
SETSTORE_API int32_t REG_WriteProcessCancel(int32_t value);

/* DDC */
SETSTORE_API int32_t REG_ReadKeyDDC(REG_DDC* record);
SETSTORE_API int32_t REG_WriteKeyDDC(const REG_DDC* record);
SETSTORE_API int32_t REG_ReadDDCMargin(REG_MARGIN* margin);
SETSTORE_API int32_t REG_WriteDDCMargin(const REG_MARGIN* margin);
SETSTORE_API int32_t REG_ReadDDCPrintFileName(int32_t* value);
SETSTORE_API int32_t REG_WriteDDCPrintFileName(int32_t value);

/* CDC */
SETSTORE_API int32_t REG_ReadKeyCDC(REG_CDC* record);
SETSTORE_API int32_t REG_WriteKeyCDC(const REG_CDC* record);
SETSTORE_API int32_t REG_ReadCDCMargin(REG_MARGIN* margin);
SETSTORE_API int32_t REG_WriteCDCMargin(const REG_MARGIN* margin);
SETSTORE_API int32_t REG_ReadCDCPrintFileName(int32_t* value);
SETSTORE_API int32_t REG_WriteCDCPrintFileName(int32_t value);

/* Cursol */
SETSTORE_API int32_t REG_ReadKeyCursol(REG_CURSOL* record);
SETSTORE_API int32_t REG_WriteKeyCursol(const REG_CURSOL* record);
SETSTORE_API int32_t REG_ReadCursolMargin(REG_MARGIN* margin);
SETSTORE_API int32_t REG_WriteCursolMargin(const REG_MARGIN* margin);
SETSTORE_API int32_t REG_ReadCursolPrintFileName(int32_t* value);
SETSTORE_API int32_t REG_WriteCursolPrintFileName(int32_t value);

/* Graphic */
SETSTORE_API int32_t REG_ReadKeyGraphic(REG_GRAPHIC* record);
SETSTORE_API int32_t REG_WriteKeyGraphic(const REG_GRAPHIC* record);
SETSTORE_API int32_t REG_ReadGraphicMargin(REG_MARGIN* margin);
SETSTORE_API int32_t REG_WriteGraphicMargin(const REG_MARGIN* margin);
SETSTORE_API int32_t REG_ReadGraphicPrintFileName(int32_t* value);
SETSTORE_API int32_t REG_WriteGraphicPrintFileName(int32_t value);
#ifdef __cplusplus
}
#endif

#endif /* SETSTORE_H */
