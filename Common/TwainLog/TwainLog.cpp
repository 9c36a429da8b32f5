#include "TwainLog.h"

#include <clocale>
#include <cstdio>
#include <cstring>
#include <exception>

#include <boost/format.hpp>

#include "ParaAnalyze.h"

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
    snprintf(header, sizeof header, "%04d/%02d/%02d %02d:%02d:%02d.%03d", local.tm_year + 1900,
             local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec,
             milliseconds);
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
