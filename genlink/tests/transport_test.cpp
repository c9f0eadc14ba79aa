#include <gtest/gtest.h>

#include <map>

#include "genlink/frames.h"
#include "genlink/parallel_transport.h"
#include "genlink/result_codes.h"
#include "genlink/serial_transport.h"
#include "genlink/usb_transport.h"
#include "memory_settings.h"
#include "platform/clock.h"
#include "sim_rig.h"

using namespace genlink;
using genlink::testing::MemorySettings;
using genlink::testing::SimGenerator;

namespace {

// A tick that moves on by 1 ms every time it is read, like a busy poll.
class TickingClock : public platform::Clock {
public:
    uint64_t tickMs() override { return now++; }
    void sleepMs(uint32_t ms, std::string_view) override { now += ms; }
    uint64_t now = 1000;
};

// A scripted parallel driver: records every control call.
class ScriptedDevice : public pgpio::Device {
public:
    struct Call {
        uint32_t code;
        std::vector<uint8_t> in;
    };
    std::vector<Call>* calls;
    std::function<uint32_t(size_t put)> statusAfterPut = [](size_t) { return 0u; };
    std::function<uint16_t()> waitingCount = [] { return uint16_t{0}; };
    size_t puts = 0;
    uint32_t status = 0;

    explicit ScriptedDevice(std::vector<Call>* c) : calls(c) {}
    bool control(uint32_t code, const uint8_t* in, size_t inLen, uint8_t* out, size_t outLen,
                 size_t* returned) override {
        calls->push_back({code, std::vector<uint8_t>(in, in + inLen)});
        if (code == pgpio::kPutByte) status = statusAfterPut(puts++);
        if (code == pgpio::kStatus)
            for (size_t i = 0; i < 4 && i < outLen; ++i) out[i] = static_cast<uint8_t>(status >> (8 * i));
        if (code == pgpio::kWaiting) {
            uint16_t n = waitingCount();
            out[0] = static_cast<uint8_t>(n), out[1] = static_cast<uint8_t>(n >> 8);
        }
        if (code == pgpio::kFetch) {
            for (size_t i = 0; i < outLen; ++i) out[i] = static_cast<uint8_t>(i);
            status = 0;
        }
        return true;
    }
};

int32_t le32(const std::vector<uint8_t>& b, size_t i) {
    return static_cast<int32_t>(b[i] | b[i + 1] << 8 | b[i + 2] << 16 | uint32_t{b[i + 3]} << 24);
}

class Parallel : public ::testing::Test {
protected:
    ParallelTransport transport() {
        return ParallelTransport(settings, waits, clock, [this] {
            auto d = std::make_unique<ScriptedDevice>(&calls);
            device = d.get();
            return d;
        });
    }
    size_t count(uint32_t code) const {
        size_t n = 0;
        for (const auto& c : calls) n += c.code == code;
        return n;
    }

    MemorySettings settings;
    ParallelWaits waits;
    TickingClock clock;
    std::vector<ScriptedDevice::Call> calls;
    ScriptedDevice* device = nullptr;
};

} // namespace

TEST(Serial, PortNumberTwelveOpensCom12) {
    SimGenerator sim(12);
    MemorySettings settings;
    settings.seri = {12, 19200, 7, 2, 0};
    platform::FakeClock clock;
    SerialTransport serial(settings, &clock);
    ASSERT_EQ(serial.open(), kOk);
    EXPECT_EQ(serial.portName(), "COM12");
    platform::LineSettings line;
    ASSERT_TRUE(serial.port()->getLine(line));
    EXPECT_EQ(line.baud, 19200);
    EXPECT_EQ(line.dataBits, 7);
    EXPECT_EQ(line.parity, platform::Parity::Even);
    EXPECT_EQ(line.stopBits, platform::StopBits::One);
    EXPECT_FALSE(line.xonXoff);
    EXPECT_TRUE(sim.core->dtr());
    serial.applyTimeouts({50, 300, 1000});
    EXPECT_EQ(serial.port()->timeouts().readConstant, 300u);
    EXPECT_EQ(serial.close(), kOk);
    EXPECT_FALSE(sim.core->dtr());
    EXPECT_EQ(serial.close(), kCloseFailed);
    settings.seri.portNo = 13;  // nothing mapped there: /dev/ttyS12
    EXPECT_EQ(serial.open(), kOpenFailed);
}

