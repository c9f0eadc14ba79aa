#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "genlink/link.h"
#include "genlink/program_commands.h"
#include "genlink/program_layouts.h"
#include "genlink/result_codes.h"
#include "memory_settings.h"
#include "platform/clock.h"
#include "sim/patgen/program_commands.h"
#include "sim_rig.h"

using namespace genlink;
using genlink::testing::CountingLimits;
using genlink::testing::MemorySettings;
using genlink::testing::SimGenerator;
using genlink::testing::uniqueName;

namespace {

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        settings.seri.portNo = 7;
        patgen::addProgramCommands(*sim.core);
        LinkEnvironment env;
        env.clock = &clock;
        env.lockName = uniqueName("PGTransMutex");
        env.osClass = hostOsClass;
        link = std::make_unique<Link>(settings, limits, env);
    }
    void TearDown() override {
        if (link->isOpen()) link->close();
    }
    void open(int kind = 0) {
        // Memory kind 0 is the memory card; 1..4 the panel ROM types 0..3.
        settings.dtDevice = kind == 0 ? 0 : 1;
        settings.panelRom = kind == 0 ? 0 : kind - 1;
        ASSERT_EQ(link->open(), kOk);
        ASSERT_EQ(link->memoryKind(), kind);
    }
    std::string stored(const std::string& store, const std::string& key) {
        const patgen::Bytes* item = sim.core->item(store, key);
        return item ? std::string(item->begin(), item->end()) : std::string("<none>");
    }
    const patgen::ReceivedCommand& lastCommand() { return sim.core->received().back(); }

    SimGenerator sim;
    platform::FakeClock clock;
    MemorySettings settings;
    CountingLimits limits;
    std::unique_ptr<Link> link;
};

int64_t power(int base, int n) {
    int64_t v = 1;
    while (n-- > 0) v *= base;
    return v;
}

// A record whose every carried word holds a value its field can carry back.
std::vector<int32_t> sampleRecord(const RecordForm& form, unsigned seed) {
    std::mt19937 rng(seed);
    std::vector<int32_t> rec(static_cast<size_t>(form.words), 0);
    auto pick = [&](int64_t lo, int64_t hi) {
        return static_cast<int32_t>(std::uniform_int_distribution<int64_t>(lo, hi)(rng));
    };
    for (const FormPart& p : form.parts) {
        for (const Field& f : p.group->fields) {
            if (f.word < 0) continue;
            int32_t& w = rec[static_cast<size_t>(p.start + f.word)];
            switch (f.enc) {
            case Enc::Dec: w = pick(0, power(10, f.width) - 1); break;
            case Enc::Hex: w = pick(0, power(16, f.width) - 1); break;
            case Enc::Signed: w = pick(-(power(10, f.width - 1) - 1), power(10, f.width - 1) - 1); break;
            case Enc::Tenths: w = pick(0, power(10, f.width) - 1) * 10; break;
            case Enc::CdcChar: w = seed % 2 ? pick(0, 7) : 'X'; break;
            case Enc::Bytes3: w = pick(0, 0xFFFFFF); break;
            case Enc::AtChar: w = pick(0x40, 0x4F); break;
            case Enc::Const: break;
            }
        }
    }
    return rec;
}

struct Pair {
    const Member* set;
    const Member* get;
};

} // namespace

