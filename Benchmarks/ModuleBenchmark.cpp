// What the data source costs a scanning application: DS_Entry of the real module, loaded with
// dlopen next to the sample driver, against the bare call of the driver's operator, per call.
//
// Two copies of the module are loaded into the process: one while the log directory exists
// (logging on, its log file in the build tree) and one while it does not (logging off). Each
// case is measured three ways in the same run: the operator called directly (bare), DS_Entry
// with logging on, DS_Entry with logging off. Cases the sample driver answers itself use it
// (a filtered event poll, an enumeration of three TWTY_UINT16); the others get a driver that
// replays one fixed answer (a CAP_SUPPORTEDCAPS array of 150 items, a TW_IMAGEMEMXFER strip,
// a TWXQ_HARDWAREINFO), installed as the module's operator while they run.
//
// Per call it counts heap allocations (malloc is interposed below) and write system calls
// (/proc/self/io), and the log bytes one call adds. By default the whole set runs in 8
// processes one after another and the table gives the median of each figure.
//
//   twain_benchmarks [--processes=N] [Google Benchmark flags]
#include <benchmark/benchmark.h>

#include <CoreServices/CoreServices.h>

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "CTripletOperator.h"
#include "ParaAnalyze.h"
#include "TwainLog.h"
#include "TwainLogPaths.h"
#include "TwainXq.h"

// ---------------------------------------------------------------------------------------
// Counting allocator: every malloc of the process, the loaded modules' included (the
// executable exports these, see CMakeLists.txt).

namespace {
std::atomic<unsigned long> g_allocations{0};
} // namespace

extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* block, size_t size);
void* __libc_memalign(size_t alignment, size_t size);
void __libc_free(void* block);

void* malloc(size_t size) {
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_malloc(size);
}
void* calloc(size_t count, size_t size) {
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_calloc(count, size);
}
void* realloc(void* block, size_t size) {
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_realloc(block, size);
}
void* memalign(size_t alignment, size_t size) {
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_memalign(alignment, size);
}
void* aligned_alloc(size_t alignment, size_t size) {
    return memalign(alignment, size);
}
int posix_memalign(void** block, size_t alignment, size_t size) {
    *block = memalign(alignment, size);
    return *block != nullptr ? 0 : ENOMEM;
}
void free(void* block) {
    __libc_free(block);
}
}

