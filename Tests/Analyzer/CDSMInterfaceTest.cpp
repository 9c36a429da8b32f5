// The handle services: a locked handle gives its block; null, foreign and disposed handles
// give null and are never read through.
#include <gtest/gtest.h>

#include <algorithm>

#include "CDSMInterface.h"

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

} // namespace
