// The link over the real settings store and limit tables.
#include <gtest/gtest.h>

#include <cstdlib>

#include "genlink/link.h"
#include "genlink/result_codes.h"
#include "genlink/setstore_settings.h"
#include "platform/clock.h"
#include "setstore.h"
#include "sim_rig.h"

using namespace genlink;
using genlink::testing::SimGenerator;
using genlink::testing::uniqueName;

namespace {

// One private settings store for the whole test process.
class StoreEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        home_ = std::make_unique<platform::testing::TestFolder>();
        setenv("XDG_CONFIG_HOME", home_->path().c_str(), 1);
        setenv("SETSTORE_INSTANCE", uniqueName("genlink").c_str(), 1);
    }
    void TearDown() override { home_.reset(); }

private:
    std::unique_ptr<platform::testing::TestFolder> home_;
};
const auto* const kStore = ::testing::AddGlobalTestEnvironment(new StoreEnvironment);

class StoredLink : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(REG_Init(), 0);
        ASSERT_EQ(REG_WriteTimeoutByte(50), 0);
        ASSERT_EQ(REG_WriteTimeoutCmdACK(300), 0);
        ASSERT_EQ(REG_WriteTimeoutDataACK(500), 0);
        ASSERT_EQ(REG_WriteTimeout(1000), 0);
        ASSERT_EQ(REG_WriteSeriPara(0), 0);
        ASSERT_EQ(link.selectSeriConfig(9600, 8, 0, 0, 7), kOk);
    }
    void TearDown() override { REG_Terminate(); }

    SimGenerator sim{7};
    platform::FakeClock clock;
    SetstoreSettings settings;
    LimtabLimits limits;
    LinkEnvironment env = [this] {
        LinkEnvironment e = defaultEnvironment();
        e.clock = &clock;
        e.lockName = uniqueName("PGTransMutex");
        return e;
    }();
    Link link{settings, limits, env};
};

int32_t readInt(int32_t (*read)(int32_t*)) {
    int32_t v = 0x7777;
    EXPECT_EQ(read(&v), 0);
    return v;
}

} // namespace

TEST_F(StoredLink, SelectionsReachTheStore) {
    EXPECT_EQ(link.selectSeriConfig(9600, 7, 0, 0, 2), kOk);
    REG_SERI seri{};
    ASSERT_EQ(REG_ReadKeySeri(&seri), 0);
    EXPECT_EQ(seri.PortNo, 2);
    EXPECT_EQ(seri.Bps, 9600);
    EXPECT_EQ(seri.CharSize, 7);
    EXPECT_EQ(seri.Parity, 0);
    EXPECT_EQ(seri.StopBits, 0);
    EXPECT_EQ(link.selectTransWay(3), kBadArgument);
    EXPECT_EQ(readInt(REG_ReadSeriPara), 0);
    EXPECT_EQ(link.selectTransWay(1), kOk);
    EXPECT_EQ(readInt(REG_ReadSeriPara), 1);
    EXPECT_EQ(link.selectDevice(1, 3), kOk);
    EXPECT_EQ(link.memoryKind(), 4);
    EXPECT_EQ(readInt(REG_ReadMemKind), 4);
    EXPECT_EQ(link.selectDevice(0, 2), kOk);
    EXPECT_EQ(link.memoryKind(), 0);
    EXPECT_EQ(link.selectPGType('E'), kOk);
    char type[16] = {};
    ASSERT_EQ(REG_ReadPGType(type), 0);
    EXPECT_STREQ(type, "PG-410");
}

TEST_F(StoredLink, DownloadProgressIsVisibleInTheStore) {
    patgen::CommandEntry entry;
    entry.code = 0x30;
    entry.kind = patgen::Kind::Down;
    entry.dataLength = 2500;
    sim.core->addCommand(entry);
    ASSERT_EQ(link.open(), kOk);
    Bytes data(2500, 0x5A);
    EXPECT_EQ(link.exchange([&](CommandProtocol& p) {
        return p.down(0x30, nullptr, 0, data.data(), data.size(), 1024, BlockForm::Dle);
    }), kOk);
    EXPECT_EQ(readInt(REG_ReadProcessAllSize), 250);
    EXPECT_EQ(readInt(REG_ReadProcessFinishSize), 250);
    EXPECT_EQ(readInt(REG_ReadProcessCancel), -1);
    EXPECT_EQ(link.close(), kOk);
}

TEST_F(StoredLink, CancelFromAnotherProcessStopsAnUpload) {
    patgen::CommandEntry entry;
    entry.code = 0x40;
    entry.kind = patgen::Kind::Up;
    entry.blockSize = 100;
    entry.dataLength = 500;
    sim.core->addCommand(entry);
    ASSERT_EQ(link.open(), kOk);
    // Another process asks for a stop as the generator answers the first ACK
    // with the second block: the host stops before taking that block.
    bool peerRan = false;
    sim.core->onBlockSent = [&](size_t index) {
        if (index == 1)
            peerRan = std::system((std::string(SETSTORE_PEER) + " init write ProcessCancel 1 term").c_str()) == 0;
    };
    Bytes back(500);
    EXPECT_EQ(link.word(link.exchange([&](CommandProtocol& p) {
        return p.up(0x40, nullptr, 0, back.data(), back.size(), 100, BlockForm::Dle);
    })), 0xFFCF);
    EXPECT_TRUE(peerRan);
    EXPECT_EQ(readInt(REG_ReadProcessFinishSize), 10);  // one block taken
    EXPECT_EQ(readInt(REG_ReadProcessCancel), -1);
    EXPECT_EQ(link.close(), kOk);
}
