// The diagnostic logger: levelled messages (time, level, origin, text) written to the
// module's log file, beside the triplet trace. Its lines end in "\n" alone.
#ifndef TWAINMON_TWAINLOG_H
#define TWAINMON_TWAINLOG_H

#include <cstdarg>
#include <ctime>
#include <string>

#include <sys/time.h>

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

#endif // TWAINMON_TWAINLOG_H
