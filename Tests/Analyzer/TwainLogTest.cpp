// The diagnostic logger: the exact bytes of a message (prefix layout, file name part, line
// number, final line feed), its header and millisecond rounding, level names, and the
// formatter's growth and its limit.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdarg>
#include <cstdio>
#include <regex>
#include <string>

#include <unistd.h>

#include "AnalyzerFixture.h"
#include "LogFile.h"
#include "TwainLog.h"

namespace {

using Level = ENUM_LOG_LEVEL_TW::enumLogLevel_tw;

std::string Format(CTwainLog& log, const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string text = log.FormatString(format, args);
    va_end(args);
    return text;
}

// Points the module's log file at a fresh file for the test's lifetime; Text() reads it
// through its own stream, so it sees only what the logger flushed.
class LogFileFixture : public testing::Test {
protected:
    void SetUp() override {
#ifdef _WIN32
        // mkstemp's file denies other readers on Windows; the log file's own is shared for it.
        char path[] = "twainlog_test_XXXXXX";
        ASSERT_NE(_mktemp(path), nullptr);
        FILE* file = OpenLogFile(path);
#else
        char path[] = "/tmp/twainlog_test_XXXXXX";
        const int fd = mkstemp(path);
        ASSERT_GE(fd, 0);
        FILE* file = fdopen(fd, "a");
#endif
        m_path = path;
        m_saved = g_pLogFile;
        StartLogFile(file);
        ASSERT_NE(g_pLogFile, nullptr);
    }
    void TearDown() override {
        if (g_pLogFile != nullptr) {
            fclose(g_pLogFile);
        }
        g_pLogFile = m_saved;
        unlink(m_path.c_str());
    }
    std::string Text() const {
        return FileText(m_path);
    }

    std::string m_path;
    FILE* m_saved = nullptr;
};

// The header of a message: "[YYYY/MM/DD HH:MM:SS.mmm] " (1000 ms has four digits).
const std::regex kHeader(R"(^\[\d{4}/\d{2}/\d{2} \d{2}:\d{2}:\d{2}\.\d{3,4}\] )");

// The message without its header; fails when the header is not there.
std::string WithoutHeader(const std::string& message) {
    std::smatch match;
    EXPECT_TRUE(std::regex_search(message, match, kHeader)) << message;
    return match.empty() ? message : message.substr(match.length(0));
}

using LogMessage = LogFileFixture;

TEST_F(LogMessage, PrefixAndTextBytes) {
    const std::string long45 = "AVeryLongSourceFileNameThatKeepsOnGoing45.cpp";
    const struct {
        Level level;
        const char* file;
        int line;
        const char* text;
        std::string expected; // after the header
    } cases[] = {
        {ENUM_LOG_LEVEL_TW::LEVEL_INFO, nullptr, 7, "abc", "INFO from \"Fn\" abc\n"},
        {ENUM_LOG_LEVEL_TW::LEVEL_TRACE, nullptr, 0, "ends\n", "TRACE from \"Fn\" ends\n"},
        {ENUM_LOG_LEVEL_TW::LEVEL_WARNING, nullptr, 0, "a\nb", "WARNING from \"Fn\" a\nb\n"},
        {ENUM_LOG_LEVEL_TW::LEVEL_ERROR, nullptr, 0, "", "ERROR from \"Fn\" "},
        {static_cast<Level>(0), nullptr, 0, "x", " from \"Fn\" x\n"},
        {static_cast<Level>(5), nullptr, 0, "x", " from \"Fn\" x\n"},
        {ENUM_LOG_LEVEL_TW::LEVEL_ERROR, "/src/Common/Main.cpp", 7, "t",
         "ERROR from \"Fn\" (File: Main.cpp                                , Line:    7) t\n"},
        {ENUM_LOG_LEVEL_TW::LEVEL_INFO, "C:\\src\\Win.cpp", 12345, "t",
         "INFO from \"Fn\" (File: Win.cpp                                 , Line: 12345) t\n"},
        {ENUM_LOG_LEVEL_TW::LEVEL_INFO, "a\\b/c.cpp", 10, "t",
         "INFO from \"Fn\" (File: c.cpp                                   , Line:   10) t\n"},
        {ENUM_LOG_LEVEL_TW::LEVEL_INFO, "a/b\\c.cpp", 100, "t",
         "INFO from \"Fn\" (File: c.cpp                                   , Line:  100) t\n"},
        {ENUM_LOG_LEVEL_TW::LEVEL_INFO, "plain.cpp", -1, "t",
         "INFO from \"Fn\" (File: plain.cpp                               , Line:   -1) t\n"},
        {ENUM_LOG_LEVEL_TW::LEVEL_INFO, "/x/", 1, "t",
         "INFO from \"Fn\" (File:                                         , Line:    1) t\n"},
        {ENUM_LOG_LEVEL_TW::LEVEL_INFO, "dir/AVeryLongSourceFileNameThatKeepsOnGoing45.cpp", 1, "t",
         "INFO from \"Fn\" (File: " + long45 + ", Line:    1) t\n"},
    };
    long written = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        CTwainLog log;
        log.Message(c.level, "Fn", c.file, c.line, "%s", c.text);
        const std::string all = Text();
        ASSERT_GE(all.size(), static_cast<size_t>(written));
        EXPECT_EQ(WithoutHeader(all.substr(written)), c.expected);
        written = static_cast<long>(all.size());
    }
    EXPECT_EQ(CTwainLog().GetLevelName(static_cast<Level>(-1)), ""); // below the first level
}