TEST(Serial, TimeoutsAddTenMillisecondsPerByte) {
    platform::SerialTimeouts t = serialTimeouts({50, 300, 1000});
    EXPECT_EQ(t.readInterval, 50u);
    EXPECT_EQ(t.readConstant, 300u);
    EXPECT_EQ(t.readMultiplier, 10u);
    EXPECT_EQ(t.writeConstant, 1000u);
    EXPECT_EQ(t.writeMultiplier, 10u);
}

TEST_F(Parallel, ParametersAreLimitedAsUnsigned) {
    settings.para = {3, 50, -1, 5000, 250, 40, 9000};
    auto t = transport();
    ASSERT_EQ(t.open(), kOk);
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].code, pgpio::kSetParameters);
    ASSERT_EQ(calls[0].in.size(), 24u);
    EXPECT_EQ(le32(calls[0].in, 0), 3);
    EXPECT_EQ(le32(calls[0].in, 4), 100);
    EXPECT_EQ(le32(calls[0].in, 8), 1000);
    EXPECT_EQ(le32(calls[0].in, 12), 1000);
    EXPECT_EQ(le32(calls[0].in, 16), 100);
    EXPECT_EQ(le32(calls[0].in, 20), 40);
    EXPECT_EQ(calls[1].code, pgpio::kEndSend);
    EXPECT_EQ(limitParallelRecord(settings.para).msecWait, 5000);
    EXPECT_EQ(t.close(), kOk);
    EXPECT_EQ(t.close(), kCloseFailed);
}

TEST_F(Parallel, RefusedFirstByteFailsAfterTheWriteWait) {
    auto t = transport();
    ASSERT_EQ(t.open(), kOk);
    t.applyTimeouts({20, 300, 500});
    EXPECT_EQ(waits.writeWait, 500u);
    device->statusAfterPut = [](size_t) { return 1u; };
    const uint64_t start = clock.now;
    const uint8_t data[] = {1, 2, 3};
    EXPECT_EQ(t.sendBytes(data, 3), kCommFailed);
    EXPECT_GT(clock.now - start, 500u);
    EXPECT_LT(clock.now - start, 520u);
    EXPECT_EQ(calls.back().code, pgpio::kEndSend);
    for (const auto& c : calls) {
        if (c.code == pgpio::kPutByte) {
            EXPECT_EQ(c.in, std::vector<uint8_t>{1});
        }
    }
}

TEST_F(Parallel, RefusedLaterByteFailsAfterTheByteWait) {
    auto t = transport();
    ASSERT_EQ(t.open(), kOk);
    t.applyTimeouts({20, 300, 500});
    device->statusAfterPut = [](size_t put) { return put == 0 ? 0u : 1u; };
    const uint8_t data[] = {1, 2, 3};
    uint64_t start = clock.now;
    EXPECT_EQ(t.sendBytes(data, 3), kCommFailed);
    EXPECT_GT(clock.now - start, 20u);
    EXPECT_LT(clock.now - start, 40u);
    EXPECT_EQ(calls.back().code, pgpio::kEndSend);
    device->statusAfterPut = [](size_t) { return 0u; };
    calls.clear();
    EXPECT_EQ(t.sendBytes(data, 3), kOk);
    EXPECT_EQ(count(pgpio::kPutByte), 3u);
    EXPECT_EQ(calls.back().code, pgpio::kEndSend);
}