TEST(ProgramLayouts, LengthsAndSeparatorsOfEveryForm) {
    struct Expect {
        const RecordForm* form;
        size_t length;
        int words;
    };
    const Expect expect[] = {
        {&forms::program, 248, 118},     {&forms::program2, 250, 118},     {&forms::pg3Program, 309, 143},
        {&forms::pg3Program2, 319, 155}, {&forms::pg4Program, 353, 168},   {&forms::pg4Program2, 235, 115},
        {&forms::anaDigiProgram, 374, 188}, {&forms::hTiming, 30, 8},      {&forms::vTiming, 34, 11},
        {&forms::outCtrl, 20, 14},       {&forms::graphic, 12, 6},         {&forms::character, 8, 5},
        {&forms::crossHatch, 8, 2},      {&forms::dot, 8, 2},              {&forms::circle, 1, 1},
        {&forms::burst, 5, 3},           {&forms::window, 22, 10},         {&forms::option, 1, 1},
        {&forms::optionWide, 2, 1},      {&forms::colorBar, 26, 20},       {&forms::grayScale, 49, 17},
        {&forms::halfTone, 17, 17},      {&forms::character3, 10, 5},      {&forms::crossHatch3, 14, 6},
        {&forms::dot3, 13, 6},           {&forms::circle3, 7, 3},          {&forms::colorBar3, 28, 21},
        {&forms::grayScale3, 60, 21},    {&forms::cursor, 26, 10},         {&forms::outCtrl3, 21, 15},
        {&forms::graphic3, 21, 9},       {&forms::outCtrl4, 30, 23},       {&forms::outCtrl4b, 23, 20},
        {&forms::graphic4, 21, 7},       {&forms::graphic4b, 12, 4},       {&forms::window4, 22, 8},
        {&forms::action, 42, 17},        {&forms::anaDigiOutCtrl, 51, 43},
    };
    for (const Expect& e : expect) {
        EXPECT_EQ(wireLength(*e.form), e.length) << e.form->name;
        EXPECT_EQ(e.form->words, e.words) << e.form->name;
        // Every group fits inside the record before the next group starts.
        for (size_t i = 0; i < e.form->parts.size(); ++i) {
            const int end = i + 1 < e.form->parts.size() ? e.form->parts[i + 1].start : e.form->words;
            EXPECT_LE(e.form->parts[i].start + groupWords(*e.form->parts[i].group), end) << e.form->name << " " << i;
        }
    }
    const std::vector<int32_t> zero(118, 0);
    const std::string wire = encodeRecord(forms::program, zero.data(), nullptr);
    std::vector<size_t> commas;
    for (size_t i = 0; i < wire.size(); ++i)
        if (wire[i] == ',') commas.push_back(i);
    EXPECT_EQ(commas, (std::vector<size_t>{30, 65, 86, 153, 180, 230}));
    const std::string wire2 = encodeRecord(forms::program2, zero.data(), nullptr);
    EXPECT_EQ(wire2.size(), 250u);
    EXPECT_EQ(wire2[155], ',');
    EXPECT_EQ(wire2[232], ',');
}

TEST(ProgramLayouts, VerticalTimingSwapsWordsAndTravelsInTenths) {
    int32_t v[11] = {1, 2, 3, 5250, 4, 5, 6, 1237, 90, 12345, 54321};
    const std::string wire = encodeRecord(forms::vTiming, v, nullptr);
    EXPECT_EQ(wire, "1320525004005006012300091234554321");
    int32_t back[11];
    ASSERT_TRUE(decodeRecord(forms::vTiming, wire.data(), wire.size(), back, nullptr));
    const int32_t expect[11] = {1, 2, 3, 5250, 4, 5, 6, 1230, 90, 12345, 54321};
    EXPECT_TRUE(std::equal(back, back + 11, expect));
}

TEST(ProgramLayouts, SpecialCharacterFields) {
    int32_t oc3[15] = {};
    auto ok = [](int32_t v) { return v >= 0 && v <= 7; };
    oc3[14] = 3;
    EXPECT_EQ(encodeRecord(forms::outCtrl3, oc3, ok).back(), '3');
    oc3[14] = 0x158;  // not a CDC number: its low byte 'X'
    std::string wire = encodeRecord(forms::outCtrl3, oc3, ok);
    EXPECT_EQ(wire.back(), 'X');
    ASSERT_TRUE(decodeRecord(forms::outCtrl3, wire.data(), wire.size(), oc3, ok));
    EXPECT_EQ(oc3[14], 'X');

    int32_t oc4[23] = {};
    oc4[17] = 0x7A123456;
    oc4[22] = 0x45;
    wire = encodeRecord(forms::outCtrl4, oc4, nullptr);
    EXPECT_EQ(wire.substr(18, 6), "563412");
    EXPECT_EQ(wire.substr(28), "E@");
    ASSERT_TRUE(decodeRecord(forms::outCtrl4, wire.data(), wire.size(), oc4, nullptr));
    EXPECT_EQ(oc4[17], 0x123456);
    EXPECT_EQ(oc4[22], 0x45);

    int32_t action[17] = {};
    action[14] = -123;
    wire = encodeRecord(forms::action, action, nullptr);
    EXPECT_EQ(wire.substr(26, 4), "1123");
    EXPECT_EQ(wire.substr(36), "000000");
}

