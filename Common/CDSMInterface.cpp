#include "CDSMInterface.h"

#include <CoreServices/CoreServices.h>

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
    HUnlock(handle);
}

unsigned long CDSMInterface::MemorySize(TW_HANDLE handle) {
    const Size size = GetHandleSize(handle);
    return size > 0 ? static_cast<unsigned long>(size) : 0;
}

TW_UINT16 CDSMInterface::NotifyRequest(unsigned short, TW_IDENTITY, TW_IDENTITY) {
    return 0;
}
