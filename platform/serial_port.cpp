#include "platform/serial_port.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <deque>
#include <mutex>
#include <set>

#include "platform/clock.h"
#include "platform/port_map.h"
#include "platform/sim_port.h"

namespace platform {

namespace {

constexpr uint64_t kNoDeadline = ~uint64_t{0};

bool waitsForever(const SerialTimeouts& t) {
    return t.readInterval == 0 && t.readMultiplier == 0 && t.readConstant == 0;
}

bool returnsAtOnce(const SerialTimeouts& t) {
    return t.readInterval == SerialTimeouts::kNoWait && t.readMultiplier == 0 && t.readConstant == 0;
}

uint64_t totalReadMs(const SerialTimeouts& t, size_t n) {
    return uint64_t{t.readConstant} + uint64_t{t.readMultiplier} * n;
}

uint64_t intervalMs(const SerialTimeouts& t) {
    return (t.readInterval == 0 || t.readInterval == SerialTimeouts::kNoWait) ? kNoDeadline : t.readInterval;
}

struct BaudCode {
    int baud;
    speed_t code;
};

constexpr BaudCode kBauds[] = {
    {50, B50},       {75, B75},         {110, B110},       {134, B134},       {150, B150},
    {200, B200},     {300, B300},       {600, B600},       {1200, B1200},     {1800, B1800},
    {2400, B2400},   {4800, B4800},     {9600, B9600},     {19200, B19200},   {38400, B38400},
    {57600, B57600}, {115200, B115200}, {230400, B230400}, {460800, B460800}, {921600, B921600},
};

bool baudToCode(int baud, speed_t& code) {
    for (const BaudCode& b : kBauds)
        if (b.baud == baud) {
            code = b.code;
            return true;
        }
    return false;
}

int codeToBaud(speed_t code) {
    for (const BaudCode& b : kBauds)
        if (b.code == code) return b.baud;
    return 0;
}

// A real device: a serial adapter, a built-in port or a pseudo-terminal.
class TtySerialPort : public SerialPort {
public:
    TtySerialPort(int fd, std::string device, Clock& clock) : fd_(fd), device_(std::move(device)), clock_(clock) {}
    ~TtySerialPort() override {
        flock(fd_, LOCK_UN);
        ::close(fd_);
    }

    bool getLine(LineSettings& out) override {
        termios tio{};
        if (tcgetattr(fd_, &tio) != 0) return false;
        out.baud = codeToBaud(cfgetospeed(&tio));
        switch (tio.c_cflag & CSIZE) {
        case CS5: out.dataBits = 5; break;
        case CS6: out.dataBits = 6; break;
        case CS7: out.dataBits = 7; break;
        default: out.dataBits = 8; break;
        }
        out.parity = !(tio.c_cflag & PARENB) ? Parity::None : (tio.c_cflag & PARODD) ? Parity::Odd : Parity::Even;
        out.stopBits = (tio.c_cflag & CSTOPB) ? StopBits::Two : StopBits::One;
        out.xonXoff = (tio.c_iflag & (IXON | IXOFF)) != 0;
        return true;
    }

    bool setLine(const LineSettings& s) override {
        termios tio{};
        if (tcgetattr(fd_, &tio) != 0) return false;
        speed_t code;
        if (!baudToCode(s.baud, code)) return false;
        cfsetispeed(&tio, code);
        cfsetospeed(&tio, code);
        tio.c_cflag &= ~CSIZE;
        switch (s.dataBits) {
        case 5: tio.c_cflag |= CS5; break;
        case 6: tio.c_cflag |= CS6; break;
        case 7: tio.c_cflag |= CS7; break;
        case 8: tio.c_cflag |= CS8; break;
        default: return false;
        }
        tio.c_cflag &= ~(PARENB | PARODD);
        if (s.parity == Parity::Odd) tio.c_cflag |= PARENB | PARODD;
        if (s.parity == Parity::Even) tio.c_cflag |= PARENB;
        // POSIX has no 1.5 stop bits; two is the nearest the line can do.
        if (s.stopBits == StopBits::One)
            tio.c_cflag &= ~CSTOPB;
        else
            tio.c_cflag |= CSTOPB;
        if (s.xonXoff)
            tio.c_iflag |= IXON | IXOFF;
        else
            tio.c_iflag &= ~(IXON | IXOFF | IXANY);
        if (tcsetattr(fd_, TCSANOW, &tio) == 0) return true;
        // A pseudo-terminal keeps 8 data bits whatever is asked, and the C
        // library then reports the set as failed; the rest did take effect.
        termios now{};
        return errno == EINVAL && device_.rfind("/dev/pts/", 0) == 0 && tcgetattr(fd_, &now) == 0 &&
               cfgetospeed(&now) == code && (now.c_cflag & PARENB) == (tio.c_cflag & PARENB);
    }

