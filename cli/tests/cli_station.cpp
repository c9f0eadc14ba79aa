#include "cli_station.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "kit/demo_station.h"
#include "sim/monitor/link_file.h"
#include "sim/monitor/monitor_behaviour.h"

namespace clitest {

namespace {

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) out.push_back(line);
    return out;
}

std::string uniqueName() {
    static int n = 0;
    return "clitest-" + std::to_string(getpid()) + "-" + std::to_string(++n);
}

} // namespace

std::vector<std::string> CliRun::outLines() const { return lines(out); }
std::vector<std::string> CliRun::errLines() const { return lines(err); }

CliRun runProgram(const std::string& program, const std::vector<std::string>& args, const std::string& folder) {
    const std::string outPath = folder + "/.cli-out", errPath = folder + "/.cli-err";
    std::vector<std::string> all{program};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        // Only calls that are safe after fork in a threaded process.
        if (chdir(folder.c_str()) != 0) _exit(126);
        const int in = open("/dev/null", O_RDONLY);
        const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (in < 0 || out < 0 || err < 0) _exit(126);
        dup2(in, 0);
        dup2(out, 1);
        dup2(err, 2);
        execv(argv[0], argv.data());
        _exit(127);
    }
    CliRun run;
    int status = 0;
    if (pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status)) run.exit = WEXITSTATUS(status);
    run.out = readAll(outPath);
    run.err = readAll(errPath);
    return run;
}

SimulatedGenerator::SimulatedGenerator(std::string logPath, std::vector<std::string> args)
    : logPath_(std::move(logPath)) {
    int out[2];
    if (pipe(out) != 0) return;
    args.insert(args.begin(), PATGEN_SIM);
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_ = fork();
    if (pid_ == 0) {
        const int log = open(logPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(out[1], 1);
        dup2(log, 2);
        close(out[0]);
        close(out[1]);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(out[1]);
    // The simulator prints its terminal's path first.
    std::string line;
    char c = 0;
    while (read(out[0], &c, 1) == 1 && c != '\n') line += c;
    close(out[0]);
    path_ = line;
}

SimulatedGenerator::~SimulatedGenerator() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
}

std::string SimulatedGenerator::log() const { return readAll(logPath_); }

CliStation::CliStation()
    : home_(folder_.path() + "/home"),
      config_("XDG_CONFIG_HOME", folder_.path() + "/config"),
      ports_("COMPORTS", folder_.file("comports.ini")),
      store_("SETSTORE_INSTANCE", uniqueName()),
      lock_("GENLINK_INSTANCE", uniqueName()) {
    EXPECT_TRUE(kit::writeDemoStation(home_));
    folder_.write("comports.ini", "[COM]\n");
}

CliStation::~CliStation() {
    if (server_) server_->stop();
}

CliRun CliStation::cli(std::vector<std::string> args) {
    args.insert(args.begin(), {"--home", home_});
    return runProgram(PELARO_CLI, args, folder_.path());
}

void CliStation::writeProfile(const std::string& model, int ecsType, int sgName, int sgPort, int ecsPort) {
    std::string text = "[PELARO]\nINIT=INIT_OK\nECS_TYPE=" + std::to_string(ecsType) + "\nECS_PORT=" +
                       std::to_string(ecsPort) + "\nSG_NAME=" + std::to_string(sgName) + "\nSG_PORT=" +
                       std::to_string(sgPort) + "\nSG_ISANO=0\n";
    for (const kit::DemoModelInfo& m : kit::kDemoModels)
        if (model == m.name) text += "PREV_QX=" + model + "\nPREV_file=" + m.modelFile + "\n";
    EXPECT_TRUE(kit::writeFile(folder_.path() + "/config/pelaro/pelaro.ini", text));
}

std::string CliStation::profileText() const { return readAll(folder_.path() + "/config/pelaro/pelaro.ini"); }

void CliStation::mapPort(int n, const std::string& device) {
    portMap_.emplace_back(n, device);
    std::string text = "[COM]\n";
    for (const auto& [number, path] : portMap_) text += "COM" + std::to_string(number) + "=" + path + "\n";
    folder_.write("comports.ini", text);
}

sim::MonitorProtocol& CliStation::startMonitor(int ecsType, const std::vector<std::string>& behaviour) {
    sim::LinkTables tables;
    std::string error;
    EXPECT_TRUE(sim::readLinkFile(home_ + "/data/DEMO" + std::to_string(ecsType) + ".BUS", tables, &error)) << error;
    protocol_ = std::make_shared<sim::MonitorProtocol>(tables, ecsType);
    if (!behaviour.empty()) {
        sim::MonitorBehaviour b;
        EXPECT_TRUE(b.parse(behaviour, &error)) << error;
        b.applyTo(*protocol_);
    }
    server_ = std::make_unique<sim::MonitorPtyServer>(protocol_);
    EXPECT_TRUE(server_->start(&error)) << error;
    mapPort(1, server_->path());
    return *protocol_;
}

void CliStation::writeSettingsStore(bool zeroTimeouts) {
    const std::string values = zeroTimeouts ? "TimeoutByte=0\nTimeoutCmdACK=0\nTimeoutDataACK=0\nTimeout=0\n"
                                            : "TimeoutByte=50\nTimeoutCmdACK=1000\nTimeoutDataACK=1000\nTimeout=2000\n";
    EXPECT_TRUE(kit::writeFile(folder_.path() + "/config/setstore/registry.ini",
                               "[Software\\Vexordyne\\XR4410\\Com]\n" + values));
}

} // namespace clitest
