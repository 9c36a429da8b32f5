#include "Check.h"

#include <algorithm>
#include <string_view>

#include "TwainStates.h"
#include "Escape.h"

namespace twainlog {

// DAT_PARENT is not judged: the manager answers it, and a source is loaded in state 3, once
// the manager is open.
const std::vector<StateRule> kAllowedStates = {
    {"DAT_IDENTITY", "MSG_OPENDS", "3", "a source is opened only while it is closed"},
    {"DAT_IDENTITY", "MSG_CLOSEDS", "4", "a source is closed only once it is disabled"},
    {"DAT_USERINTERFACE", "MSG_ENABLEDS MSG_ENABLEDSUIONLY", "4",
     "a source is enabled only while it is open and disabled"},
    {"DAT_USERINTERFACE", "MSG_DISABLEDS", "5",
     "a source is disabled only while enabled with no transfer pending"},
    {"DAT_CAPABILITY", "MSG_GET MSG_GETCURRENT MSG_GETDEFAULT MSG_QUERYSUPPORT", "4-7",
     "capabilities are read only while the source is open"},
    {"DAT_CAPABILITY", "MSG_SET MSG_RESET MSG_RESETALL MSG_SETCONSTRAINT", "4",
     "capabilities are set only before the source is enabled"},
    {"DAT_EVENT", "MSG_PROCESSEVENT", "5-7", "events go only to an enabled source"},
    {"DAT_STATUS", "MSG_GET", "4-7", "a source answers DAT_STATUS only while it is open"},
    {"DAT_PENDINGXFERS", "MSG_GET", "4-7", "pending transfers are read only from an open source"},
    {"DAT_PENDINGXFERS", "MSG_ENDXFER", "6-7", "only a transfer under way or ready can be ended"},
    {"DAT_PENDINGXFERS", "MSG_RESET MSG_STOPFEEDER", "6",
     "pending transfers are dropped only between transfers"},
    {"DAT_SETUPMEMXFER", "MSG_GET", "4-6", "buffer sizes are asked before the transfer"},
    {"DAT_SETUPFILEXFER", "MSG_GET MSG_GETDEFAULT MSG_SET MSG_RESET", "4-6",
     "the transfer file is chosen before the transfer"},
    {"DAT_XFERGROUP", "MSG_GET", "4-6", "the transfer group is read before the transfer"},
    {"DAT_XFERGROUP", "MSG_SET", "4", "the transfer group is set before the source is enabled"},
    {"DAT_CUSTOMDSDATA", "MSG_GET MSG_SET", "4",
     "custom data moves only while the source is open "
     "and disabled"},
    {"DAT_IMAGEINFO", "MSG_GET", "6-7", "an image is described only after MSG_XFERREADY"},
    {"DAT_IMAGELAYOUT", "MSG_GET MSG_GETDEFAULT", "4-6", "the layout is read before the transfer"},
    {"DAT_IMAGELAYOUT", "MSG_SET MSG_RESET", "4", "the layout is set before the source is enabled"},
    {"DAT_IMAGEMEMXFER", "MSG_GET", "6-7", "an image transfer needs MSG_XFERREADY first"},
    {"DAT_IMAGENATIVEXFER", "MSG_GET", "6", "an image transfer needs MSG_XFERREADY first"},
    {"DAT_IMAGEFILEXFER", "MSG_GET", "6", "an image transfer needs MSG_XFERREADY first"},
    {"DAT_EXTIMAGEINFO", "MSG_GET", "7", "extended image information follows a transfer"},
    {"DAT_PALETTE8", "MSG_GET MSG_GETDEFAULT", "4-6", "the palette is read before the transfer"},
    {"DAT_PALETTE8", "MSG_SET MSG_RESET", "4", "the palette is set before the source is enabled"},
    {"DAT_GRAYRESPONSE", "MSG_SET MSG_RESET", "4",
     "the response curve is set before the source is enabled"},
    {"DAT_RGBRESPONSE", "MSG_SET MSG_RESET", "4",
     "the response curve is set before the source is enabled"},
    {"DAT_JPEGCOMPRESSION", "MSG_GET MSG_GETDEFAULT", "4-6",
     "compression is read before the transfer"},
    {"DAT_JPEGCOMPRESSION", "MSG_SET MSG_RESET", "4",
     "compression is set before the source is enabled"},
    {"DAT_CIECOLOR", "MSG_GET", "4-6", "the colour description is read before the transfer"},
};

namespace {

constexpr const char* kEntryPointDat = "ERROR!(1027)";

// Whether the space-separated list `words` holds `word`.
bool HasWord(std::string_view words, std::string_view word) {
    for (size_t at = 0; at <= words.size();) {
        const size_t end = std::min(words.find(' ', at), words.size());
        if (words.substr(at, end - at) == word) {
            return true;
        }
        at = end + 1;
    }
    return false;
}

bool Allows(const char* states, int state) {
    const std::string_view text = states;
    const int low = text[0] - '0';
    const int high = text.size() >= 3 ? text[2] - '0' : low;
    return state >= low && state <= high;
}

const StateRule* RuleFor(const Record& record) {
    for (const StateRule& rule : kAllowedStates) {
        if (record.dat == rule.dat && HasWord(rule.messages, record.msg)) {
            return &rule;
        }
    }
    return nullptr;
}

// A row of the state moves (TwainStates.h) with the names as the log spells them.
struct Move {
    const char* message;
    const char* dat;
    twainstates::Rule rule;
    const char* event;
    int from;
    int to;
    twainstates::Reader reader;
};
#define TWAINLOG_STATE_MOVE(message, dat, rule, event, from, to, reader) \
    {#message, #dat, twainstates::Rule::rule, #event, from, to, twainstates::Reader::reader},
const Move kMoves[] = {TWAIN_STATE_MOVES(TWAINLOG_STATE_MOVE)};
#undef TWAINLOG_STATE_MOVE

// The TWAIN state after a call, as the protocol has it: the monitor's moves but where the
// table marks the checker's own (MSG_CLOSEDSREQ leaves the source enabled). Where the new
// state depends on data the log may lack (TW_PENDINGXFERS after MSG_ENDXFER), the entry's
// state line decides.
int NextState(int state, const Record& r) {
    using twainstates::Reader;
    using twainstates::Rule;
    if (r.Failed()) {
        return state;
    }
    for (const Move& move : kMoves) {
        const bool event = r.kind == EntryKind::Event;
        if (move.reader == Reader::Monitor || (move.rule == Rule::Event) != event ||
            (event ? r.eventMessage != move.event
                   : r.msg != move.message || (move.rule != Rule::Message && r.dat != move.dat))) {
            continue;
        }
        if (move.rule != Rule::PendingCount) {
            return state == move.from ? move.to : state;
        }
        if (state < move.from) {
            return state;
        }
        if (const Node* count = r.Find("TW_PENDINGXFERS.Count")) {
            return count->value == "0" ? move.to : move.from;
        }
        return r.state == move.to || r.state == move.from ? r.state : move.to;
    }
    return state;
}

std::string StatesText(const char* states) {
    const std::string text = states;
    return text.size() == 1 ? "state " + text : "states " + text;
}

} // namespace

void Checker::Report(const Last& at, const std::string& text) {
    m_faults.push_back({m_load, at.sequence, at.line, at.title, text});
}

void Checker::StartLoad(const std::string& name) {
    m_load = name;
    m_any = false;
    m_state = 3; // set when the monitor opened its log
    m_transferOpen = false;
    m_failurePending = false;
    m_announcedByManager = false;
    m_sourceLogged = false;
    m_closeRequested = false;
}

void Checker::Add(const Record& record) {
    if (record.FromSource()) {
        // The source's own calls: its MSG_XFERREADY moves the state, and its MSG_CLOSEDSREQ
        // waits for the application's MSG_DISABLEDS. They answer no failure of the
        // application's.
        m_sourceLogged = true;
        m_last = {record.sequence, record.line, record.DirectedTitle()};
        if (record.msg == "MSG_CLOSEDSREQ" && !record.Failed() && !m_closeRequested) {
            m_closeRequested = true;
            m_closeRequest = m_last;
        }
        m_state = NextState(m_state, record);
        return;
    }
    if (m_failurePending && !record.Is("DAT_STATUS", "MSG_GET")) {
        Report("TWRC_FAILURE not followed by DAT_STATUS: its condition code is lost");
    }
    if (record.kind == EntryKind::Call && record.sequence == 1 && m_any) {
        m_state = 3; // a second load appending to the same file
        m_transferOpen = false;
    }
    m_any = true;
    m_last = {record.sequence, record.line, record.Title()};
    if (record.kind == EntryKind::Event && record.eventMessage == "MSG_CLOSEDSREQ" &&
        !m_closeRequested) {
        m_closeRequested = true; // the same request, delivered through event polling
        m_closeRequest = m_last;
    }
    if (record.kind == EntryKind::Call) {
        // A source handed the manager's entry point (DAT_ENTRYPOINT, 0x0403, which a log
        // without TWAIN 2's names shows by its number) announces MSG_XFERREADY to the manager
        // directly. Where the log has the source's calls ([DS] entries), its own MSG_XFERREADY
        // moves the state; where it has none, a call that needs state 6 while the source is
        // enabled stands for it.
        if (record.dat == kEntryPointDat || record.dat == "DAT_ENTRYPOINT") {
            m_announcedByManager = true;
        }
        if (record.Is("DAT_USERINTERFACE", "MSG_DISABLEDS") && !record.Failed()) {
            m_closeRequested = false;
        }
        const StateRule* rule = RuleFor(record);
        if (rule && m_announcedByManager && !m_sourceLogged && m_state == 5 &&
            Allows(rule->states, 6)) {
            m_state = 6;
        }
        if (rule && !Allows(rule->states, m_state)) {
            Report(record.msg + " on " + record.dat + " in state " + std::to_string(m_state) +
                   ", allowed in " + StatesText(rule->states) + ": " + rule->why);
        }
        const bool ends = record.Is("DAT_PENDINGXFERS", "MSG_ENDXFER") ||
                          record.Is("DAT_USERINTERFACE", "MSG_DISABLEDS") ||
                          record.Is("DAT_IDENTITY", "MSG_CLOSEDS");
        if (m_transferOpen && ((record.IsImageTransfer() && m_transferDone) ||
                               (ends && !record.Is("DAT_PENDINGXFERS", "MSG_ENDXFER")))) {
            Report("the image transfer begun at " + SequenceText(m_transfer) +
                   " has no MSG_ENDXFER before this " + record.msg);
            m_transferOpen = false;
        }
        if (record.Is("DAT_PENDINGXFERS", "MSG_ENDXFER") && !record.Failed()) {
            m_transferOpen = false;
        }
        if (record.IsImageTransfer() && !record.Failed() && m_state >= 6) {
            if (!m_transferOpen) {
                m_transferOpen = true;
                m_transfer = record.sequence;
            }
            m_transferDone =
                record.returnCode == "TWRC_XFERDONE" || record.returnCode == "TWRC_CANCEL";
        }
    }
    m_failurePending = record.Failed() && !record.Is("DAT_STATUS", "MSG_GET");
    m_state = NextState(m_state, record);
}

void Checker::EndLoad() {
    if (!m_any) {
        return;
    }
    if (m_failurePending) {
        Report("TWRC_FAILURE at the end of the session: DAT_STATUS was never asked");
    }
    if (m_transferOpen) {
        Report("the session ends, and the image transfer begun at " + SequenceText(m_transfer) +
               " never had its MSG_ENDXFER");
    }
    if (m_closeRequested) {
        Report(m_closeRequest, "the source asked to be closed (MSG_CLOSEDSREQ), and the "
                               "application never disabled it with MSG_DISABLEDS");
    }
    if (m_state > 3) {
        Report("the session ends in state " + std::to_string(m_state) +
               ": the source was never closed with MSG_CLOSEDS");
    }
    m_any = false;
    m_failurePending = false;
    m_transferOpen = false;
    m_closeRequested = false;
}

std::vector<Fault> CheckLog(const Log& log) {
    Checker checker;
    checker.StartLoad("");
    for (const Record& record : log.records) {
        checker.Add(record);
    }
    checker.EndLoad();
    return std::move(checker.Faults());
}

void PrintFaults(const std::vector<Fault>& faults, std::ostream& out) {
    for (const Fault& fault : faults) {
        const std::string load = fault.load.empty() ? "" : fault.load + ": ";
        out << Printable(load + SequenceText(fault.sequence) + " " + fault.call + " (line " +
                         std::to_string(fault.line) + "): " + fault.text)
            << "\n";
    }
    out << (faults.empty() ? "no protocol faults"
                           : std::to_string(faults.size()) +
                                 (faults.size() == 1 ? " protocol fault" : " protocol faults"))
        << "\n";
}

} // namespace twainlog
