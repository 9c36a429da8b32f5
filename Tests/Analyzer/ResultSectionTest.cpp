// The result section: return code and pData lines, the event-polling filter, the state line.
#include <gtest/gtest.h>

#include <cstring>
#include <tuple>
#include <vector>

#include "AnalyzerFixture.h"
#include "TwainXq.h"

namespace {

// An address that is never dereferenced: the DATs used with it have no parameter block.
void* const kFarPointer = reinterpret_cast<void*>(0x123456789abcdef0ull);

std::string Section(const char* rc, const char* pointer, int state) {
    std::string text =
        std::string("        Return Code = [") + rc + "]\r\npData   = <0x" + pointer + ">\r\n";
    if (state >= 0) {
        text += "\r\nTWAIN Status = [" + std::to_string(state) + "]\r\n";
    }
    return text;
}

// The pointer prints its low 32 bits.
TEST(ResultSection, ReturnCodeNamesAndPointers) {
    const std::tuple<TW_UINT16, void*, const char*, const char*> cases[] = {
        // The names are the twrc table's (its rows are counted in Tables); the codes the demo
        // session returns are in the golden log. Here: the vendor base and the misses.
        {TWRC_CHECKSTATUS, nullptr, "TWRC_CHECKSTATUS", "00000000"},
        {0x8000, nullptr, "TWRC_CUSTOMBASE", "00000000"},
        {10, nullptr, "ERROR!(10)", "00000000"},
        {0xFFFF, nullptr, "ERROR!(65535)", "00000000"},
        {TWRC_SUCCESS, kFarPointer, "TWRC_SUCCESS", "9abcdef0"},
        {TWRC_SUCCESS, reinterpret_cast<void*>(0x10), "TWRC_SUCCESS", "00000010"},
    };
    for (const auto& [rc, data, name, pointer] : cases) {
        AnalyzerHarness h(4);
        EXPECT_EQ(h.Result(DG_CONTROL, DAT_PASSTHRU, MSG_PASSTHRU, data, rc),
                  Section(name, pointer, 4));
    }
}

TEST(ResultSection, FailureHasNoStateLineAndKeepsTheState) {
    AnalyzerHarness h(3);
    EXPECT_EQ(h.Result(DG_CONTROL, DAT_IMAGEFILEXFER, MSG_OPENDS, nullptr, TWRC_FAILURE),
              Section("TWRC_FAILURE", "00000000", -1));
    EXPECT_EQ(h.analyzer.m_nTwainStatus, 3);
    EXPECT_EQ(h.Result(DG_CONTROL, DAT_IMAGEFILEXFER, MSG_OPENDS, nullptr, TWRC_SUCCESS),
              Section("TWRC_SUCCESS", "00000000", 4));
}

TEST(ResultSection, DatsWithoutBlockGetTheShortSection) {
    for (const TW_UINT16 dat : std::initializer_list<TW_UINT16> {
             DAT_NULL, DAT_TWUNKIDENTITY, DAT_IMAGEFILEXFER, DAT_DEVICEEVENT, DAT_FILESYSTEM,
                 DAT_PASSTHRU, DAT_SETUPFILEXFER2, DAT_AUDIOINFO, DAT_XQ_EDGEFILLAREA,
                 DAT_XQ_COLORFILTER, DAT_XQ_DUALIMAGE, kUnnamedVendorDat, 0x0400, DAT_PARENT,
                 DAT_XQ_EVENT, DAT_XQ_REDCORRECTIONMATRIX, DAT_XQ_TWAINCALLBACKMSG,
#if !TWAINMON_TWAIN2 // the TWAIN 2 build dumps the callback
                 DAT_CALLBACK
#endif
         }) {
        AnalyzerHarness h(5);
        EXPECT_EQ(h.Result(DG_CONTROL, dat, MSG_GET, kFarPointer, TWRC_SUCCESS),
                  Section("TWRC_SUCCESS", "9abcdef0", 5))
            << dat;
    }
}

struct PollCase {
    TW_UINT16 dat;
    TW_UINT16 rc;
    int eventMessage; // -1: null pData
    int stateBefore;
    bool logged;
    int stateAfter;
};

TEST(ResultSection, EventPollingFilter) {
    const PollCase cases[] = {
        {DAT_EVENT, TWRC_NOTDSEVENT, MSG_NULL, 5, false, 5},
        {DAT_EVENT, TWRC_NOTDSEVENT, MSG_XFERREADY, 5, false, 5},
        {DAT_EVENT, TWRC_DSEVENT, MSG_NULL, 5, false, 5},
        {DAT_EVENT, TWRC_DSEVENT, MSG_DEVICEEVENT, 5, false, 5},
        {DAT_EVENT, TWRC_DSEVENT, -1, 5, false, 5},
        {DAT_EVENT, TWRC_FAILURE, MSG_XFERREADY, 5, false, 5},
        {DAT_EVENT, TWRC_DSEVENT, MSG_XFERREADY, 5, true, 6},
        {DAT_EVENT, TWRC_DSEVENT, MSG_CLOSEDSREQ, 5, true, 4},
        {DAT_EVENT, TWRC_DSEVENT, MSG_XFERREADY, 4, true, 4},
        // Only a DAT_EVENT triplet carries a TW_EVENT; a poll of another DAT leaves no text
        // at all, not even its structure's block.
        {DAT_IMAGEFILEXFER, TWRC_DSEVENT, MSG_XFERREADY, 6, false, 6},
        {DAT_CAPABILITY, TWRC_DSEVENT, MSG_XFERREADY, 5, false, 5},
        {DAT_STATUS, TWRC_SUCCESS, MSG_XFERREADY, 5, false, 5},
    };
    for (const PollCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "rc " << c.rc << " message " << c.eventMessage);
        AnalyzerHarness h(c.stateBefore);
        TW_EVENT event{};
        event.TWMessage = static_cast<TW_UINT16>(c.eventMessage);
        void* data = c.eventMessage < 0 ? nullptr : &event;
        const std::string text = h.Call(DG_CONTROL, c.dat, MSG_PROCESSEVENT, data, c.rc);
        if (c.logged) {
            // No triplet line: the section stands alone.
            EXPECT_EQ(text.rfind("        Return Code = [TWRC_DSEVENT]\r\npData   = <0x", 0), 0u);
            const std::string tail =
                "\r\nTWAIN Status = [" + std::to_string(c.stateAfter) + "]\r\n";
            EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
        } else {
            EXPECT_EQ(text, "");
        }
        EXPECT_EQ(h.analyzer.m_nTwainStatus, c.stateAfter);
        EXPECT_EQ(h.analyzer.m_lSequenceNo, 0);
    }
}

