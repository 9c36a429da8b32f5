// twainlog summary: what happened in a session, the way strace -c sums up a syscall trace.
#ifndef TWAINLOG_SUMMARY_H
#define TWAINLOG_SUMMARY_H

#include <map>
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
    size_t load = 0; // index in Summary::loads
    long sequence = -1;
    size_t line = 0;
    std::string title;
    std::string condition; // the ConditionCode the next DAT_STATUS gave, "" when not asked
    long statusSequence = -1;
    size_t statusLine = 0;
};

struct ImageReport {
    size_t load = 0;
    long sequence = -1; // the transfer's first call
    size_t line = 0;
    std::string mechanism; // "memory", "native", "file"
    std::string outcome;   // the code that ended it: "TWRC_XFERDONE", "TWRC_CANCEL", "" if open
    size_t strips = 0;     // memory transfers: the calls that wrote a strip
    unsigned long long bytes = 0;
    bool bytesKnown = false;                            // every strip's BytesWritten was in the log
    std::string width, length, pixelType, bitsPerPixel; // from the TW_IMAGEINFO before it
    std::string compression; // the TW_IMAGEINFO's, or the memory transfer's own
    long pendingAfter = -2;  // TW_PENDINGXFERS Count after its MSG_ENDXFER; -2 when unknown
};

struct CapabilityReport {
    size_t load = 0;
    std::string cap;
    std::string value; // "" when the container is not in the log
    std::string container;
    std::string msg;
    long sequence = -1;
};

// One load of the data source: one log file.
struct LoadReport {
    std::string name;
    size_t entries = 0;
    bool identityOnly = false; // every entry is DAT_IDENTITY MSG_GET: the DSM listing sources
};

struct Summary {
    std::vector<LoadReport> loads;
    size_t entries = 0;
    size_t calls = 0;
    size_t sourceCalls = 0; // of the calls: the source's to the manager ([DS] entries)
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
    // Beyond kMaxListed failures, images or state changes, only their counts and sums go on.
    size_t failureCount = 0, imageCount = 0, imagesDone = 0, stateChanges = 0;
    unsigned long long imageBytes = 0;
    bool imageBytesKnown = true;
    size_t notes = 0;
    std::vector<LoggerLine> shownNotes; // the first kShownNotes, with their loads
    std::vector<size_t> shownNoteLoads;

    // "[00012]", or "2:[00012]" when there are several loads.
    std::string Ref(size_t load, long sequence) const;
};

constexpr size_t kShownNotes = 10;
constexpr size_t kMaxListed = 1000;
// Distinct triplets, return codes or capabilities kept apart; the rest count as "(others)".
constexpr size_t kMaxDistinct = 10000;

// Sums up loads as their entries come: memory grows with what it reports (distinct triplets
// and codes, failures, images, capabilities, state changes), not with the logs' length.
class SummaryBuilder {
public:
    void StartLoad(const std::string& name);
    void Add(const Record& record);
    void CloseImage();
    void Note(const LoggerLine& note);
    void Diagnostic() { ++m_summary.diagnostics; }
    Summary Finish();

private:
    Summary m_summary;
    std::map<std::string, size_t> m_triplets, m_codes, m_capabilities;
    int m_state = 3;
    long m_pendingFailure = -1; // the failure waiting for the DAT_STATUS that tells its code
    ImageReport m_info;         // the latest TW_IMAGEINFO, copied into the transfer that follows
    ImageReport m_image;        // the latest transfer, listed once it ends
    bool m_hasImage = false;
    bool m_imageOpen = false; // no MSG_ENDXFER yet
};

// "1 entry", "2 entries", "3 calls".
std::string Plural(size_t n, const std::string& word);

// One log, as one load.
Summary Summarize(const Log& log, const std::string& name = "");

// The value of a TW_CAPABILITY block's container: the one value, the current entry of an
// enumeration, a range's current value or an array's items joined by ",". Sets container
// to the container's type; both are empty when the block holds no container.
std::string CapabilityValue(const Node& capability, std::string& container);

void PrintSummary(const Summary& summary, const std::string& name, std::ostream& out);
nlohmann::json SummaryJson(const Summary& summary, const std::string& name);

} // namespace twainlog

#endif // TWAINLOG_SUMMARY_H
