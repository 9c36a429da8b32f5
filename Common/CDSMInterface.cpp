#include "CDSMInterface.h"

#if TWAINMON_TWAIN_ABI_LINUX

#ifdef _WIN32
#include <windows.h>

#include "TwainWindows.h"
#else
#include <sys/uio.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <cstdlib>

namespace {

unsigned char g_containerCopy[CDSMInterface::kContainerCopyLimit];

#ifdef _WIN32
size_t ReadWithoutFault(const void* address, unsigned char* out, size_t size) {
    return twainwin::ReadOwnMemory(address, out, size);
}
#else
// Copies up to size bytes from address on, stopping at the first byte that is not mapped
// readable: the kernel reads this process's memory for us and reports a fault as EFAULT
// instead of raising a signal. Returns the bytes copied.
size_t ReadWithoutFault(const void* address, unsigned char* out, size_t size) {
    iovec local{out, size};
    iovec remote{const_cast<void*>(address), size};
    ssize_t got = -1;
    do {
        got = process_vm_readv(getpid(), &local, 1, &remote, 1, 0);
    } while (got < 0 && errno == EINTR);
    return got > 0 ? static_cast<size_t>(got) : 0;
}
#endif

// The bytes a container's header says it has: its fixed part, then the items it counts.
size_t ClaimedSize(TW_UINT16 conType, const CBlock& header) {
    const TW_UINT16 itemType = header.U16(offsetof(TW_ONEVALUE, ItemType));
    const size_t itemSize = ItemSize(itemType);
    switch (conType) {
    case TWON_ONEVALUE:
        return offsetof(TW_ONEVALUE, Item) +
               (itemSize > sizeof(TW_UINT32) ? itemSize : sizeof(TW_UINT32));
    case TWON_ENUMERATION:
        return offsetof(TW_ENUMERATION, ItemList) +
               itemSize * header.U32(offsetof(TW_ENUMERATION, NumItems));
    case TWON_ARRAY:
        return offsetof(TW_ARRAY, ItemList) + itemSize * header.U32(offsetof(TW_ARRAY, NumItems));
    default:
        return sizeof(TW_RANGE);
    }
}

} // namespace

#ifdef _WIN32
// Windows: a handle is an HGLOBAL (GlobalAlloc, as the DSM's DSM_MemAllocate), reached only
// after GlobalSize took it for a live one.
TW_HANDLE CDSMInterface::AllocMemory(unsigned int size) {
    return static_cast<TW_HANDLE>(GlobalAlloc(GHND, size != 0 ? size : 1));
}

void CDSMInterface::FreeMemory(TW_HANDLE handle) {
    if (twainwin::GlobalBlockSize(handle) != 0) {
        GlobalFree(handle);
    }
}

char* CDSMInterface::LockMemory(TW_HANDLE handle) {
    return static_cast<char*>(twainwin::LockGlobalBlock(handle));
}

void CDSMInterface::UnlockMemory(TW_HANDLE handle) {
    twainwin::UnlockGlobalBlock(handle);
}

unsigned long CDSMInterface::MemorySize(TW_HANDLE handle) {
    return static_cast<unsigned long>(twainwin::GlobalBlockSize(handle));
}
#else
TW_HANDLE CDSMInterface::AllocMemory(unsigned int size) {
    return static_cast<TW_HANDLE>(calloc(size != 0 ? size : 1, 1));
}

void CDSMInterface::FreeMemory(TW_HANDLE handle) {
    free(handle);
}

char* CDSMInterface::LockMemory(TW_HANDLE handle) {
    return reinterpret_cast<char*>(handle);
}

void CDSMInterface::UnlockMemory(TW_HANDLE) {}

unsigned long CDSMInterface::MemorySize(TW_HANDLE) {
    return 0;
}
#endif

