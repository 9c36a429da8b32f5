// Test side of the sample driver: loads its executable as the data source does and drives
// one operator triplet by triplet.
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

// The driver's factory, resolved once for the whole test program.
inline CreateTwainWrapperProc CreateOperator() {
    static void* library = dlopen(TWAINWRAPPER_EXECUTABLE, RTLD_NOW | RTLD_LOCAL);
    static void* symbol = library != nullptr ? dlsym(library, "CreateTwainWrapper") : nullptr;
    if (symbol == nullptr) {
        std::fprintf(stderr, "%s: no CreateTwainWrapper (%s)\n", TWAINWRAPPER_EXECUTABLE,
                     dlerror());
        std::abort();
    }
    return reinterpret_cast<CreateTwainWrapperProc>(symbol);
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

class Scanner {
public:
    Scanner() {
        CreateOperator()(CFSTR("sample_driver_tests"), &m_operator);
        m_application.Id = 1;
    }
    ~Scanner() { delete m_operator; }
    Scanner(const Scanner&) = delete;
    Scanner& operator=(const Scanner&) = delete;

    TW_UINT16 Send(TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF pData) {
        return m_operator->OperateTriplet(&m_application, dg, dat, msg, pData);
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

    // From state 3: opens (choosing memory transfers), enables, takes the transfer-ready
    // event and transfers one row of the RGB page, as far as state asks.
    void Reach(int state) {
        TW_IDENTITY source{};
        TW_CAPABILITY mech{ICAP_XFERMECH, TWON_ONEVALUE, NewOneValue(TWTY_UINT16, TWSX_MEMORY)};
        TW_USERINTERFACE ui{};
        TW_EVENT event{};
        std::vector<TW_UINT8> row(51 * 3);
        TW_IMAGEMEMXFER xfer{};
        xfer.Memory = {TWMF_APPOWNS | TWMF_POINTER, 51 * 3, row.data()};
        const struct {
            TW_UINT32 dg;
            TW_UINT16 dat, msg, rc;
            TW_MEMREF data;
        } path[] = {
            {DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, TWRC_SUCCESS, &source},
            {DG_CONTROL, DAT_CAPABILITY, MSG_SET, TWRC_SUCCESS, &mech},
            {DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, TWRC_SUCCESS, &ui},
            {DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, TWRC_DSEVENT, &event},
            {DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET, TWRC_SUCCESS, &xfer},
        };
        for (int i = 0; i < state - 3 + (state > 3); ++i) {
            EXPECT_EQ(Send(path[i].dg, path[i].dat, path[i].msg, path[i].data), path[i].rc)
                << "on the way to state " << state;
        }
        DisposeHandle(mech.hContainer);
    }

    // The item of the TW_ONEVALUE MSG_GETCURRENT answers with.
    TW_UINT32 Current(TW_UINT16 cap) {
        TW_CAPABILITY capability{cap, static_cast<TW_UINT16>(TWON_DONTCARE16), nullptr};
        EXPECT_EQ(Send(DG_CONTROL, DAT_CAPABILITY, MSG_GETCURRENT, &capability), TWRC_SUCCESS);
        EXPECT_EQ(capability.ConType, TWON_ONEVALUE);
        TW_ONEVALUE one{};
        if (capability.hContainer != nullptr && GetHandleSize(capability.hContainer) >= 8) {
            std::memcpy(&one, *capability.hContainer, sizeof one);
        }
        DisposeHandle(capability.hContainer);
        return one.Item;
    }

private:
    CTripletOperator* m_operator = nullptr;
    TW_IDENTITY m_application{};
};

#endif // TWAINMON_SCANNERHARNESS_H
