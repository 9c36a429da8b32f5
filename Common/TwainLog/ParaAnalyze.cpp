#include "ParaAnalyze.h"

#include <cerrno>
#include <cstdarg>
#include <cstring>
#include <ctime>
#include <new>

#include <fcntl.h>
#ifdef _WIN32
#include <windows.h>

#include "TwainWindows.h"
#else
#include <pthread.h>
#endif
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/time.h>
#include <unistd.h>

#include "TwFormat.h"
#include "TwainLog.h"
#include "TwainLogPaths.h"
#include "twaintbl.h"

// Initialized at compile time, so MachO_Initialization finds it in place whatever the order
// of the module's initializers.
TWAINMON_CONSTINIT CParaAnalyze g_cParaAnalyze;
CTwainLog* g_pcTwainLog = nullptr;
FILE* g_pLogFile = nullptr;
pid_t g_nLogProcessId = 0;
std::atomic<bool> g_bLogStopped{false};
#ifdef _WIN32
LogFileCalls g_logFileCalls = {twainwin::WriteLogFile, fstatvfs};
#else
LogFileCalls g_logFileCalls = {write, fstatvfs};
#endif

namespace {

// The state line: an empty line, then the tracked state.
constexpr char kStatusLineFormat[] = "%s" LOG_STATE_LABEL "%d]%s";

bool IsImageTransfer(unsigned short DAT) {
    return DAT == DAT_IMAGEMEMXFER || DAT == DAT_IMAGENATIVEXFER || DAT == DAT_IMAGEFILEXFER;
}

// The message a TW_EVENT delivered; MSG_NULL when there is no event structure.
TW_UINT16 EventMessage(const void* pEvent) {
    return CBlock::Of(static_cast<const TW_EVENT*>(pEvent)).U16(offsetof(TW_EVENT, TWMessage));
}

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
    m_nResultLength = pResult ? strnlen(pResult, RESULT_TEXT_SIZE - 1) : 0;
    if (pResult != nullptr) {
        pResult[m_nResultLength] = '\0';
    }
}