TEST_F(ProgramTest, WholeProgramPayloadFollowsTheMemoryKind) {
    open(4);
    std::vector<int32_t> rec = sampleRecord(forms::program2, 1);
    EXPECT_EQ(setRecord(*link, members::setProgram2, 0, rec.data()), kOk);
    EXPECT_EQ(lastCommand().code, 0x5D);
    EXPECT_EQ(lastCommand().payload, "000");
    EXPECT_EQ(stored("program2", "000").size(), 250u);
    link->close();

    open(1);
    EXPECT_EQ(setRecord(*link, members::setProgram2, 0, rec.data()), kOk);
    EXPECT_EQ(lastCommand().payload, "00");
    EXPECT_EQ(stored("program2", "00"), encodeRecord(forms::program2, rec.data(), nullptr));
}

TEST_F(ProgramTest, ChecksRefuseBeforeSending) {
    open();
    std::vector<int32_t> rec(188, 0);
    const size_t before = sim.core->received().size();
    EXPECT_EQ(getRecord(*link, members::getProgram, 0, rec.data()), kBadArgument);
    EXPECT_EQ(setRecord(*link, members::setProgram, 100, rec.data()), kBadArgument);
    EXPECT_EQ(setRecord(*link, members::setProgram, 5, nullptr), kBadArgument);
    EXPECT_EQ(getRecord(*link, members::pg3GetProgram, 500, rec.data()), kBadArgument);
    EXPECT_EQ(runCommand(*link, members::exeProgram, 0), kBadArgument);
    const uint8_t codes[] = {'P'};
    EXPECT_EQ(setSignCodes(*link, true, codes, 0), kBadArgument);
    EXPECT_EQ(setSignCodes(*link, true, nullptr, 1), kBadArgument);
    uint8_t glyph[kGlyphBytes] = {};
    EXPECT_EQ(setUserCharacter(*link, 240, glyph), kBadArgument);  // built-in: readable only
    EXPECT_EQ(setUserCharacter(*link, 224, nullptr), kBadArgument);
    EXPECT_EQ(sim.core->received().size(), before);
}

TEST_F(ProgramTest, EveryRecordFormRoundTripsThroughTheGenerator) {
    const Pair pairs[] = {
        {&members::setProgram, &members::getProgram},
        {&members::setProgram2, &members::getProgram2},
        {&members::setHTiming, &members::getHTiming},
        {&members::setVTiming, &members::getVTiming},
        {&members::setOutCtrl, &members::getOutCtrl},
        {&members::setPtnGraphic, &members::getPtnGraphic},
        {&members::setPtnCharacter, &members::getPtnCharacter},
        {&members::setPtnCrossHatch, &members::getPtnCrossHatch},
        {&members::setPtnDot, &members::getPtnDot},
        {&members::setPtnCircle, &members::getPtnCircle},
        {&members::setPtnBurst, &members::getPtnBurst},
        {&members::setPtnWindow, &members::getPtnWindow},
        {&members::setPtnOption1, &members::getPtnOption1},
        {&members::setPtnOption2, &members::getPtnOption2},
        {&members::setPtnOption1Wide, &members::getPtnOption1Wide},
        {&members::setPtnOption2Wide, &members::getPtnOption2Wide},
        {&members::setPtnColorBar, &members::getPtnColorBar},
        {&members::setPtnGrayScale, &members::getPtnGrayScale},
        {&members::setPtnHalfTone, &members::getPtnHalfTone},
        {&members::pg3SetProgram, &members::pg3GetProgram},
        {&members::pg3SetProgram2, &members::pg3GetProgram2},
        {&members::pg3SetPtnGraphic, &members::pg3GetPtnGraphic},
        {&members::pg3SetPtnCharacter, &members::pg3GetPtnCharacter},
        {&members::pg3SetPtnCrossHatch, &members::pg3GetPtnCrossHatch},
        {&members::pg3SetPtnDot, &members::pg3GetPtnDot},
        {&members::pg3SetPtnCircle, &members::pg3GetPtnCircle},
        {&members::pg3SetPtnOption1, &members::pg3GetPtnOption1},
        {&members::pg3SetPtnOption2, &members::pg3GetPtnOption2},
        {&members::pg3SetPtnColorBar, &members::pg3GetPtnColorBar},
        {&members::pg3SetPtnGrayScale, &members::pg3GetPtnGrayScale},
        {&members::pg3SetPtnCursol, &members::pg3GetPtnCursol},
        {&members::pg3SetOutCtrl, &members::pg3GetOutCtrl},
        {&members::pg4SetProgram, &members::pg4GetProgram},
        {&members::pg4SetProgram2, &members::pg4GetProgram2},
        {&members::pg4SetPtnGraphic, &members::pg4GetPtnGraphic},
        {&members::pg4SetPtnGraphic2, &members::pg4GetPtnGraphic2},
        {&members::pg4SetPtnOption1, &members::pg4GetPtnOption1},
        {&members::pg4SetPtnOption2, &members::pg4GetPtnOption2},
        {&members::pg4SetPtnWindow, &members::pg4GetPtnWindow},
        {&members::pg4SetPtnAction, &members::pg4GetPtnAction},
        {&members::pg4SetOutCtrl, &members::pg4GetOutCtrl},
        {&members::pg4SetOutCtrl2, &members::pg4GetOutCtrl2},
        {&members::anaDigiSetProgram, &members::anaDigiGetProgram},
        {&members::anaDigiSetOutCtrl, &members::anaDigiGetOutCtrl},
    };
    open();
    unsigned seed = 7;
    for (const Pair& p : pairs) {
        ASSERT_EQ(p.set->form, p.get->form) << p.set->name;
        const std::vector<int32_t> rec = sampleRecord(*p.set->form, ++seed);
        const int program = static_cast<int>(seed % 90) + 1;
        ASSERT_EQ(setRecord(*link, *p.set, program, rec.data()), kOk) << p.set->name;
        EXPECT_EQ(lastCommand().code, p.set->code) << p.set->name;
        std::vector<int32_t> back(rec.size(), -1);
        ASSERT_EQ(getRecord(*link, *p.get, program, back.data()), kOk) << p.get->name;
        EXPECT_EQ(lastCommand().code, p.get->code) << p.get->name;
        EXPECT_EQ(back, rec) << p.get->name;
    }
    EXPECT_EQ(lastCommand().payload, std::to_string(0) + std::to_string((seed % 90) + 1));
}