    bool setTimeouts(const SerialTimeouts& t) override {
        timeouts_ = t;
        return true;
    }
    SerialTimeouts timeouts() const override { return timeouts_; }
    bool setQueues(size_t, size_t) override { return true; }

    bool purge(bool output, bool input) override {
        if (output && input) return tcflush(fd_, TCIOFLUSH) == 0;
        if (output) return tcflush(fd_, TCOFLUSH) == 0;
        if (input) return tcflush(fd_, TCIFLUSH) == 0;
        return true;
    }

    bool setDtr(bool on) override {
        int bits = TIOCM_DTR;
        if (ioctl(fd_, on ? TIOCMBIS : TIOCMBIC, &bits) == 0) return true;
        // Pseudo-terminals have no modem lines.
        return errno == ENOTTY || errno == EINVAL || errno == ENOTSUP || errno == EIO;
    }

    size_t read(uint8_t* buf, size_t n) override {
        size_t got = 0;
        if (n == 0) return 0;
        Clock& clock = clock_;
        const SerialTimeouts t = timeouts_;
        const uint64_t start = clock.tickMs();
        const uint64_t totalDeadline = waitsForever(t) || (t.readMultiplier == 0 && t.readConstant == 0)
                                           ? kNoDeadline
                                           : start + totalReadMs(t, n);
        const uint64_t interval = intervalMs(t);
        uint64_t lastByte = 0;
        bool ready = false;  // the last wait said the line can be read
        while (got < n) {
            ssize_t r = ::read(fd_, buf + got, n - got);
            if (r > 0) {
                got += static_cast<size_t>(r);
                lastByte = clock.tickMs();
                ready = false;
                continue;
            }
            // With VMIN = VTIME = 0 an empty line reads 0 bytes: wait for it.
            // A far end that is gone shows as EIO, or as a line that is ready
            // but gives nothing.
            bool hungUp = (r < 0 && errno == EIO) || (ready && r == 0);
            if (r < 0 && errno != EAGAIN && errno != EINTR && !hungUp) break;
            if (returnsAtOnce(t)) break;
            uint64_t now = clock.tickMs();
            uint64_t deadline = totalDeadline;
            if (got > 0 && interval != kNoDeadline) deadline = std::min(deadline, lastByte + interval);
            if (deadline != kNoDeadline && now >= deadline) break;
            const uint32_t waitMs = deadline == kNoDeadline
                                        ? Clock::kForever
                                        : static_cast<uint32_t>(std::min<uint64_t>(deadline - now, 1u << 30));
            if (hungUp) {
                // The other end is gone: wait out the time-out instead of spinning.
                if (waitMs != Clock::kForever) clock.sleepMs(waitMs, kWaitSerialRead);
                break;
            }
            // The wait goes through the clock, which may keep a window painted.
            ready = clock.waitFd(fd_, FdWait::Readable, waitMs, kWaitSerialRead);
            if (!ready && waitMs == Clock::kForever) break;
        }
        return got;
    }

    size_t write(const uint8_t* buf, size_t n) override {
        size_t put = 0;
        Clock& clock = clock_;
        const SerialTimeouts t = timeouts_;
        const uint64_t total = uint64_t{t.writeConstant} + uint64_t{t.writeMultiplier} * n;
        const uint64_t deadline = total == 0 ? kNoDeadline : clock.tickMs() + total;
        while (put < n) {
            ssize_t r = ::write(fd_, buf + put, n - put);
            if (r > 0) {
                put += static_cast<size_t>(r);
                continue;
            }
            if (r < 0 && errno != EAGAIN && errno != EINTR) break;
            uint64_t now = clock.tickMs();
            if (deadline != kNoDeadline && now >= deadline) break;
            const uint32_t waitMs = deadline == kNoDeadline
                                        ? Clock::kForever
                                        : static_cast<uint32_t>(std::min<uint64_t>(deadline - now, 1u << 30));
            if (!clock.waitFd(fd_, FdWait::Writable, waitMs, kWaitSerialWrite) && waitMs == Clock::kForever) break;
        }
        return put;
    }

    const std::string& device() const override { return device_; }

private:
    int fd_;
    std::string device_;
    Clock& clock_;
    SerialTimeouts timeouts_;
};

std::unique_ptr<SerialPort> openTty(const std::string& path, std::string* error, Clock& clock) {
    auto fail = [&](const std::string& why) -> std::unique_ptr<SerialPort> {
        if (error) *error = path + ": " + why;
        return nullptr;
    };
    int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return fail(strerror(errno));
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return fail("in use by another program");
    }
    termios tio{};
    if (tcgetattr(fd, &tio) != 0) {
        int saved = errno;
        ::close(fd);
        return fail(strerror(saved));
    }
    ioctl(fd, TIOCEXCL);
    cfmakeraw(&tio);
    tio.c_cflag |= CLOCAL | CREAD;
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    if (tcsetattr(fd, TCSANOW, &tio) != 0) {
        int saved = errno;
        ::close(fd);
        return fail(strerror(saved));
    }
    return std::make_unique<TtySerialPort>(fd, path, clock);
}

// Names of simulated ports now open; like a real port, each opens once.
std::mutex& simOpenMutex() {
    static std::mutex m;
    return m;
}
std::set<std::string>& simOpenNames() {
    static std::set<std::string> names;
    return names;
}

// A port whose far end is an in-process simulated device. Its bytes for the
// host carry the time from which they can be read, on the port's clock.
class SimSerialPort : public SerialPort, private SimLine {
public:
    SimSerialPort(std::string name, std::shared_ptr<SimDevice> device, Clock& clock)
        : name_(std::move(name)), device_(std::move(device)), clock_(clock) {}
    ~SimSerialPort() override {
        std::lock_guard<std::mutex> lock(simOpenMutex());
        simOpenNames().erase(name_);
    }

