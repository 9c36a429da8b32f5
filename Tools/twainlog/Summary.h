// twainlog summary: what happened in a session, the way strace -c sums up a syscall trace.
#ifndef TWAINLOG_SUMMARY_H
#define TWAINLOG_SUMMARY_H

#include <ostream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "LogReader.h"

namespace twainlog {

struct TripletCount {
    std::string triplet;
    size_t calls = 0;
    size_t failed = 0;
};

struct CodeCount {
    std::string code;
    size_t count = 0;
};

struct FailureReport {
    long sequence = -1;
    size_t line = 0;
    std::string title;
    std::string condition; // the ConditionCode the next DAT_STATUS gave, "" when not asked
    long statusSequence = -1;
};

struct ImageReport {
    long sequence = -1;    // the transfer's first call
    std::string mechanism; // "memory", "native", "file"
    std::string outcome;   // the code that ended it: "TWRC_XFERDONE", "TWRC_CANCEL", "" if open
    size_t strips = 0;     // memory transfers: the calls that wrote a strip
    unsigned long long bytes = 0;
    bool bytesKnown = false;                            // every strip's BytesWritten was in the log
    std::string width, length, pixelType, bitsPerPixel; // from the TW_IMAGEINFO before it
    long pendingAfter = -2; // TW_PENDINGXFERS Count after its MSG_ENDXFER; -2 when unknown
};

struct CapabilityReport {
    std::string cap;
    std::string value; // "" when the container is not in the log
    std::string container;
    std::string msg;
    long sequence = -1;
};

struct Summary {
    size_t entries = 0;
    size_t calls = 0;
    size_t events = 0;
    size_t failuresOnly = 0;
    std::vector<TripletCount> triplets;
    std::vector<CodeCount> returnCodes;
    std::vector<FailureReport> failures;
    std::vector<int> states;
    std::vector<ImageReport> images;
    std::vector<CapabilityReport> capabilities;
    size_t cutEntries = 0;
    bool truncated = false;
    size_t diagnostics = 0;
};

Summary Summarize(const Log& log);

// The value of a TW_CAPABILITY block's container: the one value, the current entry of an
// enumeration, a range's current value or an array's items joined by ",". Sets container
// to the container's type; both are empty when the block holds no container.
std::string CapabilityValue(const Node& capability, std::string& container);

void PrintSummary(const Summary& summary, const std::string& name, std::ostream& out);
nlohmann::json SummaryJson(const Summary& summary, const std::string& name);

} // namespace twainlog

#endif // TWAINLOG_SUMMARY_H
