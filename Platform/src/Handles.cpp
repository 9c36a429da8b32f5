// Memory Manager handles. Blocks never move here, so locking is bookkeeping only. Every live
// handle is in a registry, which lets GetHandleSize and friends reject any other pointer
// without reading through it.
#include <CoreServices/CoreServices.h>

#include "Export.h"

#include <cstdlib>
#include <mutex>
#include <new>
#include <type_traits>
#include <unordered_set>

namespace {

struct HandleRecord {
    Ptr master; // first member: a Handle is the address of this member, i.e. of the record
    Size size;
    bool locked;
};
static_assert(std::is_standard_layout_v<HandleRecord>, "a Handle must point at the record");

std::mutex registryMutex;

// Never destroyed: handles may still be disposed by other modules' exit code.
std::unordered_set<const void*>& registry() {
    static auto* live = new std::unordered_set<const void*>;
    return *live;
}

// The record of a live handle, or null; the caller holds registryMutex.
HandleRecord* findLive(Handle h) {
    if (h == nullptr || registry().count(h) == 0)
        return nullptr;
    return reinterpret_cast<HandleRecord*>(h);
}

} // namespace

TWAINMON_EXPORT Handle NewHandleClear(Size byteCount) {
    if (byteCount < 0)
        return nullptr;
    // At least one byte, so that even an empty block has its own non-null address.
    Ptr block = static_cast<Ptr>(std::calloc(byteCount > 0 ? byteCount : 1, 1));
    auto* record = new (std::nothrow) HandleRecord{block, byteCount, false};
    if (block == nullptr || record == nullptr) {
        std::free(block);
        delete record;
        return nullptr;
    }
    try {
        std::lock_guard<std::mutex> lock(registryMutex);
        registry().insert(&record->master);
    } catch (const std::bad_alloc&) {
        std::free(block);
        delete record;
        return nullptr;
    }
    return &record->master;
}

TWAINMON_EXPORT void DisposeHandle(Handle h) {
    HandleRecord* record;
    {
        std::lock_guard<std::mutex> lock(registryMutex);
        record = findLive(h);
        if (record == nullptr)
            return;
        registry().erase(h);
    }
    std::free(record->master);
    delete record;
}

TWAINMON_EXPORT void HLock(Handle h) {
    std::lock_guard<std::mutex> lock(registryMutex);
    if (HandleRecord* record = findLive(h))
        record->locked = true;
}

TWAINMON_EXPORT void HUnlock(Handle h) {
    std::lock_guard<std::mutex> lock(registryMutex);
    if (HandleRecord* record = findLive(h))
        record->locked = false;
}

TWAINMON_EXPORT Size GetHandleSize(Handle h) {
    std::lock_guard<std::mutex> lock(registryMutex);
    HandleRecord* record = findLive(h);
    return record != nullptr ? record->size : 0;
}
