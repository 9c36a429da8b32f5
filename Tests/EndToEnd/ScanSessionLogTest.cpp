// The whole log of one scan session, as the demo plays it through DS_Entry of the loaded
// module (open the manager and the source, negotiate, enable, transfer-ready event, image
// info, colour description, memory strips, end of transfer, disable, close), compared byte
// for byte with the expected log checked in at Tests/EndToEnd/golden/ScanSession.log.
//
// Addresses differ from run to run: every non-null "<0x........>" is masked to
// "<0x########>" in both. When the log changes on purpose, the test leaves the masked log it
// got in the build tree and prints the one command that makes it the expected log.
#include <gtest/gtest.h>

#include <dlfcn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "LogFiles.h"
#include "ScanSession.h"

namespace {

// Replaces the digits of every non-null "<0x" + 8 hexadecimal digits + ">" by '#'.
std::string MaskAddresses(std::string log) {
    constexpr size_t kDigits = 8;
    for (size_t at = log.find("<0x"); at != std::string::npos; at = log.find("<0x", at + 1)) {
        const size_t first = at + 3;
        if (first + kDigits >= log.size() || log[first + kDigits] != '>') {
            continue;
        }
        bool hex = true;
        bool null = true;
        for (size_t i = first; i < first + kDigits; ++i) {
            hex = hex && std::isxdigit(static_cast<unsigned char>(log[i])) != 0;
            null = null && log[i] == '0';
        }
        if (hex && !null) {
            log.replace(first, kDigits, kDigits, '#');
        }
    }
    return log;
}

// The first line where the two texts differ, both versions shown.
std::string FirstDifference(const std::string& expected, const std::string& actual) {
    std::istringstream e(expected);
    std::istringstream a(actual);
    std::string expectedLine;
    std::string actualLine;
    for (int line = 1;; ++line) {
        const bool moreExpected = static_cast<bool>(std::getline(e, expectedLine));
        const bool moreActual = static_cast<bool>(std::getline(a, actualLine));
        if (!moreExpected && !moreActual) {
            return "the texts differ only in their last line end";
        }
        if (!moreExpected || !moreActual || expectedLine != actualLine) {
            return "line " + std::to_string(line) +
                   "\n  expected: " + (moreExpected ? expectedLine : "<end of log>") +
                   "\n  actual:   " + (moreActual ? actualLine : "<end of log>");
        }
    }
}

// Loads the module in a child process, plays the session, unloads the module; the log it
// wrote, or a report of what went wrong.
std::string PlaySession(std::string* failure) {
    unlink(TWAINMON_DRIVER_BUNDLE_PATH);
    if (symlink(SAMPLE_BUNDLE, TWAINMON_DRIVER_BUNDLE_PATH) != 0) {
        *failure = std::string("cannot point the driver path at the sample: ") + strerror(errno);
        return "";
    }
    RemoveLogDirectory();
    if (mkdir(TWAINMON_LOG_DIRECTORY, 0755) != 0) {
        *failure = std::string("cannot make the log directory: ") + strerror(errno);
        return "";
    }
    fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        void* module = dlopen(MODULE_PATH, RTLD_NOW | RTLD_LOCAL);
        if (module == nullptr) {
            _exit(3);
        }
        auto entry = reinterpret_cast<DSEntryProc>(dlsym(module, "DS_Entry"));
        const bool asExpected = entry != nullptr && CScanSession(entry).Run();
        dlclose(module);
        _exit(asExpected ? 0 : 4);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        *failure = "the session did not go as a scan should (exit status " +
                   std::to_string(WIFEXITED(status) ? WEXITSTATUS(status) : -1) + ")";
    }
    const std::vector<std::string> logs = LogFiles();
    std::string log =
        logs.size() == 1 ? ReadFile(std::string(TWAINMON_LOG_DIRECTORY) + "/" + logs[0]) : "";
    if (logs.size() != 1) {
        *failure += " " + std::to_string(logs.size()) + " log files instead of one";
    }
    RemoveLogDirectory();
    return log;
}

TEST(ScanSessionLog, IsTheExpectedLog) {
    std::string failure;
    const std::string actual = MaskAddresses(PlaySession(&failure));
    ASSERT_EQ(failure, "");
    const std::string expected = MaskAddresses(ReadFile(EXPECTED_LOG));
    if (actual != expected) {
        std::ofstream(ACTUAL_LOG, std::ios::binary) << actual;
        ADD_FAILURE() << "The scan session's log differs from the expected log at "
                      << FirstDifference(expected, actual)
                      << "\nThe log of this run is in " ACTUAL_LOG
                         ".\nIf the change is intended, make it the expected log with:\n"
                         "  cp '" ACTUAL_LOG "' '" EXPECTED_LOG "'";
    }
}

} // namespace
