#include "platform/pseudo_terminal.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace platform {

std::unique_ptr<PseudoTerminal> PseudoTerminal::open(std::string* error) {
    int master = -1;
    int slave = -1;
    char name[256] = {};
    termios tio{};
    cfmakeraw(&tio);
    if (openpty(&master, &slave, name, &tio, nullptr) != 0) {
        if (error) *error = std::string("openpty: ") + strerror(errno);
        return nullptr;
    }
    // The host opens the slave by its path; this end keeps only the master.
    ::close(slave);
    fcntl(master, F_SETFD, FD_CLOEXEC);
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
    return std::unique_ptr<PseudoTerminal>(new PseudoTerminal(master, name));
}

PseudoTerminal::~PseudoTerminal() { ::close(master_); }

long PseudoTerminal::read(uint8_t* buf, size_t n, int timeoutMs) {
    pollfd p{master_, POLLIN, 0};
    int pr = poll(&p, 1, timeoutMs);
    if (pr < 0) return errno == EINTR ? 0 : -1;
    if (pr == 0) return 0;
    if (p.revents & POLLIN) {
        ssize_t r = ::read(master_, buf, n);
        if (r > 0) return static_cast<long>(r);
        if (r < 0 && (errno == EAGAIN || errno == EINTR)) return 0;
        if (r < 0 && errno != EIO) return -1;
    }
    // No host has the slave open: the master reports a hang-up at once.
    if (timeoutMs > 0) {
        timespec ts{timeoutMs / 1000, (timeoutMs % 1000) * 1000000L};
        nanosleep(&ts, nullptr);
    }
    return 0;
}

bool PseudoTerminal::write(const uint8_t* buf, size_t n) {
    size_t put = 0;
    while (put < n) {
        ssize_t r = ::write(master_, buf + put, n - put);
        if (r > 0) {
            put += static_cast<size_t>(r);
            continue;
        }
        if (r < 0 && errno != EAGAIN && errno != EINTR) return false;
        pollfd p{master_, POLLOUT, 0};
        if (poll(&p, 1, 1000) < 0 && errno != EINTR) return false;
    }
    return true;
}

} // namespace platform