namespace {

using DSEntryProc = TW_UINT16 (*)(TW_IDENTITY*, TW_UINT32, TW_UINT16, TW_UINT16, TW_MEMREF);

// Write-like system calls of this process so far.
unsigned long WriteCalls() {
    char text[512] = {};
    const int fd = open("/proc/self/io", O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return 0;
    }
    const ssize_t length = read(fd, text, sizeof text - 1);
    close(fd);
    const char* field = length > 0 ? strstr(text, "syscw: ") : nullptr;
    return field != nullptr ? strtoul(field + 7, nullptr, 10) : 0;
}

// ---------------------------------------------------------------------------------------
// The two loaded copies of the module

struct Module {
    void* handle = nullptr;
    DSEntryProc entry = nullptr;
    CTripletOperator** op = nullptr;
    FILE** logFile = nullptr;
};

Module g_on;
Module g_off;
TW_IDENTITY g_app{};

[[noreturn]] void Fail(const std::string& what) {
    fprintf(stderr, "twain_benchmarks: %s\n", what.c_str());
    exit(1);
}

void Copy(const char* from, const std::string& to) {
    FILE* in = fopen(from, "rb");
    FILE* out = fopen(to.c_str(), "wb");
    if (in == nullptr || out == nullptr) {
        Fail("cannot copy " + std::string(from) + " to " + to);
    }
    char buffer[65536];
    size_t count;
    while ((count = fread(buffer, 1, sizeof buffer, in)) > 0) {
        fwrite(buffer, 1, count, out);
    }
    fclose(in);
    fclose(out);
}

Module Load(const std::string& path) {
    Module m;
    m.handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (m.handle == nullptr) {
        Fail(dlerror());
    }
    m.entry = reinterpret_cast<DSEntryProc>(dlsym(m.handle, "DS_Entry"));
    m.op = static_cast<CTripletOperator**>(dlsym(m.handle, "g_pcTripletOperator"));
    m.logFile = static_cast<FILE**>(dlsym(m.handle, "g_pLogFile"));
    if (m.entry == nullptr || m.op == nullptr || *m.op == nullptr || m.logFile == nullptr) {
        Fail(path + ": no DS_Entry, operator or log file global");
    }
    return m;
}

void RemoveLogDirectory(const std::string& directory) {
    const std::string command = "rm -rf '" + directory + "'";
    if (system(command.c_str()) != 0) {
        Fail(command);
    }
}

void LoadModules() {
    // The driver path is a link in the build tree: point it at the sample driver.
    unlink(TWAINMON_DRIVER_BUNDLE_PATH);
    if (symlink(SAMPLE_BUNDLE, TWAINMON_DRIVER_BUNDLE_PATH) != 0) {
        Fail("cannot link " TWAINMON_DRIVER_BUNDLE_PATH);
    }
    const std::string logDirectory = TWAINMON_LOG_DIRECTORY;
    const std::string away = logDirectory + ".away";
    RemoveLogDirectory(logDirectory);
    RemoveLogDirectory(away);
    const std::string on = std::string(COPY_DIRECTORY) + "/TwainMonitor-log-on.ds";
    const std::string off = std::string(COPY_DIRECTORY) + "/TwainMonitor-log-off.ds";
    Copy(MODULE_PATH, on);
    Copy(MODULE_PATH, off);

    mkdir(logDirectory.c_str(), 0777);
    g_on = Load(on);
    if (*g_on.logFile == nullptr) {
        Fail("the module opened no log file");
    }
    rename(logDirectory.c_str(), away.c_str()); // the open log file stays open
    g_off = Load(off);
    rename(away.c_str(), logDirectory.c_str());
    if (*g_off.logFile != nullptr) {
        Fail("the second module logs");
    }
}

// Opens the data source and enables it: in state 6 (transfer ready) it answers capability
// queries, and event polls deliver nothing.
void OpenSession(const Module& m) {
    TW_IDENTITY identity{};
    TW_USERINTERFACE ui{};
    TW_EVENT event{};
    if (m.entry(&g_app, DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &identity) != TWRC_SUCCESS ||
        m.entry(&g_app, DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &ui) != TWRC_SUCCESS ||
        m.entry(&g_app, DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, &event) != TWRC_DSEVENT ||
        event.TWMessage != MSG_XFERREADY) {
        Fail("the sample driver did not reach the transfer-ready state");
    }
}

// ---------------------------------------------------------------------------------------
// A driver that replays one answer: it copies the answer's bytes into the structure and, for
// a capability, hands out the same container handle each time.

class CReplayDriver final : public CTripletOperator {
public:
    void Reserved1() override {}
    void Reserved2() override {}
    TW_UINT16 OperateTriplet(TW_IDENTITY*, TW_UINT32, TW_UINT16, TW_UINT16,
                             TW_MEMREF pData) override {
        memcpy(pData, m_answer.data(), m_answer.size());
        return TWRC_SUCCESS;
    }
    void Answer(const void* bytes, size_t size) {
        m_answer.assign(static_cast<const uint8_t*>(bytes),
                        static_cast<const uint8_t*>(bytes) + size);
    }

private:
    std::vector<uint8_t> m_answer;
};

CReplayDriver g_replay;

// CAP_SUPPORTEDCAPS as a driver with many capabilities answers it: 150 identifiers, the
// standard capabilities and image capabilities, then the vendor's.
Handle SupportedCapsArray() {
    std::vector<TW_UINT16> ids;
    for (const MacroTable table : {MacroRows(cap_macros), MacroRows(icap_macros),
                                   MacroRows(cap_xq_macros), MacroRows(icap_xq_macros)}) {
        for (size_t i = 0; i < table.count && ids.size() < 150; ++i) {
            if (table.rows[i].value != 0x8000) {
                ids.push_back(static_cast<TW_UINT16>(table.rows[i].value));
            }
        }
    }
    const size_t size = offsetof(TW_ARRAY, ItemList) + ids.size() * sizeof(TW_UINT16);
    Handle handle = NewHandleClear(static_cast<Size>(size));
    auto* array = reinterpret_cast<TW_ARRAY*>(*handle);
    array->ItemType = TWTY_UINT16;
    array->NumItems = static_cast<TW_UINT32>(ids.size());
    memcpy(array->ItemList, ids.data(), ids.size() * sizeof(TW_UINT16));
    return handle;
}

uint8_t g_strip[1 << 18];

TW_IMAGEMEMXFER MemXferStrip() {
    TW_IMAGEMEMXFER xfer{};
    xfer.Compression = TWCP_NONE;
    xfer.BytesPerRow = 15300;
    xfer.Columns = 5100;
    xfer.Rows = 16;
    xfer.YOffset = 1600;
    xfer.BytesWritten = 16 * 15300;
    xfer.Memory.Flags = 0x0001 | 0x0008; // the application owns it, a pointer
    xfer.Memory.Length = sizeof g_strip;
    xfer.Memory.TheMem = g_strip;
    return xfer;
}

// The vendor's hardware information, at its fields' offsets, with names of full width.
std::vector<uint8_t> HardwareInfo() {
    std::vector<uint8_t> info(1024);
    auto u32 = [&](size_t offset, uint32_t value) { memcpy(&info[offset], &value, 4); };
    auto u16 = [&](size_t offset, uint16_t value) { memcpy(&info[offset], &value, 2); };
    auto pascal = [&](size_t offset, const char* text) {
        info[offset] = static_cast<uint8_t>(strlen(text));
        memcpy(&info[offset + 1], text, strlen(text));
    };
    u32(0, 0x2A);
    pascal(4, "Sample Flatbed 1200 Photo Scanner");
    pascal(38, "SF-1200 Professional Edition Mk.II");
    const uint32_t numbers[] = {1200,  1200,  50,    12800, 4800,  10200, 10200,
                                14040, 10200, 16800, 2400,  28800, 0x30};
    for (size_t i = 0; i < std::size(numbers); ++i) {
        u32(72 + 4 * i, numbers[i]);
    }
    u16(124, 3);
    u32(128, 2);
    u32(132, 1);
    for (size_t offset = 144; offset <= 168; offset += 2) {
        u16(offset, offset % 4 == 0 ? 1 : 0);
    }
    u16(170, 1);
    u16(172, 0x12);
    u16(174, 1);
    u32(176, 4800);
    u32(180, 6600);
    strcpy(reinterpret_cast<char*>(&info[184]), "SampleFlatbedReflective.icc");
    strcpy(reinterpret_cast<char*>(&info[218]), "SampleFlatbedFilm.icc");
    for (size_t matrix = 0; matrix < 6; ++matrix) {
        for (size_t i = 0; i < 9; ++i) {
            const int16_t whole = i % 4 == 0 ? 1 : 0;
            const uint16_t frac = static_cast<uint16_t>(i % 4 == 0 ? 0x0CCD : 0x1999 * (i % 3));
            u16(252 + matrix * 36 + i * 4, static_cast<uint16_t>(whole));
            u16(254 + matrix * 36 + i * 4, frac);
        }
    }
    strcpy(reinterpret_cast<char*>(&info[468]), "1.02.0034");
    return info;
}

// ---------------------------------------------------------------------------------------
// The cases and their three ways

enum class Way { kBare, kOn, kOff };

struct Case {
    const char* name;
    TW_UINT32 dg;
    TW_UINT16 dat;
    TW_UINT16 msg;
    bool replay;              // answered by the replay driver, else by the sample driver
    std::vector<uint8_t> app; // the structure as the application passes it
    std::vector<uint8_t> answer;
    bool disposeContainer; // the driver made a new container the application disposes of
};

std::vector<Case> Cases() {
    std::vector<Case> cases;
    TW_EVENT event{};
    cases.push_back({"event poll, filtered",
                     DG_CONTROL,
                     DAT_EVENT,
                     MSG_PROCESSEVENT,
                     false,
                     std::vector<uint8_t>(sizeof event),
                     {},
                     false});
    TW_CAPABILITY pixelType{ICAP_PIXELTYPE, 0, nullptr};
    cases.push_back({"capability MSG_GET, enumeration of 3 TWTY_UINT16",
                     DG_CONTROL,
                     DAT_CAPABILITY,
                     MSG_GET,
                     false,
                     std::vector<uint8_t>(reinterpret_cast<uint8_t*>(&pixelType),
                                          reinterpret_cast<uint8_t*>(&pixelType + 1)),
                     {},
                     true});
    TW_CAPABILITY supported{CAP_SUPPORTEDCAPS, TWON_ARRAY, SupportedCapsArray()};
    std::vector<uint8_t> capBytes(reinterpret_cast<uint8_t*>(&supported),
                                  reinterpret_cast<uint8_t*>(&supported + 1));
    cases.push_back({"CAP_SUPPORTEDCAPS, array of 150", DG_CONTROL, DAT_CAPABILITY, MSG_GET, true,
                     capBytes, capBytes, false});
    const TW_IMAGEMEMXFER strip = MemXferStrip();
    std::vector<uint8_t> stripBytes(reinterpret_cast<const uint8_t*>(&strip),
                                    reinterpret_cast<const uint8_t*>(&strip + 1));
    cases.push_back({"TW_IMAGEMEMXFER strip", DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET, true, stripBytes,
                     stripBytes, false});
    const std::vector<uint8_t> hardware = HardwareInfo();
    cases.push_back({"TWXQ_HARDWAREINFO", DG_CONTROL, DAT_XQ_HARDWAREINFO, MSG_GET, true,
                     std::vector<uint8_t>(hardware.size()), hardware, false});
    return cases;
}

// Bytes in the log file now, including what its stream still holds.
long LogSize() {
    fflush(*g_on.logFile);
    struct stat st {};
    fstat(fileno(*g_on.logFile), &st);
    return st.st_size;
}

void Measure(benchmark::State& state, const Case& c, Way way) {
    const Module& module = way == Way::kOff ? g_off : g_on;
    CTripletOperator* const sample = *module.op;
    if (c.replay) {
        g_replay.Answer(c.answer.data(), c.answer.size());
        *module.op = &g_replay;
    }
    CTripletOperator* const driver = *module.op;
    std::vector<uint8_t> data = c.app;
    auto call = [&]() {
        const TW_UINT16 rc = way == Way::kBare
                                 ? driver->OperateTriplet(&g_app, c.dg, c.dat, c.msg, data.data())
                                 : module.entry(&g_app, c.dg, c.dat, c.msg, data.data());
        if (c.disposeContainer) {
            TW_CAPABILITY capability;
            memcpy(&capability, data.data(), sizeof capability);
            DisposeHandle(capability.hContainer);
        }
        return rc;
    };

    // The first call may set things up; its log text is what every call adds.
    long bytes = 0;
    if (way == Way::kOn) {
        if (ftruncate(fileno(*g_on.logFile), 0) != 0) {
            Fail("cannot empty the log file");
        }
        const long before = LogSize();
        call();
        bytes = LogSize() - before;
    } else {
        call();
    }

    const unsigned long allocations = g_allocations.load();
    const unsigned long writes = WriteCalls();
    for (auto _ : state) {
        benchmark::DoNotOptimize(call());
    }
    const double iterations = static_cast<double>(state.iterations());
    state.counters["allocs"] = static_cast<double>(g_allocations.load() - allocations) / iterations;
    state.counters["writes"] = static_cast<double>(WriteCalls() - writes) / iterations;
    state.counters["bytes"] = static_cast<double>(bytes);
    *module.op = sample;
}

// Both analyzer passes alone, on the driver's answer, into a result text with no file: the
// rendering speed.
void Render(benchmark::State& state, const Case& c) {
    CParaAnalyze analyzer;
    analyzer.SetTwainStatus(6);
    g_replay.Answer(c.answer.data(), c.answer.size());
    std::vector<uint8_t> data = c.app;
    CTripletOperator* driver = c.replay ? static_cast<CTripletOperator*>(&g_replay) : *g_on.op;
    const TW_UINT16 rc = driver->OperateTriplet(&g_app, c.dg, c.dat, c.msg, data.data());
    char* const pData = reinterpret_cast<char*>(data.data());
    static char text[RESULT_TEXT_SIZE];
    size_t bytes = 0;
    for (auto _ : state) {
        text[0] = '\0';
        analyzer.TripletAnalyze(&g_app, nullptr, c.dg, c.dat, c.msg, pData, text);
        bytes = strlen(text);
        text[0] = '\0';
        analyzer.ParaAnalyze(&g_app, nullptr, c.dg, c.dat, c.msg, pData, rc, text);
        bytes += std::min(strlen(text), LOG_SECTION_LIMIT);
        benchmark::DoNotOptimize(text);
    }
    if (c.disposeContainer) {
        TW_CAPABILITY capability;
        memcpy(&capability, data.data(), sizeof capability);
        DisposeHandle(capability.hContainer);
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}

const char* const kWayNames[] = {"bare", "log on", "log off"};

#if TWAINMON_TWAIN2
// ---------------------------------------------------------------------------------------
// The source's calls to the manager (the TWAIN 2 build): the monitor's entry point, which
// logs each call and forwards it, against the bare manager entry it forwards to.

TW_UINT16 BareManagerEntry(TW_IDENTITY*, TW_IDENTITY*, TW_UINT32, TW_UINT16, TW_UINT16, TW_MEMREF) {
    return TWRC_SUCCESS;
}

// A driver that keeps the entry point DAT_ENTRYPOINT/MSG_SET hands it.
class CEntryPointKeeper final : public CTripletOperator {
public:
    void Reserved1() override {}
    void Reserved2() override {}
    TW_UINT16 OperateTriplet(TW_IDENTITY*, TW_UINT32, TW_UINT16 DAT, TW_UINT16,
                             TW_MEMREF pData) override {
        if (DAT == DAT_ENTRYPOINT) {
            m_entry = static_cast<const TW_ENTRYPOINT*>(pData)->DSM_Entry;
        }
        return TWRC_SUCCESS;
    }
    DSMENTRYPROC m_entry = nullptr;
};

// The entry point the logging module hands a source for the bare manager entry.
DSMENTRYPROC MonitorEntryPoint() {
    CTripletOperator* const sample = *g_on.op;
    CEntryPointKeeper keeper;
    *g_on.op = &keeper;
    TW_ENTRYPOINT manager{sizeof manager, &BareManagerEntry, nullptr, nullptr, nullptr, nullptr};
    g_on.entry(&g_app, DG_CONTROL, DAT_ENTRYPOINT, MSG_SET, &manager);
    *g_on.op = sample;
    if (keeper.m_entry == nullptr || keeper.m_entry == &BareManagerEntry) {
        Fail("the module handed the source no entry point of its own");
    }
    return keeper.m_entry;
}

const char kSourceCall[] = "source's DAT_NULL/MSG_XFERREADY through the entry point";

// One call of the source, outside any DS_Entry call: logged at once.
void MeasureSourceCall(benchmark::State& state, DSMENTRYPROC entry) {
    TW_IDENTITY source{};
    const unsigned long allocations = g_allocations.load();
    const unsigned long writes = WriteCalls();
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            entry(&source, &g_app, DG_CONTROL, DAT_NULL, MSG_XFERREADY, nullptr));
    }
    const double iterations = static_cast<double>(state.iterations());
    state.counters["allocs"] = static_cast<double>(g_allocations.load() - allocations) / iterations;
    state.counters["writes"] = static_cast<double>(WriteCalls() - writes) / iterations;
}

