// CParaAnalyze turns each TWAIN call that passes through the data source into log text:
// the triplet line, then the result section (return code, parameter structure, state).
#ifndef TWAINMON_PARAANALYZE_H
#define TWAINMON_PARAANALYZE_H

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include <sys/statvfs.h>
#include <sys/time.h>
#include <sys/types.h>

#include "LogVocabulary.h"
#include "TwDump.h"
#include "twain.h"
#include "twaintbl.h"

// Every result text handed to the analyzer holds RESULT_TEXT_SIZE bytes. Appends beyond it
// are cut, keeping the first RESULT_TEXT_SIZE - 1 characters; the log writes at most
// LOG_SECTION_LIMIT of them, so a cut text logs exactly as a longer one would.
constexpr size_t RESULT_TEXT_SIZE = 8192;
static_assert(RESULT_TEXT_SIZE > LOG_SECTION_LIMIT + 1, "a cut text must still be cut");

#define TWAINMON_EXPORT __attribute__((visibility("default")))

// On a function that rethrows abi::__forced_unwind (glibc's unwind of a cancelled thread): the
// handler binds that foreign exception by reference, which UBSan takes for a null reference.
#define TWAINMON_RETHROWS_FORCED_UNWIND __attribute__((no_sanitize("null")))

// Makes the build fail unless the variable is initialized at compile time, with no code run
// at load.
#if defined(__clang__)
#define TWAINMON_CONSTINIT [[clang::require_constant_initialization]]
#elif defined(__GNUC__) && __GNUC__ >= 10
#define TWAINMON_CONSTINIT __constinit
#else
#define TWAINMON_CONSTINIT
#endif

class CParaAnalyze {
public:
    // Constant: every field has its initial value below, so the analyzer is in place before
    // any initializer of the module runs, whatever order the loader runs them in.
    constexpr CParaAnalyze() = default;
    ~CParaAnalyze() = default; // trivial: the analyzer needs no terminator of its own

    // Label and banner; the entry path uses neither.
    void Init(const char* name);
    bool HeaderMake(char* out);

    // Triplet line.
    bool TripletAnalyze(TW_IDENTITY* pOrigin, TW_IDENTITY* pDest, unsigned int DG,
                        unsigned short DAT, unsigned short MSG, char* pData, char* pResult);
    bool CreateStringOfTriplet();
    bool GetStringOfCapability(TW_CAPABILITY* pCap, char* out, unsigned int outSize);

    // Result section.
    bool ParaAnalyze(TW_IDENTITY* pOrigin, TW_IDENTITY* pDest, unsigned int DG, unsigned short DAT,
                     unsigned short MSG, char* pData, unsigned short rc, char* pResult);
    bool ResultMake();

    // Per-DAT members: each renders the parameter structure of its DAT (DatAnalyze.cpp).
    bool DatNullAnalyze();
    bool DatTwunkIdentityAnalyze();
    bool DatImageFileXferAnalyze();
    bool DatCapabilityAnalyze();
    bool DatEventAnalyze();
    bool DatIdentityAnalyze();
    bool DatParentAnalyze();
    bool DatPendingXfersAnalyze();
    bool DatSetupMemXferAnalyze();
    bool DatSetupFileXferAnalyze();
    bool DatStatusAnalyze();
    bool DatUserInterfaceAnalyze();
    bool DatXferGroupAnalyze();
    bool DatCustomDsDataAnalyze();
    bool DatImageInfoAnalyze();
    bool DatImageLayoutAnalyze();
    bool DatImageMemXferAnalyze();
    bool DatImageNativeXferAnalyze();
    bool DatPalette8Analyze();
    bool DatExtImageInfoAnalyze();
    bool DatCieColorAnalyze();
    bool DatGrayResponseAnalyze();
    bool DatRgbResponseAnalyze();
    bool DatJpegCompressionAnalyze();
    bool DatXqAutoExposureAnalyze();
    bool DatXqRgbMatrixAnalyze();
    bool DatXqColorSmoothingAnalyze();
    bool DatXqEventAnalyze();
    bool DatHardwareInfoAnalyze();
    bool DatXqSkewInfoAnalyze();
    bool DatUnsharpMaskAnalyze();
    bool DatXqRedCorrectionMatrixAnalyze();
    bool DatXqTwainCallbackMsgAnalyze();
    bool DatXqSettingFrameAnalyze();
    bool DatXqUsmInfoAnalyze();

