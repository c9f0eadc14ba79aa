#include "sim/monitor/monitor_behaviour.h"

#include <cerrno>
#include <cstdlib>
#include <sstream>

namespace sim {

namespace {

bool number(const std::string& text, long long low, long long high, long long& out) {
    if (text.empty()) return false;
    char* end = nullptr;
    errno = 0;
    out = std::strtoll(text.c_str(), &end, 0);
    return errno == 0 && *end == '\0' && out >= low && out <= high;
}

bool code(const std::string& text, uint16_t& out) {
    long long v = 0;
    if (!number(text, 0, 0xFFFF, v)) return false;
    out = static_cast<uint16_t>(v);
    return true;
}

bool frequency(const std::string& text, double& out) {
    char* end = nullptr;
    out = std::strtod(text.c_str(), &end);
    return !text.empty() && *end == '\0' && out > 0;
}

MonitorBehaviour::Take bad(std::string* error, const std::string& option, const std::string& value) {
    if (error) *error = "bad " + option + " " + value;
    return MonitorBehaviour::Take::Bad;
}

} // namespace

const char* MonitorBehaviour::usage() {
    return "  --timing-file FILE              the generator's output, as pelaro-patgen-sim writes it\n"
           "  --status MODE,HFREQ,VFREQ,SYNC  codes of the mode-number, frequency and sync/polarity registers\n"
           "  --mode HKHZ/VHZ                 a preset mode; repeat in mode order\n"
           "  --register CODE=VALUE           a register's value at start (failure bits, identifiers, power)\n"
           "  --register CODE@MODE=VALUE      a per-mode register's value in mode MODE (0..255)\n"
           "  --self-clearing CODE            a register that reads 0 again once written (degauss)\n";
}

MonitorBehaviour::Take MonitorBehaviour::take(const std::string& option, const std::string& value,
                                              std::string* error) {
    if (option == "--timing-file") {
        if (value.empty()) return bad(error, option, value);
        timingFile = value;
    } else if (option == "--status") {
        std::vector<uint16_t> codes;
        std::stringstream in(value);
        std::string part;
        while (std::getline(in, part, ',')) {
            uint16_t c = 0;
            if (!code(part, c)) return bad(error, option, value);
            codes.push_back(c);
        }
        if (codes.size() != 4) return bad(error, option, value);
        status = {codes[0], codes[1], codes[2], codes[3]};
    } else if (option == "--mode") {
        const size_t slash = value.find('/');
        MonitorMode m;
        if (slash == std::string::npos || !frequency(value.substr(0, slash), m.hKHz) ||
            !frequency(value.substr(slash + 1), m.vHz))
            return bad(error, option, value);
        modes.push_back(m);
    } else if (option == "--register") {
        const size_t eq = value.find('=');
        if (eq == std::string::npos) return bad(error, option, value);
        const size_t at = value.find('@');
        const size_t codeEnd = at < eq ? at : eq;
        uint16_t c = 0;
        long long v = 0, mode = -1;
        if (!code(value.substr(0, codeEnd), c) || !number(value.substr(eq + 1), -32768, 65535, v) ||
            (at < eq && !number(value.substr(at + 1, eq - at - 1), 0, 255, mode)))
            return bad(error, option, value);
        registers.push_back({c, static_cast<int>(mode), static_cast<int32_t>(v)});
    } else if (option == "--self-clearing") {
        uint16_t c = 0;
        if (!code(value, c)) return bad(error, option, value);
        selfClearing.push_back(c);
    } else {
        return Take::NotMine;
    }
    return Take::Taken;
}

bool MonitorBehaviour::parse(const std::vector<std::string>& args, std::string* error) {
    for (size_t i = 0; i < args.size(); i += 2) {
        if (i + 1 >= args.size()) {
            if (error) *error = args[i] + " needs a value";
            return false;
        }
        const Take t = take(args[i], args[i + 1], error);
        if (t == Take::Bad) return false;
        if (t == Take::NotMine) {
            if (error) *error = "unknown option " + args[i];
            return false;
        }
    }
    return true;
}

std::shared_ptr<SignalStatus> MonitorBehaviour::applyTo(MonitorProtocol& protocol) const {
    for (const Register& r : registers) protocol.setRegister(r.code, r.value, r.mode);
    for (uint16_t c : selfClearing) protocol.setSelfClearing(c);
    const bool anyStatus = status.modeNumber || status.hFrequency || status.vFrequency || status.syncPolarity;
    if (!anyStatus && modes.empty()) return nullptr;
    auto signal = std::make_shared<SignalStatus>(status, modes);
    if (!timingFile.empty()) {
        const std::string path = timingFile;
        signal->setSource([path] { return readOutputTiming(path); });
    }
    protocol.setSignalStatus(signal);
    return signal;
}

} // namespace sim
