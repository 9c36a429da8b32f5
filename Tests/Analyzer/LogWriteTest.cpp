// What reaches the log file of one result section: whole, or cut with its marker.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "ParaAnalyze.h"

namespace {

// Points the log at a temporary file for the test's duration.
struct TemporaryLog {
    TemporaryLog() { g_pLogFile = tmpfile(); }
    ~TemporaryLog() {
        fclose(g_pLogFile);
        g_pLogFile = nullptr;
    }
    std::string Contents() {
        fflush(g_pLogFile);
        rewind(g_pLogFile);
        std::string text;
        char chunk[4096];
        size_t n;
        while ((n = fread(chunk, 1, sizeof chunk, g_pLogFile)) > 0) {
            text.append(chunk, n);
        }
        return text;
    }
};

TEST(LogWrite, ResultSectionIsCutAt5120Bytes) {
    const std::string marker = "Size of CAP_xxx too long";
    const struct {
        size_t length;
        size_t written; // bytes of the text that reach the log
        bool marked;
    } cases[] = {
        {0, 0, false},
        {1, 1, false},
        {5120, 5120, false},
        {5121, 5120, true},
        {RESULT_TEXT_SIZE - 1, 5120, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.length);
        TemporaryLog log;
        std::string text(c.length, 'a');
        for (size_t i = 0; i < text.size(); ++i) {
            text[i] = static_cast<char>('a' + i % 26);
        }
        WriteResultText(text.c_str(), text.size());
        // The next text continues on the marker's line.
        WriteResultText("next\r\n", 6);
        EXPECT_EQ(log.Contents(),
                  text.substr(0, c.written) + (c.marked ? marker : "") + "next\r\n");
    }
}

TEST(LogWrite, WithoutLogFileNothingIsWritten) {
    ASSERT_EQ(g_pLogFile, nullptr);
    const unsigned char bytes[] = "abc";
    EXPECT_EQ(WriteLogFile(bytes, 3), 3u);
    WriteResultText("abc", 3);
}

} // namespace
