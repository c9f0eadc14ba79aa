// A model kit of 10,000 models, written with the kit writers: how long the
// model list takes to build, to sort by each sortable column, and to print
// through pelaro-cli models. Prints the times; asserts nothing.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/fake_ui.h"
#include "kit/model_kit.h"
#include "kit/temp_folder.h"
#include "modeldb/model_selection.h"

namespace {

struct NoHost : modeldb::ModelSelectionHost {
    void applyEcsType(int) override {}
    void rememberModel(const std::string&, const std::string&) override {}
    void loadModel(const std::string&) override {}
};

double since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

int main(int argc, char** argv) {
    const int models = argc > 1 ? std::atoi(argv[1]) : 10000;
    kit::TempFolder home("models-bench");
    kit::ModelDatabaseFiles db;
    uint32_t seed = 7;
    auto next = [&seed](uint32_t n) { seed = seed * 1103515245u + 12345u; return (seed >> 16) % n; };
    for (int16_t c = 0; c < 200; ++c) db.chassis.push_back({c, "CH-" + std::to_string(next(1000))});
    for (int16_t c = 0; c < 60; ++c) db.customers.push_back({c, "Customer " + std::to_string(next(500))});
    db.comTypes = {{1, "ECS-1"}, {2, "ECS-2"}};
    db.firmware = {{1, "1.00"}, {2, "2.00"}};
    for (int m = 0; m < models; ++m)
        db.models.push_back({"MDL-" + std::to_string(next(100000)), static_cast<int16_t>(next(200)),
                             "F" + std::to_string(m), "T" + std::to_string(m), static_cast<int16_t>(next(60)),
                             static_cast<int16_t>(1 + next(2)), static_cast<int16_t>(1 + next(2)),
                             "benchmark model " + std::to_string(m)});
    auto start = std::chrono::steady_clock::now();
    if (!kit::writeModelDatabase(home.path(), db)) {
        std::fprintf(stderr, "models_bench: cannot write the database\n");
        return 1;
    }
    std::printf("write %d models with the kit writers: %8.1f ms\n", models, since(start));

    core::FakeUi ui;
    NoHost host;
    modeldb::ModelSelection grid(home.path(), ui, host);
    start = std::chrono::steady_clock::now();
    grid.open();
    std::printf("build the model list:                 %8.1f ms (%d entries)\n", since(start), grid.entryCount());
    for (int column : {1, 2, 5}) {
        start = std::chrono::steady_clock::now();
        grid.clickHeader(column);
        std::printf("sort by %-12s                  %8.1f ms\n", modeldb::ModelSelection::kGrid[column].header,
                    since(start));
    }
#ifdef PELARO_CLI
    for (const char* sort : {"", " --sort model", " --sort chassis", " --sort customer"}) {
        const std::string command =
            std::string(PELARO_CLI) + " --home " + home.path() + " models" + sort + " > /dev/null";
        start = std::chrono::steady_clock::now();
        const int status = std::system(command.c_str());
        std::printf("pelaro-cli models%-16s      %8.1f ms%s\n", sort, since(start), status == 0 ? "" : " (failed)");
    }
#endif
    return 0;
}
