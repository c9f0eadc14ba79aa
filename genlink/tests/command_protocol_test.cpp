#include <gtest/gtest.h>

#include <numeric>

#include "genlink/command_protocol.h"
#include "genlink/result_codes.h"
#include "genlink/serial_transport.h"
#include "memory_settings.h"
#include "platform/clock.h"
#include "sim_rig.h"

using namespace genlink;
using genlink::testing::MemorySettings;
using genlink::testing::SimGenerator;
using patgen::CommandEntry;
using patgen::Kind;

namespace {

// Forwards to a transport and keeps every buffer handed to a send.
class RecordingTransport : public Transport {
public:
    explicit RecordingTransport(Transport& inner) : inner_(inner) {}
    int open() override { return inner_.open(); }
    int close() override { return inner_.close(); }
    void purge() override { ++purges, inner_.purge(); }
    void applyTimeouts(const TimeoutTriple& t) override { triples.push_back(t), inner_.applyTimeouts(t); }
    int sendByte(uint8_t b) override { return sends.push_back({b}), inner_.sendByte(b); }
    int sendBytes(const uint8_t* d, size_t n) override { return sends.emplace_back(d, d + n), inner_.sendBytes(d, n); }
    int receiveByte(uint8_t& b) override { return inner_.receiveByte(b); }
    int receiveBytes(uint8_t* d, size_t n) override { return inner_.receiveBytes(d, n); }

    std::vector<Bytes> sends;
    std::vector<TimeoutTriple> triples;
    int purges = 0;

private:
    Transport& inner_;
};

Bytes pattern(size_t n) {
    Bytes b(n);
    for (size_t i = 0; i < n; ++i) b[i] = static_cast<uint8_t>(i * 7 + i / 256);
    return b;
}

class Protocol : public ::testing::Test {
protected:
    void SetUp() override {
        settings.seri.portNo = 7;
        ASSERT_EQ(serial.open(), kOk);
    }
    int greet() { return CommandProtocol(recorder, settings, state).greet(); }
    CommandProtocol protocol() { return CommandProtocol(recorder, settings, state); }
    void add(uint8_t code, Kind kind, size_t blockSize, size_t length = 0,
             patgen::Form form = patgen::Form::Dle) {
        CommandEntry s;
        s.code = code;
        s.kind = kind;
        s.form = form;
        s.blockSize = blockSize;
        s.store = "item";
        s.keyChars = 3;
        s.dataLength = length;
        s.replyDle = form == patgen::Form::Dle;
        sim.core->addCommand(s);
    }
    std::vector<Bytes> sendsFrom(size_t first) {
        return std::vector<Bytes>(recorder.sends.begin() + static_cast<std::ptrdiff_t>(first), recorder.sends.end());
    }

    SimGenerator sim;
    platform::FakeClock clock;
    MemorySettings settings;
    ProtocolState state;
    SerialTransport serial{settings, &clock};
    RecordingTransport recorder{serial};
};

const uint8_t kPayload[] = {'0', '0', '5'};

} // namespace

TEST_F(Protocol, GreetingReadsTimeoutsAndSendsEnquiry) {
    ASSERT_EQ(greet(), kOk);
    EXPECT_EQ(sim.core->enquiries(), 1u);
    EXPECT_EQ(state.timeouts.cmdAck, 300u);
    EXPECT_EQ(recorder.triples.back(), (TimeoutTriple{50, 1000, 1000}));
    EXPECT_EQ(recorder.sends, std::vector<Bytes>{{ENQ}});
}

TEST_F(Protocol, GreetingAnsweredWithNakOrUnreadableTimeouts) {
    sim.core->faults().nakEnquiry = 1;
    EXPECT_EQ(greet(), kNoGreeting);
    settings.failTimeoutRead = true;
    EXPECT_EQ(greet(), kReadSettingFailed);
}

TEST_F(Protocol, CommandFrameIsAcknowledged) {
    add(0x07, Kind::Cmd, 1);
    ASSERT_EQ(greet(), kOk);
    EXPECT_EQ(protocol().cmd(0x07, kPayload, 3), kOk);
    ASSERT_EQ(sim.core->received().size(), 1u);
    EXPECT_EQ(sim.core->received()[0].payload, "005");
    EXPECT_EQ(recorder.sends.back(), (Bytes{STX, 0x07, '0', '0', '5', ETX}));
    EXPECT_EQ(recorder.triples.back(), (TimeoutTriple{50, 300, 1000}));
}

