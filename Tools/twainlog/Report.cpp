#include "Report.h"

#include <algorithm>
#include <cstdio>
#include <deque>
#include <map>
#include <sstream>
#include <utility>
#include <vector>

#include "Check.h"
#include "Escape.h"
#include "LogVocabulary.h"
#include "Summary.h"

namespace twainlog {

namespace {

// Return-code classes, the colours of the timeline's marks.
enum Class : size_t { kSuccess, kFailure, kCancel, kXferDone, kOther, kClasses };
const char* const kClassNames[kClasses] = {"success", "failure", "cancel", "xferdone", "other"};
const char* const kClassCodes[kOther] = {"TWRC_SUCCESS", "TWRC_FAILURE", "TWRC_CANCEL",
                                         "TWRC_XFERDONE"};

Class ClassOf(const std::string& code) {
    for (size_t i = 0; i < kOther; ++i) {
        if (code == kClassCodes[i]) {
            return static_cast<Class>(i);
        }
    }
    return kOther;
}

constexpr std::string_view kCutMarker = LOG_CUT_MARKER;
constexpr size_t kWindow = 5;        // entries held back: three before an entry, it, one after
constexpr size_t kDistinctCodes = 8; // return codes told apart per capability

// The page's style: the colours of the classes are shared by marks, legend and entries.
const char kStyle[] =
    "body{font:14px/1.4 system-ui,sans-serif;margin:1.5em;color:#222}"
    "h1{font-size:1.5em}h2{border-top:2px solid #888;padding-top:.5em}"
    "dl.header{display:grid;grid-template-columns:max-content auto;gap:.1em 1em}"
    "dt{font-weight:600}dd{margin:0}"
    "table{border-collapse:collapse;margin:.5em 0}th,td{border:1px solid #ccc;padding:.2em .5em;"
    "text-align:left;vertical-align:top;overflow-wrap:anywhere;min-width:5em}th{background:#eee}"
    "ol{margin:0;padding-left:1.4em}"
    ".timeline{overflow-x:auto;border:1px solid #ccc}svg text{font:10px sans-serif;fill:#444}"
    "svg .grid{stroke:#ddd}svg .state{fill:none;stroke:#222;stroke-width:1.5}"
    ".success{fill:#3a3;background:#3a3}.failure{fill:#d33;background:#d33}"
    ".cancel{fill:#e90;background:#e90}.xferdone{fill:#36c;background:#36c}"
    ".other{fill:#999;background:#999}.xfer{fill:#639;background:#639}"
    ".ds{fill:#0aa;background:#0aa}.fault{fill:#900;background:#900}"
    ".legend span{display:inline-block;width:.8em;height:.8em;margin:0 .3em 0 1em}"
    "details{border-left:4px solid #ccc;margin:1px 0;padding-left:.4em}"
    "details.failure{border-color:#d33}details.kept{background:#fff6f6}"
    "summary{font-family:monospace;cursor:pointer}pre{margin:.2em 0;white-space:pre-wrap}"
    ".omitted,.more{color:#666;font-style:italic;margin:.2em 0}";

// "2026-12-06 21:07:43.120" from the stamp 20261206_210743_0120.
std::string StampTime(const std::string& stamp) {
    if (stamp.size() != 20) {
        return "";
    }
    const unsigned long ms = std::stoul(stamp.substr(16));
    char text[32];
    std::snprintf(text, sizeof text, "%s-%s-%s %s:%s:%s.%03lu", stamp.substr(0, 4).c_str(),
                  stamp.substr(4, 2).c_str(), stamp.substr(6, 2).c_str(),
                  stamp.substr(9, 2).c_str(), stamp.substr(11, 2).c_str(),
                  stamp.substr(13, 2).c_str(), ms % 1000);
    return text;
}

// An identity as one line: "Sample Flatbed 1200 (Sample Imaging, Flatbed, version 1.10)".
std::string IdentityText(const Node& identity) {
    const auto value = [&](const char* path) {
        const Node* node = identity.Find(path);
        return node != nullptr ? node->value : std::string();
    };
    std::string more;
    for (const std::string& part : {value("Manufacturer"), value("ProductFamily")}) {
        more += part.empty() ? "" : (more.empty() ? "" : ", ") + part;
    }
    const std::string version = value("Version.Info");
    more += version.empty() ? "" : (more.empty() ? "version " : ", version ") + version;
    const std::string name = value("ProductName");
    return (name.empty() ? "(no product name)" : name) + (more.empty() ? "" : " (" + more + ")");
}

// Names and values kept for the tables and marks: a log's line may be 64 KiB long.
constexpr size_t kShownText = 512;

std::string Clip(std::string text) {
    if (text.size() > kShownText) {
        text.resize(kShownText);
        text += "...";
    }
    return text;
}

// The record, or a copy of it with its names clipped when one is longer than shown: what the
// summary and the check keep of it stays bounded.
const Record& Bounded(const Record& record, Record& copy) {
    const std::string* names[] = {&record.label, &record.dg,  &record.dat,
                                  &record.msg,   &record.cap, &record.returnCode};
    if (std::none_of(std::begin(names), std::end(names),
                     [](const std::string* name) { return name->size() > kShownText; })) {
        return record;
    }
    copy = record;
    for (std::string* name :
         {&copy.label, &copy.dg, &copy.dat, &copy.msg, &copy.cap, &copy.returnCode}) {
        *name = Clip(std::move(*name));
    }
    return copy;
}

void AppendCapped(std::string& to, size_t& more, std::string_view text) {
    const size_t room = kEntryTextBytes - std::min(kEntryTextBytes, to.size());
    to.append(text.substr(0, room));
    more += text.size() - std::min(room, text.size());
}

// One column of the timeline: one entry, or, past kTimelineColumns entries, several.
struct Column {
    size_t entries = 0;
    size_t firstLine = 0, lastLine = 0;
    long firstSequence = -1, lastSequence = -1;
    size_t classes[kClasses] = {};
    size_t transfers = 0, ds = 0, faults = 0;
    int state = 3;     // after the column's last entry
    std::string title; // of a column of one entry

