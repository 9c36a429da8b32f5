// The log reader on hand-made logs: every kind of entry, the structure blocks as trees, and
// cut, truncated and damaged files.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "LogReader.h"
#include "LogText.h"

namespace twainlog::test {
namespace {

const char kCut[] = "Size of CAP_xxx too long";

struct ReadCase {
    const char* name;
    std::string text;
    std::string expected; // Shape() of the reading
};

void PrintTo(const ReadCase& c, std::ostream* out) {
    *out << c.name;
}

class ReadsLog : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadsLog, RecordsAndDiagnostics) {
    EXPECT_EQ(Shape(ReadLog(GetParam().text)), GetParam().expected);
}

const std::string kCapabilityHead = Crlf({
    "[00001] [APP] DG_CONTROL/DAT_CAPABILITY/MSG_GET (CAP_SUPPORTEDCAPS)",
    "        Return Code = [TWRC_SUCCESS]",
    "pData   = <0x5f3c1a20>",
    "  TW_CAPABILITY = {",
    "    Cap        = [CAP_SUPPORTEDCAPS]",
    "    ConType    = [TWON_ARRAY]",
    "    hContainer = <0x00600010>",
    "    TW_ARRAY = {",
    "      ItemType = [TWTY_UINT16]",
    "      NumItems = [300]",
    "      ItemList = {",
    "          0:CAP_XFERCOUNT,",
});

const ReadCase kReadCases[] = {
    {"CallEventAndBareFailure",
     Entry("[00001] [APP] DG_CONTROL/DAT_USERINTERFACE/MSG_ENABLEDS", "TWRC_SUCCESS", {}, 5) +
         Entry("", "TWRC_DSEVENT",
               {"  TW_EVENT = {", "    pEvent    = <0x00001000>", "    TWMessage = [MSG_XFERREADY]",
                "  }"},
               6) +
         Crlf({"*** Inspect Error Status Start ***", "*** Inspect Error Status End   ***"}) +
         Entry("[00002] [APP] DG_IMAGE/DAT_IMAGEMEMXFER/MSG_GET", "TWRC_FAILURE"),
     "[00001] DG_CONTROL/DAT_USERINTERFACE/MSG_ENABLEDS = TWRC_SUCCESS state 5 (line 1)\n"
     "[-----] DG_CONTROL/DAT_EVENT/MSG_PROCESSEVENT -> MSG_XFERREADY = TWRC_DSEVENT state 6 "
     "(line 6)\n"
     "[-----] (a failed call that left only the error-status lines) = TWRC_FAILURE errorstatus "
     "(line 14)\n"
     "[00002] DG_IMAGE/DAT_IMAGEMEMXFER/MSG_GET = TWRC_FAILURE errorstatus (line 16)\n"},
    {"EventsNamedByTheirStateWithoutEventBlock",
     Entry("[00001] [APP] DG_CONTROL/DAT_USERINTERFACE/MSG_ENABLEDS", "TWRC_SUCCESS", {}, 5) +
         Entry("", "TWRC_DSEVENT", {}, 6) +
         Entry("[00002] [APP] DG_CONTROL/DAT_PENDINGXFERS/MSG_ENDXFER", "TWRC_SUCCESS", {}, 5) +
         Entry("", "TWRC_DSEVENT", {}, 4),
     "[00001] DG_CONTROL/DAT_USERINTERFACE/MSG_ENABLEDS = TWRC_SUCCESS state 5 (line 1)\n"
     "[-----] DG_CONTROL/DAT_EVENT/MSG_PROCESSEVENT -> MSG_XFERREADY = TWRC_DSEVENT state 6 "
     "(line 6)\n"
     "[00002] DG_CONTROL/DAT_PENDINGXFERS/MSG_ENDXFER = TWRC_SUCCESS state 5 (line 10)\n"
     "[-----] DG_CONTROL/DAT_EVENT/MSG_PROCESSEVENT -> MSG_CLOSEDSREQ = TWRC_DSEVENT state 4 "
     "(line 15)\n"},
    // A second load appending to the file begins in state 3, whatever the first ended in.
    {"ASecondLoadBeginsInStateThree",
     Entry("[00001] [APP] DG_CONTROL/DAT_USERINTERFACE/MSG_ENABLEDS", "TWRC_SUCCESS", {}, 5) +
         Entry("[00001] [APP] DG_CONTROL/DAT_IDENTITY/MSG_OPENDS", "TWRC_FAILURE") +
         Entry("", "TWRC_DSEVENT", {}, 6),
     "[00001] DG_CONTROL/DAT_USERINTERFACE/MSG_ENABLEDS = TWRC_SUCCESS state 5 (line 1)\n"
     "[00001] DG_CONTROL/DAT_IDENTITY/MSG_OPENDS = TWRC_FAILURE errorstatus (line 6)\n"
     "[-----] DG_CONTROL/DAT_EVENT/MSG_PROCESSEVENT -> ? = TWRC_DSEVENT state 6 (line 11)\n"},
    {"CutInsideALineNextEntryOnTheSameLine",
     kCapabilityHead + "          1:ICAP_COMPRE" + kCut +
         Entry("[00002] [APP] DG_CONTROL/DAT_STATUS/MSG_GET", "TWRC_SUCCESS"),
     "[00001] DG_CONTROL/DAT_CAPABILITY/MSG_GET (CAP_SUPPORTEDCAPS) = TWRC_SUCCESS cut (line 1)\n"
     "[00002] DG_CONTROL/DAT_STATUS/MSG_GET = TWRC_SUCCESS state 4 (line 13)\n"},
    {"CutAtALineEndThenAnEvent", kCapabilityHead + kCut + Entry("", "TWRC_DSEVENT", {}, 6),
     "[00001] DG_CONTROL/DAT_CAPABILITY/MSG_GET (CAP_SUPPORTEDCAPS) = TWRC_SUCCESS cut (line 1)\n"
     "[-----] DG_CONTROL/DAT_EVENT/MSG_PROCESSEVENT -> ? = TWRC_DSEVENT state 6 (line 13)\n"},
    {"CutBetweenCarriageReturnAndLineFeed",
     kCapabilityHead.substr(0, kCapabilityHead.size() - 1) + kCut +
         Entry("[00002] [APP] DG_CONTROL/DAT_STATUS/MSG_GET", "TWRC_SUCCESS"),
     "[00001] DG_CONTROL/DAT_CAPABILITY/MSG_GET (CAP_SUPPORTEDCAPS) = TWRC_SUCCESS cut (line 1)\n"
     "[00002] DG_CONTROL/DAT_STATUS/MSG_GET = TWRC_SUCCESS state 4 (line 12)\n"},
    {"CutFailedEntryKeepsItsErrorStatusLines",
     Crlf({"[00001] [APP] DG_CONTROL/DAT_CIECOLOR/MSG_GET", "        Return Code = [TWRC_FAILURE]",
           "pData   = <0x00000000>", "  TW_CIECOLOR = {"}) +
         "    Sta" + kCut +
         Crlf({"*** Inspect Error Status Start ***", "*** Inspect Error Status End   ***"}),
     "[00001] DG_CONTROL/DAT_CIECOLOR/MSG_GET = TWRC_FAILURE errorstatus cut (line 1)\n"},
    {"LineFeedsAlone",
     "[00001] [APP] DG_CONTROL/DAT_STATUS/MSG_GET\n        Return Code = [TWRC_SUCCESS]\n"
     "pData   = <0x00000000>\n  TW_STATUS = {\n  }\n\nTWAIN Status = [4]\n",
     "[00001] DG_CONTROL/DAT_STATUS/MSG_GET = TWRC_SUCCESS state 4 (line 1)\n"},
    {"CutAtTheEndOfTheFile", kCapabilityHead + kCut,
     "[00001] DG_CONTROL/DAT_CAPABILITY/MSG_GET (CAP_SUPPORTEDCAPS) = TWRC_SUCCESS cut (line 1)\n"},
    {"FileEndsInsideALine",
     Entry("[00001] [APP] DG_CONTROL/DAT_IDENTITY/MSG_OPENDS", "TWRC_SUCCESS") +
         "[00002] [APP] DG_IMAGE/DAT_IMAGEINFO/MSG_GET\r\n        Return Co",
     "[00001] DG_CONTROL/DAT_IDENTITY/MSG_OPENDS = TWRC_SUCCESS state 4 (line 1)\n"
     "[00002] DG_IMAGE/DAT_IMAGEINFO/MSG_GET =  truncated (line 6)\n"
     "line 6: the file ends inside entry [00002]\n"},
    {"FileEndsInsideABlock", kCapabilityHead,
     "[00001] DG_CONTROL/DAT_CAPABILITY/MSG_GET (CAP_SUPPORTEDCAPS) = TWRC_SUCCESS truncated "
     "(line 1)\n"
     "line 1: the file ends inside entry [00001]\n"},
    {"DamagedLinesAreSkippedTheRestIsRead",
     Entry("[00001] [APP] DG_CONTROL/DAT_STATUS/MSG_GET", "TWRC_SUCCESS",
           {"  TW_STATUS = {", "    ConditionCode @ TWCC_BUMMER", "  }"}) +
         Crlf({"%%garbage%%", "[0000x] [APP] DG_CONTROL"}) +
         Entry("[00002] [APP] DG_CONTROL/DAT_IDENTITY/MSG_CLOSEDS", "TWRC_SUCCESS", {}, 3),
     "[00001] DG_CONTROL/DAT_STATUS/MSG_GET = TWRC_SUCCESS state 4 (line 1)\n"
     "[00002] DG_CONTROL/DAT_IDENTITY/MSG_CLOSEDS = TWRC_SUCCESS state 3 (line 11)\n"
     "line 5: unreadable line in entry [00001]: \"    ConditionCode @ TWCC_BUMMER\"\n"
     "line 9: unexpected text outside a result section: \"%%garbage%%\"\n"
     "line 10: unreadable triplet line: \"[0000x] [APP] DG_CONTROL\"\n"},
    {"MissingLinesAreReported",
     Crlf({"[00001] [APP] DG_CONTROL/DAT_IDENTITY/MSG_OPENDS",
           "        Return Code = "
           "[TWRC_SUCCESS]",
           "pData   = <0x00000000>", "  TW_IDENTITY = {", "    Id              = [2]"}) +
         Crlf({"[00002] [APP] DG_CONTROL/DAT_STATUS/MSG_GET", "pData   = <0x00000000>"}) +
         Entry("[00005] [APP] DG_CONTROL/DAT_STATUS/MSG_GET", "TWRC_FAILURE"),
     "[00001] DG_CONTROL/DAT_IDENTITY/MSG_OPENDS = TWRC_SUCCESS (line 1)\n"
     "[00002] DG_CONTROL/DAT_STATUS/MSG_GET =  (line 6)\n"
     "[00005] DG_CONTROL/DAT_STATUS/MSG_GET = TWRC_FAILURE errorstatus (line 8)\n"
     "line 1: entry [00001] ends without its TWAIN Status line\n"
     "line 4: block TW_IDENTITY of entry [00001] is not closed\n"
     "line 7: pData line out of place\n"
     "line 6: entry [00002] has no result section\n"
     "line 8: sequence number [00005] follows [00002]\n"},
    {"UnknownNamesAndEmptyCapability",
     Entry("[00001] [APP] ERROR!(8)/DAT_NULL/MSG_NULL", "ERROR!(10)") +
         Entry("[00002] [APP] DG_CONTROL/DAT_CAPABILITY/MSG_GET ()", "TWRC_SUCCESS") +
         Entry("[00003] [APP] DG_CONTROL/DAT_CAPABILITY/MSG_GET (ERROR!(4660))", "TWRC_SUCCESS") +
         Entry("[100000] [APP] DG_CONTROL/ERROR!(32780)/ERROR!(32771)", "TWRC_SUCCESS"),
     "[00001] ERROR!(8)/DAT_NULL/MSG_NULL = ERROR!(10) state 4 (line 1)\n"
     "[00002] DG_CONTROL/DAT_CAPABILITY/MSG_GET () = TWRC_SUCCESS state 4 (line 6)\n"
     "[00003] DG_CONTROL/DAT_CAPABILITY/MSG_GET (ERROR!(4660)) = TWRC_SUCCESS state 4 (line 11)\n"
     "[100000] DG_CONTROL/ERROR!(32780)/ERROR!(32771) = TWRC_SUCCESS state 4 (line 16)\n"
     "line 16: sequence number [100000] follows [00003]\n"},
    {"BannerAndDiagnosticLoggerLinesStandApart",
     Crlf({"////////////////////////////////////////////////", "           TWAIN Monitor Ver1.10",
           "////////////////////////////////////////////////",
           "  << Current time = Sun Dec  6 21:07:43 2026 >>"}) +
         "[2026/12/06 21:07:43.120] INFO from \"Open\" (File: MachOMain.cpp                     "
         "          , Line:   42) driver loaded\n  second line of the message\n" +
         Entry("[00001] [APP] DG_CONTROL/DAT_IDENTITY/MSG_OPENDS", "TWRC_SUCCESS") +
         "[2026/12/06 21:07:44.000]  from \"f\" " +
         Entry("[00002] [APP] DG_CONTROL/DAT_IDENTITY/MSG_CLOSEDS", "TWRC_SUCCESS", {}, 3),
     "[00001] DG_CONTROL/DAT_IDENTITY/MSG_OPENDS = TWRC_SUCCESS state 4 (line 7)\n"
     "[00002] DG_CONTROL/DAT_IDENTITY/MSG_CLOSEDS = TWRC_SUCCESS state 3 (line 12)\n"},
    // The monitor's notes are no entry, and explain the gap after them.
    {"LostEntriesAndStopLines",
     Entry("[00001] [APP] DG_CONTROL/DAT_STATUS/MSG_GET", "TWRC_SUCCESS") +
         Crlf({"[00002] [APP] DG_CON", "*** 2 entries lost: No space left on device ***"}) +
         Entry("[00004] [APP] DG_CONTROL/DAT_STATUS/MSG_GET", "TWRC_FAILURE") +
         Crlf({"*** Logging stopped: free space under 40960 bytes ***"}),
     "[00001] DG_CONTROL/DAT_STATUS/MSG_GET = TWRC_SUCCESS state 4 (line 1)\n"
     "[00004] DG_CONTROL/DAT_STATUS/MSG_GET = TWRC_FAILURE errorstatus (line 8)\n"
     "line 6: unreadable triplet line: \"[00002] [APP] DG_CON\"\n"},
    {"EmptyLog", "", ""},
    // Limits: a line is read up to 64 KiB, an entry's fields up to 64 KiB of text.
    {"OverlongLineAndEntry",
     std::string(70000, 'x') + "\r\n" +
         Entry("[00001] [APP] DG_CONTROL/DAT_NULL/MSG_GET", "TWRC_SUCCESS",
               {"  TW_X = {", (std::string(40000, 'a') + " = [1]").c_str(),
                (std::string(40000, 'b') + " = [2]").c_str(), "  }"}),
     "[00001] DG_CONTROL/DAT_NULL/MSG_GET = TWRC_SUCCESS state 4 (line 2)\n"
     "line 1: the line is longer than 65536 bytes: the rest of it is skipped\n"
     "line 7: entry [00001] holds more than 65536 bytes of fields: the rest of them is "
     "skipped\n"},
};

INSTANTIATE_TEST_SUITE_P(, ReadsLog, testing::ValuesIn(kReadCases),
                         [](const testing::TestParamInfo<ReadCase>& info) {
                             return std::string(info.param.name);
                         });

const std::string& CaseText(const std::string& name) {
    for (const ReadCase& c : kReadCases) {
        if (c.name == name) {
            return c.text;
        }
    }
    throw std::invalid_argument(name);
}

TEST(LogReader, KeepsTheLoggerLines) {
    const Log log = ReadLog(CaseText("BannerAndDiagnosticLoggerLinesStandApart"));
    ASSERT_EQ(log.loggerLines.size(), 7u);
    EXPECT_EQ(log.loggerLines[3].text, "  << Current time = Sun Dec  6 21:07:43 2026 >>");
    EXPECT_EQ(log.loggerLines[5].text, "  second line of the message");
    EXPECT_EQ(log.loggerLines[6].text, "[2026/12/06 21:07:44.000]  from \"f\" ");
    EXPECT_EQ(log.loggerLines[6].line, 12u);
}

TEST(LogReader, CutEntryKeepsWhatCameBeforeTheMarker) {
    const Log log = ReadLog(kCapabilityHead + "          1:ICAP_COMPRE" + kCut);
    ASSERT_EQ(log.records.size(), 1u);
    const Node* list = log.records[0].Find("TW_CAPABILITY.TW_ARRAY.ItemList");
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->children.size(), 2u);
    EXPECT_EQ(list->children[1].value, "ICAP_COMPRE");
}

