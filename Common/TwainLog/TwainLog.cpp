#include "TwainLog.h"

#include <clocale>
#include <cstdio>
#include <cstring>
#include <atomic>
#include <exception>
#include <new>

#include <unistd.h>
#ifdef _WIN32
#include "TwainWindows.h"
#endif

#include <boost/format.hpp>

#include "ParaAnalyze.h"
#include "TwFormat.h"
#include "TwainLogPaths.h"

CTwainLog* g_pcTwainLog = nullptr;

// ---------------------------------------------------------------------------------------
// Set-up and clean-up

void setupTwainLog() {
    char directory[256] = TWAINMON_LOG_DIRECTORY;
    static_assert(sizeof TWAINMON_LOG_DIRECTORY +
                          sizeof "/" LOG_FILE_PREFIX "YYYYMMDD_HHMMSS_mmmm_NN" LOG_FILE_SUFFIX <=
                      256,
                  "the log file's path must fit its 256-byte buffer");
    if (access(directory, F_OK) == -1) {
        return;
    }
    if (g_pcTwainLog != nullptr) {
        delete g_pcTwainLog;
        g_pcTwainLog = nullptr;
    }
    g_pcTwainLog = new (std::nothrow) CTwainLog;

    if (g_pLogFile == nullptr) {
        // One reading for the whole stamp: date, time and milliseconds of the same instant.
#ifdef _WIN32
        const struct timeval now = twainwin::LocalClock();
#else
        struct timeval now {};
        gettimeofday(&now, nullptr);
#endif
        if (FILE* file = CreateLogFile(directory, now)) {
            StartLogFile(file);
        }
    }
    g_cParaAnalyze.m_nTwainStatus = 3;
}

void cleanupTwainLog() {
    if (g_pcTwainLog != nullptr) {
        delete g_pcTwainLog;
        g_pcTwainLog = nullptr;
    }
    CloseLogFile();
}

// ---------------------------------------------------------------------------------------
// The entry of a call

namespace {

constexpr char kCutMarker[] = LOG_CUT_MARKER;
static_assert(LOG_SECTION_LIMIT + sizeof kCutMarker <= RESULT_TEXT_SIZE,
              "a cut section and its marker fit the result text");

// Room after a cut result section for the driver-threw and the two error-status lines.
constexpr size_t kTailSize = 256;

// The text of the logged call: room for the triplet text, then for a whole result section
// (which the analyzer bounds by RESULT_TEXT_SIZE) and the lines after it. One logged call at
// a time uses it, under the log lock.
char g_entryText[TRIPLET_TEXT_SIZE + RESULT_TEXT_SIZE + kTailSize];

// Appends "line\r\n" at text + length when it fits size; returns the new length.
size_t AppendLine(char* text, size_t length, size_t size, const char* line) {
    const int written = TwFormat(text + length, size - length, "%s%s", line, CRLF);
    if (written < 0 || static_cast<size_t>(written) >= size - length) {
        text[length] = '\0';
        return length;
    }
    return length + static_cast<size_t>(written);
}

#if TWAINMON_TWAIN2
// The source's calls: the entries a thread holds while it runs DS_Entry, each a header and the
// entry's text from its triplet names on (no number, label or state yet: those are given when
// it is written, in the log's order).
struct HeldHeader {
    TW_UINT32 dg;
    TW_UINT16 dat;
    TW_UINT16 msg;
    TW_UINT16 rc;
    bool cut; // the text ends in the cut marker: no state line
    size_t length;
};

struct HeldCalls {
    std::atomic<bool> taken;
    size_t length;
    unsigned char bytes[kHeldSourceBytes];
};
HeldCalls g_heldCalls[kHeldSourceThreads];

thread_local int t_dsEntryDepth = 0;
thread_local HeldCalls* t_heldCalls = nullptr;

// The text of a source's entry as written: the number and label, the text, the state line and
// the lines after a failure. Under the log lock.
char g_sourceText[32 + RESULT_TEXT_SIZE + kTailSize];

// Writes one entry of the source's. Under the log lock.
void WriteSourceEntry(const HeldHeader& header, const char* body) {
    char* const text = g_sourceText;
    const size_t size = sizeof g_sourceText;
    size_t length = static_cast<size_t>(
        TwFormat(text, size, "[%05ld] [%s] ", ++g_cParaAnalyze.m_lSequenceNo, LOG_SOURCE_LABEL));
    memcpy(text + length, body, header.length);
    length += header.length;
    text[length] = '\0';
    if (header.rc != TWRC_FAILURE) {
        // The source's data is gone by now; no move of the state reads it.
        g_cParaAnalyze.UpDateTwainStatus(header.dg, header.dat, header.msg, nullptr);
        if (!header.cut) {
            length += static_cast<size_t>(g_cParaAnalyze.MakeTwainStatusString(text + length));
        }
    } else {
        length = AppendLine(text, length, size, LOG_ERROR_STATUS_START);
        length = AppendLine(text, length, size, LOG_ERROR_STATUS_END);
    }
    WriteLogFile(reinterpret_cast<const unsigned char*>(text), length);
}

// Keeps an entry in this thread's held entries; false when there is no room (no free slot, or
// the thread's slot is full). Under the log lock.
bool HoldSourceEntry(const HeldHeader& header, const char* body) {
    HeldCalls* held = t_heldCalls;
    if (held == nullptr) {
        for (HeldCalls& slot : g_heldCalls) {
            if (!slot.taken.exchange(true, std::memory_order_acquire)) {
                held = &slot;
                held->length = 0;
                break;
            }
        }
        if (held == nullptr) {
            return false;
        }
        t_heldCalls = held;
    }
    if (sizeof header + header.length > kHeldSourceBytes - held->length) {
        return false;
    }
    memcpy(held->bytes + held->length, &header, sizeof header);
    memcpy(held->bytes + held->length + sizeof header, body, header.length);
    held->length += sizeof header + header.length;
    return true;
}

// Gives this thread's slot back, its entries written or dropped.
void ReleaseHeldCalls() {
    if (HeldCalls* const held = t_heldCalls) {
        t_heldCalls = nullptr;
        held->length = 0;
        held->taken.store(false, std::memory_order_release);
    }
}

// Writes this thread's held entries in the order they were made. Under the log lock.
void WriteHeldSourceCalls() {
    const HeldCalls* const held = t_heldCalls;
    if (held == nullptr) {
        return;
    }
    for (size_t at = 0; at < held->length;) {
        HeldHeader header;
        memcpy(&header, held->bytes + at, sizeof header);
        WriteSourceEntry(header, reinterpret_cast<const char*>(held->bytes + at + sizeof header));
        at += sizeof header + header.length;
    }
    ReleaseHeldCalls();
}
#endif

} // namespace

