#include "genlink/usb_transport.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "genlink/result_codes.h"

namespace genlink {

int classifyOs(const OsVersion& v) {
    switch (v.platform) {
    case kPlatformWin32s: return kOsWin32s;
    case kPlatformNt: return kOsNt;
    case kPlatformConsumer:
        if (v.major > 4 || v.minor > 0) return kOsConsumer410;
        return v.build <= 1000 ? kOsWin95 : kOsWin95SecondEdition;
    default: return kOsOther;
    }
}

int hostOsClass() { return classifyOs(OsVersion{}); }

std::string defaultUsblinkPath() {
    const char* env = std::getenv("GENLINK_USBLINK");
    if (env && *env) return env;
    const std::string folder = platform::folderOfLoadedObject(reinterpret_cast<const void*>(&defaultUsblinkPath));
    if (!folder.empty()) {
        const std::string beside = folder + "/libusblink.so";
        if (std::ifstream(beside).good()) return beside;
    }
    return "libusblink.so";
}

int UsbTransport::open() {
    const int osClass = osClass_ ? osClass_() : hostOsClass();
    if (osClass != kOsConsumer410) return kOpenFailed;
    slot_ = UsbLibrary{};
    slot_.library = platform::DynamicLibrary::open(path_);
    if (!slot_.library) return kOpenFailed;
    UsbEntryPoints& e = slot_.entry;
    const platform::DynamicLibrary& lib = *slot_.library;
    if (!(e.commOpen = lib.function<decltype(e.commOpen)>("USB_CommOpen")) ||
        !(e.commClose = lib.function<decltype(e.commClose)>("USB_CommClose")) ||
        !(e.bufFlush = lib.function<decltype(e.bufFlush)>("USB_BufFlush")) ||
        !(e.sendByte = lib.function<decltype(e.sendByte)>("USB_SendByte")) ||
        !(e.sendStr = lib.function<decltype(e.sendStr)>("USB_SendStr")) ||
        !(e.receiveByte = lib.function<decltype(e.receiveByte)>("USB_ReceiveByte")) ||
        !(e.receiveStr = lib.function<decltype(e.receiveStr)>("USB_ReceiveStr")) ||
        !(e.portTimeoutSet = lib.function<decltype(e.portTimeoutSet)>("USB_PortTimeoutSet")))
        return kOpenFailed;
    UsbRecord rec;
    if (settings_.readKeyUsb(rec) != 0) return kReadSettingFailed;
    const int32_t record[2] = {rec.rcvTimeOut, rec.sndTimeOut};
    if (e.commOpen(record) != 0) return kOpenFailed;
    open_ = true;
    return kOk;
}

int UsbTransport::close() {
    if (!open_) return kCloseFailed;
    if (slot_.entry.commClose() != 0) return kCloseFailed;
    open_ = false;
    slot_ = UsbLibrary{};
    return kOk;
}

void UsbTransport::purge() {
    if (ready()) slot_.entry.bufFlush();
}

void UsbTransport::applyTimeouts(const TimeoutTriple& t) {
    auto asInt = [](uint32_t v) { return v > INT_MAX ? INT_MAX : static_cast<int>(v); };
    if (ready()) slot_.entry.portTimeoutSet(asInt(t.byteGap), asInt(t.readTotal), asInt(t.writeTotal));
}

int UsbTransport::sendByte(uint8_t b) { return ready() && slot_.entry.sendByte(b) == 0 ? kOk : kCommFailed; }

int UsbTransport::sendBytes(const uint8_t* data, size_t n) {
    if (!ready() || n > INT_MAX) return kCommFailed;
    return slot_.entry.sendStr(data, static_cast<int>(n)) == 0 ? kOk : kCommFailed;
}

int UsbTransport::receiveByte(uint8_t& b) {
    return ready() && slot_.entry.receiveByte(&b) == 0 ? kOk : kCommFailed;
}

int UsbTransport::receiveBytes(uint8_t* data, size_t n) {
    if (!ready() || n > INT_MAX) return kCommFailed;
    std::memset(data, 0, n);
    return slot_.entry.receiveStr(data, static_cast<int>(n)) == 0 ? kOk : kCommFailed;
}

} // namespace genlink
