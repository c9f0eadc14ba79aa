#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>

#include <thread>
#include <termios.h>
#include <unistd.h>

#include <chrono>

#include "platform/clock.h"
#include "platform/port_map.h"
#include "platform/serial_port.h"
#include "platform/testing/test_folder.h"

using namespace platform;
using platform::testing::ScopedEnv;
using platform::testing::TestFolder;

namespace {

// A pseudo-terminal standing in for a device: the test plays the device on
// the master side, the port under test opens the slave.
struct Pty {
    int master = -1;
    int slave = -1;
    std::string path;
    Pty() {
        char name[256];
        EXPECT_EQ(openpty(&master, &slave, name, nullptr, nullptr), 0);
        path = name;
        termios tio{};
        tcgetattr(master, &tio);
        cfmakeraw(&tio);
        tcsetattr(master, TCSANOW, &tio);
    }
    ~Pty() {
        close(master);
        close(slave);
    }
    std::string readMaster(size_t n, int timeoutMs = 2000) {
        std::string out;
        while (out.size() < n) {
            pollfd p{master, POLLIN, 0};
            if (poll(&p, 1, timeoutMs) <= 0) break;
            char buf[256];
            ssize_t r = ::read(master, buf, std::min(sizeof buf, n - out.size()));
            if (r <= 0) break;
            out.append(buf, static_cast<size_t>(r));
        }
        return out;
    }
};

long long msSince(std::chrono::steady_clock::time_point t0) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - t0).count();
}

} // namespace

TEST(PortMap, ComNamesMapThroughTheFileOrDefault) {
    TestFolder dir;
    dir.write("ports.ini", "[COM]\nCOM3=/dev/ttyUSB7\ncom4 = sim:monitor\n");
    ScopedEnv env("COMPORTS", dir.file("ports.ini"));
    EXPECT_EQ(resolvePortName("COM3"), "/dev/ttyUSB7");
    EXPECT_EQ(resolvePortName("com4"), "sim:monitor");
    EXPECT_EQ(resolvePortName("COM1"), "/dev/ttyS0");
    EXPECT_EQ(resolvePortName("COM12"), "/dev/ttyS11");
    EXPECT_EQ(resolvePortName("/dev/pts/9"), "/dev/pts/9");
    EXPECT_EQ(comPortNumber("COM12"), 12);
    EXPECT_FALSE(comPortNumber("COM0"));
    EXPECT_FALSE(comPortNumber("COMX"));
    EXPECT_FALSE(comPortNumber("LPT1"));
}

TEST(PortMap, MapDefaultsToConfigHome) {
    TestFolder dir;
    ScopedEnv xdg("XDG_CONFIG_HOME", dir.path());
    unsetenv("COMPORTS");
    EXPECT_EQ(portMapPath(), dir.file("comports.ini"));
    dir.write("comports.ini", "[COM]\nCOM2=/dev/ttyACM0\n");
    EXPECT_EQ(resolvePortName("COM2"), "/dev/ttyACM0");
}

TEST(SerialPort, BytesMoveBothWaysOverAPty) {
    Pty pty;
    TestFolder dir;
    dir.write("ports.ini", "[COM]\nCOM5=" + pty.path + "\n");
    ScopedEnv env("COMPORTS", dir.file("ports.ini"));
    std::string error;
    auto port = openSerialPort("COM5", &error);
    ASSERT_TRUE(port) << error;
    EXPECT_EQ(port->device(), pty.path);

    LineSettings line;
    line.baud = 9600;
    ASSERT_TRUE(port->setLine(line));
    LineSettings back;
    ASSERT_TRUE(port->getLine(back));
    EXPECT_EQ(back.baud, 9600);
    EXPECT_EQ(back.dataBits, 8);
    EXPECT_EQ(back.parity, Parity::None);
    EXPECT_EQ(back.stopBits, StopBits::One);
    EXPECT_FALSE(back.xonXoff);
    EXPECT_TRUE(port->setDtr(true));  // a pty refuses modem lines; that is not an error
    port->setTimeouts({50, 4, 2000, 4, 200});

    const uint8_t out[] = {0x00, 0xFF, 0x11, 0x13, 0x0D, 0x0A};  // raw: no flow control, no CR mapping
    EXPECT_EQ(port->write(out, sizeof out), sizeof out);
    EXPECT_EQ(pty.readMaster(sizeof out), std::string(reinterpret_cast<const char*>(out), sizeof out));

    const char in[] = "\x7F\x03\x11\x13\rAB";
    ASSERT_EQ(::write(pty.master, in, 7), 7);
    uint8_t buf[7] = {};
    EXPECT_EQ(port->read(buf, 7), 7u);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buf), 7), std::string(in, 7));
}

