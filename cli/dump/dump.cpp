#include "cli/dump/dump.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "core/text_format.h"

namespace cli {

namespace {

std::string baseName(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return name;
}

bool tagAt(const std::vector<uint8_t>& b, size_t at, const char* tag) {
    const size_t n = std::char_traits<char>::length(tag);
    return b.size() >= at + n && std::equal(tag, tag + n, b.begin() + static_cast<long>(at));
}

bool isModelTable(const std::string& n, const std::vector<uint8_t>&) { return n == "mdlsel.sel"; }
bool isChassisCodes(const std::string& n, const std::vector<uint8_t>&) { return n == "mdlsel.cya"; }
bool isComTypeCodes(const std::string& n, const std::vector<uint8_t>&) { return n == "mdlsel.cmm"; }
bool isCustomerCodes(const std::string& n, const std::vector<uint8_t>&) { return n == "mdlsel.cus"; }
bool isFirmwareCodes(const std::string& n, const std::vector<uint8_t>&) { return n == "mdlsel.mai"; }
bool isNotice(const std::string& n, const std::vector<uint8_t>&) { return n == "kovhlp.txt"; }
bool isRelease(const std::string& n, const std::vector<uint8_t>&) { return endsWith(n, ".rls"); }
bool isMessage(const std::string& n, const std::vector<uint8_t>&) { return endsWith(n, ".msg"); }
bool isModelFile(const std::string& n, const std::vector<uint8_t>& b) { return endsWith(n, ".mdl") || tagAt(b, 4, "MDL="); }
bool isStandard(const std::string& n, const std::vector<uint8_t>& b) { return endsWith(n, ".std") || tagAt(b, 4, "STD="); }
bool isLink(const std::string& n, const std::vector<uint8_t>& b) { return endsWith(n, ".bus") || tagAt(b, 0, "====FOR="); }
bool isChassis(const std::string& n, const std::vector<uint8_t>&) { return endsWith(n, ".chs"); }

void renderValue(std::vector<std::string>& lines, const std::string& indent, const std::string& label,
                 const Fields& value) {
    if (value.is_object()) {
        lines.push_back(indent + label + ":");
        for (auto it = value.begin(); it != value.end(); ++it) renderValue(lines, indent + "  ", it.key(), it.value());
    } else if (value.is_array()) {
        const bool simple = std::all_of(value.begin(), value.end(), [](const Fields& v) { return v.is_primitive(); });
        if (simple) {
            std::string text;
            for (const Fields& v : value) text += (text.empty() ? "" : ", ") + (v.is_string() ? v.get<std::string>() : v.dump());
            lines.push_back(indent + label + ": [" + text + "]");
            return;
        }
        lines.push_back(indent + label + ":");
        for (size_t i = 0; i < value.size(); ++i) renderValue(lines, indent + "  ", "[" + std::to_string(i + 1) + "]", value[i]);
    } else {
        // Texts in double quotes so blanks at their ends show; numbers as they are.
        lines.push_back(indent + label + ": " +
                        value.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace));
    }
}

} // namespace

bool endsWith(const std::string& name, const char* suffix) {
    const size_t n = std::char_traits<char>::length(suffix);
    return name.size() >= n && name.compare(name.size() - n, n, suffix) == 0;
}

const std::vector<DumpFormat>& dumpFormats() {
    static const std::vector<DumpFormat> formats = {
        {"models", "model table (mdlsel.sel)", isModelTable, dumpModelTable},
        {"chassis-codes", "chassis code table (mdlsel.cya)", isChassisCodes, dumpChassisCodes},
        {"comtype-codes", "communication type code table (mdlsel.cmm)", isComTypeCodes, dumpComTypeCodes},
        {"customer-codes", "customer code table (mdlsel.cus)", isCustomerCodes, dumpCustomerCodes},
        {"firmware-codes", "firmware version code table (mdlsel.mai)", isFirmwareCodes, dumpFirmwareCodes},
        {"notice", "notice file (kovhlp.txt)", isNotice, dumpNoticeFile},
        {"release", "release file (pelaro.rls)", isRelease, dumpReleaseFile},
        {"message", "message file", isMessage, dumpMessageFile},
        {"model", "model file", isModelFile, dumpModelFile},
        {"standard", "standard file", isStandard, dumpStandardFile},
        {"link", "link description file", isLink, dumpLinkDescription},
        {"chassis", "chassis file", isChassis, dumpChassisFile},
    };
    return formats;
}

const DumpFormat* formatById(const std::string& id) {
    for (const DumpFormat& f : dumpFormats())
        if (id == f.id) return &f;
    return nullptr;
}

const DumpFormat* detectFormat(const std::string& path, const std::vector<uint8_t>& bytes) {
    const std::string name = baseName(path);
    for (const DumpFormat& f : dumpFormats())
        if (f.matches(name, bytes)) return &f;
    return nullptr;
}

std::vector<std::string> dumpLines(const Dump& dump) {
    std::vector<std::string> lines;
    for (auto it = dump.fields.begin(); it != dump.fields.end(); ++it) renderValue(lines, "", it.key(), it.value());
    for (const std::string& n : dump.notes) lines.push_back("note: " + n);
    if (dump.stop) lines.push_back(core::strf("stopped at offset %zu: %s", dump.stop->offset, dump.stop->reason.c_str()));
    return lines;
}

double floatValue(float value) { return std::strtod(core::strf("%.7g", static_cast<double>(value)).c_str(), nullptr); }

std::string hexCode(int code) { return core::strf("0x%04X", static_cast<unsigned>(code) & 0xFFFFu); }

Fields hexRows(const uint8_t* data, size_t size) {
    Fields rows = Fields::object();
    for (size_t at = 0; at < size; at += 32) {
        std::string row;
        for (size_t i = at; i < size && i < at + 32; ++i) row += core::strf(i == at ? "%02x" : " %02x", data[i]);
        rows[core::strf("%04zx", at)] = row;
    }
    return rows;
}

} // namespace cli
