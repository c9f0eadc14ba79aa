// The frame's exports: open, close and the four selections.
#include "genlink.h"
#include "genlink/process_link.h"
#include "genlink/result_codes.h"

using genlink::guardedExport;
using genlink::Link;

extern "C" {

int32_t PG_Open(void) {
    return guardedExport([](Link& link) { return link.open(); });
}

int32_t PG_Close(void) {
    return guardedExport([](Link& link) { return link.close(); });
}

int32_t PG_SelectTransWay(int32_t way) {
    return guardedExport([=](Link& link) { return link.selectTransWay(way); });
}

int32_t PG_SelectSeriConfig(int32_t bps, int32_t charSize, int32_t stopBits, int32_t parity, int32_t portNo) {
    return guardedExport([=](Link& link) { return link.selectSeriConfig(bps, charSize, stopBits, parity, portNo); });
}

int32_t PG_SelectDevice(int32_t device, int32_t type) {
    return guardedExport([=](Link& link) { return link.selectDevice(device, type); });
}

int32_t PG_SelectPGType(int32_t typeChar) {
    return guardedExport([=](Link& link) { return link.selectPGType(typeChar); });
}

} // extern "C"
