#include "CDSMInterface.h"

#include <CoreServices/CoreServices.h>

TW_HANDLE CDSMInterface::AllocMemory(unsigned int size) {
    return NewHandleClear(static_cast<Size>(size));
}

void CDSMInterface::FreeMemory(TW_HANDLE handle) {
    DisposeHandle(handle);
}

char* CDSMInterface::LockMemory(TW_HANDLE handle) {
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
