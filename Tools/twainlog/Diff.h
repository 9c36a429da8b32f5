// twainlog diff: two sessions aligned call by call, and what differs between them.
#ifndef TWAINLOG_DIFF_H
#define TWAINLOG_DIFF_H

#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "LogReader.h"

namespace twainlog {

// A shortest edit script between a and b (Myers, linear space), as pairs of indices in
// order; -1 on the side that lacks the element.
std::vector<std::pair<long, long>> Align(const std::vector<int>& a, const std::vector<int>& b);

struct DiffOptions {
    size_t context = 3;              // unchanged entries shown around a change
    bool color = false;              // ANSI colours
    std::vector<std::string> ignore; // field names (or dotted paths) not compared
};

// Writes the differences; true when the sessions differ. Sequence numbers, addresses and
// handles (every "<0x...>" value) are not compared.
bool DiffLogs(const Log& a, const Log& b, const std::string& nameA, const std::string& nameB,
              const DiffOptions& options, std::ostream& out);

} // namespace twainlog

#endif // TWAINLOG_DIFF_H
