// The program and pattern exports: each runs one row of the member table.
#include "genlink.h"
#include "genlink/program_commands.h"
#include "genlink/process_link.h"

using namespace genlink;

extern "C" {

int32_t PG_SetProgram(int32_t program, const int32_t* record) {
    return guardedExport([=](Link& l) { return setRecord(l, members::setProgram, program, record); });
}

int32_t PG2_SetProgram(int32_t program, const int32_t* record) {
    return guardedExport([=](Link& l) { return setRecord(l, members::setProgram2, program, record); });
}

int32_t PG_GetProgram(int32_t program, int32_t* record) {
    return guardedExport([=](Link& l) { return getRecord(l, members::getProgram, program, record); });
}

int32_t PG2_GetProgram(int32_t program, int32_t* record) {
    return guardedExport([=](Link& l) { return getRecord(l, members::getProgram2, program, record); });
}

int32_t PG_SetExeProgram(const int32_t* record) {
    return guardedExport([=](Link& l) { return setRecord(l, members::setExeProgram, 0, record); });
}

int32_t PG2_SetExeProgram(const int32_t* record) {
    return guardedExport([=](Link& l) { return setRecord(l, members::setExeProgram2, 0, record); });
}

int32_t PG_ExeBufRAM(void) {
    return guardedExport([](Link& l) { return runCommand(l, members::exeBufRam, 0); });
}

int32_t PG_ExeProgram(int32_t program) {
    return guardedExport([=](Link& l) { return runCommand(l, members::exeProgram, program); });
}

int32_t PG_ExeDirectDisp(int32_t program) {
    return guardedExport([=](Link& l) { return runCommand(l, members::exeDirectDisp, program); });
}

int32_t PG_SetHTiming(int32_t program, const int32_t* record) {
    return guardedExport([=](Link& l) { return setRecord(l, members::setHTiming, program, record); });
}

int32_t PG_GetHTiming(int32_t program, int32_t* record) {
    return guardedExport([=](Link& l) { return getRecord(l, members::getHTiming, program, record); });
}

int32_t PG_SetVTiming(int32_t program, const int32_t* record) {
    return guardedExport([=](Link& l) { return setRecord(l, members::setVTiming, program, record); });
}

int32_t PG_GetVTiming(int32_t program, int32_t* record) {
    return guardedExport([=](Link& l) { return getRecord(l, members::getVTiming, program, record); });
}

int32_t PG_SetOutCtrl(int32_t program, const int32_t* record) {
    return guardedExport([=](Link& l) { return setRecord(l, members::setOutCtrl, program, record); });
}

int32_t PG_GetOutCtrl(int32_t program, int32_t* record) {
    return guardedExport([=](Link& l) { return getRecord(l, members::getOutCtrl, program, record); });
}

int32_t PG_SetPtnGraphic(int32_t program, const int32_t* record) {
    return guardedExport([=](Link& l) { return setRecord(l, members::setPtnGraphic, program, record); });
}

int32_t PG_GetPtnGraphic(int32_t program, int32_t* record) {
    return guardedExport([=](Link& l) { return getRecord(l, members::getPtnGraphic, program, record); });
}

int32_t PG_SetPtnCharacter(int32_t program, const int32_t* record) {
    return guardedExport([=](Link& l) { return setRecord(l, members::setPtnCharacter, program, record); });
}

int32_t PG_GetPtnCharacter(int32_t program, int32_t* record) {
    return guardedExport([=](Link& l) { return getRecord(l, members::getPtnCharacter, program, record); });
}

int32_t PG_SetPtnCrossHatch(int32_t program, const int32_t* record) {
    return guardedExport([=](Link& l) { return setRecord(l, members::setPtnCrossHatch, program, record); });
}

int32_t PG_GetPtnCrossHatch(int32_t program, int32_t* record) {
    return guardedExport([=](Link& l) { return getRecord(l, members::getPtnCrossHatch, program, record); });
}

int32_t PG_SetPtnDot(int32_t program, const int32_t* record) {
    return guardedExport([=](Link& l) { return setRecord(l, members::setPtnDot, program, record); });
}

int32_t PG_GetPtnDot(int32_t program, int32_t* record) {
    return guardedExport([=](Link& l) { return getRecord(l, members::getPtnDot, program, record); });
}

int32_t PG_SetPtnCircle(int32_t program, const int32_t* record) {
    return guardedExport([=](Link& l) { return setRecord(l, members::setPtnCircle, program, record); });
}

int32_t PG_GetPtnCircle(int32_t program, int32_t* record) {
    return guardedExport([=](Link& l) { return getRecord(l, members::getPtnCircle, program, record); });
}

int32_t PG_SetPtnBurst(int32_t program, const int32_t* record) {
    return guardedExport([=](Link& l) { return setRecord(l, members::setPtnBurst, program, record); });
}

int32_t PG_GetPtnBurst(int32_t program, int32_t* record) {
    return guardedExport([=](Link& l) { return getRecord(l, members::getPtnBurst, program, record); });
}

int32_t PG_SetPtnWindow(int32_t program, const int32_t* record) {
    return guardedExport([=](Link& l) { return setRecord(l, members::setPtnWindow, program, record); });
}

int32_t PG_GetPtnWindow(int32_t program, int32_t* record) {
    return guardedExport([=](Link& l) { return getRecord(l, members::getPtnWindow, program, record); });
}

int32_t PG_SetPtnOption1(int32_t program, const int32_t* record) {
    return guardedExport([=](Link& l) { return setRecord(l, members::setPtnOption1, program, record); });
}

int32_t PG_GetPtnOption1(int32_t program, int32_t* record) {
    return guardedExport([=](Link& l) { return getRecord(l, members::getPtnOption1, program, record); });
}

int32_t PG_SetPtnOption2(int32_t program, const int32_t* record) {
    return guardedExport([=](Link& l) { return setRecord(l, members::setPtnOption2, program, record); });
}

int32_t PG_GetPtnOption2(int32_t program, int32_t* record) {
    return guardedExport([=](Link& l) { return getRecord(l, members::getPtnOption2, program, record); });
}

int32_t PG2_SetPtnOption1(int32_t program, const int32_t* record) {
    return guardedExport([=](Link& l) { return setRecord(l, members::setPtnOption1Wide, program, record); });
}

int32_t PG2_GetPtnOption1(int32_t program, int32_t* record) {
    return guardedExport([=](Link& l) { return getRecord(l, members::getPtnOption1Wide, program, record); });
}

int32_t PG2_SetPtnOption2(int32_t program, const int32_t* record) {
    return guardedExport([=](Link& l) { return setRecord(l, members::setPtnOption2Wide, program, record); });
}

int32_t PG2_GetPtnOption2(int32_t program, int32_t* record) {
    return guardedExport([=](Link& l) { return getRecord(l, members::getPtnOption2Wide, program, record); });
}

int32_t PG_SetPtnColorBar(int32_t program, const int32_t* record) {
    return guardedExport([=](Link& l) { return setRecord(l, members::setPtnColorBar, program, record); });
}

int32_t PG_GetPtnColorBar(int32_t program, int32_t* record) {
    return guardedExport([=](Link& l) { return getRecord(l, members::getPtnColorBar, program, record); });
}

int32_t PG_SetPtnGrayScale(int32_t program, const int32_t* record) {
    return guardedExport([=](Link& l) { return setRecord(l, members::setPtnGrayScale, program, record); });
}

int32_t PG_GetPtnGrayScale(int32_t program, int32_t* record) {
    return guardedExport([=](Link& l) { return getRecord(l, members::getPtnGrayScale, program, record); });
}

int32_t PG_SetPtnHalfTone(int32_t program, const int32_t* record) {
    return guardedExport([=](Link& l) { return setRecord(l, members::setPtnHalfTone, program, record); });
}

int32_t PG_GetPtnHalfTone(int32_t program, int32_t* record) {
    return guardedExport([=](Link& l) { return getRecord(l, members::getPtnHalfTone, program, record); });
}

int32_t PG3_SetProgram(int32_t program, const int32_t* record) {
    return guardedExport([=](Link& l) { return setRecord(l, members::pg3SetProgram, program, record); });
}

int32_t PG3_GetProgram(int32_t program, int32_t* record) {
    return guardedExport([=](Link& l) { return getRecord(l, members::pg3GetProgram, program, record); });
}

int32_t PG3_SetProgram2(int32_t program, const int32_t* record) {
    return guardedExport([=](Link& l) { return setRecord(l, members::pg3SetProgram2, program, record); });
}

int32_t PG3_GetProgram2(int32_t program, int32_t* record) {
    return guardedExport([=](Link& l) { return getRecord(l, members::pg3GetProgram2, program, record); });
}

int32_t PG3_SetExeProgram(const int32_t* record) {
    return guardedExport([=](Link& l) { return setRecord(l, members::pg3SetExeProgram, 0, record); });
}

int32_t PG3_SetExeProgram2(const int32_t* record) {
    return guardedExport([=](Link& l) { return setRecord(l, members::pg3SetExeProgram2, 0, record); });
}

int32_t PG3_SetPtnGraphic(int32_t program, const int32_t* record) {
    return guardedExport([=](Link& l) { return setRecord(l, members::pg3SetPtnGraphic, program, record); });
}

int32_t PG3_GetPtnGraphic(int32_t program, int32_t* record) {
    return guardedExport([=](Link& l) { return getRecord(l, members::pg3GetPtnGraphic, program, record); });
}

int32_t PG3_SetPtnCharacter(int32_t program, const int32_t* record) {
    return guardedExport([=](Link& l) { return setRecord(l, members::pg3SetPtnCharacter, program, record); });
}

int32_t PG3_GetPtnCharacter(int32_t program, int32_t* record) {
    return guardedExport([=](Link& l) { return getRecord(l, members::pg3GetPtnCharacter, program, record); });
}

int32_t PG3_SetPtnCrossHatch(int32_t program, const int32_t* record) {
    return guardedExport([=](Link& l) { return setRecord(l, members::pg3SetPtnCrossHatch, program, record); });
}

int32_t PG3_GetPtnCrossHatch(int32_t program, int32_t* record) {
    return guardedExport([=](Link& l) { return getRecord(l, members::pg3GetPtnCrossHatch, program, record); });
}

int32_t PG3_SetPtnDot(int32_t program, const int32_t* record) {
    return guardedExport([=](Link& l) { return setRecord(l, members::pg3SetPtnDot, program, record); });
}

int32_t PG3_GetPtnDot(int32_t program, int32_t* record) {
    return guardedExport([=](Link& l) { return getRecord(l, members::pg3GetPtnDot, program, record); });
}

int32_t PG3_SetPtnCircle(int32_t program, const int32_t* record) {
    return guardedExport([=](Link& l) { return setRecord(l, members::pg3SetPtnCircle, program, record); });
}

int32_t PG3_GetPtnCircle(int32_t program, int32_t* record) {
    return guardedExport([=](Link& l) { return getRecord(l, members::pg3GetPtnCircle, program, record); });
}

int32_t PG3_SetPtnOption1(int32_t program, const int32_t* record) {
    return guardedExport([=](Link& l) { return setRecord(l, members::pg3SetPtnOption1, program, record); });
}

int32_t PG3_GetPtnOption1(int32_t program, int32_t* record) {
    return guardedExport([=](Link& l) { return getRecord(l, members::pg3GetPtnOption1, program, record); });
}

int32_t PG3_SetPtnOption2(int32_t program, const int32_t* record) {
    return guardedExport([=](Link& l) { return setRecord(l, members::pg3SetPtnOption2, program, record); });
}

int32_t PG3_GetPtnOption2(int32_t program, int32_t* record) {
    return guardedExport([=](Link& l) { return getRecord(l, members::pg3GetPtnOption2, program, record); });
}

int32_t PG3_SetPtnColorBar(int32_t program, const int32_t* record) {
    return guardedExport([=](Link& l) { return setRecord(l, members::pg3SetPtnColorBar, program, record); });
}

int32_t PG3_GetPtnColorBar(int32_t program, int32_t* record) {
    return guardedExport([=](Link& l) { return getRecord(l, members::pg3GetPtnColorBar, program, record); });
}

int32_t PG3_SetPtnGrayScale(int32_t program, const int32_t* record) {
    return guardedExport([=](Link& l) { return setRecord(l, members::pg3SetPtnGrayScale, program, record); });
}

int32_t PG3_GetPtnGrayScale(int32_t program, int32_t* record) {
    return guardedExport([=](Link& l) { return getRecord(l, members::pg3GetPtnGrayScale, program, record); });
}

int32_t PG3_SetPtnCursol(int32_t program, const int32_t* record) {
    return guardedExport([=](Link& l) { return setRecord(l, members::pg3SetPtnCursol, program, record); });
}

int32_t PG3_GetPtnCursol(int32_t program, int32_t* record) {
    return guardedExport([=](Link& l) { return getRecord(l, members::pg3GetPtnCursol, program, record); });
}

int32_t PG3_SetOutCtrl(int32_t program, const int32_t* record) {
    return guardedExport([=](Link& l) { return setRecord(l, members::pg3SetOutCtrl, program, record); });
}

int32_t PG3_GetOutCtrl(int32_t program, int32_t* record) {
    return guardedExport([=](Link& l) { return getRecord(l, members::pg3GetOutCtrl, program, record); });
}

int32_t PG4_SetProgram(int32_t program, const int32_t* record) {
    return guardedExport([=](Link& l) { return setRecord(l, members::pg4SetProgram, program, record); });
}

int32_t PG4_GetProgram(int32_t program, int32_t* record) {
    return guardedExport([=](Link& l) { return getRecord(l, members::pg4GetProgram, program, record); });
}

int32_t PG4_SetProgram2(int32_t program, const int32_t* record) {
    return guardedExport([=](Link& l) { return setRecord(l, members::pg4SetProgram2, program, record); });
}

int32_t PG4_GetProgram2(int32_t program, int32_t* record) {
    return guardedExport([=](Link& l) { return getRecord(l, members::pg4GetProgram2, program, record); });
}

int32_t PG4_SetExeProgram(const int32_t* record) {
    return guardedExport([=](Link& l) { return setRecord(l, members::pg4SetExeProgram, 0, record); });
}

int32_t PG4_SetExeProgram2(const int32_t* record) {
    return guardedExport([=](Link& l) { return setRecord(l, members::pg4SetExeProgram2, 0, record); });
}

int32_t PG4_SetPtnGraphic(int32_t program, const int32_t* record) {
    return guardedExport([=](Link& l) { return setRecord(l, members::pg4SetPtnGraphic, program, record); });
}

int32_t PG4_GetPtnGraphic(int32_t program, int32_t* record) {
    return guardedExport([=](Link& l) { return getRecord(l, members::pg4GetPtnGraphic, program, record); });
}

int32_t PG4_SetPtnGraphic2(int32_t program, const int32_t* record) {
    return guardedExport([=](Link& l) { return setRecord(l, members::pg4SetPtnGraphic2, program, record); });
}

int32_t PG4_GetPtnGraphic2(int32_t program, int32_t* record) {
    return guardedExport([=](Link& l) { return getRecord(l, members::pg4GetPtnGraphic2, program, record); });
}

int32_t PG4_SetPtnOption1(int32_t program, const int32_t* record) {
    return guardedExport([=](Link& l) { return setRecord(l, members::pg4SetPtnOption1, program, record); });
}

int32_t PG4_GetPtnOption1(int32_t program, int32_t* record) {
    return guardedExport([=](Link& l) { return getRecord(l, members::pg4GetPtnOption1, program, record); });
}

int32_t PG4_SetPtnOption2(int32_t program, const int32_t* record) {
    return guardedExport([=](Link& l) { return setRecord(l, members::pg4SetPtnOption2, program, record); });
}

int32_t PG4_GetPtnOption2(int32_t program, int32_t* record) {
    return guardedExport([=](Link& l) { return getRecord(l, members::pg4GetPtnOption2, program, record); });
}

int32_t PG4_SetPtnWindow(int32_t program, const int32_t* record) {
    return guardedExport([=](Link& l) { return setRecord(l, members::pg4SetPtnWindow, program, record); });
}

int32_t PG4_GetPtnWindow(int32_t program, int32_t* record) {
    return guardedExport([=](Link& l) { return getRecord(l, members::pg4GetPtnWindow, program, record); });
}

int32_t PG4_SetPtnAction(int32_t program, const int32_t* record) {
    return guardedExport([=](Link& l) { return setRecord(l, members::pg4SetPtnAction, program, record); });
}

int32_t PG4_GetPtnAction(int32_t program, int32_t* record) {
    return guardedExport([=](Link& l) { return getRecord(l, members::pg4GetPtnAction, program, record); });
}

int32_t PG4_SetOutCtrl(int32_t program, const int32_t* record) {
    return guardedExport([=](Link& l) { return setRecord(l, members::pg4SetOutCtrl, program, record); });
}

int32_t PG4_GetOutCtrl(int32_t program, int32_t* record) {
    return guardedExport([=](Link& l) { return getRecord(l, members::pg4GetOutCtrl, program, record); });
}

int32_t PG4_SetOutCtrl2(int32_t program, const int32_t* record) {
    return guardedExport([=](Link& l) { return setRecord(l, members::pg4SetOutCtrl2, program, record); });
}

int32_t PG4_GetOutCtrl2(int32_t program, int32_t* record) {
    return guardedExport([=](Link& l) { return getRecord(l, members::pg4GetOutCtrl2, program, record); });
}

int32_t PG_SetProgram_AnaDigi(int32_t program, const int32_t* record) {
    return guardedExport([=](Link& l) { return setRecord(l, members::anaDigiSetProgram, program, record); });
}

int32_t PG_GetProgram_AnaDigi(int32_t program, int32_t* record) {
    return guardedExport([=](Link& l) { return getRecord(l, members::anaDigiGetProgram, program, record); });
}

int32_t PG_SetExeProgram_AnaDigi(const int32_t* record) {
    return guardedExport([=](Link& l) { return setRecord(l, members::anaDigiSetExeProgram, 0, record); });
}

int32_t PG_SetOutCtrl_AnaDigi(int32_t program, const int32_t* record) {
    return guardedExport([=](Link& l) { return setRecord(l, members::anaDigiSetOutCtrl, program, record); });
}

int32_t PG_GetOutCtrl_AnaDigi(int32_t program, int32_t* record) {
    return guardedExport([=](Link& l) { return getRecord(l, members::anaDigiGetOutCtrl, program, record); });
}

int32_t PG_SetPtnSelect(int32_t program, const int32_t* selection) {
    return guardedExport([=](Link& l) { return setPatternSelect(l, program, selection); });
}

int32_t PG_GetPtnSelect(int32_t program, int32_t* selection) {
    return guardedExport([=](Link& l) { return getPatternSelect(l, program, selection); });
}

int32_t PG3_SetPtnSelect(int32_t program, const int32_t* selection) {
    return guardedExport([=](Link& l) { return setPatternSelect(l, program, selection); });
}

int32_t PG3_GetPtnSelect(int32_t program, int32_t* selection) {
    return guardedExport([=](Link& l) { return getPatternSelect(l, program, selection); });
}

int32_t PG_SetPtnSignOn(const uint8_t* codes, int32_t count) {
    return guardedExport([=](Link& l) { return setSignCodes(l, true, codes, count); });
}

int32_t PG_SetPtnSignOff(const uint8_t* codes, int32_t count) {
    return guardedExport([=](Link& l) { return setSignCodes(l, false, codes, count); });
}

int32_t PG_SetUserCharacter(int32_t code, const uint8_t* glyph) {
    return guardedExport([=](Link& l) { return setUserCharacter(l, code, glyph); });
}

int32_t PG_GetUserCharacter(int32_t code, uint8_t* glyph) {
    return guardedExport([=](Link& l) { return getUserCharacter(l, code, glyph); });
}

} // extern "C"
