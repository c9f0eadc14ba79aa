// The exports of the 406 model's commands.
#include "genlink.h"
#include "genlink/pg406_commands.h"
#include "genlink/process_link.h"

using namespace genlink;

extern "C" {

int32_t PG406_SetGroupName(int32_t group, const char* name) {
    return guardedExport([&](Link& l) { return runRow(l, pg406::setGroupName, {.args = &group, .name = name}); });
}
int32_t PG406_GetGroupName(int32_t group, char* name) {
    return guardedExport([&](Link& l) { return runRow(l, pg406::getGroupName, {.args = &group, .nameOut = name}); });
}
int32_t PG406_GetDSW(uint8_t* dsw) {
    return guardedExport([=](Link& l) { return getDsw(l, dsw); });
}
int32_t PG406_ExeProgramByStatus(int32_t program, int32_t status) {
    const int32_t a[] = {program, status};
    return guardedExport([&](Link& l) { return runRow(l, pg406::exeProgramByStatus, {.args = a}); });
}
int32_t PG406_GetProgList(int32_t program, PG406_PROGLIST* entry) {
    return guardedExport([=](Link& l) { return getProgList(l, program, entry); });
}
int32_t PG406_GetAllProgList(PG406_PROGLIST* entries) {
    return guardedExport([=](Link& l) { return getAllProgList(l, entries); });
}
int32_t PG406_GetAllInProgList(PG406_INPROGLIST* entries) {
    return guardedExport([=](Link& l) { return getAllInProgList(l, entries); });
}
int32_t PG406_SetPanelRom(const uint8_t* rom) {
    return guardedExport([=](Link& l) { return setPanelRom(l, rom); });
}
int32_t PG406_GetPanelRom(uint8_t* rom) {
    return guardedExport([=](Link& l) { return getPanelRom(l, rom); });
}
int32_t PG406_GetAllGroupName(char* names, int32_t* count) {
    return guardedExport([=](Link& l) { return getAllGroupNames(l, names, count); });
}
int32_t PG406_SetProgName(int32_t program, int32_t flag1, int32_t flag2, const char* name) {
    const int32_t a[] = {program, flag1, flag2};
    return guardedExport([&](Link& l) { return runRow(l, pg406::setProgName, {.args = a, .name = name}); });
}
int32_t PG406_GetProgName(int32_t program, int32_t* flag1, int32_t* flag2, char* name) {
    return guardedExport([&](Link& l) {
        if (!flag1 || !flag2) return kBadArgument;
        int32_t flags[2] = {};
        const int r = runRow(l, pg406::getProgName, {.args = &program, .out = flags, .nameOut = name});
        if (r == kOk) *flag1 = flags[0], *flag2 = flags[1];
        return r;
    });
}
int32_t PG406_SetGroup(int32_t group, const int32_t* programs, int32_t count) {
    return guardedExport([=](Link& l) { return setGroupPrograms(l, group, programs, count); });
}
int32_t PG406_GetGroup(int32_t group, int32_t* programs, int32_t count) {
    return guardedExport([=](Link& l) { return getGroupPrograms(l, group, programs, count); });
}
int32_t PG406_SetAutoDisp(int32_t first, int32_t second) {
    const int32_t a[] = {first, second};
    return guardedExport([&](Link& l) { return runRow(l, pg406::setAutoDisp, {.args = a}); });
}
int32_t PG406_GetAutoDisp(int32_t* first, int32_t* second) {
    return guardedExport([=](Link& l) {
        if (!first || !second) return kBadArgument;
        int32_t values[2] = {};
        const int r = runRow(l, pg406::getAutoDisp, {.out = values});
        if (r == kOk) *first = values[0], *second = values[1];
        return r;
    });
}

} // extern "C"
