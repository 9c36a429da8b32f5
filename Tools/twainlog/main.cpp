// twainlog: answers from the monitor's log files what happened in a scan session (summary),
// whether the application or the source broke the TWAIN protocol (check), what one session
// does differently from another (diff), and the whole of it as one HTML page (report).
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <exception>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include <CLI/CLI.hpp>

#include "Check.h"
#include "Diff.h"
#include "LogReader.h"
#include "LogVocabulary.h"
#include "Report.h"
#include "Summary.h"
#include "Escape.h"

namespace {

using namespace twainlog;

constexpr int kUnreadable = 2;
constexpr size_t kShownDiagnostics = 10;

void Complain(const std::string& message) {
    std::cerr << "twainlog: " << Printable(message) << "\n";
}

// One log file: one load of the data source.
struct LoadFile {
    std::string path;
    std::string stamp;        // YYYYMMDD_HHMMSS_mmmm from the name; empty when it has none
    unsigned long number = 0; // the suffix of a name taken twice in one millisecond
};

bool IsDigits(const std::string& text, size_t at, size_t count) {
    if (at + count > text.size()) {
        return false;
    }
    for (size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return false;
        }
    }
    return true;
}

// Twainlog_YYYYMMDD_HHMMSS_mmmm.txt, or with _N before .txt: the stamp and N.
bool ParseLogName(const std::string& name, std::string& stamp, unsigned long& number) {
    const std::string prefix = LOG_FILE_PREFIX, suffix = LOG_FILE_SUFFIX;
    const size_t at = prefix.size();
    if (name.size() < at + 20 + suffix.size() || name.compare(0, at, prefix) != 0 ||
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0 ||
        !IsDigits(name, at, 8) || name[at + 8] != '_' || !IsDigits(name, at + 9, 6) ||
        name[at + 15] != '_' || !IsDigits(name, at + 16, 4)) {
        return false;
    }
    const std::string rest = name.substr(at + 20, name.size() - at - 20 - suffix.size());
    number = 0;
    if (!rest.empty()) {
        if (rest.size() < 2 || rest.size() > 10 || rest[0] != '_' ||
            !IsDigits(rest, 1, rest.size() - 1)) {
            return false;
        }
        number = std::stoul(rest.substr(1));
    }
    stamp = name.substr(at, 20);
    return true;
}

// The files of the arguments, a directory standing for its log files, ordered by the loads'
// stamps; files whose names carry none come first, in the order given.
bool ListLoads(const std::vector<std::string>& paths, std::vector<LoadFile>& files) {
    namespace fs = std::filesystem;
    for (const std::string& path : paths) {
        std::error_code error;
        if (path == "-" || !fs::is_directory(path, error)) {
            LoadFile file{path, "", 0};
            ParseLogName(fs::path(path).filename().string(), file.stamp, file.number);
            files.push_back(file);
            continue;
        }
        std::vector<LoadFile> found;
        for (const auto& entry : fs::directory_iterator(path, error)) {
            LoadFile file{entry.path().string(), "", 0};
            if (entry.is_regular_file(error) &&
                ParseLogName(entry.path().filename().string(), file.stamp, file.number)) {
                found.push_back(file);
            }
        }
        if (error || found.empty()) {
            Complain(error
                         ? "cannot read " + path + ": " + error.message()
                         : path + " holds no log file (" LOG_FILE_PREFIX "..." LOG_FILE_SUFFIX ")");
            return false;
        }
        files.insert(files.end(), found.begin(), found.end());
    }
    std::stable_sort(files.begin(), files.end(), [](const LoadFile& a, const LoadFile& b) {
        return std::tie(a.stamp, a.number) < std::tie(b.stamp, b.number);
    });
    return true;
}

// Passes a file's entries on, and reports its unreadable spots (the first few of them).
class Reporter : public LogSink {
public:
    std::function<void(const Record&)> record;
    std::function<void(const LoggerLine&)> note;
    std::function<void()> diagnostic;
    std::function<void(std::string_view, bool)> line;

    void OnRecord(const Record& r) override {
        ++m_records;
        record(r);
    }
    void OnNote(const LoggerLine& n) override {
        if (note) {
            note(n);
        }
    }
    void OnLine(std::string_view text, bool inEntry) override {
        if (line) {
            line(text, inEntry);
        }
    }
    void OnDiagnostic(const Diagnostic& d) override {
        if (diagnostic) {
            diagnostic();
        }
        if (++m_diagnostics <= kShownDiagnostics) {
            Complain(m_name + ":" + std::to_string(d.line) + ": " + d.message);
        }
    }

