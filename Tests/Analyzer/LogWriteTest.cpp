// What reaches the log file: the cut of a result section, the load stamp and the file's name,
// which files the log creates in a shared directory, each logged call as one write of exact
// bytes, what write faults and the file's limits leave in it, and an unload while logging.
#include <gtest/gtest.h>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "AnalyzerFixture.h"
#include "CDSMInterface.h"
#include "ParaAnalyze.h"
#include "TwainLog.h"

namespace {

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
        {kSecond, 400, "20261206_210754_0000"},  // a second load: same stamp
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
        ASSERT_TRUE(MakeLogFilePath("/var/log/twain", now, 0, path, sizeof path));
        EXPECT_EQ(std::string(path), std::string("/var/log/twain/Twainlog_") + c.stamp + ".txt");
        ASSERT_TRUE(MakeLogFilePath("/var/log/twain", now, 7, path, sizeof path));
        EXPECT_EQ(std::string(path), std::string("/var/log/twain/Twainlog_") + c.stamp + "_07.txt");
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
        if (DIR* dir = opendir(path.c_str())) {
            while (dirent* entry = readdir(dir)) {
                const std::string file = path + "/" + entry->d_name;
                if (entry->d_name[0] != '.' && unlink(file.c_str()) != 0) {
                    rmdir(file.c_str());
                }
            }
            closedir(dir);
        }
        rmdir(path.c_str());
    }
};

// The name of the log file of a load at kSecond + 0.123 s (UTC), with a variant suffix.
std::string LogName(const char* variant) {
    return std::string("Twainlog_20261206_210754_0123") + variant + ".txt";
}

// Anything planted at the log file's name is neither written nor waited for: the load
// creates the next name, never writable by others (here under umask 0). Two loads on one
// clock reading create two files.
TEST(LogWrite, SharedDirectoryOnlyNewFilesAreWritten) {
    enum class Plant {
        Nothing,
        Writable,
        ReadOnly,
        SymbolicLink,
        Fifo,
        FifoWithReader,
        HardLink,
        Directory,
        EveryName
    };
    const struct {
        const char* name;
        Plant plant;
        const char* created; // the variant suffix of the file the load writes; null for none
    } cases[] = {
        {"absent", Plant::Nothing, ""},
        {"another user's file, mode 0666", Plant::Writable, "_01"},
        {"read-only file", Plant::ReadOnly, "_01"},
        {"symbolic link", Plant::SymbolicLink, "_01"},
        {"FIFO", Plant::Fifo, "_01"},
        {"FIFO with a reader", Plant::FifoWithReader, "_01"},
        {"hard link", Plant::HardLink, "_01"},
        {"directory", Plant::Directory, "_01"},
        {"every name of the stamp", Plant::EveryName, nullptr},
    };
    setenv("TZ", "UTC0", 1);
    tzset();
    const struct timeval now = {kSecond, 123000};
    const mode_t savedMask = umask(0);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchDirectory dir;
        const std::string planted = dir.path + "/" + LogName("");
        const std::string victim = dir.path + "/victim.txt";
        std::ofstream(victim) << "keep";
        int reader = -1;
        switch (c.plant) {
        case Plant::Nothing:
            break;
        case Plant::Writable:
        case Plant::ReadOnly:
            std::ofstream(planted) << "keep";
            ASSERT_EQ(chmod(planted.c_str(), c.plant == Plant::Writable ? 0666 : 0444), 0);
            if (geteuid() == 0) {
                ASSERT_EQ(chown(planted.c_str(), 65534, 65534), 0);
            }
            break;
        case Plant::SymbolicLink:
            ASSERT_EQ(symlink(victim.c_str(), planted.c_str()), 0);
            break;
        case Plant::Fifo:
        case Plant::FifoWithReader:
            ASSERT_EQ(mkfifo(planted.c_str(), 0666), 0);
            if (c.plant == Plant::FifoWithReader) {
                reader = open(planted.c_str(), O_RDONLY | O_NONBLOCK);
                ASSERT_GE(reader, 0);
            }
            break;
        case Plant::HardLink:
            ASSERT_EQ(link(victim.c_str(), planted.c_str()), 0);
            break;
        case Plant::Directory:
            ASSERT_EQ(mkdir(planted.c_str(), 0755), 0);
            break;
        case Plant::EveryName:
            for (int variant = 0; variant <= kLogFileVariants; ++variant) {
                char path[256];
                ASSERT_TRUE(MakeLogFilePath(dir.path.c_str(), now, variant, path, sizeof path));
                ASSERT_EQ(symlink(victim.c_str(), path), 0);
            }
            break;
        }
        alarm(60); // an open that waits on the FIFO ends the test instead of hanging it
        FILE* first = CreateLogFile(dir.path.c_str(), now);
        FILE* second = CreateLogFile(dir.path.c_str(), now);
        alarm(0);
        ASSERT_EQ(first != nullptr, c.created != nullptr);
        if (first != nullptr) {
            ASSERT_NE(second, nullptr);
            fputs("first", first);
            fputs("second", second);
            fclose(first);
            fclose(second);
            const std::string created = dir.path + "/" + LogName(c.created);
            const char* next = c.plant == Plant::Nothing ? "_01" : "_02";
            EXPECT_EQ(FileText(created), "first");
            EXPECT_EQ(FileText(dir.path + "/" + LogName(next)), "second");
            struct stat status {};
            ASSERT_EQ(stat(created.c_str(), &status), 0);
            EXPECT_EQ(status.st_mode & 07777, 0644u);
        }
        if (reader >= 0) {
            char byte;
            EXPECT_LE(read(reader, &byte, 1), 0); // nothing reached the planter
            close(reader);
        }
        EXPECT_EQ(FileText(victim), "keep");
        if (c.plant == Plant::Writable || c.plant == Plant::ReadOnly) {
            EXPECT_EQ(FileText(planted), "keep");
        }
    }
    umask(savedMask);
}