void RegisterSourceCall() {
    static DSMENTRYPROC bare = &BareManagerEntry;
    benchmark::DoNotOptimize(bare); // called through the pointer, as a source calls
    static const DSMENTRYPROC monitor = MonitorEntryPoint();
    benchmark::RegisterBenchmark((std::string(kSourceCall) + "/bare").c_str(),
                                 [](benchmark::State& state) { MeasureSourceCall(state, bare); });
    benchmark::RegisterBenchmark(
        (std::string(kSourceCall) + "/log on").c_str(),
        [](benchmark::State& state) { MeasureSourceCall(state, monitor); });
}
#endif

// ---------------------------------------------------------------------------------------
// Results: each child process writes its figures, the parent prints medians.

struct Figure {
    double ns = 0, allocs = 0, writes = 0, bytes = 0;
};

class CCollector : public benchmark::BenchmarkReporter {
public:
    explicit CCollector(FILE* out) : m_out(out) {}
    bool ReportContext(const Context&) override { return true; }
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration || run.error_occurred) {
                continue;
            }
            auto counter = [&](const char* name) {
                const auto it = run.counters.find(name);
                return it != run.counters.end() ? it->second.value : 0.0;
            };
            const double ns = run.real_accumulated_time * 1e9 / static_cast<double>(run.iterations);
            fprintf(m_out, "%s\t%.3f\t%.4f\t%.4f\t%.0f\n", run.benchmark_name().c_str(), ns,
                    counter("allocs"), counter("writes"), counter("bytes"));
        }
    }

