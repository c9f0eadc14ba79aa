#pragma once
// A simulated pattern generator as a pure byte processor: bytes from the host
// go in, the generator's answers come out. It greets, accepts, repeats and
// refuses commands, moves data blocks of the three forms both ways, keeps the
// items downloaded to it in stores keyed by the command's text, and injects
// faults on request. Adapters put it behind a port, a pseudo-terminal or the
// stand-in drivers.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace patgen {

using Bytes = std::vector<uint8_t>;

enum class Kind { Cmd, Down, Up, DirectUp, Reply, SummedDown, SummedUp };
enum class Form { Dle, Plain };

class PatgenCore;

// What the generator does with one command code.
struct CommandEntry {
    uint8_t code = 0;
    Kind kind = Kind::Cmd;
    Form form = Form::Dle;        // Down, Up, DirectUp
    size_t blockSize = 1024;      // data bytes per block (summed blocks: at most 1024)
    std::string store;            // the store its item lives in ("program", "pattern", ...)
    size_t keyStart = 0;          // first payload character naming the item
    size_t keyChars = std::string::npos;  // payload characters naming the item
    size_t dataLength = 0;        // total of a Down or Up, unless lengthFromPayload says
    std::function<size_t(const std::string& payload)> lengthFromPayload;
    bool replyDle = false;        // Reply: STX DLE text ETX
    // Down: blocks of any length, each ending at its ETB or ETX; Up: the
    // stored item whatever its length, refused when there is none.
    bool freeLength = false;
    // Cmd: the payload after the key is stored as the item.
    bool storesPayload = false;
    // Several entries may share a code; the first whose test accepts the
    // payload answers, and the entry without a test (the last one added)
    // answers the rest.
    std::function<bool(const std::string& payload)> accepts;
    // Commands that send data: what to send, computed from the generator's
    // state; nothing refuses the command (error number kNoItem).
    std::function<std::optional<Bytes>(PatgenCore&, const std::string& payload)> source;
    // Cmd: acts on the payload before the answer, 0 accepts, another number
    // refuses with that error. Down: takes the data received in place of
    // storing it.
    std::function<int(PatgenCore&, const std::string& payload, const Bytes& data)> sink;
};

// A figure drawn on one of the graphics planes, as the command carried it.
struct Figure {
    std::string name;
    char plane;  // 'G' the one-bit plane, 'C' the 8-bit plane, 'T' text
    std::string payload;
    std::string text;  // the characters of a text figure
};

// Faults on request; counters count down as they are used.
struct Faults {
    bool silent = false;       // answer nothing at all
    int nakEnquiry = 0;        // answer enquiries with NAK
    int silentCommands = 0;    // ignore command frames
    int nakCommands = 0;       // answer command frames with NAK
    int errorNumber = -1;      // refuse the next command with this number
    int badErrorFrames = 0;    // answer commands with STX and something that is no error frame
    int strayBytes = 0;        // answer commands with a stray byte instead of ACK
    int nakBlocks = 0;         // answer good blocks from the host with NAK
    int silentBlocks = 0;      // ignore blocks from the host
    int wrongTerminator = 0;   // blocks sent end with the wrong terminator
    int wrongChecksum = 0;     // summed blocks sent carry a wrong checksum
};

struct ReceivedCommand {
    uint8_t code;
    std::string payload;
};

class PatgenCore {
public:
    static constexpr int kUnknownCommand = 99;
    static constexpr int kNoItem = 20;
    static constexpr size_t kMaxFrame = 4096;
    static constexpr size_t kMaxSummed = 1024;

    void addCommand(const CommandEntry& entry);
    // The bytes of the host; returns the generator's answer.
    Bytes feed(const uint8_t* data, size_t n);
    Bytes feed(const Bytes& data) { return feed(data.data(), data.size()); }
    // Forgets a transfer in progress, as the generator does after a pause.
    void reset();
    bool idle() const { return state_ == State::Idle; }

    Faults& faults() { return faults_; }
    static std::string itemKey(const std::string& store, const std::string& key) { return store + ":" + key; }
    void setItem(const std::string& store, const std::string& key, Bytes data);
    const Bytes* item(const std::string& store, const std::string& key) const;
    void eraseItem(const std::string& store, const std::string& key) { items_.erase(itemKey(store, key)); }
    // Forgets every item of the named stores.
    void eraseStores(const std::vector<std::string>& stores);
    const std::map<std::string, Bytes>& items() const { return items_; }

    // Figures drawn since the planes were last cleared, in drawing order.
    const std::vector<Figure>& figures() const { return figures_; }
    void addFigure(Figure figure);
    // Clears the figures of the planes named in `planes`.
    void clearFigures(const std::string& planes);

    // The host's DTR line, as the adapter saw it.
    void setDtr(bool on) { dtr_ = on; }
    bool dtr() const { return dtr_; }

    const std::vector<ReceivedCommand>& received() const { return received_; }
    size_t enquiries() const { return enquiries_; }
    size_t naksReceived() const { return naks_; }
    size_t blocksReceived() const { return blocksReceived_; }
    // Called after each data block the generator sent, with its index.
    std::function<void(size_t)> onBlockSent;
    // Called for each command frame and each item stored, for a log.
    std::function<void(const ReceivedCommand&)> onCommand;
    std::function<void(const std::string& key, const Bytes&)> onStored;
    std::function<void(const Figure&)> onFigure;

private:
    enum class State { Idle, Command, ReceiveBlock, ReceiveSummed, Sending };

    void idleByte(uint8_t b, Bytes& out);
    void command(Bytes& out);
    void blockByte(uint8_t b, Bytes& out);
    void summedByte(uint8_t b, Bytes& out);
    void sendingByte(uint8_t b, Bytes& out);
    void startDown(const CommandEntry& entry, const std::string& payload);
    void startUp(const CommandEntry& entry, const std::string& payload, Bytes& out,
                 const std::optional<Bytes>& sourced);
    void sendBlock(Bytes& out, bool repeat);
    void blockDone(bool good, Bytes& out);
    void store();
    size_t expectedBlock() const;
    const CommandEntry* entryFor(uint8_t code, const std::string& payload) const;

    State state_ = State::Idle;
    Faults faults_;
    std::map<uint8_t, CommandEntry> specs_;
    std::map<uint8_t, std::vector<CommandEntry>> variants_;  // entries with a test, in order
    std::vector<Figure> figures_;
    std::map<std::string, Bytes> items_;
    std::vector<ReceivedCommand> received_;
    size_t enquiries_ = 0, naks_ = 0, blocksReceived_ = 0;
    bool dtr_ = false;

    Bytes frame_;            // the command frame or block being received
    const CommandEntry* spec_ = nullptr;
    std::string key_;        // the item of the transfer
    std::string payload_;    // the payload of the transfer's command
    Bytes data_;             // data of the transfer
    size_t total_ = 0;       // Down: announced total
    size_t offset_ = 0;      // Sending: start of the current block
    size_t blockIndex_ = 0;
    Bytes lastSent_;         // the block or reply to repeat after NAK
    bool lastIsFinal_ = false;
};

// Parses "CODE,KIND,FORM,BLOCK,STORE,KEYCHARS,LENGTH" (code decimal or 0x..,
// kind cmd|down|up|dup|reply|sdown|sup, form dle|plain, KEYCHARS "all" or a
// count), as the simulator's command line takes it.
bool parseCommandSpec(const std::string& text, CommandEntry& entry, std::string* error = nullptr);

} // namespace patgen
