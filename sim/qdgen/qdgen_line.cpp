#include "sim/qdgen/qdgen_line.h"

namespace qdgen {

std::string LineProtocol::feed(const uint8_t* data, size_t n) {
    std::string answer;
    for (size_t i = 0; i < n; ++i) {
        const char c = static_cast<char>(data[i]);
        if (c != '\n') {
            if (line_.size() < kMaxLine) line_ += c;
            else tooLong_ = true;
            continue;
        }
        if (!line_.empty() && line_.back() == '\r') line_.pop_back();
        if (tooLong_) {
            // Refused whole; a query still gets its (empty) line.
            const std::string word = line_.substr(0, line_.find_first_of(" \t"));
            core_.refuse("a line longer than 512 characters");
            if (!word.empty() && word.back() == '?') answer += "\r\n";
        } else if (const std::optional<std::string> reply = core_.command(line_)) {
            answer += *reply + "\r\n";
        }
        line_.clear();
        tooLong_ = false;
    }
    return answer;
}

void QdgenSimDevice::fromHost(platform::SimLine& line, const uint8_t* data, size_t n) {
    const std::string answer = line_.feed(data, n);
    if (!answer.empty()) line.toHost(reinterpret_cast<const uint8_t*>(answer.data()), answer.size());
}

void registerQdgenSim(std::shared_ptr<QdgenCore> core, const std::string& name) {
    if (!core) core = std::make_shared<QdgenCore>();
    platform::registerSimDevice(name, [core] { return std::make_shared<QdgenSimDevice>(core); });
}

} // namespace qdgen
