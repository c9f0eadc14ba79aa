// The limit tables through the C exports, with the model name taken from a
// settings store of this test's own.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "limtab.h"
#include "limtab/export_guard.h"
#include "platform/testing/test_folder.h"
#include "setstore.h"

using platform::testing::ScopedEnv;
using platform::testing::TestFolder;

namespace {

// A private settings store for the whole test program.
class StoreEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        folder_ = std::make_unique<TestFolder>();
        xdg_ = std::make_unique<ScopedEnv>("XDG_CONFIG_HOME", folder_->path());
        instance_ = std::make_unique<ScopedEnv>(
            "SETSTORE_INSTANCE", "limtab." + std::filesystem::path(folder_->path()).filename().string());
        ASSERT_EQ(0, REG_Init());
    }
    void TearDown() override
    {
        REG_Terminate();
        instance_.reset();
        xdg_.reset();
        folder_.reset();
    }

private:
    std::unique_ptr<TestFolder> folder_;
    std::unique_ptr<ScopedEnv> xdg_, instance_;
};
::testing::Environment* const kStore = ::testing::AddGlobalTestEnvironment(new StoreEnvironment);

// Stores the model name and reloads the tables.
void useModel(const char* name)
{
    ASSERT_EQ(0, REG_WritePGType(name));
    ASSERT_EQ(0, PGLIMIT_SetTableLimit());
}

int32_t hMin(const char* model, int variant, int field)
{
    useModel(model);
    int32_t max[PGLIMIT_HTIMING_FIELDS] = {variant}, min[PGLIMIT_HTIMING_FIELDS];
    EXPECT_EQ(0, PGLIMIT_GetHTiming(max, min));
    return min[field];
}

int32_t hMax(const char* model, int variant, int field)
{
    useModel(model);
    int32_t max[PGLIMIT_HTIMING_FIELDS] = {variant}, min[PGLIMIT_HTIMING_FIELDS];
    EXPECT_EQ(0, PGLIMIT_GetHTiming(max, min));
    return max[field];
}

TEST(Limtab, ModelNamesGiveTheirTypeCharacter)
{
    // Told apart by the horizontal-timing field 1 and 2 minimums and maxima.
    EXPECT_EQ(1000, hMin("PG-410", 1, 1)); // 'E'
    EXPECT_EQ(168, hMin("PG-410", 1, 2));
    EXPECT_EQ(128, hMin("PG-402", 1, 2)); // 'D'
    EXPECT_EQ(128, hMin("", 1, 2));
    EXPECT_EQ(128, hMin("PG-410 ", 1, 2)); // the blank is part of the name
    EXPECT_EQ(128, hMin("PG-41", 1, 2));
    EXPECT_EQ(128, hMin("pg-410", 1, 2));
    EXPECT_EQ(13000, hMax("PG-420", 1, 1)); // 'B'
    EXPECT_EQ(30000, hMax("PG-426", 1, 1)); // 'C'
    EXPECT_EQ(40000, hMax("PG-418", 1, 1)); // '='
    EXPECT_EQ(40000, hMax("PG-424", 1, 1)); // '?'
    EXPECT_EQ(8192, hMax("PG-424", 1, 6));
    EXPECT_EQ(4096, hMax("PG-410", 1, 6));
}

