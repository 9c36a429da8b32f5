// The sample driver's refusals: triplets out of sequence, unknown, unsupported or without
// their structure, and capability values it does not allow. Its answers along whole sessions
// are pinned by the golden scan-session log.
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

// MSG_SET of a TW_ONEVALUE (bytes long; 0: no container) and what MSG_GETCURRENT reports then.
TEST(SampleDriverCapabilities, SetAcceptsOnlyAllowedValuesInProperContainers) {
    const struct {
        TW_UINT16 cap;
        TW_UINT16 itemType;
        TW_UINT32 value;
        long bytes;
        TW_UINT16 cc; // TWCC_SUCCESS: accepted
        TW_UINT32 current;
    } cases[] = {
        {ICAP_PIXELTYPE, TWTY_UINT16, TWPT_GRAY, 8, TWCC_SUCCESS, TWPT_GRAY},
        {ICAP_PIXELTYPE, TWTY_UINT16, TWPT_CMYK, 8, TWCC_BADVALUE, TWPT_RGB},
        {ICAP_PIXELTYPE, TWTY_UINT32, TWPT_GRAY, 8, TWCC_BADVALUE, TWPT_RGB},
        {ICAP_PIXELTYPE, TWTY_UINT16, TWPT_GRAY, 4, TWCC_BADVALUE, TWPT_RGB},
        {ICAP_PIXELTYPE, TWTY_UINT16, TWPT_GRAY, 0, TWCC_BADVALUE, TWPT_RGB},
        {ICAP_XRESOLUTION, TWTY_FIX32, Fix(150), 8, TWCC_SUCCESS, Fix(150)},
        {ICAP_XRESOLUTION, TWTY_FIX32, Fix(200), 8, TWCC_BADVALUE, Fix(300)},
        {ICAP_BRIGHTNESS, TWTY_FIX32, Fix(-1000), 8, TWCC_SUCCESS, Fix(-1000)},
        {ICAP_BRIGHTNESS, TWTY_FIX32, Fix(1001), 8, TWCC_BADVALUE, Fix(0)},
        {ICAP_BRIGHTNESS, TWTY_FIX32, Fix(5, 0x8000), 8, TWCC_BADVALUE, Fix(0)}, // off the step
        {CAP_XFERCOUNT, TWTY_INT16, 3, 8, TWCC_SUCCESS, 3},
        {CAP_XFERCOUNT, TWTY_INT16, 0, 8, TWCC_BADVALUE, 0xffff},
        {CAP_XFERCOUNT, TWTY_INT16, 0xfffe, 8, TWCC_BADVALUE, 0xffff}, // -2
        {CAP_XQ_UIMODE, TWTY_UINT16, 7, 8, TWCC_BADVALUE, TWXQ_UI_EASY},
        {ICAP_UNITS, TWTY_UINT16, TWUN_INCHES, 8, TWCC_CAPBADOPERATION, TWUN_INCHES},
        {ICAP_BITDEPTH, TWTY_UINT16, 8, 8, TWCC_CAPBADOPERATION, 24},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("cap " + std::to_string(c.cap) + ", value " + std::to_string(c.value) +
                     ", bytes " + std::to_string(c.bytes));
        Scanner scanner;
        scanner.Reach(4);
        TW_CAPABILITY capability{c.cap, TWON_ONEVALUE,
                                 c.bytes ? NewOneValue(c.itemType, c.value, c.bytes) : nullptr};
        const TW_HANDLE sent = capability.hContainer;
        EXPECT_EQ(scanner.Send(DG_CONTROL, DAT_CAPABILITY, MSG_SET, &capability),
                  c.cc == TWCC_SUCCESS ? TWRC_SUCCESS : TWRC_FAILURE);
        EXPECT_EQ(capability.hContainer, sent); // the application's container stays its own
        DisposeHandle(sent);
        EXPECT_EQ(scanner.Status(), c.cc);
        EXPECT_EQ(scanner.Current(c.cap), c.current);
    }
}

} // namespace
