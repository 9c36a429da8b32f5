// Memory Manager handle services: the one place that calls the Memory Manager. A handle
// is char** whose *h is the block; the block belongs to whoever allocated it.
#ifndef TWAINMON_CDSMINTERFACE_H
#define TWAINMON_CDSMINTERFACE_H

#include "twain.h"

class CDSMInterface {
public:
    // A new zero-filled block of size bytes; null when it cannot be allocated.
    static TW_HANDLE AllocMemory(unsigned int size);
    static void FreeMemory(TW_HANDLE handle);
    // Pins the block and returns its address, valid until UnlockMemory. Null, and nothing
    // read, for a null handle, anything that is not a live handle, or an empty block.
    static char* LockMemory(TW_HANDLE handle);
    static void UnlockMemory(TW_HANDLE handle);
    // The block's size in bytes; 0 for null or anything that is not a live handle.
    static unsigned long MemorySize(TW_HANDLE handle);
    static TW_UINT16 NotifyRequest(unsigned short message, TW_IDENTITY origin,
                                   TW_IDENTITY destination);
};

#endif // TWAINMON_CDSMINTERFACE_H
