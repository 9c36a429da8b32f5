// The log file's calls to the system on Windows: the lock, the creation of the file and the
// writes. LogFile.cpp holds the rest, the same on every platform; the Windows calls
// themselves are the platform layer's (TwainWindows.h).
#include "LogFile.h"

#include <unistd.h>
#include <windows.h>

#include "TwainWindows.h"

LogFileCalls g_logFileCalls = {twainwin::WriteLogFile, fstatvfs};

namespace {

// A slim reader/writer lock: initialized at compile time and never destroyed, so a call that
// races the end of the process still finds it usable.
SRWLOCK g_logLock = SRWLOCK_INIT;

} // namespace

// Windows has no thread cancellation: the lock alone.
LogLock::LogLock() {
    AcquireSRWLockExclusive(&g_logLock);
}

LogLock::~LogLock() {
    ReleaseSRWLockExclusive(&g_logLock);
}

FILE* OpenLogFile(const char* path) {
    const int fd = twainwin::CreateLogFile(path);
    FILE* file = fd >= 0 ? fdopen(fd, "ab") : nullptr;
    if (file == nullptr) {
        if (fd >= 0) {
            close(fd);
        }
        return nullptr;
    }
    setvbuf(file, nullptr, _IONBF, 0); // never written through the stream
    return file;
}