TEST(Limtab, ProgramNumbersByMemoryKind)
{
    useModel("PG-402");
    EXPECT_EQ(0, PGLIMIT_CheckProgNo(4, 620));
    EXPECT_EQ(-41, PGLIMIT_CheckProgNo(4, 650));
    EXPECT_EQ(0, PGLIMIT_CheckProgNo(3, 600));
    EXPECT_EQ(-41, PGLIMIT_CheckProgNo(1, 41));
    EXPECT_EQ(-41, PGLIMIT_CheckProgNo(5, 1));
    EXPECT_EQ(-41, PGLIMIT_CheckProgNo(-1, 1));
    EXPECT_EQ(0, PGLIMIT_CheckProgNo(0, 849));
    EXPECT_EQ(-41, PGLIMIT_CheckProgNo(0, 850));
    EXPECT_EQ(-41, PGLIMIT_CheckProgNo(0, -1)); // the "none" ranges are not available
    EXPECT_EQ(0, PGLIMIT_CheckProgNo(2, 40));
    EXPECT_EQ(-41, PGLIMIT_CheckProgNo(2, 500));

    int32_t max[4], min[4];
    ASSERT_EQ(0, PGLIMIT_GetProgNo(4, max, min));
    EXPECT_EQ((std::vector<int32_t>{40, 540, 640, 740}), std::vector<int32_t>(max, max + 4));
    EXPECT_EQ((std::vector<int32_t>{1, 501, 601, 701}), std::vector<int32_t>(min, min + 4));
    ASSERT_EQ(0, PGLIMIT_GetProgNo(3, max, min));
    EXPECT_EQ((std::vector<int32_t>{40, 779, -1, -1}), std::vector<int32_t>(max, max + 4));
    EXPECT_EQ(-41, PGLIMIT_GetProgNo(5, max, min));
    EXPECT_EQ(-41, PGLIMIT_GetProgNo(0, nullptr, min));
    EXPECT_EQ(-41, PGLIMIT_GetProgNo(0, max, nullptr));
}

TEST(Limtab, SlotsCharactersFiguresAndPatterns)
{
    useModel("PG-426");
    EXPECT_EQ(-41, PGLIMIT_CheckVbmNo(1, 1));
    EXPECT_EQ(0, PGLIMIT_CheckVbmNo(1, -1));
    EXPECT_EQ(0, PGLIMIT_CheckVbmNo(0, 64));
    EXPECT_EQ(0, PGLIMIT_CheckCharNo(3, 238));
    EXPECT_EQ(-41, PGLIMIT_CheckCharNo(4, 232));
    EXPECT_EQ(0, PGLIMIT_CheckInCharNo(240));
    EXPECT_EQ(-41, PGLIMIT_CheckInCharNo(239));

    const int32_t circle0[] = {10, 10, 0}, circle1[] = {-2048, 4095, 1};
    EXPECT_EQ(-41, PGLIMIT_CheckCircle(circle0));
    EXPECT_EQ(0, PGLIMIT_CheckCircle(circle1));
    const int32_t point[] = {-1, 5};
    EXPECT_EQ(-41, PGLIMIT_CheckDot(point));
    EXPECT_EQ(0, PGLIMIT_CheckLine(point));
    EXPECT_EQ(-41, PGLIMIT_CheckRect(point));
    EXPECT_EQ(0, PGLIMIT_CheckTriangle(point));
    EXPECT_EQ(-41, PGLIMIT_CheckDot(nullptr));

    const int32_t chr239[] = {1, 2, 239, 1, 255}, chr240[] = {1, 2, 240, 1, 255}, chr0[] = {1, 2, 239, 0, 255};
    EXPECT_EQ(0, PGLIMIT_CheckPtnChar(0, chr239));
    EXPECT_EQ(-41, PGLIMIT_CheckPtnChar(0, chr240));
    EXPECT_EQ(-41, PGLIMIT_CheckPtnChar(0, chr0));
    EXPECT_EQ(-41, PGLIMIT_CheckPtnChar(1, chr239)); // kinds 1, 2 end at 227
    EXPECT_EQ(-41, PGLIMIT_CheckPtnChar(5, chr239));

    int32_t max[PGLIMIT_PTN_WINDOW_FIELDS], min[PGLIMIT_PTN_WINDOW_FIELDS];
    ASSERT_EQ(0, PGLIMIT_GetInProgNo(max, min));
    EXPECT_EQ(999, max[0]);
    EXPECT_EQ(850, min[0]);
    ASSERT_EQ(0, PGLIMIT_GetPtnWindow(max, min));
    EXPECT_EQ((std::vector<int32_t>{1, 9999, 9999, 255, 255, 255, 7, 7, 15, 7}), std::vector<int32_t>(max, max + 10));
    EXPECT_EQ(std::vector<int32_t>(10, 0), std::vector<int32_t>(min, min + 10));
}

