// twainlog on logs the real module writes during the test: the demo session played through
// TwainMonitor.ds and the sample driver, with two different settings. The assertions hold
// whatever structure blocks the module renders: entries, triplets, return codes, states.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <regex>
#include <string>

#include "LogText.h"
#include "Summary.h"

namespace twainlog::test {
namespace {

// One demo session: its log and what the session itself counted.
struct Demo {
    std::string path;
    std::string text;
    unsigned long calls = 0, pages = 0, strips = 0, imageBytes = 0;
};

Demo PlayDemo(const std::string& options) {
    Demo demo;
    int status = -1;
    const std::string out =
        Shell(std::string(DEMO_SESSION) + " " + options + " 2>/dev/null", status);
    EXPECT_EQ(status, 0) << out;
    std::smatch match;
    if (std::regex_search(out, match, std::regex("Log file: ([^\n]*)\n"))) {
        demo.path = match[1];
    }
    if (std::regex_search(out, match,
                          std::regex(R"(Summary: (\d+) DS_Entry calls, (\d+) page\(s\) in (\d+) )"
                                     R"(strips \((\d+) image bytes\))"))) {
        demo.calls = std::stoul(match[1]);
        demo.pages = std::stoul(match[2]);
        demo.strips = std::stoul(match[3]);
        demo.imageBytes = std::stoul(match[4]);
    }
    std::ifstream in(demo.path, std::ios::binary);
    EXPECT_TRUE(in) << demo.path;
    demo.text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return demo;
}

class DemoLogs : public testing::Test {
protected:
    static void SetUpTestSuite() {
        s_gray = new Demo(PlayDemo(""));
        s_rgb = new Demo(PlayDemo("--pixel-type rgb --resolution 150 --pages 2"));
    }
    static void TearDownTestSuite() {
        for (Demo* demo : {s_gray, s_rgb}) {
            unlink(demo->path.c_str());
            delete demo;
        }
    }
    static Demo* s_gray;
    static Demo* s_rgb;
};

Demo* DemoLogs::s_gray = nullptr;
Demo* DemoLogs::s_rgb = nullptr;

TEST_F(DemoLogs, ReadWithoutDiagnosticsAndAgreeWithTheSessionAndItsSummary) {
    for (const Demo* demo : {s_gray, s_rgb}) {
        SCOPED_TRACE(demo->path);
        const Log log = ReadLog(demo->text);
        EXPECT_EQ(Shape(Log{{}, {}, {}, log.diagnostics, 0}), "");
        size_t logged = 0, strips = 0, done = 0, opened = 0, closed = 0;
        long sequence = 0;
        for (const Record& r : log.records) {
            EXPECT_FALSE(r.returnCode.empty());
            EXPECT_EQ(r.Failed(), r.state < 0);
            EXPECT_EQ(r.Failed(), r.errorStatus);
            if (r.kind == EntryKind::Call) {
                EXPECT_EQ(r.sequence, ++sequence);
            } else {
                EXPECT_EQ(r.kind, EntryKind::Event);
                EXPECT_FALSE(r.eventMessage.empty());
            }
            opened += r.Is("DAT_IDENTITY", "MSG_OPENDS") && r.state == 4 ? 1 : 0;
            closed += r.Is("DAT_IDENTITY", "MSG_CLOSEDS") && r.state == 3 ? 1 : 0;
            logged += 1;
            strips += r.Is("DAT_IMAGEMEMXFER", "MSG_GET") ? 1 : 0;
            done += r.returnCode == "TWRC_XFERDONE" ? 1 : 0;
        }
        EXPECT_EQ(opened, 1u);
        EXPECT_EQ(closed, 1u);
        // Event polls that delivered nothing are left out of the log.
        EXPECT_LE(logged, demo->calls);
        EXPECT_EQ(strips, demo->strips);
        EXPECT_EQ(done, demo->pages);
        // The summary counts the session's images.
        const Summary summary = Summarize(log);
        ASSERT_EQ(summary.images.size(), demo->pages);
        strips = 0;
        for (const ImageReport& image : summary.images) {
            EXPECT_EQ(image.outcome, "TWRC_XFERDONE");
            strips += image.strips;
        }
        EXPECT_EQ(strips, demo->strips);
        if (summary.images[0].bytesKnown) { // once the strips' blocks are logged
            unsigned long long bytes = 0;
            for (const ImageReport& image : summary.images) {
                bytes += image.bytes;
            }
            EXPECT_EQ(bytes, demo->imageBytes);
        }
        EXPECT_EQ(summary.states.front(), 3);
        EXPECT_LE(summary.states.back(), 3);
        EXPECT_NE(std::find(summary.states.begin(), summary.states.end(), 7), summary.states.end());
        for (const FailureReport& failure : summary.failures) {
            EXPECT_FALSE(failure.condition.empty()) << failure.title; // the demo always asks
        }
    }
}

// The page of the grey session, its addresses, time and path masked, byte for byte; a page
// that differs is left in the build tree to compare.
TEST_F(DemoLogs, ReportAsGolden) {
    int status = -1;
    std::string page = Shell(std::string(TWAINLOG) + " report " + s_gray->path, status);
    EXPECT_EQ(status, 0);
    for (size_t at = page.find(s_gray->path); at != std::string::npos;
         at = page.find(s_gray->path)) {
        page.replace(at, s_gray->path.size(), "@");
    }
    page = std::regex_replace(page, std::regex("0x[0-9a-f]{8}"), "0x########");
    page = std::regex_replace(page, std::regex(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3})"),
                              "YYYY-MM-DD hh:mm:ss.mmm");
    std::ifstream in(GOLDEN_REPORT, std::ios::binary);
    ASSERT_TRUE(in) << GOLDEN_REPORT;
    const std::string golden{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (page != golden) {
        std::ofstream("DemoReport.actual.html", std::ios::binary) << page;
        ADD_FAILURE() << "the page differs from " GOLDEN_REPORT ": see DemoReport.actual.html";
    }
}

// The program itself: exit statuses, standard input, -o, errors.
TEST_F(DemoLogs, CommandLine) {
    const std::string tool = TWAINLOG;
    const std::string log = s_gray->path;
    const std::string other = s_rgb->path;
    char dir[] = "/tmp/twainlog-test-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    const std::string out = std::string(dir) + "/out.txt", junk = std::string(dir) + "/junk.txt";
    FILE* file = fopen(junk.c_str(), "w");
    fputs("no log here\n at all\r\n", file);
    fclose(file);
    struct Case {
        std::string args;
        int status;
        const char* output; // regular expression
    };
    const Case cases[] = {
        {"--version", 0, "twainlog 1\\.0\\.0\n"},
        {"check " + log, 0, "no protocol faults\n"},
        {"check " + other, 0, "no protocol faults\n"},
        {"check - < " + log, 0, "no protocol faults\n"},
        {"summary " + log + " -o " + out + " && cat " + out, 0, "[^]*\nStates: 3 -> 4[^]*"},
        {"summary --json " + log, 0, "\\{\n[^]*\"calls\": [0-9]+,[^]*"},
        {"diff " + log + " " + log, 0, ""},
        // The other settings: resolution and count set, and a second page ended.
        {"diff --color=never " + log + " " + other, 1,
         "--- [^]*\n\\+ \\[[^]*MSG_SET \\(ICAP_XRESOLUTION\\)[^]*MSG_SET \\(CAP_XFERCOUNT\\)[^]*"
         "DG_CONTROL/DAT_PENDINGXFERS/MSG_ENDXFER[^]*"},
        {"diff --color=always " + log + " " + other, 1, "\x1b\\[1m--- [^]*"},
        {"check /nonexistent/log.txt 2>&1", 2,
         "twainlog: cannot open /nonexistent/log.txt: "
         "No such file or directory\n"},
        {"summary " + std::string(dir) + " 2>&1", 2,
         "twainlog: .* holds no log file \\(Twainlog_\\.\\.\\.\\.txt\\)\n"},
        {"check " + junk + " 2>&1", 2, "[^]*holds no entry of a monitor log\n"},
        {"diff --color=sometimes a b 2>&1", 2, "[^]*color[^]*"},
        {"2>&1", 2, "[^]*"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args);
        int status = -1;
        const std::string out = Shell(tool + " " + c.args, status);
        EXPECT_EQ(status, c.status) << out;
        EXPECT_TRUE(std::regex_match(out, std::regex(c.output))) << out;
    }
    unlink(out.c_str());
    unlink(junk.c_str());
    rmdir(dir);
}

} // namespace
} // namespace twainlog::test