TEST_F(Protocol, ThreeNaksThenAckSucceeds) {
    add(0x07, Kind::Cmd, 1);
    ASSERT_EQ(greet(), kOk);
    sim.core->faults().nakCommands = 3;
    EXPECT_EQ(protocol().cmd(0x07, kPayload, 3), kOk);
    EXPECT_EQ(sim.core->received().size(), 4u);
    sim.core->faults().nakCommands = 4;
    EXPECT_EQ(protocol().cmd(0x07, kPayload, 3), kCommFailed);
}

TEST_F(Protocol, SilentGeneratorCostsFourCommandWaits) {
    add(0x07, Kind::Cmd, 1);
    ASSERT_EQ(greet(), kOk);
    sim.core->faults().silent = true;
    clock.clearSleeps();
    EXPECT_EQ(protocol().cmd(0x07, kPayload, 3), kCommFailed);
    // TimeoutCmdACK plus 10 ms for the one byte awaited, four times.
    EXPECT_EQ(clock.sleeps(), (std::vector<uint32_t>{310, 310, 310, 310}));
    EXPECT_EQ(sim.core->received().size(), 0u);
    EXPECT_EQ(recorder.sends.size(), 5u);  // the enquiry and four frames
}

TEST_F(Protocol, ErrorFrameRefusesWithItsNumber) {
    add(0x07, Kind::Cmd, 1);
    ASSERT_EQ(greet(), kOk);
    sim.core->faults().errorNumber = 7;
    EXPECT_EQ(protocol().cmd(0x07, kPayload, 3), kRefused);
    EXPECT_EQ(state.lastError, 7);
    EXPECT_EQ(resultWord(kRefused, state.lastError), 0x07D0);
    sim.core->faults().badErrorFrames = 1;
    EXPECT_EQ(protocol().cmd(0x07, kPayload, 3), kCommFailed);
    // Unknown commands are refused by the generator.
    EXPECT_EQ(protocol().cmd(0x55, kPayload, 3), kRefused);
    EXPECT_EQ(state.lastError, patgen::PatgenCore::kUnknownCommand);
}

TEST_F(Protocol, StrayAnswerIsDrainedAndTheCommandRepeated) {
    add(0x07, Kind::Cmd, 1);
    ASSERT_EQ(greet(), kOk);
    sim.core->faults().strayBytes = 1;
    EXPECT_EQ(protocol().cmd(0x07, kPayload, 3), kOk);
    EXPECT_EQ(sim.core->received().size(), 2u);
}

TEST_F(Protocol, DownloadSendsBlocksWithProgress) {
    add(0x30, Kind::Down, 1024, 2500);
    ASSERT_EQ(greet(), kOk);
    const Bytes data = pattern(2500);
    const size_t first = recorder.sends.size();
    EXPECT_EQ(protocol().down(0x30, kPayload, 3, data.data(), data.size(), 1024, BlockForm::Dle), kOk);
    const std::vector<Bytes> sent = sendsFrom(first);
    ASSERT_EQ(sent.size(), 4u);
    EXPECT_EQ(sent[0], (Bytes{STX, 0x30, '0', '0', '5', ETX}));
    const size_t sizes[] = {1027, 1027, 455};
    const uint8_t ends[] = {ETB, ETB, ETX};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(sent[i + 1].size(), sizes[i]);
        EXPECT_EQ(sent[i + 1][0], STX);
        EXPECT_EQ(sent[i + 1][1], DLE);
        EXPECT_EQ(sent[i + 1].back(), ends[i]);
    }
    EXPECT_EQ(settings.allSizes, std::vector<int32_t>{250});
    EXPECT_EQ(settings.finishSizes, (std::vector<int32_t>{0, 102, 204, 250}));
    EXPECT_EQ(settings.cancels, (std::vector<int32_t>{0, -1}));
    ASSERT_TRUE(sim.core->item("item", "005"));
    EXPECT_EQ(*sim.core->item("item", "005"), data);
    EXPECT_EQ(recorder.triples.back(), (TimeoutTriple{50, 500, 1000}));
}