#if TWAINMON_TWAIN2
DsEntryScope::DsEntryScope() {
    ++t_dsEntryDepth;
}

DsEntryScope::~DsEntryScope() {
    if (--t_dsEntryDepth == 0) {
        ReleaseHeldCalls();
    }
}

void LogSourceCall(TW_IDENTITY* pOrigin, TW_IDENTITY* pDest, TW_UINT32 DG, TW_UINT16 DAT,
                   TW_UINT16 MSG, TW_MEMREF pData, TW_UINT16 rc) {
    LogLock lock;
    char* const body = g_entryText;
    body[0] = '\0';
    g_cParaAnalyze.SourceCallAnalyze(pOrigin, pDest, DG, DAT, MSG, static_cast<char*>(pData), rc,
                                     body);
    const size_t length = strlen(body);
    const HeldHeader header{
        DG, DAT, MSG, rc, length > LOG_SECTION_LIMIT, CutResultSection(body, length)};
    if (t_dsEntryDepth > 0 && HoldSourceEntry(header, body)) {
        return;
    }
    WriteSourceEntry(header, body);
}

bool HoldsSourceCalls() {
    return t_heldCalls != nullptr;
}

void LogHeldSourceCalls() {
    LogLock lock;
    WriteHeldSourceCalls();
}
#endif

size_t CutResultSection(char* text, size_t length) {
    if (length <= LOG_SECTION_LIMIT) {
        return length;
    }
    memcpy(text + LOG_SECTION_LIMIT, kCutMarker, sizeof kCutMarker);
    return LOG_SECTION_LIMIT + sizeof kCutMarker - 1;
}

bool IsQuietEventPoll(TW_UINT16 DAT, TW_UINT16 MSG, TW_UINT16 rc, const void* pData) {
    if (MSG != MSG_PROCESSEVENT || DAT != DAT_EVENT || rc == TWRC_FAILURE) {
        return false;
    }
    if (rc != TWRC_DSEVENT) {
        return true;
    }
    const TW_UINT16 message = EventMessage(pData);
    return message != MSG_XFERREADY && message != MSG_CLOSEDSREQ;
}

