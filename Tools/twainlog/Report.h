// twainlog report: a session as one self-contained HTML page. Per load, in load order: a
// header (identities, time, counts, protocol faults), a timeline drawn in SVG, the failures,
// capabilities and images as tables, and the entries themselves, folded. The page needs no
// script and loads nothing: its Content-Security-Policy forbids it.
#ifndef TWAINLOG_REPORT_H
#define TWAINLOG_REPORT_H

#include <cstddef>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>

#include "LogReader.h"

namespace twainlog {

// Bounds of the page, whatever the logs' length.
constexpr size_t kTimelineColumns = 600;      // beyond, consecutive entries share a column
constexpr size_t kEntryTextBytes = 16 * 1024; // of one entry's text; the rest is counted
constexpr size_t kEntriesBudget = 3 << 20;    // page bytes for entries written in full; after
constexpr size_t kKeptBudget = 3 << 20;       // it, for failures, faults and neighbours only
constexpr size_t kShownFaults = 1000;

// Text from a log as HTML text: what Printable shows as \xNN, then the markup characters as
// entities.
std::string Html(std::string_view text, bool keepNewlines = false);

// Writes the page as the loads are read: memory holds one load's tables, its timeline's
// columns and the entries kept so far, never the logs.
class ReportWriter {
public:
    ReportWriter(std::ostream& out, const std::string& title);
    ~ReportWriter();
    ReportWriter(const ReportWriter&) = delete;
    ReportWriter& operator=(const ReportWriter&) = delete;

    // stamp: the load's YYYYMMDD_HHMMSS_mmmm from its file name, "" when it has none.
    void StartLoad(const std::string& name, const std::string& stamp);
    void Line(std::string_view text, bool inEntry); // LogSink::OnLine
    void Add(const Record& record);
    void Note(const LoggerLine& note);
    void Diagnostic();
    void EndLoad();
    void Finish();

private:
    class Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace twainlog

#endif // TWAINLOG_REPORT_H
