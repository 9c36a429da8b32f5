// The sample driver's triplet operator: a simulated flatbed scanner that keeps its own TWAIN
// state (3 closed, 4 open, 5 enabled, 6 transfer ready, 7 transferring) and answers the
// control and image triplets of a scan session.
#ifndef TWAINMON_SAMPLESCANNER_H
#define TWAINMON_SAMPLESCANNER_H

#include <initializer_list>
#include <optional>

#include "CTripletOperator.h"
#include "SampleCapabilities.h"
#include "SampleImage.h"

class CSampleScanner : public CTripletOperator {
public:
    CSampleScanner();

    void Reserved1() override {}
    void Reserved2() override {}
    TW_UINT16 OperateTriplet(TW_IDENTITY* pOrigin, TW_UINT32 DG, TW_UINT16 DAT, TW_UINT16 MSG,
                             TW_MEMREF pData) override;

private:
    struct Outcome {
        TW_UINT16 rc;
        TW_UINT16 cc; // condition code DAT_STATUS reports next
    };
    static Outcome Done(TW_UINT16 rc = TWRC_SUCCESS) { return {rc, TWCC_SUCCESS}; }
    static Outcome Fail(TW_UINT16 cc) { return {TWRC_FAILURE, cc}; }

    using Handler = Outcome (CSampleScanner::*)(TW_UINT16 msg, TW_MEMREF pData);
    struct Route {
        TW_UINT32 dg;
        TW_UINT16 dat;
        Handler handler;
    };
    static const Route kRoutes[];

    // One handler per data argument type.
    Outcome Identity(TW_UINT16 msg, TW_MEMREF pData);
    Outcome Parent(TW_UINT16 msg, TW_MEMREF pData);
    Outcome Capability(TW_UINT16 msg, TW_MEMREF pData);
    Outcome Event(TW_UINT16 msg, TW_MEMREF pData);
    Outcome PendingXfers(TW_UINT16 msg, TW_MEMREF pData);
    Outcome SetupMemXfer(TW_UINT16 msg, TW_MEMREF pData);
    Outcome Status(TW_UINT16 msg, TW_MEMREF pData);
    Outcome UserInterface(TW_UINT16 msg, TW_MEMREF pData);
    Outcome ImageInfo(TW_UINT16 msg, TW_MEMREF pData);
    Outcome ImageLayout(TW_UINT16 msg, TW_MEMREF pData);
    Outcome ImageMemXfer(TW_UINT16 msg, TW_MEMREF pData);
    Outcome ImageNativeXfer(TW_UINT16 msg, TW_MEMREF pData);
    Outcome CieColor(TW_UINT16 msg, TW_MEMREF pData);
    Outcome JpegCompression(TW_UINT16 msg, TW_MEMREF pData);
    Outcome XqSettingFrame(TW_UINT16 msg, TW_MEMREF pData);
    Outcome XqEvent(TW_UINT16 msg, TW_MEMREF pData);
    Outcome XqAutoExposure(TW_UINT16 msg, TW_MEMREF pData);
    Outcome XqRgbMatrix(TW_UINT16 msg, TW_MEMREF pData);
    Outcome XqColorSmoothing(TW_UINT16 msg, TW_MEMREF pData);
    Outcome XqHardwareInfo(TW_UINT16 msg, TW_MEMREF pData);
    Outcome XqSkewInfo(TW_UINT16 msg, TW_MEMREF pData);
    Outcome XqUnsharpMask(TW_UINT16 msg, TW_MEMREF pData);
    Outcome XqUsmInfo(TW_UINT16 msg, TW_MEMREF pData);
    // DAT_XQ_REDCORRECTIONMATRIX and DAT_XQ_TWAINCALLBACKMSG: MSG_SET without a structure.
    Outcome XqNotice(TW_UINT16 msg, TW_MEMREF pData);
    // The failure of a vendor MSG_GET, if it is refused: the source must be open and the
    // structure there.
    std::optional<Outcome> RefuseVendorGet(TW_UINT16 msg, TW_MEMREF pData) const {
        return Refuse(msg == MSG_GET, InStates(4, 7), pData);
    }

    bool InStates(int first, int last) const { return m_state >= first && m_state <= last; }
    // The failure of a triplet whose message this DAT does not know, that comes in the wrong
    // state or without its structure, checked in that order; none when it may proceed.
    static std::optional<Outcome> Refuse(bool knownMessage, bool inState, TW_MEMREF pData);
    // Negotiated settings are read while the source is open (the messages in reads) and set
    // or reset only before it is enabled. The failure, when the triplet is refused.
    std::optional<Outcome> RefuseNegotiation(TW_UINT16 msg, TW_MEMREF pData,
                                             std::initializer_list<TW_UINT16> reads) const;
    ImageFormat CurrentFormat() const;
    TW_UINT16 NextEvent();
    // Pages leave the feeder: on to the next page (state 6) or, after the last, back to
    // state 5 with a close request queued.
    void EndPages(TW_UINT32 pages);

    int m_state = 3;
    TW_UINT16 m_condition = TWCC_SUCCESS;
    CCapabilities m_caps;
    TW_FRAME m_frame;
    bool m_xferReadyQueued = false;
    bool m_closeRequestQueued = false;
    int m_eventsBeforeXferReady = 0; // polls while the simulated user has not pressed Scan
    TW_UINT32 m_pagesLeft = 0;       // including the page being transferred
    TW_UINT32 m_nextRow = 0;         // of the page being transferred
};

#endif // TWAINMON_SAMPLESCANNER_H
