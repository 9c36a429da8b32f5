// The cost of a logged call on Windows: the monitor's DS_Entry with logging on, against the
// sample driver's operator called directly (the bare call), in the same process, on the same
// triplets, in rounds that alternate the two. Prints nanoseconds per call (the median round)
// and the log bytes per call; fails only when the log did not get the calls.
#include <CoreServices/CoreServices.h>
#include <dlfcn.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "CTripletOperator.h"

namespace {

typedef TW_UINT16 (*DSEntryProc)(TW_IDENTITY*, TW_UINT32, TW_UINT16, TW_UINT16, TW_MEMREF);
typedef TW_UINT16 (*Call)(void* target, TW_IDENTITY* origin, TW_MEMREF data);

constexpr int kCalls = 2000;
constexpr int kRounds = 7;

double Now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER count;
    QueryPerformanceCounter(&count);
    return static_cast<double>(count.QuadPart) * 1e9 / static_cast<double>(frequency.QuadPart);
}

TW_UINT16 Send(void* target, bool monitor, TW_IDENTITY* origin, TW_UINT32 dg, TW_UINT16 dat,
               TW_UINT16 msg, TW_MEMREF data) {
    return monitor
               ? reinterpret_cast<DSEntryProc>(target)(origin, dg, dat, msg, data)
               : static_cast<CTripletOperator*>(target)->OperateTriplet(origin, dg, dat, msg, data);
}

// Nanoseconds per call of the median round: kCalls capability requests (an enumeration of
// three items, which the application disposes of) or status requests.
double PerCall(void* target, bool monitor, TW_IDENTITY* origin, bool capability) {
    std::vector<double> rounds;
    for (int round = 0; round < kRounds; ++round) {
        const double start = Now();
        for (int i = 0; i < kCalls; ++i) {
            if (capability) {
                TW_CAPABILITY cap{ICAP_PIXELTYPE, static_cast<TW_UINT16>(TWON_DONTCARE16), nullptr};
                Send(target, monitor, origin, DG_CONTROL, DAT_CAPABILITY, MSG_GET, &cap);
                DisposeHandle(cap.hContainer);
            } else {
                TW_STATUS status{};
                Send(target, monitor, origin, DG_CONTROL, DAT_STATUS, MSG_GET, &status);
            }
        }
        rounds.push_back((Now() - start) / kCalls);
    }
    std::sort(rounds.begin(), rounds.end());
    return rounds[kRounds / 2];
}

// The bytes of every log file in the log directory.
long long LogBytes() {
    long long bytes = 0;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(LOG_DIRECTORY "/Twainlog_*.txt", &found);
    for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found)) {
        bytes += (static_cast<long long>(found.nFileSizeHigh) << 32) + found.nFileSizeLow;
    }
    if (search != INVALID_HANDLE_VALUE) {
        FindClose(search);
    }
    return bytes;
}

} // namespace

int main() {
    CreateDirectoryA(LOG_DIRECTORY, nullptr);
    void* monitor = dlopen(MODULE_PATH, RTLD_NOW);
    void* driver = dlopen(DRIVER_PATH, RTLD_NOW);
    auto entry = reinterpret_cast<DSEntryProc>(monitor ? dlsym(monitor, "DS_Entry") : nullptr);
    auto create = reinterpret_cast<CreateTwainWrapperProc>(
        driver ? dlsym(driver, "CreateTwainWrapper") : nullptr);
    CTripletOperator* bare = nullptr;
    if (entry == nullptr || create == nullptr || (create(CFSTR("TwainMonitor.ds"), &bare), !bare)) {
        std::fprintf(stderr, "call_cost: cannot load %s and %s\n", MODULE_PATH, DRIVER_PATH);
        return 2;
    }
    TW_IDENTITY application{};
    application.Id = 1;
    TW_IDENTITY source{};
    for (const bool logged : {false, true}) {
        void* target = logged ? reinterpret_cast<void*>(entry) : bare;
        Send(target, logged, &application, DG_CONTROL, DAT_PARENT, MSG_OPENDSM, nullptr);
        Send(target, logged, &application, DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &source);
    }
    const long long before = LogBytes();
    for (const bool capability : {true, false}) {
        const double bareNs = PerCall(bare, false, &application, capability);
        const long long start = LogBytes();
        const double loggedNs =
            PerCall(reinterpret_cast<void*>(entry), true, &application, capability);
        const long long bytes = (LogBytes() - start) / (kCalls * kRounds);
        std::printf("%-40s bare %8.0f ns, logged %8.0f ns: +%.0f ns, %.1f times the bare call, "
                    "%lld log bytes per call\n",
                    capability ? "DAT_CAPABILITY/MSG_GET, 3-item enumeration"
                               : "DAT_STATUS/MSG_GET",
                    bareNs, loggedNs, loggedNs - bareNs, loggedNs / bareNs, bytes);
    }
    const bool logged = LogBytes() - before > 0;
    delete bare;
    dlclose(monitor);
    dlclose(driver);
    if (!logged) {
        std::fprintf(stderr, "call_cost: the log did not grow\n");
        return 1;
    }
    return 0;
}