TEST(Limtab, ModelDependentSections)
{
    int32_t max[PGLIMIT_OUTCTRL_DIGITAL_FIELDS], min[PGLIMIT_OUTCTRL_DIGITAL_FIELDS];
    useModel("PG-410"); // 'E'
    ASSERT_EQ(0, PGLIMIT_GetHFreq(max, min));
    EXPECT_EQ(1000, min[0]);
    EXPECT_EQ(-1, max[0]);
    EXPECT_EQ(-41, PGLIMIT_CheckHFreq(31500));
    ASSERT_EQ(0, PGLIMIT_GetVFreq(max, min));
    EXPECT_EQ(1560, min[0]);
    ASSERT_EQ(0, PGLIMIT_GetOutCtrl(max, min));
    EXPECT_EQ(50, min[11]);
    EXPECT_EQ(100, max[11]);
    ASSERT_EQ(0, PGLIMIT_GetAction(max, min));
    EXPECT_EQ(std::vector<int32_t>(24, 0), std::vector<int32_t>(max, max + 24));

    useModel("PG-402"); // 'D'
    ASSERT_EQ(0, PGLIMIT_GetHFreq(max, min));
    EXPECT_EQ(0, min[0]);
    ASSERT_EQ(0, PGLIMIT_GetOutCtrl(max, min));
    EXPECT_EQ(30, min[11]);
    EXPECT_EQ(120, max[11]);
    ASSERT_EQ(0, PGLIMIT_GetOutCtrlDigital(max, min));
    EXPECT_EQ(1, max[0]);
    ASSERT_EQ(0, PGLIMIT_GetVTiming(max, min));
    EXPECT_EQ((std::vector<int32_t>{2, 1, 3, 99999}), std::vector<int32_t>(max, max + 4));
    EXPECT_EQ(99999, max[10]);

    // Variant 0: field 0 is 0..0, field 1 as in variant 1, the rest 0..9999.
    int32_t hmax[PGLIMIT_HTIMING_FIELDS] = {0}, hmin[PGLIMIT_HTIMING_FIELDS];
    ASSERT_EQ(0, PGLIMIT_GetHTiming(hmax, hmin));
    EXPECT_EQ((std::vector<int32_t>{0, 25000, 9999, 9999, 9999, 9999, 9999, 9999}),
              std::vector<int32_t>(hmax, hmax + 8));
    EXPECT_EQ((std::vector<int32_t>{0, 500, 0, 0, 0, 0, 0, 0}), std::vector<int32_t>(hmin, hmin + 8));
    hmax[0] = 1;
    ASSERT_EQ(0, PGLIMIT_GetHTiming(hmax, hmin));
    EXPECT_EQ(1, hmin[0]);
    EXPECT_EQ(1, hmax[0]);
    hmax[0] = 2;
    EXPECT_EQ(-41, PGLIMIT_GetHTiming(hmax, hmin));
    EXPECT_EQ(-41, PGLIMIT_GetHTiming(nullptr, hmin));
    EXPECT_EQ(-41, PGLIMIT_GetCDCNameLen(nullptr, hmin));

    const int32_t* table = PGLIMIT_GetTableAddr();
    ASSERT_NE(nullptr, table);
    EXPECT_NE(table + PGLIMIT_TABLE_ENTRIES, std::find(table, table + PGLIMIT_TABLE_ENTRIES, 850));
}

// ---------------------------------------------------------------------------
// Every check agrees with its get: a value passes exactly when it lies between
// the minimum and maximum the get returns, for every model and memory kind.

using KindCheck = int32_t (*)(int32_t, int32_t);
using KindRecordCheck = int32_t (*)(int32_t, const int32_t*);
using ValueCheck = int32_t (*)(int32_t);
using RecordCheck = int32_t (*)(const int32_t*);
using KindGet = int32_t (*)(int32_t, int32_t*, int32_t*);
using Get = int32_t (*)(int32_t*, int32_t*);

