#pragma once
// An EcsLink on an in-process simulated monitor serving the test model, on a
// fake clock.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <unistd.h>

#include "core/test_ui.h"
#include "link/ecs_link.h"
#include "platform/clock.h"
#include "sim/monitor/sim_monitor.h"
#include "test_model.h"

class LinkFixture {
public:
    explicit LinkFixture(int type, sim::LinkTables tables) {
        protocol = std::make_shared<sim::MonitorProtocol>(tables, type);
        name = "monitor-" + std::to_string(getpid()) + "-" + std::to_string(counter()++);
        monitor = std::make_unique<sim::SimMonitor>(protocol, name);
        link = std::make_unique<ecs::EcsLink>("sim:" + name, ui, clock);
        link->setEcsType(type);
        const std::vector<uint8_t> file = kit::linkDescriptionFile(tables);
        loaded = link->loadLinkDescriptionBytes(file.data(), file.size());
    }
    explicit LinkFixture(int type) : LinkFixture(type, testmodel::tables(type)) {}

    size_t traffic() const { return protocol->transactionCount(); }
    sim::MonitorTransaction last() const { return protocol->transactions().back(); }
    uint32_t readTimeout() { return link->port()->timeouts().readConstant; }

    core::TestUi ui;
    platform::FakeClock clock;
    std::shared_ptr<sim::MonitorProtocol> protocol;
    std::string name;
    std::unique_ptr<sim::SimMonitor> monitor;
    std::unique_ptr<ecs::EcsLink> link;
    int loaded = 0;

private:
    static int& counter() {
        static int n = 0;
        return n;
    }
};
