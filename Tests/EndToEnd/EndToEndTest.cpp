// The data source as a host sees it: loaded with dlopen in a child process per case, with
// the driver bundle path pointing at the sample driver or at a broken bundle, and the log
// directory present or absent.
#include <gtest/gtest.h>

#include <dlfcn.h>
#include <fcntl.h>
#include <pthread.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <CoreServices/CoreServices.h>

#include <atomic>
#include <csignal>
#include <cstring>
#include <ctime>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "AnalyzerFixture.h"
#include "LogFiles.h"
#include "ParaAnalyze.h"
#include "TwainLog.h"
#include "TwainWrapperProbe.h"
#include "TwainXq.h"

namespace {

// What the sample driver exports for hosts that want to see what reached it.
struct Probe {
    void* handle = dlopen(DRIVER_EXECUTABLE, RTLD_NOW | RTLD_NOLOAD);
    ~Probe() {
        if (handle != nullptr) {
            dlclose(handle);
        }
    }
    template <typename F>
    F Get(const char* name) const {
        return handle ? reinterpret_cast<F>(dlsym(handle, name)) : nullptr;
    }
    const TwainWrapperCall* LastCall() const {
        auto f = Get<const TwainWrapperCall* (*)()>("TwainWrapperLastCall");
        return f ? f() : nullptr;
    }
    std::string ModuleName() const {
        auto f = Get<const char* (*)()>("TwainWrapperModuleName");
        return f ? f() : "<no probe>";
    }
};

// Entry n of a call with a null pData made in state 3.
std::string NullDataEntry(int n, const std::string& datMsg, bool failed = false,
                          const std::string& notes = "") {
    return ::NullDataEntry(n, datMsg, 3, failed, notes);
}

class EndToEnd : public testing::Test {
protected:
    void Load(const char* bundle, bool logging) {
        PointDriverPathAt(bundle);
        RemoveLogDirectory();
        if (logging) {
            ASSERT_EQ(mkdir(TWAINMON_LOG_DIRECTORY, 0755), 0);
        }
    }
    void TearDown() override {
        RemoveLogDirectory();
        PointDriverPathAt(SAMPLE_BUNDLE);
    }
};

TEST_F(EndToEnd, LoadHandsTheModuleNameToTheFactoryAndSetsTheState) {
    for (bool logging : {true, false}) {
        Load(SAMPLE_BUNDLE, logging);
        Outcome outcome = RunLoaded([](DSEntryProc, void* module) {
            auto* analyzer = static_cast<CParaAnalyze*>(dlsym(module, "g_cParaAnalyze"));
            Probe probe;
            auto live = probe.Get<int (*)()>("TwainWrapperLiveOperators");
            // Nothing but the entry points and the module's globals is exported.
            for (const char* hidden : {"_Z13setupTwainLogv", "_Z12WriteLogFilePKhm",
                                       "_Z12GetMacroName10MacroTablelPcm", "twrc_macros"}) {
                if (dlsym(module, hidden) != nullptr) {
                    return std::string("exported: ") + hidden;
                }
            }
            return probe.ModuleName() + " state " + std::to_string(analyzer->m_nTwainStatus) +
                   " operators " + std::to_string(live ? live() : -1) + " label " +
                   analyzer->m_szAppName;
        });
        EXPECT_EQ(outcome.report, std::string("TwainMonitor.ds state ") + (logging ? "3" : "0") +
                                      " operators 1 label APP");
        EXPECT_TRUE(outcome.unloaded);
    }
}

// One triplet of the forwarding table, with a parameter block the driver may fill.
struct Triplet {
    TW_UINT32 dg;
    TW_UINT16 dat;
    TW_UINT16 msg;
    TW_UINT16 cap; // the TW_CAPABILITY's Cap for DAT_CAPABILITY
};

const Triplet kSession[] = {
    {DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, 0},
    {DG_CONTROL, DAT_CAPABILITY, MSG_GET, CAP_SUPPORTEDCAPS},
    {DG_CONTROL, DAT_CAPABILITY, MSG_GET, ICAP_PIXELTYPE},
    {DG_CONTROL, DAT_CAPABILITY, MSG_GET, 0x9000}, // unsupported
    {DG_CONTROL, DAT_STATUS, MSG_GET, 0},
    {DG_CONTROL, DAT_CAPABILITY, MSG_GET, CAP_XQ_VERSION},
    {DG_CONTROL, DAT_XQ_SETTINGFRAME, MSG_GET, 0},
    {DG_CONTROL, DAT_XQ_EVENT, MSG_XQ_TIMERRESET, 0},
    {DG_CONTROL, DAT_XQ_EDGEFILLAREA, MSG_GET, 0},
    {DG_IMAGE, DAT_IMAGEINFO, MSG_GET, 0}, // out of sequence
    {8, DAT_NULL, MSG_NULL, 0},
    {DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, 0},
    {DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, 0},
    {DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, 0},
    {DG_CONTROL, DAT_PENDINGXFERS, MSG_RESET, 0},
    {DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, 0},
    {DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, 0},
};

// Runs the session; reports each call's code and whether the driver saw exactly the
// caller's arguments and returned that code.
std::string ForwardSession(DSEntryProc entry) {
    Probe probe;
    if (probe.LastCall() == nullptr) {
        return "no probe";
    }
    std::string report;
    for (const Triplet& t : kSession) {
        alignas(8) unsigned char block[1024] = {};
        TW_IDENTITY origin{};
        origin.Id = 42;
        auto* capability = reinterpret_cast<TW_CAPABILITY*>(block);
        capability->Cap = t.cap;
        const TW_UINT16 rc = entry(&origin, t.dg, t.dat, t.msg, block);
        const TwainWrapperCall* seen = probe.LastCall();
        const bool same = seen->pOrigin == &origin && seen->DG == t.dg && seen->DAT == t.dat &&
                          seen->MSG == t.msg && seen->pData == block && seen->rc == rc;
        report += std::to_string(rc) + (same ? " " : "! ");
        if (t.dat == DAT_CAPABILITY && capability->hContainer != nullptr) {
            DisposeHandle(capability->hContainer);
        }
    }
    return report;
}

TEST_F(EndToEnd, ForwardsEveryTripletAndReturnsTheDriversCode) {
    Load(SAMPLE_BUNDLE, true);
    Outcome on = RunLoaded([](DSEntryProc entry, void*) { return ForwardSession(entry); });
    Load(SAMPLE_BUNDLE, false);
    Outcome off = RunLoaded([](DSEntryProc entry, void*) { return ForwardSession(entry); });
    EXPECT_EQ(on.report.find('!'), std::string::npos) << on.report;
    EXPECT_EQ(on.report, off.report);
    // The sample driver's answers: successes, failures for the unsupported capability, the
    // unknown vendor type, the out-of-sequence call and the unknown group, then a transfer-ready
    // event, no event, and the way back to a closed source.
    EXPECT_EQ(on.report, "0 0 0 1 0 0 0 0 1 1 1 0 4 5 0 0 0 ");
    EXPECT_TRUE(on.unloaded);
    EXPECT_TRUE(off.unloaded);
}

// Failed calls, a poll of a source that is not enabled among them, return the driver's code
// and leave the caller's block as it was. Their log bytes are LogTriplet's (LogWrite tests),
// reached from DS_Entry as in the golden scan-session log.
TEST_F(EndToEnd, FailedCallsLeaveTheCallersBlockAlone) {
    Load(SAMPLE_BUNDLE, true);
    Outcome outcome = RunLoaded([](DSEntryProc entry, void*) {
        alignas(8) unsigned char block[64];
        memset(block, 0x5a, sizeof block);
        TW_EVENT event{};
        std::string report;
        report += std::to_string(entry(nullptr, DG_CONTROL, DAT_XQ_EDGEFILLAREA, MSG_GET, block));
        report +=
            " " + std::to_string(entry(nullptr, DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, &event));
        report +=
            " " + std::to_string(entry(nullptr, DG_CONTROL, DAT_XQ_DUALIMAGE, MSG_SET, nullptr));
        bool untouched = true;
        for (unsigned char byte : block) {
            untouched = untouched && byte == 0x5a;
        }
        return report + (untouched ? " untouched" : " changed");
    });
    EXPECT_EQ(outcome.report, "1 1 1 untouched");
    EXPECT_EQ(outcome.log.find("TWRC_SUCCESS"), std::string::npos) << outcome.log;
    EXPECT_EQ(outcome.errors, "Close Log File.\n");
}

// What a user of the shared log directory can plant at the names of the next log file.
enum class Plant { SymbolicLink, Fifo, HardLink, WritableFile };

// Plants at every name a load in the two seconds from a target second can choose (the links
// all to the file victim, which holds "keep"), and returns when the target second begins. A
// slow machine that is not done before the target tries again with a longer lead.
bool PlantAtTheNextLogNames(Plant plant, const std::string& victim) {
    for (time_t lead = 3; lead <= 48; lead *= 2) {
        RemoveLogDirectory();
        if (mkdir(TWAINMON_LOG_DIRECTORY, 0755) != 0) {
            return false;
        }
        std::ofstream(victim) << "keep";
        const time_t target = time(nullptr) + lead;
        for (time_t second = target; second <= target + 1; ++second) {
            struct tm local {};
            localtime_r(&second, &local);
            for (int ms = 0; ms <= 1000; ++ms) {
                char name[256];
                snprintf(name, sizeof name, "%s/Twainlog_%04d%02d%02d_%02d%02d%02d_%04d.txt",
                         TWAINMON_LOG_DIRECTORY, local.tm_year + 1900, local.tm_mon + 1,
                         local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec, ms);
                const int file = plant == Plant::WritableFile ? creat(name, 0666) : -1;
                const int planted = plant == Plant::SymbolicLink ? symlink(victim.c_str(), name)
                                    : plant == Plant::Fifo       ? mkfifo(name, 0666)
                                    : plant == Plant::HardLink   ? link(victim.c_str(), name)
                                                                 : fchmod(file, 0666) | close(file);
                if (planted != 0) {
                    return false;
                }
            }
        }
        if (time(nullptr) < target) {
            while (time(nullptr) < target) {
                usleep(10000);
            }
            return true;
        }
    }
    return false;
}

// Whatever is planted at the names of the next two seconds, the load writes its own new file
// at the next name of its stamp, which only its user can write.
TEST_F(EndToEnd, NothingPlantedAtTheLogFileNameIsWrittenOrWaitedFor) {
    const struct {
        const char* name;
        Plant plant;
    } plants[] = {
        {"symbolic link", Plant::SymbolicLink},
        {"FIFO", Plant::Fifo}, // opening it for writing would wait for a reader
        {"hard link", Plant::HardLink},
        {"file anyone can write", Plant::WritableFile},
    };
    PointDriverPathAt(SAMPLE_BUNDLE);
    for (const auto& p : plants) {
        SCOPED_TRACE(p.name);
        const std::string victim = std::string(TWAINMON_LOG_DIRECTORY) + "/../victim.txt";
        ASSERT_TRUE(PlantAtTheNextLogNames(p.plant, victim));
        Outcome outcome = RunLoaded([](DSEntryProc entry, void*) {
            TW_STATUS status{};
            return std::to_string(entry(nullptr, DG_CONTROL, DAT_STATUS, MSG_GET, &status));
        });
        EXPECT_EQ(outcome.report, "0");
        EXPECT_EQ(FileText(victim), "keep");
        EXPECT_EQ(outcome.errors, "Close Log File.\n");
        std::vector<std::string> own;
        for (const std::string& name : outcome.logFiles) {
            const std::string path = std::string(TWAINMON_LOG_DIRECTORY) + "/" + name;
            struct stat status {};
            ASSERT_EQ(lstat(path.c_str(), &status), 0);
            if (name.size() > 7 && name.compare(name.size() - 7, 7, "_01.txt") == 0) {
                own.push_back(name);
                EXPECT_EQ(status.st_mode & 0777, 0644u);
                EXPECT_EQ(FileText(path).find("[00001] [APP] DG_CONTROL/DAT_STATUS/MSG_GET\r\n"),
                          0u);
            } else if (S_ISREG(status.st_mode)) {
                EXPECT_EQ(status.st_size, p.plant == Plant::HardLink ? 4 : 0) << name;
            }
        }
        EXPECT_EQ(own.size(), 1u);
        unlink(victim.c_str());
    }
}

struct BrokenLoad {
    const char* name;
    const char* bundle;
};

TEST_F(EndToEnd, WithoutOperatorEveryCallFailsAndIsLogged) {
    const BrokenLoad loads[] = {{"no bundle", MISSING_BUNDLE},
                                {"no factory", NO_FACTORY_BUNDLE},
                                {"factory throws", THROWING_FACTORY_BUNDLE}};
    for (const BrokenLoad& load : loads) {
        SCOPED_TRACE(load.name);
        Load(load.bundle, true);
        Outcome outcome = RunLoaded([](DSEntryProc entry, void* module) {
            TW_IDENTITY identity{};
            auto* analyzer = static_cast<CParaAnalyze*>(dlsym(module, "g_cParaAnalyze"));
            std::string report = std::to_string(analyzer->m_nTwainStatus);
            report += " " + std::to_string(
                                entry(&identity, DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &identity));
            report += " " + std::to_string(entry(&identity, DG_CONTROL, DAT_XQ_SETTINGFRAME,
                                                 MSG_GET, nullptr));
            return report + " " + std::to_string(analyzer->m_nTwainStatus);
        });
        EXPECT_EQ(outcome.report, "3 1 1 3");
        EXPECT_EQ(outcome.log.find("[00001] [APP] DG_CONTROL/DAT_IDENTITY/MSG_OPENDS\r\n"
                                   "        Return Code = [TWRC_FAILURE]\r\n"),
                  0u)
            << outcome.log;
        EXPECT_NE(outcome.log.find(NullDataEntry(2, "DAT_XQ_SETTINGFRAME/MSG_GET", true)),
                  std::string::npos)
            << outcome.log;
        EXPECT_EQ(outcome.errors, "Close Log File.\n");
        EXPECT_TRUE(outcome.unloaded);
    }
}

TEST_F(EndToEnd, WithoutOperatorOrLogDirectoryNothingIsWritten) {
    Load(MISSING_BUNDLE, false);
    Outcome outcome = RunLoaded([](DSEntryProc entry, void*) {
        return std::to_string(entry(nullptr, DG_CONTROL, DAT_STATUS, MSG_GET, nullptr));
    });
    EXPECT_EQ(outcome.report, "1");
    EXPECT_TRUE(outcome.logFiles.empty());
    EXPECT_EQ(outcome.errors, "");
    EXPECT_TRUE(outcome.unloaded);
}

TEST_F(EndToEnd, DriverThatThrowsFailsTheCallAndTheLogSaysSo) {
    Load(THROWING_OPERATOR_BUNDLE, true);
    Outcome outcome = RunLoaded([](DSEntryProc entry, void*) {
        std::string report;
        for (TW_UINT16 msg : {MSG_SET, MSG_RESET, MSG_GET}) {
            report += std::to_string(entry(nullptr, DG_CONTROL, DAT_XQ_EDGEFILLAREA, msg, nullptr));
        }
        return report;
    });
    // A C++ exception and any other one alike; the next call is served as usual.
    EXPECT_EQ(outcome.report, "110");
    const std::string threw = "*** Driver threw an exception; TWRC_FAILURE returned ***\r\n";
    EXPECT_EQ(outcome.log, NullDataEntry(1, "DAT_XQ_EDGEFILLAREA/MSG_SET", true, threw) +
                               NullDataEntry(2, "DAT_XQ_EDGEFILLAREA/MSG_RESET", true, threw) +
                               NullDataEntry(3, "DAT_XQ_EDGEFILLAREA/MSG_GET"));
    EXPECT_EQ(outcome.errors, "Close Log File.\n");
    EXPECT_TRUE(outcome.unloaded);
}

TEST_F(EndToEnd, CallsFromTwoThreadsLogWholeEntries) {
    // Each thread makes its own call over and over; every entry must come out whole, and the
    // sequence numbers in file order must count up by one.
    constexpr int kCalls = 20000;
    const std::string success = NullDataEntry(0, "DAT_XQ_EDGEFILLAREA/MSG_GET").substr(7);
    const std::string failure = NullDataEntry(0, "DAT_XQ_DUALIMAGE/MSG_GET", true).substr(7);
    Load(THROWING_OPERATOR_BUNDLE, true);
    Outcome outcome = RunLoaded([](DSEntryProc entry, void*) {
        std::atomic<int> ready{0};
        std::string reports[2];
        auto hammer = [&](int which) {
            const TW_UINT16 dat = which == 0 ? DAT_XQ_EDGEFILLAREA : DAT_XQ_DUALIMAGE;
            const TW_UINT16 expected = which == 0 ? TWRC_SUCCESS : TWRC_FAILURE;
            ++ready;
            while (ready.load() < 2) {
            }
            int wrong = 0;
            for (int i = 0; i < kCalls; ++i) {
                wrong += entry(nullptr, DG_CONTROL, dat, MSG_GET, nullptr) != expected;
            }
            reports[which] = std::to_string(wrong);
        };
        std::thread first(hammer, 0);
        std::thread second(hammer, 1);
        first.join();
        second.join();
        return reports[0] + " " + reports[1];
    });
    EXPECT_EQ(outcome.report, "0 0");
    EXPECT_EQ(outcome.errors, "Close Log File.\n");
    int successes = 0;
    int failures = 0;
    size_t at = 0;
    for (long number = 1; at < outcome.log.size(); ++number) {
        char prefix[32];
        snprintf(prefix, sizeof prefix, "[%05ld]", number);
        ASSERT_EQ(outcome.log.compare(at, strlen(prefix), prefix), 0)
            << "at byte " << at << ": " << outcome.log.substr(at, 200);
        at += strlen(prefix);
        if (outcome.log.compare(at, success.size(), success) == 0) {
            at += success.size();
            ++successes;
        } else if (outcome.log.compare(at, failure.size(), failure) == 0) {
            at += failure.size();
            ++failures;
        } else {
            FAIL() << "entry " << number << " garbled: " << outcome.log.substr(at, 300);
        }
    }
    EXPECT_EQ(successes, kCalls);
    EXPECT_EQ(failures, kCalls);
}

#if TWAINMON_TWAIN2
// The manager of the TWAIN 2 case: counts the calls made to it, and accepts only a transfer's
// announcement.
int g_managerCalls = 0;
TW_UINT16 Manager(TW_IDENTITY*, TW_IDENTITY*, TW_UINT32 DG, TW_UINT16 DAT, TW_UINT16 MSG,
                  TW_MEMREF pData) {
    ++g_managerCalls;
    return DG == DG_CONTROL && DAT == DAT_NULL && MSG == MSG_XFERREADY && pData == nullptr
               ? TWRC_SUCCESS
               : TWRC_FAILURE;
}

// The source (the throwing driver) announces its transfer inside MSG_ENABLEDS: with logging on
// through the monitor's entry point, and the entry follows MSG_ENABLEDS's; with logging off it
// has the manager's own.
TEST_F(EndToEnd, SourceCallsGoThroughTheMonitorAndFollowTheirCall) {
    for (const bool logging : {true, false}) {
        Load(THROWING_OPERATOR_BUNDLE, logging);
        Outcome outcome = RunLoaded([](DSEntryProc entry, void*) {
            TW_ENTRYPOINT given{
                sizeof(TW_ENTRYPOINT), &Manager, nullptr, nullptr, nullptr, nullptr};
            TW_ENTRYPOINT received{};
            entry(nullptr, DG_CONTROL, DAT_ENTRYPOINT, MSG_SET, &given);
            entry(nullptr, DG_CONTROL, DAT_ENTRYPOINT, MSG_GET, &received);
            entry(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, nullptr);
            const TW_UINT16 rc =
                entry(nullptr, DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, nullptr);
            return std::to_string(rc) +
                   (received.DSM_Entry == &Manager ? " manager's " : " monitor's ") +
                   std::to_string(g_managerCalls);
        });
        EXPECT_EQ(outcome.report, logging ? "0 monitor's 1" : "0 manager's 1");
        EXPECT_TRUE(outcome.unloaded);
        if (!logging) {
            EXPECT_TRUE(outcome.logFiles.empty());
            continue;
        }
        const std::string tail = ::NullDataEntry(3, "DAT_IDENTITY/MSG_OPENDS", 4) +
                                 ::NullDataEntry(4, "DAT_USERINTERFACE/MSG_ENABLEDS", 5) +
                                 ::NullDataEntry(5, "DAT_NULL/MSG_XFERREADY", 6, false, "", "DS");
        ASSERT_GT(outcome.log.size(), tail.size());
        EXPECT_EQ(outcome.log.substr(outcome.log.size() - tail.size()), tail);
        EXPECT_EQ(outcome.log.rfind("[00001] [APP] DG_CONTROL/DAT_ENTRYPOINT/MSG_SET\r\n", 0), 0u);
        EXPECT_NE(outcome.log.find("\r\n  TW_ENTRYPOINT = {\r\n    Size            = [" +
                                   std::to_string(sizeof(TW_ENTRYPOINT)) + "]\r\n"),
                  std::string::npos);
    }
}
#endif

TEST_F(EndToEnd, HostKilledAfterItsCallsLeavesEveryLoggedCallInTheFile) {
    Load(THROWING_OPERATOR_BUNDLE, true);
    Outcome outcome = RunLoaded(
        [](DSEntryProc entry, void*) {
            TW_EVENT event{};
            entry(nullptr, DG_CONTROL, DAT_XQ_EDGEFILLAREA, MSG_GET, nullptr);
            entry(nullptr, DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, &event); // not logged
            entry(nullptr, DG_CONTROL, DAT_XQ_DUALIMAGE, MSG_SET, nullptr);
            kill(getpid(), SIGKILL);
            return std::string("not killed");
        },
        SIGKILL);
    EXPECT_EQ(outcome.report, "");
    EXPECT_EQ(outcome.errors, ""); // no unload
    EXPECT_EQ(outcome.log, NullDataEntry(1, "DAT_XQ_EDGEFILLAREA/MSG_GET") +
                               NullDataEntry(2, "DAT_XQ_DUALIMAGE/MSG_SET", true));
}

// The entry of the n-th logged DAT_XQ_EDGEFILLAREA MSG_GET that succeeds in state 3.
std::string EdgeFillEntry(int n) {
    return NullDataEntry(n, "DAT_XQ_EDGEFILLAREA/MSG_GET");
}

TEST_F(EndToEnd, FileSizeLimitStopsTheLogNotTheHost) {
    // SIGXFSZ keeps its default action, which ends the process.
    Load(THROWING_OPERATOR_BUNDLE, true);
    struct rlimit saved {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    struct rlimit limit = saved;
    limit.rlim_cur = 2000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0); // inherited by the host
    Outcome outcome = RunLoaded([](DSEntryProc entry, void*) {
        std::string report;
        for (int i = 0; i < 40; ++i) {
            report +=
                std::to_string(entry(nullptr, DG_CONTROL, DAT_XQ_EDGEFILLAREA, MSG_GET, nullptr));
        }
        return report;
    });
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &saved), 0);
    EXPECT_EQ(outcome.report, std::string(40, '0'));
    const std::string stop = "*** Logging stopped: file size limit of 2000 bytes reached ***\r\n";
    std::string entries;
    for (int n = 1; entries.size() + stop.size() < outcome.log.size(); ++n) {
        entries += EdgeFillEntry(n);
    }
    EXPECT_EQ(outcome.log, entries + stop);
    EXPECT_LE(outcome.log.size(), 2000u);
}

