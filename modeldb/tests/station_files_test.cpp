#include <gtest/gtest.h>

#include "core/record_io.h"
#include "kit/model_kit.h"
#include "modeldb/station_files.h"

using namespace modeldb;

TEST(NoticeFile, RecordsOfTheKitWriterAndATrailingPart)
{
    kit::Bytes bytes = kit::noticeFile({{21, "VX-1900S", "No factory preset."}, {8, "KR-2100", "Other notice"}});
    NoticeFile file = decodeNoticeFile(bytes);
    ASSERT_EQ(file.notices.size(), 2u);
    EXPECT_EQ(file.notices[0].kind, kNoticeNoFactoryPreset);
    EXPECT_EQ(file.notices[0].modelName, "VX-1900S");
    EXPECT_EQ(file.notices[0].text, "No factory preset.");
    EXPECT_EQ(file.notices[1].kind, 8);
    EXPECT_FALSE(file.partialAt);

    bytes.resize(bytes.size() + 40, 'x');
    file = decodeNoticeFile(bytes);
    EXPECT_EQ(file.notices.size(), 2u);
    EXPECT_EQ(file.partialAt, 300u);
    EXPECT_TRUE(decodeNoticeFile({}).notices.empty());
}

TEST(ReleaseFile, HeaderVersionEditorAndDate)
{
    kit::Bytes bytes = kit::releaseFile({"0.9 demo", "1.0 demo"});
    // A record with all three fields, as the editor writes them.
    core::RecordWriter w(52);
    w.textAt(0, 15, "2.01");
    w.textAt(15, 16, "K. Editor");
    w.textAt(31, 20, "1999-04-01");
    bytes.insert(bytes.end(), w.bytes().begin(), w.bytes().end());
    ReleaseFile file = decodeReleaseFile(bytes);
    EXPECT_TRUE(file.hasHeader);
    EXPECT_EQ(file.header, "PELARO RELEASE");
    ASSERT_EQ(file.versions.size(), 3u);
    EXPECT_EQ(file.versions[0].version, "0.9 demo");
    EXPECT_EQ(file.versions[0].editor, "");
    EXPECT_EQ(file.versions[2].version, "2.01");
    EXPECT_EQ(file.versions[2].editor, "K. Editor");
    EXPECT_EQ(file.versions[2].date, "1999-04-01");
    EXPECT_EQ(file.versions[2].text, "2.01");
    EXPECT_FALSE(file.partialAt);

    bytes.resize(bytes.size() - 1);
    file = decodeReleaseFile(bytes);
    EXPECT_EQ(file.versions.size(), 2u);
    EXPECT_EQ(file.partialAt, 3u * 52);
}
