/* Compiled as C: the header is C, every export links, and a handful of them
 * behave. Run with XDG_CONFIG_HOME and SETSTORE_INSTANCE set by the caller. */
#include <stddef.h>
#include <stdio.h>
#include <string.h>

#include "setstore.h"

_Static_assert(sizeof(REG_PG) == 40, "PG record");
_Static_assert(offsetof(REG_PG, DtDevice) == 16, "PG record");
_Static_assert(sizeof(REG_OPTIONPTN) == 76, "OptionPtn record");
_Static_assert(offsetof(REG_OPTIONPTN, Font) == 20, "OptionPtn record");
_Static_assert(offsetof(REG_FONT, Name) == 8 && offsetof(REG_FONT, Pitch) == 40, "font record");
_Static_assert(sizeof(REG_FILEPATH) == 6144, "FilePath record");
_Static_assert(offsetof(REG_FILEPATH, ADEditPath) == 11 * 256, "FilePath record");
_Static_assert(sizeof(REG_COMMON) == 260, "Common record");

typedef void (*Export)(void);

static const Export exports[] = {
    (Export)REG_Init,
    (Export)REG_Terminate,
    (Export)REG_ReadMemKind,
    (Export)REG_MixMemKind,
    (Export)REG_ReadKeyPG,
    (Export)REG_WriteKeyPG,
    (Export)REG_ReadPGType,
    (Export)REG_WritePGType,
    (Export)REG_ReadDtDevice,
    (Export)REG_WriteDtDevice,
    (Export)REG_ReadPGVersion,
    (Export)REG_WritePGVersion,
    (Export)REG_ReadPanelRom,
    (Export)REG_WritePanelRom,
    (Export)REG_ReadMemCard,
    (Export)REG_WriteMemCard,
    (Export)REG_ReadGroupMode,
    (Export)REG_WriteGroupMode,
    (Export)REG_ReadGroupDSW,
    (Export)REG_WriteGroupDSW,
    (Export)REG_ReadKeyCom,
    (Export)REG_WriteKeyCom,
    (Export)REG_ReadComEnable,
    (Export)REG_WriteComEnable,
    (Export)REG_ReadSeriPara,
    (Export)REG_WriteSeriPara,
    (Export)REG_ReadTimeoutByte,
    (Export)REG_WriteTimeoutByte,
    (Export)REG_ReadTimeoutCmdACK,
    (Export)REG_WriteTimeoutCmdACK,
    (Export)REG_ReadTimeoutDataACK,
    (Export)REG_WriteTimeoutDataACK,
    (Export)REG_ReadTimeout,
    (Export)REG_WriteTimeout,
    (Export)REG_ReadBeep,
    (Export)REG_WriteBeep,
    (Export)REG_ReadKeySeri,
    (Export)REG_WriteKeySeri,
    (Export)REG_ReadSeriPortNo,
    (Export)REG_WriteSeriPortNo,
    (Export)REG_ReadSeriBps,
    (Export)REG_WriteSeriBps,
    (Export)REG_ReadSeriCharSize,
    (Export)REG_WriteSeriCharSize,
    (Export)REG_ReadSeriParity,
    (Export)REG_WriteSeriParity,
    (Export)REG_ReadSeriStopBits,
    (Export)REG_WriteSeriStopBits,
    (Export)REG_ReadKeyPara,
    (Export)REG_WriteKeyPara,
    (Export)REG_ReadParaTimeOutMethod,
    (Export)REG_WriteParaTimeOutMethod,
    (Export)REG_ReadParaRcvTimeOut,
    (Export)REG_WriteParaRcvTimeOut,
    (Export)REG_ReadParaSndTimeOut,
    (Export)REG_WriteParaSndTimeOut,
    (Export)REG_ReadParaErrTimeOut,
    (Export)REG_WriteParaErrTimeOut,
    (Export)REG_ReadParaDirWait,
    (Export)REG_WriteParaDirWait,
    (Export)REG_ReadParaIOWait,
    (Export)REG_WriteParaIOWait,
    (Export)REG_ReadParaMsecWait,
    (Export)REG_WriteParaMsecWait,
    (Export)REG_ReadKeyUsb,
    (Export)REG_WriteKeyUsb,
    (Export)REG_ReadUsbRcvTimeOut,
    (Export)REG_WriteUsbRcvTimeOut,
    (Export)REG_ReadUsbSndTimeOut,
    (Export)REG_WriteUsbSndTimeOut,
    (Export)REG_ReadKeyLayout,
    (Export)REG_WriteKeyLayout,
    (Export)REG_ReadKeyPGBase,
    (Export)REG_WriteKeyPGBase,
    (Export)REG_ReadKeyProgram,
    (Export)REG_WriteKeyProgram,
    (Export)REG_ReadProgramMargin,
    (Export)REG_WriteProgramMargin,
    (Export)REG_ReadProgramPrintFileName,
    (Export)REG_WriteProgramPrintFileName,
    (Export)REG_ReadKeyVBM,
    (Export)REG_WriteKeyVBM,
    (Export)REG_ReadVBMMargin,
    (Export)REG_WriteVBMMargin,
    (Export)REG_ReadVBMPrintFileName,
    (Export)REG_WriteVBMPrintFileName,
    (Export)REG_ReadVBMDispBMP,
    (Export)REG_WriteVBMDispBMP,
    (Export)REG_ReadKeyOptionPtn,
    (Export)REG_WriteKeyOptionPtn,
    (Export)REG_ReadOptionPtnMargin,
    (Export)REG_WriteOptionPtnMargin,
    (Export)REG_ReadOptionPtnPrintFileName,
    (Export)REG_WriteOptionPtnPrintFileName,
    (Export)REG_ReadOptionPtnFont,
    (Export)REG_WriteOptionPtnFont,
    (Export)REG_ReadKeyUserChar,
    (Export)REG_WriteKeyUserChar,
    (Export)REG_ReadUserCharMargin,
    (Export)REG_WriteUserCharMargin,
    (Export)REG_ReadUserCharPrintFileName,
    (Export)REG_WriteUserCharPrintFileName,
    (Export)REG_ReadUserCharDispBMP,
    (Export)REG_WriteUserCharDispBMP,
    (Export)REG_ReadKeyGroup,
    (Export)REG_WriteKeyGroup,
    (Export)REG_ReadGroupMargin,
    (Export)REG_WriteGroupMargin,
    (Export)REG_ReadGroupPrintFileName,
    (Export)REG_WriteGroupPrintFileName,
    (Export)REG_ReadKeyAutoDisp,
    (Export)REG_WriteKeyAutoDisp,
    (Export)REG_ReadAutoDispMargin,
    (Export)REG_WriteAutoDispMargin,
    (Export)REG_ReadAutoDispPrintFileName,
    (Export)REG_WriteAutoDispPrintFileName,
    (Export)REG_ReadKeyFilePath,
    (Export)REG_WriteKeyFilePath,
    (Export)REG_ReadFileDataDir,
    (Export)REG_WriteFileDataDir,
    (Export)REG_ReadFileHelpDir,
    (Export)REG_WriteFileHelpDir,
    (Export)REG_ReadFileExeDir,
    (Export)REG_WriteFileExeDir,
    (Export)REG_ReadFileMsgDir,
    (Export)REG_WriteFileMsgDir,
    (Export)REG_ReadFileTempDir,
    (Export)REG_WriteFileTempDir,
    (Export)REG_ReadFileIntPrgDir,
    (Export)REG_WriteFileIntPrgDir,
    (Export)REG_ReadFileIntCharDir,
    (Export)REG_WriteFileIntCharDir,
    (Export)REG_ReadFilePGManagePath,
    (Export)REG_WriteFilePGManagePath,
    (Export)REG_ReadFilePrgEditPath,
    (Export)REG_WriteFilePrgEditPath,
    (Export)REG_ReadFileGrpEditPath,
    (Export)REG_WriteFileGrpEditPath,
    (Export)REG_ReadFileCharEditPath,
    (Export)REG_WriteFileCharEditPath,
    (Export)REG_ReadFileADEditPath,
    (Export)REG_WriteFileADEditPath,
    (Export)REG_ReadFileCPCPath,
    (Export)REG_WriteFileCPCPath,
    (Export)REG_ReadFileVbmCvtPath,
    (Export)REG_WriteFileVbmCvtPath,
    (Export)REG_ReadFileOptEditPath,
    (Export)REG_WriteFileOptEditPath,
    (Export)REG_ReadFileGpcEditPath,
    (Export)REG_WriteFileGpcEditPath,
    (Export)REG_ReadFilePrgEditDataPath,
    (Export)REG_WriteFilePrgEditDataPath,
    (Export)REG_ReadFileGrpEditDataPath,
    (Export)REG_WriteFileGrpEditDataPath,
    (Export)REG_ReadFileCharEditDataPath,
    (Export)REG_WriteFileCharEditDataPath,
    (Export)REG_ReadFileADEditDataPath,
    (Export)REG_WriteFileADEditDataPath,
    (Export)REG_ReadFileROMDataPath,
    (Export)REG_WriteFileROMDataPath,
    (Export)REG_ReadFileVbmCvtDataPath,
    (Export)REG_WriteFileVbmCvtDataPath,
    (Export)REG_ReadFileOptEditDataPath,
    (Export)REG_WriteFileOptEditDataPath,
    (Export)REG_ReadFileGpcEditDataPath,
    (Export)REG_WriteFileGpcEditDataPath,
    (Export)REG_ReadKeyCommon,
    (Export)REG_WriteKeyCommon,
    (Export)REG_ReadCommonLayoutFile,
    (Export)REG_WriteCommonLayoutFile,
    (Export)REG_ReadKeyProcess,
    (Export)REG_WriteKeyProcess,
    (Export)REG_ReadProcessAllSize,
    (Export)REG_WriteProcessAllSize,
    (Export)REG_ReadProcessFinishSize,
    (Export)REG_WriteProcessFinishSize,
    (Export)REG_ReadProcessCancel,
    (Export)REG_WriteProcessCancel,
    (Export)REG_ReadKeyDDC,
    (Export)REG_WriteKeyDDC,
    (Export)REG_ReadDDCMargin,
    (Export)REG_WriteDDCMargin,
    (Export)REG_ReadDDCPrintFileName,
    (Export)REG_WriteDDCPrintFileName,
    (Export)REG_ReadKeyCDC,
    (Export)REG_WriteKeyCDC,
    (Export)REG_ReadCDCMargin,
    (Export)REG_WriteCDCMargin,
    (Export)REG_ReadCDCPrintFileName,
    (Export)REG_WriteCDCPrintFileName,
    (Export)REG_ReadKeyCursol,
    (Export)REG_WriteKeyCursol,
    (Export)REG_ReadCursolMargin,
    (Export)REG_WriteCursolMargin,
    (Export)REG_ReadCursolPrintFileName,
    (Export)REG_WriteCursolPrintFileName,
    (Export)REG_ReadKeyGraphic,
    (Export)REG_WriteKeyGraphic,
    (Export)REG_ReadGraphicMargin,
    (Export)REG_WriteGraphicMargin,
    (Export)REG_ReadGraphicPrintFileName,
    (Export)REG_WriteGraphicPrintFileName
};

