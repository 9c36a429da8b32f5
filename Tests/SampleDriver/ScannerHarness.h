// Test side of the sample driver: loads its executable as the data source does and drives
// one operator with triplets described as table rows.
#ifndef TWAINMON_SCANNERHARNESS_H
#define TWAINMON_SCANNERHARNESS_H

#include <CoreFoundation/CoreFoundation.h>
#include <CoreServices/CoreServices.h>
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "CTripletOperator.h"
#include "TwainFlags.h"
#include "TwainWrapperProbe.h"

// The driver's exports, resolved once for the whole test program.
struct DriverExports {
    CreateTwainWrapperProc create;
    const TwainWrapperCall* (*lastCall)();
    unsigned long (*callCount)();
    const char* (*moduleName)();
    int (*liveOperators)();
};

template <typename Function>
Function Resolve(void* library, const char* name) {
    void* symbol = library != nullptr ? dlsym(library, name) : nullptr;
    if (symbol == nullptr) {
        std::fprintf(stderr, "%s: no %s (%s)\n", TWAINWRAPPER_EXECUTABLE, name, dlerror());
        std::abort();
    }
    return reinterpret_cast<Function>(symbol);
}

inline const DriverExports& Driver() {
    static void* library = dlopen(TWAINWRAPPER_EXECUTABLE, RTLD_NOW | RTLD_LOCAL);
    static const DriverExports exports = {
        Resolve<CreateTwainWrapperProc>(library, "CreateTwainWrapper"),
        Resolve<const TwainWrapperCall* (*)()>(library, "TwainWrapperLastCall"),
        Resolve<unsigned long (*)()>(library, "TwainWrapperCallCount"),
        Resolve<const char* (*)()>(library, "TwainWrapperModuleName"),
        Resolve<int (*)()>(library, "TwainWrapperLiveOperators")};
    return exports;
}

inline constexpr long kUnchecked = -1;

// One triplet and what it must give. arg is the one number a triplet carries: the value of
// a MSG_SET capability, ShowUI of MSG_ENABLEDS, the buffer length of a memory transfer.
// answer is what its data carries back: TWMessage of an event, Count of DAT_PENDINGXFERS,
// Rows of a strip, the size of a native image.
struct Step {
    TW_UINT32 dg;
    TW_UINT16 dat;
    TW_UINT16 msg;
    TW_UINT16 rc;
    int state; // after the triplet
    long answer;
    TW_UINT32 arg;
    TW_UINT16 cap;
    TW_UINT16 itemType;
};
inline Step Triplet(TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, TW_UINT16 rc, int state,
                    long answer = kUnchecked, TW_UINT32 arg = 0) {
    return {dg, dat, msg, rc, state, answer, arg, 0, 0};
}
inline Step SetCap(TW_UINT16 cap, TW_UINT16 itemType, TW_UINT32 value) {
    return {DG_CONTROL, DAT_CAPABILITY, MSG_SET, TWRC_SUCCESS, 4, kUnchecked, value, cap, itemType};
}

// A TW_FIX32 item: Whole | Frac << 16.
constexpr TW_UINT32 Fix(TW_INT16 whole, TW_UINT16 frac = 0) {
    return TW_UINT32{static_cast<TW_UINT16>(whole)} | TW_UINT32{frac} << 16;
}

// A TW_ONEVALUE container of byteCount bytes (its real size by default); the caller disposes.
inline TW_HANDLE NewOneValue(TW_UINT16 itemType, TW_UINT32 item,
                             long byteCount = sizeof(TW_ONEVALUE)) {
    Handle handle = NewHandleClear(byteCount);
    const TW_ONEVALUE one{itemType, item};
    std::memcpy(*handle, &one, std::min<size_t>(sizeof(one), static_cast<size_t>(byteCount)));
    return handle;
}

// A container as the test reads it back; RANGE items are min, max, step, default, current.
struct Container {
    TW_UINT16 conType;
    TW_UINT16 itemType;
    long size; // GetHandleSize
    std::vector<TW_UINT32> items;
    TW_UINT32 currentIndex;
    TW_UINT32 defaultIndex;
};

inline Container Decode(TW_UINT16 conType, TW_HANDLE handle) {
    Container c{conType, 0, GetHandleSize(handle), {}, 0, 0};
    if (c.size < 8) {
        return c;
    }
    const char* block = *handle;
    std::memcpy(&c.itemType, block, sizeof(c.itemType));
    size_t listAt = 0;
    TW_UINT32 count = 0;
    if (conType == TWON_ENUMERATION) {
        const auto* e = reinterpret_cast<const TW_ENUMERATION*>(block);
        c.currentIndex = e->CurrentIndex;
        c.defaultIndex = e->DefaultIndex;
        listAt = offsetof(TW_ENUMERATION, ItemList);
        count = e->NumItems;
    } else if (conType == TWON_ARRAY) {
        listAt = offsetof(TW_ARRAY, ItemList);
        count = reinterpret_cast<const TW_ARRAY*>(block)->NumItems;
    } else { // ONEVALUE: one item at 4; RANGE: five from 4 on
        listAt = offsetof(TW_ONEVALUE, Item);
        count = conType == TWON_RANGE ? 5 : 1;
    }
    const size_t width = conType == TWON_RANGE || conType == TWON_ONEVALUE       ? 4
                         : c.itemType == TWTY_INT16 || c.itemType == TWTY_UINT16 ? 2
                                                                                 : 4;
    for (size_t at = listAt; count > 0 && at + width <= static_cast<size_t>(c.size);
         at += width, --count) {
        TW_UINT32 item = 0;
        std::memcpy(&item, block + at, width);
        c.items.push_back(item);
    }
    return c;
}