    // Reads one file; false (after saying why) when it cannot be read at all or holds nothing
    // of a monitor log. Unreadable spots are reported and skipped.
    bool Read(const std::string& path) {
        m_name = path == "-" ? "<stdin>" : path;
        m_records = m_diagnostics = 0;
        std::string error;
        if (!ReadFile(path, *this, error)) {
            Complain(error);
            return false;
        }
        if (m_diagnostics > kShownDiagnostics) {
            Complain(m_name + ": " + std::to_string(m_diagnostics - kShownDiagnostics) +
                     " more unreadable spots");
        }
        if (m_records == 0 && m_diagnostics > 0) {
            Complain(m_name + " holds no entry of a monitor log");
            return false;
        }
        return true;
    }

private:
    std::string m_name;
    size_t m_records = 0, m_diagnostics = 0;
};

std::string Joined(const std::vector<std::string>& paths) {
    std::string text;
    for (const std::string& path : paths) {
        text += (text.empty() ? "" : " ") + (path == "-" ? std::string("<stdin>") : path);
    }
    return text;
}

} // namespace

static int Run(int argc, char** argv) {
    CLI::App app{"Reads the logs of the TWAIN monitor (TwainMonitor.ds): sums up a session, "
                 "checks it against the TWAIN protocol, or compares two sessions.",
                 "twainlog"};
    app.set_version_flag("--version", std::string("twainlog ") + TWAINLOG_VERSION);
    app.require_subcommand(1, 1);
    std::string output = "-";
    app.add_option("-o,--output", output, "Write to FILE instead of standard output")
        ->option_text("FILE");
    app.fallthrough();

    std::vector<std::string> logPaths;
    bool json = false;
    CLI::App* summary = app.add_subcommand(
        "summary", "Counts per triplet and return code, failures with their condition codes, "
                   "states, images and bytes, final capability values");
    const auto addLogs = [&](CLI::App* command, const std::string& help) {
        command->add_option("LOG", logPaths, help)->required();
    };
    addLogs(summary, "Monitor log files or directories of them (the loads of a session), - for "
                     "standard input");
    summary->add_flag("--json", json, "JSON for scripts");

    CLI::App* check = app.add_subcommand(
        "check", "Protocol faults: calls in states TWAIN does not allow, transfers without "
                 "MSG_ENDXFER, failures never asked about, a source left open. Exit status 0 "
                 "when clean, 1 when a fault is found, 2 when the file cannot be read");
    addLogs(check, "Monitor log files or directories of them, - for standard input; the state "
                   "is followed per load");

    CLI::App* report = app.add_subcommand(
        "report", "One self-contained HTML page per session: per load its identities and "
                  "counts, a timeline of the calls and states, the failures, capabilities and "
                  "images as tables, and the entries themselves");
    addLogs(report, "Monitor log files or directories of them, - for standard input");

    std::string pathA, pathB, color = "auto";
    DiffOptions diffOptions;
    CLI::App* diff = app.add_subcommand(
        "diff", "Two sessions aligned call by call: calls one side lacks, other return codes, "
                "other capability values or structure fields. Exit status 0 when alike, 1 when "
                "they differ, 2 on trouble");
    diff->add_option("A", pathA,
                     "First log, or a directory of a session's logs (- for standard input)")
        ->required();
    diff->add_option("B", pathB, "Second log, or directory")->required();
    diff->add_option("--color", color, "Colour the output: auto (on a terminal), always, never")
        ->check(CLI::IsMember({"auto", "always", "never"}))
        ->capture_default_str();
    diff->add_option("-U,--context", diffOptions.context, "Unchanged entries around a change")
        ->capture_default_str();
    diff->add_option("--max-edits", diffOptions.maxEdits,
                     "Edits the alignment looks for at most; a part that needs more is shown "
                     "unaligned, with a note")
        ->check(CLI::PositiveNumber)
        ->capture_default_str();
    diff->add_option("--ignore", diffOptions.ignore,
                     "Field name or dotted path not to compare (repeatable)");

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return app.exit(e) == 0 ? 0 : kUnreadable;
    }

    std::unique_ptr<std::ofstream> file;
    if (output != "-") {
        file = std::make_unique<std::ofstream>(output, std::ios::binary);
        if (!*file) {
            Complain("cannot write " + output);
            return kUnreadable;
        }
    }
    std::ostream& out = file ? *file : std::cout;
    auto finish = [&](int status) {
        out.flush();
        if (!out) {
            Complain("cannot write " + (output == "-" ? std::string("standard output") : output));
            return kUnreadable;
        }
        return status;
    };

    if (summary->parsed()) {
        std::vector<LoadFile> files;
        if (!ListLoads(logPaths, files)) {
            return kUnreadable;
        }
        SummaryBuilder builder;
        Reporter reporter;
        reporter.record = [&](const Record& r) { builder.Add(r); };
        reporter.note = [&](const LoggerLine& n) { builder.Note(n); };
        reporter.diagnostic = [&] { builder.Diagnostic(); };
        for (const LoadFile& file : files) {
            builder.StartLoad(file.path == "-" ? "<stdin>" : file.path);
            if (!reporter.Read(file.path)) {
                return kUnreadable;
            }
        }
        const Summary result = builder.Finish();
        if (json) {
            out << SummaryJson(result, Joined(logPaths)).dump(2) << "\n";
        } else {
            PrintSummary(result, Joined(logPaths), out);
        }
        return finish(0);
    }
    if (check->parsed()) {
        std::vector<LoadFile> files;
        if (!ListLoads(logPaths, files)) {
            return kUnreadable;
        }
        Checker checker;
        Reporter reporter;
        reporter.record = [&](const Record& r) { checker.Add(r); };
        for (const LoadFile& file : files) {
            checker.StartLoad(files.size() > 1 ? file.path : "");
            if (!reporter.Read(file.path)) {
                return kUnreadable;
            }
            checker.EndLoad();
        }
        PrintFaults(checker.Faults(), out);
        return finish(checker.Faults().empty() ? 0 : 1);
    }
    if (report->parsed()) {
        std::vector<LoadFile> files;
        if (!ListLoads(logPaths, files)) {
            return kUnreadable;
        }
        ReportWriter writer(out, Joined(logPaths));
        Reporter reporter;
        reporter.record = [&](const Record& r) { writer.Add(r); };
        reporter.note = [&](const LoggerLine& n) { writer.Note(n); };
        reporter.diagnostic = [&] { writer.Diagnostic(); };
        reporter.line = [&](std::string_view text, bool inEntry) { writer.Line(text, inEntry); };
        for (const LoadFile& file : files) {
            writer.StartLoad(file.path == "-" ? "<stdin>" : file.path, file.stamp);
            if (!reporter.Read(file.path)) {
                return kUnreadable;
            }
            writer.EndLoad();
        }
        writer.Finish();
        return finish(0);
    }
    if (pathA == "-" && pathB == "-") {
        Complain("only one of the two logs can be standard input");
        return kUnreadable;
    }
    std::vector<LoadFile> filesA, filesB;
    if (!ListLoads({pathA}, filesA) || !ListLoads({pathB}, filesB)) {
        return kUnreadable;
    }
    const bool marked = filesA.size() > 1 || filesB.size() > 1;
    DiffSide sideA(diffOptions), sideB(diffOptions);
    for (auto [files, side] : {std::pair{&filesA, &sideA}, std::pair{&filesB, &sideB}}) {
        Reporter reporter;
        reporter.record = [side = side](const Record& r) { side->Add(r); };
        for (const LoadFile& file : *files) {
            side->StartLoad(file.path, marked);
            if (!reporter.Read(file.path)) {
                return kUnreadable;
            }
            side->EndLoad();
        }
    }
    diffOptions.color = color == "always" || (color == "auto" && !file && isatty(STDOUT_FILENO));
    const bool differ = DiffSides(sideA, sideB, pathA, pathB, diffOptions, out);
    return finish(differ ? 1 : 0);
}

// Nothing is thrown on purpose; whatever a library throws ends the program with a message.
int main(int argc, char** argv) {
    try {
        return Run(argc, argv);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "twainlog: %s\n", error.what());
    } catch (...) {
        std::fprintf(stderr, "twainlog: unexpected error\n");
    }
    return 2;
}
