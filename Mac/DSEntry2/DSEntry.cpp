// DS_Entry: forwards each triplet to the driver's operator, logs it, returns the driver's code.
#include <unistd.h>

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

TWAINMON_RETHROWS_FORCED_UNWIND TW_UINT16 DS_Entry(TW_IDENTITY* pOrigin, TW_UINT32 DG,
                                                   TW_UINT16 DAT, TW_UINT16 MSG, TW_MEMREF pData) {
    // Without an operator (no driver bundle, factory or module name) there is nothing to
    // forward to: the call fails, and the log shows it as any failed call. An exception from
    // the driver must not unwind into the host: the call fails and the log says so.
    TW_UINT16 rc = TWRC_FAILURE;
    bool driverThrew = false;
    if (CTripletOperator* const op = g_pcTripletOperator) {
        try {
            rc = op->OperateTriplet(pOrigin, DG, DAT, MSG, pData);
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
    // the one that loaded the module (its copy of the lock may be held by a thread it does not
    // have), and every call once the log file reached a limit.
    if (g_pLogFile == nullptr || IsQuietEventPoll(DAT, MSG, rc, pData) ||
        getpid() != g_nLogProcessId || g_bLogStopped.load(std::memory_order_relaxed)) {
        return rc;
    }
    LogTriplet(pOrigin, DG, DAT, MSG, pData, rc, driverThrew);
    return rc;
}
