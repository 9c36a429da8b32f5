// Memory Manager handles: a Handle points to a master pointer that points to the block.
// Handles made here can be read by every module of the process that links this layer.
#ifndef TWAINMON_PLATFORM_CORESERVICES_H
#define TWAINMON_PLATFORM_CORESERVICES_H

#ifdef __cplusplus
extern "C" {
#endif

typedef char* Ptr;
typedef Ptr* Handle;
typedef long Size;

// A new zero-filled block of byteCount bytes; null when it cannot be allocated.
Handle NewHandleClear(Size byteCount);
void DisposeHandle(Handle h);
void HLock(Handle h);
void HUnlock(Handle h);
// The block's size in bytes; 0 for null and for anything that is not a live handle made
// by NewHandleClear, so a reader can bound every read by it.
Size GetHandleSize(Handle h);

#ifdef __cplusplus
}
#endif

#endif // TWAINMON_PLATFORM_CORESERVICES_H
