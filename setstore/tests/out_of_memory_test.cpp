// Memory running out inside the library: every export returns its failure
// result instead of letting the exception out, and the store works again
// once memory is back. The program's own operator new stands in for the
// allocator, for the library too.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <new>
#include <stdexcept>
#include <string>

#include "platform/testing/test_folder.h"
#include "setstore.h"
#include "setstore/export_guard.h"

using platform::testing::ScopedEnv;
using platform::testing::TestFolder;

namespace {

// While set, every allocation of the process fails.
bool outOfMemory = false;

struct OutOfMemory {
    OutOfMemory() { outOfMemory = true; }
    ~OutOfMemory() { outOfMemory = false; }
};

} // namespace

void* operator new(std::size_t size)
{
    if (outOfMemory)
        throw std::bad_alloc();
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

TEST(SetstoreGuard, AThrowBecomesTheGivenResult)
{
    EXPECT_EQ(-20, setstore::guardedExport(int32_t{-20}, []() -> int32_t { throw std::bad_alloc(); }));
    EXPECT_EQ(-21, setstore::guardedExport(int32_t{-21}, []() -> int32_t { throw std::runtime_error("x"); }));
    EXPECT_EQ(7, setstore::guardedExport(int32_t{-21}, [] { return int32_t{7}; }));
    bool ran = false;
    setstore::guardedExport([&] {
        ran = true;
        throw 1;
    });
    EXPECT_TRUE(ran);
}

TEST(SetstoreOutOfMemory, ExportsFailWithTheirResultAndRecover)
{
    TestFolder folder;
    ScopedEnv xdg("XDG_CONFIG_HOME", folder.path());
    ScopedEnv instance("SETSTORE_INSTANCE", "oom." + std::filesystem::path(folder.path()).filename().string());

    // The first call sets the store up, which needs memory.
    int32_t bps = 12345;
    char type[16] = "unchanged";
    int32_t firstRead, firstText, firstInit, firstWrite;
    {
        OutOfMemory none;
        firstRead = REG_ReadSeriBps(&bps);
        firstText = REG_ReadPGType(type);
        firstInit = REG_Init();
        firstWrite = REG_WriteSeriBps(1200);
        REG_Terminate();
    }
    EXPECT_EQ(-20, firstRead);
    EXPECT_EQ(-20, firstText);
    EXPECT_EQ(-20, firstInit);
    EXPECT_EQ(-21, firstWrite);

    ASSERT_EQ(0, REG_Init());
    ASSERT_EQ(0, REG_WriteSeriBps(9600));

    // A write saves the group to the file: that needs memory.
    int32_t laterWrite, laterRecord, laterInit;
    REG_SERI seri{};
    {
        OutOfMemory none;
        laterWrite = REG_WriteSeriBps(4800);
        laterRecord = REG_WriteKeySeri(&seri);
        laterInit = REG_Init();
    }
    EXPECT_EQ(-21, laterWrite);
    EXPECT_EQ(-21, laterRecord);
    EXPECT_EQ(-20, laterInit);

    EXPECT_EQ(0, REG_WriteSeriBps(2400));
    EXPECT_EQ(0, REG_ReadSeriBps(&bps));
    EXPECT_EQ(2400, bps);
    REG_Terminate();
}