struct Pair {
    const char* name;
    size_t fields;
    // check(kind, record) and get(kind, max, min), kind ignored where global
    std::function<int32_t(int32_t, const int32_t*)> check;
    std::function<int32_t(int32_t, int32_t*, int32_t*)> get;
    bool perKind;
};

Pair kindPair(const char* name, KindCheck c, KindGet g)
{
    return {name, 1, [c](int32_t k, const int32_t* v) { return c(k, v[0]); }, g, true};
}
Pair kindRecordPair(const char* name, size_t n, KindRecordCheck c, KindGet g) { return {name, n, c, g, true}; }
Pair valuePair(const char* name, ValueCheck c, Get g)
{
    return {name, 1, [c](int32_t, const int32_t* v) { return c(v[0]); },
            [g](int32_t, int32_t* mx, int32_t* mn) { return g(mx, mn); }, false};
}
Pair recordPair(const char* name, size_t n, RecordCheck c, Get g)
{
    return {name, n, [c](int32_t, const int32_t* v) { return c(v); },
            [g](int32_t, int32_t* mx, int32_t* mn) { return g(mx, mn); }, false};
}

std::vector<Pair> allPairs()
{
    return {
        kindPair("GroupNo", PGLIMIT_CheckGroupNo, PGLIMIT_GetGroupNo),
        kindPair("GroupProgCnt", PGLIMIT_CheckGroupProgCnt, PGLIMIT_GetGroupProgCnt),
        kindPair("VbmNo", PGLIMIT_CheckVbmNo, PGLIMIT_GetVbmNo),
        kindPair("OptPtnNo", PGLIMIT_CheckOptPtnNo, PGLIMIT_GetOptPtnNo),
        kindPair("CharNo", PGLIMIT_CheckCharNo, PGLIMIT_GetCharNo),
        kindPair("ProgNameLen", PGLIMIT_CheckProgNameLen, PGLIMIT_GetProgNameLen),
        kindPair("GroupNameLen", PGLIMIT_CheckGroupNameLen, PGLIMIT_GetGroupNameLen),
        kindPair("VBMNameLen", PGLIMIT_CheckVBMNameLen, PGLIMIT_GetVBMNameLen),
        kindPair("OptPtnNameLen", PGLIMIT_CheckOptPtnNameLen, PGLIMIT_GetOptPtnNameLen),
        kindRecordPair("PtnChar", PGLIMIT_PTNCHAR_FIELDS, PGLIMIT_CheckPtnChar, PGLIMIT_GetPtnChar),
        valuePair("InProgNo", PGLIMIT_CheckInProgNo, PGLIMIT_GetInProgNo),
        valuePair("InCharNo", PGLIMIT_CheckInCharNo, PGLIMIT_GetInCharNo),
        valuePair("HighProgNo", PGLIMIT_CheckHighProgNo, PGLIMIT_GetHighProgNo),
        valuePair("HFreq", PGLIMIT_CheckHFreq, PGLIMIT_GetHFreq),
        valuePair("VFreq", PGLIMIT_CheckVFreq, PGLIMIT_GetVFreq),
        valuePair("G8Color", PGLIMIT_CheckG8Color, PGLIMIT_GetG8Color),
        valuePair("CDCNo", PGLIMIT_CheckCDCNo, PGLIMIT_GetCDCNo),
        valuePair("CDCNameLen", PGLIMIT_CheckCDCNameLen, PGLIMIT_GetCDCNameLen),
        recordPair("Circle", PGLIMIT_CIRCLE_FIELDS, PGLIMIT_CheckCircle, PGLIMIT_GetCircle),
        recordPair("Line", PGLIMIT_POINT_FIELDS, PGLIMIT_CheckLine, PGLIMIT_GetLine),
        recordPair("Dot", PGLIMIT_POINT_FIELDS, PGLIMIT_CheckDot, PGLIMIT_GetDot),
        recordPair("Rect", PGLIMIT_POINT_FIELDS, PGLIMIT_CheckRect, PGLIMIT_GetRect),
        recordPair("Triangle", PGLIMIT_POINT_FIELDS, PGLIMIT_CheckTriangle, PGLIMIT_GetTriangle),
        recordPair("Ellipse", PGLIMIT_ELLIPSE_FIELDS, PGLIMIT_CheckEllipse, PGLIMIT_GetEllipse),
        recordPair("BitBlt", PGLIMIT_BITBLT_FIELDS, PGLIMIT_CheckBitBlt, PGLIMIT_GetBitBlt),
        recordPair("PtnGraphic", PGLIMIT_PTN_GRAPHIC_FIELDS, PGLIMIT_CheckPtnGraphic, PGLIMIT_GetPtnGraphic),
        recordPair("PtnCrossHatch", PGLIMIT_PTN_CROSSHATCH_FIELDS, PGLIMIT_CheckPtnCrossHatch, PGLIMIT_GetPtnCrossHatch),
        recordPair("PtnDot", PGLIMIT_PTN_DOT_FIELDS, PGLIMIT_CheckPtnDot, PGLIMIT_GetPtnDot),
        recordPair("PtnCircle", PGLIMIT_PTN_CIRCLE_FIELDS, PGLIMIT_CheckPtnCircle, PGLIMIT_GetPtnCircle),
        recordPair("PtnBurst", PGLIMIT_PTN_BURST_FIELDS, PGLIMIT_CheckPtnBurst, PGLIMIT_GetPtnBurst),
        recordPair("PtnWindow", PGLIMIT_PTN_WINDOW_FIELDS, PGLIMIT_CheckPtnWindow, PGLIMIT_GetPtnWindow),
        recordPair("PtnOption1", PGLIMIT_PTN_OPTION1_FIELDS, PGLIMIT_CheckPtnOption1, PGLIMIT_GetPtnOption1),
        recordPair("PtnOption2", PGLIMIT_PTN_OPTION2_FIELDS, PGLIMIT_CheckPtnOption2, PGLIMIT_GetPtnOption2),
        recordPair("PtnColorBar", PGLIMIT_PTN_COLORBAR_FIELDS, PGLIMIT_CheckPtnColorBar, PGLIMIT_GetPtnColorBar),
        recordPair("PtnGrayScale", PGLIMIT_PTN_GRAYSCALE_FIELDS, PGLIMIT_CheckPtnGrayScale, PGLIMIT_GetPtnGrayScale),
        recordPair("PtnHalfTone", PGLIMIT_PTN_HALFTONE_FIELDS, PGLIMIT_CheckPtnHalfTone, PGLIMIT_GetPtnHalfTone),
        recordPair("PtnCursol", PGLIMIT_PTN_CURSOL_FIELDS, PGLIMIT_CheckPtnCursol, PGLIMIT_GetPtnCursol),
        recordPair("PtnName", PGLIMIT_PTN_NAME_FIELDS, PGLIMIT_CheckPtnName, PGLIMIT_GetPtnName),
    };
}