    void Merge(const Column& next) {
        entries += next.entries;
        lastLine = next.lastLine;
        lastSequence = next.lastSequence;
        for (size_t i = 0; i < kClasses; ++i) {
            classes[i] += next.classes[i];
        }
        transfers += next.transfers;
        ds += next.ds;
        faults += next.faults;
        state = next.state;
        title.clear();
    }
};

// An entry not yet written: it waits until its neighbours tell whether it is kept in full.
struct Entry {
    size_t line = 0;
    long sequence = -1;
    std::string heading; // "[00012] DG_CONTROL/DAT_STATUS/MSG_GET = TWRC_SUCCESS"
    Class code = kOther;
    std::string text;
    size_t more = 0; // bytes of its text past kEntryTextBytes
    bool cut = false;
    bool keep = false;
};

struct Neighbour {
    size_t line = 0;
    std::string heading;
};

struct FailureRow {
    size_t line = 0;
    std::vector<Neighbour> before;
};

struct CapabilityRow {
    std::string cap, set, read, container;
    size_t setLine = 0, readLine = 0;
    std::vector<CodeCount> codes;
};

// An entries' run left out past the budget: its line stands for them.
struct Omitted {
    size_t firstLine = 0, lastLine = 0;
    long firstSequence = -1, lastSequence = -1;
    size_t count = 0;
};

} // namespace

std::string Html(std::string_view text, bool keepNewlines) {
    const std::string printable = Printable(text, keepNewlines);
    std::string out;
    out.reserve(printable.size() + printable.size() / 8);
    size_t from = 0;
    for (size_t at = printable.find_first_of("&<>\"'"); at != std::string::npos;
         at = printable.find_first_of("&<>\"'", from)) {
        out.append(printable, from, at - from);
        const char c = printable[at];
        out += c == '&'   ? "&amp;"
               : c == '<' ? "&lt;"
               : c == '>' ? "&gt;"
               : c == '"' ? "&quot;"
                          : "&#39;";
        from = at + 1;
    }
    out.append(printable, from, std::string::npos);
    return out;
}

class ReportWriter::Impl {
public:
    Impl(std::ostream& out, const std::string& title) : m_out(out) {
        m_out << "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">\n"
                 "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; "
                 "style-src 'unsafe-inline'; base-uri 'none'; form-action 'none'\">\n"
                 "<meta name=\"referrer\" content=\"no-referrer\">\n<title>twainlog report: "
              << Html(title) << "</title>\n<style>" << kStyle
              << "</style></head>\n<body>\n<h1>twainlog report</h1>\n<p>" << Html(title)
              << "</p>\n";
    }

