// Procedure files: the header, steps around the record boundaries, the
// operands of every kind as the writer lays them out, and bytes of any kind.
#include <gtest/gtest.h>

#include <random>

#include "kit/prc_file.h"
#include "platform/testing/test_folder.h"
#include "procedure/prc_file.h"

namespace procedure {
namespace {

using Op = prc::Operand;
constexpr uint8_t kRead = 7;   // registers into variables
constexpr uint8_t kMath = 12;  // an expression

kit::Bytes fileWithSteps(int steps, size_t extra = 0) {
    kit::PrcFileSpec spec;
    spec.title = "Convergence";
    spec.endStep = 12;
    for (int i = 0; i < steps; ++i) {
        kit::PrcStepSpec s;
        s.name = "Step " + std::to_string(i + 1);
        s.kind = kRead;
        s.with(Op::Registers, {0x0100 + i});
        spec.steps.push_back(s);
    }
    kit::Bytes bytes = kit::prcFile(spec);
    bytes.insert(bytes.end(), extra, 0x41);
    return bytes;
}

TEST(PrcFile, StepsAreReadInWholeRecordsAndTheRestStaysSkipped) {
    const struct {
        size_t size;
        int steps;
    } cases[] = {
        {0, 0},   {50, 0},  {127, 0},  {128, 0},  {129, 0},       {255, 0},        {256, 1},
        {257, 1}, {383, 1}, {384, 2},  {128 + 3 * 128 + 50, 3},   {256 * 128 - 1, 254},
        {256 * 128, 255},   {256 * 128 + 1, 255},                 {300 * 128, 255},
    };
    const kit::Bytes full = fileWithSteps(300);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.size);
        const std::vector<uint8_t> bytes(full.begin(), full.begin() + static_cast<long>(c.size));
        const PrcFile f = decodePrcFile(bytes);
        EXPECT_EQ(f.loadedSteps, c.steps);
        for (int n = 1; n <= prc::kMaxSteps; ++n) {
            const PrcStep& s = f.step(n);
            if (n <= c.steps) {
                ASSERT_EQ(s.kind, kRead) << n;
                ASSERT_EQ(s.value(Op::Registers), 0x0100 + n - 1);
            } else {
                ASSERT_EQ(s.kind, prc::kEmptyKind) << n;
                ASSERT_EQ(s.name, "");
            }
        }
        EXPECT_EQ(f.step(0).kind, prc::kEmptyKind);
        EXPECT_EQ(f.step(256).kind, prc::kEmptyKind);
        EXPECT_EQ(f.step(-1).kind, prc::kEmptyKind);
    }
}

TEST(PrcFile, HeaderTitleAndEndStep) {
    kit::Bytes bytes = kit::prcHeaderRecord("Geometry", -3);
    PrcHeader h = decodePrcHeader(bytes.data(), bytes.size());
    EXPECT_EQ(h.title, "Geometry");
    EXPECT_EQ(h.endStep, -3);

    const std::string thirty = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123";
    bytes = kit::prcHeaderRecord(thirty + "overflow", 0x4242);  // no NUL: the END step follows the title
    h = decodePrcHeader(bytes.data(), bytes.size());
    EXPECT_EQ(h.title, thirty);
    EXPECT_EQ(h.endStep, 0x4242);

    h = decodePrcHeader(bytes.data(), 20);  // a file shorter than its header
    EXPECT_EQ(h.title, "ABCDEFGH");
    EXPECT_EQ(h.endStep, 0);
}