private:
    FILE* m_out;
};

double Median(std::vector<double> values) {
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void RegisterAll(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        for (Way way : {Way::kBare, Way::kOn, Way::kOff}) {
            const std::string name = std::string(c.name) + "/" + kWayNames[static_cast<int>(way)];
            benchmark::RegisterBenchmark(
                name.c_str(), [&c, way](benchmark::State& state) { Measure(state, c, way); });
        }
    }
#if TWAINMON_TWAIN2
    RegisterSourceCall();
#endif
    for (const Case& c : cases) {
        if (c.dat == DAT_EVENT) {
            continue;
        }
        const std::string name = std::string(c.name) + "/render only";
        benchmark::RegisterBenchmark(name.c_str(),
                                     [&c](benchmark::State& state) { Render(state, c); });
    }
}

void PrintTable(const std::vector<Case>& cases,
                const std::map<std::string, std::vector<Figure>>& figures, int processes) {
    auto median = [&](const std::string& name, double Figure::*field) {
        std::vector<double> values;
        const auto it = figures.find(name);
        if (it != figures.end()) {
            for (const Figure& f : it->second) {
                values.push_back(f.*field);
            }
        }
        return Median(values);
    };
    printf("\nMedians of %d processes, ns per call\n\n", processes);
    printf("| Call | bare | log on: over bare | log off: over bare | log bytes | log MB/s | "
           "render only: MB/s | allocs on / off / bare | writes on |\n");
    printf("|---|---:|---:|---:|---:|---:|---:|---|---:|\n");
    for (const Case& c : cases) {
        const std::string base = c.name;
        const double bare = median(base + "/bare", &Figure::ns);
        const double on = median(base + "/log on", &Figure::ns) - bare;
        const double off = median(base + "/log off", &Figure::ns) - bare;
        const double bytes = median(base + "/log on", &Figure::bytes);
        const double render = median(base + "/render only", &Figure::ns);
        const double renderBytes = median(base + "/render only", &Figure::bytes);
        char renderText[32] = "-";
        if (render > 0) {
            snprintf(renderText, sizeof renderText, "%.0f", renderBytes * 1e3 / render);
        }
        char speed[32] = "-";
        if (bytes > 0 && on > 0) {
            snprintf(speed, sizeof speed, "%.0f", bytes * 1e3 / on);
        }
        printf("| %s | %.1f | %.1f | %.1f | %.0f | %s | %s | %.2f / %.2f / %.2f | %.2f |\n", c.name,
               bare, on, off, bytes, speed, renderText, median(base + "/log on", &Figure::allocs),
               median(base + "/log off", &Figure::allocs), median(base + "/bare", &Figure::allocs),
               median(base + "/log on", &Figure::writes));
    }
#if TWAINMON_TWAIN2
    const std::string source = kSourceCall;
    const double bare = median(source + "/bare", &Figure::ns);
    const double on = median(source + "/log on", &Figure::ns);
    printf("\n| Source's call | bare manager entry | through the monitor | ratio | allocs | writes "
           "|\n|---|---:|---:|---:|---:|---:|\n| %s | %.1f | %.1f | %.1f | %.2f | %.2f |\n",
           kSourceCall, bare, on, bare > 0 ? on / bare : 0.0,
           median(source + "/log on", &Figure::allocs),
           median(source + "/log on", &Figure::writes));
#endif
}

} // namespace

