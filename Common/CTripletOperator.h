// The driver's triplet operator, as the data source sees it. The driver bundle's factory
// CreateTwainWrapper creates it; its code lives in the driver bundle.
#ifndef TWAINMON_CTRIPLETOPERATOR_H
#define TWAINMON_CTRIPLETOPERATOR_H

#include <CoreFoundation/CoreFoundation.h>

#include "twain.h"

class CTripletOperator {
public:
    // The first two slots belong to the driver; the data source never calls them.
    virtual void Reserved1() = 0;
    virtual void Reserved2() = 0;
    // Executes one triplet and returns its TWAIN return code.
    virtual TW_UINT16 OperateTriplet(TW_IDENTITY* pOrigin, TW_UINT32 DG, TW_UINT16 DAT,
                                     TW_UINT16 MSG, TW_MEMREF pData) = 0;
    virtual ~CTripletOperator() {}
};

// CreateTwainWrapper(name of the data source's executable, where to store the operator).
typedef void (*CreateTwainWrapperProc)(CFStringRef moduleName, CTripletOperator** ppOperator);

#endif // TWAINMON_CTRIPLETOPERATOR_H
