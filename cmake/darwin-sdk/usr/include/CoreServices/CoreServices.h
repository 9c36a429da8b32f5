// <CoreServices/CoreServices.h> of the macOS SDK, the part the product uses: the Memory
// Manager of CarbonCore's <MacMemory.h>, deprecated since macOS 10.8 as the SDK marks it, so
// that a call outside a fenced call site warns here as it does on a Mac.
#ifndef TWAINMON_DARWIN_CORESERVICES_H
#define TWAINMON_DARWIN_CORESERVICES_H

#include <CoreFoundation/CoreFoundation.h>

#ifdef __cplusplus
extern "C" {
#endif

// <MacTypes.h>
typedef char* Ptr;
typedef Ptr* Handle;
typedef long Size;

#define TWAINMON_MAC_MEMORY_DEPRECATED __attribute__((availability(macos, introduced = 10.0, deprecated = 10.8)))
extern Handle NewHandleClear(Size byteCount) TWAINMON_MAC_MEMORY_DEPRECATED;
extern void DisposeHandle(Handle h) TWAINMON_MAC_MEMORY_DEPRECATED;
extern void HLock(Handle h) TWAINMON_MAC_MEMORY_DEPRECATED;
extern void HUnlock(Handle h) TWAINMON_MAC_MEMORY_DEPRECATED;
extern Size GetHandleSize(Handle h) TWAINMON_MAC_MEMORY_DEPRECATED;

#ifdef __cplusplus
}
#endif

#endif // TWAINMON_DARWIN_CORESERVICES_H