class Scanner {
public:
    explicit Scanner(CFStringRef moduleName = CFSTR("sample_driver_tests")) {
        Driver().create(moduleName, &m_operator);
        m_application.Id = 1;
    }
    ~Scanner() { delete m_operator; }
    Scanner(const Scanner&) = delete;
    Scanner& operator=(const Scanner&) = delete;

    TW_UINT16 Send(TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF pData) {
        return m_operator->OperateTriplet(&m_application, dg, dat, msg, pData);
    }

    // Runs a step with data of the right type; stores what the data carried back.
    TW_UINT16 Run(const Step& step, long* answer = nullptr) {
        long carried = kUnchecked;
        TW_UINT16 rc;
        if (step.dat == DAT_CAPABILITY) {
            TW_CAPABILITY capability{step.cap, TWON_ONEVALUE, nullptr};
            if (step.msg == MSG_SET) {
                capability.hContainer = NewOneValue(step.itemType, step.arg);
            }
            rc = Send(step.dg, step.dat, step.msg, &capability);
            DisposeHandle(capability.hContainer);
        } else if (step.dat == DAT_IMAGEMEMXFER) {
            std::vector<TW_UINT8> buffer(step.arg);
            TW_IMAGEMEMXFER xfer{};
            xfer.Memory = {TWMF_APPOWNS | TWMF_POINTER, step.arg, buffer.data()};
            rc = Send(step.dg, step.dat, step.msg, &xfer);
            carried = xfer.Rows;
        } else if (step.dat == DAT_IMAGENATIVEXFER) {
            TW_HANDLE image = nullptr;
            rc = Send(step.dg, step.dat, step.msg, &image);
            carried = GetHandleSize(image);
            DisposeHandle(image);
        } else {
            // Other data: zero but for the field a step sets, then the field read back.
            union {
                unsigned char bytes[512];
                TW_EVENT event;
                TW_PENDINGXFERS pending;
                TW_USERINTERFACE ui;
            } data{};
            if (step.dat == DAT_EVENT) {
                data.event.TWMessage = 0xffff;
            } else if (step.dat == DAT_PENDINGXFERS) {
                data.pending.Count = 0xffff;
            } else if (step.dat == DAT_USERINTERFACE) {
                data.ui.ShowUI = static_cast<TW_BOOL>(step.arg);
            }
            rc = Send(step.dg, step.dat, step.msg, &data);
            carried = step.dat == DAT_EVENT          ? data.event.TWMessage
                      : step.dat == DAT_PENDINGXFERS ? data.pending.Count
                                                     : kUnchecked;
        }
        if (answer != nullptr) {
            *answer = carried;
        }
        return rc;
    }

    // DAT_STATUS MSG_GET: the condition code.
    TW_UINT16 Status() {
        TW_STATUS status{0xffff, 0xffff};
        EXPECT_EQ(Send(DG_CONTROL, DAT_STATUS, MSG_GET, &status), TWRC_SUCCESS);
        return status.ConditionCode;
    }

    // The state, told apart by triplets that fail on their state before looking at their
    // (null) data: nothing changes but the condition code.
    int State() {
        const auto outOfSequence = [this](TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg) {
            Send(dg, dat, msg, nullptr);
            return Status() == TWCC_SEQERROR;
        };
        if (outOfSequence(DG_IMAGE, DAT_IMAGELAYOUT, MSG_GET)) {
            return 3;
        }
        if (!outOfSequence(DG_CONTROL, DAT_CAPABILITY, MSG_SET)) {
            return 4;
        }
        if (outOfSequence(DG_IMAGE, DAT_IMAGEINFO, MSG_GET)) {
            return 5;
        }
        return outOfSequence(DG_CONTROL, DAT_PENDINGXFERS, MSG_RESET) ? 7 : 6;
    }

    // From the current state on: opens (choosing memory transfers), enables, takes the
    // transfer-ready event and transfers one row of the RGB page, as far as state asks.
    void Reach(int state) {
        const Step path[] = {
            Triplet(DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, TWRC_SUCCESS, 4),
            SetCap(ICAP_XFERMECH, TWTY_UINT16, TWSX_MEMORY),
            Triplet(DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, TWRC_SUCCESS, 5),
            Triplet(DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, TWRC_DSEVENT, 6),
            Triplet(DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET, TWRC_SUCCESS, 7, 1, 51 * 3),
        };
        const int current = State();
        for (const Step& step : path) {
            if (step.state > current && step.state <= state) {
                ASSERT_EQ(Run(step), step.rc) << "on the way to state " << state;
            }
        }
    }

    TW_UINT16 SetCapability(TW_UINT16 cap, TW_UINT16 itemType, TW_UINT32 value) {
        return Run(SetCap(cap, itemType, value));
    }

    // The container a capability message answers with (disposed of here).
    Container Capability(TW_UINT16 cap, TW_UINT16 msg, TW_UINT16* rc = nullptr) {
        TW_CAPABILITY capability{cap, static_cast<TW_UINT16>(TWON_DONTCARE16), nullptr};
        const TW_UINT16 result = Send(DG_CONTROL, DAT_CAPABILITY, msg, &capability);
        if (rc != nullptr) {
            *rc = result;
        }
        Container container = Decode(capability.ConType, capability.hContainer);
        DisposeHandle(capability.hContainer);
        return container;
    }

    CTripletOperator* Operator() { return m_operator; }

private:
    CTripletOperator* m_operator = nullptr;
    TW_IDENTITY m_application{};
};

#endif // TWAINMON_SCANNERHARNESS_H