static int failures = 0;

#define CHECK(cond)                                                         \
    do {                                                                    \
        if (!(cond)) {                                                      \
            fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond); \
            ++failures;                                                     \
        }                                                                   \
    } while (0)

int main(void)
{
    size_t i;
    int32_t value = -1;
    char text[256];
    REG_SERI seri;
    REG_MARGIN margin = {1, -2, 3, 4};
    REG_MARGIN marginBack;
    REG_FONT font;

    CHECK(sizeof exports / sizeof exports[0] == 202);
    for (i = 0; i < sizeof exports / sizeof exports[0]; ++i)
        CHECK(exports[i] != NULL);

    CHECK(REG_Init() == 0);
    CHECK(REG_WriteSeriBps(9600) == 0);
    CHECK(REG_ReadSeriBps(&value) == 0 && value == 9600);
    memset(&seri, 0xFF, sizeof seri);
    CHECK(REG_ReadKeySeri(&seri) == 0 && seri.Bps == 9600);
    seri.PortNo = 2;
    CHECK(REG_WriteKeySeri(&seri) == 0);
    CHECK(REG_ReadSeriPortNo(&value) == 0 && value == 2);

    CHECK(REG_WritePGType("ABCDEFGHIJKLMNOPQRST") == 0);
    CHECK(REG_ReadPGType(text) == 0 && strcmp(text, "ABCDEFGHIJKLMNO") == 0);

    CHECK(REG_MixMemKind(1, 2, 0) == 3);
    CHECK(REG_MixMemKind(1, 7, 0) == 0);
    CHECK(REG_WriteDtDevice(1) == 0 && REG_WritePanelRom(2) == 0);
    CHECK(REG_ReadMemKind(&value) == 0 && value == 3);

    CHECK(REG_WriteProgramMargin(&margin) == 0);
    CHECK(REG_ReadProgramMargin(&marginBack) == 0 && memcmp(&margin, &marginBack, sizeof margin) == 0);
    memset(&font, 0, sizeof font);
    font.Size = 12;
    strcpy(font.Name, "Fixed");
    CHECK(REG_WriteOptionPtnFont(&font) == 0);
    memset(&font, 0, sizeof font);
    CHECK(REG_ReadOptionPtnFont(&font) == 0 && font.Size == 12 && strcmp(font.Name, "Fixed") == 0);

    CHECK(REG_WriteFileADEditPath("/opt/ad") == 0);
    CHECK(REG_ReadFileADEditPath(text) == 0 && strcmp(text, "/opt/ad") == 0);
    CHECK(REG_ReadSeriBps(NULL) == -20);
    CHECK(REG_WritePGType(NULL) == -21);
    REG_Terminate();

    if (failures)
        fprintf(stderr, "%d checks failed\n", failures);
    return failures ? 1 : 0;
}
