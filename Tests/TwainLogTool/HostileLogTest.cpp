// twainlog, the program, on logs made to hurt it (nesting a hundred thousand levels deep,
// lines of a hundred thousand triplet beginnings, terminal control bytes, bytes that are not
// UTF-8, logs with nothing in common) and on a session's several files. Each case gives the
// exact output and exit status; CTest's timeout bounds the time each may take.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <regex>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "LogText.h"
#include "Report.h"

namespace twainlog::test {
namespace {

std::string Repeat(const std::string& text, size_t times) {
    std::string out;
    out.reserve(text.size() * times);
    for (size_t i = 0; i < times; ++i) {
        out += text;
    }
    return out;
}

std::string Call(int sequence, const std::string& triplet, const std::string& rc = "TWRC_SUCCESS",
                 const std::string& block = "", int state = 4) {
    char number[32];
    std::snprintf(number, sizeof number, "[%05d] [APP] ", sequence);
    std::string text = number + triplet + "\r\n" + Entry("", rc, {}, state);
    if (!block.empty()) { // the block goes before the state or error-status lines
        const size_t at = text.find("pData   = <0x0badf00d>\r\n") + 24;
        text.insert(at, block);
    }
    return text;
}

const char kOpen[] = "DG_CONTROL/DAT_IDENTITY/MSG_OPENDS";
const char kGetIdentity[] = "DG_CONTROL/DAT_IDENTITY/MSG_GET";

std::string CapabilityBlock(const std::string& cap, const std::string& item) {
    return "  TW_CAPABILITY = {\r\n    Cap        = [" + cap +
           "]\r\n    TW_ONEVALUE = {\r\n      Item     = [" + item + "]\r\n    }\r\n  }\r\n";
}

// Entries whose triplets share nothing with those of Disjoint(n, 'B').
std::string Disjoint(size_t n, char side) {
    std::string text;
    for (size_t i = 1; i <= n; ++i) {
        text += Call(static_cast<int>(i), "DG_CONTROL/DAT_CAPABILITY/MSG_GET (CAP_" +
                                              std::string(1, side) + std::to_string(i) + ")");
    }
    return text;
}

struct File {
    std::string name; // in the case's directory; "sub/x" makes sub
    std::string text;
};

struct CliCase {
    const char* name;
    std::vector<File> files;
    std::string args; // "@" stands for the case's directory
    int status;
    std::string output; // standard output and error; a final "..." compares the beginning only
};

void PrintTo(const CliCase& c, std::ostream* out) {
    *out << c.name;
}

const std::string kDeep =
    Call(1, kOpen, "TWRC_SUCCESS", Repeat("  A = {\r\n", 100000) + Repeat("}\r\n", 100000));
const std::string kFragments =
    Repeat("[2026/12/06 21:07:43.120] INFO from \"f\" " + Repeat("[1] [x", 10000) + "\r\n", 20) +
    Call(1, kOpen);
const std::string kHostileBytes =
    Call(1, "DG_CONTROL/DAT_CAPABILITY/MSG_GET (CAP_\x1b]0;x\x07)", "TWRC_SUCCESS",
         CapabilityBlock("CAP_\x1b]0;x\x07", "Caf\x8e")) +
    "\x1b[2J\x9b\r\n";
const std::string kSession =
    Call(1, kOpen) + Call(2, "DG_CONTROL/DAT_USERINTERFACE/MSG_ENABLEDS", "TWRC_SUCCESS", "", 5);

// The summary of a log holding one MSG_OPENDS, with what its first line adds.
std::string OpenSummary(const std::string& name, const std::string& more) {
    return name + ": 1 entry (1 call, 0 events, 0 without text)" + more +
           "\n\n calls  failed  triplet\n     1       0  DG_CONTROL/DAT_IDENTITY/MSG_OPENDS\n\n "
           "count  return code\n     1  TWRC_SUCCESS\n\nFailures: none\n\nStates: 3 -> 4\n\n"
           "Images: 0 transferred\n\nCapabilities: none\n";
}

const std::string kGarbage =
    "twainlog: @/x.txt:12: unexpected text outside a result section: \"\\x1b[2J\\x9b\"\n";

const CliCase kCases[] = {
    {"DeepNestingIsCutAt64Levels",
     {{"deep.txt", kDeep}},
     "summary @/deep.txt",
     0,
     "twainlog: @/deep.txt:68: blocks nested deeper than 64 levels in entry [00001]: the deeper "
     "lines are skipped\n" +
         OpenSummary("@/deep.txt", ", 1 unreadable spot")},
    {"DeepNestingDiff",
     {{"a.txt", kDeep}, {"b.txt", kDeep}},
     "diff @/a.txt @/b.txt",
     0,
     "twainlog: @/a.txt:68: blocks nested deeper than 64 levels in entry [00001]: the deeper lines "
     "are skipped\ntwainlog: @/b.txt:68: blocks nested deeper than 64 levels in entry [00001]: "
     "the deeper lines are skipped\n"},
    {"LoggerLinesOfTripletFragments",
     {{"f.txt", kFragments}},
     "summary @/f.txt",
     0,
     OpenSummary("@/f.txt", "")},
    {"ControlBytesAreEscaped",
     {{"x.txt", kHostileBytes}},
     "summary @/x.txt",
     0,
     kGarbage +
         "@/x.txt: 1 entry (1 call, 0 events, 0 without text), 1 unreadable spot\n\n calls  failed "
         " "
         "triplet\n     1       0  DG_CONTROL/DAT_CAPABILITY/MSG_GET\n\n count  return code\n     "
         "1  TWRC_SUCCESS\n\nFailures: none\n\nStates: 3 -> 4\n\nImages: 0 transferred\n\n"
         "Capabilities:\n  CAP_\\x1b]0;x\\x07 = [Caf\\x8e]  MSG_GET [00001]\n"},
    {"JsonOfBytesThatAreNotUtf8",
     {{"x.txt", kHostileBytes}},
     "summary --json @/x.txt 2>/dev/null | grep -e Caf -e CAP_",
     0,
     "      \"capability\": \"CAP_\\u001b]0;x\\u0007\",\n      \"value\": "
     "\"Caf\\\\x8e\"\n"},
    {"DiffEscapesControlBytes",
     {{"x.txt", kHostileBytes},
      {"y.txt", Call(1, "DG_CONTROL/DAT_CAPABILITY/MSG_GET (CAP_\x1b]0;x\x07)", "TWRC_SUCCESS",
                     CapabilityBlock("CAP_\x1b]0;x\x07", "Cafe"))}},
     "diff @/x.txt @/y.txt",
     1,
     kGarbage + "--- @/x.txt\n+++ @/y.txt\n@@ -1,1 +1,1 @@\n  [00001] "
                "DG_CONTROL/DAT_CAPABILITY/MSG_GET (CAP_\\x1b]0;x\\x07)\n-       "
                "TW_CAPABILITY.TW_ONEVALUE.Item = [Caf\\x8e]\n+       "
                "TW_CAPABILITY.TW_ONEVALUE.Item = [Cafe]\n"},
    {"NotesOfTheMonitor",
     {{"n.txt", Call(1, kOpen) + "*** 3 entries lost: No space left on device ***\r\n" +
                    Call(5, "DG_CONTROL/DAT_IDENTITY/MSG_CLOSEDS", "TWRC_SUCCESS", "", 3) +
                    "*** Logging stopped: No space left on device ***\r\n"}},
     "summary @/n.txt",
     0,
     "@/n.txt: 2 entries (2 calls, 0 events, 0 without text)\n\nNotes:\n  line 6: *** 3 entries "
     "lost: No space left on device ***\n  line 12: *** Logging stopped: No space left on device "
     "***\n\n calls  failed  triplet\n     1       0  DG_CONTROL/DAT_IDENTITY/MSG_OPENDS\n     1 "
     "      0  DG_CONTROL/DAT_IDENTITY/MSG_CLOSEDS\n\n count  return code\n     2  "
     "TWRC_SUCCESS\n\nFailures: none\n\nStates: 3 -> 4 -> 3\n\nImages: 0 transferred\n\n"
     "Capabilities: none\n"},
    {"DisjointLogsBeyondTheEditCap",
     {{"a.txt", Disjoint(3000, 'A')}, {"b.txt", Disjoint(3000, 'B')}},
     "diff --max-edits 100 -U 0 @/a.txt @/b.txt",
     1,
     "--- @/a.txt\n+++ @/b.txt\nnote: 1 part needs more than 100 edits and is shown unaligned "
     "(the first: entries 1-3000 against 1-3000)\n@@ -1,3000 +1,3000 @@\n- [00001] "
     "DG_CONTROL/DAT_CAPABILITY/MSG_GET (CAP_A1) = TWRC_SUCCESS\n..."},
};

// A session's three loads, as a real DSM leaves them: two identity-only loads (listing the
// source, then its identity), then the session; the second name taken twice in a millisecond.
const std::vector<File> kLoads = {
    {"s/Twainlog_20261206_210744_0001.txt", kSession},
    {"s/Twainlog_20261206_210743_0120_2.txt", Call(1, kGetIdentity, "TWRC_SUCCESS", "", 3)},
    {"s/Twainlog_20261206_210743_0120.txt", Call(1, kGetIdentity, "TWRC_SUCCESS", "", 3)},
    {"s/notes.txt", "not a log"},
    {"t/Twainlog_20261206_220000_0000.txt", Call(1, kGetIdentity, "TWRC_SUCCESS", "", 3)},
    {"t/Twainlog_20261206_220001_0000.txt", kSession},
};

const CliCase kLoadCases[] = {
    {"SummaryOfADirectory", kLoads, "summary @/s", 0,
     "@/s: 3 loads, 4 entries (4 calls, 0 events, 0 without text)\n\n load  entries  file\n    1   "
     "     1  @/s/Twainlog_20261206_210743_0120.txt  (identity only: the DSM listing sources)\n    "
     "2        1  @/s/Twainlog_20261206_210743_0120_2.txt  (identity only: the DSM listing "
     "sources)\n    3        2  @/s/Twainlog_20261206_210744_0001.txt\n\n calls  failed  "
     "triplet\n     2       0  DG_CONTROL/DAT_IDENTITY/MSG_GET\n     1       0  "
     "DG_CONTROL/DAT_IDENTITY/MSG_OPENDS\n     1       0  "
     "DG_CONTROL/DAT_USERINTERFACE/MSG_ENABLEDS\n\n count  return code\n     4  "
     "TWRC_SUCCESS\n\nFailures: none\n\nStates: 3 -> 4 -> 5\n\nImages: 0 transferred\n\n"
     "Capabilities: none\n"},
    {"CheckFollowsEachLoad", kLoads, "check @/s", 1,
     "@/s/Twainlog_20261206_210744_0001.txt: [00002] DG_CONTROL/DAT_USERINTERFACE/MSG_ENABLEDS "
     "(line 6): the session ends in state 5: the source was never closed with MSG_CLOSEDS\n1 "
     "protocol fault\n"},
    {"DiffOfTwoDirectories", kLoads, "diff @/s @/t", 1,
     "--- @/s\n+++ @/t\n@@ -1,7 +1,5 @@\n  load @/s/Twainlog_20261206_210743_0120.txt (identity "
     "only) | @/t/Twainlog_20261206_220000_0000.txt (identity only)\n  [00001] "
     "DG_CONTROL/DAT_IDENTITY/MSG_GET = TWRC_SUCCESS\n- load "
     "@/s/Twainlog_20261206_210743_0120_2.txt (identity only)\n- [00001] "
     "DG_CONTROL/DAT_IDENTITY/MSG_GET = TWRC_SUCCESS\n  load "
     "@/s/Twainlog_20261206_210744_0001.txt | @/t/Twainlog_20261206_220001_0000.txt\n  [00001] "
     "DG_CONTROL/DAT_IDENTITY/MSG_OPENDS = TWRC_SUCCESS\n  [00002] "
     "DG_CONTROL/DAT_USERINTERFACE/MSG_ENABLEDS = TWRC_SUCCESS\n"},
};

// Writes the files into a new directory, dir.
void WriteFiles(const std::vector<File>& files, char (&dir)[29]) {
    std::snprintf(dir, sizeof dir, "/tmp/twainlog-hostile-XXXXXX");
    ASSERT_NE(mkdtemp(dir), nullptr);
    for (const File& file : files) {
        const size_t slash = file.name.find('/');
        if (slash != std::string::npos) {
            mkdir((dir + ("/" + file.name.substr(0, slash))).c_str(), 0700);
        }
        FILE* out = fopen((dir + ("/" + file.name)).c_str(), "wb");
        ASSERT_NE(out, nullptr);
        fwrite(file.text.data(), 1, file.text.size(), out);
        fclose(out);
    }
}

class Cli : public testing::TestWithParam<CliCase> {};

TEST_P(Cli, OutputAndStatus) {
    char dir[29];
    WriteFiles(GetParam().files, dir);
    std::string args = GetParam().args;
    for (size_t at = args.find('@'); at != std::string::npos; at = args.find('@')) {
        args.replace(at, 1, dir);
    }
    int status = -1;
    std::string out = Shell(std::string(TWAINLOG) + " " + args + " 2>&1", status);
    for (size_t at = out.find(dir); at != std::string::npos; at = out.find(dir)) {
        out.replace(at, sizeof dir - 1, "@");
    }
    EXPECT_EQ(status, GetParam().status);
    const std::string& expected = GetParam().output;
    if (expected.size() >= 3 && expected.compare(expected.size() - 3, 3, "...") == 0) {
        EXPECT_EQ(out.substr(0, expected.size() - 3), expected.substr(0, expected.size() - 3));
    } else {
        EXPECT_EQ(out, expected);
    }
    EXPECT_EQ(system(("rm -rf " + std::string(dir)).c_str()), 0);
}

INSTANTIATE_TEST_SUITE_P(Hostile, Cli, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<CliCase>& info) {
                             return std::string(info.param.name);
                         });
INSTANTIATE_TEST_SUITE_P(Loads, Cli, testing::ValuesIn(kLoadCases),
                         [](const testing::TestParamInfo<CliCase>& info) {
                             return std::string(info.param.name);
                         });

// report: each page's marks, tables and bounds; hostile text shows as text, so that no element,
// attribute or URL of the page comes from a log.
struct ReportCase {
    const char* name;
    std::vector<File> files;
    std::string path; // in the case's directory
    size_t calls, buckets, maxBytes;
    std::vector<std::string> shown; // HTML the page holds
};

void PrintTo(const ReportCase& c, std::ostream* out) {
    *out << c.name;
}

// An open source, then n - 1 reads, every 1000th failed without DAT_STATUS after it.
std::string Many(int n) {
    std::string text = Call(1, kOpen);
    for (int i = 2; i <= n; ++i) {
        text += Call(i, "DG_CONTROL/DAT_CAPABILITY/MSG_GET (CAP_X)",
                     i % 1000 == 0 ? "TWRC_FAILURE" : "TWRC_SUCCESS");
    }
    return text;
}

const std::string kName = "</title><script>x()</script>]]></svg><img src=http://127.0.0.1:9/>";
const std::string kShownName =
    "&lt;/title&gt;&lt;script&gt;x()&lt;/script&gt;]]&gt;&lt;/svg&gt;&lt;img "
    "src=http://127.0.0.1:9/&gt;";

// An entry whose section was cut: the marker ends it, the next entry goes on on its line.
const std::string kCut = Call(1, "DG_CONTROL/DAT_CAPABILITY/MSG_GET (CAP_A)", "TWRC_SUCCESS",
                              "  TW_CAPABILITY = {\r\n    Cap = [CAP_ASize of CAP_xxx too long");

const ReportCase kReportCases[] = {
    {"HostileNames",
     {{"h.txt",
       Call(1, "DG_CONTROL/DAT_PARENT/MSG_OPENDSM", "TWRC_SUCCESS",
            "  pOrigin:TW_IDENTITY = {\r\n    ProductName = [" + kName + "]\r\n  }\r\n", 3) +
           "[00002] [DS] DG_CONTROL/DAT_NULL/MSG_XFERREADY\r\n" + Entry("", "TWRC_SUCCESS", {}, 3) +
           Call(3, "DG_CONTROL/DAT_CAPABILITY/MSG_SET (" + kName + ")", "TWRC_SUCCESS",
                CapabilityBlock(kName, "\x8e\x1b"), 3)}},
     "h.txt",
     3,
     0,
     20000,
     {"<dt>Application</dt><dd>" + kShownName + "</dd>", "<tr><td>" + kShownName + "</td><td>",
      "\">\\x8e\\x1b</a></td>", "<rect class=\"ds\"", "<rect class=\"fault\"",
      "MSG_SET on DAT_CAPABILITY in state 3"}},
    {"DeepNestingCutAtTheEntryBound",
     {{"deep.txt", kDeep}},
     "deep.txt",
     1,
     0,
     40000,
     {"<p class=\"more\">" +
      std::to_string(kDeep.size() - std::count(kDeep.begin(), kDeep.end(), '\r') -
                     kEntryTextBytes) +
      " more bytes left out</p>"}},
    {"LoggerLinesAreNoEntryText",
     {{"f.txt", kFragments}},
     "f.txt",
     1,
     0,
     20000,
     {"<pre>[00001] [APP] DG_CONTROL/DAT_IDENTITY/MSG_OPENDS\n        Return"}},
    {"ControlBytes", {{"x.txt", kHostileBytes}}, "x.txt", 1, 0, 20000, {"CAP_\\x1b]0;x\\x07"}},
    {"CutEntryEndsAtTheMarker",
     {{"c.txt", kCut.substr(0, kCut.find("too long") + 8) + Call(2, kOpen)}},
     "c.txt",
     2,
     0,
     20000,
     {"    Cap = [CAP_ASize of CAP_xxx too long</pre>", "<pre>[00002] [APP] DG_CONTROL"}},
    {"ManyEntriesInBucketsWithinTheBudgets",
     {{"m.txt", Many(40000)}},
     "m.txt",
     0,
     313,
     kEntriesBudget + kKeptBudget + 300000,
     {"40000 entries, 128 per column at most", "Protocol faults</dt><dd>41<ol>",
      " entries left out, [", "(CAP_X)</a></td><td>no DAT_STATUS asked</td>"}},
    {"LoadsInOrder", kLoads, "s", 4, 0, 30000, {"Load 3: @/s/Twainlog_20261206_210744_0001.txt"}},
};

size_t Occurrences(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
        ++n;
    }
    return n;
}

