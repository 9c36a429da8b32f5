// Memory Manager handles as Windows has them: a handle is a moveable HGLOBAL, whose first word
// is its block's address, the master pointer of a Memory Manager handle. That word is checked
// against GlobalLock when the handle is made, so code that reads *handle after HLock reads the
// block. GetHandleSize, HLock and HUnlock take only live global handles; DisposeHandle frees
// one.
#include <CoreServices/CoreServices.h>

#include "Export.h"
#include "TwainWindows.h"

#include <windows.h>

TWAINMON_EXPORT Handle NewHandleClear(Size byteCount) {
    if (byteCount < 0) {
        return nullptr;
    }
    // At least one byte: an empty moveable block would have no address.
    HGLOBAL handle = GlobalAlloc(GHND, static_cast<SIZE_T>(byteCount > 0 ? byteCount : 1));
    if (handle == nullptr) {
        return nullptr;
    }
    void* block = GlobalLock(handle);
    const bool masterPointer = block != nullptr && *static_cast<void**>(handle) == block;
    GlobalUnlock(handle);
    if (!masterPointer) {
        GlobalFree(handle);
        return nullptr;
    }
    return static_cast<Handle>(handle);
}

TWAINMON_EXPORT void DisposeHandle(Handle h) {
    if (twainwin::GlobalBlockSize(h) != 0) {
        GlobalFree(h);
    }
}

TWAINMON_EXPORT void HLock(Handle h) {
    twainwin::LockGlobalBlock(h);
}

TWAINMON_EXPORT void HUnlock(Handle h) {
    twainwin::UnlockGlobalBlock(h);
}

TWAINMON_EXPORT Size GetHandleSize(Handle h) {
    return static_cast<Size>(twainwin::GlobalBlockSize(h));
}
