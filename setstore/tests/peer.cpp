// A client process of libsetstore for the cross-process tests. Runs the
// commands given as arguments in order and exits 1 at the first that fails:
//   init | term
//   write NAME VALUE        a REG_Write export, expecting 0
//   read NAME EXPECTED      a REG_Read export, expecting 0 and the value
//   hammer NAME COUNT       writes 1..COUNT, reading each back
//   loop NAME MARKER        writes 1, 2, ... for ever; creates MARKER after the first
//   watch FILE STOP         parses FILE until STOP exists; each parse must succeed
//   run COMMAND             runs a shell command, expecting exit status 0
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/ini_store.h"
#include "setstore.h"

namespace {

struct IntValue {
    const char* name;
    int32_t (*read)(int32_t*);
    int32_t (*write)(int32_t);
};
struct TextValue {
    const char* name;
    int32_t (*read)(char*);
    int32_t (*write)(const char*);
};

const IntValue kInts[] = {
    {"SeriBps", REG_ReadSeriBps, REG_WriteSeriBps},
    {"SeriPortNo", REG_ReadSeriPortNo, REG_WriteSeriPortNo},
    {"SeriParity", REG_ReadSeriParity, REG_WriteSeriParity},
    {"DtDevice", REG_ReadDtDevice, REG_WriteDtDevice},
    {"PanelRom", REG_ReadPanelRom, REG_WritePanelRom},
    {"ProcessCancel", REG_ReadProcessCancel, REG_WriteProcessCancel},
    {"MemKind", REG_ReadMemKind, nullptr},
};
const TextValue kTexts[] = {
    {"PGType", REG_ReadPGType, REG_WritePGType},
    {"FileADEditPath", REG_ReadFileADEditPath, REG_WriteFileADEditPath},
    {"FileDataDir", REG_ReadFileDataDir, REG_WriteFileDataDir},
};

const IntValue* findInt(const std::string& name)
{
    for (const IntValue& v : kInts)
        if (name == v.name)
            return &v;
    return nullptr;
}

const TextValue* findText(const std::string& name)
{
    for (const TextValue& v : kTexts)
        if (name == v.name)
            return &v;
    return nullptr;
}

[[noreturn]] void fail(const std::string& what)
{
    std::fprintf(stderr, "setstore_peer: %s\n", what.c_str());
    std::exit(1);
}

void writeValue(const std::string& name, const std::string& value)
{
    int32_t rc;
    if (const IntValue* v = findInt(name); v && v->write)
        rc = v->write(std::atoi(value.c_str()));
    else if (const TextValue* t = findText(name))
        rc = t->write(value.c_str());
    else
        fail("no writable value " + name);
    if (rc != 0)
        fail("write " + name + " " + value + " gave " + std::to_string(rc));
}

void expectValue(const std::string& name, const std::string& expected)
{
    std::string got;
    int32_t rc;
    if (const IntValue* v = findInt(name)) {
        int32_t n = 0;
        rc = v->read(&n);
        got = std::to_string(n);
    } else if (const TextValue* t = findText(name)) {
        char buf[300] = {};
        rc = t->read(buf);
        got = buf;
    } else {
        fail("no readable value " + name);
    }
    if (rc != 0 || got != expected)
        fail("read " + name + ": rc " + std::to_string(rc) + ", '" + got + "', expected '" + expected + "'");
}

} // namespace

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string cmd = argv[i];
        auto arg = [&](int k) -> std::string {
            if (i + k >= argc)
                fail(cmd + ": missing argument");
            return argv[i + k];
        };
        if (cmd == "init") {
            if (int32_t rc = REG_Init(); rc != 0)
                fail("REG_Init gave " + std::to_string(rc));
        } else if (cmd == "term") {
            REG_Terminate();
        } else if (cmd == "write") {
            writeValue(arg(1), arg(2));
            i += 2;
        } else if (cmd == "read") {
            expectValue(arg(1), arg(2));
            i += 2;
        } else if (cmd == "hammer") {
            const std::string name = arg(1);
            const int count = std::atoi(arg(2).c_str());
            for (int k = 1; k <= count; ++k) {
                writeValue(name, std::to_string(k));
                expectValue(name, std::to_string(k));
            }
            i += 2;
        } else if (cmd == "loop") {
            const std::string name = arg(1), marker = arg(2);
            for (int k = 1;; ++k) {
                writeValue(name, std::to_string(k));
                if (k == 1)
                    std::ofstream(marker) << "started\n";
            }
        } else if (cmd == "watch") {
            const std::string file = arg(1), stop = arg(2);
            long parses = 0;
            do {
                platform::IniStore tree;
                std::string error;
                if (!tree.load(file, &error))
                    fail("parse failed: " + error);
                ++parses;
            } while (!std::filesystem::exists(stop));
            std::fprintf(stderr, "setstore_peer: %ld parses\n", parses);
            i += 2;
        } else if (cmd == "run") {
            if (std::system(arg(1).c_str()) != 0)
                fail("command failed: " + arg(1));
            i += 1;
        } else {
            fail("unknown command " + cmd);
        }
    }
    return 0;
}
