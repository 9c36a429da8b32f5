#include "ParaAnalyze.h"

#include <cstdarg>
#include <cstring>
#include <ctime>
#include <new>

#include <fcntl.h>
#include <sys/time.h>
#include <unistd.h>

#include "TwFormat.h"
#include "TwainLog.h"
#include "TwainLogPaths.h"
#include "twaintbl.h"

// Constructed by the module's first initializer, before MachO_Initialization.
CParaAnalyze g_cParaAnalyze __attribute__((init_priority(101)));
CTwainLog* g_pcTwainLog = nullptr;
FILE* g_pLogFile = nullptr;

namespace {

// m_nResultLength before the first Append to a new result text.
constexpr size_t kResultLengthUnknown = static_cast<size_t>(-1);

// The state line: an empty line, then the tracked state.
constexpr char kStatusLineFormat[] = "%sTWAIN Status = [%d]%s";

// Reads a field of an application structure without assuming its alignment.
template <typename T>
T ReadField(const void* base, size_t offset) {
    T value;
    memcpy(&value, static_cast<const char*>(base) + offset, sizeof value);
    return value;
}

bool IsImageTransfer(unsigned short DAT) {
    return DAT == DAT_IMAGEMEMXFER || DAT == DAT_IMAGENATIVEXFER || DAT == DAT_IMAGEFILEXFER;
}

// The message a TW_EVENT delivered; MSG_NULL when there is no event structure.
TW_UINT16 EventMessage(const void* pEvent) {
    return pEvent ? ReadField<TW_UINT16>(pEvent, offsetof(TW_EVENT, TWMessage)) : MSG_NULL;
}

} // namespace

CParaAnalyze::CParaAnalyze() {
    m_lSequenceNo = 0;
    memset(m_szAppName, 0, sizeof m_szAppName);
    strcpy(m_szAppName, "APP");
}

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
    // Measured by the first Append: a pass that appends nothing, such as a filtered event
    // poll, never reads the text.
    m_nResultLength = kResultLengthUnknown;
}

bool CParaAnalyze::Append(const char* format, ...) {
    if (m_pResult == nullptr) {
        return false;
    }
    if (m_nResultLength == kResultLengthUnknown) {
        m_nResultLength = strnlen(m_pResult, RESULT_TEXT_SIZE - 1);
        m_pResult[m_nResultLength] = '\0';
    }
    const size_t room = RESULT_TEXT_SIZE - m_nResultLength;
    if (room <= 1) {
        return false;
    }
    va_list args;
    va_start(args, format);
    const int written = TwFormatV(m_pResult + m_nResultLength, room, format, args);
    va_end(args);
    if (written < 0) {
        m_pResult[m_nResultLength] = '\0';
        return true;
    }
    m_nResultLength +=
        static_cast<size_t>(written) < room ? static_cast<size_t>(written) : room - 1;
    return m_nResultLength < RESULT_TEXT_SIZE - 1;
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
    const size_t savedLength = m_nResultLength;
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
    const char* const slashes = "////////////////////////////////////////////////%s";
    Append(slashes, CRLF);
    Append("           TWAIN %s Ver1.10%s", "Triplet Monitor", CRLF);
    Append(slashes, CRLF);
    Append("  << Current time = %s >>%s", stamp, CRLF);

    m_pResult = savedResult;
    m_nResultLength = savedLength;
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
    return true;
}

