// Reading speed of twainlog's log reader and of its four commands, in bytes of log text per
// second, on a long session made of the entries the monitor writes: capability negotiation
// with its containers, identities, memory transfers strip by strip, events, failures with
// their error-status lines. The log is fed in pieces of 1 MiB, as a file is read.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <string_view>

#include "Check.h"
#include "Diff.h"
#include "LogReader.h"
#include "Report.h"
#include "Summary.h"

namespace {

std::string Session(size_t pages) {
    std::string text;
    long sequence = 0;
    auto entry = [&](const char* triplet, const char* rc, const std::string& block, int state) {
        char line[160];
        if (triplet != nullptr) {
            std::snprintf(line, sizeof line, "[%05ld] [APP] %s\r\n", ++sequence, triplet);
            text += line;
        }
        text += std::string("        Return Code = [") + rc + "]\r\npData   = <0x5f3c1a20>\r\n";
        text += block;
        if (std::string(rc) == "TWRC_FAILURE") {
            text += "*** Inspect Error Status Start ***\r\n*** Inspect Error Status End   ***\r\n";
        } else {
            text += "\r\nTWAIN Status = [" + std::to_string(state) + "]\r\n";
        }
    };
    const std::string identity =
        "  TW_IDENTITY = {\r\n    Id              = [2]\r\n    Version         =\r\n"
        "    TW_VERSION = {\r\n      MajorNum = [1]\r\n      MinorNum = [10]\r\n"
        "      Language = [TWLG_USA]\r\n      Country  = [TWCY_USA]\r\n"
        "      Info     = [1.10 sample]\r\n    }\r\n    ProtocolMajor   = [2]\r\n"
        "    ProtocolMinor   = [1]\r\n    SupportedGroups = [3]\r\n"
        "    Manufacturer    = [Sample Imaging]\r\n    ProductFamily   = [Flatbed]\r\n"
        "    ProductName     = [Sample Flatbed 1200]\r\n  }\r\n";
    const std::string enumeration =
        "  TW_CAPABILITY = {\r\n    Cap        = [ICAP_PIXELTYPE]\r\n"
        "    ConType    = [TWON_ENUMERATION]\r\n    hContainer = <0x00600010>\r\n"
        "    TW_ENUMERATION = {\r\n      ItemType     = [TWTY_UINT16]\r\n"
        "      NumItems     = [3]\r\n      CurrentIndex = [2]\r\n      DefaultIndex = [0]\r\n"
        "      ItemList = {\r\n          0:TWPT_BW,\r\n          1:TWPT_GRAY,\r\n"
        "          2:TWPT_RGB\r\n      }\r\n    }\r\n  }\r\n";
    const std::string strip =
        "  TW_IMAGEMEMXFER = {\r\n    Compression  = [TWCP_NONE]\r\n    BytesPerRow  = [7650]\r\n"
        "    Columns      = [2550]\r\n    Rows         = [64]\r\n    XOffset      = [0]\r\n"
        "    YOffset      = [640]\r\n    BytesWritten = [489600]\r\n    Memory       =\r\n"
        "    TW_MEMORY = {\r\n      Flags  = [0x11]\r\n      Length = [489600]\r\n"
        "      TheMem = <0x79588000>\r\n    }\r\n}\r\n";
    entry("DG_CONTROL/DAT_IDENTITY/MSG_OPENDS", "TWRC_SUCCESS", identity, 4);
    for (size_t page = 0; page < pages; ++page) {
        for (int i = 0; i < 6; ++i) {
            entry("DG_CONTROL/DAT_CAPABILITY/MSG_GET (ICAP_PIXELTYPE)", "TWRC_SUCCESS", enumeration,
                  4);
        }
        entry("DG_CONTROL/DAT_CAPABILITY/MSG_GET (CAP_FEEDERENABLED)", "TWRC_FAILURE", "", 4);
        entry("DG_CONTROL/DAT_STATUS/MSG_GET", "TWRC_SUCCESS",
              "  TW_STATUS = {\r\n    ConditionCode = [TWCC_CAPUNSUPPORTED]\r\n  }\r\n", 4);
        entry("DG_CONTROL/DAT_USERINTERFACE/MSG_ENABLEDS", "TWRC_SUCCESS", "", 5);
        entry(nullptr, "TWRC_DSEVENT",
              "  TW_EVENT = {\r\n    pEvent    = <0x00001000>\r\n"
              "    TWMessage = [MSG_XFERREADY]\r\n  }\r\n",
              6);
        for (int i = 0; i < 50; ++i) {
            entry("DG_IMAGE/DAT_IMAGEMEMXFER/MSG_GET", "TWRC_SUCCESS", strip, 7);
        }
        entry("DG_CONTROL/DAT_PENDINGXFERS/MSG_ENDXFER", "TWRC_SUCCESS",
              "  TW_PENDINGXFERS = {\r\n    Count = [0]\r\n    EOJ   = [0]\r\n  }\r\n", 5);
        entry("DG_CONTROL/DAT_USERINTERFACE/MSG_DISABLEDS", "TWRC_SUCCESS", "", 4);
    }
    entry("DG_CONTROL/DAT_IDENTITY/MSG_CLOSEDS", "TWRC_SUCCESS", identity, 3);
    return text;
}

// Feeds the text in pieces, as ReadFile does.
void Stream(const std::string& text, twainlog::LogSink& sink) {
    twainlog::LogReader reader(sink);
    for (size_t at = 0; at < text.size(); at += 1 << 20) {
        reader.Feed(std::string_view(text).substr(at, 1 << 20));
    }
    reader.Finish();
}

template <typename Consume>
class Sink : public twainlog::LogSink {
public:
    explicit Sink(Consume consume) : m_consume(consume) {}
    void OnRecord(const twainlog::Record& record) override { m_consume(record); }

private:
    Consume m_consume;
};

void Report(benchmark::State& state, const std::string& text) {
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
    state.counters["log_MB"] = static_cast<double>(text.size()) / 1e6;
}

// The reader alone: entries read and dropped.
void BM_Read(benchmark::State& state) {
    const std::string text = Session(static_cast<size_t>(state.range(0)));
    for (auto _ : state) {
        size_t records = 0;
        Sink sink([&](const twainlog::Record&) { ++records; });
        Stream(text, sink);
        benchmark::DoNotOptimize(records);
    }
    Report(state, text);
}
BENCHMARK(BM_Read)->Arg(200)->Unit(benchmark::kMillisecond);

void BM_Summary(benchmark::State& state) {
    const std::string text = Session(static_cast<size_t>(state.range(0)));
    for (auto _ : state) {
        twainlog::SummaryBuilder builder;
        builder.StartLoad("log");
        Sink sink([&](const twainlog::Record& record) { builder.Add(record); });
        Stream(text, sink);
        benchmark::DoNotOptimize(builder.Finish());
    }
    Report(state, text);
}
BENCHMARK(BM_Summary)->Arg(200)->Unit(benchmark::kMillisecond);

void BM_Check(benchmark::State& state) {
    const std::string text = Session(static_cast<size_t>(state.range(0)));
    for (auto _ : state) {
        twainlog::Checker checker;
        checker.StartLoad("");
        Sink sink([&](const twainlog::Record& record) { checker.Add(record); });
        Stream(text, sink);
        checker.EndLoad();
        benchmark::DoNotOptimize(checker.Faults());
    }
    Report(state, text);
}
BENCHMARK(BM_Check)->Arg(200)->Unit(benchmark::kMillisecond);

// The page written into memory: the summary's and the check's work, the entries' text kept
// for the page, and the writing.
void BM_Report(benchmark::State& state) {
    class PageSink : public twainlog::LogSink {
    public:
        explicit PageSink(twainlog::ReportWriter& writer) : m_writer(writer) {}
        void OnRecord(const twainlog::Record& record) override { m_writer.Add(record); }
        void OnLine(std::string_view text, bool inEntry) override { m_writer.Line(text, inEntry); }

    private:
        twainlog::ReportWriter& m_writer;
    };
    const std::string text = Session(static_cast<size_t>(state.range(0)));
    for (auto _ : state) {
        std::ostringstream out;
        twainlog::ReportWriter writer(out, "log");
        writer.StartLoad("log", "");
        PageSink sink(writer);
        Stream(text, sink);
        writer.EndLoad();
        writer.Finish();
        benchmark::DoNotOptimize(out.str().size());
    }
    Report(state, text);
}
BENCHMARK(BM_Report)->Arg(200)->Unit(benchmark::kMillisecond);

// Both sides read, then aligned; the two logs are alike, so the output is empty.
void BM_Diff(benchmark::State& state) {
    const std::string text = Session(static_cast<size_t>(state.range(0)));
    const twainlog::DiffOptions options;
    for (auto _ : state) {
        twainlog::DiffSide a(options), b(options);
        for (twainlog::DiffSide* side : {&a, &b}) {
            side->StartLoad("", false);
            Sink sink([&](const twainlog::Record& record) { side->Add(record); });
            Stream(text, sink);
            side->EndLoad();
        }
        std::ostringstream out;
        benchmark::DoNotOptimize(twainlog::DiffSides(a, b, "a", "b", options, out));
    }
    Report(state, text); // bytes of one side
}
BENCHMARK(BM_Diff)->Arg(200)->Unit(benchmark::kMillisecond);

} // namespace