bool CParaAnalyze::Append(const char* format, ...) {
    if (m_pResult == nullptr) {
        return false;
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
    Append(LOG_RETURN_CODE_LABEL "%s]%s", MacroName(MacroRows(twrc_macros), m_ReturnCode), CRLF);
    Append(LOG_PDATA_LABEL "0x%08x>%s",
           static_cast<unsigned int>(reinterpret_cast<uintptr_t>(m_pData)), CRLF);
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
            const auto count = CBlock::Of(reinterpret_cast<const TW_PENDINGXFERS*>(pData))
                                   .U16(offsetof(TW_PENDINGXFERS, Count));
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
// Capability items

namespace {

// A list entry of TWTY_FRAME or of a type above TWTY_STR255.
constexpr char kNotImplemented[] = "!!! not implemented.!!!";
// An item whose bytes are not all inside the container's block.
constexpr char kBeyondContainer[] = "!!! beyond the container !!!";

bool IsStringType(unsigned short itemType) {
    return itemType >= TWTY_STR32 && itemType <= TWTY_STR255;
}

} // namespace

const char* CParaAnalyze::ValToStr(unsigned short cap, unsigned short itemType, const CBlock& item,
                                   char (&text)[kItemTextSize]) {
    const size_t size = ItemSize(itemType);
    if (IsStringType(itemType)) {
        return item.Str(0, size, text); // up to its NUL, the end of its slot or of the block
    }
    // A type without a size shows the four bytes that every container field holds.
    if (!item.Has(0, size != 0 ? size : sizeof(TW_UINT32))) {
        TwFormat(text, sizeof text, "%s", kBeyondContainer);
        return text;
    }
    switch (itemType) {
    case TWTY_INT8:
        TwFormat(text, sizeof text, "0x%02x",
                 static_cast<unsigned int>(static_cast<int8_t>(item.U8(0))));
        break;
    case TWTY_INT16:
        TwFormat(text, sizeof text, "%d", item.I16(0));
        break;
    case TWTY_INT32:
        TwFormat(text, sizeof text, "%d", item.I32(0));
        break;
    case TWTY_UINT8:
        TwFormat(text, sizeof text, "0x%02x", static_cast<unsigned int>(item.U8(0)));
        break;
    case TWTY_UINT16:
        // A supported capability's name as its table stores it, without a copy.
        if (cap == CAP_SUPPORTEDCAPS && item.U16(0) != 0) {
            if (const char* name = CapabilityName(item.U16(0))) {
                return name;
            }
        }
        ValToCap(cap, item.U16(0), text, sizeof text);
        break;
    case TWTY_UINT32:
        TwFormat(text, sizeof text, "%d", static_cast<int32_t>(item.U32(0)));
        break;
    case TWTY_BOOL:
        TwFormat(text, sizeof text, "%s", item.Bool(0));
        break;
    case TWTY_FIX32:
        TwFormat(text, sizeof text, "%.3f", item.Fix32(0));
        break;
    case TWTY_FRAME: {
        char frame[kFrameTextSize];
        TwFormat(text, sizeof text, "%s", FrameText(item, 0, frame));
        break;
    }
    default:
        TwFormat(text, sizeof text, "%d", item.I32(0));
        break;
    }
    return text;
}

void CParaAnalyze::ValToCap(unsigned short cap, unsigned short value, char* text, size_t textSize) {
    if (cap == CAP_XQ_VERSION) {
        MakeCapXqVersion(value, text, textSize);
        return;
    }
    if (cap == CAP_SUPPORTEDCAPS) {
        MakeCapSupportedCaps(value, text, textSize);
        return;
    }
    const ValToCapEntry* row = cap > kLastStandardId ? VALTOCAPXQ : VALTOCAP;
    while (row->table != nullptr && row->cap != cap) {
        ++row;
    }
    if (row->table == nullptr) {
        TwFormat(text, textSize, "%d", value);
        return;
    }
    TwFormat(text, textSize, "%s", MacroName(MacroTable{row->table, row->count - 1}, value));
}

void CParaAnalyze::MakeCapSupportedCaps(unsigned short capId, char* text, size_t textSize) {
    const char* name = capId != 0 ? CapabilityName(capId) : "";
    if (name == nullptr) {
        GetCapabilityName(capId, text, textSize); // its miss text
        return;
    }
    TwFormat(text, textSize, "%s", name);
}

void CParaAnalyze::MakeCapXqVersion(unsigned short value, char* text, size_t textSize) {
    TwFormat(text, textSize, "%x.%x", value >> 8, value & 0xFFu);
}

void CParaAnalyze::MakeItemList(unsigned short cap, unsigned short itemType, unsigned int numItems,
                                const CBlock& items) {
    Append("      ItemList = {%s", CRLF);
    // Entries of a type without a size are never read, so all of them are listed.
    const size_t size = ItemSize(itemType);
    const size_t inBlock = size != 0 ? items.Size() / size : numItems;
    const size_t listed = inBlock < numItems ? inBlock : numItems;
    char text[kItemTextSize];
    bool room = true;
    for (size_t i = 0; i < listed && room; ++i) {
        const char* entry = itemType == TWTY_FRAME || size == 0
                                ? kNotImplemented
                                : ValToStr(cap, itemType, items.Sub(i * size, size), text);
        room = Append("        %3d:%s%s", static_cast<int>(i), entry,
                      i + 1 < numItems ? "," CRLF : CRLF);
    }
    if (room && listed < numItems) {
        Append("        !!! %lld of %lld items lie beyond the container !!!%s",
               static_cast<long long>(numItems - listed), static_cast<long long>(numItems), CRLF);
    }
    Append("      }%s", CRLF);
}

// ---------------------------------------------------------------------------------------
// The log file

namespace {

constexpr char kCutMarker[] = LOG_CUT_MARKER;
static_assert(LOG_SECTION_LIMIT + sizeof kCutMarker <= RESULT_TEXT_SIZE,
              "a cut section and its marker fit the result text");

// Room after a cut result section for the driver-threw and the two error-status lines.
constexpr size_t kTailSize = 256;

// The text of the logged call: room for the triplet text, then for a whole result section
// (which the analyzer bounds by RESULT_TEXT_SIZE) and the lines after it. One logged call at
// a time uses it, under g_logLock.
char g_entryText[TRIPLET_TEXT_SIZE + RESULT_TEXT_SIZE + kTailSize];

// Serializes the analysis and write of logged calls. A plain pthread mutex (on Windows a slim
// reader/writer lock): initialized at compile time and never destroyed, so a call that races
// the end of the process still finds it usable.
#ifdef _WIN32
SRWLOCK g_logLock = SRWLOCK_INIT;

// Holds the log lock (Windows has no thread cancellation).
class LogLock {
public:
    LogLock() { AcquireSRWLockExclusive(&g_logLock); }
    ~LogLock() { ReleaseSRWLockExclusive(&g_logLock); }
    LogLock(const LogLock&) = delete;
    LogLock& operator=(const LogLock&) = delete;
};
#else
pthread_mutex_t g_logLock = PTHREAD_MUTEX_INITIALIZER;

// Holds the log lock. The thread is not cancelled meanwhile: a cancellation request acts at
// the host's next cancellation point, never inside a write with the lock held.
class LogLock {
public:
    LogLock() {
        pthread_setcancelstate(PTHREAD_CANCEL_DISABLE, &m_cancelState);
        pthread_mutex_lock(&g_logLock);
    }
    ~LogLock() {
        pthread_mutex_unlock(&g_logLock);
        int previous = 0;
        pthread_setcancelstate(m_cancelState, &previous);
    }
    LogLock(const LogLock&) = delete;
    LogLock& operator=(const LogLock&) = delete;

private:
    int m_cancelState = 0;
};
#endif

// The log file's bookkeeping, under g_logLock.
struct LogFileState {
    LogLimits limits;
    uint64_t limit = kLogFileCap; // the file never grows past it
    bool limitIsRlimit = false;   // the limit is RLIMIT_FSIZE, under the cap
    uint64_t size = 0;            // as measured at the last check, plus the bytes written since
    uint64_t sinceCheck = 0;      // bytes written since the last check
    unsigned long lost = 0;       // entries lost since the last write that succeeded
    int lostError = 0;            // why the last one was lost
    bool lineOpen = false;        // the file does not end in a line end
};
LogFileState g_logState;

// Room kept under the limit for the last lines: the lost-entries line and the stop line.
constexpr size_t kLastLinesSize = 256;

// Why writes failed, in a text that does not depend on the locale.
const char* WriteErrorText(int error, char (&text)[32]) {
    switch (error) {
    case EFBIG:
        return "File too large";
    case ENOSPC:
        return "No space left on device";
#ifdef EDQUOT
    case EDQUOT:
        return "Disk quota exceeded";
#endif
    case EIO:
        return "Input/output error";
    default:
        TwFormat(text, sizeof text, "error %d", error);
        return text;
    }
}

// Writes size bytes at the end of the file, again after EINTR and after a short write; adds
// what reached the file to the bookkeeping. False, with errno set, when a write fails.
bool WriteAll(const char* data, size_t size) {
    LogFileState& s = g_logState;
    const int fd = fileno(g_pLogFile);
    size_t done = 0;
    while (done < size) {
        const ssize_t n = g_logFileCalls.write(fd, data + done, size - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            if (n == 0) {
                errno = EIO;
            }
            break;
        }
        done += static_cast<size_t>(n);
    }
    if (done > 0) {
        s.size += done;
        s.sinceCheck += done;
        s.lineOpen = data[done - 1] != '\n';
    }
    return done == size;
}

// Why logging stops at the limit.
const char* LimitReached(char (&why)[96]) {
    TwFormat(why, sizeof why,
             g_logState.limitIsRlimit ? "file size limit of %llu bytes reached"
                                      : "log file size cap of %llu bytes reached",
             static_cast<unsigned long long>(g_logState.limit));
    return why;
}

// Measures the file's size, the file-size limit and, when checkSpace, the free space again.
// Returns why logging must stop, written into why, or null.
const char* CheckLogFile(bool checkSpace, char (&why)[96]) {
    LogFileState& s = g_logState;
    const int fd = fileno(g_pLogFile);
    struct stat status {};
    if (fstat(fd, &status) == 0 && S_ISREG(status.st_mode)) {
        s.size = static_cast<uint64_t>(status.st_size);
    }
    s.limit = s.limits.cap;
    s.limitIsRlimit = false;
    struct rlimit fileSize {};
    if (getrlimit(RLIMIT_FSIZE, &fileSize) == 0 && fileSize.rlim_cur != RLIM_INFINITY &&
        static_cast<uint64_t>(fileSize.rlim_cur) < s.limit) {
        s.limit = static_cast<uint64_t>(fileSize.rlim_cur);
        s.limitIsRlimit = true;
    }
    if (checkSpace) {
        s.sinceCheck = 0;
        struct statvfs space {};
        if (g_logFileCalls.fstatvfs(fd, &space) == 0) {
            const uint64_t floor = FreeSpaceFloor(space.f_blocks, space.f_frsize);
            if (uint64_t{space.f_bavail} * space.f_frsize < floor) {
                TwFormat(why, sizeof why, "free space under %llu bytes",
                         static_cast<unsigned long long>(floor));
                return why;
            }
        }
    }
    return s.size + kLastLinesSize > s.limit ? LimitReached(why) : nullptr;
}

// The line that counts the entries lost since the last write that succeeded, on a line of
// its own, into line; its length, 0 when none were lost.
size_t LostEntriesLine(char* line, size_t size) {
    const LogFileState& s = g_logState;
    if (s.lost == 0) {
        return 0;
    }
    char errorText[32];
    const int length =
        TwFormat(line, size, "%s" LOG_LOST_FORMAT "%s", s.lineOpen ? CRLF : "", s.lost,
                 s.lost == 1 ? "entry" : "entries", WriteErrorText(s.lostError, errorText), CRLF);
    return length > 0 && static_cast<size_t>(length) < size ? static_cast<size_t>(length) : 0;
}

// Writes the last lines (the lost-entries line, then why logging stops) where they fit under
// the limit, and stops logging.
void StopLogging(const char* why) {
    LogFileState& s = g_logState;
    char lines[kLastLinesSize];
    size_t length = LostEntriesLine(lines, sizeof lines);
    const int stop = TwFormat(lines + length, sizeof lines - length, "%s" LOG_STOPPED_FORMAT "%s",
                              s.lineOpen && length == 0 ? CRLF : "", why, CRLF);
    if (stop > 0 && static_cast<size_t>(stop) < sizeof lines - length) {
        length += static_cast<size_t>(stop);
    }
    if (s.size + length <= s.limit) {
        WriteAll(lines, length);
    }
    g_bLogStopped.store(true, std::memory_order_relaxed);
}

// Appends "line\r\n" at text + length when it fits size; returns the new length.
size_t AppendLine(char* text, size_t length, size_t size, const char* line) {
    const int written = TwFormat(text + length, size - length, "%s%s", line, CRLF);
    if (written < 0 || static_cast<size_t>(written) >= size - length) {
        text[length] = '\0';
        return length;
    }
    return length + static_cast<size_t>(written);
}

} // namespace

bool MakeLoadStamp(const struct timeval& now, char* stamp, size_t size) {
    struct tm local {};
    const time_t seconds = now.tv_sec;
    if (localtime_r(&seconds, &local) == nullptr) {
        return false;
    }
    const int milliseconds = RoundedMilliseconds(now.tv_usec);
    const int length = snprintf(stamp, size, "%04d%02d%02d_%02d%02d%02d_%04d", local.tm_year + 1900,
                                local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                                local.tm_sec, milliseconds);
    return length > 0 && static_cast<size_t>(length) < size;
}

bool MakeLogFilePath(const char* directory, const struct timeval& now, int variant, char* path,
                     size_t size) {
    char stamp[256];
    if (!MakeLoadStamp(now, stamp, sizeof stamp)) {
        return false;
    }
    const int length =
        variant == 0
            ? snprintf(path, size, "%s/" LOG_FILE_PREFIX "%s" LOG_FILE_SUFFIX, directory, stamp)
            : snprintf(path, size, "%s/" LOG_FILE_PREFIX "%s_%02d" LOG_FILE_SUFFIX, directory,
                       stamp, variant);
    return length > 0 && static_cast<size_t>(length) < size;
}

FILE* OpenLogFile(const char* path) {
#ifdef _WIN32
    const int fd = twainwin::CreateLogFile(path);
    FILE* file = fd >= 0 ? fdopen(fd, "ab") : nullptr;
    if (file == nullptr) {
        if (fd >= 0) {
            close(fd);
        }
        return nullptr;
    }
#else
    // O_EXCL: only a file this load creates is written; O_NONBLOCK: nothing at the name can
    // stop the host's load.
    const int fd = open(
        path, O_WRONLY | O_APPEND | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK, 0644);
    if (fd < 0) {
        return nullptr;
    }
    struct stat status {};
    const int flags = fcntl(fd, F_GETFL);
    FILE* file = nullptr;
    if (fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && status.st_nlink == 1 &&
        status.st_uid == geteuid() && flags != -1 && fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0) {
        file = fdopen(fd, "a");
    }
    if (file == nullptr) {
        close(fd);
        return nullptr;
    }
#endif
    setvbuf(file, nullptr, _IONBF, 0); // never written through the stream
    return file;
}

FILE* CreateLogFile(const char* directory, const struct timeval& now) {
    for (int variant = 0; variant <= kLogFileVariants; ++variant) {
        char path[256] = {};
        if (!MakeLogFilePath(directory, now, variant, path, sizeof path)) {
            return nullptr;
        }
        if (FILE* file = OpenLogFile(path)) {
            return file;
        }
        if (errno != EEXIST) {
            return nullptr;
        }
    }
    return nullptr;
}

void StartLogFile(FILE* file, const LogLimits& limits) {
    LogLock lock;
    g_pLogFile = file;
    g_nLogProcessId = getpid();
    g_logState = LogFileState();
    g_logState.limits = limits;
    g_bLogStopped.store(false, std::memory_order_relaxed);
    char why[96];
    if (file != nullptr) {
        if (const char* reason = CheckLogFile(true, why)) {
            StopLogging(reason);
        }
    }
}

void setupTwainLog() {
    char directory[256] = TWAINMON_LOG_DIRECTORY;
    static_assert(sizeof TWAINMON_LOG_DIRECTORY +
                          sizeof "/" LOG_FILE_PREFIX "YYYYMMDD_HHMMSS_mmmm_NN" LOG_FILE_SUFFIX <=
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
        // One reading for the whole stamp: date, time and milliseconds of the same instant.
#ifdef _WIN32
        const struct timeval now = twainwin::LocalClock();
#else
        struct timeval now {};
        gettimeofday(&now, nullptr);
#endif
        if (FILE* file = CreateLogFile(directory, now)) {
            StartLogFile(file);
        }
    }
    g_cParaAnalyze.m_nTwainStatus = 3;
}

void cleanupTwainLog() {
    if (g_pcTwainLog != nullptr) {
        delete g_pcTwainLog;
        g_pcTwainLog = nullptr;
    }
    if (g_pLogFile == nullptr) {
        return;
    }
    if (getpid() != g_nLogProcessId) {
        // A child closes its copy of the descriptor only; the lock may be held by a thread
        // it does not have, and the log is the parent's.
        fclose(g_pLogFile);
        g_pLogFile = nullptr;
        return;
    }
    LogLock lock; // after the call that is writing
    fwrite("Close Log File.\n", 1, 16, stderr);
    fclose(g_pLogFile);
    g_pLogFile = nullptr;
}

unsigned long WriteLogFile(const unsigned char* data, unsigned long size) {
    if (g_pLogFile == nullptr) {
        return size;
    }
    if (g_bLogStopped.load(std::memory_order_relaxed)) {
        return 0;
    }
    LogFileState& s = g_logState;
    const char* const text = reinterpret_cast<const char*>(data);
    char why[96];
    const char* stop = s.sinceCheck >= s.limits.checkEvery ? CheckLogFile(true, why) : nullptr;
    char lost[kLastLinesSize];
    const size_t lostLength = LostEntriesLine(lost, sizeof lost);
    if (stop == nullptr && s.size + lostLength + size + kLastLinesSize > s.limit) {
        // Measured again first: the file may have been emptied, or the limit raised.
        stop = CheckLogFile(false, why);
        if (stop == nullptr && s.size + lostLength + size + kLastLinesSize > s.limit) {
            stop = LimitReached(why);
        }
    }
    if (stop != nullptr) {
        StopLogging(stop);
        return 0;
    }
    const uint64_t before = s.size;
    if ((lostLength == 0 || WriteAll(lost, lostLength)) && WriteAll(text, size)) {
        s.lost = 0;
        return size;
    }
    s.lostError = errno;
    s.lost = lostLength > 0 && s.size - before >= lostLength ? 1 : s.lost + 1;
    return s.size - before > lostLength ? static_cast<unsigned long>(s.size - before - lostLength)
                                        : 0;
}

void WriteLogText(const char* text, size_t size) {
    if (g_pLogFile == nullptr || getpid() != g_nLogProcessId) {
        return;
    }
    LogLock lock;
    WriteLogFile(reinterpret_cast<const unsigned char*>(text), size);
}

size_t CutResultSection(char* text, size_t length) {
    if (length <= LOG_SECTION_LIMIT) {
        return length;
    }
    memcpy(text + LOG_SECTION_LIMIT, kCutMarker, sizeof kCutMarker);
    return LOG_SECTION_LIMIT + sizeof kCutMarker - 1;
}

bool IsQuietEventPoll(TW_UINT16 DAT, TW_UINT16 MSG, TW_UINT16 rc, const void* pData) {
    if (MSG != MSG_PROCESSEVENT || DAT != DAT_EVENT || rc == TWRC_FAILURE) {
        return false;
    }
    if (rc != TWRC_DSEVENT) {
        return true;
    }
    const TW_UINT16 message = EventMessage(pData);
    return message != MSG_XFERREADY && message != MSG_CLOSEDSREQ;
}

void LogTriplet(TW_IDENTITY* pOrigin, TW_UINT32 DG, TW_UINT16 DAT, TW_UINT16 MSG, TW_MEMREF pData,
                TW_UINT16 rc, bool driverThrew) {
    static int stack = 0; // 1 while the error-status lines are written
    char* const data = static_cast<char*>(pData);
    LogLock lock;

    char* const text = g_entryText;
    text[0] = '\0';
    g_cParaAnalyze.TripletAnalyze(pOrigin, nullptr, DG, DAT, MSG, data, text);
    size_t length = strlen(text);
    if (length > TRIPLET_TEXT_SIZE) {
        // Longer than any triplet line: written on its own, the entry goes on from the start.
        WriteLogFile(reinterpret_cast<const unsigned char*>(text), length);
        length = 0;
    }

    char* const result = text + length;
    result[0] = '\0';
    g_cParaAnalyze.ParaAnalyze(pOrigin, nullptr, DG, DAT, MSG, data, rc, result);
    length += CutResultSection(result, strlen(result));

    const size_t size = sizeof g_entryText;
    if (driverThrew) {
        length = AppendLine(text, length, size, LOG_DRIVER_THREW_LINE);
    }
    if (rc == TWRC_FAILURE && stack == 0) {
        stack = 1;
        length = AppendLine(text, length, size, LOG_ERROR_STATUS_START);
        length = AppendLine(text, length, size, LOG_ERROR_STATUS_END);
        stack = 0;
    }

    if (length > 0) {
        WriteLogFile(reinterpret_cast<const unsigned char*>(text), length);
    }
}
