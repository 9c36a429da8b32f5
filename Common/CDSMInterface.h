// Handle memory services: the one place that reaches the block behind a TW_HANDLE.
// macos layout: a handle is a Memory Manager handle, char** whose *h is the block.
// linux layout: a handle is the block's address (the DSM allocates with calloc and its
// DSM_MemLock returns the handle itself); nobody can be asked the block's size. On Windows,
// in the same layout, a handle is an HGLOBAL: GlobalSize tells its block's size.
// Either way the block belongs to whoever allocated it.
#ifndef TWAINMON_CDSMINTERFACE_H
#define TWAINMON_CDSMINTERFACE_H

#include <cstddef>

#include "TwDump.h"
#include "twain.h"

class CDSMInterface {
public:
    // True when a handle is its block's address (linux layout), so that a container that
    // cannot be read is worth a line of its own.
    static constexpr bool kHandleIsAddress = TWAINMON_TWAIN_ABI_LINUX != 0;
    // The most bytes of a container that are copied under the linux layout.
    static constexpr size_t kContainerCopyLimit = 64 * 1024;

    // A new zero-filled block of size bytes; null when it cannot be allocated.
    static TW_HANDLE AllocMemory(unsigned int size);
    static void FreeMemory(TW_HANDLE handle);
    // Pins the block and returns its address, valid until UnlockMemory. Null, and nothing
    // read, for a null handle, anything that is not a live handle, or an empty block.
    static char* LockMemory(TW_HANDLE handle);
    static void UnlockMemory(TW_HANDLE handle);
    // The block's size in bytes; 0 for null or anything that is not a live handle (and
    // always 0 under the linux layout on Linux, where no size can be asked).
    static unsigned long MemorySize(TW_HANDLE handle);
    // The capability container (TWON_ type conType) behind handle as a block to read until
    // UnlockMemory(handle); a null block when nothing of it can be read. macos: the locked
    // handle's block. linux: a copy, taken by a read that cannot fault and bounded by what
    // the container's header claims and by kContainerCopyLimit, in one buffer that the next
    // call reuses (the analyzer renders one call at a time).
    static CBlock LockContainer(TW_HANDLE handle, TW_UINT16 conType);
    static TW_UINT16 NotifyRequest(unsigned short message, TW_IDENTITY origin,
                                   TW_IDENTITY destination);
};

#endif // TWAINMON_CDSMINTERFACE_H
