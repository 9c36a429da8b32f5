#include "LogFile.h"

#include <cerrno>
#include <ctime>

#include <fcntl.h>
#ifndef _WIN32
#include <pthread.h>
#endif
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "TwFormat.h"

FILE* g_pLogFile = nullptr;
pid_t g_nLogProcessId = 0;
std::atomic<bool> g_bLogStopped{false};
#ifndef _WIN32
LogFileCalls g_logFileCalls = {write, fstatvfs};
#endif

// ---------------------------------------------------------------------------------------
// The operating system's part: the lock, the creation of the file, its measures. Everything
// below this section reaches the system only through these and g_logFileCalls. On Windows the
// lock, the creation and the write are LogFileWindows.cpp's; the measures are the same calls,
// which the platform layer gives Windows.

namespace {

#ifndef _WIN32
// A plain pthread mutex: initialized at compile time and never destroyed, so a call that races
// the end of the process still finds it usable.
pthread_mutex_t g_logLock = PTHREAD_MUTEX_INITIALIZER;
#endif

int LogFileDescriptor() {
    return fileno(g_pLogFile);
}

// The file's size, when it is a regular file.
bool MeasureFileSize(uint64_t& size) {
    struct stat status {};
    if (fstat(LogFileDescriptor(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return false;
    }
    size = static_cast<uint64_t>(status.st_size);
    return true;
}

// The process's file-size limit, when it has one.
bool MeasureFileSizeLimit(uint64_t& limit) {
    struct rlimit fileSize {};
    if (getrlimit(RLIMIT_FSIZE, &fileSize) != 0 || fileSize.rlim_cur == RLIM_INFINITY) {
        return false;
    }
    limit = static_cast<uint64_t>(fileSize.rlim_cur);
    return true;
}

// The free space of the file's file system and the floor under which logging stops there.
bool MeasureFreeSpace(uint64_t& available, uint64_t& floor) {
    struct statvfs space {};
    if (g_logFileCalls.fstatvfs(LogFileDescriptor(), &space) != 0) {
        return false;
    }
    available = uint64_t{space.f_bavail} * space.f_frsize;
    floor = FreeSpaceFloor(space.f_blocks, space.f_frsize);
    return true;
}

// Writes some of size bytes on fd; as write(2).
ssize_t WriteSome(int fd, const char* data, size_t size) {
    return g_logFileCalls.write(fd, data, size);
}

bool IsLoggingProcess() {
    return getpid() == g_nLogProcessId;
}

} // namespace

#ifndef _WIN32
LogLock::LogLock() {
    pthread_setcancelstate(PTHREAD_CANCEL_DISABLE, &m_cancelState);
    pthread_mutex_lock(&g_logLock);
}

LogLock::~LogLock() {
    pthread_mutex_unlock(&g_logLock);
    int previous = 0;
    pthread_setcancelstate(m_cancelState, &previous);
}

FILE* OpenLogFile(const char* path) {
    // O_EXCL: only a file this load creates is written; O_NONBLOCK: nothing at the name can
    // stop the host's load.
    const int fd = open(
        path, O_WRONLY | O_APPEND | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK, 0644);
    if (fd < 0) {
        return nullptr;
    }
    struct stat status {};
    const int flags = fcntl(fd, F_GETFL);
    FILE* file = nullptr;
    if (fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && status.st_nlink == 1 &&
        status.st_uid == geteuid() && flags != -1 && fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0) {
        file = fdopen(fd, "a");
    }
    if (file == nullptr) {
        close(fd);
        return nullptr;
    }
    setvbuf(file, nullptr, _IONBF, 0); // never written through the stream
    return file;
}
#endif

void CloseLogFile() {
    if (g_pLogFile == nullptr) {
        return;
    }
    if (!IsLoggingProcess()) {
        // A child closes its copy of the descriptor only; the lock may be held by a thread
        // it does not have, and the log is the parent's.
        fclose(g_pLogFile);
        g_pLogFile = nullptr;
        return;
    }
    LogLock lock; // after the call that is writing
    fwrite("Close Log File.\n", 1, 16, stderr);
    fclose(g_pLogFile);
    g_pLogFile = nullptr;
}

// ---------------------------------------------------------------------------------------
// Names, limits, writes

namespace {

// The log file's bookkeeping, under the log lock.
struct LogFileState {
    LogLimits limits;
    uint64_t limit = kLogFileCap; // the file never grows past it
    bool limitIsRlimit = false;   // the limit is RLIMIT_FSIZE, under the cap
    uint64_t size = 0;            // as measured at the last check, plus the bytes written since
    uint64_t sinceCheck = 0;      // bytes written since the last check
    unsigned long lost = 0;       // entries lost since the last write that succeeded
    int lostError = 0;            // why the last one was lost
    bool lineOpen = false;        // the file does not end in a line end
};
LogFileState g_logState;

// Room kept under the limit for the last lines: the lost-entries line and the stop line.
constexpr size_t kLastLinesSize = 256;

// Why writes failed, in a text that does not depend on the locale.
const char* WriteErrorText(int error, char (&text)[32]) {
    switch (error) {
    case EFBIG:
        return "File too large";
    case ENOSPC:
        return "No space left on device";
#ifdef EDQUOT
    case EDQUOT:
        return "Disk quota exceeded";
#endif
    case EIO:
        return "Input/output error";
    default:
        TwFormat(text, sizeof text, "error %d", error);
        return text;
    }
}

// Writes size bytes at the end of the file, again after EINTR and after a short write; adds
// what reached the file to the bookkeeping. False, with errno set, when a write fails.
bool WriteAll(const char* data, size_t size) {
    LogFileState& s = g_logState;
    const int fd = LogFileDescriptor();
    size_t done = 0;
    while (done < size) {
        const ssize_t n = WriteSome(fd, data + done, size - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            if (n == 0) {
                errno = EIO;
            }
            break;
        }
        done += static_cast<size_t>(n);
    }
    if (done > 0) {
        s.size += done;
        s.sinceCheck += done;
        s.lineOpen = data[done - 1] != '\n';
    }
    return done == size;
}

// Why logging stops at the limit.
const char* LimitReached(char (&why)[96]) {
    TwFormat(why, sizeof why,
             g_logState.limitIsRlimit ? "file size limit of %llu bytes reached"
                                      : "log file size cap of %llu bytes reached",
             static_cast<unsigned long long>(g_logState.limit));
    return why;
}

// Measures the file's size, the file-size limit and, when checkSpace, the free space again.
// Returns why logging must stop, written into why, or null.
const char* CheckLogFile(bool checkSpace, char (&why)[96]) {
    LogFileState& s = g_logState;
    MeasureFileSize(s.size);
    s.limit = s.limits.cap;
    s.limitIsRlimit = false;
    uint64_t rlimit = 0;
    if (MeasureFileSizeLimit(rlimit) && rlimit < s.limit) {
        s.limit = rlimit;
        s.limitIsRlimit = true;
    }
    if (checkSpace) {
        s.sinceCheck = 0;
        uint64_t available = 0;
        uint64_t floor = 0;
        if (MeasureFreeSpace(available, floor) && available < floor) {
            TwFormat(why, sizeof why, "free space under %llu bytes",
                     static_cast<unsigned long long>(floor));
            return why;
        }
    }
    return s.size + kLastLinesSize > s.limit ? LimitReached(why) : nullptr;
}

// The line that counts the entries lost since the last write that succeeded, on a line of
// its own, into line; its length, 0 when none were lost.
size_t LostEntriesLine(char* line, size_t size) {
    const LogFileState& s = g_logState;
    if (s.lost == 0) {
        return 0;
    }
    char errorText[32];
    const int length =
        TwFormat(line, size, "%s" LOG_LOST_FORMAT "%s", s.lineOpen ? CRLF : "", s.lost,
                 s.lost == 1 ? "entry" : "entries", WriteErrorText(s.lostError, errorText), CRLF);
    return length > 0 && static_cast<size_t>(length) < size ? static_cast<size_t>(length) : 0;
}

// Writes the last lines (the lost-entries line, then why logging stops) where they fit under
// the limit, and stops logging.
void StopLogging(const char* why) {
    LogFileState& s = g_logState;
    char lines[kLastLinesSize];
    size_t length = LostEntriesLine(lines, sizeof lines);
    const int stop = TwFormat(lines + length, sizeof lines - length, "%s" LOG_STOPPED_FORMAT "%s",
                              s.lineOpen && length == 0 ? CRLF : "", why, CRLF);
    if (stop > 0 && static_cast<size_t>(stop) < sizeof lines - length) {
        length += static_cast<size_t>(stop);
    }
    if (s.size + length <= s.limit) {
        WriteAll(lines, length);
    }
    g_bLogStopped.store(true, std::memory_order_relaxed);
}

} // namespace

bool MakeLoadStamp(const struct timeval& now, char* stamp, size_t size) {
    struct tm local {};
    const time_t seconds = now.tv_sec;
    if (localtime_r(&seconds, &local) == nullptr) {
        return false;
    }
    const int milliseconds = RoundedMilliseconds(now.tv_usec);
    const int length = snprintf(stamp, size, "%04d%02d%02d_%02d%02d%02d_%04d", local.tm_year + 1900,
                                local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                                local.tm_sec, milliseconds);
    return length > 0 && static_cast<size_t>(length) < size;
}

bool MakeLogFilePath(const char* directory, const struct timeval& now, int variant, char* path,
                     size_t size) {
    char stamp[256];
    if (!MakeLoadStamp(now, stamp, sizeof stamp)) {
        return false;
    }
    const int length =
        variant == 0
            ? snprintf(path, size, "%s/" LOG_FILE_PREFIX "%s" LOG_FILE_SUFFIX, directory, stamp)
            : snprintf(path, size, "%s/" LOG_FILE_PREFIX "%s_%02d" LOG_FILE_SUFFIX, directory,
                       stamp, variant);
    return length > 0 && static_cast<size_t>(length) < size;
}

FILE* CreateLogFile(const char* directory, const struct timeval& now) {
    for (int variant = 0; variant <= kLogFileVariants; ++variant) {
        char path[256] = {};
        if (!MakeLogFilePath(directory, now, variant, path, sizeof path)) {
            return nullptr;
        }
        if (FILE* file = OpenLogFile(path)) {
            return file;
        }
        if (errno != EEXIST) {
            return nullptr;
        }
    }
    return nullptr;
}

void StartLogFile(FILE* file, const LogLimits& limits) {
    LogLock lock;
    g_pLogFile = file;
    g_nLogProcessId = getpid();
    g_logState = LogFileState();
    g_logState.limits = limits;
    g_bLogStopped.store(false, std::memory_order_relaxed);
    char why[96];
    if (file != nullptr) {
        if (const char* reason = CheckLogFile(true, why)) {
            StopLogging(reason);
        }
    }
}

unsigned long WriteLogFile(const unsigned char* data, unsigned long size) {
    if (g_pLogFile == nullptr) {
        return size;
    }
    if (g_bLogStopped.load(std::memory_order_relaxed)) {
        return 0;
    }
    LogFileState& s = g_logState;
    const char* const text = reinterpret_cast<const char*>(data);
    char why[96];
    const char* stop = s.sinceCheck >= s.limits.checkEvery ? CheckLogFile(true, why) : nullptr;
    char lost[kLastLinesSize];
    const size_t lostLength = LostEntriesLine(lost, sizeof lost);
    if (stop == nullptr && s.size + lostLength + size + kLastLinesSize > s.limit) {
        // Measured again first: the file may have been emptied, or the limit raised.
        stop = CheckLogFile(false, why);
        if (stop == nullptr && s.size + lostLength + size + kLastLinesSize > s.limit) {
            stop = LimitReached(why);
        }
    }
    if (stop != nullptr) {
        StopLogging(stop);
        return 0;
    }
    const uint64_t before = s.size;
    if ((lostLength == 0 || WriteAll(lost, lostLength)) && WriteAll(text, size)) {
        s.lost = 0;
        return size;
    }
    s.lostError = errno;
    s.lost = lostLength > 0 && s.size - before >= lostLength ? 1 : s.lost + 1;
    return s.size - before > lostLength ? static_cast<unsigned long>(s.size - before - lostLength)
                                        : 0;
}

void WriteLogText(const char* text, size_t size) {
    if (g_pLogFile == nullptr || !IsLoggingProcess()) {
        return;
    }
    LogLock lock;
    WriteLogFile(reinterpret_cast<const unsigned char*>(text), size);
}