const char* const kModelNames[] = {"PG-418", "PG-424", "PG-420", "PG-426", "PG-402", "PG-410"};

std::vector<int32_t> probesAround(int32_t min, int32_t max)
{
    return {min - 1, min, static_cast<int32_t>(min + (int64_t(max) - min) / 2), max, max + 1, -1, 0};
}

TEST(Limtab, EveryCheckAgreesWithItsGet)
{
    for (const char* model : kModelNames) {
        useModel(model);
        for (const Pair& p : allPairs()) {
            for (int32_t kind = -1; kind <= 5; ++kind) {
                SCOPED_TRACE(std::string(model) + " " + p.name + " kind " + std::to_string(kind));
                std::vector<int32_t> max(p.fields, 12345), min(p.fields, 12345);
                int32_t got = p.get(kind, max.data(), min.data());
                const bool kindValid = kind >= 0 && kind <= 4;
                if (p.perKind && !kindValid) {
                    EXPECT_EQ(-41, got);
                    std::vector<int32_t> any(p.fields, 1);
                    EXPECT_EQ(-41, p.check(kind, any.data()));
                    continue;
                }
                ASSERT_EQ(0, got);
                if (!p.perKind && kind != 0)
                    continue; // global: once is enough
                // A record at its minimums passes when every range is non-empty.
                bool satisfiable = true;
                for (size_t i = 0; i < p.fields; ++i)
                    satisfiable = satisfiable && min[i] <= max[i];
                std::vector<int32_t> base = min;
                EXPECT_EQ(satisfiable ? 0 : -41, p.check(kind, base.data()));
                if (!satisfiable) {
                    // Nothing passes an empty range.
                    for (size_t i = 0; i < p.fields; ++i) {
                        if (min[i] <= max[i])
                            continue;
                        for (int32_t v : probesAround(max[i], min[i])) {
                            base[i] = v;
                            EXPECT_EQ(-41, p.check(kind, base.data()));
                        }
                    }
                    continue;
                }
                for (size_t i = 0; i < p.fields; ++i) {
                    for (int32_t v : probesAround(min[i], max[i])) {
                        std::vector<int32_t> record = base;
                        record[i] = v;
                        const bool inside = min[i] <= v && v <= max[i];
                        EXPECT_EQ(inside ? 0 : -41, p.check(kind, record.data()))
                            << "field " << i << " value " << v << " range " << min[i] << ".." << max[i];
                    }
                }
            }
        }
    }
}