bool CParaAnalyze::GetStringOfCapability(TW_CAPABILITY* pCap, char* out, unsigned int outSize) {
    if (pCap == nullptr) {
        return true;
    }
    char name[kMacroNameSize];
    GetCapabilityName(ReadField<TW_UINT16>(pCap, offsetof(TW_CAPABILITY, Cap)), name, sizeof name);
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

    const bool shown = ResultMake();
    if (m_DAT == DAT_EVENT && !shown) {
        return true;
    }
    DispatchDat();
    if (rc == TWRC_FAILURE || !shown) {
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
    Append("        Return Code = [%s]%s", MacroName(MacroRows(twrc_macros), m_ReturnCode), CRLF);
    Append("pData   = <0x%08x>%s", static_cast<unsigned int>(reinterpret_cast<uintptr_t>(m_pData)),
           CRLF);
    return true;
}

int CParaAnalyze::UpDateTwainStatus(unsigned int /*DG*/, unsigned short DAT, unsigned short MSG,
                                    char* pData) {
    auto move = [this](int from, int to) {
        if (m_nTwainStatus == from) {
            m_nTwainStatus = to;
        }
    };
    switch (MSG) {
    case MSG_OPENDSM:
        move(2, 3);
        break;
    case MSG_CLOSEDSM:
        move(3, 2);
        break;
    case MSG_OPENDS:
        move(3, 4);
        break;
    case MSG_CLOSEDS:
        move(4, 3);
        break;
    case MSG_ENABLEDS:
        move(4, 5);
        break;
    case MSG_DISABLEDS:
        if (DAT == DAT_USERINTERFACE) {
            move(5, 4);
        }
        break;
    case MSG_PROCESSEVENT:
        if (DAT == DAT_EVENT) {
            const TW_UINT16 message = EventMessage(pData);
            if (message == MSG_XFERREADY) {
                move(5, 6);
            } else if (message == MSG_CLOSEDSREQ) {
                move(5, 4);
            }
        } else if (IsImageTransfer(DAT)) {
            move(6, 7);
        }
        break;
    case MSG_GET:
        if (IsImageTransfer(DAT)) {
            move(6, 7);
        }
        break;
    case MSG_RESET:
        if (DAT == DAT_PENDINGXFERS) {
            move(6, 5);
        }
        break;
    case MSG_ENDXFER:
        // Without a TW_PENDINGXFERS the count is unknown: the state stays.
        if (DAT == DAT_PENDINGXFERS && pData != nullptr && m_nTwainStatus >= 6) {
            const auto count = ReadField<TW_UINT16>(pData, offsetof(TW_PENDINGXFERS, Count));
            m_nTwainStatus = count != 0 ? 6 : 5;
        }
        break;
    default:
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

// ---------------------------------------------------------------------------------------
// The log file

namespace {

// Opens the log file for appending. The directory is shared: a symbolic link planted at
// the file's name is not followed.
FILE* OpenLogFile(const char* path) {
    const int fd = open(path, O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) {
        return nullptr;
    }
    FILE* file = fdopen(fd, "a");
    if (file == nullptr) {
        close(fd);
    }
    return file;
}

} // namespace

void setupTwainLog() {
    char directory[256] = TWAINMON_LOG_DIRECTORY;
    static_assert(sizeof TWAINMON_LOG_DIRECTORY + sizeof "/Twainlog_YYYYMMDD_HHMMSS_mmmm.txt" <=
                      256,
                  "the log file's path must fit its 256-byte buffer");
    if (access(directory, F_OK) == -1) {
        return;
    }
    if (g_pcTwainLog != nullptr) {
        delete g_pcTwainLog;
        g_pcTwainLog = nullptr;
    }
    g_pcTwainLog = new (std::nothrow) CTwainLog;

    if (g_pLogFile == nullptr) {
        const time_t now = time(nullptr);
        struct tm local {};
        localtime_r(&now, &local);
        struct timeval tv {};
        gettimeofday(&tv, nullptr);
        const int milliseconds = static_cast<int>(tv.tv_usec / 1000.0 + 0.5);

        char stamp[256];
        snprintf(stamp, sizeof stamp, "%04d%02d%02d_%02d%02d%02d_%04d", local.tm_year + 1900,
                 local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec,
                 milliseconds);
        char path[256] = {};
        const int length = snprintf(path, sizeof path, "%s/Twainlog_%s.txt", directory, stamp);
        if (length > 0 && static_cast<size_t>(length) < sizeof path) {
            g_pLogFile = OpenLogFile(path);
        }
    }
    g_cParaAnalyze.m_nTwainStatus = 3;
}

void cleanupTwainLog() {
    if (g_pcTwainLog != nullptr) {
        delete g_pcTwainLog;
        g_pcTwainLog = nullptr;
    }
    if (g_pLogFile != nullptr) {
        fwrite("Close Log File.\n", 1, 16, stderr);
        fclose(g_pLogFile);
        g_pLogFile = nullptr;
    }
}

unsigned long WriteLogFile(const unsigned char* data, unsigned long size) {
    if (g_pLogFile == nullptr) {
        return size;
    }
    return fwrite(data, 1, size, g_pLogFile);
}

void WriteResultText(const char* text, size_t length) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    if (length > LOG_SECTION_LIMIT) {
        WriteLogFile(bytes, LOG_SECTION_LIMIT);
        WriteLogFile(reinterpret_cast<const unsigned char*>("Size of CAP_xxx too long"), 24);
    } else if (length > 0) {
        WriteLogFile(bytes, length);
    }
}