TEST(PrcFile, EveryOperandOfEveryKindReadsBackAsWritten) {
    for (int kind = 1; kind <= 31; ++kind) {
        SCOPED_TRACE(kind);
        kit::PrcStepSpec spec;
        spec.name = "A step name of 19ch";
        spec.kind = static_cast<uint8_t>(kind);
        spec.signal = 201;
        spec.pattern = 14;
        spec.colour = 12;
        spec.waitCode = 40;
        spec.expression = "V3=V1+V2";
        int next = 1;
        for (const prc::OperandField& f : prc::kOperandLayout) {
            if (!f.belongsTo(kind) || f.cell == prc::Cell::Text) continue;
            std::vector<int32_t> values;
            for (size_t i = 0; i < f.count; ++i) values.push_back(f.cell == prc::Cell::Word ? -next++ : next++ % 256);
            spec.with(f.operand, values);
        }
        const kit::Bytes record = kit::prcStepRecord(spec);
        ASSERT_EQ(record.size(), prc::kRecordSize);
        const PrcStep step = decodePrcStep(record.data(), record.size());
        EXPECT_EQ(step.name, spec.name);
        EXPECT_EQ(step.signal, 201);
        EXPECT_EQ(step.pattern, 14);
        EXPECT_EQ(step.colour, 12);
        EXPECT_EQ(step.waitCode, 40);
        EXPECT_EQ(step.kind, kind);
        for (const auto& [operand, values] : spec.operands) EXPECT_EQ(step.values(operand), values);
        if (kind == kMath) {
            EXPECT_EQ(step.text(Op::Expression), "V3=V1+V2");
        }
        // No two fields of a kind share a byte.
        std::vector<int> owner(prc::kRecordSize, 0);
        for (const prc::OperandField& f : prc::kOperandLayout) {
            if (!f.belongsTo(kind)) continue;
            for (size_t b = f.offset; b < f.offset + f.size(); ++b) EXPECT_EQ(owner[b]++, 0) << f.name << " " << b;
        }
    }
}

TEST(PrcFile, FieldsNotGivenHoldTheirUnusedValue) {
    kit::PrcStepSpec spec;
    spec.kind = 27;  // keys, sliders, displays
    spec.with(Op::Keys, {1});
    const kit::Bytes record = kit::prcStepRecord(spec);
    const PrcStep step = decodePrcStep(record.data(), record.size());
    EXPECT_EQ(step.values(Op::Messages), std::vector<int32_t>(8, -1));
    EXPECT_EQ(step.values(Op::Displays), std::vector<int32_t>(8, -1));
    EXPECT_EQ(step.values(Op::Sliders), std::vector<int32_t>(8, 0));
    EXPECT_EQ(step.values(Op::Keys), (std::vector<int32_t>{1, 0, 0, 0, 0}));
    EXPECT_TRUE(step.values(Op::Registers).empty());  // not a field of this kind
    EXPECT_EQ(step.value(Op::Registers), 0);
}

TEST(PrcFile, ReadFromDiskAndAMissingFile) {
    platform::testing::TestFolder folder;
    ASSERT_TRUE(kit::writeFile(folder.file("A.PRC"), fileWithSteps(3, 50)));
    const std::optional<PrcFile> f = readPrcFile(folder.file("A.PRC"));
    ASSERT_TRUE(f);
    EXPECT_EQ(f->header.title, "Convergence");
    EXPECT_EQ(f->header.endStep, 12);
    EXPECT_EQ(f->loadedSteps, 3);
    EXPECT_EQ(f->step(3).name, "Step 3");
    EXPECT_EQ(f->step(4).kind, prc::kEmptyKind);
    EXPECT_EQ(readPrcHeader(folder.file("A.PRC"))->title, "Convergence");
    EXPECT_FALSE(readPrcFile(folder.file("B.PRC")));
    EXPECT_FALSE(readPrcHeader(folder.path()));  // a folder is no file
}

TEST(PrcFile, RandomBytesDecodeWithinTheirBounds) {
    std::mt19937 random(4);
    for (int n = 0; n < 400; ++n) {
        std::vector<uint8_t> bytes(random() % (prc::kRecordSize * 260));
        for (uint8_t& b : bytes) b = static_cast<uint8_t>(random());
        const PrcFile f = decodePrcFile(bytes);
        const int records = static_cast<int>(bytes.size() / prc::kRecordSize);
        ASSERT_EQ(f.loadedSteps, records == 0 ? 0 : std::min(records - 1, prc::kMaxSteps));
        ASSERT_LE(f.header.title.size(), prc::kTitleSize);
        for (int s = 1; s <= f.loadedSteps; ++s) {
            const PrcStep& step = f.step(s);
            ASSERT_LE(step.name.size(), prc::kStepNameSize);
            for (const OperandValues& o : step.operands) {
                ASSERT_TRUE(o.field->belongsTo(step.kind));
                if (o.field->cell == prc::Cell::Text) ASSERT_LE(o.text.size(), o.field->count);
                else ASSERT_EQ(o.values.size(), o.field->count);
            }
        }
    }
}

} // namespace
} // namespace procedure