    bool getLine(LineSettings& out) override {
        out = line_;
        return true;
    }
    bool setLine(const LineSettings& s) override {
        line_ = s;
        return true;
    }
    bool setTimeouts(const SerialTimeouts& t) override {
        timeouts_ = t;
        return true;
    }
    SerialTimeouts timeouts() const override { return timeouts_; }
    bool setQueues(size_t, size_t) override { return true; }
    bool purge(bool, bool input) override {
        if (input) pending_.clear();
        return true;
    }
    bool setDtr(bool on) override {
        device_->dtrChanged(on);
        return true;
    }

    size_t read(uint8_t* buf, size_t n) override {
        size_t got = 0;
        if (n == 0) return 0;
        const SerialTimeouts t = timeouts_;
        const uint64_t start = clock_.tickMs();
        const uint64_t totalDeadline = (t.readMultiplier == 0 && t.readConstant == 0) ? kNoDeadline
                                                                                      : start + totalReadMs(t, n);
        const uint64_t interval = intervalMs(t);
        uint64_t lastByte = 0;
        while (got < n) {
            uint64_t now = clock_.tickMs();
            while (got < n && !pending_.empty() && pending_.front().readyAt <= now) {
                buf[got++] = pending_.front().byte;
                lastByte = std::max(pending_.front().readyAt, start);
                pending_.pop_front();
            }
            if (got == n || returnsAtOnce(t)) break;
            uint64_t deadline = totalDeadline;
            if (got > 0 && interval != kNoDeadline) deadline = std::min(deadline, lastByte + interval);
            if (pending_.empty() && deadline == kNoDeadline) break;  // nothing can ever arrive
            if (deadline != kNoDeadline && now >= deadline) break;
            uint64_t until = pending_.empty() ? deadline : std::min(deadline, pending_.front().readyAt);
            if (until > now) clock_.sleepMs(static_cast<uint32_t>(std::min<uint64_t>(until - now, 0xFFFFFFFFu)), kWaitSerialRead);
        }
        return got;
    }

    size_t write(const uint8_t* buf, size_t n) override {
        device_->fromHost(*this, buf, n);
        return n;
    }

    const std::string& device() const override { return name_; }

private:
    void toHost(const uint8_t* data, size_t n, uint32_t delayMs) override {
        uint64_t at = clock_.tickMs() + delayMs;
        if (!pending_.empty()) at = std::max(at, pending_.back().readyAt);
        for (size_t i = 0; i < n; ++i) pending_.push_back({data[i], at});
    }
    uint64_t nowMs() override { return clock_.tickMs(); }

    struct Pending {
        uint8_t byte;
        uint64_t readyAt;
    };
    std::string name_;
    std::shared_ptr<SimDevice> device_;
    Clock& clock_;
    LineSettings line_;
    SerialTimeouts timeouts_;
    std::deque<Pending> pending_;
};

std::unique_ptr<SerialPort> openSim(const std::string& name, std::string* error, Clock* clock) {
    const std::string simName = name.substr(4);
    {
        std::lock_guard<std::mutex> lock(simOpenMutex());
        if (simOpenNames().count(name)) {
            if (error) *error = name + ": in use by another program";
            return nullptr;
        }
    }
    std::shared_ptr<SimDevice> device = makeSimDevice(simName);
    if (!device) {
        if (error) *error = name + ": no such simulated device";
        return nullptr;
    }
    std::lock_guard<std::mutex> lock(simOpenMutex());
    if (!simOpenNames().insert(name).second) {
        if (error) *error = name + ": in use by another program";
        return nullptr;
    }
    return std::make_unique<SimSerialPort>(name, std::move(device), clock ? *clock : systemClock());
}

} // namespace

std::unique_ptr<SerialPort> openSerialPort(const std::string& name, std::string* error, Clock* clock) {
    std::string device = resolvePortName(name);
    if (device.rfind("sim:", 0) == 0) return openSim(device, error, clock);
    if (device.empty()) {
        if (error) *error = "no port name";
        return nullptr;
    }
    return openTty(device, error, clock ? *clock : systemClock());
}

} // namespace platform
