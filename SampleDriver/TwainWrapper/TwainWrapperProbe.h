// What the sample driver exports besides its factory, so that test hosts and tools can see
// what reached it. Resolve these with dlsym on the driver's executable.
#ifndef TWAINMON_TWAINWRAPPERPROBE_H
#define TWAINMON_TWAINWRAPPERPROBE_H

#include "twain.h"

extern "C" {

struct TwainWrapperCall {
    TW_IDENTITY* pOrigin;
    TW_UINT32 DG;
    TW_UINT16 DAT;
    TW_UINT16 MSG;
    TW_MEMREF pData;
    TW_UINT16 rc; // what OperateTriplet returned
};

// The last call of OperateTriplet of any operator of this driver (all zero before the first).
const TwainWrapperCall* TwainWrapperLastCall(void);
// Calls of OperateTriplet since the driver was loaded.
unsigned long TwainWrapperCallCount(void);
// The module name the factory received, as UTF-8 ("" before the factory ran or for null).
const char* TwainWrapperModuleName(void);
// Operators created and not yet destroyed.
int TwainWrapperLiveOperators(void);
// From now on MSG_GET of CAP_SUPPORTEDCAPS answers with these count identifiers; null (or
// none) gives the driver's own list back.
void TwainWrapperSetSupportedCaps(const TW_UINT16* caps, unsigned long count);
}

#endif // TWAINMON_TWAINWRAPPERPROBE_H
