// twainlog check: protocol faults of the application or the source in a session.
#ifndef TWAINLOG_CHECK_H
#define TWAINLOG_CHECK_H

#include <ostream>
#include <string>
#include <vector>

#include "LogReader.h"

namespace twainlog {

struct Fault {
    long sequence = -1;
    size_t line = 0;
    std::string call; // the entry's triplet
    std::string text;
};

// Which states TWAIN allows a triplet in, whatever its data group.
struct StateRule {
    const char* dat;
    const char* messages; // separated by blanks
    const char* states;   // "4", "4-7"
    const char* why;      // said when the rule is broken
};

extern const std::vector<StateRule> kAllowedStates;

std::vector<Fault> CheckLog(const Log& log);

void PrintFaults(const std::vector<Fault>& faults, std::ostream& out);

} // namespace twainlog

#endif // TWAINLOG_CHECK_H
