// The memory, group, image and configuration exports: each runs one row of
// the memory table or one of the image and list operations.
#include <initializer_list>

#include "genlink.h"
#include "genlink/image_commands.h"
#include "genlink/memory_commands.h"
#include "genlink/process_link.h"

using namespace genlink;

namespace {

int32_t run(const Row& row, Operands ops) {
    return guardedExport([&](Link& l) { return runRow(l, row, ops); });
}

// A row whose read fields go to separate outputs, each required.
int32_t readInto(const Row& row, const int32_t* args, std::initializer_list<int32_t*> outs, char* name = nullptr) {
    return guardedExport([&](Link& l) {
        for (int32_t* o : outs)
            if (!o) return kBadArgument;
        int32_t values[4] = {};
        const int r = runRow(l, row, {.args = args, .out = values, .nameOut = name});
        if (r != kOk) return r;
        size_t i = 0;
        for (int32_t* o : outs) *o = values[i++];
        return r;
    });
}

} // namespace

extern "C" {

int32_t PG_ProgEnable(int32_t program, int32_t flag) {
    const int32_t a[] = {program, flag};
    return run(memory::progEnable, {.args = a});
}
int32_t PG_GetProgEnable(int32_t program, int32_t* flag) { return readInto(memory::getProgEnable, &program, {flag}); }
int32_t PG_SetProgName(int32_t program, const char* name) {
    return run(memory::setProgName, {.args = &program, .name = name});
}
int32_t PG_GetProgName(int32_t program, char* name) {
    return run(memory::getProgName, {.args = &program, .nameOut = name});
}
int32_t PG_SetGroup(int32_t group, const int32_t* programs) {
    return run(memory::setGroup, {.args = &group, .in = programs});
}
int32_t PG_GetGroup(int32_t group, int32_t* programs) {
    return run(memory::getGroup, {.args = &group, .out = programs});
}
int32_t PG_SetHighProg(int32_t p1, int32_t p2, int32_t p3, int32_t p4) {
    const int32_t a[] = {p1, p2, p3, p4};
    return run(memory::setHighProg, {.args = a});
}
int32_t PG_ExeHighProg(int32_t number) { return run(memory::exeHighProg, {.args = &number}); }
int32_t PG_SetAutoDisp(const int32_t* record) { return run(memory::setAutoDisp, {.in = record}); }
int32_t PG_GetAutoDisp(int32_t* record) {
    return guardedExport([=](Link& l) { return getAutoDisp(l, record); });
}
int32_t PG_SetAnaDigiMode(int32_t mode) {
    return guardedExport([=](Link& l) { return setAnaDigiMode(l, mode); });
}
int32_t PG_GetAnaDigiMode(int32_t* mode) { return readInto(memory::getAnaDigiMode, nullptr, {mode}); }
int32_t PG_GetPGID(uint8_t* id) {
    return guardedExport([=](Link& l) {
        if (!id) return kBadArgument;
        int32_t value = 0;
        const int r = runRow(l, memory::getPGID, {.out = &value});
        if (r == kOk) *id = static_cast<uint8_t>(value);
        return r;
    });
}
int32_t PG_GetVBMSts(int32_t* records) { return run(memory::getVBMSts, {.out = records}); }
int32_t PG_GetOptPtnSts(int32_t* records) { return run(memory::getOptPtnSts, {.out = records}); }

int32_t PG_SetGpcPtn(int32_t slot, const int32_t* header, const uint8_t* colors, const uint8_t* image,
                     int32_t length) {
    return guardedExport([=](Link& l) { return setGraphicPattern(l, slot, header, colors, image, length); });
}
int32_t PG_GetGpcPtn(int32_t slot, int32_t* header, uint8_t* colors, uint8_t* image, int32_t capacity,
                     int32_t* length) {
    return guardedExport([=](Link& l) { return getGraphicPattern(l, slot, header, colors, image, capacity, length); });
}

int32_t PG_GetDDC1(int32_t selector, int32_t address, int32_t count, uint8_t* buffer) {
    return guardedExport([=](Link& l) { return getDdc(l, 0xC8, selector, address, count, buffer); });
}
int32_t PG_GetDDC2B(int32_t selector, int32_t address, int32_t count, uint8_t* buffer) {
    return guardedExport([=](Link& l) { return getDdc(l, 0xC9, selector, address, count, buffer); });
}
int32_t PG_SetDDC2B(int32_t selector, int32_t address, int32_t count, const uint8_t* bytes) {
    return guardedExport([=](Link& l) { return setDdc(l, selector, address, count, bytes); });
}

int32_t PG_SetCDC(int32_t number, const int32_t* record) { return run(memory::setCDC, {.args = &number, .in = record}); }
int32_t PG_GetCDC(int32_t number, int32_t* record) { return run(memory::getCDC, {.args = &number, .out = record}); }
int32_t PG_SetCDCName(int32_t number, const char* name) {
    return run(memory::setCDCName, {.args = &number, .name = name});
}
int32_t PG_GetCDCName(int32_t number, char* name) {
    return run(memory::getCDCName, {.args = &number, .nameOut = name});
}

int32_t PG3_SetConfig(const int32_t* record) { return run(memory::pg3SetConfig, {.in = record}); }
int32_t PG3_GetConfig(int32_t* record) { return run(memory::pg3GetConfig, {.out = record}); }
int32_t PG3_SetDevice(int32_t device) { return run(memory::pg3SetDevice, {.args = &device}); }
int32_t PG3_GetDevice(int32_t* first, int32_t* second) {
    return readInto(memory::pg3GetDevice, nullptr, {first, second});
}
int32_t PG3_MemCardFormat(void) { return run(memory::pg3MemCardFormat, {}); }
int32_t PG3_SetProgName(int32_t program, int32_t flag1, int32_t flag2, const char* name) {
    const int32_t a[] = {program, flag1, flag2};
    return run(memory::pg3SetProgName, {.args = a, .name = name});
}
int32_t PG3_GetProgName(int32_t program, int32_t* flag1, int32_t* flag2, char* name) {
    return readInto(memory::pg3GetProgName, &program, {flag1, flag2}, name);
}
int32_t PG3_SetGroup(int32_t group, const int32_t* pairs, int32_t count) {
    return guardedExport([=](Link& l) { return setGroupPairs(l, 0xAA, group, pairs, count); });
}
int32_t PG3_GetGroup(int32_t group, int32_t* pairs, int32_t count) {
    return guardedExport([=](Link& l) { return getGroupPairs(l, 0xAB, group, pairs, count); });
}
int32_t PG3_SetGroupName(int32_t group, const char* name) {
    return run(memory::pg3SetGroupName, {.args = &group, .name = name});
}
int32_t PG3_GetGroupName(int32_t group, char* name) {
    return run(memory::pg3GetGroupName, {.args = &group, .nameOut = name});
}
int32_t PG3_SetVBM(int32_t slot, const uint8_t* colors, const uint8_t* image, int32_t width, int32_t height) {
    return guardedExport([=](Link& l) { return setBitmap(l, 0xB2, slot, colors, image, width, height); });
}
int32_t PG3_GetVBM(int32_t slot, uint8_t* colors, uint8_t* image, int32_t capacity, int32_t* width, int32_t* height) {
    return guardedExport([=](Link& l) { return getBitmap(l, 0xB1, slot, colors, image, capacity, width, height); });
}
int32_t PG3_DelVBM(int32_t slot) { return run(memory::pg3DelVBM, {.args = &slot}); }
int32_t PG3_DelAllVBM(void) { return run(memory::pg3DelAllVBM, {}); }
int32_t PG3_SetVBMName(int32_t slot, const char* name) {
    return run(memory::pg3SetVBMName, {.args = &slot, .name = name});
}
int32_t PG3_GetVBMName(int32_t slot, char* name) {
    return run(memory::pg3GetVBMName, {.args = &slot, .nameOut = name});
}
int32_t PG3_GetVBMSize(int32_t slot, int32_t* size) { return readInto(memory::pg3GetVBMSize, &slot, {size}); }
int32_t PG3_SetOptPtn(int32_t number, const uint8_t* bytes, int32_t length) {
    return guardedExport([=](Link& l) { return setOptionPattern(l, number, bytes, length); });
}
int32_t PG3_GetOptPtn(int32_t number, uint8_t* bytes, int32_t capacity, int32_t* length) {
    return guardedExport([=](Link& l) { return getOptionPattern(l, number, bytes, capacity, length); });
}
int32_t PG3_DelOptPtn(int32_t number) { return run(memory::pg3DelOptPtn, {.args = &number}); }
int32_t PG3_DelAllOptPtn(void) { return run(memory::pg3DelAllOptPtn, {}); }
int32_t PG3_SetOptPtnName(int32_t number, const char* name) {
    return run(memory::pg3SetOptPtnName, {.args = &number, .name = name});
}
int32_t PG3_GetOptPtnName(int32_t number, char* name) {
    return run(memory::pg3GetOptPtnName, {.args = &number, .nameOut = name});
}
int32_t PG3_GetOptPtnSize(int32_t number, int32_t* size) {
    return readInto(memory::pg3GetOptPtnSize, &number, {size});
}

int32_t PG4_SetGroup(int32_t group, const int32_t* pairs, int32_t count) {
    return guardedExport([=](Link& l) { return setGroupPairs(l, 0xAA, group, pairs, count); });
}
int32_t PG4_GetGroup(int32_t group, int32_t* pairs, int32_t count) {
    return guardedExport([=](Link& l) { return getGroupPairs(l, 0xAB, group, pairs, count); });
}
int32_t PG4_SetProgName(int32_t program, const char* name) {
    return run(memory::pg4SetProgName, {.args = &program, .name = name});
}
int32_t PG4_GetProgName(int32_t program, char* name) {
    return run(memory::pg4GetProgName, {.args = &program, .nameOut = name});
}
int32_t PG4_SetVBM(int32_t slot, const uint8_t* colors, const uint8_t* image, int32_t width, int32_t height) {
    return guardedExport([=](Link& l) { return setBitmap(l, 0xB2, slot, colors, image, width, height); });
}
int32_t PG4_GetVBM(int32_t slot, uint8_t* colors, uint8_t* image, int32_t capacity, int32_t* width, int32_t* height) {
    return guardedExport([=](Link& l) { return getBitmap(l, 0xB1, slot, colors, image, capacity, width, height); });
}

} // extern "C"