// Read in pieces of any size, as a file is, a log reads as it does whole.
TEST(LogReader, PiecesReadAsTheWhole) {
    struct Keep : LogSink {
        Log log;
        void OnRecord(const Record& r) override { log.records.push_back(r); }
        void OnDiagnostic(const Diagnostic& d) override { log.diagnostics.push_back(d); }
    };
    std::string whole;
    for (const ReadCase& c : kReadCases) {
        whole += c.text;
    }
    const std::string expected = Shape(ReadLog(whole));
    for (const size_t piece : {1, 2, 7, 4096}) {
        Keep keep;
        LogReader reader(keep);
        for (size_t at = 0; at < whole.size(); at += piece) {
            reader.Feed(std::string_view(whole).substr(at, piece));
        }
        reader.Finish();
        EXPECT_EQ(Shape(keep.log), expected) << piece;
    }
}

// Every prefix of a log and every byte flipped: read without a crash, and a prefix never
// yields more records than the whole.
TEST(LogReader, SurvivesEveryPrefixAndDamagedByte) {
    const std::string whole = CaseText("CallEventAndBareFailure") + kCapabilityHead + kCut +
                              CaseText("BannerAndDiagnosticLoggerLinesStandApart");
    const size_t records = ReadLog(whole).records.size();
    for (size_t n = 0; n <= whole.size(); ++n) {
        EXPECT_LE(ReadLog(whole.substr(0, n)).records.size(), records) << n;
        std::string damaged = whole;
        if (n < damaged.size()) {
            damaged[n] = static_cast<char>(damaged[n] ^ 0x5a);
            ReadLog(damaged);
        }
    }
}