TEST_F(ProgramTest, ExecuteFormsSendTheRecordWithoutPayload) {
    open();
    std::vector<int32_t> rec = sampleRecord(forms::pg4Program, 3);
    EXPECT_EQ(setRecord(*link, members::pg4SetExeProgram, 0, rec.data()), kOk);
    EXPECT_EQ(lastCommand().code, 0xA5);
    EXPECT_EQ(lastCommand().payload, "");
    EXPECT_EQ(stored("screen", ""), encodeRecord(forms::pg4Program, rec.data(), nullptr));
    EXPECT_EQ(runCommand(*link, members::exeBufRam, 0), kOk);
    EXPECT_EQ(lastCommand().code, 0x0C);
    EXPECT_EQ(runCommand(*link, members::exeDirectDisp, 905), kOk);  // a built-in program
    EXPECT_EQ(lastCommand().code, 0x09);
    EXPECT_EQ(lastCommand().payload, "905");
}

TEST_F(ProgramTest, VerticalWordAndCharacterCodeOnTheWire) {
    open();
    int32_t v[11] = {};
    v[3] = 5255;
    ASSERT_EQ(setRecord(*link, members::setVTiming, 3, v), kOk);
    EXPECT_EQ(stored("vtiming", "003").substr(3, 4), "0525");
    ASSERT_EQ(getRecord(*link, members::getVTiming, 3, v), kOk);
    EXPECT_EQ(v[3], 5250);

    int32_t c[5] = {1, 0, 224, 12, 34};
    ASSERT_EQ(setRecord(*link, members::setPtnCharacter, 3, c), kOk);
    EXPECT_EQ(lastCommand().payload, "00302");
    EXPECT_EQ(stored("group", "00302"), "10E01234");
}