    void StartLoad(const std::string& name, const std::string& stamp);
    void Line(std::string_view text, bool inEntry);
    void Add(const Record& record);
    void Note(const LoggerLine& note);
    void Diagnostic() { ++m_l.diagnostics; }
    void EndLoad();
    void Finish() { m_out << "</body></html>\n"; }

private:
    std::string Anchor(size_t line) const;
    std::string Link(size_t line, const std::string& text) const {
        return "<a href=\"" + Anchor(line) + "\">" + Html(text) + "</a>";
    }
    void AddColumn(const Record& record, const Entry& entry);
    void AddCapability(const Record& record);
    void TakeFaults();
    void KeepAround(size_t at);
    void Flush(Entry& entry);
    void CloseOmitted();
    void WriteHeader(const Summary& summary);
    void WriteTimeline();
    void WriteFailures(const Summary& summary);
    void WriteCapabilities();
    void WriteImages(const Summary& summary);

    std::ostream& m_out;
    size_t m_ordinaryBytes = 0, m_keptBytes = 0; // of the page, over all loads

    // The load being read.
    struct Load {
        size_t load = 0;
        std::string name, time, application, source;
        SummaryBuilder summary;
        Checker checker;
        std::vector<Fault> faults;
        size_t faultCount = 0, entries = 0, diagnostics = 0, lost = 0, stopped = 0;
        std::vector<LoggerLine> notes;
        std::vector<Column> columns;
        size_t width = 1; // entries per column
        int state = 3;
        std::vector<FailureRow> failures;
        std::deque<Neighbour> before;
        std::vector<CapabilityRow> capabilities;
        std::map<std::string, size_t> capabilityRows;
        size_t capabilitiesMore = 0;
        std::string text; // the latest entry's text so far
        size_t textMore = 0;
        bool added = false; // an entry was added while the reader read the latest line
        std::deque<Entry> window;
        size_t keepNext = 0;
        std::string entriesHtml;
        std::vector<Omitted> omitted;
        bool omitting = false;
    };
    Load m_l;
};

void ReportWriter::Impl::StartLoad(const std::string& name, const std::string& stamp) {
    const size_t load = m_l.load + 1;
    m_l = Load();
    m_l.load = load;
    m_l.name = name;
    m_l.time = StampTime(stamp);
    m_l.summary.StartLoad(name);
    m_l.checker.StartLoad("");
}

void ReportWriter::Impl::Line(std::string_view text, bool inEntry) {
    // A line cut by the marker: up to the marker it is the entry just added, then the next's.
    const bool cut = m_l.added && !m_l.window.empty() && m_l.window.back().cut;
    if (const size_t at = cut ? text.rfind(kCutMarker) : std::string_view::npos;
        at != std::string_view::npos) {
        const size_t end = at + kCutMarker.size();
        AppendCapped(m_l.window.back().text, m_l.window.back().more, text.substr(0, end));
        text.remove_prefix(end);
    }
    m_l.added = false;
    if (inEntry && (m_ordinaryBytes < kEntriesBudget || m_keptBytes < kKeptBudget)) {
        AppendCapped(m_l.text, m_l.textMore, text);
        AppendCapped(m_l.text, m_l.textMore, "\n");
    }
}

void ReportWriter::Impl::Note(const LoggerLine& note) {
    m_l.summary.Note(note);
    const std::string_view stopped(LOG_STOPPED_FORMAT);
    if (note.text.compare(0, stopped.find('%'), stopped, 0, stopped.find('%')) == 0) {
        ++m_l.stopped;
    } else if (note.text.find(" lost: ") != std::string::npos) {
        ++m_l.lost;
    }
    if (m_l.notes.size() < kShownNotes) {
        m_l.notes.push_back({note.line, Clip(note.text)});
    }
}

void ReportWriter::Impl::Add(const Record& whole) {
    Record copy;
    const Record& record = Bounded(whole, copy);
    ++m_l.entries;
    m_l.added = true;
    m_l.summary.Add(record);
    m_l.checker.Add(record);

    Entry entry;
    entry.line = record.line;
    entry.sequence = record.sequence;
    const bool app = record.label.empty() || record.label == "APP";
    entry.heading = SequenceText(record.sequence) + (app ? " " : " [" + record.label + "] ") +
                    record.Title() + " = " +
                    (record.returnCode.empty() ? "(no return code)" : record.returnCode);
    entry.code = ClassOf(record.returnCode);
    entry.text = std::move(m_l.text);
    entry.more = m_l.textMore;
    entry.cut = record.cut;
    m_l.text.clear();
    m_l.textMore = 0;

    if (record.Failed() && m_l.failures.size() < kMaxListed) {
        m_l.failures.push_back({record.line, {m_l.before.begin(), m_l.before.end()}});
    }
    AddCapability(record);
    for (const Node& block : record.blocks) {
        if (block.type != "TW_IDENTITY") {
            continue;
        }
        if (block.name == "pOrigin" && m_l.application.empty()) {
            m_l.application = Clip(IdentityText(block));
        } else if (block.name != "pOrigin" && record.Is("DAT_IDENTITY", "MSG_OPENDS") &&
                   !record.Failed()) {
            m_l.source = Clip(IdentityText(block));
        }
    }
    m_l.state = record.state >= 0 ? record.state : m_l.state;
    AddColumn(record, entry);

    m_l.before.push_back({entry.line, entry.heading});
    if (m_l.before.size() > 3) {
        m_l.before.pop_front();
    }
    entry.keep = m_l.keepNext > 0;
    m_l.keepNext -= m_l.keepNext > 0 ? 1 : 0;
    m_l.window.push_back(std::move(entry));
    if (record.Failed()) {
        KeepAround(m_l.window.size() - 1);
    }
    TakeFaults();
    while (m_l.window.size() > kWindow) {
        Flush(m_l.window.front());
        m_l.window.pop_front();
    }
}

void ReportWriter::Impl::AddColumn(const Record& record, const Entry& entry) {
    Column column;
    column.entries = 1;
    column.firstLine = column.lastLine = record.line;
    column.firstSequence = column.lastSequence = record.sequence;
    column.classes[entry.code] = 1;
    column.transfers = record.IsImageTransfer() ? 1 : 0;
    column.ds = record.label == "DS" ? 1 : 0;
    column.state = m_l.state;
    if (m_l.width == 1) {
        column.title = entry.heading + ", state " + std::to_string(m_l.state);
        m_l.columns.push_back(std::move(column));
    } else if (m_l.columns.back().entries < m_l.width) {
        m_l.columns.back().Merge(column);
    } else {
        m_l.columns.push_back(std::move(column));
    }
    if (m_l.columns.size() > kTimelineColumns) { // twice as many entries per column
        std::vector<Column> merged;
        for (size_t i = 0; i < m_l.columns.size(); i += 2) {
            merged.push_back(std::move(m_l.columns[i]));
            if (i + 1 < m_l.columns.size()) {
                merged.back().Merge(m_l.columns[i + 1]);
            }
            merged.back().title.clear();
        }
        m_l.columns = std::move(merged);
        m_l.width *= 2;
    }
}

void ReportWriter::Impl::AddCapability(const Record& record) {
    if (record.dat != "DAT_CAPABILITY") {
        return;
    }
    std::string container, value, cap = record.cap;
    if (const Node* block = record.Find("TW_CAPABILITY")) {
        const Node* name = block->Child("Cap");
        cap = name != nullptr ? Clip(name->value) : cap;
        value = CapabilityValue(*block, container);
    }
    auto at = m_l.capabilityRows.find(cap);
    if (at == m_l.capabilityRows.end()) {
        if (m_l.capabilities.size() >= kMaxListed) {
            ++m_l.capabilitiesMore;
            return;
        }
        at = m_l.capabilityRows.emplace(cap, m_l.capabilities.size()).first;
        m_l.capabilities.push_back({cap, "", "", "", 0, 0, {}});
    }
    CapabilityRow& row = m_l.capabilities[at->second];
    value = Clip(std::move(value));
    row.container = container.empty() ? row.container : Clip(container);
    if (!record.Failed() && !container.empty() && record.msg == "MSG_SET") {
        row.set = value;
        row.setLine = record.line;
    } else if (!record.Failed() && !container.empty() &&
               (record.msg == "MSG_GET" || record.msg == "MSG_GETCURRENT")) {
        row.read = value;
        row.readLine = record.line;
    }
    std::string code = record.returnCode.empty() ? "(none)" : record.returnCode;
    auto known = std::find_if(row.codes.begin(), row.codes.end(),
                              [&](const CodeCount& c) { return c.code == code; });
    if (known == row.codes.end() && row.codes.size() >= kDistinctCodes) {
        code = "(others)";
        known = std::find_if(row.codes.begin(), row.codes.end(),
                             [&](const CodeCount& c) { return c.code == code; });
    }
    if (known == row.codes.end()) {
        row.codes.push_back({code, 0});
        known = row.codes.end() - 1;
    }
    ++known->count;
}

// check's faults as they come: listed, drawn, and their entries kept in full.
void ReportWriter::Impl::TakeFaults() {
    for (const Fault& fault : m_l.checker.Faults()) {
        ++m_l.faultCount;
        if (m_l.faults.size() < kShownFaults) {
            m_l.faults.push_back(fault);
        }
        for (auto column = m_l.columns.rbegin(); column != m_l.columns.rend(); ++column) {
            if (column->firstLine <= fault.line) {
                ++column->faults;
                break;
            }
        }
        for (size_t i = m_l.window.size(); i-- > 0;) {
            if (m_l.window[i].line == fault.line) {
                KeepAround(i);
                break;
            }
        }
    }
    m_l.checker.Faults().clear();
}

// The window's entry at, the three before it and the one after it are kept in full.
void ReportWriter::Impl::KeepAround(size_t at) {
    for (size_t i = at >= 3 ? at - 3 : 0; i < m_l.window.size() && i <= at + 1; ++i) {
        m_l.window[i].keep = true;
    }
    m_l.keepNext = at + 1 >= m_l.window.size() ? 1 : m_l.keepNext;
}

void ReportWriter::Impl::Flush(Entry& entry) {
    const bool kept = entry.keep || entry.code == kFailure;
    size_t& spent = kept ? m_keptBytes : m_ordinaryBytes;
    const size_t budget = kept ? kKeptBudget : kEntriesBudget;
    if (spent >= budget) {
        if (!m_l.omitting) {
            m_l.omitted.push_back({entry.line, entry.line, entry.sequence, entry.sequence, 0});
            m_l.omitting = true;
        }
        Omitted& run = m_l.omitted.back();
        run.lastLine = entry.line;
        run.lastSequence = entry.sequence;
        ++run.count;
        return;
    }
    CloseOmitted();
    std::string html = "<details id=\"l" + std::to_string(m_l.load) + "-" +
                       std::to_string(entry.line) + "\" class=\"" + kClassNames[entry.code] +
                       (kept ? " kept" : "") + "\"><summary>" + Html(entry.heading) +
                       "</summary><pre>" + Html(entry.text, true) + "</pre>";
    if (entry.more > 0) {
        html += "<p class=\"more\">" + std::to_string(entry.more) + " more bytes left out</p>";
    }
    html += "</details>\n";
    spent += html.size();
    m_l.entriesHtml += html;
}

void ReportWriter::Impl::CloseOmitted() {
    if (!m_l.omitting) {
        return;
    }
    m_l.omitting = false;
    const Omitted& run = m_l.omitted.back();
    m_l.entriesHtml += "<p class=\"omitted\" id=\"l" + std::to_string(m_l.load) + "-" +
                       std::to_string(run.firstLine) + "\">" + Plural(run.count, "entry") +
                       " left out, " + SequenceText(run.firstSequence) + " to " +
                       SequenceText(run.lastSequence) + " (lines " + std::to_string(run.firstLine) +
                       " to " + std::to_string(run.lastLine) + ")</p>\n";
}

// The entry's anchor, or that of the line standing for the run it was left out with.
std::string ReportWriter::Impl::Anchor(size_t line) const {
    auto run = std::upper_bound(m_l.omitted.begin(), m_l.omitted.end(), line,
                                [](size_t l, const Omitted& o) { return l < o.firstLine; });
    if (run != m_l.omitted.begin() && (run - 1)->lastLine >= line) {
        line = (run - 1)->firstLine;
    }
    return "#l" + std::to_string(m_l.load) + "-" + std::to_string(line);
}

void ReportWriter::Impl::EndLoad() {
    m_l.checker.EndLoad();
    TakeFaults();
    for (Entry& entry : m_l.window) {
        Flush(entry);
    }
    m_l.window.clear();
    CloseOmitted();
    const Summary summary = m_l.summary.Finish();
    const std::string id = "l" + std::to_string(m_l.load);
    m_out << "<section class=\"load\" id=\"" << id << "\">\n<h2>Load " << m_l.load << ": "
          << Html(m_l.name) << "</h2>\n";
    WriteHeader(summary);
    WriteTimeline();
    WriteFailures(summary);
    WriteCapabilities();
    WriteImages(summary);
    m_out << "<h3>Entries</h3>\n" << m_l.entriesHtml << "</section>\n";
    m_l.entriesHtml.clear();
    m_l.entriesHtml.shrink_to_fit();
}

void ReportWriter::Impl::WriteHeader(const Summary& s) {
    std::ostringstream out;
    const auto item = [&](const char* term, const std::string& html) {
        out << "<dt>" << term << "</dt><dd>" << html << "</dd>\n";
    };
    out << "<dl class=\"header\">\n";
    item("Application", Html(m_l.application.empty() ? "not in the log" : m_l.application));
    item("Source", Html(m_l.source.empty() ? "not opened in the log" : m_l.source));
    item("Load time", m_l.time.empty() ? "unknown" : m_l.time);
    item("Entries", std::to_string(s.entries) + ": " + Plural(s.calls, "call") + ", " +
                        Plural(s.events, "event") + ", " + std::to_string(s.failuresOnly) +
                        " failed without text" +
                        (s.cutEntries > 0 ? ", " + std::to_string(s.cutEntries) + " cut" : ""));
    item("Failures", std::to_string(s.failureCount));
    item("Transfers",
         std::to_string(s.imageCount) + " (" + std::to_string(s.imagesDone) + " done" +
             (s.imageBytesKnown && s.imageCount > 0 ? ", " + std::to_string(s.imageBytes) + " bytes"
                                                    : "") +
             ")");
    item("Lost-entry lines", std::to_string(m_l.lost));
    item("Logging-stopped lines", std::to_string(m_l.stopped));
    item("Unreadable spots",
         std::to_string(m_l.diagnostics) + (s.truncated ? "; the file ends inside an entry" : ""));
    std::string faults = m_l.faultCount == 0 ? "none" : std::to_string(m_l.faultCount) + "<ol>";
    for (const Fault& fault : m_l.faults) {
        faults += "<li>" + Link(fault.line, SequenceText(fault.sequence) + " " + fault.call) +
                  ": " + Html(fault.text) + "</li>";
    }
    faults += m_l.faultCount == 0 ? "" : "</ol>";
    if (m_l.faultCount > m_l.faults.size()) {
        faults += std::to_string(m_l.faultCount - m_l.faults.size()) + " more";
    }
    item("Protocol faults", faults);
    std::string notes;
    for (const LoggerLine& note : m_l.notes) {
        notes += "<li>line " + std::to_string(note.line) + ": " + Html(note.text) + "</li>";
    }
    if (!notes.empty()) {
        item("Notes", "<ul>" + notes + "</ul>");
    }
    out << "</dl>\n";
    m_out << out.str();
}

void ReportWriter::Impl::WriteTimeline() {
    // Rows from the top: faults, transfers, [DS] entries, states 7 to 1, the calls.
    constexpr int kLeft = 64, kStep = 12, kBar = 10, kStates = 48, kCalls = 134, kHeight = 28;
    const int width = kLeft + static_cast<int>(m_l.columns.size()) * kStep + 8;
    const auto y = [](int state) { return kStates + (7 - std::clamp(state, 1, 7)) * 12; };
    std::ostringstream out;
    out << "<h3>Timeline</h3>\n<p>" << Plural(m_l.entries, "entry")
        << (m_l.width > 1 ? ", " + std::to_string(m_l.width) + " per column at most" : "")
        << "</p>\n<div class=\"timeline\"><svg xmlns=\"http://www.w3.org/2000/svg\" width=\""
        << width << "\" height=\"" << kCalls + kHeight + 4 << "\">\n";
    out << "<text x=\"2\" y=\"11\">faults</text><text x=\"2\" y=\"25\">transfers</text>"
           "<text x=\"2\" y=\"39\">[DS]</text><text x=\"2\" y=\""
        << kCalls + 18 << "\">calls</text>\n";
    for (int state = 7; state >= 1; --state) {
        out << "<text x=\"2\" y=\"" << y(state) + 4 << "\">state " << state
            << "</text><line class=\"grid\" x1=\"" << kLeft << "\" x2=\"" << width << "\" y1=\""
            << y(state) << "\" y2=\"" << y(state) << "\"/>\n";
    }
    out << "<polyline class=\"state\" points=\"";
    for (size_t i = 0; i < m_l.columns.size(); ++i) {
        const int x = kLeft + static_cast<int>(i) * kStep;
        out << x << "," << y(m_l.columns[i].state) << " " << x + kStep << ","
            << y(m_l.columns[i].state) << " ";
    }
    out << "\"/>\n";
    for (size_t i = 0; i < m_l.columns.size(); ++i) {
        const Column& c = m_l.columns[i];
        const int x = kLeft + static_cast<int>(i) * kStep;
        std::string title = c.title;
        if (c.entries > 1) {
            title = SequenceText(c.firstSequence) + " to " + SequenceText(c.lastSequence) + ": " +
                    Plural(c.entries, "entry") + ":";
            for (size_t k = 0; k < kClasses; ++k) {
                title += c.classes[k] > 0
                             ? " " + std::to_string(c.classes[k]) + " " + kClassNames[k]
                             : "";
            }
            title += "; " + Plural(c.transfers, "transfer") + ", " + std::to_string(c.ds) +
                     " [DS], state " + std::to_string(c.state) + " at the end";
        }
        title += c.faults > 0 ? "; " + Plural(c.faults, "fault") : "";
        out << "<a class=\"" << (c.entries > 1 ? "bucket" : "call") << "\" href=\""
            << Anchor(c.firstLine) << "\"><title>" << Html(title) << "</title>";
        double top = kCalls;
        for (size_t k = 0; k < kClasses; ++k) {
            if (c.classes[k] == 0) {
                continue;
            }
            const double height = static_cast<double>(kHeight) * static_cast<double>(c.classes[k]) /
                                  static_cast<double>(c.entries);
            char rect[160];
            std::snprintf(rect, sizeof rect,
                          "<rect class=\"%s\" x=\"%d\" y=\"%.1f\" width=\"%d\" height=\"%.1f\"/>",
                          kClassNames[k], x, top, kBar, height);
            out << rect;
            top += height;
        }
        const std::pair<size_t, const char*> rows[] = {
            {c.faults, "fault"}, {c.transfers, "xfer"}, {c.ds, "ds"}};
        for (size_t row = 0; row < 3; ++row) {
            if (rows[row].first > 0) {
                out << "<rect class=\"" << rows[row].second << "\" x=\"" << x << "\" y=\""
                    << 2 + row * 14 << "\" width=\"" << kBar << "\" height=\"10\"/>";
            }
        }
        out << "</a>\n";
    }
    out << "</svg></div>\n<p class=\"legend\">";
    for (const char* name : kClassNames) {
        out << "<span class=\"" << name << "\"></span>" << name;
    }
    out << "<span class=\"xfer\"></span>transfer<span class=\"ds\"></span>[DS] entry"
           "<span class=\"fault\"></span>protocol fault</p>\n";
    m_out << out.str();
}

void ReportWriter::Impl::WriteFailures(const Summary& s) {
    std::ostringstream out;
    out << "<h3>Failures</h3>\n<table class=\"failures\"><tr><th>Call</th><th>Condition "
           "code</th><th>The three entries before</th></tr>\n";
    auto row = m_l.failures.begin();
    for (const FailureReport& f : s.failures) {
        while (row != m_l.failures.end() && row->line < f.line) {
            ++row;
        }
        out << "<tr><td>" << Link(f.line, SequenceText(f.sequence) + " " + f.title) << "</td><td>"
            << (f.condition.empty() ? "no DAT_STATUS asked" : Link(f.statusLine, f.condition))
            << "</td><td><ol>";
        for (const Neighbour& n :
             row != m_l.failures.end() ? row->before : std::vector<Neighbour>()) {
            out << "<li>" << Link(n.line, n.heading) << "</li>";
        }
        out << "</ol></td></tr>\n";
    }
    if (s.failures.empty()) {
        out << "<tr><td colspan=\"3\">none</td></tr>\n";
    } else if (s.failureCount > s.failures.size()) {
        out << "<tr><td colspan=\"3\">" << s.failureCount - s.failures.size()
            << " more</td></tr>\n";
    }
    out << "</table>\n";
    m_out << out.str();
}

void ReportWriter::Impl::WriteCapabilities() {
    std::ostringstream out;
    out << "<h3>Capabilities</h3>\n<table class=\"capabilities\"><tr><th>Capability</th>"
           "<th>Last value set</th><th>Last current value read</th><th>Container</th>"
           "<th>Return codes</th></tr>\n";
    for (const CapabilityRow& row : m_l.capabilities) {
        std::string codes;
        for (const CodeCount& c : row.codes) {
            codes += (codes.empty() ? "" : ", ") + c.code + " " + std::to_string(c.count);
        }
        out << "<tr><td>" << Html(row.cap) << "</td><td>"
            << (row.setLine > 0 ? Link(row.setLine, row.set) : "") << "</td><td>"
            << (row.readLine > 0 ? Link(row.readLine, row.read) : "") << "</td><td>"
            << Html(row.container) << "</td><td>" << Html(codes) << "</td></tr>\n";
    }
    if (m_l.capabilities.empty()) {
        out << "<tr><td colspan=\"5\">none</td></tr>\n";
    } else if (m_l.capabilitiesMore > 0) {
        out << "<tr><td colspan=\"5\">" << m_l.capabilitiesMore << " more calls on other "
            << "capabilities</td></tr>\n";
    }
    out << "</table>\n";
    m_out << out.str();
}

void ReportWriter::Impl::WriteImages(const Summary& s) {
    std::ostringstream out;
    out << "<h3>Images</h3>\n<table class=\"images\"><tr><th>#</th><th>Transfer</th>"
           "<th>Mechanism</th><th>Size</th><th>Pixel type</th><th>Bit depth</th>"
           "<th>Compression</th><th>Outcome</th></tr>\n";
    for (size_t i = 0; i < s.images.size(); ++i) {
        const ImageReport& image = s.images[i];
        std::string outcome = image.outcome.empty() ? "not finished" : image.outcome;
        if (image.mechanism == "memory") {
            outcome += ", " + Plural(image.strips, "strip") + ", " +
                       (image.bytesKnown ? std::to_string(image.bytes) : "?") + " bytes";
        }
        out << "<tr><td>" << i + 1 << "</td><td>" << Link(image.line, SequenceText(image.sequence))
            << "</td><td>" << image.mechanism << "</td><td>"
            << (image.width.empty() ? "" : Html(image.width + " x " + image.length)) << "</td><td>"
            << Html(image.pixelType) << "</td><td>" << Html(image.bitsPerPixel) << "</td><td>"
            << Html(image.compression) << "</td><td>" << Html(outcome) << "</td></tr>\n";
    }
    if (s.images.empty()) {
        out << "<tr><td colspan=\"8\">none</td></tr>\n";
    } else if (s.imageCount > s.images.size()) {
        out << "<tr><td colspan=\"8\">" << s.imageCount - s.images.size() << " more</td></tr>\n";
    }
    out << "</table>\n";
    m_out << out.str();
}

ReportWriter::ReportWriter(std::ostream& out, const std::string& title)
    : m_impl(std::make_unique<Impl>(out, title)) {}
ReportWriter::~ReportWriter() = default;
void ReportWriter::StartLoad(const std::string& name, const std::string& stamp) {
    m_impl->StartLoad(name, stamp);
}
void ReportWriter::Line(std::string_view text, bool inEntry) {
    m_impl->Line(text, inEntry);
}
void ReportWriter::Add(const Record& record) {
    m_impl->Add(record);
}
void ReportWriter::Note(const LoggerLine& note) {
    m_impl->Note(note);
}
void ReportWriter::Diagnostic() {
    m_impl->Diagnostic();
}
void ReportWriter::EndLoad() {
    m_impl->EndLoad();
}
void ReportWriter::Finish() {
    m_impl->Finish();
}

} // namespace twainlog
