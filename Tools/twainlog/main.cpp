// twainlog: answers from the monitor's log files what happened in a scan session (summary),
// whether the application or the source broke the TWAIN protocol (check), and what one
// session does differently from another (diff).
#include <unistd.h>

#include <cstdio>
#include <exception>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>

#include <CLI/CLI.hpp>

#include "Check.h"
#include "Diff.h"
#include "LogReader.h"
#include "Summary.h"

namespace {

using namespace twainlog;

constexpr int kUnreadable = 2;
constexpr size_t kShownDiagnostics = 10;

void Complain(const std::string& message) {
    std::cerr << "twainlog: " << message << "\n";
}

// Reads and parses a log; false (after saying why) when it cannot be read at all or holds
// nothing of a monitor log. Unreadable spots are reported and skipped.
bool Load(const std::string& path, Log& log) {
    std::string text, error;
    if (!ReadFileText(path, text, error)) {
        Complain(error);
        return false;
    }
    log = ReadLog(text);
    const std::string name = path == "-" ? "<stdin>" : path;
    for (size_t i = 0; i < log.diagnostics.size() && i < kShownDiagnostics; ++i) {
        Complain(name + ":" + std::to_string(log.diagnostics[i].line) + ": " +
                 log.diagnostics[i].message);
    }
    if (log.diagnostics.size() > kShownDiagnostics) {
        Complain(name + ": " + std::to_string(log.diagnostics.size() - kShownDiagnostics) +
                 " more unreadable spots");
    }
    if (log.records.empty() && !log.diagnostics.empty()) {
        Complain(name + " holds no entry of a monitor log");
        return false;
    }
    return true;
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

    std::string logPath;
    bool json = false;
    CLI::App* summary = app.add_subcommand(
        "summary", "Counts per triplet and return code, failures with their condition codes, "
                   "states, images and bytes, final capability values");
    summary->add_option("LOG", logPath, "Monitor log file, - for standard input")->required();
    summary->add_flag("--json", json, "JSON for scripts");

    CLI::App* check = app.add_subcommand(
        "check", "Protocol faults: calls in states TWAIN does not allow, transfers without "
                 "MSG_ENDXFER, failures never asked about, a source left open. Exit status 0 "
                 "when clean, 1 when a fault is found, 2 when the file cannot be read");
    check->add_option("LOG", logPath, "Monitor log file, - for standard input")->required();

    std::string pathA, pathB, color = "auto";
    DiffOptions diffOptions;
    CLI::App* diff = app.add_subcommand(
        "diff", "Two sessions aligned call by call: calls one side lacks, other return codes, "
                "other capability values or structure fields. Exit status 0 when alike, 1 when "
                "they differ, 2 on trouble");
    diff->add_option("A", pathA, "First log (- for standard input)")->required();
    diff->add_option("B", pathB, "Second log")->required();
    diff->add_option("--color", color, "Colour the output: auto (on a terminal), always, never")
        ->check(CLI::IsMember({"auto", "always", "never"}))
        ->capture_default_str();
    diff->add_option("-U,--context", diffOptions.context, "Unchanged entries around a change")
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
        Log log;
        if (!Load(logPath, log)) {
            return kUnreadable;
        }
        const Summary result = Summarize(log);
        const std::string name = logPath == "-" ? "<stdin>" : logPath;
        if (json) {
            out << SummaryJson(result, name).dump(2) << "\n";
        } else {
            PrintSummary(result, name, out);
        }
        return finish(0);
    }
    if (check->parsed()) {
        Log log;
        if (!Load(logPath, log)) {
            return kUnreadable;
        }
        const std::vector<Fault> faults = CheckLog(log);
        PrintFaults(faults, out);
        return finish(faults.empty() ? 0 : 1);
    }
    Log a, b;
    if (pathA == "-" && pathB == "-") {
        Complain("only one of the two logs can be standard input");
        return kUnreadable;
    }
    if (!Load(pathA, a) || !Load(pathB, b)) {
        return kUnreadable;
    }
    diffOptions.color = color == "always" || (color == "auto" && !file && isatty(STDOUT_FILENO));
    const bool differ = DiffLogs(a, b, pathA, pathB, diffOptions, out);
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
