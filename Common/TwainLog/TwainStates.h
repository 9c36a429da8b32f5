// The moves of the TWAIN state, one table for the monitor, which tracks the state of the calls
// it logs (CParaAnalyze::UpDateTwainStatus), and for twainlog check, which follows the state
// of a logged session. The table names the constants and nothing else: the monitor reads the
// rows with twain.h's values, the checker with the names as the log spells them, so this
// header needs neither twain.h nor the name tables.
//
// A move applies to a call that did not fail, when the state is its from state.
#ifndef TWAINMON_TWAINSTATES_H
#define TWAINMON_TWAINSTATES_H

namespace twainstates {

// What a row asks of the call besides its message.
enum class Rule {
    Message,     // nothing: the message alone moves the state, whatever the DAT
    Triplet,     // the DAT too
    Event,       // an event poll (DAT_EVENT, MSG_PROCESSEVENT) that delivered the row's event
    PendingCount // from the from state or above: to the from state while the TW_PENDINGXFERS
                 // Count says transfers remain, else to the to state
};

// Who reads a row. Where the two differ, the checker follows the protocol and the monitor its
// own log, which must not change.
enum class Reader { Both, Monitor, Checker };

} // namespace twainstates

// TWAIN_STATE_MOVES(MOVE) expands MOVE(message, dat, rule, event, from, to, reader) once per
// row; event is MSG_NULL where the rule is not Event.
// clang-format off
#define TWAIN_STATE_MOVES(MOVE)                                                                  \
    MOVE(MSG_OPENDSM,        DAT_PARENT,          Message,      MSG_NULL,       2, 3, Both)     \
    MOVE(MSG_CLOSEDSM,       DAT_PARENT,          Message,      MSG_NULL,       3, 2, Both)     \
    MOVE(MSG_OPENDS,         DAT_IDENTITY,        Message,      MSG_NULL,       3, 4, Both)     \
    MOVE(MSG_CLOSEDS,        DAT_IDENTITY,        Message,      MSG_NULL,       4, 3, Both)     \
    MOVE(MSG_ENABLEDS,       DAT_USERINTERFACE,   Message,      MSG_NULL,       4, 5, Both)     \
    /* The monitor's log keeps state 4 after MSG_ENABLEDSUIONLY. */                            \
    MOVE(MSG_ENABLEDSUIONLY, DAT_USERINTERFACE,   Triplet,      MSG_NULL,       4, 5, Checker)  \
    MOVE(MSG_DISABLEDS,      DAT_USERINTERFACE,   Triplet,      MSG_NULL,       5, 4, Both)     \
    MOVE(MSG_PROCESSEVENT,   DAT_EVENT,           Event,        MSG_XFERREADY,  5, 6, Both)     \
    /* The source's own announcement to the manager (a [DS] entry of the TWAIN 2 build). */    \
    MOVE(MSG_XFERREADY,      DAT_NULL,            Triplet,      MSG_NULL,       5, 6, Both)     \
    /* The checker deliberately differs: MSG_CLOSEDSREQ asks the application to disable the  */ \
    /* source and leaves it enabled (state 5) until MSG_DISABLEDS; the monitor's log shows 4. */ \
    MOVE(MSG_PROCESSEVENT,   DAT_EVENT,           Event,        MSG_CLOSEDSREQ, 5, 4, Monitor)  \
    /* Polls with a transfer's DAT are never logged; the monitor's state follows them. */      \
    MOVE(MSG_PROCESSEVENT,   DAT_IMAGEMEMXFER,    Triplet,      MSG_NULL,       6, 7, Monitor)  \
    MOVE(MSG_PROCESSEVENT,   DAT_IMAGENATIVEXFER, Triplet,      MSG_NULL,       6, 7, Monitor)  \
    MOVE(MSG_PROCESSEVENT,   DAT_IMAGEFILEXFER,   Triplet,      MSG_NULL,       6, 7, Monitor)  \
    MOVE(MSG_GET,            DAT_IMAGEMEMXFER,    Triplet,      MSG_NULL,       6, 7, Both)     \
    MOVE(MSG_GET,            DAT_IMAGENATIVEXFER, Triplet,      MSG_NULL,       6, 7, Both)     \
    MOVE(MSG_GET,            DAT_IMAGEFILEXFER,   Triplet,      MSG_NULL,       6, 7, Both)     \
    MOVE(MSG_RESET,          DAT_PENDINGXFERS,    Triplet,      MSG_NULL,       6, 5, Both)     \
    MOVE(MSG_ENDXFER,        DAT_PENDINGXFERS,    PendingCount, MSG_NULL,       6, 5, Both)
// clang-format on

#endif // TWAINMON_TWAINSTATES_H
