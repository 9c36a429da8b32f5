// What reaches the log file: the cut of a result section, the load stamp and the file's name,
// which files the log opens, and each logged call as one write of exact bytes.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "AnalyzerFixture.h"
#include "ParaAnalyze.h"

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(LogWrite, ResultSectionIsCutAt5120Bytes) {
    const std::string marker = "Size of CAP_xxx too long";
    const struct {
        size_t length;
        size_t kept; // bytes of the section that reach the log
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
        std::vector<char> text(RESULT_TEXT_SIZE, '\0');
        for (size_t i = 0; i < c.length; ++i) {
            text[i] = static_cast<char>('a' + i % 26);
        }
        const std::string section(text.data(), c.length);
        const size_t length = CutResultSection(text.data(), c.length);
        EXPECT_EQ(std::string(text.data(), length),
                  section.substr(0, c.kept) + (c.marked ? marker : ""));
    }
}

// A load's clock reading, in UTC: 2026-12-06 21:07:54 and 2026-12-31 23:59:59.
constexpr time_t kSecond = 1796591274;
constexpr time_t kLastSecondOfYear = 1798761599;

TEST(LogWrite, LoadStampComesFromOneReading) {
    setenv("TZ", "UTC0", 1);
    tzset();
    const struct {
        time_t seconds;
        long microseconds;
        const char* stamp;
    } cases[] = {
        {kSecond, 0, "20261206_210754_0000"},
        {kSecond, 4000, "20261206_210754_0004"}, // early in a second: the same second
        {kSecond, 400, "20261206_210754_0000"},  // a second load: same name, appends
        {kSecond, 499, "20261206_210754_0000"},
        {kSecond, 500, "20261206_210754_0001"},
        {kSecond, 999499, "20261206_210754_0999"},
        {kSecond, 999500, "20261206_210754_1000"}, // four digits, seconds not carried
        {kSecond, 999999, "20261206_210754_1000"},
        {kLastSecondOfYear, 999999, "20261231_235959_1000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stamp);
        struct timeval now {};
        now.tv_sec = c.seconds;
        now.tv_usec = c.microseconds;
        char stamp[64];
        ASSERT_TRUE(MakeLoadStamp(now, stamp, sizeof stamp));
        EXPECT_STREQ(stamp, c.stamp);
        char path[256];
        ASSERT_TRUE(MakeLogFilePath("/var/log/twain", now, path, sizeof path));
        EXPECT_EQ(std::string(path), std::string("/var/log/twain/Twainlog_") + c.stamp + ".txt");
    }
}

// A scratch directory standing for the shared log directory.
struct ScratchDirectory {
    std::string path;
    ScratchDirectory() {
        char name[] = "/tmp/twainmon-logdir-XXXXXX";
        path = mkdtemp(name);
    }
    ~ScratchDirectory() {
        for (const char* entry : {"log.txt", "victim.txt", "fifo", "sub"}) {
            const std::string file = path + "/" + entry;
            if (unlink(file.c_str()) != 0) {
                rmdir(file.c_str());
            }
        }
        rmdir(path.c_str());
    }
};

TEST(LogWrite, OnlyARegularFileWithOneLinkIsOpened) {
    enum class Plant {
        Nothing,
        RegularFile,
        SymbolicLink,
        Fifo,
        FifoWithReader,
        HardLink,
        Directory
    };
    const struct {
        const char* name;
        Plant plant;
        bool opened;
    } cases[] = {
        {"absent", Plant::Nothing, true},
        {"own file", Plant::RegularFile, true}, // appended, as by a second load in one ms
        {"symbolic link", Plant::SymbolicLink, false},
        {"FIFO", Plant::Fifo, false},
        {"FIFO with a reader", Plant::FifoWithReader, false},
        {"hard link", Plant::HardLink, false},
        {"directory", Plant::Directory, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchDirectory dir;
        const std::string log = dir.path + "/log.txt";
        const std::string victim = dir.path + "/victim.txt";
        std::ofstream(victim) << "keep";
        int reader = -1;
        switch (c.plant) {
        case Plant::Nothing:
            break;
        case Plant::RegularFile:
            std::ofstream(log) << "old\n";
            break;
        case Plant::SymbolicLink:
            ASSERT_EQ(symlink(victim.c_str(), log.c_str()), 0);
            break;
        case Plant::Fifo:
        case Plant::FifoWithReader:
            ASSERT_EQ(mkfifo(log.c_str(), 0666), 0);
            if (c.plant == Plant::FifoWithReader) {
                reader = open(log.c_str(), O_RDONLY | O_NONBLOCK);
                ASSERT_GE(reader, 0);
            }
            break;
        case Plant::HardLink:
            ASSERT_EQ(link(victim.c_str(), log.c_str()), 0);
            break;
        case Plant::Directory:
            ASSERT_EQ(mkdir(log.c_str(), 0755), 0);
            break;
        }
        alarm(60); // an open that waits on the FIFO ends the test instead of hanging it
        FILE* file = OpenLogFile(log.c_str());
        alarm(0);
        EXPECT_EQ(file != nullptr, c.opened);
        if (file != nullptr) {
            fputs("new\n", file);
            fclose(file);
            EXPECT_EQ(ReadFile(log), c.plant == Plant::RegularFile ? "old\nnew\n" : "new\n");
        }
        if (reader >= 0) {
            char byte;
            EXPECT_LE(read(reader, &byte, 1), 0); // nothing reached the planter
            close(reader);
        }
        EXPECT_EQ(ReadFile(victim), "keep");
        if (c.plant == Plant::Directory) {
            rmdir(log.c_str());
        }
    }
}

// A log stream that records each write the stdio layer makes to it.
struct RecordingLog {
    std::vector<std::string> writes;
    FILE* stream;

    explicit RecordingLog(bool buffered) {
        cookie_io_functions_t io{};
        io.write = [](void* cookie, const char* data, size_t size) -> ssize_t {
            static_cast<RecordingLog*>(cookie)->writes.emplace_back(data, size);
            return static_cast<ssize_t>(size);
        };
        stream = fopencookie(this, "a", io);
        if (buffered) {
            setvbuf(stream, nullptr, _IOFBF, 1 << 16);
        } else {
            setvbuf(stream, nullptr, _IONBF, 0);
        }
        g_pLogFile = stream;
        g_cParaAnalyze.m_lSequenceNo = 0;
        g_cParaAnalyze.m_nTwainStatus = 4;
    }
    ~RecordingLog() {
        g_pLogFile = nullptr;
        fclose(stream);
    }
};

const char kErrorStatus[] =
    "*** Inspect Error Status Start ***\r\n*** Inspect Error Status End   ***\r\n";

TEST(LogWrite, EachLoggedCallIsOneWholeWrite) {
    TW_EVENT nothing{};
    const struct {
        const char* name;
        TW_UINT16 dat;
        TW_UINT16 msg;
        void* data;
        TW_UINT16 rc;
        bool threw;
        std::string entry; // "" for a call that leaves no text
    } cases[] = {
        {"success", DAT_XQ_EDGEFILLAREA, MSG_GET, nullptr, TWRC_SUCCESS, false,
         "[00001] [APP] DG_CONTROL/DAT_XQ_EDGEFILLAREA/MSG_GET\r\n"
         "        Return Code = [TWRC_SUCCESS]\r\n"
         "pData   = <0x00000000>\r\n"
         "\r\nTWAIN Status = [4]\r\n"},
        {"failure", DAT_XQ_DUALIMAGE, MSG_SET, nullptr, TWRC_FAILURE, false,
         "[00002] [APP] DG_CONTROL/DAT_XQ_DUALIMAGE/MSG_SET\r\n"
         "        Return Code = [TWRC_FAILURE]\r\n"
         "pData   = <0x00000000>\r\n" +
             std::string(kErrorStatus)},
        {"driver threw", DAT_XQ_DUALIMAGE, MSG_GET, nullptr, TWRC_FAILURE, true,
         "[00003] [APP] DG_CONTROL/DAT_XQ_DUALIMAGE/MSG_GET\r\n"
         "        Return Code = [TWRC_FAILURE]\r\n"
         "pData   = <0x00000000>\r\n"
         "*** Driver threw an exception; TWRC_FAILURE returned ***\r\n" +
             std::string(kErrorStatus)},
        {"quiet poll", DAT_EVENT, MSG_PROCESSEVENT, &nothing, TWRC_NOTDSEVENT, false, ""},
        {"failed poll", DAT_EVENT, MSG_PROCESSEVENT, &nothing, TWRC_FAILURE, false, kErrorStatus},
    };
    // Unbuffered, every fwrite reaches the stream as one write; buffered, the flush does.
    for (bool buffered : {false, true}) {
        SCOPED_TRACE(buffered ? "buffered" : "unbuffered");
        RecordingLog log(buffered);
        for (const auto& c : cases) {
            SCOPED_TRACE(c.name);
            const size_t before = log.writes.size();
            LogTriplet(nullptr, DG_CONTROL, c.dat, c.msg, c.data, c.rc, c.threw);
            if (c.entry.empty()) {
                EXPECT_EQ(log.writes.size(), before);
            } else {
                ASSERT_EQ(log.writes.size(), before + 1);
                EXPECT_EQ(log.writes.back(), c.entry);
            }
        }
    }
}

TEST(LogWrite, QuietEventPollsAreThoseThatLeaveNoText) {
    // Every poll the entry path skips would have left no text and kept the state; every
    // DAT_EVENT poll that leaves no text is skipped.
    for (TW_UINT16 dat : {DAT_EVENT, DAT_NULL, DAT_IMAGEMEMXFER}) {
        for (TW_UINT16 rc : {TWRC_SUCCESS, TWRC_FAILURE, TWRC_DSEVENT, TWRC_NOTDSEVENT}) {
            for (int event :
                 {-1, int{MSG_NULL}, int{MSG_XFERREADY}, int{MSG_CLOSEDSREQ}, int{MSG_CLOSEDSOK}}) {
                SCOPED_TRACE(testing::Message() << dat << " " << rc << " " << event);
                TW_EVENT block{};
                block.TWMessage = static_cast<TW_UINT16>(event);
                void* data = event < 0 ? nullptr : &block;
                AnalyzerHarness harness(5);
                const bool silent =
                    harness.Call(DG_CONTROL, dat, MSG_PROCESSEVENT, data, rc).empty() &&
                    rc != TWRC_FAILURE;
                const bool quiet = IsQuietEventPoll(dat, MSG_PROCESSEVENT, rc, data);
                EXPECT_TRUE(!quiet || (silent && harness.analyzer.m_nTwainStatus == 5));
                if (dat == DAT_EVENT) {
                    EXPECT_EQ(quiet, silent);
                }
            }
        }
    }
    EXPECT_FALSE(IsQuietEventPoll(DAT_EVENT, MSG_GET, TWRC_SUCCESS, nullptr));
}

TEST(LogWrite, WithoutLogFileNothingIsWritten) {
    ASSERT_EQ(g_pLogFile, nullptr);
    const unsigned char bytes[] = "abc";
    EXPECT_EQ(WriteLogFile(bytes, 3), 3u);
    LogTriplet(nullptr, DG_CONTROL, DAT_STATUS, MSG_GET, nullptr, TWRC_FAILURE, true);
}

} // namespace
