#include <gtest/gtest.h>

#include "core/record_io.h"

using namespace core;

TEST(RecordIo, LittleEndianFieldsRoundTrip) {
    RecordWriter w(32);
    w.u8At(0, 0xAB);
    w.i16At(1, -2);
    w.u32At(3, 0x12345678);
    w.f32At(7, 25.175f);
    w.f64At(11, 31.469);
    w.textAt(19, 6, "MODEL-LONG");
    ASSERT_TRUE(w.ok());
    const std::vector<uint8_t>& b = w.bytes();
    EXPECT_EQ(b[1], 0xFE);
    EXPECT_EQ(b[2], 0xFF);
    EXPECT_EQ(b[3], 0x78);
    EXPECT_EQ(b[6], 0x12);
    EXPECT_EQ(b[24], 0);  // text cut to width - 1 and terminated

    RecordReader r(b);
    EXPECT_EQ(r.u8At(0), 0xAB);
    EXPECT_EQ(r.i16At(1), -2);
    EXPECT_EQ(r.u32At(3), 0x12345678u);
    EXPECT_FLOAT_EQ(r.f32At(7), 25.175f);
    EXPECT_DOUBLE_EQ(r.f64At(11), 31.469);
    EXPECT_EQ(r.textAt(19, 6), "MODEL");
    EXPECT_TRUE(r.ok());
}

TEST(RecordIo, ReaderRefusesReadsPastTheEnd) {
    const uint8_t data[5] = {1, 2, 3, 4, 5};
    RecordReader r(data, 5);
    EXPECT_EQ(r.u32At(1), 0x05040302u);
    EXPECT_TRUE(r.ok());
    EXPECT_EQ(r.u32At(2), 0u);
    EXPECT_FALSE(r.ok());
    RecordReader r2(data, 5);
    EXPECT_EQ(r2.u16At(static_cast<size_t>(-1)), 0u);  // offset overflow is caught
    EXPECT_FALSE(r2.ok());
    RecordReader r3(data, 5);
    uint8_t out[8];
    EXPECT_FALSE(r3.bytesAt(3, out, 8));
    EXPECT_EQ(out[0], 4);
    EXPECT_EQ(out[1], 5);
    EXPECT_EQ(out[2], 0);
    EXPECT_EQ(r3.sub(4, 100).size(), 1u);
    EXPECT_EQ(r3.sub(9, 1).size(), 0u);
    // Unterminated text stops at the end of the data.
    const uint8_t text[3] = {'a', 'b', 'c'};
    RecordReader r4(text, 3);
    EXPECT_EQ(r4.textAt(1, 10), "bc");
    EXPECT_FALSE(r4.ok());
}

TEST(RecordIo, SequentialReadsAndWriterBounds) {
    const uint8_t data[6] = {0x34, 0x12, 0xFF, 0xFF, 0xFF, 0x7F};
    RecordReader r(data, 6);
    EXPECT_EQ(r.u16(), 0x1234);
    EXPECT_EQ(r.i32(), 0x7FFFFFFF);
    EXPECT_EQ(r.u8(), 0);
    EXPECT_FALSE(r.ok());

    uint8_t buf[4] = {9, 9, 9, 9};
    RecordWriter w(buf, 4);
    w.u32At(1, 0);
    EXPECT_FALSE(w.ok());
    EXPECT_EQ(buf[1], 9);  // nothing written
    w.textAt(0, 3, "xy");
    EXPECT_EQ(buf[2], 0);
}
