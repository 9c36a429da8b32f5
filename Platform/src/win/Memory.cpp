// TWAIN handles and this process's memory, read without faulting.
#include "TwainWindows.h"

#include <windows.h>

#include <cstdint>

namespace twainwin {

size_t ReadOwnMemory(const void* address, void* out, size_t size) {
    // Page by page: ReadProcessMemory fails as a whole when any page of the range cannot be
    // read, and what is before such a page is wanted.
    constexpr uintptr_t kPage = 4096;
    const HANDLE self = GetCurrentProcess();
    size_t done = 0;
    while (done < size) {
        const uintptr_t at = reinterpret_cast<uintptr_t>(address) + done;
        size_t chunk = static_cast<size_t>(kPage - at % kPage);
        if (chunk > size - done) {
            chunk = size - done;
        }
        SIZE_T got = 0;
        if (!ReadProcessMemory(self, reinterpret_cast<const void*>(at),
                               static_cast<char*>(out) + done, chunk, &got) ||
            got != chunk) {
            break;
        }
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
