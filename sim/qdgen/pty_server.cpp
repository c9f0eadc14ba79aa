#include "sim/qdgen/pty_server.h"

#include <filesystem>

namespace qdgen {

PtyServer::~PtyServer() {
    std::error_code ec;
    if (!link_.empty()) std::filesystem::remove(link_, ec);
}

bool PtyServer::open(const std::string& link, std::string* error) {
    pty_ = platform::PseudoTerminal::open(error);
    if (!pty_) return false;
    if (!link.empty()) {
        std::error_code ec;
        std::filesystem::remove(link, ec);
        std::filesystem::create_symlink(pty_->slavePath(), link, ec);
        if (ec) {
            if (error) *error = link + ": " + ec.message();
            return false;
        }
        link_ = link;
    }
    return true;
}

const std::string& PtyServer::path() const {
    static const std::string none;
    return pty_ ? pty_->slavePath() : none;
}

bool PtyServer::run() {
    uint8_t buf[1024];
    while (!stop_) {
        const long got = pty_->read(buf, sizeof buf, kPollMs);
        if (got < 0) return false;
        if (got == 0) continue;
        const std::string answer = line_.feed(buf, static_cast<size_t>(got));
        if (!answer.empty() && !pty_->write(reinterpret_cast<const uint8_t*>(answer.data()), answer.size()))
            return false;
    }
    return true;
}

} // namespace qdgen
