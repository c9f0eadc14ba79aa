// The station's notice file "kovhlp.txt" and release file "pelaro.rls": the
// input decoded as each. Whole records only, every field within its bounds.
#include <cstdint>
#include <vector>

#include "modeldb/station_files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<uint8_t> bytes(data, data + size);

    const modeldb::NoticeFile notices = modeldb::decodeNoticeFile(bytes);
    if (notices.notices.size() * modeldb::kNoticeRecordSize > size) __builtin_trap();
    for (const modeldb::Notice& n : notices.notices)
        if (n.modelName.size() > 20 || n.text.size() > 128) __builtin_trap();
    if (notices.partialAt && *notices.partialAt != notices.notices.size() * modeldb::kNoticeRecordSize)
        __builtin_trap();

    const modeldb::ReleaseFile releases = modeldb::decodeReleaseFile(bytes);
    const size_t records = releases.versions.size() + (releases.hasHeader ? 1 : 0);
    if (records * modeldb::kReleaseRecordSize > size) __builtin_trap();
    for (const modeldb::ReleaseRecord& r : releases.versions)
        if (r.text.size() > modeldb::kReleaseRecordSize || r.version.size() > 15 || r.editor.size() > 16 ||
            r.date.size() > 20)
            __builtin_trap();
    return 0;
}