TEST_F(Protocol, DownloadOfOneBlockAndOfNothing) {
    add(0x31, Kind::Down, 1024, 1024, patgen::Form::Plain);
    add(0x32, Kind::Down, 1024, 0);
    ASSERT_EQ(greet(), kOk);
    const Bytes data = pattern(1024);
    size_t first = recorder.sends.size();
    EXPECT_EQ(protocol().down(0x31, kPayload, 3, data.data(), 1024, 1024, BlockForm::Plain), kOk);
    std::vector<Bytes> sent = sendsFrom(first);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[1].size(), 1026u);
    EXPECT_EQ(sent[1].back(), ETX);
    first = recorder.sends.size();
    EXPECT_EQ(protocol().down(0x32, kPayload, 3, nullptr, 0, 1024, BlockForm::Dle), kOk);
    sent = sendsFrom(first);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[1], (Bytes{STX, DLE, ETX}));
}

TEST_F(Protocol, DownloadRepeatsRefusedBlocksFourTimesAtMost) {
    add(0x30, Kind::Down, 100, 250);
    ASSERT_EQ(greet(), kOk);
    const Bytes data = pattern(250);
    sim.core->faults().nakBlocks = 3;
    EXPECT_EQ(protocol().down(0x30, kPayload, 3, data.data(), 250, 100, BlockForm::Dle), kOk);
    EXPECT_EQ(*sim.core->item("item", "005"), data);
    sim.core->faults().nakBlocks = 4;
    EXPECT_EQ(protocol().down(0x30, kPayload, 3, data.data(), 250, 100, BlockForm::Dle), kCommFailed);
    EXPECT_EQ(settings.cancel, -1);
}

TEST_F(Protocol, DownloadCancelledBeforeTheNextBlock) {
    add(0x30, Kind::Down, 100, 250);
    ASSERT_EQ(greet(), kOk);
    const Bytes data = pattern(250);
    int reads = 0;
    settings.onCancelRead = [&] {
        if (++reads == 2) settings.cancel = 1;
    };
    EXPECT_EQ(protocol().down(0x30, kPayload, 3, data.data(), 250, 100, BlockForm::Dle), kCancelled);
    EXPECT_EQ(sim.core->blocksReceived(), 1u);
    EXPECT_EQ(settings.cancel, -1);
}

TEST_F(Protocol, UploadReceivesBlocksAndRepeatsABadOne) {
    add(0x40, Kind::Up, 1024, 2500);
    ASSERT_EQ(greet(), kOk);
    const Bytes data = pattern(2500);
    sim.core->setItem("item", "005", data);
    sim.core->faults().wrongTerminator = 1;
    Bytes got(2500);
    EXPECT_EQ(protocol().up(0x40, kPayload, 3, got.data(), got.size(), 1024, BlockForm::Dle), kOk);
    EXPECT_EQ(got, data);
    EXPECT_EQ(sim.core->naksReceived(), 1u);
    EXPECT_EQ(settings.allSizes, std::vector<int32_t>{250});
    EXPECT_EQ(settings.finishSizes, (std::vector<int32_t>{0, 102, 204, 250}));
    EXPECT_EQ(settings.cancels, (std::vector<int32_t>{0, -1}));
    // The host's ACKs follow the two intermediate blocks only.
    int acks = 0, naks = 0;
    for (const Bytes& s : recorder.sends) acks += s == Bytes{ACK}, naks += s == Bytes{NAK};
    EXPECT_EQ(acks, 2);
    EXPECT_EQ(naks, 1);
}

TEST_F(Protocol, UploadCancelledFromOutsideEndsBeforeTheNextBlock) {
    add(0x40, Kind::Up, 100, 300, patgen::Form::Plain);
    ASSERT_EQ(greet(), kOk);
    sim.core->setItem("item", "005", pattern(300));
    sim.core->onBlockSent = [&](size_t index) {
        if (index == 1) settings.cancel = 1;
    };
    Bytes got(300);
    EXPECT_EQ(protocol().up(0x40, kPayload, 3, got.data(), got.size(), 100, BlockForm::Plain), kCancelled);
    EXPECT_EQ(settings.cancel, -1);
    EXPECT_EQ(settings.finishSizes, (std::vector<int32_t>{0, 10}));
}

TEST_F(Protocol, DirectUploadHasNoAcknowledgement) {
    add(0x41, Kind::DirectUp, 64, 100);
    ASSERT_EQ(greet(), kOk);
    const Bytes data = pattern(100);
    sim.core->setItem("item", "005", data);
    Bytes got(100);
    EXPECT_EQ(protocol().directUp(0x41, kPayload, 3, got.data(), 100, 64, BlockForm::Dle), kOk);
    EXPECT_EQ(got, data);
}