// The log file as a fake write(2) sees it: each write takes the next fault, if any.
struct Fault {
    int error;   // errno of a failed write, 0 for one that writes
    size_t take; // at most these bytes reach the file
};
std::vector<Fault> g_faults;
std::vector<std::string> g_writes; // the bytes of each write that reached the file
struct statvfs g_space;

ssize_t FakeWrite(int, const void* data, size_t size) {
    Fault fault{0, size};
    if (!g_faults.empty()) {
        fault = g_faults.front();
        g_faults.erase(g_faults.begin());
    }
    if (fault.error != 0) {
        errno = fault.error;
        return -1;
    }
    g_writes.emplace_back(static_cast<const char*>(data), std::min(size, fault.take));
    return static_cast<ssize_t>(g_writes.back().size());
}

// A log file written through FakeWrite, on a file system of blocks of 4096 bytes.
struct FakeLog {
    explicit FakeLog(LogLimits limits = LogLimits(), fsblkcnt_t blocks = 1 << 20,
                     fsblkcnt_t freeBlocks = 1 << 19) {
        g_faults.clear();
        g_writes.clear();
        g_space = {};
        g_space.f_frsize = 4096;
        g_space.f_blocks = blocks;
        g_space.f_bavail = freeBlocks;
        g_logFileCalls = {FakeWrite, [](int, struct statvfs* space) {
                              *space = g_space;
                              return 0;
                          }};
        g_cParaAnalyze.m_lSequenceNo = 0;
        g_cParaAnalyze.m_nTwainStatus = 4;
        StartLogFile(fopen("/dev/null", "w"), limits);
    }
    ~FakeLog() {
        FILE* file = g_pLogFile;
        StartLogFile(nullptr);
        fclose(file);
        g_logFileCalls = {write, fstatvfs};
    }
    FakeLog(const FakeLog&) = delete;
    FakeLog& operator=(const FakeLog&) = delete;
    static std::string Text() {
        std::string text;
        for (const std::string& bytes : g_writes) {
            text += bytes;
        }
        return text;
    }
};

