// The factory, the probe and the scanner's state machine.
#include <string>

#include "ScannerHarness.h"
#include "TwainXq.h"

namespace {

TEST(SampleDriverFactory, RecordsTheModuleNameAndCountsOperators) {
    const struct {
        CFStringRef name;
        const char* expected;
    } cases[] = {
        {CFSTR("TwainMonitor.ds"), "TwainMonitor.ds"},
        {CFSTR("Twain Monitor 2.ds"), "Twain Monitor 2.ds"},
        {nullptr, ""},
    };
    const int live = Driver().liveOperators();
    for (const auto& c : cases) {
        CTripletOperator* op = nullptr;
        Driver().create(c.name, &op);
        ASSERT_NE(op, nullptr);
        EXPECT_STREQ(Driver().moduleName(), c.expected);
        EXPECT_EQ(Driver().liveOperators(), live + 1);
        delete op;
        EXPECT_EQ(Driver().liveOperators(), live);
    }
    Driver().create(CFSTR("nowhere to put it"), nullptr); // does nothing
    EXPECT_EQ(Driver().liveOperators(), live);
    EXPECT_STREQ(Driver().moduleName(), "");
}

// What the probe records of calls with an origin is checked on every triplet of the end-to-end
// forwarding test; here a call without one, and the count.
TEST(SampleDriverProbe, RecordsACallWithoutOrigin) {
    Scanner scanner;
    TW_IDENTITY data{};
    const unsigned long count = Driver().callCount();
    EXPECT_EQ(scanner.Operator()->OperateTriplet(nullptr, DG_AUDIO, DAT_AUDIOINFO, MSG_GET, &data),
              TWRC_FAILURE);
    const TwainWrapperCall& last = *Driver().lastCall();
    EXPECT_EQ(last.pOrigin, nullptr);
    EXPECT_EQ(last.DG, DG_AUDIO);
    EXPECT_EQ(last.DAT, DAT_AUDIOINFO);
    EXPECT_EQ(last.MSG, MSG_GET);
    EXPECT_EQ(last.pData, &data);
    EXPECT_EQ(last.rc, TWRC_FAILURE);
    EXPECT_EQ(Driver().callCount(), count + 1);
}

// Whole sessions, row by row: rc, state afterwards, and what the data carried back.
class SampleDriverSession : public testing::TestWithParam<std::vector<Step>> {};

TEST_P(SampleDriverSession, FollowsTheStates) {
    Scanner scanner;
    ASSERT_EQ(scanner.State(), 3);
    int row = 0;
    for (const Step& step : GetParam()) {
        long answer = kUnchecked;
        EXPECT_EQ(scanner.Run(step, &answer), step.rc) << "row " << row;
        if (step.answer != kUnchecked) {
            EXPECT_EQ(answer, step.answer) << "row " << row;
        }
        EXPECT_EQ(scanner.State(), step.state) << "row " << row;
        ++row;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sessions, SampleDriverSession,
    testing::Values(
        // Gray memory transfer with the user interface shown: the user presses Scan on the
        // third poll. The 51 x 66 page comes in strips of 30 rows.
        std::vector<Step>{
            Triplet(DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, TWRC_SUCCESS, 4),
            SetCap(ICAP_XFERMECH, TWTY_UINT16, TWSX_MEMORY),
            SetCap(ICAP_PIXELTYPE, TWTY_UINT16, TWPT_GRAY),
            Triplet(DG_CONTROL, DAT_XQ_EVENT, MSG_XQ_TIMERRESET, TWRC_SUCCESS, 4),
            Triplet(DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, TWRC_SUCCESS, 5, kUnchecked, 1),
            Triplet(DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, TWRC_NOTDSEVENT, 5, MSG_NULL),
            Triplet(DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, TWRC_NOTDSEVENT, 5, MSG_NULL),
            Triplet(DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, TWRC_DSEVENT, 6, MSG_XFERREADY),
            Triplet(DG_CONTROL, DAT_PENDINGXFERS, MSG_GET, TWRC_SUCCESS, 6, 1),
            Triplet(DG_IMAGE, DAT_IMAGEINFO, MSG_GET, TWRC_SUCCESS, 6),
            Triplet(DG_CONTROL, DAT_SETUPMEMXFER, MSG_GET, TWRC_SUCCESS, 6),
            Triplet(DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET, TWRC_FAILURE, 6, kUnchecked, 50), // < row
            Triplet(DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET, TWRC_SUCCESS, 7, 30, 51 * 30),
            Triplet(DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET, TWRC_SUCCESS, 7, 30, 51 * 30 + 50),
            Triplet(DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET, TWRC_XFERDONE, 7, 6, 51 * 30),
            Triplet(DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET, TWRC_FAILURE, 7, kUnchecked, 51 * 30),
            Triplet(DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, TWRC_SUCCESS, 5, 0),
            Triplet(DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, TWRC_DSEVENT, 5, MSG_CLOSEDSREQ),
            Triplet(DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, TWRC_NOTDSEVENT, 5, MSG_NULL),
            Triplet(DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, TWRC_SUCCESS, 4),
            Triplet(DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, TWRC_SUCCESS, 3),
        },
        // Three native RGB pages (51 x 66 x 3 bytes) without the user interface; the
        // application drops the third.
        std::vector<Step>{
            Triplet(DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, TWRC_SUCCESS, 4),
            SetCap(CAP_XFERCOUNT, TWTY_INT16, 3),
            Triplet(DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, TWRC_SUCCESS, 5, kUnchecked, 0),
            Triplet(DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, TWRC_DSEVENT, 6, MSG_XFERREADY),
            Triplet(DG_CONTROL, DAT_PENDINGXFERS, MSG_GET, TWRC_SUCCESS, 6, 3),
            Triplet(DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, TWRC_XFERDONE, 7, 51 * 66 * 3),
            Triplet(DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, TWRC_FAILURE, 7),
            Triplet(DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, TWRC_SUCCESS, 6, 2),
            Triplet(DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, TWRC_XFERDONE, 7, 51 * 66 * 3),
            Triplet(DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, TWRC_SUCCESS, 6, 1),
            Triplet(DG_CONTROL, DAT_PENDINGXFERS, MSG_RESET, TWRC_SUCCESS, 5, 0),
            Triplet(DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, TWRC_DSEVENT, 5, MSG_CLOSEDSREQ),
            Triplet(DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, TWRC_SUCCESS, 4),
            Triplet(DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, TWRC_SUCCESS, 3),
        }),
    [](const auto& info) { return "Session" + std::to_string(info.index); });

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
        {3, DG_CONTROL, DAT_CAPABILITY, MSG_GET, false, TWCC_SEQERROR},
        {4, DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, false, TWCC_SEQERROR},
        {4, DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, false, TWCC_SEQERROR},
        {4, DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, false, TWCC_SEQERROR},
        {4, DG_IMAGE, DAT_IMAGEINFO, MSG_GET, false, TWCC_SEQERROR},
        {5, DG_CONTROL, DAT_CAPABILITY, MSG_SET, false, TWCC_SEQERROR},
        {5, DG_IMAGE, DAT_IMAGELAYOUT, MSG_SET, false, TWCC_SEQERROR},
        {6, DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, false, TWCC_SEQERROR},
        {6, DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, false, TWCC_SEQERROR}, // memory chosen
        {7, DG_CONTROL, DAT_SETUPMEMXFER, MSG_GET, false, TWCC_SEQERROR},
        {7, DG_CONTROL, DAT_PENDINGXFERS, MSG_RESET, false, TWCC_SEQERROR},
        {4, DG_CONTROL, DAT_CAPABILITY, MSG_GET, false, TWCC_CAPUNSUPPORTED}, // Cap 0
        {4, DG_AUDIO, DAT_AUDIOINFO, MSG_GET, false, TWCC_BADPROTOCOL},
        {4, DG_IMAGE, DAT_CAPABILITY, MSG_GET, false, TWCC_BADPROTOCOL},
        {4, DG_CONTROL, DAT_CAPABILITY, MSG_GETFIRST, false, TWCC_BADPROTOCOL},
        {4, DG_CONTROL, DAT_XQ_EDGEFILLAREA, MSG_GET, false, TWCC_BADPROTOCOL},
        {4, DG_CONTROL, DAT_XQ_AUTOEXPOSURE, MSG_SET, false, TWCC_BADPROTOCOL},
        {3, DG_CONTROL, DAT_XQ_HARDWAREINFO, MSG_GET, false, TWCC_SEQERROR},
        {4, DG_CONTROL, DAT_XQ_USMINFO, MSG_GET, true, TWCC_BADVALUE},
        {4, DG_CONTROL, DAT_XQ_TWAINCALLBACKMSG, MSG_GET, false, TWCC_BADPROTOCOL},
        {3, DG_CONTROL, DAT_XQ_REDCORRECTIONMATRIX, MSG_SET, false, TWCC_SEQERROR},
        {4, DG_CONTROL, DAT_XQ_EVENT, MSG_XQ_XFERREQUEST, false, TWCC_BADPROTOCOL},
        {3, DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, true, TWCC_BADVALUE},
        {4, DG_CONTROL, DAT_CAPABILITY, MSG_GET, true, TWCC_BADVALUE},
        {4, DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, true, TWCC_BADVALUE},
        {5, DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, true, TWCC_BADVALUE},
        {6, DG_IMAGE, DAT_IMAGELAYOUT, MSG_GET, true, TWCC_BADVALUE},
        {6, DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, true, TWCC_BADVALUE},
        {6, DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET, false, TWCC_BADVALUE}, // no buffer
        {7, DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET, true, TWCC_BADVALUE},
        // The colour description and the JPEG parameters.
        {4, DG_CONTROL, DAT_PARENT, MSG_GET, false, TWCC_BADPROTOCOL},
        {5, DG_IMAGE, DAT_CIECOLOR, MSG_GET, false, TWCC_SEQERROR},
        {7, DG_IMAGE, DAT_CIECOLOR, MSG_GET, false, TWCC_SEQERROR},
        {6, DG_IMAGE, DAT_CIECOLOR, MSG_SET, false, TWCC_BADPROTOCOL},
        {6, DG_IMAGE, DAT_CIECOLOR, MSG_GET, true, TWCC_BADVALUE},
        {3, DG_IMAGE, DAT_JPEGCOMPRESSION, MSG_GET, false, TWCC_SEQERROR},
        {7, DG_IMAGE, DAT_JPEGCOMPRESSION, MSG_GETDEFAULT, false, TWCC_SEQERROR},
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