class Report : public testing::TestWithParam<ReportCase> {};

TEST_P(Report, Page) {
    char dir[29];
    WriteFiles(GetParam().files, dir);
    int status = -1;
    std::string html = Shell(
        std::string(TWAINLOG) + " report " + dir + "/" + GetParam().path + " 2>/dev/null", status);
    EXPECT_EQ(status, 0);
    for (size_t at = html.find(dir); at != std::string::npos; at = html.find(dir)) {
        html.replace(at, sizeof dir - 1, "@");
    }
    EXPECT_LE(html.size(), GetParam().maxBytes);
    EXPECT_EQ(Occurrences(html, "<a class=\"call\""), GetParam().calls);
    EXPECT_EQ(Occurrences(html, "<a class=\"bucket\""), GetParam().buckets);
    EXPECT_EQ(Occurrences(html, "<title>"), Occurrences(html, "</title>"));
    EXPECT_EQ(Occurrences(html, "<svg "), Occurrences(html, "</svg>"));
    EXPECT_EQ(Occurrences(html, "<script") + Occurrences(html, "<img"), 0u);
    // Every link of the page leads to an anchor of it.
    std::set<std::string> ids;
    const std::regex id(" id=\"([^\"]*)\""), href(" href=\"#([^\"]*)\"");
    for (std::sregex_iterator at(html.begin(), html.end(), id), end; at != end; ++at) {
        ids.insert((*at)[1]);
    }
    for (std::sregex_iterator at(html.begin(), html.end(), href), end; at != end; ++at) {
        EXPECT_EQ(ids.count((*at)[1]), 1u) << (*at)[1];
    }
    for (const std::string& shown : GetParam().shown) {
        EXPECT_NE(html.find(shown), std::string::npos) << shown;
    }
    EXPECT_EQ(system(("rm -rf " + std::string(dir)).c_str()), 0);
}

INSTANTIATE_TEST_SUITE_P(, Report, testing::ValuesIn(kReportCases),
                         [](const testing::TestParamInfo<ReportCase>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
} // namespace twainlog::test