    // Capability items and containers.
    // Item texts: a string item gives at most 255 characters, any other item at most 43.
    static constexpr size_t kItemTextSize = 512;
    // The text of one item of itemType belonging to cap. item holds the bytes from the
    // item's start to the end of its slot (list entries) or of the container (one value,
    // range fields); nothing beyond item is read.
    const char* ValToStr(unsigned short cap, unsigned short itemType, const CBlock& item,
                         char (&text)[kItemTextSize]);
    // A TWTY_UINT16 value of cap: its constant name through VALTOCAP/VALTOCAPXQ, a capability
    // name for CAP_SUPPORTEDCAPS, a dotted version for CAP_XQ_VERSION, else the number.
    void ValToCap(unsigned short cap, unsigned short value, char* text, size_t textSize);
    void MakeCapSupportedCaps(unsigned short capId, char* text, size_t textSize);
    void MakeCapXqVersion(unsigned short value, char* text, size_t textSize);
    // The capability block and its container (TwAnalyze.cpp).
    bool TwCapabilityAnalyze(TW_CAPABILITY* pCapability);
    bool TwContainerAnalyaze(TW_CAPABILITY* pCapability);
    // Each container renderer reads its container only inside the locked block.
    bool TwOneValueAnalyze(unsigned short cap, const CBlock& container);
    bool TwEnumerationAnalyze(unsigned short cap, const CBlock& container);
    bool TwArrayAnalyze(unsigned short cap, const CBlock& container);
    bool TwRangeAnalyze(unsigned short cap, const CBlock& container);
    // The ItemList lines of numItems items of itemType, read from items: the entries that
    // lie in items in full, then a line counting those beyond it. Stops once the text is full.
    void MakeItemList(unsigned short cap, unsigned short itemType, unsigned int numItems,
                      const CBlock& items);
    bool TwCapExtAnalyze(TW_CAPEXT* pCapExt);

    // Identity, geometry, transfer and status structures (TwAnalyze.cpp).
    bool TwIdentityAnalyze(TW_IDENTITY* pIdentity);
    bool TwVersionAnalyze(TW_VERSION* pVersion);
    bool TwFrameAnalyze(TW_FRAME* pFrame);
    bool TwImageInfoAnalyze(TW_IMAGEINFO* pImageInfo);
    bool TwImageLayoutAnalyze(TW_IMAGELAYOUT* pImageLayout);
    bool TwImageMemXferAnalyze(TW_IMAGEMEMXFER* pImageMemXfer);
    bool TwMemoryAnalyze(TW_MEMORY* pMemory);
    bool TwPendingXfersAnalyze(TW_PENDINGXFERS* pPendingXfers);
    bool TwSetupMemXferAnalyze(TW_SETUPMEMXFER* pSetupMemXfer);
    bool TwSetupFileXferAnalyze(TW_SETUPFILEXFER* pSetupFileXfer);
    bool TwStatusAnalyze(TW_STATUS* pStatus);
    bool TwUserInterfaceAnalyze(TW_USERINTERFACE* pUserInterface);
    bool TwEventAnalyze(TW_EVENT* pEvent);
    bool TwCustomDsDataAnalyze(TW_CUSTOMDSDATA* pCustomDsData);
    bool TwPalette8Analyze(TW_PALETTE8* pPalette8);
    bool TwUint32(void* pData);
    bool TwExtImageInfoAnalyze(TW_EXTIMAGEINFO* pExtImageInfo);
    bool TwInfoAnalyze(TW_INFO* pInfo);
    bool TwTwunkIdentityAnalyze();
    bool TwTwunkDsentryParamsAnalyze();
    bool TwTwunkDsentryReturnAnalyze();

    // Colour and compression structures (TwAnalyze.cpp).
    bool TwCieColorAnalyze(TW_CIECOLOR* pCieColor);
    bool TwTransformStageAnalyze(TW_TRANSFORMSTAGE* pStage);
    bool TwDecodeFunctionAnalyze(TW_DECODEFUNCTION* pDecode);
    bool TwCiePointAnalyze(TW_CIEPOINT* pPoint);
    bool TwGrayResponseAnalyze(TW_GRAYRESPONSE* pResponse);
    bool TwRgbResponseAnalyze(TW_RGBRESPONSE* pResponse);
    bool TwElement8Analyze(TW_ELEMENT8* pElement);
    bool TwJpegCompressionAnalyze(TW_JPEGCOMPRESSION* pJpeg);

