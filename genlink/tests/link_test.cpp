#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>

#include "genlink/link.h"
#include "genlink/result_codes.h"
#include "memory_settings.h"
#include "platform/clock.h"
#include "platform/named_lock.h"
#include "sim_rig.h"

using namespace genlink;
using genlink::testing::CountingLimits;
using genlink::testing::MemorySettings;
using genlink::testing::SimGenerator;
using genlink::testing::uniqueName;

namespace {

LinkEnvironment testEnvironment(platform::Clock* clock, const std::string& lockName) {
    LinkEnvironment env;
    env.clock = clock;
    env.lockName = lockName;
    env.usblinkPath = USBLINK_PATH;
    env.osClass = hostOsClass;
    env.openParallel = [clock] { return pgpio::openDevice(pgpio::kDeviceName, clock); };
    return env;
}

// Whether another process could take the lock right now.
bool lockIsFree(const std::string& name) {
    pid_t pid = fork();
    if (pid == 0) {
        auto lock = platform::NamedLock::open(name);
        _exit(lock && lock->lock(0) != platform::LockResult::TimedOut ? 0 : 1);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

class LinkTest : public ::testing::Test {
protected:
    void SetUp() override { settings.seri.portNo = 7; }

    SimGenerator sim;
    platform::FakeClock clock;
    MemorySettings settings;
    CountingLimits limits;
    std::string lockName = uniqueName("PGTransMutex");
    Link link{settings, limits, testEnvironment(&clock, lockName)};
};

} // namespace

TEST_F(LinkTest, SelectionsRefuseBadArgumentsAndStoreGoodOnes) {
    EXPECT_EQ(link.selectTransWay(3), kBadArgument);
    EXPECT_EQ(link.selectTransWay(-1), kBadArgument);
    EXPECT_EQ(settings.way, 0);
    EXPECT_EQ(link.word(link.selectTransWay(3)), 0xFFD7);
    EXPECT_EQ(link.selectTransWay(2), kOk);
    EXPECT_EQ(settings.way, 2);
    EXPECT_EQ(link.word(kOk), 0xFF00);

    EXPECT_EQ(link.selectSeriConfig(4800, 8, 0, 0, 1), kBadArgument);
    EXPECT_EQ(link.selectSeriConfig(9600, 6, 0, 0, 1), kBadArgument);
    EXPECT_EQ(link.selectSeriConfig(9600, 8, 0, 3, 1), kBadArgument);
    EXPECT_EQ(link.selectSeriConfig(9600, 8, 0, 0, 0), kBadArgument);
    EXPECT_EQ(link.selectSeriConfig(9600, 8, 3, 0, 1), kBadArgument);
    EXPECT_EQ(link.selectSeriConfig(9600, 7, 0, 0, 2), kOk);
    EXPECT_EQ(settings.seri.portNo, 2);
    EXPECT_EQ(settings.seri.bps, 9600);
    EXPECT_EQ(settings.seri.charSize, 7);
    EXPECT_EQ(settings.seri.parity, 0);
    EXPECT_EQ(settings.seri.stopBits, 0);
    EXPECT_EQ(link.selectSeriConfig(38400, 8, 2, 1, 3), kOk);
    EXPECT_EQ(settings.seri.parity, 1);
    EXPECT_EQ(settings.seri.stopBits, 2);

    EXPECT_EQ(link.selectDevice(0, 6), kBadArgument);
    EXPECT_EQ(link.selectDevice(1, 4), kBadArgument);
    EXPECT_EQ(link.selectDevice(2, 0), kBadArgument);
    EXPECT_EQ(link.selectDevice(1, 3), kOk);
    EXPECT_EQ(link.memoryKind(), 4);
    EXPECT_EQ(settings.dtDevice, 1);
    EXPECT_EQ(settings.panelRom, 3);
    EXPECT_EQ(link.selectDevice(0, 5), kOk);
    EXPECT_EQ(link.memoryKind(), 0);
    EXPECT_EQ(settings.memCard, 5);

    EXPECT_EQ(link.selectPGType('A'), kBadArgument);
    EXPECT_EQ(link.selectPGType('E'), kOk);
    EXPECT_EQ(settings.pgType, "PG-410");
    EXPECT_EQ(link.selectPGType('='), kOk);
    EXPECT_EQ(settings.pgType, "PG-418");
    EXPECT_EQ(settings.inits, settings.terminates);

    settings.failWrites = true;
    EXPECT_EQ(link.selectTransWay(1), kWriteSettingFailed);
    EXPECT_EQ(link.selectDevice(1, 0), kWriteSettingFailed);
    EXPECT_EQ(link.selectPGType('D'), kWriteSettingFailed);
    EXPECT_EQ(settings.inits, settings.terminates);
}

TEST_F(LinkTest, ProgramNumberWidths) {
    EXPECT_EQ(programNumberWidth(0), 3);
    EXPECT_EQ(programNumberWidth(1), 2);
    EXPECT_EQ(programNumberWidth(2), 2);
    EXPECT_EQ(programNumberWidth(3), 3);
    EXPECT_EQ(programNumberWidth(4), 3);
    EXPECT_EQ(programNumberWidth(5), -1);
    EXPECT_EQ(programNumberWidth(-1), -1);
    EXPECT_EQ(programNumberField(0, 12), "012");
    EXPECT_EQ(programNumberField(1, 12), "12");
    EXPECT_EQ(programNumberField(2, 123), "23");
    EXPECT_EQ(programNumberField(4, 1701), "701");
    EXPECT_FALSE(programNumberField(5, 1));
}

TEST_F(LinkTest, ClosedLinkFailsWithoutTouchingATransport) {
    bool ran = false;
    EXPECT_EQ(link.exchange([&](CommandProtocol&) { return ran = true, kOk; }), kCommFailed);
    EXPECT_FALSE(ran);
    EXPECT_EQ(link.close(), kCloseFailed);
    EXPECT_EQ(settings.terminates, 0);
}

TEST_F(LinkTest, OpenGreetsHoldsTheLockAndCloseReleasesIt) {
    settings.dtDevice = 1;
    settings.panelRom = 2;
    ASSERT_EQ(link.open(), kOk);
    EXPECT_TRUE(link.isOpen());
    EXPECT_EQ(link.memoryKind(), 3);
    EXPECT_EQ(limits.loads, 1);
    EXPECT_EQ(sim.core->enquiries(), 1u);
    EXPECT_FALSE(lockIsFree(lockName));

    patgen::CommandEntry entry;
    entry.code = 0x07;
    sim.core->addCommand(entry);
    const uint8_t payload[] = {'1', '2'};
    EXPECT_EQ(link.exchange([&](CommandProtocol& p) { return p.cmd(0x07, payload, 2); }), kOk);
    sim.core->faults().errorNumber = 12;
    EXPECT_EQ(link.word(link.exchange([&](CommandProtocol& p) { return p.cmd(0x07, payload, 2); })), 0x0CD0);

    EXPECT_EQ(link.close(), kOk);
    EXPECT_FALSE(link.isOpen());
    EXPECT_TRUE(lockIsFree(lockName));
    EXPECT_EQ(settings.inits, 1);
    EXPECT_EQ(settings.terminates, 1);
    EXPECT_EQ(link.close(), kCloseFailed);
}

TEST_F(LinkTest, NakAtTheGreetingClosesTheTransport) {
    sim.core->faults().nakEnquiry = 1;
    EXPECT_EQ(link.word(link.open()), 0xFFD2);
    EXPECT_FALSE(link.isOpen());
    EXPECT_TRUE(lockIsFree(lockName));
    // The port was closed again: it opens now.
    ASSERT_EQ(link.open(), kOk);
    EXPECT_EQ(link.close(), kOk);
    EXPECT_EQ(settings.inits, settings.terminates);
}

TEST_F(LinkTest, OpenFailuresReportTheirStep) {
    settings.seri.portNo = 8;  // no generator there
    EXPECT_EQ(link.open(), kOpenFailed);
    EXPECT_TRUE(lockIsFree(lockName));
    settings.seri.portNo = 7;
    settings.failTimeoutRead = true;
    EXPECT_EQ(link.open(), kReadSettingFailed);
    settings.failTimeoutRead = false;
    settings.failMemKind = true;
    EXPECT_EQ(link.open(), kReadSettingFailed);
    EXPECT_FALSE(link.isOpen());
    EXPECT_TRUE(lockIsFree(lockName));
    settings.failMemKind = false;
    sim.core->faults().silent = true;
    EXPECT_EQ(link.open(), kNoGreeting);
}

TEST_F(LinkTest, UsbWayWithoutLibraryFailsAndHoldsNoLock) {
    settings.way = kWayUsb;
    LinkEnvironment env = testEnvironment(&clock, lockName);
    env.usblinkPath = "/nonexistent/libusblink.so";
    Link usbLink(settings, limits, env);
    EXPECT_EQ(usbLink.word(usbLink.open()), 0xFFD4);
    EXPECT_TRUE(lockIsFree(lockName));
    EXPECT_FALSE(usbLink.isOpen());
}

TEST_F(LinkTest, StoredWayOutsideTheRangeKeepsTheWayBefore) {
    settings.way = 9;
    ASSERT_EQ(link.open(), kOk);
    EXPECT_EQ(link.state().way, kWaySerial);
    EXPECT_EQ(link.close(), kOk);
}

TEST_F(LinkTest, ParallelWayRunsExchangesThroughTheDriver) {
    platform::testing::ScopedEnv device("PGPIO_DEVICE", "sim:" + sim.name);
    settings.way = kWayParallel;
    ASSERT_EQ(link.open(), kOk);
    EXPECT_EQ(link.state().parallelWaits.readWait, 1000u);
    patgen::CommandEntry down;
    down.code = 0x30;
    down.kind = patgen::Kind::Down;
    down.blockSize = 256;
    down.dataLength = 600;
    down.store = "image";
    patgen::CommandEntry up = down;
    up.code = 0x31;
    up.kind = patgen::Kind::Up;
    sim.core->addCommand(down);
    sim.core->addCommand(up);
    Bytes data(600);
    for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<uint8_t>(i * 13);
    EXPECT_EQ(link.exchange([&](CommandProtocol& p) {
        return p.down(0x30, nullptr, 0, data.data(), data.size(), 256, BlockForm::Dle);
    }), kOk);
    Bytes back(600);
    EXPECT_EQ(link.exchange([&](CommandProtocol& p) {
        return p.up(0x31, nullptr, 0, back.data(), back.size(), 256, BlockForm::Dle);
    }), kOk);
    EXPECT_EQ(back, data);
    EXPECT_EQ(link.close(), kOk);
}

TEST_F(LinkTest, ParallelWayWithoutDriverFails) {
    platform::testing::ScopedEnv device("PGPIO_DEVICE", "");
    settings.way = kWayParallel;
    EXPECT_EQ(link.open(), kOpenFailed);
}

TEST_F(LinkTest, UsbWayRunsThroughTheLibrary) {
    platform::testing::ScopedEnv device("USBLINK_DEVICE", "sim:patgen");
    settings.way = kWayUsb;
    ASSERT_EQ(link.open(), kOk);
    EXPECT_TRUE(link.state().usb.library);
    EXPECT_EQ(link.close(), kOk);
    EXPECT_FALSE(link.state().usb.library);
}

TEST_F(LinkTest, SecondProcessWaitsForTheFirstToClose) {
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    pid_t pid = fork();
    if (pid == 0) {
        close(ready[0]);
        SimGenerator own(7);
        MemorySettings s;
        s.seri.portNo = 7;
        CountingLimits l;
        platform::FakeClock c;
        Link first(s, l, testEnvironment(&c, lockName));
        const bool opened = first.open() == kOk;
        const char flag = opened ? 'y' : 'n';
        if (write(ready[1], &flag, 1) != 1) _exit(2);
        platform::systemClock().sleepMs(400, "test");
        _exit(opened && first.close() == kOk ? 0 : 1);
    }
    close(ready[1]);
    char flag = 0;
    ASSERT_EQ(read(ready[0], &flag, 1), 1);
    close(ready[0]);
    ASSERT_EQ(flag, 'y');
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(link.open(), kOk);
    const auto waited =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
    EXPECT_GE(waited, 200);
    EXPECT_LT(waited, 4000);
    EXPECT_EQ(link.close(), kOk);
    int status = 0;
    waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}
