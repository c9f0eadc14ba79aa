// doctor with a good, a missing and a busy monitor device, and the timing cards' folder.
#include <gtest/gtest.h>

#include <filesystem>

#include "cli_station.h"
#include "platform/serial_port.h"

#include <nlohmann/json.hpp>

using clitest::CliRun;
using clitest::CliStation;

namespace {

bool hasLine(const CliRun& r, const std::string& start) {
    for (const std::string& line : r.outLines())
        if (line.rfind(start, 0) == 0) return true;
    return false;
}

using Doctor = CliStation;

} // namespace

TEST_F(Doctor, AGoodStationPasses) {
    writeProfile("VX-1700", 1, 8);
    writeSettingsStore();
    const std::string pty = [&] { startMonitor(1); return server_->path(); }();
    CliRun r = cli({"doctor"});
    EXPECT_EQ(r.exit, 0) << r.out;
    for (const std::string& line : r.outLines()) EXPECT_TRUE(line.rfind("ok  ", 0) == 0 || line.rfind("warn", 0) == 0) << line;
    EXPECT_TRUE(hasLine(r, "ok    monitor port COM1 map: COM1=" + pty + " in " + folder_.file("comports.ini")));
    EXPECT_TRUE(hasLine(r, "ok    monitor port open: " + pty + " opens"));
    EXPECT_TRUE(hasLine(r, "ok    database mdlsel.sel: 4 records"));
    EXPECT_TRUE(hasLine(r, "ok    model VX-1700: chain loads: VX1700.mdl -> VXA.CHS -> VXA.STD -> DEMO1.BUS"));
    EXPECT_TRUE(hasLine(r, "ok    settings store time-outs: TimeoutByte=50, TimeoutCmdACK=1000"));
    EXPECT_TRUE(hasLine(r, "ok    generator: MANUAL: no serial port used"));
}

TEST_F(Doctor, AMissingDeviceAndABrokenChainFail) {
    writeProfile("VX-1700", 1, 0, 2);
    mapPort(1, folder_.path() + "/ttyUSB9");
    ASSERT_EQ(std::remove((home_ + "/data/DEMO1.BUS").c_str()), 0);
    CliRun r = cli({"doctor"});
    EXPECT_EQ(r.exit, 1);
    EXPECT_TRUE(hasLine(r, "FAIL  monitor port device: " + folder_.path() + "/ttyUSB9 does not exist -> plug the adapter in"))
        << r.out;
    EXPECT_TRUE(hasLine(r, "FAIL  model VX-1700: chain stops: VX1700.mdl -> VXA.CHS -> VXA.STD: No bus Files")) << r.out;
    // A pattern generator needs the kit's time-outs, and there is no settings store.
    EXPECT_TRUE(hasLine(r, "FAIL  settings store: ")) << r.out;

    r = cli({"doctor", "--json"});
    EXPECT_EQ(r.exit, 1);
    bool found = false;
    for (const std::string& line : r.outLines()) {
        const nlohmann::json j = nlohmann::json::parse(line);
        if (j.value("check", "") == "monitor port device") {
            found = true;
            EXPECT_EQ(j["status"], "FAIL");
            EXPECT_NE(j["advice"].get<std::string>().find("plug the adapter in"), std::string::npos);
        }
    }
    EXPECT_TRUE(found);
}

TEST_F(Doctor, ABusyDeviceIsInUse) {
    writeProfile("VX-1700", 1, 8);
    writeSettingsStore(true);
    startMonitor(1);
    std::string error;
    std::unique_ptr<platform::SerialPort> held = platform::openSerialPort(server_->path(), &error);
    ASSERT_TRUE(held) << error;
    CliRun r = cli({"doctor"});
    EXPECT_EQ(r.exit, 1);
    EXPECT_TRUE(hasLine(r, "FAIL  monitor port open: " + server_->path() + ": in use by another program -> close the other program"))
        << r.out;
    // Zero time-outs only warn while no pattern generator is configured.
    EXPECT_TRUE(hasLine(r, "warn  settings store time-outs: TimeoutByte=0")) << r.out;
}

TEST_F(Doctor, TimingCardsNeedTheirFolder) {
    writeProfile("VX-1700", 1, 4);  // "PG-110", a timing card
    writeSettingsStore();
    startMonitor(1);
    CliRun r = cli({"doctor"});
    EXPECT_EQ(r.exit, 0) << r.out;
    EXPECT_TRUE(hasLine(r, "ok    timing card files: " + home_ + "/SG")) << r.out;
    EXPECT_TRUE(hasLine(r, "ok    generator: PG-110: no serial port used"));

    std::filesystem::remove_all(home_ + "/SG");
    r = cli({"doctor"});
    EXPECT_EQ(r.exit, 1);
    EXPECT_TRUE(hasLine(r, "FAIL  timing card files: " + home_ + "/SG missing -> copy the SG folder of the station kit there"))
        << r.out;
}
