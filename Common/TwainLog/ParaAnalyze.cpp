#include "ParaAnalyze.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "TwFormat.h"
#include "TwainStates.h"
#include "twaintbl.h"

// Initialized at compile time, so MachO_Initialization finds it in place whatever the order
// of the module's initializers.
TWAINMON_CONSTINIT CParaAnalyze g_cParaAnalyze;

namespace {

// The state line: an empty line, then the tracked state.
constexpr char kStatusLineFormat[] = "%s" LOG_STATE_LABEL "%d]%s";

// A row of the state moves (TwainStates.h) in twain.h's values.
struct StateMove {
    TW_UINT16 message;
    TW_UINT16 dat;
    twainstates::Rule rule;
    TW_UINT16 event;
    int from;
    int to;
    twainstates::Reader reader;
};
#define TWAINMON_STATE_MOVE(message, dat, rule, event, from, to, reader) \
    {message, dat, twainstates::Rule::rule, event, from, to, twainstates::Reader::reader},
constexpr StateMove kStateMoves[] = {TWAIN_STATE_MOVES(TWAINMON_STATE_MOVE)};
#undef TWAINMON_STATE_MOVE

} // namespace

void CParaAnalyze::SetTriplet(TW_IDENTITY* pOrigin, TW_IDENTITY* pDest, unsigned int DG,
                              unsigned short DAT, unsigned short MSG, char* pData, char* pResult) {
    m_pOrigin = pOrigin;
    m_pDest = pDest;
    m_DG = DG;
    m_DAT = DAT;
    m_MSG = MSG;
    m_pData = pData;
    SetResult(pResult);
}

void CParaAnalyze::SetResult(char* pResult) {
    m_pResult = pResult;
    m_sink.Reset(pResult, RESULT_TEXT_SIZE);
}

bool CParaAnalyze::Append(const char* format, ...) {
    va_list args;
    va_start(args, format);
    const bool room = m_sink.AppendV(format, args);
    va_end(args);
    return room;
}

const char* CParaAnalyze::MacroName(MacroTable table, int64_t value) {
    GetMacroName(table, value, m_szMacroName);
    return m_szMacroName;
}

void CParaAnalyze::Init(const char* name) {
    if (name == nullptr) {
        return;
    }
    memset(m_szAppName, 0, sizeof m_szAppName);
    strncpy(m_szAppName, name, sizeof m_szAppName - 1);
}

bool CParaAnalyze::HeaderMake(char* out) {
    char* const savedResult = m_pResult;
    const CTextSink savedSink = m_sink;
    SetResult(out);

    const time_t now = time(nullptr);
    struct tm local {};
    localtime_r(&now, &local);
    char stamp[64] = {};
    asctime_r(&local, stamp);
    const size_t stampLength = strlen(stamp);
    if (stampLength > 0) {
        stamp[stampLength - 1] = '\0'; // asctime's line feed
    }
    Append(LOG_BANNER_RULE "%s", CRLF);
    Append(LOG_BANNER_TITLE "%s Ver1.10%s", "Triplet Monitor", CRLF);
    Append(LOG_BANNER_RULE "%s", CRLF);
    Append(LOG_BANNER_TIME "%s >>%s", stamp, CRLF);

    m_pResult = savedResult;
    m_sink = savedSink;
    return true;
}

bool CParaAnalyze::TripletAnalyze(TW_IDENTITY* pOrigin, TW_IDENTITY* pDest, unsigned int DG,
                                  unsigned short DAT, unsigned short MSG, char* pData,
                                  char* pResult) {
    SetTriplet(pOrigin, pDest, DG, DAT, MSG, pData, pResult);
    return CreateStringOfTriplet();
}

bool CParaAnalyze::CreateStringOfTriplet() {
    if ((m_DAT == DAT_NULL && m_MSG == MSG_XFERREADY) || m_MSG == MSG_PROCESSEVENT) {
        return false;
    }
    ++m_lSequenceNo;
    Append("[%05ld] ", m_lSequenceNo);
    Append("[%s] ", m_szAppName);
    AppendTripletNames();
    return true;
}

void CParaAnalyze::AppendTripletNames() {
    char dg[kMacroNameSize];
    char dat[kMacroNameSize];
    char msg[kMacroNameSize];
    GetMacroName(MacroRows(dg_macros), static_cast<int32_t>(m_DG), dg);
    GetMacroName(StandardOrVendor(m_DAT, MacroRows(dat_macros), MacroRows(dat_xq_macros)), m_DAT,
                 dat);
    GetMacroName(StandardOrVendor(m_MSG, MacroRows(msg_macros), MacroRows(msg_xq_macros)), m_MSG,
                 msg);
    if (m_DAT == DAT_CAPABILITY) {
        char capability[kMacroNameSize] = {};
        GetStringOfCapability(static_cast<TW_CAPABILITY*>(m_pData), capability, sizeof capability);
        Append("%s/%s/%s (%s)%s", dg, dat, msg, capability, CRLF);
    } else {
        Append("%s/%s/%s%s", dg, dat, msg, CRLF);
    }
}