    // Vendor extension structures (TwAnalyze.cpp).
    bool TwXqAutoExposureAnalyze(TWXQ_AUTOEXPOSURE* pAutoExposure);
    bool TwXqRgbMatrixAnalyze(TWXQ_RGBMATRIX* pRgbMatrix);
    bool TwXqColorSmoothingAnalyze(TWXQ_COLORSMOOTHING* pColorSmoothing);
    bool TwXqEventAnalyze();
    bool TwHardwareInfoAnalyze(TWXQ_HARDWAREINFO* pHardwareInfo);
    bool TwXqSkewInfoAnalyze(TWXQ_LOCATIONDATA* pLocation);
    bool TwUnsharpMaskAnalyze(TWXQ_USMPARAM* pUsmParam);
    bool TwXqRedCorrectionMatrixAnalyze();
    bool TwXqTwainCallbackMsgAnalyze();
    bool TwXqSettingFrameAnalyze(TWXQ_SETTINGFRAME* pSettingFrame);
    bool TwXqThresholdInfoAnalyze(TWXQ_THRESHOLDINFO* pThreshold);
    bool TwXqReviseBaseParamAnalyze(TWXQ_REVISEBASEPARM* pRevise);
    bool TwXqUsmInfoAnalyze(TWXQ_USMINFO* pUsmInfo);
    // The nine values of a colour matrix (a block of nine TW_FIX32), "%.3f" each, joined by
    // commas, continuing the current line.
    void SetColorCoeffData(const CBlock& coeff);

    // Tracked TWAIN state.
    int UpDateTwainStatus(unsigned int DG, unsigned short DAT, unsigned short MSG, char* pData);
    int MakeTwainStatusString(char* out);
    int SetTwainStatus(int status);
    int GetTwainStatus();
    void InitTwainStatus();

    // The current triplet.
    TW_IDENTITY* m_pOrigin = nullptr;
    TW_IDENTITY* m_pDest = nullptr;
    TW_UINT32 m_DG = 0;
    TW_UINT16 m_DAT = 0;
    TW_UINT16 m_MSG = 0;
    TW_MEMREF m_pData = nullptr;
    TW_UINT16 m_ReturnCode = 0; // set by ParaAnalyze only
    char* m_pResult = nullptr;  // RESULT_TEXT_SIZE bytes, owned by the caller
    int m_nTwainStatus = 0;     // 3 once the log is set up
    long m_lSequenceNo = 0;     // triplet lines written since load
    char m_szMacroName[64] = {};
    char m_szAppName[32] = "APP"; // the rest zero

private:
    friend class CDumpScope; // prints the dumpers' lines through Append

    // Calls the per-DAT member of m_DAT, if it has one.
    bool DispatchDat();
    // Takes the current triplet and the result text to append to.
    void SetTriplet(TW_IDENTITY* pOrigin, TW_IDENTITY* pDest, unsigned int DG, unsigned short DAT,
                    unsigned short MSG, char* pData, char* pResult);
    // Starts appending to a result text (its current text is kept).
    void SetResult(char* pResult);
    // The one append: formats at the end of m_pResult, never past RESULT_TEXT_SIZE. False
    // once the text is full: whatever is appended after that is cut, so a renderer of a long
    // list may stop there.
    bool Append(const char* format, ...) __attribute__((format(printf, 2, 3)));
    // The name of value in table (or its miss text), composed in m_szMacroName.
    const char* MacroName(MacroTable table, int64_t value);

    size_t m_nResultLength = 0; // length of the text at m_pResult
};

// The bytes of the structure a DAT's pData points to, as the DAT's row gives them: at least
// this many are there. 0 for a DAT whose data has no fixed structure, or that has no row.
size_t DatStructureSize(TW_UINT16 dat);

// The analyzer of the data source, initialized at compile time (see the constructor).
extern CParaAnalyze g_cParaAnalyze TWAINMON_EXPORT;

// The log file: created at load when the log directory exists, closed at unload. The module
// writes it with write(2) on its descriptor only, never through the stream.
class CTwainLog;
extern CTwainLog* g_pcTwainLog TWAINMON_EXPORT;
extern FILE* g_pLogFile TWAINMON_EXPORT;
// The process that opened the log file. A child of it (fork) never logs: the log lock may be
// held by a thread that the child does not have.
extern pid_t g_nLogProcessId;
// Set once the log file reached a limit: calls are still forwarded, nothing more is logged.
extern std::atomic<bool> g_bLogStopped;

void setupTwainLog();
// Closes the log, after the call that is writing it; a second call does nothing.
void cleanupTwainLog();
// Writes size bytes at the end of the log file, under the log lock (held by the caller);
// returns the bytes that reached the file. With no log file writes nothing and returns size.
unsigned long WriteLogFile(const unsigned char* data, unsigned long size);
// Takes the log lock and writes text, in the process that opened the log only.
void WriteLogText(const char* text, size_t size);

