// What the module logs: the entry of each TWAIN call (assembled here, rendered by the
// analyzer, written through the log file), and the diagnostic logger's levelled messages
// (time, level, origin, text), whose lines end in "\n" alone.
#ifndef TWAINMON_TWAINLOG_H
#define TWAINMON_TWAINLOG_H

#include <cstdarg>
#include <ctime>
#include <string>

#include <sys/time.h>

#include "LogFile.h"
#include "TwainExport.h"
#include "twain.h"

// Sets up logging at load: when the log directory exists, creates this load's log file and
// the diagnostic logger, and starts the tracked state at 3.
void setupTwainLog();
// Closes the log, after the call that is writing it; a second call does nothing.
void cleanupTwainLog();

// Rendering room of one logged call: the triplet text, then the result section.
constexpr size_t TRIPLET_TEXT_SIZE = 1024;

// A result section longer than LOG_SECTION_LIMIT keeps its first LOG_SECTION_LIMIT bytes and
// ends in LOG_CUT_MARKER, with no line end. text holds the analyzer's RESULT_TEXT_SIZE bytes;
// returns the length to log.
size_t CutResultSection(char* text, size_t length);
// True when the call is event polling that the log leaves out: no triplet line, no result
// section, no error-status lines. Decided from the call alone, without the analyzer.
bool IsQuietEventPoll(TW_UINT16 DAT, TW_UINT16 MSG, TW_UINT16 rc, const void* pData);
// Renders one call (triplet text, result section cut at LOG_SECTION_LIMIT with its marker,
// the driver-threw line, the error-status lines of a failure) and appends it to the log in
// one write. Calls from several threads are serialized; each entry is whole, and a thread is
// not cancelled while it holds the lock.
void LogTriplet(TW_IDENTITY* pOrigin, TW_UINT32 DG, TW_UINT16 DAT, TW_UINT16 MSG, TW_MEMREF pData,
                TW_UINT16 rc, bool driverThrew);

#if TWAINMON_TWAIN2
// The source's calls to the manager (the TWAIN 2 build), through the entry point the monitor
// hands the source. Each is logged as an entry labelled LOG_SOURCE_LABEL: the triplet, the
// manager's return code, the structure and the state.
//
// A call the source makes while a DS_Entry call runs on the same thread (as a source announces
// a transfer inside MSG_ENABLEDS) is held in memory and written right after the entry of that
// DS_Entry call, under the same hold of the log lock, with the next sequence numbers. A thread
// holds at most kHeldSourceBytes of entries, and at most kHeldSourceThreads threads hold
// entries at once; a call beyond that is written at once, before the entry of its DS_Entry
// call. Held entries are in memory only: a crash before the DS_Entry call returns loses them.
constexpr size_t kHeldSourceBytes = 16384;
constexpr size_t kHeldSourceThreads = 8;

// Marks the thread as running DS_Entry while it lives. Entries the thread still holds when the
// outermost scope ends (logging stopped, or the thread unwound) are dropped.
class DsEntryScope {
public:
    DsEntryScope();
    ~DsEntryScope();
    DsEntryScope(const DsEntryScope&) = delete;
    DsEntryScope& operator=(const DsEntryScope&) = delete;
};
// Renders the source's call (after the manager returned rc) and writes it, or holds it while
// a DS_Entry call runs on this thread. Never called with the log lock held.
void LogSourceCall(TW_IDENTITY* pOrigin, TW_IDENTITY* pDest, TW_UINT32 DG, TW_UINT16 DAT,
                   TW_UINT16 MSG, TW_MEMREF pData, TW_UINT16 rc);
// True when this thread holds entries of the source's calls.
bool HoldsSourceCalls();
// Writes the entries this thread holds, for a DS_Entry call that logged no entry of its own
// (LogTriplet writes them after its entry).
void LogHeldSourceCalls();
#endif

namespace ENUM_LOG_LEVEL_TW {
enum enumLogLevel_tw {
    LEVEL_TRACE = 1,
    LEVEL_INFO = 2,
    LEVEL_WARNING = 3,
    LEVEL_ERROR = 4,
};
} // namespace ENUM_LOG_LEVEL_TW

class CTwainLog {
public:
    virtual ~CTwainLog() {}

    // Writes one message: the prefix, then the text with a final line feed. function names
    // where the message comes from; file is a source path or null.
    void Message(ENUM_LOG_LEVEL_TW::enumLogLevel_tw level, const char* function, const char* file,
                 int line, const char* format, ...) __attribute__((format(printf, 6, 7)));
    // Writes text to the log file and flushes it; without a log file writes nothing.
    void OutputDebugString(const char* text);
    // The local time now, as "YYYY/MM/DD HH:MM:SS.mmm".
    std::string GetHeader();
    // "TRACE", "INFO", "WARNING", "ERROR"; empty for any other level.
    std::string GetLevelName(ENUM_LOG_LEVEL_TW::enumLogLevel_tw level);
    // The printf-style formatting of format with args; empty for a null format, and when the
    // formatter keeps failing.
    std::string FormatString(const char* format, va_list args);

    // The header of a time: the calendar fields of local, and the microseconds of now rounded
    // half up to milliseconds (999.5 ms and over give 1000).
    static std::string FormatHeader(const struct tm& local, const struct timeval& now);

    // Formatting attempts FormatString makes before it gives up.
    static constexpr int kMaxFormatAttempts = 8;
};

// The diagnostic logger of this load, while the log directory exists.
extern CTwainLog* g_pcTwainLog TWAINMON_EXPORT;

#endif // TWAINMON_TWAINLOG_H
