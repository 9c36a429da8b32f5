// The log's fixed texts and limits, shared by the monitor that writes the log and by twainlog,
// which reads it back. String literal macros, so that the analyzer's printf-style formats stay
// literals the compiler checks: LOG_RETURN_CODE_LABEL "%s]" CRLF is one literal.
#ifndef TWAINMON_LOGVOCABULARY_H
#define TWAINMON_LOGVOCABULARY_H

#include <cstddef>

// Line end of every trace line (the diagnostic logger's lines end in "\n" alone).
#define CRLF "\r\n"

// A result section is written up to this many bytes; a longer one is cut there and followed
// by the cut marker, with no line end: the next entry's text goes on on the same line.
constexpr size_t LOG_SECTION_LIMIT = 5120;
#define LOG_CUT_MARKER "Size of CAP_xxx too long"

// The result section's fixed lines, up to where their value begins.
#define LOG_RETURN_CODE_LABEL "        Return Code = ["
#define LOG_PDATA_LABEL "pData   = <"
#define LOG_STATE_LABEL "TWAIN Status = ["

// The label of an entry: the application's call to the source, or (the TWAIN 2 build) the
// source's call to the manager.
#define LOG_APP_LABEL "APP"
#define LOG_SOURCE_LABEL "DS"

// The two lines after a call that returned TWRC_FAILURE.
#define LOG_ERROR_STATUS_START "*** Inspect Error Status Start ***"
#define LOG_ERROR_STATUS_END "*** Inspect Error Status End   ***"
// Lines the monitor writes about the log itself begin so (the error-status lines do too).
#define LOG_NOTE_PREFIX "*** "
// The log line of a call whose driver threw an exception; the call returns TWRC_FAILURE.
#define LOG_DRIVER_THREW_LINE "*** Driver threw an exception; TWRC_FAILURE returned ***"
// The line that opens the next write after writes failed: how many entries were lost since
// the last write that succeeded ("entry" or "entries") and why, e.g.
// "*** 3 entries lost: File too large ***". It starts on a line of its own.
#define LOG_LOST_FORMAT "*** %lu %s lost: %s ***"
// The last line of a log that stopped, one of:
//   "*** Logging stopped: log file size cap of 1073741824 bytes reached ***"
//   "*** Logging stopped: file size limit of N bytes reached ***" (RLIMIT_FSIZE)
//   "*** Logging stopped: free space under N bytes ***"
#define LOG_STOPPED_FORMAT "*** Logging stopped: %s ***"

// The banner (CParaAnalyze::HeaderMake; the entry path writes none): a rule, the title line
// LOG_BANNER_TITLE "%s Ver1.10", the rule again, then LOG_BANNER_TIME "%s >>" with the time.
#define LOG_BANNER_RULE "////////////////////////////////////////////////"
#define LOG_BANNER_TITLE "           TWAIN "
#define LOG_BANNER_TIME "  << Current time = "

// The diagnostic logger's time stamp, "YYYY/MM/DD HH:MM:SS.mmm" in local time (the milliseconds
// 000 to 1000), in brackets at the start of its lines. The reader knows such a line by its
// shape up to the milliseconds, '0' standing for a digit.
#define LOG_LOGGER_STAMP_FORMAT "%04d/%02d/%02d %02d:%02d:%02d.%03d"
#define LOG_LOGGER_STAMP_SHAPE "[0000/00/00 00:00:00."

// The log file of one load: LOG_FILE_PREFIX, the load's stamp YYYYMMDD_HHMMSS_mmmm, then
// LOG_FILE_SUFFIX.
#define LOG_FILE_PREFIX "Twainlog_"
#define LOG_FILE_SUFFIX ".txt"

#endif // TWAINMON_LOGVOCABULARY_H
