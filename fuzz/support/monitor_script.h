#pragma once
// What the monitor targets run over a link, shared with the seed maker so
// recorded answers fit the same run: a script of register steps over the
// demo's link description, and a loaded model's register sequences.
#include <cstdint>
#include <vector>

#include "link/ecs_link.h"
#include "modeldb/model_data.h"

namespace fuzz {

constexpr size_t kMaxMonitorSteps = 16;

struct MonitorStep {
    uint8_t kind = 0, reg = 0, value = 0, flags = 0;
};

// The demo's link description of ECS type `type` with a masked field, a slow
// group and a block-wide read format, so every path of register access has
// a register.
const std::vector<uint8_t>& monitorLinkFile(int type);

// Runs each step on `link` (loaded with monitorLinkFile): reads, writes,
// raw transactions, the service and standard sequences, mode selection,
// power on and off.
void runMonitorSteps(ecs::EcsLink& link, int type, const std::vector<MonitorStep>& steps);

// The model's sequences, as the service screens run them.
void runModelSequences(ecs::EcsLink& link, const modeldb::ModelData& model);

} // namespace fuzz
