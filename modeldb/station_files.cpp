#include "modeldb/station_files.h"

#include "core/record_io.h"

namespace modeldb {

NoticeFile decodeNoticeFile(const std::vector<uint8_t>& bytes)
{
    NoticeFile file;
    const size_t count = bytes.size() / kNoticeRecordSize;
    for (size_t i = 0; i < count; ++i) {
        core::RecordReader r(bytes.data() + i * kNoticeRecordSize, kNoticeRecordSize);
        file.notices.push_back({r.i16At(0), r.textAt(2, 20), r.textAt(22, 128)});
    }
    if (bytes.size() % kNoticeRecordSize != 0) file.partialAt = count * kNoticeRecordSize;
    return file;
}

ReleaseFile decodeReleaseFile(const std::vector<uint8_t>& bytes)
{
    ReleaseFile file;
    const size_t count = bytes.size() / kReleaseRecordSize;
    for (size_t i = 0; i < count; ++i) {
        core::RecordReader r(bytes.data() + i * kReleaseRecordSize, kReleaseRecordSize);
        if (i == 0) {
            file.header = r.textAt(0, kReleaseRecordSize);
            file.hasHeader = true;
            continue;
        }
        file.versions.push_back({r.textAt(0, kReleaseRecordSize - 1), r.textAt(0, 15), r.textAt(15, 16),
                                 r.textAt(31, 20)});
    }
    if (bytes.size() % kReleaseRecordSize != 0) file.partialAt = count * kReleaseRecordSize;
    return file;
}

} // namespace modeldb
