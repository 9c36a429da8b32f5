// <CoreServices/CoreServices.h> for the macOS cross-build: the platform layer's declarations
// (Platform/include, the SDK's names and types), redeclared with the deprecation the SDK's
// CarbonCore <MacMemory.h> gives the Memory Manager since macOS 10.8, so that a call site
// outside a fenced one warns here as it does on a Mac (and fails where warnings are errors).
#ifndef TWAINMON_DARWIN_CORESERVICES_H
#define TWAINMON_DARWIN_CORESERVICES_H

#include_next <CoreServices/CoreServices.h>

#ifdef __cplusplus
extern "C" {
#endif

#define TWAINMON_MAC_MEMORY_DEPRECATED \
    __attribute__((availability(macos, introduced = 10.0, deprecated = 10.8)))
extern Handle NewHandleClear(Size byteCount) TWAINMON_MAC_MEMORY_DEPRECATED;
extern void DisposeHandle(Handle h) TWAINMON_MAC_MEMORY_DEPRECATED;
extern void HLock(Handle h) TWAINMON_MAC_MEMORY_DEPRECATED;
extern void HUnlock(Handle h) TWAINMON_MAC_MEMORY_DEPRECATED;
extern Size GetHandleSize(Handle h) TWAINMON_MAC_MEMORY_DEPRECATED;

#ifdef __cplusplus
}
#endif

#endif // TWAINMON_DARWIN_CORESERVICES_H
