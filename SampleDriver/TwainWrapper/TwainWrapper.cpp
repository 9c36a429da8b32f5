// The sample driver's exports: the factory the data source calls and the probe that lets
// test hosts see what reached the driver.
#include <CoreFoundation/CoreFoundation.h>

#include <new>

#include "SampleScanner.h"
#include "TwainWrapperProbe.h"

#define TWAINWRAPPER_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

struct Probe {
    TwainWrapperCall lastCall;
    unsigned long callCount;
    int liveOperators;
    char moduleName[1024];
};
Probe g_probe; // zero before the first call

// The scanner as the factory hands it out: every call and every lifetime is recorded.
class CProbedScanner final : public CSampleScanner {
public:
    CProbedScanner() { ++g_probe.liveOperators; }
    ~CProbedScanner() override { --g_probe.liveOperators; }

    TW_UINT16 OperateTriplet(TW_IDENTITY* pOrigin, TW_UINT32 DG, TW_UINT16 DAT, TW_UINT16 MSG,
                             TW_MEMREF pData) override {
        const TW_UINT16 rc = CSampleScanner::OperateTriplet(pOrigin, DG, DAT, MSG, pData);
        g_probe.lastCall = {pOrigin, DG, DAT, MSG, pData, rc};
        ++g_probe.callCount;
        return rc;
    }
};

} // namespace

TWAINWRAPPER_EXPORT void CreateTwainWrapper(CFStringRef moduleName, CTripletOperator** ppOperator) {
    if (ppOperator == nullptr) {
        return;
    }
    char* name = g_probe.moduleName;
    if (moduleName == nullptr ||
        !CFStringGetCString(moduleName, name, sizeof(g_probe.moduleName), kCFStringEncodingUTF8)) {
        name[0] = '\0';
    }
    *ppOperator = new (std::nothrow) CProbedScanner();
}

TWAINWRAPPER_EXPORT const TwainWrapperCall* TwainWrapperLastCall(void) {
    return &g_probe.lastCall;
}

TWAINWRAPPER_EXPORT unsigned long TwainWrapperCallCount(void) {
    return g_probe.callCount;
}

TWAINWRAPPER_EXPORT const char* TwainWrapperModuleName(void) {
    return g_probe.moduleName;
}

TWAINWRAPPER_EXPORT int TwainWrapperLiveOperators(void) {
    return g_probe.liveOperators;
}

TWAINWRAPPER_EXPORT void TwainWrapperSetSupportedCaps(const TW_UINT16* caps, unsigned long count) {
    SetSupportedCapsAnswer(caps, count);
}
