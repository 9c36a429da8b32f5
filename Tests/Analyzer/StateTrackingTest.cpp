// The tracked TWAIN state: one step per logged call that did not fail.
#include <gtest/gtest.h>

#include <string>

#include "AnalyzerFixture.h"

namespace {

struct Transition {
    int from;
    TW_UINT16 dat;
    TW_UINT16 msg;
    TW_UINT16 rc;
    int data; // TW_EVENT message for DAT_EVENT, Count for DAT_PENDINGXFERS, -1 for null
    int to;
};

// The state path of a whole memory scan is in the golden scan-session log; here every other
// transition, one step each.
TEST(StateTracking, Transitions) {
    const Transition cases[] = {
        {2, DAT_PARENT, MSG_OPENDSM, TWRC_SUCCESS, -1, 3}, // the golden log opens in state 3
        {3, DAT_STATUS, MSG_OPENDS, TWRC_SUCCESS, -1, 4},  // any DAT
        {3, DAT_USERINTERFACE, MSG_ENABLEDS, TWRC_SUCCESS, -1, 3},
        {5, DAT_USERINTERFACE, MSG_ENABLEDS, TWRC_SUCCESS, -1, 5},
        {5, DAT_USERINTERFACE, MSG_DISABLEDS, TWRC_SUCCESS, -1, 4},
        {5, DAT_NULL, MSG_DISABLEDS, TWRC_SUCCESS, -1, 5},
        {5, DAT_EVENT, MSG_PROCESSEVENT, TWRC_DSEVENT, MSG_CLOSEDSREQ, 4},
        {6, DAT_EVENT, MSG_PROCESSEVENT, TWRC_DSEVENT, MSG_CLOSEDSREQ, 6},
        {5, DAT_USERINTERFACE, MSG_ENABLEDSUIONLY, TWRC_SUCCESS, -1, 5},
        {4, DAT_NULL, MSG_CLOSEDSREQ, TWRC_SUCCESS, -1, 4},
        {5, DAT_NULL, MSG_CLOSEDSREQ, TWRC_SUCCESS, -1, 5},
        {3, DAT_IDENTITY, MSG_USERSELECT, TWRC_SUCCESS, -1, 3},
        {7, DAT_PENDINGXFERS, MSG_RESET, TWRC_SUCCESS, 0, 7},
        {6, DAT_PENDINGXFERS, MSG_RESET, TWRC_SUCCESS, 0, 5},
        {6, DAT_CAPABILITY, MSG_RESET, TWRC_SUCCESS, -1, 6},
        {7, DAT_PENDINGXFERS, MSG_ENDXFER, TWRC_SUCCESS, 2, 6},
        {7, DAT_PENDINGXFERS, MSG_ENDXFER, TWRC_SUCCESS, 0xFFFF, 6},
        {6, DAT_PENDINGXFERS, MSG_ENDXFER, TWRC_SUCCESS, 0, 5},
        {8, DAT_PENDINGXFERS, MSG_ENDXFER, TWRC_SUCCESS, 3, 6},
        {5, DAT_PENDINGXFERS, MSG_ENDXFER, TWRC_SUCCESS, 0, 5},
        {7, DAT_PENDINGXFERS, MSG_ENDXFER, TWRC_SUCCESS, -1, 7}, // no structure, no count
        {7, DAT_IMAGEINFO, MSG_ENDXFER, TWRC_SUCCESS, -1, 7},
        {6, DAT_IMAGENATIVEXFER, MSG_GET, TWRC_CANCEL, -1, 7},
        {6, DAT_IMAGENATIVEXFER, MSG_GET, TWRC_XFERDONE, -1, 7},
        {7, DAT_PENDINGXFERS, MSG_ENDXFER, TWRC_SUCCESS, 1, 6},
        {5, DAT_EVENT, MSG_PROCESSEVENT, TWRC_NOTDSEVENT, MSG_NULL, 5},
        {6, DAT_IMAGENATIVEXFER, MSG_GET, TWRC_FAILURE, -1, 6},
        {6, DAT_IMAGEFILEXFER, MSG_GET, TWRC_XFERDONE, -1, 7},
        {5, DAT_IMAGEMEMXFER, MSG_GET, TWRC_SUCCESS, -1, 5},
        {4, DAT_IDENTITY, MSG_OPENDS, TWRC_CHECKSTATUS, -1, 4},
        {3, DAT_IDENTITY, MSG_OPENDS, TWRC_CHECKSTATUS, -1, 4},
        {3, DAT_IDENTITY, MSG_OPENDS, TWRC_FAILURE, -1, 3},
        {0, DAT_IDENTITY, MSG_OPENDS, TWRC_SUCCESS, -1, 0}, // logging off: never moves
        {0, DAT_PARENT, MSG_OPENDSM, TWRC_SUCCESS, -1, 0},
    };
    for (const Transition& t : cases) {
        SCOPED_TRACE(testing::Message()
                     << "from " << t.from << " DAT " << t.dat << " MSG " << t.msg);
        AnalyzerHarness h(t.from);
        TW_EVENT event{};
        event.TWMessage = static_cast<TW_UINT16>(t.data);
        TW_PENDINGXFERS pending{};
        pending.Count = static_cast<TW_UINT16>(t.data);
        void* data = t.data < 0                  ? nullptr
                     : t.dat == DAT_EVENT        ? static_cast<void*>(&event)
                     : t.dat == DAT_PENDINGXFERS ? static_cast<void*>(&pending)
                                                 : nullptr;
        const std::string text = h.Result(DG_CONTROL, t.dat, t.msg, data, t.rc);
        EXPECT_EQ(h.analyzer.GetTwainStatus(), t.to);
        const std::string line = "\r\nTWAIN Status = [" + std::to_string(t.to) + "]\r\n";
        if (t.rc != TWRC_FAILURE && !text.empty()) {
            EXPECT_EQ(text.substr(text.size() - line.size()), line);
        } else {
            EXPECT_EQ(text.find("TWAIN Status"), std::string::npos);
        }
    }
}

TEST(StateTracking, DirectCallsIgnoreTheDataGroup) {
    CParaAnalyze analyzer;
    analyzer.InitTwainStatus();
    EXPECT_EQ(analyzer.GetTwainStatus(), 1);
    EXPECT_EQ(analyzer.SetTwainStatus(6), 6);
    EXPECT_EQ(analyzer.UpDateTwainStatus(0xFFFFFFFF, DAT_IMAGEMEMXFER, MSG_GET, nullptr), 7);
    char out[64];
    EXPECT_EQ(analyzer.MakeTwainStatusString(out), 22);
    EXPECT_STREQ(out, "\r\nTWAIN Status = [7]\r\n");
}

} // namespace