TEST_F(ProgramTest, GettersLeaveTheRecordOnFailure) {
    open();
    std::vector<int32_t> rec = sampleRecord(forms::program, 11);
    ASSERT_EQ(setRecord(*link, members::setProgram, 9, rec.data()), kOk);
    std::vector<int32_t> back(rec.size(), 42);
    sim.core->faults().errorNumber = 31;
    EXPECT_EQ(getRecord(*link, members::getProgram, 9, back.data()), kRefused);
    EXPECT_EQ(link->word(kRefused), resultWord(kRefused, 31));
    EXPECT_EQ(back, std::vector<int32_t>(rec.size(), 42));

    // A separator out of place.
    std::string text = stored("program", "009");
    text[86] = ';';
    sim.core->setItem("program", "009", patgen::Bytes(text.begin(), text.end()));
    EXPECT_EQ(getRecord(*link, members::getProgram, 9, back.data()), kCommFailed);
    EXPECT_EQ(back, std::vector<int32_t>(rec.size(), 42));

    // A reply shorter than the group.
    sim.core->setItem("outctrl", "009", patgen::Bytes(10, '1'));
    int32_t oc[14];
    std::fill(oc, oc + 14, 42);
    EXPECT_EQ(getRecord(*link, members::getOutCtrl, 9, oc), kCommFailed);
    EXPECT_EQ(oc[0], 42);

    // Nothing stored: the generator refuses.
    EXPECT_EQ(getRecord(*link, members::getProgram, 10, back.data()), kRefused);
    EXPECT_EQ(back, std::vector<int32_t>(rec.size(), 42));
}

TEST_F(ProgramTest, PatternSelectionLetters) {
    open();
    int32_t sel[kSelectionWords] = {};
    sel[13] = sel[14] = sel[15] = 1;
    ASSERT_EQ(setPatternSelect(*link, 4, sel), kOk);
    EXPECT_EQ(lastCommand().code, 0x47);
    EXPECT_EQ(stored("select", "004"), "^_`");
    int32_t back[kSelectionWords];
    std::fill(back, back + kSelectionWords, 7);
    ASSERT_EQ(getPatternSelect(*link, 4, back), kOk);
    EXPECT_TRUE(std::equal(back, back + kSelectionWords, sel));

    const int32_t none[kSelectionWords] = {};
    ASSERT_EQ(setPatternSelect(*link, 4, none), kOk);
    EXPECT_EQ(stored("select", "004"), "");
    int32_t all[kSelectionWords];
    std::fill(all, all + kSelectionWords, 1);
    ASSERT_EQ(setPatternSelect(*link, 5, all), kOk);
    EXPECT_EQ(stored("select", "005"), "PQRSTUVWXYZ[\\^_`abefg]");

    // Other characters are ignored; a failed exchange still clears.
    sim.core->setItem("select", "006", {'P', '1', 'g'});
    ASSERT_EQ(getPatternSelect(*link, 6, back), kOk);
    EXPECT_EQ(back[0] + back[20], 2);
    EXPECT_EQ(std::count(back, back + kSelectionWords, 1), 2);
    sim.core->faults().errorNumber = 5;
    EXPECT_EQ(getPatternSelect(*link, 6, back), kRefused);
    EXPECT_EQ(std::count(back, back + kSelectionWords, 0), kSelectionWords);
}

TEST_F(ProgramTest, SignOnCodesAndUserCharacters) {
    open();
    const uint8_t codes[] = {'P', 'S', 'e', 'x', 'y', 'z'};
    ASSERT_EQ(setSignCodes(*link, true, codes, 6), kOk);
    EXPECT_EQ(lastCommand().code, 0x0E);
    EXPECT_EQ(stored("signon", ""), "PSexyz");
    ASSERT_EQ(setSignCodes(*link, false, codes, 2), kOk);
    EXPECT_EQ(stored("signoff", ""), "PS");

    uint8_t glyph[kGlyphBytes];
    for (size_t i = 0; i < kGlyphBytes; ++i) glyph[i] = static_cast<uint8_t>(i * 37);
    glyph[0] = 0x3F;
    ASSERT_EQ(setUserCharacter(*link, 224, glyph), kOk);
    EXPECT_EQ(lastCommand().code, 0x4F);
    EXPECT_EQ(lastCommand().payload, "0");
    const std::string digits = stored("glyph", "0");
    ASSERT_EQ(digits.size(), kGlyphBytes);
    EXPECT_EQ(digits[0], 'F');
    uint8_t back[kGlyphBytes] = {};
    ASSERT_EQ(getUserCharacter(*link, 224, back), kOk);
    for (size_t i = 0; i < kGlyphBytes; ++i) ASSERT_EQ(back[i], glyph[i] & 0x0F) << i;
}