bool CParaAnalyze::GetStringOfCapability(TW_CAPABILITY* pCap, char* out, unsigned int outSize) {
    if (pCap == nullptr) {
        return true;
    }
    char name[kMacroNameSize];
    GetCapabilityName(CBlock::Of(pCap).U16(offsetof(TW_CAPABILITY, Cap)), name, sizeof name);
    const size_t length = strlen(name);
    if (out == nullptr || length + 1 > outSize) {
        return false;
    }
    memcpy(out, name, length + 1);
    return true;
}

bool CParaAnalyze::ParaAnalyze(TW_IDENTITY* pOrigin, TW_IDENTITY* pDest, unsigned int DG,
                               unsigned short DAT, unsigned short MSG, char* pData,
                               unsigned short rc, char* pResult) {
    SetTriplet(pOrigin, pDest, DG, DAT, MSG, pData, pResult);
    m_ReturnCode = rc;

    // A call the filter leaves out writes nothing: no return code, no structure, no state.
    if (!ResultMake()) {
        return true;
    }
    DispatchDat();
    if (rc == TWRC_FAILURE) {
        return true;
    }
    UpDateTwainStatus(DG, DAT, MSG, pData);
    Append(kStatusLineFormat, CRLF, m_nTwainStatus, CRLF);
    return true;
}

bool CParaAnalyze::ResultMake() {
    if (m_DAT == DAT_NULL && m_MSG == MSG_XFERREADY) {
        return false;
    }
    // Event polling is logged only when it delivered a transfer-ready or close request.
    // Only a DAT_EVENT triplet carries a TW_EVENT to look at.
    if (m_MSG == MSG_PROCESSEVENT) {
        if (m_ReturnCode != TWRC_DSEVENT || m_DAT != DAT_EVENT) {
            return false;
        }
        const TW_UINT16 message = EventMessage(m_pData);
        if (message != MSG_XFERREADY && message != MSG_CLOSEDSREQ) {
            return false;
        }
    }
    AppendCallLines();
    return true;
}

void CParaAnalyze::AppendCallLines() {
    Append(LOG_RETURN_CODE_LABEL "%s]%s", MacroName(MacroRows(twrc_macros), m_ReturnCode), CRLF);
    Append(LOG_PDATA_LABEL "0x%08x>%s",
           static_cast<unsigned int>(reinterpret_cast<uintptr_t>(m_pData)), CRLF);
}

void CParaAnalyze::SourceCallAnalyze(TW_IDENTITY* pOrigin, TW_IDENTITY* pDest, unsigned int DG,
                                     unsigned short DAT, unsigned short MSG, char* pData,
                                     unsigned short rc, char* pResult) {
    SetTriplet(pOrigin, pDest, DG, DAT, MSG, pData, pResult);
    m_ReturnCode = rc;
    AppendTripletNames();
    AppendCallLines();
    DispatchDat();
}

int CParaAnalyze::UpDateTwainStatus(unsigned int /*DG*/, unsigned short DAT, unsigned short MSG,
                                    char* pData) {
    using twainstates::Reader;
    using twainstates::Rule;
    for (const StateMove& move : kStateMoves) {
        if (move.reader == Reader::Checker || move.message != MSG ||
            (move.rule != Rule::Message && move.dat != DAT) ||
            (move.rule == Rule::Event && EventMessage(pData) != move.event)) {
            continue;
        }
        if (move.rule != Rule::PendingCount) {
            m_nTwainStatus = m_nTwainStatus == move.from ? move.to : m_nTwainStatus;
        } else if (pData != nullptr && m_nTwainStatus >= move.from) {
            // Without a TW_PENDINGXFERS the count is unknown: the state stays.
            const auto count = CBlock::Of(reinterpret_cast<const TW_PENDINGXFERS*>(pData))
                                   .U16(offsetof(TW_PENDINGXFERS, Count));
            m_nTwainStatus = count != 0 ? move.from : move.to;
        }
        break;
    }
    return m_nTwainStatus;
}

int CParaAnalyze::MakeTwainStatusString(char* out) {
    return sprintf(out, kStatusLineFormat, CRLF, m_nTwainStatus, CRLF);
}

int CParaAnalyze::SetTwainStatus(int status) {
    m_nTwainStatus = status;
    return m_nTwainStatus;
}

int CParaAnalyze::GetTwainStatus() {
    return m_nTwainStatus;
}

void CParaAnalyze::InitTwainStatus() {
    m_nTwainStatus = 1;
}
