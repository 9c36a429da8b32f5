// TWAIN handles and this process's memory, read without faulting.
#include "TwainWindows.h"

#include <windows.h>

#include <cstdint>
#include <cstring>

namespace twainwin {

size_t ReadOwnMemory(const void* address, void* out, size_t size) {
    // Region by region: only what VirtualQuery reports committed and readable is copied. (A
    // ReadProcessMemory of this process would copy the same, at the price of a system call,
    // and in Wine of a round trip to its server.) The memory read is the call's own, which
    // the caller is not freeing while the call runs; another thread freeing it meanwhile is a
    // fault of the host that the driver would meet first.
    constexpr DWORD kReadable = PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY |
                                PAGE_EXECUTE_READ | PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
    size_t done = 0;
    while (done < size) {
        const char* const at = static_cast<const char*>(address) + done;
        MEMORY_BASIC_INFORMATION region{};
        if (VirtualQuery(at, &region, sizeof region) == 0 || region.State != MEM_COMMIT ||
            (region.Protect & kReadable) == 0 || (region.Protect & PAGE_GUARD) != 0) {
            break;
        }
        const size_t inRegion = static_cast<size_t>(static_cast<const char*>(region.BaseAddress) +
                                                    region.RegionSize - at);
        const size_t chunk = inRegion < size - done ? inRegion : size - done;
        std::memcpy(static_cast<char*>(out) + done, at, chunk);
        done += chunk;
    }
    return done;
}

size_t GlobalBlockSize(const void* handle) {
    // A moveable handle points into the handle table, a fixed one to its block: either way its
    // first bytes are readable. GlobalSize guards itself against any other pointer.
    unsigned char first[sizeof(void*)];
    if (handle == nullptr || ReadOwnMemory(handle, first, sizeof first) != sizeof first) {
        return 0;
    }
    return GlobalSize(const_cast<void*>(handle));
}

void* LockGlobalBlock(void* handle) {
    return GlobalBlockSize(handle) != 0 ? GlobalLock(handle) : nullptr;
}

void UnlockGlobalBlock(void* handle) {
    if (GlobalBlockSize(handle) != 0) {
        GlobalUnlock(handle);
    }
}

} // namespace twainwin
