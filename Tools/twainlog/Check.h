// twainlog check: protocol faults of the application or the source in a session.
#ifndef TWAINLOG_CHECK_H
#define TWAINLOG_CHECK_H

#include <ostream>
#include <string>
#include <vector>

#include "LogReader.h"

namespace twainlog {

struct Fault {
    std::string load; // the load's file when there are several
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

// Follows the state per load as the entries come; faults are all it keeps.
class Checker {
public:
    void StartLoad(const std::string& name);
    void Add(const Record& record);
    void EndLoad();
    std::vector<Fault>& Faults() { return m_faults; }

private:
    void Report(const std::string& text) { Report(m_last, text); }
    struct Last {
        long sequence = -1;
        size_t line = 0;
        std::string title;
    };
    void Report(const Last& at, const std::string& text);

    std::vector<twainlog::Fault> m_faults;
    std::string m_load;
    bool m_any = false; // an entry was seen in this load
    Last m_last;        // the latest entry
    int m_state = 3;
    long m_transfer = -1; // sequence of the call that began an image transfer not yet ended
    bool m_transferOpen = false;
    bool m_transferDone = false;
    bool m_failurePending = false;     // the latest entry failed: the next must be DAT_STATUS
    bool m_announcedByManager = false; // the source tells the manager of its transfers
    bool m_sourceLogged = false;       // the log has the source's calls to the manager
    bool m_closeRequested = false;     // a MSG_CLOSEDSREQ waits for MSG_DISABLEDS
    Last m_closeRequest;               // the entry of that request
};

std::vector<Fault> CheckLog(const Log& log);

void PrintFaults(const std::vector<Fault>& faults, std::ostream& out);

} // namespace twainlog

#endif // TWAINLOG_CHECK_H
