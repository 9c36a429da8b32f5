// The whole log of one scan session, as the demo plays it through DS_Entry of the loaded
// module (open the manager and the source, negotiate, enable, transfer-ready event, image
// info, colour description, memory strips, end of transfer, disable, close), compared byte
// for byte with the expected log checked in at Tests/EndToEnd/golden/ScanSession.log.
//
// Addresses differ from run to run: every non-null "<0x........>" is masked to
// "<0x########>" in both. When the log changes on purpose, the test leaves the masked log it
// got in the build tree and prints the one command that makes it the expected log.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cctype>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

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

TEST(ScanSessionLog, IsTheExpectedLog) {
    PointDriverPathAt(SAMPLE_BUNDLE);
    RemoveLogDirectory();
    ASSERT_EQ(mkdir(TWAINMON_LOG_DIRECTORY, 0755), 0) << strerror(errno);
    const Outcome outcome = RunLoaded([](DSEntryProc entry, void*) {
        return std::string(CScanSession(entry).Run() ? ""
                                                     : "the session did not go as a scan should");
    });
    RemoveLogDirectory();
    ASSERT_EQ(outcome.report, "");
    ASSERT_EQ(outcome.logFiles.size(), 1u);
    const std::string actual = MaskAddresses(outcome.log);
    const std::string expected = MaskAddresses(FileText(EXPECTED_LOG));
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
