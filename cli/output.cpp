#include "cli/output.h"

#include <ostream>

#include "cli/exit_code.h"

namespace cli {

namespace {
constexpr int kBarWidth = 30;
}

Output::Output(std::ostream& out, std::ostream& err, Options options) : out_(out), err_(err), options_(options) {}

std::string Output::oneLine(const std::string& text) {
    std::string line;
    line.reserve(text.size());
    for (char c : text) {
        if (c == '\n') line += "\\n";
        else if (c != '\r') line += c;
    }
    return line;
}

void Output::emit(const nlohmann::ordered_json& object) {
    // Texts from model kits need not be UTF-8: such bytes print as U+FFFD.
    out_ << object.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
    out_.flush();
}

void Output::clearBar() {
    if (!barDrawn_) return;
    err_ << "\r\033[K";
    barDrawn_ = false;
}

void Output::errLine(const std::string& line) {
    clearBar();
    err_ << line << '\n';
    err_.flush();
    if (options_.progressBar && progress_ >= 0) progress(progress_);
}

void Output::data(const std::string& text, const nlohmann::ordered_json& object) {
    if (options_.json) return emit(object);
    clearBar();
    out_ << oneLine(text) << '\n';
    out_.flush();
}

void Output::log(const std::string& line, const std::string& list) {
    if (options_.json) return emit({{"log", line}, {"list", list}});
    clearBar();
    out_ << oneLine(line) << '\n';
    out_.flush();
}

void Output::show(const std::string& name, const std::string& value) {
    if (options_.json) return emit({{"show", name}, {"value", value}});
    errLine(name + ": " + oneLine(value));
}

void Output::message(const std::string& text) {
    if (options_.json) return emit({{"message", text}});
    errLine("message: " + oneLine(text));
}

void Output::question(const std::string& text, bool answer, bool answered) {
    if (options_.json) {
        nlohmann::ordered_json q{{"question", text}, {"answer", answer ? "yes" : "no"}};
        if (!answered) q["unanswered"] = true;
        return emit(q);
    }
    errLine("question: " + oneLine(text) + (answer ? " -> yes" : " -> no") + (answered ? "" : " (no answer left)"));
}

void Output::parameters(const std::string& heading, const std::vector<core::ParameterRow>& rows) {
    if (options_.json) {
        nlohmann::ordered_json list = nlohmann::ordered_json::array();
        for (const core::ParameterRow& r : rows) list.push_back({{"item", r.item}, {"value", r.value}, {"unit", r.unit}});
        return emit({{"parameters", list}, {"heading", heading}});
    }
    errLine("parameters: " + oneLine(heading));
    for (const core::ParameterRow& r : rows)
        errLine("  " + r.item + ": " + r.value + (r.unit.empty() ? "" : " " + r.unit));
}

void Output::screenOpened(const std::string& title, const std::string& kind) {
    if (options_.json) return emit({{"screen", title}, {"kind", kind}});
    errLine("screen: " + title);
}

void Output::progress(int percent) {
    if (options_.json) {
        if (percent != progress_ && percent >= 0) emit({{"progress", percent}});
        progress_ = percent;
        return;
    }
    progress_ = percent;
    if (!options_.progressBar) return;
    if (percent < 0) {
        clearBar();
        return;
    }
    const int filled = percent * kBarWidth / 100;
    err_ << "\r[" << std::string(static_cast<size_t>(filled), '#')
         << std::string(static_cast<size_t>(kBarWidth - filled), '.') << "] " << percent << "%";
    err_.flush();
    barDrawn_ = true;
}

void Output::status(const std::string& text) {
    if (options_.json) return emit({{"status", text}});
    errLine("status: " + oneLine(text));
}

void Output::error(const std::string& text) {
    if (options_.json) return emit({{"error", text}});
    errLine("pelaro-cli: " + oneLine(text));
}

void Output::result(int exitCode) {
    clearBar();
    if (options_.json) emit({{"result", exitWord(exitCode)}, {"exit", exitCode}});
}

} // namespace cli