// The tree of a block: one line per node, children indented.
std::string Dump(const Node& node, int depth = 0) {
    std::string text(2 * depth, ' ');
    text += node.name;
    if (node.kind == Node::Kind::Block && node.type != node.name) {
        text += "(" + node.type + ")";
    }
    switch (node.kind) {
    case Node::Kind::Value:
        text += " = [" + node.value + "]\n";
        break;
    case Node::Kind::Pointer:
        text += " = <" + node.value + ">\n";
        break;
    case Node::Kind::List:
        text += " = {" + node.value + "}\n";
        break;
    case Node::Kind::Label:
        text += " =\n";
        break;
    case Node::Kind::Block:
        text += " {\n";
        for (const Node& child : node.children) {
            text += Dump(child, depth + 1);
        }
        break;
    }
    return text;
}

struct BlockCase {
    const char* name;
    std::vector<const char*> lines;
    const char* expected;
};

void PrintTo(const BlockCase& c, std::ostream* out) {
    *out << c.name;
}

class ReadsBlock : public testing::TestWithParam<BlockCase> {};

TEST_P(ReadsBlock, AsTree) {
    const Log log = ReadLog(
        Entry("[00001] [APP] DG_CONTROL/DAT_NULL/MSG_GET", "TWRC_SUCCESS", GetParam().lines));
    EXPECT_TRUE(log.diagnostics.empty()) << Shape(log);
    ASSERT_EQ(log.records.size(), 1u);
    std::string dump;
    for (const Node& block : log.records[0].blocks) {
        dump += Dump(block);
    }
    EXPECT_EQ(dump, GetParam().expected);
}

