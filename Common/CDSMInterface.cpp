#include "CDSMInterface.h"

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

TW_UINT16 CDSMInterface::NotifyRequest(unsigned short, TW_IDENTITY, TW_IDENTITY) {
    return 0;
}
