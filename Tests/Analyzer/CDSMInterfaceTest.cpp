// The handle services: a locked handle gives its block; null, foreign and disposed handles
// give null and are never read through.
#include <gtest/gtest.h>

#include <algorithm>

#include "AnalyzerFixture.h"
#include "CDSMInterface.h"

#if TWAINMON_TWAIN_ABI_LINUX
#include <sys/mman.h>
#include <unistd.h>

#include <cstring>
#include <vector>
#endif

namespace {

TEST(CDSMInterface, AllocatedBlocksAreZeroFilledAndSized) {
    for (unsigned int size : {1u, 8u, 4096u, 1u << 20}) {
        SCOPED_TRACE(size);
        TW_HANDLE handle = CDSMInterface::AllocMemory(size);
        ASSERT_NE(handle, nullptr);
        EXPECT_EQ(CDSMInterface::MemorySize(handle), size);
        char* block = CDSMInterface::LockMemory(handle);
        ASSERT_NE(block, nullptr);
        EXPECT_EQ(block, *handle);
        EXPECT_EQ(std::count(block, block + size, '\0'), static_cast<long>(size));
        block[size - 1] = 'x';
        CDSMInterface::UnlockMemory(handle);
        // Locked again, the block still holds what was written.
        block = CDSMInterface::LockMemory(handle);
        EXPECT_EQ(block[size - 1], 'x');
        CDSMInterface::UnlockMemory(handle);
        CDSMInterface::FreeMemory(handle);
        EXPECT_EQ(CDSMInterface::MemorySize(handle), 0u);
    }
}

TEST(CDSMInterface, NoBlockToReadGivesNull) {
    char* const poison = reinterpret_cast<char*>(0x10); // any read through it crashes
    char* foreign = poison;
    TW_HANDLE empty = CDSMInterface::AllocMemory(0);
    ASSERT_NE(empty, nullptr);
    TW_HANDLE disposed = CDSMInterface::AllocMemory(16);
    CDSMInterface::FreeMemory(disposed);
    const struct {
        const char* what;
        TW_HANDLE handle;
    } cases[] = {
        {"null", nullptr},
        {"foreign", &foreign},
        {"disposed", disposed},
        {"empty", empty},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(CDSMInterface::MemorySize(c.handle), 0u);
        EXPECT_EQ(CDSMInterface::LockMemory(c.handle), nullptr);
        CDSMInterface::UnlockMemory(c.handle);
    }
    CDSMInterface::FreeMemory(nullptr);
    CDSMInterface::FreeMemory(&foreign);
    EXPECT_EQ(foreign, poison);
    CDSMInterface::FreeMemory(empty);
}

#if TWAINMON_TWAIN_ABI_LINUX
// Under the linux layout a handle is its block's address and no size can be asked: the copy
// takes what the container's header claims, up to the first unreadable byte and the limit.
TEST(LinuxContainerRead, BoundedByTheClaimTheMappingAndTheLimit) {
    const size_t page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
    auto* pages = static_cast<unsigned char*>(
        mmap(nullptr, 2 * page, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
    ASSERT_NE(pages, MAP_FAILED);
    ASSERT_EQ(munmap(pages + page, page), 0); // the second page faults
    std::vector<unsigned char> large(2 * CDSMInterface::kContainerCopyLimit, 0x5a);
    const auto put = [](unsigned char* at, TW_UINT16 itemType, TW_UINT32 count) {
        memcpy(at, &itemType, sizeof itemType);
        memcpy(at + 2, &count, sizeof count);
        return reinterpret_cast<TW_HANDLE>(at);
    };
    const struct {
        const char* what;
        TW_UINT16 conType;
        TW_HANDLE handle;
        size_t size; // 0: nothing readable
    } cases[] = {
        {"enumeration of 3 uint16", TWON_ENUMERATION, put(pages, TWTY_UINT16, 3), 14 + 6},
        {"array of 5 uint32", TWON_ARRAY, put(pages + 64, TWTY_UINT32, 5), 6 + 20},
        {"one string", TWON_ONEVALUE, put(pages + 128, TWTY_STR255, 0), 2 + 256},
        {"one uint16", TWON_ONEVALUE, put(pages + 512, TWTY_UINT16, 0), 6},
        {"range", TWON_RANGE, put(pages + 576, TWTY_FIX32, 0), 22},
        {"claim past the mapping", TWON_ARRAY, put(pages + page - 30, TWTY_UINT16, 1000), 30},
        {"header cut by the mapping", TWON_RANGE, put(pages + page - 8, TWTY_UINT16, 0), 8},
        {"claim past the limit", TWON_ARRAY, put(large.data(), TWTY_STR255, 0xffffffff),
         CDSMInterface::kContainerCopyLimit},
        {"unmapped", TWON_ONEVALUE, reinterpret_cast<TW_HANDLE>(pages + page), 0},
        {"null", TWON_ONEVALUE, nullptr, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const CBlock block = CDSMInterface::LockContainer(c.handle, c.conType);
        EXPECT_EQ(block.Size(), c.size);
        EXPECT_EQ(block.IsNull(), c.size == 0);
        if (c.size != 0) {
            EXPECT_EQ(memcmp(block.Base(), c.handle, c.size), 0);
        }
        CDSMInterface::UnlockMemory(c.handle);
    }
    // A container that cannot be read is one line of its block.
    AnalyzerHarness harness(4);
    TW_CAPABILITY capability{ICAP_PIXELTYPE, TWON_ENUMERATION,
                             reinterpret_cast<TW_HANDLE>(pages + page)};
    EXPECT_NE(harness.Result(DG_CONTROL, DAT_CAPABILITY, MSG_GET, &capability, TWRC_SUCCESS)
                  .find(">\r\n    Container  = [not readable]\r\n  }\r\n"),
              std::string::npos);
    munmap(pages, page);
}
#endif

} // namespace