TEST(ResultSection, TransferReadyNoticeLeavesNoText) {
    AnalyzerHarness h(5);
    EXPECT_EQ(h.Call(DG_CONTROL, DAT_NULL, MSG_XFERREADY, nullptr, TWRC_SUCCESS), "");
    EXPECT_EQ(h.analyzer.m_nTwainStatus, 5);
}

TEST(ResultSection, AppendsStopAtTheEndOfTheResultText) {
    // A text that is nearly full: the section is cut, nothing is written past the text.
    constexpr size_t kGuard = 64;
    std::vector<char> storage(RESULT_TEXT_SIZE + kGuard, '#');
    char* text = storage.data();
    memset(text, 'x', RESULT_TEXT_SIZE - 20);
    text[RESULT_TEXT_SIZE - 20] = '\0';
    CParaAnalyze analyzer;
    analyzer.SetTwainStatus(4);
    analyzer.ParaAnalyze(nullptr, nullptr, DG_CONTROL, DAT_PASSTHRU, MSG_GET, nullptr, TWRC_SUCCESS,
                         text);
    EXPECT_EQ(strlen(text), RESULT_TEXT_SIZE - 1);
    EXPECT_EQ(std::string(text + RESULT_TEXT_SIZE - 20), "        Return Code");
    for (size_t i = RESULT_TEXT_SIZE; i < storage.size(); ++i) {
        ASSERT_EQ(storage[i], '#') << i;
    }

    // A text without a terminator inside its size is cut to it.
    memset(text, 'y', RESULT_TEXT_SIZE);
    analyzer.TripletAnalyze(nullptr, nullptr, DG_CONTROL, DAT_PASSTHRU, MSG_GET, nullptr, text);
    EXPECT_EQ(strlen(text), RESULT_TEXT_SIZE - 1);
    EXPECT_EQ(storage[RESULT_TEXT_SIZE], '#');
}

} // namespace
