// twainlog's reader and its four commands on any bytes as a log, fed to the reader in two
// pieces (split where the first byte says), so that lines cut between reads are read too.
//
// Besides not crashing: the text output holds no control byte but line feeds and is valid
// UTF-8, the JSON output is written without an exception, a log diffed with itself is
// alike, and the report's page is valid UTF-8 with no element of the log's making.
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>

#include "Check.h"
#include "Diff.h"
#include "Escape.h"
#include "LogReader.h"
#include "Report.h"
#include "Summary.h"

namespace {

using namespace twainlog;

class Commands : public LogSink {
public:
    Commands() : side(options), other(options), report(page, "a") {}

    void OnRecord(const Record& record) override {
        summary.Add(record);
        checker.Add(record);
        side.Add(record);
        other.Add(record);
        report.Add(record);
    }
    void OnNote(const LoggerLine& note) override {
        summary.Note(note);
        report.Note(note);
    }
    void OnLine(std::string_view text, bool inEntry) override { report.Line(text, inEntry); }
    void OnDiagnostic(const Diagnostic& /*diagnostic*/) override { summary.Diagnostic(); }

    DiffOptions options;
    SummaryBuilder summary;
    Checker checker;
    DiffSide side, other;
    std::ostringstream page;
    ReportWriter report;
};

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// Only line feeds among the control characters, and valid UTF-8.
void RequirePrintable(const std::string& text) {
    Require(ValidUtf8(text) == text);
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        Require(c == '\n' || (byte >= 0x20 && byte != 0x7f));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    Commands commands;
    commands.options.maxEdits = 64; // the unaligned fallback is reached too
    commands.summary.StartLoad("a");
    commands.checker.StartLoad("a");
    commands.side.StartLoad("a", true);
    commands.other.StartLoad("b", true);
    commands.report.StartLoad("a", "");
    LogReader reader(commands);
    const size_t split = size > 0 ? data[0] % (size + 1) : 0;
    reader.Feed(text.substr(0, split));
    reader.Feed(text.substr(split));
    reader.Finish();
    commands.checker.EndLoad();
    commands.side.EndLoad();
    commands.other.EndLoad();

    std::ostringstream out;
    const Summary summary = commands.summary.Finish();
    PrintSummary(summary, "a", out);
    PrintFaults(commands.checker.Faults(), out);
    Require(!DiffSides(commands.side, commands.other, "a", "b", commands.options, out));
    RequirePrintable(out.str());
    SummaryJson(summary, "a").dump();
    commands.report.EndLoad();
    commands.report.Finish();
    const std::string page = commands.page.str();
    RequirePrintable(page);
    Require(page.find("<script") == std::string::npos && page.find("<img") == std::string::npos);
    return 0;
}
