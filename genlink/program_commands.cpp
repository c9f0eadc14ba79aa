#include "genlink/program_commands.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "genlink/fields.h"
#include "genlink/link.h"
#include "genlink/result_codes.h"

namespace genlink {

namespace members {
using E = Exchange;
using P = ProgramField;
namespace f = forms;
// name, code, exchange, program field, element id, form, reply capacity
const Member setProgram{"PG_SetProgram", 0x4D, E::Down, P::ByKind, nullptr, &f::program, 0};
const Member setProgram2{"PG2_SetProgram", 0x5D, E::Down, P::ByKind, nullptr, &f::program2, 0};
const Member getProgram{"PG_GetProgram", 0x4C, E::Up, P::ByKind, nullptr, &f::program, 0};
const Member getProgram2{"PG2_GetProgram", 0x5C, E::Up, P::ByKind, nullptr, &f::program2, 0};
const Member setExeProgram{"PG_SetExeProgram", 0x08, E::Down, P::None, nullptr, &f::program, 0};
const Member setExeProgram2{"PG2_SetExeProgram", 0x58, E::Down, P::None, nullptr, &f::program2, 0};
const Member exeBufRam{"PG_ExeBufRAM", 0x0C, E::Cmd, P::None, nullptr, nullptr, 0};
const Member exeProgram{"PG_ExeProgram", 0x07, E::Cmd, P::ByKind, nullptr, nullptr, 0};
const Member exeDirectDisp{"PG_ExeDirectDisp", 0x09, E::Cmd, P::ByKind, nullptr, nullptr, 0};

const Member setHTiming{"PG_SetHTiming", 0x48, E::Down, P::ByKind, nullptr, &f::hTiming, 0};
const Member getHTiming{"PG_GetHTiming", 0x42, E::Up, P::ByKind, nullptr, &f::hTiming, 0};
const Member setVTiming{"PG_SetVTiming", 0x49, E::Down, P::ByKind, nullptr, &f::vTiming, 0};
const Member getVTiming{"PG_GetVTiming", 0x43, E::Up, P::ByKind, nullptr, &f::vTiming, 0};
const Member setOutCtrl{"PG_SetOutCtrl", 0x4A, E::Down, P::ByKind, nullptr, &f::outCtrl, 0};
const Member getOutCtrl{"PG_GetOutCtrl", 0x44, E::Reply, P::ByKind, nullptr, &f::outCtrl, 21};
const Member setPtnGraphic{"PG_SetPtnGraphic", 0x4B, E::Down, P::ByKind, "01", &f::graphic, 0};
const Member getPtnGraphic{"PG_GetPtnGraphic", 0x45, E::Up, P::ByKind, "01", &f::graphic, 0};
const Member setPtnCharacter{"PG_SetPtnCharacter", 0x4B, E::Down, P::ByKind, "02", &f::character, 0};
const Member getPtnCharacter{"PG_GetPtnCharacter", 0x45, E::Up, P::ByKind, "02", &f::character, 0};
const Member setPtnCrossHatch{"PG_SetPtnCrossHatch", 0x4B, E::Down, P::ByKind, "03", &f::crossHatch, 0};
const Member getPtnCrossHatch{"PG_GetPtnCrossHatch", 0x45, E::Up, P::ByKind, "03", &f::crossHatch, 0};
const Member setPtnDot{"PG_SetPtnDot", 0x4B, E::Down, P::ByKind, "04", &f::dot, 0};
const Member getPtnDot{"PG_GetPtnDot", 0x45, E::Up, P::ByKind, "04", &f::dot, 0};
const Member setPtnCircle{"PG_SetPtnCircle", 0x4B, E::Down, P::ByKind, "05", &f::circle, 0};
const Member getPtnCircle{"PG_GetPtnCircle", 0x45, E::Up, P::ByKind, "05", &f::circle, 0};
const Member setPtnBurst{"PG_SetPtnBurst", 0x4B, E::Down, P::ByKind, "06", &f::burst, 0};
const Member getPtnBurst{"PG_GetPtnBurst", 0x45, E::Up, P::ByKind, "06", &f::burst, 0};
const Member setPtnWindow{"PG_SetPtnWindow", 0x4B, E::Down, P::ByKind, "07", &f::window, 0};
const Member getPtnWindow{"PG_GetPtnWindow", 0x45, E::Up, P::ByKind, "07", &f::window, 0};
const Member setPtnOption1{"PG_SetPtnOption1", 0x4B, E::Down, P::ByKind, "08", &f::option, 0};
const Member getPtnOption1{"PG_GetPtnOption1", 0x45, E::Up, P::ByKind, "08", &f::option, 0};
const Member setPtnOption2{"PG_SetPtnOption2", 0x4B, E::Down, P::ByKind, "09", &f::option, 0};
const Member getPtnOption2{"PG_GetPtnOption2", 0x45, E::Up, P::ByKind, "09", &f::option, 0};
const Member setPtnOption1Wide{"PG2_SetPtnOption1", 0x5B, E::Down, P::ByKind, "08", &f::optionWide, 0};
const Member getPtnOption1Wide{"PG2_GetPtnOption1", 0x55, E::Up, P::ByKind, "08", &f::optionWide, 0};
const Member setPtnOption2Wide{"PG2_SetPtnOption2", 0x5B, E::Down, P::ByKind, "09", &f::optionWide, 0};
const Member getPtnOption2Wide{"PG2_GetPtnOption2", 0x55, E::Up, P::ByKind, "09", &f::optionWide, 0};
const Member setPtnColorBar{"PG_SetPtnColorBar", 0x4B, E::Down, P::ByKind, "10", &f::colorBar, 0};
const Member getPtnColorBar{"PG_GetPtnColorBar", 0x45, E::Up, P::ByKind, "10", &f::colorBar, 0};
const Member setPtnGrayScale{"PG_SetPtnGrayScale", 0x4B, E::Down, P::ByKind, "11", &f::grayScale, 0};
const Member getPtnGrayScale{"PG_GetPtnGrayScale", 0x45, E::Up, P::ByKind, "11", &f::grayScale, 0};
const Member setPtnHalfTone{"PG_SetPtnHalfTone", 0x4B, E::Down, P::ByKind, "12", &f::halfTone, 0};
const Member getPtnHalfTone{"PG_GetPtnHalfTone", 0x45, E::Up, P::ByKind, "12", &f::halfTone, 0};

const Member pg3SetProgram{"PG3_SetProgram", 0xA4, E::Down, P::Three, nullptr, &f::pg3Program, 0};
const Member pg3GetProgram{"PG3_GetProgram", 0xA3, E::Reply, P::Three, nullptr, &f::pg3Program, 319};
const Member pg3SetProgram2{"PG3_SetProgram2", 0xA4, E::Down, P::Three, nullptr, &f::pg3Program2, 0};
const Member pg3GetProgram2{"PG3_GetProgram2", 0xA3, E::Reply, P::Three, nullptr, &f::pg3Program2, 319};
const Member pg3SetExeProgram{"PG3_SetExeProgram", 0xA5, E::Down, P::None, nullptr, &f::pg3Program, 0};
const Member pg3SetExeProgram2{"PG3_SetExeProgram2", 0xA5, E::Down, P::None, nullptr, &f::pg3Program2, 0};
const Member pg3SetPtnGraphic{"PG3_SetPtnGraphic", 0xA2, E::Down, P::Three, "01", &f::graphic3, 0};
const Member pg3GetPtnGraphic{"PG3_GetPtnGraphic", 0xA1, E::Reply, P::Three, "01", &f::graphic3, 21};
const Member pg3SetPtnCharacter{"PG3_SetPtnCharacter", 0xA2, E::Down, P::Three, "02", &f::character3, 0};
const Member pg3GetPtnCharacter{"PG3_GetPtnCharacter", 0xA1, E::Up, P::Three, "02", &f::character3, 0};
const Member pg3SetPtnCrossHatch{"PG3_SetPtnCrossHatch", 0xA2, E::Down, P::Three, "03", &f::crossHatch3, 0};
const Member pg3GetPtnCrossHatch{"PG3_GetPtnCrossHatch", 0xA1, E::Up, P::Three, "03", &f::crossHatch3, 0};
const Member pg3SetPtnDot{"PG3_SetPtnDot", 0xA2, E::Down, P::Three, "04", &f::dot3, 0};
const Member pg3GetPtnDot{"PG3_GetPtnDot", 0xA1, E::Up, P::Three, "04", &f::dot3, 0};
const Member pg3SetPtnCircle{"PG3_SetPtnCircle", 0xA2, E::Down, P::Three, "05", &f::circle3, 0};
const Member pg3GetPtnCircle{"PG3_GetPtnCircle", 0xA1, E::Up, P::Three, "05", &f::circle3, 0};
const Member pg3SetPtnOption1{"PG3_SetPtnOption1", 0xA2, E::Down, P::Three, "08", &f::optionWide, 0};
const Member pg3GetPtnOption1{"PG3_GetPtnOption1", 0xA1, E::Up, P::Three, "08", &f::optionWide, 0};
const Member pg3SetPtnOption2{"PG3_SetPtnOption2", 0xA2, E::Down, P::Three, "09", &f::optionWide, 0};
const Member pg3GetPtnOption2{"PG3_GetPtnOption2", 0xA1, E::Up, P::Three, "09", &f::optionWide, 0};
const Member pg3SetPtnColorBar{"PG3_SetPtnColorBar", 0xA2, E::Down, P::Three, "10", &f::colorBar3, 0};
const Member pg3GetPtnColorBar{"PG3_GetPtnColorBar", 0xA1, E::Up, P::Three, "10", &f::colorBar3, 0};
const Member pg3SetPtnGrayScale{"PG3_SetPtnGrayScale", 0xA2, E::Down, P::Three, "11", &f::grayScale3, 0};
const Member pg3GetPtnGrayScale{"PG3_GetPtnGrayScale", 0xA1, E::Up, P::Three, "11", &f::grayScale3, 0};
const Member pg3SetPtnCursol{"PG3_SetPtnCursol", 0xA2, E::Down, P::Three, "13", &f::cursor, 0};
const Member pg3GetPtnCursol{"PG3_GetPtnCursol", 0xA1, E::Up, P::Three, "13", &f::cursor, 0};
const Member pg3SetOutCtrl{"PG3_SetOutCtrl", 0x4A, E::Down, P::Three, nullptr, &f::outCtrl3, 0};
const Member pg3GetOutCtrl{"PG3_GetOutCtrl", 0x44, E::Reply, P::Three, nullptr, &f::outCtrl3, 21};

const Member pg4SetProgram{"PG4_SetProgram", 0xA4, E::Down, P::Three, nullptr, &f::pg4Program, 0};
const Member pg4GetProgram{"PG4_GetProgram", 0xA3, E::Up, P::Three, nullptr, &f::pg4Program, 0};
const Member pg4SetProgram2{"PG4_SetProgram2", 0x4D, E::Down, P::Three, nullptr, &f::pg4Program2, 0};
const Member pg4GetProgram2{"PG4_GetProgram2", 0x4C, E::Up, P::Three, nullptr, &f::pg4Program2, 0};
const Member pg4SetExeProgram{"PG4_SetExeProgram", 0xA5, E::Down, P::None, nullptr, &f::pg4Program, 0};
const Member pg4SetExeProgram2{"PG4_SetExeProgram2", 0xA5, E::Down, P::None, nullptr, &f::pg4Program2, 0};
const Member pg4SetPtnGraphic{"PG4_SetPtnGraphic", 0xA2, E::Down, P::Three, "01", &f::graphic4, 0};
const Member pg4GetPtnGraphic{"PG4_GetPtnGraphic", 0xA1, E::Up, P::Three, "01", &f::graphic4, 0};
const Member pg4SetPtnGraphic2{"PG4_SetPtnGraphic2", 0x4B, E::Down, P::Three, "01", &f::graphic4b, 0};
const Member pg4GetPtnGraphic2{"PG4_GetPtnGraphic2", 0x45, E::Up, P::Three, "01", &f::graphic4b, 0};
const Member pg4SetPtnOption1{"PG4_SetPtnOption1", 0xA2, E::Down, P::Three, "08", &f::optionWide, 0};
const Member pg4GetPtnOption1{"PG4_GetPtnOption1", 0xA1, E::Up, P::Three, "08", &f::optionWide, 0};
const Member pg4SetPtnOption2{"PG4_SetPtnOption2", 0xA2, E::Down, P::Three, "09", &f::optionWide, 0};
const Member pg4GetPtnOption2{"PG4_GetPtnOption2", 0xA1, E::Up, P::Three, "09", &f::optionWide, 0};
const Member pg4SetPtnWindow{"PG4_SetPtnWindow", 0xA2, E::Down, P::ByKind, "07", &f::window4, 0};
const Member pg4GetPtnWindow{"PG4_GetPtnWindow", 0xA1, E::Up, P::ByKind, "07", &f::window4, 0};
const Member pg4SetPtnAction{"PG4_SetPtnAction", 0xA2, E::Down, P::ByKind, "14", &f::action, 0};
const Member pg4GetPtnAction{"PG4_GetPtnAction", 0xA1, E::Up, P::ByKind, "14", &f::action, 0};
const Member pg4SetOutCtrl{"PG4_SetOutCtrl", 0xA7, E::Down, P::Three, nullptr, &f::outCtrl4, 0};
const Member pg4GetOutCtrl{"PG4_GetOutCtrl", 0xA6, E::Up, P::Three, nullptr, &f::outCtrl4, 0};
const Member pg4SetOutCtrl2{"PG4_SetOutCtrl2", 0x4A, E::Down, P::Three, nullptr, &f::outCtrl4b, 0};
const Member pg4GetOutCtrl2{"PG4_GetOutCtrl2", 0x44, E::Up, P::Three, nullptr, &f::outCtrl4b, 0};

const Member anaDigiSetProgram{"PG_SetProgram_AnaDigi", 0xA4, E::Down, P::Three, nullptr, &f::anaDigiProgram, 0};
const Member anaDigiGetProgram{"PG_GetProgram_AnaDigi", 0xA3, E::Up, P::Three, nullptr, &f::anaDigiProgram, 0};
const Member anaDigiSetExeProgram{"PG_SetExeProgram_AnaDigi", 0xA5, E::Down, P::None, nullptr, &f::anaDigiProgram,
                                  0};
const Member anaDigiSetOutCtrl{"PG_SetOutCtrl_AnaDigi", 0xA7, E::Down, P::Three, nullptr, &f::anaDigiOutCtrl, 0};
const Member anaDigiGetOutCtrl{"PG_GetOutCtrl_AnaDigi", 0xA6, E::Up, P::Three, nullptr, &f::anaDigiOutCtrl, 0};
} // namespace members

const char kSelectionLetters[kSelectionWords + 1] = "PQRSTUVWXYZ[\\^_`abefg]";

namespace {

const uint8_t* bytes(const std::string& s) { return reinterpret_cast<const uint8_t*>(s.data()); }

// Writing into a program: 0 is the working buffer and needs no check.
bool writerAccepts(Link& link, int32_t n) { return n == 0 || link.limits().checkProgNo(link.memoryKind(), n) == 0; }

// Reading or running a program: a program of the memory or a built-in one.
bool readerAccepts(Link& link, int32_t n) {
    return link.limits().checkProgNo(link.memoryKind(), n) == 0 || link.limits().checkInProgNo(n) == 0;
}

// The payload of a row: program number field then element id; nothing when
// the memory kind has no program number width.
std::optional<std::string> payloadOf(Link& link, const Member& m, int32_t program) {
    std::string payload;
    if (m.program == ProgramField::ByKind) {
        std::optional<std::string> field = programNumberField(link.memoryKind(), program);
        if (!field) return std::nullopt;
        payload = *field;
    } else if (m.program == ProgramField::Three) {
        payload = decimalField(program, 3);
    }
    if (m.elementId) payload += m.elementId;
    return payload;
}

CdcCheck cdcCheck(Link& link) {
    return [&link](int32_t v) { return link.limits().checkCDCNo(v) == 0; };
}

} // namespace

int setRecord(Link& link, const Member& m, int32_t program, const int32_t* record) {
    if (!record || !m.form) return kBadArgument;
    if (m.program != ProgramField::None && !writerAccepts(link, program)) return kBadArgument;
    const std::optional<std::string> payload = payloadOf(link, m, program);
    if (!payload) return kBadArgument;
    const std::string wire = encodeRecord(*m.form, record, cdcCheck(link));
    return link.exchange([&](CommandProtocol& p) {
        return p.down(m.code, bytes(*payload), payload->size(), bytes(wire), wire.size(), wire.size(), BlockForm::Dle);
    });
}

int getRecord(Link& link, const Member& m, int32_t program, int32_t* record) {
    if (!record || !m.form) return kBadArgument;
    if (m.program != ProgramField::None && !readerAccepts(link, program)) return kBadArgument;
    const std::optional<std::string> payload = payloadOf(link, m, program);
    if (!payload) return kBadArgument;
    const size_t length = wireLength(*m.form);
    std::vector<uint8_t> wire(std::max(length, m.replyCapacity) + 1, 0);
    int r = link.exchange([&](CommandProtocol& p) {
        if (m.exchange != Exchange::Reply)
            return p.up(m.code, bytes(*payload), payload->size(), wire.data(), length, length, BlockForm::Dle);
        size_t received = 0;
        int got = p.reply(m.code, bytes(*payload), payload->size(), wire.data(), m.replyCapacity, &received, true);
        return got == kOk && received < length ? kCommFailed : got;
    });
    if (r != kOk) return r;
    std::vector<int32_t> parsed(static_cast<size_t>(m.form->words), 0);
    if (!decodeRecord(*m.form, reinterpret_cast<const char*>(wire.data()), length, parsed.data(), cdcCheck(link)))
        return kCommFailed;
    std::copy(parsed.begin(), parsed.end(), record);
    return kOk;
}

int runCommand(Link& link, const Member& m, int32_t program) {
    if (m.program != ProgramField::None && !readerAccepts(link, program)) return kBadArgument;
    const std::optional<std::string> payload = payloadOf(link, m, program);
    if (!payload) return kBadArgument;
    return link.exchange([&](CommandProtocol& p) { return p.cmd(m.code, bytes(*payload), payload->size()); });
}

int setPatternSelect(Link& link, int32_t program, const int32_t* selection) {
    if (!selection || !writerAccepts(link, program)) return kBadArgument;
    const std::optional<std::string> payload = programNumberField(link.memoryKind(), program);
    if (!payload) return kBadArgument;
    std::string letters;
    for (int i = 0; i < kSelectionWords; ++i)
        if (selection[i] == 1) letters += kSelectionLetters[i];
    return link.exchange([&](CommandProtocol& p) {
        return p.down(0x47, bytes(*payload), payload->size(), bytes(letters), letters.size(),
                      std::max<size_t>(letters.size(), 1), BlockForm::Dle);
    });
}

int getPatternSelect(Link& link, int32_t program, int32_t* selection) {
    if (!selection || !readerAccepts(link, program)) return kBadArgument;
    const std::optional<std::string> payload = programNumberField(link.memoryKind(), program);
    if (!payload) return kBadArgument;
    uint8_t text[kSelectionCapacity] = {};
    size_t received = 0;
    bool ran = false;
    const int r = link.exchange([&](CommandProtocol& p) {
        ran = true;
        return p.reply(0x41, bytes(*payload), payload->size(), text, sizeof text, &received, true);
    });
    if (!ran) return r;
    std::fill(selection, selection + kSelectionWords, 0);
    if (r != kOk) return r;
    for (size_t i = 0; i < std::min(received, sizeof text); ++i)
        for (int w = 0; w < kSelectionWords; ++w)
            if (text[i] == static_cast<uint8_t>(kSelectionLetters[w])) selection[w] = 1;
    return kOk;
}

int setSignCodes(Link& link, bool on, const uint8_t* codes, int32_t count) {
    if (!codes || count <= 0) return kBadArgument;
    const size_t n = static_cast<size_t>(count);
    return link.exchange(
        [&](CommandProtocol& p) { return p.down(on ? 0x0E : 0x0F, nullptr, 0, codes, n, n, BlockForm::Dle); });
}

int setUserCharacter(Link& link, int32_t code, const uint8_t* glyph) {
    if (!glyph || link.limits().checkCharNo(link.memoryKind(), code) != 0) return kBadArgument;
    const std::string payload = hexField(static_cast<uint32_t>(code - kFirstUserCharacter), 1);
    std::string digits;
    digits.reserve(kGlyphBytes);
    for (size_t i = 0; i < kGlyphBytes; ++i) digits += hexField(glyph[i] & 0x0Fu, 1);
    return link.exchange([&](CommandProtocol& p) {
        return p.down(0x4F, bytes(payload), payload.size(), bytes(digits), digits.size(), kGlyphBlock,
                      BlockForm::Dle);
    });
}

int getUserCharacter(Link& link, int32_t code, uint8_t* glyph) {
    if (!glyph) return kBadArgument;
    if (link.limits().checkCharNo(link.memoryKind(), code) != 0 && link.limits().checkInCharNo(code) != 0)
        return kBadArgument;
    const std::string payload = hexField(static_cast<uint32_t>(code - kFirstUserCharacter), 1);
    std::vector<uint8_t> digits(kGlyphBytes + 1, 0);
    const int r = link.exchange([&](CommandProtocol& p) {
        return p.up(0x4E, bytes(payload), payload.size(), digits.data(), kGlyphBytes, kGlyphBlock, BlockForm::Dle);
    });
    if (r != kOk) return r;
    for (size_t i = 0; i < kGlyphBytes; ++i)
        glyph[i] = static_cast<uint8_t>(readHexField(reinterpret_cast<const char*>(&digits[i]), 1));
    return kOk;
}

} // namespace genlink