int main(int argc, char** argv) {
    int processes = 8;
    std::vector<char*> args;
    for (int i = 0; i < argc; ++i) {
        if (strncmp(argv[i], "--processes=", 12) == 0) {
            processes = std::max(1, atoi(argv[i] + 12));
        } else {
            args.push_back(argv[i]);
        }
    }
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());

    std::map<std::string, std::vector<Figure>> figures;
    for (int process = 0; process < processes; ++process) {
        int channel[2];
        if (pipe(channel) != 0) {
            Fail("pipe");
        }
        fflush(nullptr);
        const pid_t child = fork();
        if (child == 0) {
            close(channel[0]);
            LoadModules();
            OpenSession(g_on);
            OpenSession(g_off);
            const std::vector<Case> cases = Cases();
            RegisterAll(cases);
            FILE* out = fdopen(channel[1], "w");
            CCollector collector(out);
            benchmark::RunSpecifiedBenchmarks(&collector);
            fclose(out);
            _exit(0);
        }
        close(channel[1]);
        FILE* in = fdopen(channel[0], "r");
        char line[512];
        while (fgets(line, sizeof line, in) != nullptr) {
            char* tab = strchr(line, '\t');
            if (tab == nullptr) {
                continue;
            }
            *tab = '\0';
            Figure f;
            sscanf(tab + 1, "%lf %lf %lf %lf", &f.ns, &f.allocs, &f.writes, &f.bytes);
            figures[line].push_back(f);
        }
        fclose(in);
        int status = 0;
        waitpid(child, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            Fail("a benchmark process failed");
        }
        fprintf(stderr, "process %d of %d done\n", process + 1, processes);
    }
    printf("%-60s %12s\n", "Benchmark (median)", "ns/call");
    for (const auto& [name, list] : figures) {
        std::vector<double> ns;
        for (const Figure& f : list) {
            ns.push_back(f.ns);
        }
        printf("%-60s %12.1f\n", name.c_str(), Median(ns));
    }
    PrintTable(Cases(), figures, processes);
    return 0;
}
