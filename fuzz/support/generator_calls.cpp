// Every getter export of genlink, called as a program calls it, with buffers
// of exactly the size the header promises, so a write past them is seen.
#include "fuzz/support/generator_calls.h"

#include <vector>

#include "genlink.h"
#include "genlink/program_commands.h"

namespace fuzz {
namespace {

template <typename T> std::vector<T> buffer(size_t n) { return std::vector<T>(n); }

// A getter of a record of the program family, with its record's size.
#define RECORD_GETTER(fn, member)                                                                   \
    [](const GeneratorArgs& x) {                                                              \
        auto r = buffer<int32_t>(static_cast<size_t>(genlink::members::member.form->words));       \
        fn(x.a, r.data());                                                                         \
    }

using Call = void (*)(const GeneratorArgs&);

const Call kCalls[] = {
    RECORD_GETTER(PG_GetProgram, getProgram),
    RECORD_GETTER(PG2_GetProgram, getProgram2),
    RECORD_GETTER(PG_GetHTiming, getHTiming),
    RECORD_GETTER(PG_GetVTiming, getVTiming),
    RECORD_GETTER(PG_GetOutCtrl, getOutCtrl),
    RECORD_GETTER(PG_GetPtnGraphic, getPtnGraphic),
    RECORD_GETTER(PG_GetPtnCharacter, getPtnCharacter),
    RECORD_GETTER(PG_GetPtnCrossHatch, getPtnCrossHatch),
    RECORD_GETTER(PG_GetPtnDot, getPtnDot),
    RECORD_GETTER(PG_GetPtnCircle, getPtnCircle),
    RECORD_GETTER(PG_GetPtnBurst, getPtnBurst),
    RECORD_GETTER(PG_GetPtnWindow, getPtnWindow),
    RECORD_GETTER(PG_GetPtnOption1, getPtnOption1),
    RECORD_GETTER(PG_GetPtnOption2, getPtnOption2),
    RECORD_GETTER(PG2_GetPtnOption1, getPtnOption1Wide),
    RECORD_GETTER(PG2_GetPtnOption2, getPtnOption2Wide),
    RECORD_GETTER(PG_GetPtnColorBar, getPtnColorBar),
    RECORD_GETTER(PG_GetPtnGrayScale, getPtnGrayScale),
    RECORD_GETTER(PG_GetPtnHalfTone, getPtnHalfTone),
    RECORD_GETTER(PG3_GetProgram, pg3GetProgram),
    RECORD_GETTER(PG3_GetProgram2, pg3GetProgram2),
    RECORD_GETTER(PG3_GetPtnGraphic, pg3GetPtnGraphic),
    RECORD_GETTER(PG3_GetPtnCharacter, pg3GetPtnCharacter),
    RECORD_GETTER(PG3_GetPtnCrossHatch, pg3GetPtnCrossHatch),
    RECORD_GETTER(PG3_GetPtnDot, pg3GetPtnDot),
    RECORD_GETTER(PG3_GetPtnCircle, pg3GetPtnCircle),
    RECORD_GETTER(PG3_GetPtnOption1, pg3GetPtnOption1),
    RECORD_GETTER(PG3_GetPtnOption2, pg3GetPtnOption2),
    RECORD_GETTER(PG3_GetPtnColorBar, pg3GetPtnColorBar),
    RECORD_GETTER(PG3_GetPtnGrayScale, pg3GetPtnGrayScale),
    RECORD_GETTER(PG3_GetPtnCursol, pg3GetPtnCursol),
    RECORD_GETTER(PG3_GetOutCtrl, pg3GetOutCtrl),
    RECORD_GETTER(PG4_GetProgram, pg4GetProgram),
    RECORD_GETTER(PG4_GetProgram2, pg4GetProgram2),
    RECORD_GETTER(PG4_GetPtnGraphic, pg4GetPtnGraphic),
    RECORD_GETTER(PG4_GetPtnGraphic2, pg4GetPtnGraphic2),
    RECORD_GETTER(PG4_GetPtnOption1, pg4GetPtnOption1),
    RECORD_GETTER(PG4_GetPtnOption2, pg4GetPtnOption2),
    RECORD_GETTER(PG4_GetPtnWindow, pg4GetPtnWindow),
    RECORD_GETTER(PG4_GetPtnAction, pg4GetPtnAction),
    RECORD_GETTER(PG4_GetOutCtrl, pg4GetOutCtrl),
    RECORD_GETTER(PG4_GetOutCtrl2, pg4GetOutCtrl2),
    RECORD_GETTER(PG_GetProgram_AnaDigi, anaDigiGetProgram),
    RECORD_GETTER(PG_GetOutCtrl_AnaDigi, anaDigiGetOutCtrl),
    [](const GeneratorArgs& x) { auto s = buffer<int32_t>(22); PG_GetPtnSelect(x.a, s.data()); },
    [](const GeneratorArgs& x) { auto s = buffer<int32_t>(22); PG3_GetPtnSelect(x.a, s.data()); },
    [](const GeneratorArgs& x) { auto g = buffer<uint8_t>(1024); PG_GetUserCharacter(224 + x.a % 40, g.data()); },
    [](const GeneratorArgs&) { auto w = buffer<int32_t>(1), h = buffer<int32_t>(1); PG_GetGPlaneDispSize(w.data(), h.data()); },
    [](const GeneratorArgs& x) { auto f = buffer<int32_t>(1); PG_GetProgEnable(x.a, f.data()); },
    [](const GeneratorArgs& x) { auto n = buffer<char>(9); PG_GetProgName(x.a, n.data()); },
    [](const GeneratorArgs& x) { auto p = buffer<int32_t>(20); PG_GetGroup(x.a % 10, p.data()); },
    [](const GeneratorArgs&) { auto r = buffer<int32_t>(7); PG_GetAutoDisp(r.data()); },
    [](const GeneratorArgs&) { auto m = buffer<int32_t>(1); PG_GetAnaDigiMode(m.data()); },
    [](const GeneratorArgs&) { auto id = buffer<uint8_t>(1); PG_GetPGID(id.data()); },
    [](const GeneratorArgs&) { auto r = buffer<int32_t>(64 * 5); PG_GetVBMSts(r.data()); },
    [](const GeneratorArgs&) { auto r = buffer<int32_t>(128 * 2); PG_GetOptPtnSts(r.data()); },
    [](const GeneratorArgs& x) {
        const size_t capacity = static_cast<size_t>(x.b) * 16;
        auto h = buffer<int32_t>(2);
        auto c = buffer<uint8_t>(1024);
        auto i = buffer<uint8_t>(capacity);
        auto n = buffer<int32_t>(1);
        PG_GetGpcPtn(x.a, h.data(), c.data(), i.data(), static_cast<int32_t>(capacity), n.data());
    },
    [](const GeneratorArgs& x) {
        const int32_t count = 1 + x.b * 4;
        auto b = buffer<uint8_t>(static_cast<size_t>(count));
        PG_GetDDC1(x.c, x.a, count, b.data());
    },
    [](const GeneratorArgs& x) {
        const int32_t count = 1 + x.b * 4;
        auto b = buffer<uint8_t>(static_cast<size_t>(count));
        PG_GetDDC2B(x.c, x.a, count, b.data());
    },
    [](const GeneratorArgs& x) { auto r = buffer<int32_t>(9); PG_GetCDC(x.a, r.data()); },
    [](const GeneratorArgs& x) { auto n = buffer<char>(21); PG_GetCDCName(x.a, n.data()); },
    [](const GeneratorArgs&) { auto r = buffer<int32_t>(8); PG3_GetConfig(r.data()); },
    [](const GeneratorArgs&) { auto a = buffer<int32_t>(1), b = buffer<int32_t>(1); PG3_GetDevice(a.data(), b.data()); },
    [](const GeneratorArgs& x) {
        auto f1 = buffer<int32_t>(1), f2 = buffer<int32_t>(1);
        auto n = buffer<char>(21);
        PG3_GetProgName(x.a, f1.data(), f2.data(), n.data());
    },
    [](const GeneratorArgs& x) {
        const int32_t count = x.b & 1 ? 40 : 20;
        auto p = buffer<int32_t>(40);
        PG3_GetGroup(x.a, p.data(), count);
    },
    [](const GeneratorArgs& x) { auto n = buffer<char>(21); PG3_GetGroupName(x.a, n.data()); },
    [](const GeneratorArgs& x) {
        const size_t capacity = static_cast<size_t>(x.b) * 16;
        auto c = buffer<uint8_t>(1024);
        auto i = buffer<uint8_t>(capacity);
        auto w = buffer<int32_t>(1), h = buffer<int32_t>(1);
        PG3_GetVBM(x.a, c.data(), i.data(), static_cast<int32_t>(capacity), w.data(), h.data());
    },
    [](const GeneratorArgs& x) { auto n = buffer<char>(21); PG3_GetVBMName(x.a, n.data()); },
    [](const GeneratorArgs& x) { auto s = buffer<int32_t>(1); PG3_GetVBMSize(x.a, s.data()); },
    [](const GeneratorArgs& x) {
        const size_t capacity = static_cast<size_t>(x.b) * 16;
        auto b = buffer<uint8_t>(capacity);
        auto n = buffer<int32_t>(1);
        PG3_GetOptPtn(x.a, b.data(), static_cast<int32_t>(capacity), n.data());
    },
    [](const GeneratorArgs& x) { auto n = buffer<char>(21); PG3_GetOptPtnName(x.a, n.data()); },
    [](const GeneratorArgs& x) { auto s = buffer<int32_t>(1); PG3_GetOptPtnSize(x.a, s.data()); },
    [](const GeneratorArgs& x) {
        const int32_t count = x.b & 1 ? 40 : 20;
        auto p = buffer<int32_t>(40);
        PG4_GetGroup(x.a, p.data(), count);
    },
    [](const GeneratorArgs& x) { auto n = buffer<char>(17); PG4_GetProgName(x.a, n.data()); },
    [](const GeneratorArgs& x) {
        const size_t capacity = static_cast<size_t>(x.b) * 16;
        auto c = buffer<uint8_t>(1024);
        auto i = buffer<uint8_t>(capacity);
        auto w = buffer<int32_t>(1), h = buffer<int32_t>(1);
        PG4_GetVBM(x.a, c.data(), i.data(), static_cast<int32_t>(capacity), w.data(), h.data());
    },
    [](const GeneratorArgs& x) { auto n = buffer<char>(16); PG406_GetGroupName(x.a, n.data()); },
    [](const GeneratorArgs&) { auto d = buffer<uint8_t>(1); PG406_GetDSW(d.data()); },
    [](const GeneratorArgs& x) { auto e = buffer<PG406_PROGLIST>(1); PG406_GetProgList(x.a, e.data()); },
    [](const GeneratorArgs&) { auto e = buffer<PG406_PROGLIST>(160); PG406_GetAllProgList(e.data()); },
    [](const GeneratorArgs&) { auto e = buffer<PG406_INPROGLIST>(100); PG406_GetAllInProgList(e.data()); },
    [](const GeneratorArgs&) { auto r = buffer<uint8_t>(65536); PG406_GetPanelRom(r.data()); },
    [](const GeneratorArgs&) { auto n = buffer<char>(50 * 16); auto c = buffer<int32_t>(1); PG406_GetAllGroupName(n.data(), c.data()); },
    [](const GeneratorArgs& x) {
        auto f1 = buffer<int32_t>(1), f2 = buffer<int32_t>(1);
        auto n = buffer<char>(16);
        PG406_GetProgName(x.a, f1.data(), f2.data(), n.data());
    },
    [](const GeneratorArgs& x) { auto p = buffer<int32_t>(20); PG406_GetGroup(x.a, p.data(), 20); },
    [](const GeneratorArgs&) { auto a = buffer<int32_t>(1), b = buffer<int32_t>(1); PG406_GetAutoDisp(a.data(), b.data()); },
};

} // namespace

size_t generatorCallCount() { return sizeof kCalls / sizeof kCalls[0]; }

void callGenerator(size_t index, const GeneratorArgs& args) { kCalls[index % generatorCallCount()](args); }

} // namespace fuzz