TEST_F(Parallel, ShortReceiveFailsOnceTheByteWaitPassesWithoutGrowth) {
    auto t = transport();
    ASSERT_EQ(t.open(), kOk);
    t.applyTimeouts({20, 300, 500});
    int polls = 0;
    // 1, 2, 3, 4 bytes arrive on successive polls, then nothing more.
    device->waitingCount = [&] { return static_cast<uint16_t>(std::min(++polls, 4)); };
    uint8_t buf[6];
    const uint64_t start = clock.now;
    EXPECT_EQ(t.receiveBytes(buf, 6), kCommFailed);
    EXPECT_GT(clock.now - start, 20u);
    EXPECT_LT(clock.now - start, 60u);
    EXPECT_EQ(count(pgpio::kFetch), 0u);
    // Nothing at all: the read wait applies.
    device->waitingCount = [] { return uint16_t{0}; };
    const uint64_t again = clock.now;
    EXPECT_EQ(t.receiveBytes(buf, 1), kCommFailed);
    EXPECT_GT(clock.now - again, 300u);
    // Enough waiting: one fetch of the count.
    device->waitingCount = [] { return uint16_t{6}; };
    EXPECT_EQ(t.receiveBytes(buf, 6), kOk);
    EXPECT_EQ(calls.back().code, pgpio::kStatus);
    EXPECT_EQ(buf[5], 5);
}

TEST(Usb, OperatingSystemClasses) {
    EXPECT_EQ(classifyOs({kPlatformWin32s, 3, 10, 0}), kOsWin32s);
    EXPECT_EQ(classifyOs({kPlatformConsumer, 4, 0, 950}), kOsWin95);
    EXPECT_EQ(classifyOs({kPlatformConsumer, 4, 0, 1111}), kOsWin95SecondEdition);
    EXPECT_EQ(classifyOs({kPlatformConsumer, 4, 10, 1998}), kOsConsumer410);
    EXPECT_EQ(classifyOs({kPlatformNt, 5, 0, 2195}), kOsNt);
    EXPECT_EQ(classifyOs({7, 1, 0, 0}), kOsOther);
    EXPECT_EQ(hostOsClass(), kOsConsumer410);
}

TEST(Usb, NtSystemRefusesWithoutLoadingTheLibrary) {
    MemorySettings settings;
    UsbLibrary slot;
    UsbTransport usb(settings, slot, USBLINK_PATH, [] { return kOsNt; });
    EXPECT_EQ(usb.open(), kOpenFailed);
    EXPECT_FALSE(slot.library);
}

TEST(Usb, LibraryWithoutTimeoutEntryIsRefused) {
    MemorySettings settings;
    UsbLibrary slot;
    UsbTransport usb(settings, slot, USBLINK_PARTIAL_PATH, hostOsClass);
    EXPECT_EQ(usb.open(), kOpenFailed);
    UsbTransport missing(settings, slot, "/nonexistent/libusblink.so", hostOsClass);
    EXPECT_EQ(missing.open(), kOpenFailed);
}

TEST(Usb, LibraryWithoutGeneratorFailsItsOpen) {
    platform::testing::ScopedEnv none("USBLINK_DEVICE", "");
    MemorySettings settings;
    UsbLibrary slot;
    UsbTransport usb(settings, slot, USBLINK_PATH, hostOsClass);
    EXPECT_EQ(usb.open(), kOpenFailed);
    EXPECT_TRUE(slot.library);  // left loaded until the next good close
    EXPECT_EQ(usb.close(), kCloseFailed);
}

TEST(Usb, BytesMoveThroughTheLibrary) {
    platform::testing::ScopedEnv device("USBLINK_DEVICE", "sim:patgen");
    MemorySettings settings;
    UsbLibrary slot;
    UsbTransport usb(settings, slot, USBLINK_PATH, hostOsClass);
    ASSERT_EQ(usb.open(), kOk);
    usb.applyTimeouts({50, 300, 300});
    EXPECT_EQ(usb.sendByte(ENQ), kOk);
    uint8_t b = 0;
    EXPECT_EQ(usb.receiveByte(b), kOk);
    EXPECT_EQ(b, ACK);
    EXPECT_EQ(usb.receiveByte(b), kCommFailed);
    EXPECT_EQ(usb.close(), kOk);
    EXPECT_FALSE(slot.library);
}
