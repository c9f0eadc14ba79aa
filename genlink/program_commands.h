#pragma once
// The program and pattern commands: storing, reading and running programs,
// single groups, pattern selection, sign-on codes and user characters. Each
// record export is one row of a member table; the operations below run a row.
#include <cstddef>
#include <cstdint>

#include "genlink/program_layouts.h"

namespace genlink {

class Link;

enum class Exchange { Cmd, Down, Up, Reply };
enum class ProgramField {
    None,     // no program number
    ByKind,   // width of the memory kind
    Three,    // three digits whatever the kind
};

struct Member {
    const char* name;
    uint8_t code;
    Exchange exchange;
    ProgramField program;
    const char* elementId;   // after the program number; null for none
    const RecordForm* form;  // null for run commands
    size_t replyCapacity;    // Reply exchanges
};

// Every record export of the family, by its export name.
namespace members {
extern const Member setProgram, setProgram2, getProgram, getProgram2, setExeProgram, setExeProgram2;
extern const Member exeBufRam, exeProgram, exeDirectDisp;
extern const Member setHTiming, getHTiming, setVTiming, getVTiming, setOutCtrl, getOutCtrl, setPtnGraphic,
    getPtnGraphic, setPtnCharacter, getPtnCharacter, setPtnCrossHatch, getPtnCrossHatch, setPtnDot, getPtnDot,
    setPtnCircle, getPtnCircle, setPtnBurst, getPtnBurst, setPtnWindow, getPtnWindow, setPtnOption1, getPtnOption1,
    setPtnOption2, getPtnOption2, setPtnOption1Wide, getPtnOption1Wide, setPtnOption2Wide, getPtnOption2Wide,
    setPtnColorBar, getPtnColorBar, setPtnGrayScale, getPtnGrayScale, setPtnHalfTone, getPtnHalfTone;
extern const Member pg3SetProgram, pg3GetProgram, pg3SetProgram2, pg3GetProgram2, pg3SetExeProgram,
    pg3SetExeProgram2, pg3SetPtnGraphic, pg3GetPtnGraphic, pg3SetPtnCharacter, pg3GetPtnCharacter,
    pg3SetPtnCrossHatch, pg3GetPtnCrossHatch, pg3SetPtnDot, pg3GetPtnDot, pg3SetPtnCircle, pg3GetPtnCircle,
    pg3SetPtnOption1, pg3GetPtnOption1, pg3SetPtnOption2, pg3GetPtnOption2, pg3SetPtnColorBar, pg3GetPtnColorBar,
    pg3SetPtnGrayScale, pg3GetPtnGrayScale, pg3SetPtnCursol, pg3GetPtnCursol, pg3SetOutCtrl, pg3GetOutCtrl;
extern const Member pg4SetProgram, pg4GetProgram, pg4SetProgram2, pg4GetProgram2, pg4SetExeProgram,
    pg4SetExeProgram2, pg4SetPtnGraphic, pg4GetPtnGraphic, pg4SetPtnGraphic2, pg4GetPtnGraphic2, pg4SetPtnOption1,
    pg4GetPtnOption1, pg4SetPtnOption2, pg4GetPtnOption2, pg4SetPtnWindow, pg4GetPtnWindow, pg4SetPtnAction,
    pg4GetPtnAction, pg4SetOutCtrl, pg4GetOutCtrl, pg4SetOutCtrl2, pg4GetOutCtrl2;
extern const Member anaDigiSetProgram, anaDigiGetProgram, anaDigiSetExeProgram, anaDigiSetOutCtrl,
    anaDigiGetOutCtrl;
} // namespace members

// A setter row: checks, then sends the record in its wire form as one block.
int setRecord(Link& link, const Member& m, int32_t program, const int32_t* record);
// A getter row: fills the record (all of its words) only after a good exchange.
int getRecord(Link& link, const Member& m, int32_t program, int32_t* record);
// A run row: the command with its program number, if any.
int runCommand(Link& link, const Member& m, int32_t program);

constexpr int kSelectionWords = 22;
constexpr size_t kSelectionCapacity = 100;
constexpr int kFirstUserCharacter = 224;
constexpr size_t kGlyphBytes = 1024;
constexpr size_t kGlyphBlock = 128;

// The letter of each pattern-selection word.
extern const char kSelectionLetters[kSelectionWords + 1];

int setPatternSelect(Link& link, int32_t program, const int32_t* selection);
// Clears the 22 words once the exchange has run, then sets those received.
int getPatternSelect(Link& link, int32_t program, int32_t* selection);
int setSignCodes(Link& link, bool on, const uint8_t* codes, int32_t count);
int setUserCharacter(Link& link, int32_t code, const uint8_t* glyph);
int getUserCharacter(Link& link, int32_t code, uint8_t* glyph);

} // namespace genlink
