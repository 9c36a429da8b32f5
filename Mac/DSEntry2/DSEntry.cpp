// DS_Entry: forwards each triplet to the driver's operator, logs it, returns the driver's code.
#include <atomic>
#include <cstring>

#include "CTripletOperator.h"
#include "TwainExport.h"
#include "TwainLog.h"

#ifdef __GLIBC__
#include <cxxabi.h>
#endif

extern "C" {
extern CTripletOperator* g_pcTripletOperator;

TWAINMON_EXPORT TW_UINT16 DS_Entry(TW_IDENTITY* pOrigin, TW_UINT32 DG, TW_UINT16 DAT, TW_UINT16 MSG,
                                   TW_MEMREF pData);
}

#if TWAINMON_TWAIN2
namespace {

// The manager's entry point that the source's calls go on to, and the copy of the manager's
// TW_ENTRYPOINT the driver receives in its place: the same but for DSM_Entry, which is
// SourceCallEntry. One copy per load, in the module's own data: the source may keep the
// pointer as long as it is loaded, which is never longer than the monitor. A later MSG_SET
// refreshes it.
std::atomic<DSMENTRYPROC> g_dsmEntry{nullptr};
TW_ENTRYPOINT g_entryPointCopy;

// The source's calls to the manager: forwarded unchanged, the manager's return code returned
// unchanged, and logged after the manager returned (the log lock is not held while it runs).
TW_UINT16 SourceCallEntry(TW_IDENTITY* pOrigin, TW_IDENTITY* pDest, TW_UINT32 DG, TW_UINT16 DAT,
                          TW_UINT16 MSG, TW_MEMREF pData) {
    const DSMENTRYPROC dsm = g_dsmEntry.load(std::memory_order_acquire);
    if (dsm == nullptr) {
        return TWRC_FAILURE;
    }
    const TW_UINT16 rc = dsm(pOrigin, pDest, DG, DAT, MSG, pData);
    if (IsLogging()) {
        LogSourceCall(pOrigin, pDest, DG, DAT, MSG, pData, rc);
    }
    return rc;
}

// What the driver receives for DG_CONTROL/DAT_ENTRYPOINT/MSG_SET: the monitor's copy while
// logging is on, else (and for a structure without an entry) the manager's own.
TW_MEMREF EntryPointForDriver(TW_MEMREF pData) {
    if (pData == nullptr || !IsLogging()) {
        return pData;
    }
    TW_ENTRYPOINT given;
    memcpy(&given, pData, sizeof given);
    if (given.DSM_Entry == nullptr) {
        return pData;
    }
    if (given.DSM_Entry != &SourceCallEntry) { // never the copy's own entry, which would loop
        g_dsmEntry.store(given.DSM_Entry, std::memory_order_release);
    }
    given.DSM_Entry = &SourceCallEntry;
    g_entryPointCopy = given;
    return &g_entryPointCopy;
}

} // namespace
#endif

TWAINMON_RETHROWS_FORCED_UNWIND TW_UINT16 DS_Entry(TW_IDENTITY* pOrigin, TW_UINT32 DG,
                                                   TW_UINT16 DAT, TW_UINT16 MSG, TW_MEMREF pData) {
    // Without an operator (no driver bundle, factory or module name) there is nothing to
    // forward to: the call fails, and the log shows it as any failed call. An exception from
    // the driver must not unwind into the host: the call fails and the log says so.
    TW_UINT16 rc = TWRC_FAILURE;
    bool driverThrew = false;
    TW_MEMREF forwarded = pData;
#if TWAINMON_TWAIN2
    const DsEntryScope scope; // the source's calls meanwhile follow this call's entry
    if (DG == DG_CONTROL && DAT == DAT_ENTRYPOINT && MSG == MSG_SET) {
        forwarded = EntryPointForDriver(pData);
    }
#endif
    if (CTripletOperator* const op = g_pcTripletOperator) {
        try {
            rc = op->OperateTriplet(pOrigin, DG, DAT, MSG, forwarded);
#ifdef __GLIBC__
        } catch (abi::__forced_unwind&) {
            throw; // a thread cancelled inside the driver ends as it would without the monitor
#endif
        } catch (...) {
            rc = TWRC_FAILURE;
            driverThrew = true;
        }
    }

    // Logging is settled at load; with it off, or for an event poll the log leaves out, the
    // call ends here, without the analyzer or its lock. So does a call in a child process of
    // the one that loaded the module, and every call once the log file reached a limit.
    if (g_pLogFile == nullptr || IsQuietEventPoll(DAT, MSG, rc, pData) || !IsLogging()) {
#if TWAINMON_TWAIN2
        if (HoldsSourceCalls() && IsLogging()) {
            LogHeldSourceCalls(); // the source's calls during a poll that is not logged
        }
#endif
        return rc;
    }
    LogTriplet(pOrigin, DG, DAT, MSG, pData, rc, driverThrew);
    return rc;
}