// What the log file may grow to. It never grows past kLogFileCap, nor past the process's
// file-size limit (RLIMIT_FSIZE, so no write raises SIGXFSZ), and logging stops while the
// file system has less free space than kFreeSpaceFloor or 1 % of its size, whichever is
// smaller. The free space, the file's size and the limit are measured when the file is
// opened, again after every kFreeSpaceCheckEvery bytes written, and the size and the limit
// again before a write that would pass the limit.
constexpr uint64_t kLogFileCap = uint64_t{1} << 30;
constexpr uint64_t kFreeSpaceFloor = uint64_t{256} << 20;
constexpr uint64_t kFreeSpaceCheckEvery = uint64_t{16} << 20;
struct LogLimits {
    uint64_t cap = kLogFileCap;
    uint64_t checkEvery = kFreeSpaceCheckEvery;
};
// The free space under which logging stops on a file system of blocks * blockSize bytes.
constexpr uint64_t FreeSpaceFloor(uint64_t blocks, uint64_t blockSize) {
    return blocks / 100 * blockSize < kFreeSpaceFloor ? blocks / 100 * blockSize : kFreeSpaceFloor;
}
// The system calls the log file is written and measured with; tests replace them to inject
// faults.
struct LogFileCalls {
    ssize_t (*write)(int fd, const void* data, size_t size);
    int (*fstatvfs)(int fd, struct statvfs* status);
};
extern LogFileCalls g_logFileCalls;

// Makes file the log file of this process: records the process, measures the file, its file
// system and the file-size limit, and stops logging at once when one is already reached.
// Null switches logging off.
void StartLogFile(FILE* file, const LogLimits& limits = LogLimits());

// The milliseconds of a clock reading as the log shows them: the microseconds rounded half
// up, 0 to 1000 (999.5 ms gives 1000, never carried into the seconds).
constexpr int RoundedMilliseconds(long microseconds) {
    return static_cast<int>((microseconds + 500) / 1000);
}

// The load stamp YYYYMMDD_HHMMSS_mmmm of a clock reading, in local time: the milliseconds are
// the microseconds rounded half up, 0000 to 1000, and never carry into the seconds. False
// when it does not fit size bytes.
bool MakeLoadStamp(const struct timeval& now, char* stamp, size_t size);
// Names tried for one load, in this order: directory/Twainlog_<stamp>.txt (variant 0), then
// directory/Twainlog_<stamp>_01.txt to _99.txt. They sort by load time, and after the first
// name of their stamp. False when it does not fit size bytes.
constexpr int kLogFileVariants = 99;
bool MakeLogFilePath(const char* directory, const struct timeval& now, int variant, char* path,
                     size_t size);
// Creates path as a new file, mode 0644 less the umask, and opens it for appending. Null when
// anything is at the name (the directory is shared with other users: nothing planted there is
// ever written to) or when what was created is not a regular file with one link owned by
// this user. The open never waits for a reader or writer.
FILE* OpenLogFile(const char* path);
// The log file of a load at now: the first of its names that OpenLogFile creates, or null.
FILE* CreateLogFile(const char* directory, const struct timeval& now);

// Rendering room of one logged call: the triplet text, then the result section.
constexpr size_t TRIPLET_TEXT_SIZE = 1024;

// A result section longer than LOG_SECTION_LIMIT keeps its first LOG_SECTION_LIMIT bytes and
// ends in LOG_CUT_MARKER, with no line end. text holds
// RESULT_TEXT_SIZE bytes; returns the length to log.
size_t CutResultSection(char* text, size_t length);
// True when the call is event polling that the log leaves out: no triplet line, no result
// section, no error-status lines. Decided from the call alone, without the analyzer.
bool IsQuietEventPoll(TW_UINT16 DAT, TW_UINT16 MSG, TW_UINT16 rc, const void* pData);
// Renders one call (triplet text, result section cut at LOG_SECTION_LIMIT with its marker,
// the driver-threw line, the error-status lines of a failure) and appends it to the log in
// one write. Calls from several threads are serialized; each entry is whole, and a thread is
// not cancelled while it holds the lock.
void LogTriplet(TW_IDENTITY* pOrigin, TW_UINT32 DG, TW_UINT16 DAT, TW_UINT16 MSG, TW_MEMREF pData,
                TW_UINT16 rc, bool driverThrew);

#endif // TWAINMON_PARAANALYZE_H