// The entry of the n-th Call().
std::string Entry(int n) {
    return NullDataEntry(n, "DAT_XQ_EDGEFILLAREA/MSG_GET", 4);
}
void Call() {
    LogTriplet(nullptr, DG_CONTROL, DAT_XQ_EDGEFILLAREA, MSG_GET, nullptr, TWRC_SUCCESS, false);
}

TEST(LogWrite, WriteFaultsLoseWholeEntriesAndSaySo) {
    const struct {
        const char* name;
        std::vector<Fault> faults;
        std::string text; // after three calls
    } cases[] = {
        {"EINTR", {{EINTR, 0}, {0, 10}, {EINTR, 0}}, Entry(1) + Entry(2) + Entry(3)},
        {"short writes", {{0, 10}, {0, 1}, {0, 100}}, Entry(1) + Entry(2) + Entry(3)},
        {"EFBIG", {{EFBIG, 0}}, "*** 1 entry lost: File too large ***\r\n" + Entry(2) + Entry(3)},
        {"ENOSPC inside an entry, then for the next",
         {{0, 10}, {ENOSPC, 0}, {ENOSPC, 0}},
         Entry(1).substr(0, 10) + "\r\n*** 2 entries lost: No space left on device ***\r\n" +
             Entry(3)},
        {"another error",
         {{EBADF, 0}},
         "*** 1 entry lost: error " + std::to_string(EBADF) + " ***\r\n" + Entry(2) + Entry(3)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeLog log;
        g_faults = c.faults;
        Call();
        Call();
        Call();
        EXPECT_EQ(FakeLog::Text(), c.text);
    }
}

TEST(LogWrite, LimitsStopTheLogWithALastLine) {
    const struct {
        const char* name;
        LogLimits limits;
        fsblkcnt_t blocks, freeAtLoad, freeAfter; // of 4096 bytes
        std::string text;                         // after five calls
    } cases[] = {
        {"under every limit",
         {},
         1 << 20,
         1 << 19,
         1 << 19,
         Entry(1) + Entry(2) + Entry(3) + Entry(4) + Entry(5)},
        {"the cap reached",
         {600, kFreeSpaceCheckEvery},
         1 << 20,
         1 << 19,
         1 << 19,
         Entry(1) + Entry(2) +
             "*** Logging stopped: log file size cap of 600 bytes reached ***\r\n"},
        // The floor is 256 MiB, or 1 % of the file system when that is less.
        {"free space under the floor at load",
         {},
         1 << 24,
         65535,
         65535,
         "*** Logging stopped: free space under 268435456 bytes ***\r\n"},
        {"under 1 % of a small file system, checked after 200 bytes",
         {kLogFileCap, 200},
         1000,
         10,
         9,
         Entry(1) + Entry(2) + "*** Logging stopped: free space under 40960 bytes ***\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeLog log(c.limits, c.blocks, c.freeAtLoad);
        g_space.f_bavail = c.freeAfter;
        for (int i = 0; i < 5; ++i) {
            Call();
        }
        EXPECT_EQ(FakeLog::Text(), c.text);
        EXPECT_EQ(g_bLogStopped.load(), c.text.find("stopped") != std::string::npos);
    }
}

// An unload while another thread logs closes the file between two entries.
TEST(LogWrite, UnloadWaitsForTheEntryBeingWritten) {
    setenv("TZ", "UTC0", 1);
    tzset();
    ScratchDirectory dir;
    StartLogFile(CreateLogFile(dir.path.c_str(), {kSecond, 123000}));
    g_cParaAnalyze.m_lSequenceNo = 0;
    g_cParaAnalyze.m_nTwainStatus = 4;
    std::atomic<int> calls{0};
    std::thread logging([&calls] {
        for (; calls < 5000; ++calls) {
            Call();
        }
    });
    while (calls < 50) {
    }
    cleanupTwainLog();
    logging.join();
    const std::string text = FileText(dir.path + "/" + LogName(""));
    std::string expected;
    for (int n = 1; expected.size() < text.size(); ++n) {
        expected += Entry(n);
    }
    EXPECT_EQ(text, expected);
    EXPECT_GE(text.size(), Entry(1).size() * 50);
}

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
        {"success", DAT_XQ_EDGEFILLAREA, MSG_GET, nullptr, TWRC_SUCCESS, false, Entry(1)},
        {"failure", DAT_XQ_DUALIMAGE, MSG_SET, nullptr, TWRC_FAILURE, false,
         NullDataEntry(2, "DAT_XQ_DUALIMAGE/MSG_SET", 4, true)},
        {"driver threw", DAT_XQ_DUALIMAGE, MSG_GET, nullptr, TWRC_FAILURE, true,
         NullDataEntry(3, "DAT_XQ_DUALIMAGE/MSG_GET", 4, true,
                       "*** Driver threw an exception; TWRC_FAILURE returned ***\r\n")},
        {"quiet poll", DAT_EVENT, MSG_PROCESSEVENT, &nothing, TWRC_NOTDSEVENT, false, ""},
        {"failed poll", DAT_EVENT, MSG_PROCESSEVENT, &nothing, TWRC_FAILURE, false, kErrorStatus},
    };
    FakeLog log;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const size_t before = g_writes.size();
        LogTriplet(nullptr, DG_CONTROL, c.dat, c.msg, c.data, c.rc, c.threw);
        if (c.entry.empty()) {
            EXPECT_EQ(g_writes.size(), before);
        } else {
            ASSERT_EQ(g_writes.size(), before + 1);
            EXPECT_EQ(g_writes.back(), c.entry);
        }
    }
}