TEST(SerialPort, SilentLineTimesOutAfterTheTotalAndNotMuchLater) {
    Pty pty;
    auto port = openSerialPort(pty.path);
    ASSERT_TRUE(port);
    port->setTimeouts({300, 4, 300, 0, 0});
    uint8_t b;
    auto t0 = std::chrono::steady_clock::now();
    EXPECT_EQ(port->read(&b, 1), 0u);
    long long waited = msSince(t0);
    EXPECT_GE(waited, 290);
    EXPECT_LT(waited, 1500);
}

TEST(SerialPort, WaitsOfARealLineGoThroughTheInjectedClock) {
    Pty pty;
    FakeClock clock;
    auto port = openSerialPort(pty.path, nullptr, &clock);
    ASSERT_TRUE(port);
    // The monitor link's figures: T = 3000 ms, 4 ms a byte.
    port->setTimeouts({3000, 4, 3000, 4, 30});
    uint8_t b;
    auto t0 = std::chrono::steady_clock::now();
    EXPECT_EQ(port->read(&b, 1), 0u);
    EXPECT_LT(msSince(t0), 1000);  // the fake clock waited, not the test
    EXPECT_EQ(clock.waits(), (std::vector<FakeClock::Wait>{{std::string(kWaitSerialRead), 3004}}));
    // Bytes already there are read without a wait.
    ASSERT_EQ(::write(pty.master, "ok", 2), 2);
    usleep(50000);  // the pseudo-terminal passes the bytes on in its own time
    clock.clearSleeps();
    uint8_t buf[2];
    EXPECT_EQ(port->read(buf, 2), 2u);
    EXPECT_TRUE(clock.waits().empty());
}

TEST(SerialPort, AnswerArrivingDuringTheWaitIsReadAtOnce) {
    Pty pty;
    auto port = openSerialPort(pty.path);
    ASSERT_TRUE(port);
    port->setTimeouts({3000, 4, 3000, 0, 0});
    std::thread peer([&] {
        usleep(100000);
        ASSERT_EQ(::write(pty.master, "z", 1), 1);
    });
    uint8_t b = 0;
    auto t0 = std::chrono::steady_clock::now();
    EXPECT_EQ(port->read(&b, 1), 1u);
    EXPECT_LT(msSince(t0), 2500);
    EXPECT_EQ(b, 'z');
    peer.join();
}

TEST(SerialPort, IntervalEndsAReadAfterTheLastByte) {
    Pty pty;
    auto port = openSerialPort(pty.path);
    ASSERT_TRUE(port);
    port->setTimeouts({100, 0, 5000, 0, 0});
    ASSERT_EQ(::write(pty.master, "abc", 3), 3);
    uint8_t buf[10];
    auto t0 = std::chrono::steady_clock::now();
    EXPECT_EQ(port->read(buf, 10), 3u);
    EXPECT_LT(msSince(t0), 2500);  // the interval ended it, not the 5 s total
}

TEST(SerialPort, NoWaitReturnsWhatIsThere) {
    Pty pty;
    auto port = openSerialPort(pty.path);
    ASSERT_TRUE(port);
    port->setTimeouts({SerialTimeouts::kNoWait, 0, 0, 0, 0});
    uint8_t buf[4];
    EXPECT_EQ(port->read(buf, 4), 0u);
    ASSERT_EQ(::write(pty.master, "xy", 2), 2);
    usleep(50000);
    EXPECT_EQ(port->read(buf, 4), 2u);
}

TEST(SerialPort, PurgeDropsPendingInput) {
    Pty pty;
    auto port = openSerialPort(pty.path);
    ASSERT_TRUE(port);
    ASSERT_EQ(::write(pty.master, "stale", 5), 5);
    usleep(50000);
    EXPECT_TRUE(port->purge(true, true));
    port->setTimeouts({SerialTimeouts::kNoWait, 0, 0, 0, 0});
    uint8_t buf[8];
    EXPECT_EQ(port->read(buf, 8), 0u);
}

TEST(SerialPort, SecondOpenOfTheSameDeviceFails) {
    Pty pty;
    auto first = openSerialPort(pty.path);
    ASSERT_TRUE(first);
    std::string error;
    auto second = openSerialPort(pty.path, &error);
    EXPECT_FALSE(second);
    EXPECT_NE(error.find("in use"), std::string::npos) << error;
    first.reset();
    EXPECT_TRUE(openSerialPort(pty.path));
}

TEST(SerialPort, MissingDeviceFailsWithAReason) {
    std::string error;
    EXPECT_FALSE(openSerialPort("/dev/no-such-serial-device", &error));
    EXPECT_FALSE(error.empty());
}