const BlockCase kBlockCases[] = {
    {"CapabilityEnumeration",
     {"  TW_CAPABILITY = {", "    Cap        = [ICAP_PIXELTYPE]",
      "    ConType    = [TWON_ENUMERATION]", "    hContainer = <0x00600010>",
      "    TW_ENUMERATION = {", "      ItemType     = [TWTY_UINT16]", "      NumItems     = [3]",
      "      CurrentIndex = [2]", "      DefaultIndex = [0]", "      ItemList = {",
      "          0:TWPT_BW,", "          1:TWPT_GRAY,", "          2:TWPT_RGB", "      }", "    }",
      "  }"},
     "TW_CAPABILITY {\n  Cap = [ICAP_PIXELTYPE]\n  ConType = [TWON_ENUMERATION]\n"
     "  hContainer = <0x00600010>\n  TW_ENUMERATION {\n    ItemType = [TWTY_UINT16]\n"
     "    NumItems = [3]\n    CurrentIndex = [2]\n    DefaultIndex = [0]\n    ItemList {\n"
     "      0 = [TWPT_BW]\n      1 = [TWPT_GRAY]\n      2 = [TWPT_RGB]\n"},
    {"IdentityWithLabelledVersion",
     {"  pOrigin:TW_IDENTITY = {", "    Id              = [2]",
      "    Version         =", "    TW_VERSION = {", "      MajorNum = [1]",
      "      Info     = [a = [b] c]", "    }", "    ProductName     = []", "  }"},
     "pOrigin(TW_IDENTITY) {\n  Id = [2]\n  Version(TW_VERSION) {\n    MajorNum = [1]\n"
     "    Info = [a = [b] c]\n  ProductName = []\n"},
    {"MemoryTransferClosedInColumnZero",
     {"  TW_IMAGEMEMXFER = {", "    BytesWritten = [1122]", "    Memory       =",
      "    TW_MEMORY = {", "      Flags  = [0x11]", "      TheMem = <0x79588000>", "    }", "}"},
     "TW_IMAGEMEMXFER {\n  BytesWritten = [1122]\n  Memory(TW_MEMORY) {\n    Flags = [0x11]\n"
     "    TheMem = <0x79588000>\n"},
    {"JpegOpenersJoinedToTheirMemoryBlocks",
     {"  TW_JPEGCOMPRESSION = {", "    QuantMap[]       = {0,1,1,0}",
      "    QuantTable[0]   = {    TW_MEMORY = {", "      Length = [64]", "    }",
      "    HuffmanAC[1]    = {    TW_MEMORY = {", "      Length = [0]", "    }", "  }"},
     "TW_JPEGCOMPRESSION {\n  QuantMap[] = {0,1,1,0}\n  QuantTable[0](TW_MEMORY) {\n"
     "    Length = [64]\n  HuffmanAC[1](TW_MEMORY) {\n    Length = [0]\n"},
    {"OneLineListsAndPalette",
     {"  TW_IMAGEINFO = {", "    BitsPerSamples[] = {8,8,8,0,0,0,0,0}", "  }",
      "  TW_PALETTE8 = { it does not display. }"},
     "TW_IMAGEINFO {\n  BitsPerSamples[] = {8,8,8,0,0,0,0,0}\nTW_PALETTE8 = {it does not "
     "display.}\n"},
    {"LabelsEndingInABlankAndNoBlank",
     {"  TWXQ_USMINFO = {", "    USMParm         = ", "    TWXQ_USMPARAM = {",
      "      Amount    = [-5]", "    }", "    ReviseParm      = ", "    TWXQ_REVISEBASEPARM = {",
      "      InputRevise  = ", "      TWXQ_THRESHOLDINFO = {", "        ShadowL    = [1]",
      "      }", "    }", "    StageABC=", "    TW_TRANSFORMSTAGE = {", "      Mix[0][1] = [0.000]",
      "    }", "  }"},
     "TWXQ_USMINFO {\n  USMParm(TWXQ_USMPARAM) {\n    Amount = [-5]\n"
     "  ReviseParm(TWXQ_REVISEBASEPARM) {\n    InputRevise(TWXQ_THRESHOLDINFO) {\n"
     "      ShadowL = [1]\n  StageABC(TW_TRANSFORMSTAGE) {\n    Mix[0][1] = [0.000]\n"},
};

INSTANTIATE_TEST_SUITE_P(, ReadsBlock, testing::ValuesIn(kBlockCases),
                         [](const testing::TestParamInfo<BlockCase>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
} // namespace twainlog::test
