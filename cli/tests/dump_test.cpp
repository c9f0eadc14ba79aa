// dump of every file the kit writes, whole and cut short.
#include <gtest/gtest.h>

#include <fstream>

#include <nlohmann/json.hpp>

#include "cli_station.h"

using clitest::CliRun;
using clitest::CliStation;

namespace {

bool contains(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

class Dump : public CliStation {
protected:
    // A copy of a station file cut to `size` bytes, keeping its name.
    std::string cut(const std::string& relative, size_t size) {
        std::ifstream in(home_ + "/" + relative, std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_GT(bytes.size(), size);
        const std::string name = relative.substr(relative.find_last_of('/') + 1);
        const std::string dir = folder_.path() + "/cut-" + std::to_string(size);
        folder_.write("cut-" + std::to_string(size) + "/" + name, bytes.substr(0, size));
        return dir + "/" + name;
    }
};

} // namespace

TEST_F(Dump, EveryFileOfTheStationDecodesWhole) {
    struct Case {
        const char* file;
        const char* format;
        const char* line;  // one line the dump must show
    };
    const Case cases[] = {
        {"mdlsel.sel", "format: model table (mdlsel.sel)", "    com type / ECS type: 2"},
        {"mdlsel.cya", "format: chassis code table (mdlsel.cya)", "    name: \"VX-B\""},
        {"mdlsel.cmm", "format: communication type code table (mdlsel.cmm)", "    name: \"ECS-2\""},
        {"mdlsel.cus", "format: customer code table (mdlsel.cus)", "    name: \"Northfield Design\""},
        {"mdlsel.mai", "format: firmware version code table (mdlsel.mai)", "    name: \"2.10\""},
        {"data/VX1700.mdl", "format: model file", "    H dots (total, blanking, front, sync, back, active): [1056, 256, 42, 85, 129, 800]"},
        {"data/VXA.CHS", "format: chassis file", "  key register (402): \"0x0003\""},
        {"data/VXA.STD", "format: standard file", "link description file: \"DEMO1.BUS\""},
        {"data/DEMO1.BUS", "format: link description file", "    code: \"0x0104\""},
        {"PELARO/MSG/pelaro_a.msg", "format: message file", "    text: \"$2:Adjust the horizontal size until the frame fits the bezel.\""},
        {"kovhlp.txt", "format: notice file (kovhlp.txt)", "    model name: \"VX-1900S\""},
        {"pelaro.rls", "format: release file (pelaro.rls)", "    version: \"1.0 demo\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        CliRun r = cli({"dump", home_ + "/" + c.file});
        EXPECT_EQ(r.exit, 0) << r.err;
        const std::vector<std::string> out = r.outLines();
        ASSERT_GE(out.size(), 3u);
        EXPECT_EQ(out[0], "file: " + home_ + "/" + c.file);
        EXPECT_EQ(out[1], c.format);
        EXPECT_TRUE(contains(out, c.line)) << r.out;
        EXPECT_EQ(r.out.find("stopped at"), std::string::npos);
    }
}

TEST_F(Dump, JsonGivesTheSameFields) {
    CliRun r = cli({"dump", "--json", home_ + "/data/VX1700.mdl"});
    ASSERT_EQ(r.exit, 0) << r.err;
    const std::vector<std::string> lines = r.outLines();
    ASSERT_EQ(lines.size(), 2u);
    const nlohmann::json dump = nlohmann::json::parse(lines[0])["dump"];
    EXPECT_EQ(dump["format"], "model file");
    const nlohmann::json& f = dump["fields"];
    EXPECT_EQ(f["chassis file"], "VXA.CHS");
    ASSERT_EQ(f["PRE_PARA"].size(), 5u);
    EXPECT_EQ(f["PRE_PARA"][1]["name"], "800x600@75");
    EXPECT_DOUBLE_EQ(f["PRE_PARA"][1]["H kHz"].get<double>(), 46.875);
    EXPECT_EQ(f["PRC_DATA"]["adjustment procedures"], nlohmann::json({"GEOMETRY", "WHITEBAL", "PICTURE"}));
    EXPECT_EQ(f["UMT_NO"], 0);
    EXPECT_FALSE(dump.contains("stopped"));
    EXPECT_EQ(nlohmann::json::parse(lines[1]), nlohmann::json({{"result", "done"}, {"exit", 0}}));
}

TEST_F(Dump, ACutFileShowsWhatItHoldsThenWhereItStopped) {
    CliRun r = cli({"dump", cut("data/VX1700.mdl", 300)});
    EXPECT_EQ(r.exit, 1);
    std::vector<std::string> out = r.outLines();
    EXPECT_EQ(out.back(), "stopped at offset 240: PRE_PARA: record 3 of 5 needs 80 bytes; 60 left");
    EXPECT_TRUE(contains(out, "    name: \"800x600@75\""));
    EXPECT_FALSE(contains(out, "ADJ_PARA:"));

    r = cli({"dump", cut("data/VXA.CHS", 1000)});
    EXPECT_EQ(r.exit, 1);
    out = r.outLines();
    EXPECT_EQ(out.back(), "stopped at offset 1000: the chassis record has 2420 bytes; the file ends at 1000");
    EXPECT_TRUE(contains(out, "polarity group: 6"));
    EXPECT_EQ(r.out.find("procedure folder"), std::string::npos);

    r = cli({"dump", cut("data/VXA.STD", 16 + 164 + 540 + 10)});
    EXPECT_EQ(r.exit, 1);
    EXPECT_EQ(r.outLines().back(), "stopped at offset 720: data groups: record 2 of 6 needs 540 bytes; 10 left");

    r = cli({"dump", cut("data/DEMO1.BUS", 1064)});
    EXPECT_EQ(r.exit, 1);
    EXPECT_EQ(r.outLines().back(), "stopped at offset 1064: section R_B: record 1 of 9 needs 16 bytes, 0 left");
    EXPECT_EQ(r.out.find("REG= registers"), std::string::npos);

    r = cli({"dump", cut("mdlsel.sel", 2 * 128 + 5)});
    EXPECT_EQ(r.exit, 1);
    EXPECT_EQ(r.outLines().back(), "stopped at offset 256: a partial record of 5 bytes; records are 128 bytes");
    EXPECT_TRUE(contains(r.outLines(), "records: 2"));

    r = cli({"dump", cut("kovhlp.txt", 100)});
    EXPECT_EQ(r.outLines().back(), "stopped at offset 0: a partial record of 100 bytes; records are 150 bytes");
    r = cli({"dump", cut("pelaro.rls", 52 + 60)});
    EXPECT_EQ(r.outLines().back(), "stopped at offset 104: a partial record of 8 bytes; records are 52 bytes");

    r = cli({"dump", "--json", cut("data/VX1700.mdl", 2000)});
    EXPECT_EQ(r.exit, 1);
    const nlohmann::json dump = nlohmann::json::parse(r.outLines().at(0))["dump"];
    // Header, 5 presets, 1 adjustment timing, no MPU records, PRC_DATA, TUP_DATA: SPECIAL begins at 1324.
    EXPECT_EQ(dump["stopped"]["offset"], 1324);
    EXPECT_NE(dump["stopped"]["reason"].get<std::string>().find("SPECIAL needs"), std::string::npos) << dump;
    EXPECT_TRUE(dump["fields"].contains("TUP_DATA"));
    EXPECT_FALSE(dump["fields"].contains("SPECIAL"));
}

TEST_F(Dump, FilesItCannotPlace) {
    folder_.write("notes.bin", "hello");
    CliRun r = cli({"dump", folder_.file("notes.bin")});
    EXPECT_EQ(r.exit, 1);
    EXPECT_NE(r.err.find("cannot tell the format"), std::string::npos);
    r = cli({"dump", "--as", "notice", folder_.file("notes.bin")});
    EXPECT_EQ(r.exit, 1);
    EXPECT_EQ(r.outLines().back(), "stopped at offset 0: a partial record of 5 bytes; records are 150 bytes");
    EXPECT_EQ(cli({"dump", "--as", "nothing", folder_.file("notes.bin")}).exit, 2);
    EXPECT_EQ(cli({"dump", folder_.file("missing.mdl")}).exit, 1);
}
