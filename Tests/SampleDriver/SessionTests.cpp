// The scanner's state machine: what it refuses. Its answers along whole sessions are pinned by
// the golden scan-session log.
#include <string>

#include "ScannerHarness.h"
#include "TwainXq.h"

namespace {

// Triplets that fail: out of sequence, unknown, unsupported, or without the structure they
// need. The state stays, and the condition code is read once.
TEST(SampleDriverFailures, ReportTheConditionCodeOnce) {
    const struct {
        int state;
        TW_UINT32 dg;
        TW_UINT16 dat;
        TW_UINT16 msg;
        bool nullData;
        TW_UINT16 cc;
    } cases[] = {
        {3, DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, false, TWCC_SEQERROR},
        {4, DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, false, TWCC_SEQERROR},
        {4, DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, false, TWCC_SEQERROR},
        {5, DG_CONTROL, DAT_CAPABILITY, MSG_SET, false, TWCC_SEQERROR},
        {6, DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, false, TWCC_SEQERROR},
        {6, DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, false, TWCC_SEQERROR}, // memory chosen
        {7, DG_CONTROL, DAT_PENDINGXFERS, MSG_RESET, false, TWCC_SEQERROR},
        {4, DG_CONTROL, DAT_CAPABILITY, MSG_GET, false, TWCC_CAPUNSUPPORTED}, // Cap 0
        {4, DG_AUDIO, DAT_AUDIOINFO, MSG_GET, false, TWCC_BADPROTOCOL},
        {4, DG_CONTROL, DAT_CAPABILITY, MSG_GETFIRST, false, TWCC_BADPROTOCOL},
        {3, DG_CONTROL, DAT_XQ_HARDWAREINFO, MSG_GET, false, TWCC_SEQERROR},
        {4, DG_CONTROL, DAT_XQ_USMINFO, MSG_GET, true, TWCC_BADVALUE},
        {4, DG_CONTROL, DAT_XQ_TWAINCALLBACKMSG, MSG_GET, false, TWCC_BADPROTOCOL},
        {4, DG_CONTROL, DAT_XQ_EVENT, MSG_XQ_XFERREQUEST, false, TWCC_BADPROTOCOL},
        {3, DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, true, TWCC_BADVALUE},
        {4, DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, true, TWCC_BADVALUE},
        {6, DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, true, TWCC_BADVALUE},
        {6, DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET, false, TWCC_BADVALUE}, // no buffer
        {7, DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET, true, TWCC_BADVALUE},
        // The colour description and the JPEG parameters.
        {4, DG_CONTROL, DAT_PARENT, MSG_GET, false, TWCC_BADPROTOCOL},
        {5, DG_IMAGE, DAT_CIECOLOR, MSG_GET, false, TWCC_SEQERROR},
        {6, DG_IMAGE, DAT_CIECOLOR, MSG_SET, false, TWCC_BADPROTOCOL},
        {6, DG_IMAGE, DAT_CIECOLOR, MSG_GET, true, TWCC_BADVALUE},
        {3, DG_IMAGE, DAT_JPEGCOMPRESSION, MSG_GET, false, TWCC_SEQERROR},
        {4, DG_IMAGE, DAT_JPEGCOMPRESSION, MSG_SET, false, TWCC_BADPROTOCOL},
        {4, DG_IMAGE, DAT_JPEGCOMPRESSION, MSG_GET, true, TWCC_BADVALUE},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("state " + std::to_string(c.state) + ", DG " + std::to_string(c.dg) +
                     ", DAT " + std::to_string(c.dat) + ", MSG " + std::to_string(c.msg));
        Scanner scanner;
        scanner.Reach(c.state);
        alignas(8) unsigned char data[512] = {};
        EXPECT_EQ(scanner.Send(c.dg, c.dat, c.msg, c.nullData ? nullptr : data), TWRC_FAILURE);
        EXPECT_EQ(scanner.Status(), c.cc);
        EXPECT_EQ(scanner.Status(), TWCC_SUCCESS);
        EXPECT_EQ(scanner.State(), c.state);
    }
}

} // namespace
