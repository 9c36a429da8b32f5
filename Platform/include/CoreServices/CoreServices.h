// Memory Manager handles, declared as the macOS SDK declares them: a Handle points to a master
// pointer that points to the block. Handles made here can be read by every module of the
// process that links this layer.
#ifndef TWAINMON_PLATFORM_CORESERVICES_H
#define TWAINMON_PLATFORM_CORESERVICES_H

#ifdef __cplusplus
extern "C" {
#endif

// <MacTypes.h>
typedef char* Ptr;
typedef Ptr* Handle;
typedef long Size;

// <CarbonCore/MacMemory.h>
// A new zero-filled block of byteCount bytes; null when it cannot be allocated.
extern Handle NewHandleClear(Size byteCount);
extern void DisposeHandle(Handle h);
extern void HLock(Handle h);
extern void HUnlock(Handle h);
// The block's size in bytes. This layer answers 0 for null and for anything that is not a
// live handle made by NewHandleClear; the Memory Manager of macOS makes no such promise.
extern Size GetHandleSize(Handle h);

#ifdef __cplusplus
}
#endif

#endif // TWAINMON_PLATFORM_CORESERVICES_H
