// The triplet line: sequence number, label, DG/DAT/MSG names, capability name.
#include <gtest/gtest.h>

#include <cstring>

#include "AnalyzerFixture.h"

namespace {

TW_CAPABILITY Capability(TW_UINT16 cap) {
    TW_CAPABILITY c{};
    c.Cap = cap;
    c.ConType = TWON_ONEVALUE;
    return c;
}

struct TripletCase {
    TW_UINT32 dg;
    TW_UINT16 dat;
    TW_UINT16 msg;
    int capability;       // -1: no TW_CAPABILITY, -2: null pData
    const char* expected; // after "[00001] [APP] "
};

TEST(TripletLine, Names) {
    const TripletCase cases[] = {
        {DG_AUDIO, DAT_AUDIONATIVEXFER, MSG_GET, -1, "DG_AUDIO/DAT_AUDIONATIVEXFER/MSG_GET\r\n"},
        {DG_CONTROL, 0x8000, 0x8000, -1, "DG_CONTROL/DAT_CUSTOMBASE/MSG_CUSTOMBASE\r\n"},
        {DG_CONTROL, 0x8001, 0x8001, -1, "DG_CONTROL/DAT_XQ_AUTOEXPOSURE/MSG_XQ_TIMERRESET\r\n"},
        {DG_CONTROL, 0x8015, 0x8002, -1, "DG_CONTROL/DAT_XQ_EDGEFILLAREA/MSG_XQ_XFERREQUEST\r\n"},
        {DG_CONTROL, kUnnamedVendorDat, 0x8003, -1, "DG_CONTROL/ERROR!(65534)/ERROR!(32771)\r\n"},
        {DG_CONTROL, 0x0400, 0x0999, -1, "DG_CONTROL/ERROR!(1024)/ERROR!(2457)\r\n"},
        {8, DAT_NULL, MSG_NULL, -1, "ERROR!(8)/DAT_NULL/MSG_NULL\r\n"},
        {0xFFFFFFFF, 0xFFFF, 0xFFFF, -1, "ERROR!(-1)/ERROR!(65535)/ERROR!(65535)\r\n"},
        // DAT_NULL with other messages than MSG_XFERREADY is logged.
        {DG_CONTROL, DAT_NULL, MSG_CLOSEDSREQ, -1, "DG_CONTROL/DAT_NULL/MSG_CLOSEDSREQ\r\n"},
        // The capability's name is GetCapabilityName's (Tables.CapabilityNames has its cases;
        // the golden scan-session log has the lines of the standard triplets and capabilities).
        {DG_CONTROL, DAT_CAPABILITY, MSG_RESET, 0x8000,
         "DG_CONTROL/DAT_CAPABILITY/MSG_RESET (CAP_CUSTOMBASE)\r\n"},
        {DG_CONTROL, DAT_CAPABILITY, MSG_GET, 0x8006,
         "DG_CONTROL/DAT_CAPABILITY/MSG_GET (ERROR!(32774))\r\n"},
        {DG_CONTROL, DAT_CAPABILITY, MSG_GET, -2, "DG_CONTROL/DAT_CAPABILITY/MSG_GET ()\r\n"},
    };
    for (const TripletCase& c : cases) {
        AnalyzerHarness h;
        TW_CAPABILITY cap = Capability(static_cast<TW_UINT16>(c.capability));
        void* data = c.capability == -2 ? nullptr : &cap;
        EXPECT_EQ(h.Triplet(c.dg, c.dat, c.msg, data), std::string("[00001] [APP] ") + c.expected);
    }
}

TEST(TripletLine, SequenceNumbersCountOnlyWrittenLines) {
    AnalyzerHarness h;
    TW_EVENT event{};
    event.TWMessage = MSG_XFERREADY;
    for (long n = 1; n <= 100000; ++n) {
        const std::string line = h.Triplet(DG_CONTROL, DAT_STATUS, MSG_GET);
        const char* number = n == 1        ? "[00001]"
                             : n == 99999  ? "[99999]"
                             : n == 100000 ? "[100000]"
                                           : nullptr;
        if (number != nullptr) {
            EXPECT_EQ(line, std::string(number) + " [APP] DG_CONTROL/DAT_STATUS/MSG_GET\r\n");
        }
        // Event polling and the transfer-ready notice write nothing and are not counted.
        EXPECT_EQ(h.Triplet(DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, &event), "");
        EXPECT_EQ(h.Triplet(DG_CONTROL, DAT_NULL, MSG_XFERREADY), "");
    }
    EXPECT_EQ(h.analyzer.m_lSequenceNo, 100000);
    EXPECT_EQ(h.Triplet(DG_IMAGE, DAT_IMAGEINFO, MSG_GET),
              "[100001] [APP] DG_IMAGE/DAT_IMAGEINFO/MSG_GET\r\n");
}

TEST(TripletLine, TripletPassKeepsThePreviousReturnCode) {
    AnalyzerHarness h;
    h.Result(DG_CONTROL, DAT_STATUS, MSG_GET, nullptr, TWRC_CHECKSTATUS);
    h.Triplet(DG_CONTROL, DAT_IDENTITY, MSG_OPENDS);
    EXPECT_EQ(h.analyzer.m_ReturnCode, TWRC_CHECKSTATUS);
}

TEST(TripletLine, LabelAndCapabilityBufferLimits) {
    AnalyzerHarness h;
    h.analyzer.Init("a-label-that-is-much-longer-than-thirty-one-characters");
    EXPECT_EQ(h.Triplet(DG_CONTROL, DAT_STATUS, MSG_GET),
              "[00001] [a-label-that-is-much-longer-tha] DG_CONTROL/DAT_STATUS/MSG_GET\r\n");
    h.analyzer.Init(nullptr);
    EXPECT_STREQ(h.analyzer.m_szAppName, "a-label-that-is-much-longer-tha");

    TW_CAPABILITY cap = Capability(ICAP_PIXELTYPE);
    char out[15];
    memset(out, 'x', sizeof out);
    EXPECT_FALSE(h.analyzer.GetStringOfCapability(&cap, out, 14)); // needs 15 bytes
    EXPECT_EQ(out[0], 'x');
    EXPECT_TRUE(h.analyzer.GetStringOfCapability(&cap, out, 15));
    EXPECT_STREQ(out, "ICAP_PIXELTYPE");
}

TEST(TripletLine, HeaderBanner) {
    AnalyzerHarness h;
    char out[RESULT_TEXT_SIZE] = "before\r\n";
    EXPECT_TRUE(h.analyzer.HeaderMake(out));
    const std::string slashes(48, '/');
    const std::string text = out;
    const std::string head = "before\r\n" + slashes +
                             "\r\n           TWAIN Triplet Monitor Ver1.10\r\n" + slashes +
                             "\r\n  << Current time = ";
    ASSERT_EQ(text.compare(0, head.size(), head), 0) << text;
    // asctime's text without its line feed, e.g. "Sun Dec  6 07:53:14 2026".
    EXPECT_EQ(text.size(), head.size() + 24 + strlen(" >>\r\n"));
    EXPECT_EQ(text.substr(text.size() - 5), " >>\r\n");
}

} // namespace