// Reads the header first (as far as the largest fixed part goes), then as much of what it
// claims as can be read, never more than kContainerCopyLimit bytes nor, on Windows, past the
// handle's block.
CBlock CDSMInterface::LockContainer(TW_HANDLE handle, TW_UINT16 conType) {
    const char* const block = LockMemory(handle);
    if (block == nullptr) {
        return CBlock();
    }
    size_t limit = kContainerCopyLimit;
    const unsigned long blockSize = MemorySize(handle); // 0: unknown (Linux)
    if (blockSize != 0 && blockSize < limit) {
        limit = blockSize;
    }
    constexpr size_t kHeader = sizeof(TW_RANGE);
    size_t got = ReadWithoutFault(block, g_containerCopy, kHeader < limit ? kHeader : limit);
    if (got == 0) {
        return CBlock();
    }
    size_t claim = ClaimedSize(conType, CBlock(g_containerCopy, got));
    if (claim > limit) {
        claim = limit;
    }
    if (claim > got) {
        got += ReadWithoutFault(reinterpret_cast<const unsigned char*>(block) + got,
                                g_containerCopy + got, claim - got);
    }
    return CBlock(g_containerCopy, got < claim ? got : claim);
}

#else

#include <CoreServices/CoreServices.h>

#ifdef __APPLE__
#include <mach/mach.h>
#include <mach/mach_vm.h>
#endif

#ifdef __APPLE__
namespace {

// Copies size bytes at address into out through the kernel, which answers an address that is
// not mapped readable with an error instead of a fault.
bool ReadWithoutFault(const void* address, void* out, mach_vm_size_t size) {
    mach_vm_size_t copied = 0;
    return mach_vm_read_overwrite(mach_task_self(), reinterpret_cast<mach_vm_address_t>(address),
                                  size, reinterpret_cast<mach_vm_address_t>(out),
                                  &copied) == KERN_SUCCESS &&
           copied == size;
}

// The Memory Manager of macOS has no call that tells a handle from any other pointer, and
// warns that a fake handle may crash it. What can be checked without a fault, and without any
// assumption about how it lays out its handles, is that the handle and its master pointer can
// be read: this turns away null, unmapped and freed-and-unmapped pointers, and a plain
// structure pointer whose first word is a small number. It does not prove a handle: a pointer
// that passes but is not one still reaches GetHandleSize and HLock, whose behaviour for it
// Apple leaves undefined.
bool HandleIsReadable(TW_HANDLE handle) {
    Ptr master = nullptr;
    char first = 0;
    return handle != nullptr && ReadWithoutFault(handle, &master, sizeof master) &&
           master != nullptr && ReadWithoutFault(master, &first, sizeof first);
}

} // namespace
#endif

// The Memory Manager is deprecated since macOS 10.8 with no successor: a TWAIN handle on
// macOS is a Memory Manager handle, so its calls stay, fenced here, and any other
// deprecated call still warns.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
TW_HANDLE CDSMInterface::AllocMemory(unsigned int size) {
    return NewHandleClear(static_cast<Size>(size));
}

void CDSMInterface::FreeMemory(TW_HANDLE handle) {
    DisposeHandle(handle);
}

// Only a live handle with a block is locked and read through: null, a disposed handle or any
// other pointer gives null without a read of *handle.
char* CDSMInterface::LockMemory(TW_HANDLE handle) {
    if (handle == nullptr || MemorySize(handle) == 0) {
        return nullptr;
    }
    HLock(handle);
    return *handle;
}

void CDSMInterface::UnlockMemory(TW_HANDLE handle) {
#ifdef __APPLE__
    // Callers unlock also what LockMemory refused.
    if (!HandleIsReadable(handle)) {
        return;
    }
#endif
    HUnlock(handle);
}

unsigned long CDSMInterface::MemorySize(TW_HANDLE handle) {
#ifdef __APPLE__
    if (!HandleIsReadable(handle)) {
        return 0;
    }
#endif
    const Size size = GetHandleSize(handle);
    return size > 0 ? static_cast<unsigned long>(size) : 0;
}
#pragma GCC diagnostic pop

CBlock CDSMInterface::LockContainer(TW_HANDLE handle, TW_UINT16) {
    const char* base = LockMemory(handle);
    return CBlock(base, base != nullptr ? MemorySize(handle) : 0);
}

#endif

TW_UINT16 CDSMInterface::NotifyRequest(unsigned short, TW_IDENTITY, TW_IDENTITY) {
    return 0;
}
