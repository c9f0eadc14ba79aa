// The message files, the notice file and the release file.
#include "cli/dump/dump.h"

#include <sstream>

#include "core/text_format.h"
#include "modeldb/message_file.h"
#include "modeldb/station_files.h"

namespace cli {

namespace {

Dump::Stop partial(size_t at, size_t size, size_t recordSize) {
    return {at, core::strf("a partial record of %zu bytes; records are %zu bytes", size - at, recordSize)};
}

} // namespace

Dump dumpMessageFile(const std::vector<uint8_t>& bytes) {
    Dump d;
    std::istringstream in(std::string(bytes.begin(), bytes.end()));
    Fields messages = Fields::array();
    for (const modeldb::MessageEntry& m : modeldb::readMessages(in))
        messages.push_back(Fields{{"number", m.number}, {"line", m.line}, {"text", m.text}});
    d.fields["messages"] = messages;
    return d;
}

Dump dumpNoticeFile(const std::vector<uint8_t>& bytes) {
    Dump d;
    const modeldb::NoticeFile file = modeldb::decodeNoticeFile(bytes);
    Fields notices = Fields::array();
    for (const modeldb::Notice& n : file.notices)
        notices.push_back(Fields{{"kind", n.kind}, {"model name", n.modelName}, {"text", n.text}});
    d.fields["notices"] = notices;
    if (file.partialAt) d.stop = partial(*file.partialAt, bytes.size(), modeldb::kNoticeRecordSize);
    return d;
}

Dump dumpReleaseFile(const std::vector<uint8_t>& bytes) {
    Dump d;
    const modeldb::ReleaseFile file = modeldb::decodeReleaseFile(bytes);
    if (file.hasHeader) d.fields["header"] = file.header;
    Fields versions = Fields::array();
    for (const modeldb::ReleaseRecord& r : file.versions)
        versions.push_back(Fields{{"version", r.version}, {"editor", r.editor}, {"date", r.date}});
    d.fields["versions"] = versions;
    if (file.partialAt) d.stop = partial(*file.partialAt, bytes.size(), modeldb::kReleaseRecordSize);
    return d;
}

} // namespace cli
