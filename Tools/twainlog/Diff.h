// twainlog diff: two sessions aligned call by call, and what differs between them.
#ifndef TWAINLOG_DIFF_H
#define TWAINLOG_DIFF_H

#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "LogReader.h"

namespace twainlog {

// Edits the alignment looks for at most: time grows as (N + M) times this, memory with it.
constexpr long kMaxEdits = 20000;

// Where the alignment gave up: parts that needed more edits than the cap.
struct AlignNote {
    size_t unaligned = 0;                // parts left unaligned
    long a0 = 0, a1 = 0, b0 = 0, b1 = 0; // the first of them: a[a0, a1) against b[b0, b1)
};

// A shortest edit script between a and b (Myers, linear space), as pairs of indices in
// order; -1 on the side that lacks the element. A part that needs more than maxEdits edits is
// not aligned: its elements of a are removed, then those of b added, and note says where.
std::vector<std::pair<long, long>> Align(const std::vector<int>& a, const std::vector<int>& b,
                                         long maxEdits = kMaxEdits, AlignNote* note = nullptr);

struct DiffOptions {
    size_t context = 3;              // unchanged entries shown around a change
    bool color = false;              // ANSI colours
    std::vector<std::string> ignore; // field names (or dotted paths) not compared
    long maxEdits = kMaxEdits;
};

// What diff keeps of an entry: its identity, and its compared fields as text.
struct DiffEntry {
    std::string identity; // the kind, a blank, the title; "L" and the file for a load's start
    long sequence = -1;
    std::string returnCode;
    std::string fields; // "path = [value]" lines
};

// One side of a diff, built as its loads' entries come.
class DiffSide {
public:
    explicit DiffSide(const DiffOptions& options) : m_options(options) {}
    // marked: a line for the load's start, aligned with the other side's.
    void StartLoad(const std::string& name, bool marked);
    void Add(const Record& record);
    void EndLoad();
    const std::vector<DiffEntry>& Entries() const { return m_entries; }

private:
    const DiffOptions& m_options;
    std::vector<DiffEntry> m_entries;
    long m_marker = -1;         // the entry of the current load's start
    bool m_identityOnly = true; // every entry of the load so far is DAT_IDENTITY MSG_GET
    size_t m_loadEntries = 0;
};

// Writes the differences; true when the sessions differ. Sequence numbers, addresses and
// handles (every "<0x...>" value) are not compared.
bool DiffSides(const DiffSide& a, const DiffSide& b, const std::string& nameA,
               const std::string& nameB, const DiffOptions& options, std::ostream& out);
bool DiffLogs(const Log& a, const Log& b, const std::string& nameA, const std::string& nameB,
              const DiffOptions& options, std::ostream& out);

} // namespace twainlog

#endif // TWAINLOG_DIFF_H
