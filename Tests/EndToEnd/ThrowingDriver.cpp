// A driver that throws. Built with THROW_IN_FACTORY, its factory stores an operator and then
// throws. Otherwise its operator answers by a fixed rule and keeps no state, so that threads
// can share it:
//   DAT_XQ_EDGEFILLAREA: MSG_SET throws std::runtime_error, MSG_RESET throws an int,
//   MSG_GETDEFAULT waits until the thread is cancelled, else TWRC_SUCCESS;
//   DAT_XQ_DUALIMAGE: TWRC_FAILURE; every other triplet: TWRC_SUCCESS.
// As a TWAIN 2 source it keeps the manager's entry point of DAT_ENTRYPOINT/MSG_SET, copies it
// into the pData of DAT_ENTRYPOINT/MSG_GET, and announces a transfer through it inside
// MSG_ENABLEDS, which returns what the manager returned.
#include <unistd.h>

#include <stdexcept>

#include "CTripletOperator.h"
#include "TwainXq.h"

namespace {

class CThrowingOperator final : public CTripletOperator {
public:
    void Reserved1() override {}
    void Reserved2() override {}
    TW_UINT16 OperateTriplet(TW_IDENTITY* pOrigin, TW_UINT32, TW_UINT16 DAT, TW_UINT16 MSG,
                             TW_MEMREF pData) override {
        static const TW_ENTRYPOINT* manager = nullptr;
        if (DAT == DAT_ENTRYPOINT) {
            if (MSG == MSG_SET) {
                manager = static_cast<const TW_ENTRYPOINT*>(pData);
            } else if (manager != nullptr) {
                *static_cast<TW_ENTRYPOINT*>(pData) = *manager;
            }
        }
        if (MSG == MSG_ENABLEDS && manager != nullptr) {
            return manager->DSM_Entry(nullptr, pOrigin, DG_CONTROL, DAT_NULL, MSG_XFERREADY,
                                      nullptr);
        }
        if (DAT == DAT_XQ_EDGEFILLAREA && MSG == MSG_SET) {
            throw std::runtime_error("driver fault");
        }
        if (DAT == DAT_XQ_EDGEFILLAREA && MSG == MSG_RESET) {
            throw 42;
        }
        while (DAT == DAT_XQ_EDGEFILLAREA && MSG == MSG_GETDEFAULT) {
            pause(); // a cancellation point
        }
        return DAT == DAT_XQ_DUALIMAGE ? TW_UINT16{TWRC_FAILURE} : TW_UINT16{TWRC_SUCCESS};
    }
};

} // namespace

extern "C" __attribute__((visibility("default"))) void
CreateTwainWrapper(CFStringRef, CTripletOperator** ppOperator) {
    *ppOperator = new CThrowingOperator;
#ifdef THROW_IN_FACTORY
    throw std::runtime_error("factory fault");
#endif
}
