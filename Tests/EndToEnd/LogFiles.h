// The module's log directory, and the module loaded in a child process: shared by the
// end-to-end suites.
#ifndef TWAINMON_TESTS_LOGFILES_H
#define TWAINMON_TESTS_LOGFILES_H

#include <dirent.h>
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "AnalyzerFixture.h" // FileText
#include "TwainLogPaths.h"
#include "twain.h"

// The names of the files in the log directory.
inline std::vector<std::string> LogFiles() {
    std::vector<std::string> names;
    if (DIR* dir = opendir(TWAINMON_LOG_DIRECTORY)) {
        while (dirent* entry = readdir(dir)) {
            if (entry->d_name[0] != '.') {
                names.push_back(entry->d_name);
            }
        }
        closedir(dir);
    }
    return names;
}

inline void RemoveLogDirectory() {
    for (const std::string& name : LogFiles()) {
        unlink((std::string(TWAINMON_LOG_DIRECTORY) + "/" + name).c_str());
    }
    rmdir(TWAINMON_LOG_DIRECTORY);
}

using DSEntryProc = TW_UINT16 (*)(TW_IDENTITY*, TW_UINT32, TW_UINT16, TW_UINT16, TW_MEMREF);

inline void PointDriverPathAt(const char* bundle) {
    unlink(TWAINMON_DRIVER_BUNDLE_PATH);
    ASSERT_EQ(symlink(bundle, TWAINMON_DRIVER_BUNDLE_PATH), 0) << strerror(errno);
}

struct Outcome {
    std::string report; // what the body returned
    std::string errors; // the child's standard error
    std::string log;    // the one log file's contents
    std::vector<std::string> logFiles;
    bool unloaded = false; // module and driver gone after dlclose
};

// Loads the module in a child process, runs body with its DS_Entry, unloads it. The child
// is to exit normally, or to end by expectedSignal; a child that hangs is ended by an alarm
// and fails the case.
inline Outcome RunLoaded(const std::function<std::string(DSEntryProc, void* module)>& body,
                         int expectedSignal = 0) {
    char reportPath[] = "/tmp/twainmon-report-XXXXXX";
    char errorPath[] = "/tmp/twainmon-stderr-XXXXXX";
    const int reportFd = mkstemp(reportPath);
    const int errorFd = mkstemp(errorPath);
    fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        alarm(120);
        dup2(errorFd, STDERR_FILENO);
        std::string report;
        void* module = dlopen(MODULE_PATH, RTLD_NOW | RTLD_LOCAL);
        if (module == nullptr) {
            report = std::string("dlopen failed: ") + dlerror();
        } else {
            auto entry = reinterpret_cast<DSEntryProc>(dlsym(module, "DS_Entry"));
            report = body(entry, module);
            dlclose(module);
            void* again = dlopen(MODULE_PATH, RTLD_NOW | RTLD_NOLOAD);
            void* driver = dlopen(DRIVER_EXECUTABLE, RTLD_NOW | RTLD_NOLOAD);
            report += again == nullptr && driver == nullptr ? "|unloaded" : "|still loaded";
        }
        (void)!write(reportFd, report.data(), report.size());
        _exit(0);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    close(reportFd);
    close(errorFd);
    Outcome outcome;
    outcome.report = FileText(reportPath);
    outcome.errors = FileText(errorPath);
    unlink(reportPath);
    unlink(errorPath);
    if (expectedSignal != 0) {
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == expectedSignal) << outcome.errors;
    } else {
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
            << (WIFSIGNALED(status) ? strsignal(WTERMSIG(status)) : "") << outcome.errors;
    }
    const std::string suffix = "|unloaded";
    if (outcome.report.size() >= suffix.size() &&
        outcome.report.compare(outcome.report.size() - suffix.size(), suffix.size(), suffix) == 0) {
        outcome.unloaded = true;
        outcome.report.resize(outcome.report.size() - suffix.size());
    }
    outcome.logFiles = LogFiles();
    if (outcome.logFiles.size() == 1) {
        outcome.log = FileText(std::string(TWAINMON_LOG_DIRECTORY) + "/" + outcome.logFiles[0]);
    }
    return outcome;
}

#endif // TWAINMON_TESTS_LOGFILES_H
