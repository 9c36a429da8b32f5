// TWAIN handles on Windows are HGLOBALs: a container is read only inside GlobalSize, through
// a moveable or a fixed (the DSM's GPTR) handle alike, and nothing that is not a live global
// handle is read through or crashes the host.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>

#include "CDSMInterface.h"

namespace {

// A global block of size bytes with a TW_ENUMERATION of TWTY_UINT16 that claims count items.
HGLOBAL Enumeration(UINT flags, size_t size, TW_UINT32 count) {
    HGLOBAL handle = GlobalAlloc(flags | GMEM_ZEROINIT, size);
    auto* enumeration = static_cast<TW_ENUMERATION*>(GlobalLock(handle));
    enumeration->ItemType = TWTY_UINT16;
    enumeration->NumItems = count;
    std::memset(enumeration->ItemList, 0x5a, size - offsetof(TW_ENUMERATION, ItemList));
    GlobalUnlock(handle);
    return handle;
}

TEST(Handles, ContainersAreReadInsideGlobalSize) {
    const size_t header = offsetof(TW_ENUMERATION, ItemList);
    const struct {
        const char* what;
        HGLOBAL handle;
        size_t size; // of the block read
    } cases[] = {
        {"moveable, three items", Enumeration(GMEM_MOVEABLE, header + 6, 3), header + 6},
        {"fixed, three items", Enumeration(GMEM_FIXED, header + 6, 3), header + 6},
        {"claiming a million items", Enumeration(GMEM_MOVEABLE, header + 6, 1000000), header + 6},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto handle = static_cast<TW_HANDLE>(c.handle);
        EXPECT_GE(CDSMInterface::MemorySize(handle), c.size);
        const CBlock block = CDSMInterface::LockContainer(handle, TWON_ENUMERATION);
        EXPECT_EQ(block.Size(), c.size);
        EXPECT_EQ(block.U32(offsetof(TW_ENUMERATION, NumItems)),
                  *reinterpret_cast<TW_UINT32*>(static_cast<char*>(GlobalLock(c.handle)) + 2));
        GlobalUnlock(c.handle);
        EXPECT_EQ(block.U16(header + 4), 0x5a5a);
        CDSMInterface::UnlockMemory(handle);
        EXPECT_EQ(GlobalFlags(c.handle) & GMEM_LOCKCOUNT, 0u); // unlocked as often as locked
        GlobalFree(c.handle);
    }
}

TEST(Handles, AnythingButALiveGlobalHandleGivesNothing) {
    HGLOBAL freed = GlobalAlloc(GHND, 32);
    GlobalFree(freed);
    void* released = VirtualAlloc(nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    VirtualFree(released, 0, MEM_RELEASE);
    void* guarded = VirtualAlloc(nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_NOACCESS);
    TW_ONEVALUE onStack{TWTY_UINT16, 7};
    const struct {
        const char* what;
        void* handle;
    } cases[] = {
        {"null", nullptr},
        {"freed", freed},
        {"released memory", released},
        {"memory that cannot be read", guarded},
        {"a structure on the stack", &onStack},
        {"a small number", reinterpret_cast<void*>(0x10)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto handle = static_cast<TW_HANDLE>(c.handle);
        EXPECT_EQ(CDSMInterface::MemorySize(handle), 0u);
        EXPECT_EQ(CDSMInterface::LockMemory(handle), nullptr);
        EXPECT_TRUE(CDSMInterface::LockContainer(handle, TWON_ONEVALUE).IsNull());
        CDSMInterface::UnlockMemory(handle);
        CDSMInterface::FreeMemory(handle);
    }
    EXPECT_EQ(onStack.Item, 7u);
    VirtualFree(guarded, 0, MEM_RELEASE);
}

} // namespace
