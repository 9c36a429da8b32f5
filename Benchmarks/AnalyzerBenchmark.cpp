// Cost of the analyzer's work per DS_Entry call: both passes, and the table lookups. Part of
// twain_benchmarks (ModuleBenchmark.cpp has its main).
#include <benchmark/benchmark.h>

#include "ParaAnalyze.h"
#include "twaintbl.h"

namespace {

void BM_CapabilityCallBothPasses(benchmark::State& state) {
    CParaAnalyze analyzer;
    analyzer.SetTwainStatus(4);
    TW_CAPABILITY capability{};
    capability.Cap = ICAP_PIXELTYPE;
    capability.ConType = TWON_ENUMERATION;
    char text[RESULT_TEXT_SIZE];
    for (auto _ : state) {
        text[0] = '\0';
        analyzer.TripletAnalyze(nullptr, nullptr, DG_CONTROL, DAT_CAPABILITY, MSG_GET,
                                reinterpret_cast<char*>(&capability), text);
        benchmark::DoNotOptimize(text);
        text[0] = '\0';
        analyzer.ParaAnalyze(nullptr, nullptr, DG_CONTROL, DAT_CAPABILITY, MSG_GET,
                             reinterpret_cast<char*>(&capability), TWRC_SUCCESS, text);
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_CapabilityCallBothPasses);

void BM_EventPollingFiltered(benchmark::State& state) {
    CParaAnalyze analyzer;
    analyzer.SetTwainStatus(5);
    TW_EVENT event{};
    char text[RESULT_TEXT_SIZE];
    for (auto _ : state) {
        text[0] = '\0';
        analyzer.TripletAnalyze(nullptr, nullptr, DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT,
                                reinterpret_cast<char*>(&event), text);
        analyzer.ParaAnalyze(nullptr, nullptr, DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT,
                             reinterpret_cast<char*>(&event), TWRC_NOTDSEVENT, text);
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_EventPollingFiltered);

// The longest scan there is: a miss over the 239 country rows.
void BM_LookupMissLongestTable(benchmark::State& state) {
    char name[kMacroNameSize];
    for (auto _ : state) {
        GetMacroName(MacroRows(twcy_macros), 65535, name);
        benchmark::DoNotOptimize(name);
    }
}
BENCHMARK(BM_LookupMissLongestTable);

void BM_CapabilityNameImageTable(benchmark::State& state) {
    char name[kMacroNameSize];
    for (auto _ : state) {
        GetCapabilityName(ICAP_IMAGEMERGE, name, sizeof name);
        benchmark::DoNotOptimize(name);
    }
}
BENCHMARK(BM_CapabilityNameImageTable);

} // namespace
