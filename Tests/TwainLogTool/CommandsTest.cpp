// summary, check and diff on hand-made sessions, compared with their whole output.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "Check.h"
#include "Diff.h"
#include "LogText.h"
#include "Summary.h"

namespace twainlog::test {
namespace {

std::string OneValue(const char* cap, const char* type, const char* item) {
    return std::string("  TW_CAPABILITY = {\r\n    Cap        = [") + cap +
           "]\r\n    ConType    = [TWON_ONEVALUE]\r\n    hContainer = <0x00600010>\r\n"
           "    TW_ONEVALUE = {\r\n      ItemType = [" +
           type + "]\r\n      Item     = [" + item + "]\r\n    }\r\n  }";
}

std::string Cap(const std::string& msg, const std::string& cap) {
    return "DG_CONTROL/DAT_CAPABILITY/" + msg + " (" + cap + ")";
}

// Numbers the entries and fills in the triplet lines: each step is a triplet (empty for an
// event; after "[DS] " a call of the source), its return code, its block and the state after it.
struct Step {
    std::string triplet;
    std::string rc;
    std::string block;
    int state;
};

std::string Session(const std::vector<Step>& steps) {
    std::string text;
    int sequence = 0;
    for (const Step& step : steps) {
        if (!step.triplet.empty()) {
            const bool source = step.triplet.rfind("[DS] ", 0) == 0;
            char number[32];
            std::snprintf(number, sizeof number, "[%05d] [%s] ", ++sequence, source ? "DS" : "APP");
            text += number + step.triplet.substr(source ? 5 : 0) + "\r\n";
        }
        text += "        Return Code = [" + step.rc + "]\r\npData   = <0x7f00" +
                std::to_string(10 + sequence) + ">\r\n";
        if (!step.block.empty()) {
            text += step.block + "\r\n";
        }
        text += step.rc == "TWRC_FAILURE"
                    ? "*** Inspect Error Status Start ***\r\n*** Inspect Error Status End   ***\r\n"
                    : "\r\nTWAIN Status = [" + std::to_string(step.state) + "]\r\n";
    }
    return text;
}

const char kOpen[] = "DG_CONTROL/DAT_IDENTITY/MSG_OPENDS";
const char kClose[] = "DG_CONTROL/DAT_IDENTITY/MSG_CLOSEDS";
const char kEnable[] = "DG_CONTROL/DAT_USERINTERFACE/MSG_ENABLEDS";
const char kDisable[] = "DG_CONTROL/DAT_USERINTERFACE/MSG_DISABLEDS";
const char kStatus[] = "DG_CONTROL/DAT_STATUS/MSG_GET";
const char kMemXfer[] = "DG_IMAGE/DAT_IMAGEMEMXFER/MSG_GET";
const char kEndXfer[] = "DG_CONTROL/DAT_PENDINGXFERS/MSG_ENDXFER";
const char kXferReady[] = "[DS] DG_CONTROL/DAT_NULL/MSG_XFERREADY";
const char kCloseRequest[] = "[DS] DG_CONTROL/DAT_NULL/MSG_CLOSEDSREQ";
const char kNativeXfer[] = "DG_IMAGE/DAT_IMAGENATIVEXFER/MSG_GET";

// A TWAIN 2 session: the source announces its transfer and asks to be closed; the application
// answers both.
const std::vector<Step> kSourceSession = {
    {"DG_CONTROL/DAT_ENTRYPOINT/MSG_SET", "TWRC_SUCCESS", "", 3},
    {kOpen, "TWRC_SUCCESS", "", 4},
    {kEnable, "TWRC_SUCCESS", "", 5},
    {kXferReady, "TWRC_SUCCESS", "", 6},
    {kNativeXfer, "TWRC_XFERDONE", "", 7},
    {"DG_IMAGE/DAT_EXTIMAGEINFO/MSG_GET", "TWRC_FAILURE", "", 7},
    {kCloseRequest, "TWRC_SUCCESS", "", 7},
    {kStatus, "TWRC_SUCCESS", "", 7},
    {kEndXfer, "TWRC_SUCCESS", "  TW_PENDINGXFERS = {\r\n    Count = [0]\r\n  }", 5},
    {kDisable, "TWRC_SUCCESS", "", 4},
    {kClose, "TWRC_SUCCESS", "", 3},
};

std::string Strip(const char* bytes) {
    return std::string("  TW_IMAGEMEMXFER = {\r\n    BytesWritten = [") + bytes +
           "]\r\n    Memory       =\r\n    TW_MEMORY = {\r\n      TheMem = <0x79588000>\r\n"
           "    }\r\n}";
}

const std::vector<Step> kScan = {
    {kOpen, "TWRC_SUCCESS", "", 4},
    {Cap("MSG_SET", "ICAP_PIXELTYPE"), "TWRC_SUCCESS",
     OneValue("ICAP_PIXELTYPE", "TWTY_UINT16", "TWPT_RGB"), 4},
    {Cap("MSG_GET", "ICAP_XRESOLUTION"), "TWRC_SUCCESS",
     "  TW_CAPABILITY = {\r\n    Cap        = [ICAP_XRESOLUTION]\r\n    TW_ENUMERATION = {\r\n"
     "      CurrentIndex = [1]\r\n      ItemList = {\r\n          0:150.000,\r\n"
     "          1:300.000\r\n      }\r\n    }\r\n  }",
     4},
    {Cap("MSG_GET", "CAP_FEEDERENABLED"), "TWRC_FAILURE", "", 4},
    {kStatus, "TWRC_SUCCESS", "  TW_STATUS = {\r\n    ConditionCode = [TWCC_CAPUNSUPPORTED]\r\n  }",
     4},
    {kEnable, "TWRC_SUCCESS", "", 5},
    {"", "TWRC_DSEVENT", "", 6},
    {"DG_IMAGE/DAT_IMAGEINFO/MSG_GET", "TWRC_SUCCESS",
     "  TW_IMAGEINFO = {\r\n    ImageWidth       = [100]\r\n    ImageLength      = [20]\r\n"
     "    BitsPerPixel     = [24]\r\n    PixelType        = [TWPT_RGB]\r\n  }",
     6},
    {kMemXfer, "TWRC_SUCCESS", Strip("3000"), 7},
    {kMemXfer, "TWRC_XFERDONE", Strip("3000"), 7},
    {kEndXfer, "TWRC_SUCCESS", "  TW_PENDINGXFERS = {\r\n    Count = [0]\r\n  }", 5},
    {"", "TWRC_DSEVENT", "", 4},
    {kDisable, "TWRC_SUCCESS", "", 4},
    {kClose, "TWRC_SUCCESS", "", 3},
};

TEST(Summary, WholeText) {
    std::ostringstream out;
    PrintSummary(Summarize(ReadLog(Session(kScan))), "scan.txt", out);
    EXPECT_EQ(out.str(), "scan.txt: 14 entries (12 calls, 2 events, 0 without text)\n"
                         "\n"
                         " calls  failed  triplet\n"
                         "     2       1  DG_CONTROL/DAT_CAPABILITY/MSG_GET\n"
                         "     2       0  DG_CONTROL/DAT_EVENT/MSG_PROCESSEVENT\n"
                         "     2       0  DG_IMAGE/DAT_IMAGEMEMXFER/MSG_GET\n"
                         "     1       0  DG_CONTROL/DAT_IDENTITY/MSG_OPENDS\n"
                         "     1       0  DG_CONTROL/DAT_CAPABILITY/MSG_SET\n"
                         "     1       0  DG_CONTROL/DAT_STATUS/MSG_GET\n"
                         "     1       0  DG_CONTROL/DAT_USERINTERFACE/MSG_ENABLEDS\n"
                         "     1       0  DG_IMAGE/DAT_IMAGEINFO/MSG_GET\n"
                         "     1       0  DG_CONTROL/DAT_PENDINGXFERS/MSG_ENDXFER\n"
                         "     1       0  DG_CONTROL/DAT_USERINTERFACE/MSG_DISABLEDS\n"
                         "     1       0  DG_CONTROL/DAT_IDENTITY/MSG_CLOSEDS\n"
                         "\n"
                         " count  return code\n"
                         "    10  TWRC_SUCCESS\n"
                         "     2  TWRC_DSEVENT\n"
                         "     1  TWRC_FAILURE\n"
                         "     1  TWRC_XFERDONE\n"
                         "\n"
                         "Failures:\n"
                         "  [00004] DG_CONTROL/DAT_CAPABILITY/MSG_GET (CAP_FEEDERENABLED): "
                         "TWCC_CAPUNSUPPORTED (DAT_STATUS [00005])\n"
                         "\n"
                         "States: 3 -> 4 -> 5 -> 6 -> 7 -> 5 -> 4 -> 3\n"
                         "\n"
                         "Images: 1 transferred, 6000 bytes\n"
                         "  1: [00008] memory, 2 strips, 6000 bytes, 100x20 TWPT_RGB 24 bits, "
                         "TWRC_XFERDONE, 0 pending after\n"
                         "\n"
                         "Capabilities:\n"
                         "  ICAP_PIXELTYPE   = [TWPT_RGB]  MSG_SET [00002]\n"
                         "  ICAP_XRESOLUTION = [300.000]  MSG_GET [00003]\n");
}

TEST(Summary, JsonHoldsTheSameFacts) {
    const nlohmann::json j = SummaryJson(Summarize(ReadLog(Session(kScan))), "scan.txt");
    EXPECT_EQ(j["calls"], 12);
    EXPECT_EQ(j["returnCodes"]["TWRC_SUCCESS"], 10);
    EXPECT_EQ(j["failures"][0]["conditionCode"], "TWCC_CAPUNSUPPORTED");
    EXPECT_EQ(j["states"], nlohmann::json({3, 4, 5, 6, 7, 5, 4, 3}));
    EXPECT_EQ(j["images"][0]["bytes"], 6000);
    EXPECT_EQ(j["capabilities"][1]["value"], "300.000");
}

// A strip without its structure block leaves the image's bytes unknown, not short.
TEST(Summary, CountsBothDirections) {
    const Summary summary = Summarize(ReadLog(Session(kSourceSession)));
    EXPECT_EQ(summary.sourceCalls, 2u);
    EXPECT_EQ(summary.failures.at(0).condition, "?"); // asked after the source's call
    std::ostringstream out;
    PrintSummary(summary, "s", out);
    EXPECT_EQ(out.str().substr(0, out.str().find('\n')),
              "s: 11 entries (11 calls: 9 of the application, 2 of the source, 0 events, 0 "
              "without text)");
    EXPECT_NE(out.str().find("     1       0  [DS] DG_CONTROL/DAT_NULL/MSG_XFERREADY\n"),
              std::string::npos);
}

TEST(Summary, BytesUnknownWhenAStripIsNotRendered) {
    std::vector<Step> steps = kScan;
    steps[8].block.clear();
    const Summary summary = Summarize(ReadLog(Session(steps)));
    ASSERT_EQ(summary.images.size(), 1u);
    EXPECT_FALSE(summary.images[0].bytesKnown);
    EXPECT_EQ(summary.images[0].strips, 2u);
}

TEST(Summary, CapabilityValueOfEachContainer) {
    const std::string text = Entry("[00001] [APP] " + Cap("MSG_GET", "X"), "TWRC_SUCCESS",
                                   {"  TW_CAPABILITY = {",
                                    "    TW_RANGE = {",
                                    "      CurrentValue = [0.500]",
                                    "    }",
                                    "  }",
                                    "  TW_CAPABILITY = {",
                                    "    TW_ARRAY = {",
                                    "      ItemList = {",
                                    "          0:A,",
                                    "          1:B",
                                    "      }",
                                    "    }",
                                    "  }",
                                    "  TW_CAPABILITY = {",
                                    "    TW_ENUMERATION = {",
                                    "      CurrentIndex = [7]",
                                    "    }",
                                    "  }",
                                    "  TW_CAPABILITY = {",
                                    "  }"});
    const Log log = ReadLog(text);
    ASSERT_EQ(log.records.at(0).blocks.size(), 4u);
    const char* expected[][2] = {
        {"0.500", "TW_RANGE"}, {"A,B", "TW_ARRAY"}, {"", "TW_ENUMERATION"}, {"", ""}};
    for (size_t i = 0; i < 4; ++i) {
        std::string container;
        EXPECT_EQ(CapabilityValue(log.records[0].blocks[i], container), expected[i][0]);
        EXPECT_EQ(container, expected[i][1]);
    }
}

struct CheckCase {
    const char* name;
    std::vector<Step> steps;
    const char* expected;
};

void PrintTo(const CheckCase& c, std::ostream* out) {
    *out << c.name;
}

class Checks : public testing::TestWithParam<CheckCase> {};

TEST_P(Checks, Faults) {
    std::ostringstream out;
    PrintFaults(CheckLog(ReadLog(Session(GetParam().steps))), out);
    EXPECT_EQ(out.str(), GetParam().expected);
}

const CheckCase kCheckCases[] = {
    {"CleanScan", kScan, "no protocol faults\n"},
    {"EnableBeforeOpen",
     {{kEnable, "TWRC_FAILURE", "", 3}, {kStatus, "TWRC_SUCCESS", "", 3}},
     "[00001] DG_CONTROL/DAT_USERINTERFACE/MSG_ENABLEDS (line 1): MSG_ENABLEDS on "
     "DAT_USERINTERFACE in state 3, allowed in state 4: a source is enabled only while it is "
     "open and disabled\n"
     "[00002] DG_CONTROL/DAT_STATUS/MSG_GET (line 6): MSG_GET on DAT_STATUS in state 3, allowed "
     "in states 4-7: a source answers DAT_STATUS only while it is open\n2 protocol faults\n"},
    {"SetAfterEnableTransferBeforeXferReady",
     {{kOpen, "TWRC_SUCCESS", "", 4},
      {kEnable, "TWRC_SUCCESS", "", 5},
      {Cap("MSG_SET", "ICAP_PIXELTYPE"), "TWRC_SUCCESS", "", 5},
      {Cap("MSG_GET", "ICAP_PIXELTYPE"), "TWRC_SUCCESS", "", 5},
      {kMemXfer, "TWRC_SUCCESS", "", 5},
      {kDisable, "TWRC_SUCCESS", "", 4},
      {kClose, "TWRC_SUCCESS", "", 3}},
     "[00003] DG_CONTROL/DAT_CAPABILITY/MSG_SET (ICAP_PIXELTYPE) (line 11): MSG_SET on "
     "DAT_CAPABILITY in state 5, allowed in state 4: capabilities are set only before the "
     "source is enabled\n"
     "[00005] DG_IMAGE/DAT_IMAGEMEMXFER/MSG_GET (line 21): MSG_GET on DAT_IMAGEMEMXFER in "
     "state 5, allowed in states 6-7: an image transfer needs MSG_XFERREADY first\n"
     "2 protocol faults\n"},
    // A source given the manager's entry point announces its transfer there, out of the trace.
    {"TransferAnnouncedToTheManager",
     {{"DG_CONTROL/ERROR!(1027)/MSG_SET", "TWRC_SUCCESS", "", 3},
      {kOpen, "TWRC_SUCCESS", "", 4},
      {kEnable, "TWRC_SUCCESS", "", 5},
      {Cap("MSG_SET", "ICAP_PIXELTYPE"), "TWRC_SUCCESS", "", 5},
      {"DG_IMAGE/DAT_IMAGENATIVEXFER/MSG_GET", "TWRC_XFERDONE", "", 7},
      {kEndXfer, "TWRC_SUCCESS", "", 5},
      {kDisable, "TWRC_SUCCESS", "", 4},
      {kClose, "TWRC_SUCCESS", "", 3}},
     "[00004] DG_CONTROL/DAT_CAPABILITY/MSG_SET (ICAP_PIXELTYPE) (line 16): MSG_SET on "
     "DAT_CAPABILITY in state 5, allowed in state 4: capabilities are set only before the "
     "source is enabled\n1 protocol fault\n"},
    {"TransferWithoutEndXfer",
     {{kOpen, "TWRC_SUCCESS", "", 4},
      {kEnable, "TWRC_SUCCESS", "", 5},
      {"", "TWRC_DSEVENT", "", 6},
      {"DG_IMAGE/DAT_IMAGENATIVEXFER/MSG_GET", "TWRC_XFERDONE", "", 7},
      {"DG_IMAGE/DAT_IMAGENATIVEXFER/MSG_GET", "TWRC_XFERDONE", "", 7}},
     "[00004] DG_IMAGE/DAT_IMAGENATIVEXFER/MSG_GET (line 20): MSG_GET on DAT_IMAGENATIVEXFER "
     "in state 7, allowed in state 6: an image transfer needs MSG_XFERREADY first\n"
     "[00004] DG_IMAGE/DAT_IMAGENATIVEXFER/MSG_GET (line 20): the image transfer begun at "
     "[00003] has no MSG_ENDXFER before this MSG_GET\n"
     "[00004] DG_IMAGE/DAT_IMAGENATIVEXFER/MSG_GET (line 20): the session ends, and the image "
     "transfer begun at [00004] never had its MSG_ENDXFER\n"
     "[00004] DG_IMAGE/DAT_IMAGENATIVEXFER/MSG_GET (line 20): the session ends in state 7: the "
     "source was never closed with MSG_CLOSEDS\n"
     "4 protocol faults\n"},
    // The monitor moves to 4 on MSG_CLOSEDSREQ; TWAIN leaves the source enabled until
    // MSG_DISABLEDS, so a capability set in between is a fault.
    {"CloseRequestLeavesTheSourceEnabled",
     {{kOpen, "TWRC_SUCCESS", "", 4},
      {kEnable, "TWRC_SUCCESS", "", 5},
      {"", "TWRC_DSEVENT", "", 4},
      {Cap("MSG_SET", "ICAP_PIXELTYPE"), "TWRC_SUCCESS", "", 4},
      {kDisable, "TWRC_SUCCESS", "", 4},
      {kClose, "TWRC_SUCCESS", "", 3}},
     "[00003] DG_CONTROL/DAT_CAPABILITY/MSG_SET (ICAP_PIXELTYPE) (line 15): MSG_SET on "
     "DAT_CAPABILITY in state 5, allowed in state 4: capabilities are set only before the "
     "source is enabled\n1 protocol fault\n"},
    // An MSG_ENDXFER logged without its structure (the monitor keeps state 7) ends the
    // transfers: the source may be disabled next.
    {"EndXferWithoutCount",
     {{kOpen, "TWRC_SUCCESS", "", 4},
      {kEnable, "TWRC_SUCCESS", "", 5},
      {"", "TWRC_DSEVENT", "", 6},
      {kMemXfer, "TWRC_XFERDONE", Strip("3000"), 7},
      {kEndXfer, "TWRC_SUCCESS", "", 7},
      {kDisable, "TWRC_SUCCESS", "", 4},
      {kClose, "TWRC_SUCCESS", "", 3}},
     "no protocol faults\n"},
    // The source's own MSG_XFERREADY moves the state; a DAT_STATUS after its calls still
    // answers the application's failure.
    {"SourceCallsInTheLog", kSourceSession, "no protocol faults\n"},
    // With the source's calls in the log, nothing stands in for a missing MSG_XFERREADY.
    {"SourceCallsButNoXferReady",
     {{"DG_CONTROL/DAT_ENTRYPOINT/MSG_SET", "TWRC_SUCCESS", "", 3},
      {kOpen, "TWRC_SUCCESS", "", 4},
      {kEnable, "TWRC_SUCCESS", "", 5},
      {"[DS] DG_CONTROL/DAT_NULL/MSG_DEVICEEVENT", "TWRC_SUCCESS", "", 5},
      {kNativeXfer, "TWRC_XFERDONE", "", 5},
      {kCloseRequest, "TWRC_SUCCESS", "", 5},
      {kClose, "TWRC_SUCCESS", "", 5}},
     "[00005] DG_IMAGE/DAT_IMAGENATIVEXFER/MSG_GET (line 21): MSG_GET on DAT_IMAGENATIVEXFER "
     "in state 5, allowed in state 6: an image transfer needs MSG_XFERREADY first\n"
     "[00007] DG_CONTROL/DAT_IDENTITY/MSG_CLOSEDS (line 31): MSG_CLOSEDS on DAT_IDENTITY in "
     "state 5, allowed in state 4: a source is closed only once it is disabled\n"
     "[00006] [DS] DG_CONTROL/DAT_NULL/MSG_CLOSEDSREQ (line 26): the source asked to be closed "
     "(MSG_CLOSEDSREQ), and the application never disabled it with MSG_DISABLEDS\n"
     "[00007] DG_CONTROL/DAT_IDENTITY/MSG_CLOSEDS (line 31): the session ends in state 5: the "
     "source was never closed with MSG_CLOSEDS\n"
     "4 protocol faults\n"},
    {"FailuresNeverAskedAbout",
     {{kOpen, "TWRC_SUCCESS", "", 4},
      {Cap("MSG_GET", "CAP_FEEDERENABLED"), "TWRC_FAILURE", "", 4},
      {Cap("MSG_GET", "ICAP_PIXELTYPE"), "TWRC_SUCCESS", "", 4},
      {kClose, "TWRC_FAILURE", "", 4}},
     "[00002] DG_CONTROL/DAT_CAPABILITY/MSG_GET (CAP_FEEDERENABLED) (line 6): TWRC_FAILURE "
     "not followed by DAT_STATUS: its condition code is lost\n"
     "[00004] DG_CONTROL/DAT_IDENTITY/MSG_CLOSEDS (line 16): TWRC_FAILURE at the end of the "
     "session: DAT_STATUS was never asked\n"
     "[00004] DG_CONTROL/DAT_IDENTITY/MSG_CLOSEDS (line 16): the session ends in state 4: the "
     "source was never closed with MSG_CLOSEDS\n"
     "3 protocol faults\n"},
};

INSTANTIATE_TEST_SUITE_P(, Checks, testing::ValuesIn(kCheckCases),
                         [](const testing::TestParamInfo<CheckCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(Diff, WholeOutput) {
    const std::vector<Step> a = {
        {kOpen, "TWRC_SUCCESS", "", 4},
        {Cap("MSG_SET", "ICAP_PIXELTYPE"), "TWRC_SUCCESS",
         OneValue("ICAP_PIXELTYPE", "TWTY_UINT16", "TWPT_GRAY"), 4},
        {Cap("MSG_GET", "CAP_FEEDERENABLED"), "TWRC_FAILURE", "", 4},
        {kStatus, "TWRC_SUCCESS", "", 4},
        {kClose, "TWRC_SUCCESS", "", 3},
    };
    const std::vector<Step> b = {
        {kOpen, "TWRC_SUCCESS", "", 4},
        {Cap("MSG_SET", "ICAP_PIXELTYPE"), "TWRC_SUCCESS",
         OneValue("ICAP_PIXELTYPE", "TWTY_UINT16", "TWPT_RGB"), 4},
        {Cap("MSG_SET", "ICAP_XRESOLUTION"), "TWRC_SUCCESS", "", 4},
        {Cap("MSG_GET", "CAP_FEEDERENABLED"), "TWRC_SUCCESS", "", 4},
        {kClose, "TWRC_SUCCESS", "", 3},
    };
    std::ostringstream out;
    DiffOptions options;
    options.context = 1;
    EXPECT_TRUE(DiffLogs(ReadLog(Session(a)), ReadLog(Session(b)), "a.txt", "b.txt", options, out));
    EXPECT_EQ(out.str(),
              "--- a.txt\n"
              "+++ b.txt\n"
              "@@ -1,5 +1,5 @@\n"
              "  [00001] DG_CONTROL/DAT_IDENTITY/MSG_OPENDS = TWRC_SUCCESS\n"
              "  [00002] DG_CONTROL/DAT_CAPABILITY/MSG_SET (ICAP_PIXELTYPE)\n"
              "-       TW_CAPABILITY.TW_ONEVALUE.Item = [TWPT_GRAY]\n"
              "+       TW_CAPABILITY.TW_ONEVALUE.Item = [TWPT_RGB]\n"
              "+ [00003] DG_CONTROL/DAT_CAPABILITY/MSG_SET (ICAP_XRESOLUTION) = TWRC_SUCCESS\n"
              "  [00003|00004] DG_CONTROL/DAT_CAPABILITY/MSG_GET (CAP_FEEDERENABLED)\n"
              "-       Return Code = [TWRC_FAILURE]\n"
              "+       Return Code = [TWRC_SUCCESS]\n"
              "-       TWAIN Status = (none)\n"
              "+       TWAIN Status = [4]\n"
              "- [00004] DG_CONTROL/DAT_STATUS/MSG_GET = TWRC_SUCCESS\n"
              "  [00005] DG_CONTROL/DAT_IDENTITY/MSG_CLOSEDS = TWRC_SUCCESS\n");

    // Fields left out by name or by path.
    std::ostringstream ignoring;
    options.ignore = {"Return Code", "TWAIN Status", "TW_CAPABILITY.TW_ONEVALUE.Item"};
    EXPECT_TRUE(DiffLogs(ReadLog(Session(a)), ReadLog(Session(b)), "a", "b", options, ignoring));
    EXPECT_EQ(ignoring.str().find("       "), std::string::npos) << ignoring.str();
    options.ignore.clear();

    // The source's calls align only with the source's: the same triplet of the application's
    // is another call.
    std::ostringstream directions;
    const std::vector<Step> app = {{kEnable, "TWRC_SUCCESS", "", 5},
                                   {kXferReady + 5, "TWRC_SUCCESS", "", 6}};
    const std::vector<Step> source = {{kEnable, "TWRC_SUCCESS", "", 5},
                                      {kXferReady, "TWRC_SUCCESS", "", 6}};
    EXPECT_TRUE(
        DiffLogs(ReadLog(Session(app)), ReadLog(Session(source)), "a", "b", options, directions));
    EXPECT_EQ(directions.str(),
              "--- a\n+++ b\n@@ -1,2 +1,2 @@\n"
              "  [00001] DG_CONTROL/DAT_USERINTERFACE/MSG_ENABLEDS = TWRC_SUCCESS\n"
              "- [00002] DG_CONTROL/DAT_NULL/MSG_XFERREADY = TWRC_SUCCESS\n"
              "+ [00002] [DS] DG_CONTROL/DAT_NULL/MSG_XFERREADY = TWRC_SUCCESS\n");

    // Addresses and sequence numbers differ between every two sessions; alike otherwise.
    std::ostringstream same;
    EXPECT_FALSE(
        DiffLogs(ReadLog(Session(a)), ReadLog("\r\n" + Session(a)), "a", "a", options, same));
    EXPECT_EQ(same.str(), "");
}

// The alignment keeps a longest common subsequence: checked against the textbook table on
// random sequences over small alphabets.
TEST(Diff, AlignmentIsALongestCommonSubsequence) {
    std::mt19937 random(7);
    for (int round = 0; round < 400; ++round) {
        std::uniform_int_distribution<int> length(0, 30), symbol(0, round % 5 + 1);
        std::vector<int> a(length(random)), b(length(random));
        for (int& x : a) {
            x = symbol(random);
        }
        for (int& x : b) {
            x = symbol(random);
        }
        std::vector<std::vector<int>> table(a.size() + 1, std::vector<int>(b.size() + 1, 0));
        for (size_t i = a.size(); i-- > 0;) {
            for (size_t j = b.size(); j-- > 0;) {
                table[i][j] = a[i] == b[j] ? table[i + 1][j + 1] + 1
                                           : std::max(table[i + 1][j], table[i][j + 1]);
            }
        }
        long matched = 0, nextA = 0, nextB = 0, seenA = 0, seenB = 0;
        for (const auto& [i, j] : Align(a, b)) {
            if (i >= 0) {
                ASSERT_EQ(i, nextA++);
                ++seenA;
            }
            if (j >= 0) {
                ASSERT_EQ(j, nextB++);
                ++seenB;
            }
            if (i >= 0 && j >= 0) {
                ASSERT_EQ(a[i], b[j]);
                ++matched;
            }
        }
        EXPECT_EQ(seenA, static_cast<long>(a.size()));
        EXPECT_EQ(seenB, static_cast<long>(b.size()));
        EXPECT_EQ(matched, table[0][0]) << "round " << round;
    }
}

} // namespace
} // namespace twainlog::test