TEST(Limtab, ProgramNumberCheckAgreesWithItsRanges)
{
    for (const char* model : kModelNames) {
        useModel(model);
        for (int32_t kind = 0; kind <= 4; ++kind) {
            int32_t max[4], min[4];
            ASSERT_EQ(0, PGLIMIT_GetProgNo(kind, max, min));
            for (int32_t v = -2; v <= 1000; ++v) {
                bool pass = min[0] <= v && v <= max[0];
                for (int r = 1; r < 4; ++r)
                    pass = pass || (min[r] != -1 && max[r] != -1 && min[r] <= v && v <= max[r]);
                ASSERT_EQ(pass ? 0 : -41, PGLIMIT_CheckProgNo(kind, v)) << model << " kind " << kind << " " << v;
            }
        }
    }
}

// Nothing behind the exports throws today; the guard they all go through
// turns any throw into the documented failure.
TEST(Limtab, GuardTurnsAThrowIntoTheFailureResult)
{
    EXPECT_EQ(-41, limtab::guardedExport(int32_t{-41}, []() -> int32_t { throw std::bad_alloc(); }));
    EXPECT_EQ(-41, limtab::guardedExport(int32_t{-41}, []() -> int32_t { throw std::out_of_range("x"); }));
    EXPECT_EQ(0, limtab::guardedExport(int32_t{-41}, [] { return int32_t{0}; }));
    EXPECT_EQ(nullptr, limtab::guardedExport<const int32_t*>(nullptr, []() -> const int32_t* { throw 1; }));
    ASSERT_EQ(0, PGLIMIT_SetTableLimit());
    EXPECT_NE(nullptr, PGLIMIT_GetTableAddr());
}

TEST(Limtab, EmptyRangesAcceptOnlyMinusOne)
{
    useModel("PG-402");
    for (int32_t kind = 1; kind <= 4; ++kind) {
        EXPECT_EQ(0, PGLIMIT_CheckVbmNo(kind, -1));
        EXPECT_EQ(-41, PGLIMIT_CheckVbmNo(kind, 0));
        EXPECT_EQ(0, PGLIMIT_CheckOptPtnNo(kind, -1));
        EXPECT_EQ(-41, PGLIMIT_CheckOptPtnNo(kind, 64));
    }
}

} // namespace