TEST_F(Protocol, UploadOfSilentGeneratorFails) {
    add(0x40, Kind::Up, 100, 300);
    ASSERT_EQ(greet(), kOk);
    sim.core->faults().silent = true;
    Bytes got(300);
    EXPECT_EQ(protocol().up(0x40, kPayload, 3, got.data(), 300, 100, BlockForm::Dle), kCommFailed);
}

TEST_F(Protocol, ReplyLongerThanTheBuffer) {
    add(0x50, Kind::Reply, 1);
    ASSERT_EQ(greet(), kOk);
    Bytes text(30);
    std::iota(text.begin(), text.end(), uint8_t{'A'});
    sim.core->setItem("item", "005", text);
    uint8_t dest[20] = {};
    size_t count = 0;
    EXPECT_EQ(protocol().reply(0x50, kPayload, 3, dest, 20, &count, true), kReplyTooLong);
    EXPECT_EQ(count, 30u);
    EXPECT_EQ(Bytes(dest, dest + 20), Bytes(text.begin(), text.begin() + 20));
    uint8_t big[40] = {};
    EXPECT_EQ(protocol().reply(0x50, kPayload, 3, big, 40, &count, true), kOk);
    EXPECT_EQ(count, 30u);
    EXPECT_EQ(Bytes(big, big + 30), text);
}

TEST_F(Protocol, ReplyWithoutExpectedDleIsRepeated) {
    add(0x51, Kind::Reply, 1, 0, patgen::Form::Plain);
    ASSERT_EQ(greet(), kOk);
    sim.core->setItem("item", "005", Bytes{'O', 'K'});
    uint8_t dest[8] = {};
    size_t count = 0;
    // The generator sends no DLE: every attempt is answered with NAK.
    EXPECT_EQ(protocol().reply(0x51, kPayload, 3, dest, 8, &count, true), kCommFailed);
    EXPECT_EQ(sim.core->naksReceived(), 4u);
    EXPECT_EQ(protocol().reply(0x51, kPayload, 3, dest, 8, &count, false), kOk);
    EXPECT_EQ(count, 2u);
}

TEST_F(Protocol, SummedDownloadCountsBytes) {
    add(0x60, Kind::SummedDown, 1024);
    ASSERT_EQ(greet(), kOk);
    const Bytes data = pattern(2500);
    const size_t first = recorder.sends.size();
    EXPECT_EQ(protocol().summedDown(0x60, kPayload, 3, data.data(), data.size(), 1024), kOk);
    const std::vector<Bytes> sent = sendsFrom(first);
    ASSERT_EQ(sent.size(), 4u);
    EXPECT_EQ(sent[1].size(), 1030u);
    EXPECT_EQ(sent[3].size(), 458u);
    EXPECT_EQ(sent[3][2], 0x01);
    EXPECT_EQ(sent[3][3], 0xC4);
    EXPECT_TRUE(settings.allSizes.empty());
    EXPECT_EQ(settings.finishSizes, (std::vector<int32_t>{0, 1024, 2048, 2500}));
    EXPECT_EQ(*sim.core->item("item", "005"), data);
}

TEST_F(Protocol, SummedUploadWithWrongChecksumIsRepeated) {
    add(0x61, Kind::SummedUp, 1024);
    ASSERT_EQ(greet(), kOk);
    const Bytes data = pattern(3000);
    sim.core->setItem("item", "005", data);
    sim.core->faults().wrongChecksum = 1;
    Bytes got(4000);
    size_t total = 0;
    EXPECT_EQ(protocol().summedUp(0x61, kPayload, 3, got.data(), got.size(), &total), kOk);
    EXPECT_EQ(total, 3000u);
    EXPECT_EQ(Bytes(got.begin(), got.begin() + 3000), data);
    EXPECT_EQ(sim.core->naksReceived(), 1u);
    EXPECT_EQ(settings.finishSizes, (std::vector<int32_t>{0, 1024, 2048, 3000}));
}

TEST_F(Protocol, SummedUploadIntoASmallBufferKeepsWhatFits) {
    add(0x61, Kind::SummedUp, 1024);
    ASSERT_EQ(greet(), kOk);
    const Bytes data = pattern(3000);
    sim.core->setItem("item", "005", data);
    Bytes got(1500);
    size_t total = 0;
    EXPECT_EQ(protocol().summedUp(0x61, kPayload, 3, got.data(), got.size(), &total), kReplyTooLong);
    EXPECT_EQ(total, 3000u);
    EXPECT_EQ(got, Bytes(data.begin(), data.begin() + 1500));
}