// A null format writes the prefix alone; OutputDebugString writes the bytes as they are.
TEST_F(LogMessage, NullFormatAndOutputDebugString) {
    CTwainLog log;
    const char* none = nullptr;
    log.Message(ENUM_LOG_LEVEL_TW::LEVEL_ERROR, "Fn", "f.cpp", 3, none);
    log.OutputDebugString("a\r\n\xE9\xFF");
    log.OutputDebugString("");
    log.OutputDebugString(nullptr);
    EXPECT_EQ(WithoutHeader(Text()),
              "ERROR from \"Fn\" (File: f.cpp                                   , Line:    3) "
              "a\r\n\xE9\xFF");
}

TEST(LogHeader, MillisecondsRoundHalfUp) {
    struct tm local {};
    local.tm_year = 126; // 2026
    local.tm_mon = 0;
    local.tm_mday = 2;
    local.tm_hour = 3;
    local.tm_min = 4;
    local.tm_sec = 5;
    // The rounding is the load stamp's (LogWrite.LoadStampComesFromOneReading).
    const std::pair<long, const char*> cases[] = {
        {499, "2026/01/02 03:04:05.000"},
        {123456, "2026/01/02 03:04:05.123"},
        {999500, "2026/01/02 03:04:05.1000"},
    };
    for (const auto& [usec, expected] : cases) {
        struct timeval now {};
        now.tv_usec = usec;
        EXPECT_EQ(CTwainLog::FormatHeader(local, now), expected) << usec;
    }
}

TEST(LogFormat, GrowsToTheTextAndStopsWhenTheFormatterFails) {
    CTwainLog log;
    const std::string s99(99, 'x'), s100(100, 'y'), s1000(1000, 'z');
    EXPECT_EQ(Format(log, nullptr), "");
    EXPECT_EQ(Format(log, ""), "");
    EXPECT_EQ(Format(log, "%s", s99.c_str()), s99);
    EXPECT_EQ(Format(log, "%s", s100.c_str()), s100);
    EXPECT_EQ(Format(log, "%s|%d", s1000.c_str(), 7), s1000 + "|7");
#ifndef _WIN32 // the C locale of Windows converts it (to Latin-1)
    // A wide character the C locale cannot convert makes every attempt fail.
    const std::string locale = setlocale(LC_CTYPE, nullptr);
    setlocale(LC_CTYPE, "C");
    EXPECT_EQ(Format(log, "%ls", L"\u00e9"), "");
    setlocale(LC_CTYPE, locale.c_str());
#endif
}

} // namespace