DSEntryProc g_cancelledEntry = nullptr;

TEST_F(EndToEnd, ForksAndCancelledThreadsLeaveTheHostAlone) {
    const struct {
        const char* name;
        std::function<std::string(DSEntryProc, void*)> body;
        std::string report;
    } cases[] = {
        // Children forked while another thread logs: each makes a call and unloads. None
        // waits for the lock its parent's thread held, none writes the log.
        {"fork while another thread logs",
         [](DSEntryProc entry, void* module) {
             auto terminate = reinterpret_cast<void (*)()>(dlsym(module, "MachO_Termination"));
             std::atomic<bool> stop{false};
             std::thread logging([&] {
                 while (!stop) {
                     entry(nullptr, DG_CONTROL, DAT_XQ_EDGEFILLAREA, MSG_GET, nullptr);
                 }
             });
             int clean = 0;
             for (int i = 0; i < 40; ++i) {
                 const pid_t child = fork();
                 if (child == 0) {
                     alarm(10);
                     const TW_UINT16 rc =
                         entry(nullptr, DG_CONTROL, DAT_XQ_DUALIMAGE, MSG_GET, nullptr);
                     terminate();
                     _exit(rc == TWRC_FAILURE ? 0 : 1);
                 }
                 int status = 0;
                 waitpid(child, &status, 0);
                 clean += WIFEXITED(status) && WEXITSTATUS(status) == 0;
             }
             stop = true;
             logging.join();
             return std::to_string(clean) + " clean";
         },
         "40 clean"},
        // A thread cancelled while the driver waits: it ends as it would without the module,
        // and the next call is logged as usual.
        {"cancel inside the driver",
         [](DSEntryProc entry, void*) {
             g_cancelledEntry = entry;
             pthread_t thread;
             pthread_create(
                 &thread, nullptr,
                 [](void*) -> void* {
                     g_cancelledEntry(nullptr, DG_CONTROL, DAT_XQ_EDGEFILLAREA, MSG_GETDEFAULT,
                                      nullptr);
                     return nullptr;
                 },
                 nullptr);
             usleep(20000);
             pthread_cancel(thread);
             void* result = nullptr;
             pthread_join(thread, &result);
             return std::string(result == PTHREAD_CANCELED ? "cancelled " : "returned ") +
                    std::to_string(
                        entry(nullptr, DG_CONTROL, DAT_XQ_EDGEFILLAREA, MSG_GET, nullptr));
         },
         "cancelled 0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Load(THROWING_OPERATOR_BUNDLE, true);
        Outcome outcome = RunLoaded(c.body);
        EXPECT_EQ(outcome.report, c.report);
        EXPECT_EQ(outcome.errors, "Close Log File.\n"); // the parent's unload alone
        std::string entries;
        for (int n = 1; entries.size() < outcome.log.size(); ++n) {
            entries += EdgeFillEntry(n);
        }
        EXPECT_EQ(outcome.log, entries); // whole entries, none of a child
        EXPECT_FALSE(outcome.log.empty());
    }
}

TEST_F(EndToEnd, SecondTerminationDoesNothing) {
    Load(SAMPLE_BUNDLE, true);
    Outcome outcome = RunLoaded([](DSEntryProc entry, void* module) {
        auto terminate = reinterpret_cast<void (*)()>(dlsym(module, "MachO_Termination"));
        Probe probe;
        auto live = probe.Get<int (*)()>("TwainWrapperLiveOperators");
        std::string report = std::to_string(live());
        terminate();
        report += " " + std::to_string(live());
        terminate(); // and the unload's own call follows
        // Nothing left to forward to or to log into.
        TW_STATUS status{};
        return report + " " +
               std::to_string(entry(nullptr, DG_CONTROL, DAT_STATUS, MSG_GET, &status));
    });
    EXPECT_EQ(outcome.report, "1 0 1");
    EXPECT_EQ(outcome.errors, "Close Log File.\n");
    EXPECT_EQ(outcome.log, "");
    EXPECT_TRUE(outcome.unloaded);
}

} // namespace
