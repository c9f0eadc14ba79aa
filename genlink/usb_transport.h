#pragma once
// The USB way: the maker's transport library, loaded at open and looked up by
// its eight entry points. Offered only on the consumer system class 4.
#include <functional>
#include <memory>
#include <string>

#include "genlink/settings.h"
#include "genlink/transport.h"
#include "platform/dynamic_library.h"

namespace genlink {

// Operating-system classes of the USB check.
constexpr int kOsWin32s = 0, kOsWin95 = 1, kOsWin95SecondEdition = 2, kOsNt = 3, kOsConsumer410 = 4,
              kOsOther = -1;
constexpr int kPlatformWin32s = 0, kPlatformConsumer = 1, kPlatformNt = 2;

struct OsVersion {
    int platform = kPlatformConsumer;
    unsigned major = 4;
    unsigned minor = 10;
    unsigned build = 0;
};
int classifyOs(const OsVersion& v);
// This system: Linux counts as the consumer family at 4.10.
int hostOsClass();

struct UsbEntryPoints {
    int (*commOpen)(const int32_t*) = nullptr;
    int (*commClose)() = nullptr;
    int (*bufFlush)() = nullptr;
    int (*sendByte)(int) = nullptr;
    int (*sendStr)(const unsigned char*, int) = nullptr;
    int (*receiveByte)(unsigned char*) = nullptr;
    int (*receiveStr)(unsigned char*, int) = nullptr;
    int (*portTimeoutSet)(int, int, int) = nullptr;
};

// The loaded library and its entry points; kept by the link state, because a
// failed open leaves the library loaded until the next successful close.
struct UsbLibrary {
    std::unique_ptr<platform::DynamicLibrary> library;
    UsbEntryPoints entry;
};

// Where the library file is: $GENLINK_USBLINK, else libusblink.so beside genlink.
std::string defaultUsblinkPath();

class UsbTransport : public Transport {
public:
    UsbTransport(Settings& settings, UsbLibrary& slot, std::string path, std::function<int()> osClass)
        : settings_(settings), slot_(slot), path_(std::move(path)), osClass_(std::move(osClass)) {}

    int open() override;
    int close() override;
    void purge() override;
    void applyTimeouts(const TimeoutTriple& t) override;
    int sendByte(uint8_t b) override;
    int sendBytes(const uint8_t* data, size_t n) override;
    int receiveByte(uint8_t& b) override;
    int receiveBytes(uint8_t* data, size_t n) override;

private:
    bool ready() const { return open_; }

    Settings& settings_;
    UsbLibrary& slot_;
    std::string path_;
    std::function<int()> osClass_;
    bool open_ = false;
};

} // namespace genlink