void LogTriplet(TW_IDENTITY* pOrigin, TW_UINT32 DG, TW_UINT16 DAT, TW_UINT16 MSG, TW_MEMREF pData,
                TW_UINT16 rc, bool driverThrew) {
    static int stack = 0; // 1 while the error-status lines are written
    char* const data = static_cast<char*>(pData);
    LogLock lock;

    char* const text = g_entryText;
    text[0] = '\0';
    g_cParaAnalyze.TripletAnalyze(pOrigin, nullptr, DG, DAT, MSG, data, text);
    size_t length = strlen(text);
    if (length > TRIPLET_TEXT_SIZE) {
        // Longer than any triplet line: written on its own, the entry goes on from the start.
        WriteLogFile(reinterpret_cast<const unsigned char*>(text), length);
        length = 0;
    }

    char* const result = text + length;
    result[0] = '\0';
    g_cParaAnalyze.ParaAnalyze(pOrigin, nullptr, DG, DAT, MSG, data, rc, result);
    length += CutResultSection(result, strlen(result));

    const size_t size = sizeof g_entryText;
    if (driverThrew) {
        length = AppendLine(text, length, size, LOG_DRIVER_THREW_LINE);
    }
    if (rc == TWRC_FAILURE && stack == 0) {
        stack = 1;
        length = AppendLine(text, length, size, LOG_ERROR_STATUS_START);
        length = AppendLine(text, length, size, LOG_ERROR_STATUS_END);
        stack = 0;
    }

    if (length > 0) {
        WriteLogFile(reinterpret_cast<const unsigned char*>(text), length);
    }
#if TWAINMON_TWAIN2
    WriteHeldSourceCalls();
#endif
}

// ---------------------------------------------------------------------------------------
// The diagnostic logger

namespace {

// The initial capacity of a formatted text.
constexpr size_t kFormatCapacity = 100;

// The file name part of a source path: after the later of its last slash and last backslash.
const char* FileNamePart(const char* path) {
    const char* slash = strrchr(path, '/');
    const char* backslash = strrchr(path, '\\');
    const char* separator = slash == nullptr                            ? backslash
                            : backslash == nullptr || slash > backslash ? slash
                                                                        : backslash;
    return separator != nullptr ? separator + 1 : path;
}

} // namespace

void CTwainLog::Message(ENUM_LOG_LEVEL_TW::enumLogLevel_tw level, const char* function,
                        const char* file, int line, const char* format, ...) {
    va_list args;
    va_start(args, format);
    // A message that cannot be built (no memory) is dropped: the logger never throws into
    // the code it serves.
    try {
        setlocale(LC_CTYPE, "jpn");
        const std::string levelName = GetLevelName(level);
        const std::string header = GetHeader();
        const std::string from = function != nullptr ? function : "";

        std::string prefix;
        if (file == nullptr) {
            prefix = (boost::format("[%s] %s from \"%s\" ") % header % levelName % from).str();
        } else {
            prefix = (boost::format("[%s] %s from \"%s\" (File: %-40s, Line: %4d) ") % header %
                      levelName % from % FileNamePart(file) % line)
                         .str();
        }

        std::string text = FormatString(format, args);
        if (!text.empty() && text.back() != '\n') {
            text += '\n';
        }

        OutputDebugString(prefix.c_str());
        OutputDebugString(text.c_str());
    } catch (const std::exception&) {
    }
    va_end(args);
}

void CTwainLog::OutputDebugString(const char* text) {
    if (text != nullptr) {
        WriteLogText(text, strlen(text));
    }
}

std::string CTwainLog::GetHeader() {
    // One reading of the clock for the calendar fields and the milliseconds alike.
    struct timeval now {};
    gettimeofday(&now, nullptr);
    const time_t seconds = now.tv_sec;
    struct tm local {};
    localtime_r(&seconds, &local);
    return FormatHeader(local, now);
}

std::string CTwainLog::FormatHeader(const struct tm& local, const struct timeval& now) {
    const int milliseconds = RoundedMilliseconds(now.tv_usec);
    char header[256];
    snprintf(header, sizeof header, LOG_LOGGER_STAMP_FORMAT, local.tm_year + 1900, local.tm_mon + 1,
             local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec, milliseconds);
    return header;
}

std::string CTwainLog::GetLevelName(ENUM_LOG_LEVEL_TW::enumLogLevel_tw level) {
    switch (level) {
    case ENUM_LOG_LEVEL_TW::LEVEL_TRACE:
        return "TRACE";
    case ENUM_LOG_LEVEL_TW::LEVEL_INFO:
        return "INFO";
    case ENUM_LOG_LEVEL_TW::LEVEL_WARNING:
        return "WARNING";
    case ENUM_LOG_LEVEL_TW::LEVEL_ERROR:
        return "ERROR";
    }
    return "";
}

std::string CTwainLog::FormatString(const char* format, va_list args) {
    if (format == nullptr) {
        return "";
    }
    size_t capacity = kFormatCapacity;
    for (int attempt = 0; attempt < kMaxFormatAttempts; ++attempt) {
        std::string text(capacity, '\0');
        // Every attempt formats from the start of the arguments.
        va_list copy;
        va_copy(copy, args);
        const int n = vsnprintf(&text[0], capacity, format, copy);
        va_end(copy);
        if (n < 0) {
            capacity *= 2;
        } else if (static_cast<size_t>(n) >= capacity) {
            capacity = static_cast<size_t>(n) + 1;
        } else {
            text.resize(static_cast<size_t>(n));
            return text;
        }
    }
    return "";
}