// A section longer than the log takes of one reaches the file cut, with the marker, inside
// its entry (where the cut falls: ResultSectionIsCutAt5120Bytes).
TEST(LogWrite, LongResultSectionIsCutInItsEntry) {
    const TW_UINT32 count = 3000;
    TW_HANDLE handle = CDSMInterface::AllocMemory(offsetof(TW_ARRAY, ItemList) + 2 * count);
    auto* array = reinterpret_cast<TW_ARRAY*>(CDSMInterface::LockMemory(handle));
    ASSERT_NE(array, nullptr);
    array->ItemType = TWTY_UINT16;
    array->NumItems = count;
    std::fill_n(reinterpret_cast<TW_UINT16*>(array->ItemList), count, ICAP_PIXELTYPE);
    CDSMInterface::UnlockMemory(handle);
    TW_CAPABILITY capability{CAP_SUPPORTEDCAPS, TWON_ARRAY, handle};
    const std::string section =
        AnalyzerHarness(4).Result(DG_CONTROL, DAT_CAPABILITY, MSG_GET, &capability, TWRC_SUCCESS);
    ASSERT_GT(section.size(), LOG_SECTION_LIMIT);
    FakeLog log;
    LogTriplet(nullptr, DG_CONTROL, DAT_CAPABILITY, MSG_GET, &capability, TWRC_SUCCESS, false);
    ASSERT_EQ(g_writes.size(), 1u);
    EXPECT_EQ(g_writes[0],
              "[00001] [APP] DG_CONTROL/DAT_CAPABILITY/MSG_GET (CAP_SUPPORTEDCAPS)\r\n" +
                  section.substr(0, LOG_SECTION_LIMIT) + "Size of CAP_xxx too long");
    CDSMInterface::FreeMemory(handle);
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
    CTwainLog log; // the diagnostic logger builds its messages and writes nothing
    log.Message(ENUM_LOG_LEVEL_TW::LEVEL_INFO, "Fn", "a/b.cpp", 1, "%d", 1);
    EXPECT_EQ(g_pLogFile, nullptr);
}

} // namespace
