// The log file: its name and creation in the shared log directory, the limits it never
// passes, the write of each entry, the lines about entries lost and about logging stopped,
// and the lock that keeps entries whole. What an entry holds is the caller's (TwainLog.cpp).
#ifndef TWAINMON_LOGFILE_H
#define TWAINMON_LOGFILE_H

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include <sys/statvfs.h>
#include <sys/time.h>
#include <sys/types.h>
#include <unistd.h>

#include "LogVocabulary.h"
#include "TwainExport.h"

// The log file: created at load when the log directory exists, closed at unload. The module
// writes it with write(2) on its descriptor only, never through the stream.
extern FILE* g_pLogFile TWAINMON_EXPORT;
// The process that opened the log file. A child of it (fork) never logs: the log lock may be
// held by a thread that the child does not have.
extern pid_t g_nLogProcessId;
// Set once the log file reached a limit: calls are still forwarded, nothing more is logged.
extern std::atomic<bool> g_bLogStopped;

// True while calls are logged: a log file, in the process that opened it, not stopped at a
// limit.
inline bool IsLogging() {
    return g_pLogFile != nullptr && getpid() == g_nLogProcessId &&
           !g_bLogStopped.load(std::memory_order_relaxed);
}

// Holds the log lock, which serializes the writes of the log file and whatever the holder
// prepares for them. The thread is not cancelled meanwhile: a cancellation request acts at the
// host's next cancellation point, never inside a write with the lock held.
class LogLock {
public:
    LogLock();
    ~LogLock();
    LogLock(const LogLock&) = delete;
    LogLock& operator=(const LogLock&) = delete;

private:
    int m_cancelState = 0;
};

// Writes size bytes at the end of the log file, under the log lock (held by the caller);
// returns the bytes that reached the file. With no log file writes nothing and returns size.
unsigned long WriteLogFile(const unsigned char* data, unsigned long size);
// Takes the log lock and writes text, in the process that opened the log only.
void WriteLogText(const char* text, size_t size);
// Closes the log file, after the write in progress; in a child of the process that opened
// it, closes the child's descriptor only. A second call does nothing.
void CloseLogFile();

// What the log file may grow to. It never grows past kLogFileCap, nor past the process's
// file-size limit (RLIMIT_FSIZE, so no write raises SIGXFSZ), and logging stops while the
// file system has less free space than kFreeSpaceFloor or 1 % of its size, whichever is
// smaller. The free space, the file's size and the limit are measured when the file is
// opened, again after every kFreeSpaceCheckEvery bytes written, and the size and the limit
// again before a write that would pass the limit.
constexpr uint64_t kLogFileCap = uint64_t{1} << 30;
constexpr uint64_t kFreeSpaceFloor = uint64_t{256} << 20;
constexpr uint64_t kFreeSpaceCheckEvery = uint64_t{16} << 20;
struct LogLimits {
    uint64_t cap = kLogFileCap;
    uint64_t checkEvery = kFreeSpaceCheckEvery;
};
// The free space under which logging stops on a file system of blocks * blockSize bytes.
constexpr uint64_t FreeSpaceFloor(uint64_t blocks, uint64_t blockSize) {
    return blocks / 100 * blockSize < kFreeSpaceFloor ? blocks / 100 * blockSize : kFreeSpaceFloor;
}
// The system calls the log file is written and measured with; tests replace them to inject
// faults.
struct LogFileCalls {
    ssize_t (*write)(int fd, const void* data, size_t size);
    int (*fstatvfs)(int fd, struct statvfs* status);
};
extern LogFileCalls g_logFileCalls;

// Makes file the log file of this process: records the process, measures the file, its file
// system and the file-size limit, and stops logging at once when one is already reached.
// Null switches logging off.
void StartLogFile(FILE* file, const LogLimits& limits = LogLimits());

// The milliseconds of a clock reading as the log shows them: the microseconds rounded half
// up, 0 to 1000 (999.5 ms gives 1000, never carried into the seconds).
constexpr int RoundedMilliseconds(long microseconds) {
    return static_cast<int>((microseconds + 500) / 1000);
}

// The load stamp YYYYMMDD_HHMMSS_mmmm of a clock reading, in local time: the milliseconds are
// the microseconds rounded half up, 0000 to 1000, and never carry into the seconds. False
// when it does not fit size bytes.
bool MakeLoadStamp(const struct timeval& now, char* stamp, size_t size);
// Names tried for one load, in this order: directory/Twainlog_<stamp>.txt (variant 0), then
// directory/Twainlog_<stamp>_01.txt to _99.txt. They sort by load time, and after the first
// name of their stamp. False when it does not fit size bytes.
constexpr int kLogFileVariants = 99;
bool MakeLogFilePath(const char* directory, const struct timeval& now, int variant, char* path,
                     size_t size);
// Creates path as a new file, mode 0644 less the umask, and opens it for appending. Null when
// anything is at the name (the directory is shared with other users: nothing planted there is
// ever written to) or when what was created is not a regular file with one link owned by
// this user. The open never waits for a reader or writer.
FILE* OpenLogFile(const char* path);
// The log file of a load at now: the first of its names that OpenLogFile creates, or null.
FILE* CreateLogFile(const char* directory, const struct timeval& now);

#endif // TWAINMON_LOGFILE_H
