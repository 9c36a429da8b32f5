// CParaAnalyze turns each TWAIN call that passes through the data source into log text:
// the triplet line, then the result section (return code, parameter structure, state).
#ifndef TWAINMON_PARAANALYZE_H
#define TWAINMON_PARAANALYZE_H

#include <cstddef>
#include <cstdio>

#include "TwDump.h"
#include "twain.h"
#include "twaintbl.h"

// Every result text handed to the analyzer holds RESULT_TEXT_SIZE bytes. Appends beyond it
// are cut, keeping the first RESULT_TEXT_SIZE - 1 characters; the log writes at most
// LOG_SECTION_LIMIT of them, so a cut text logs exactly as a longer one would.
constexpr size_t LOG_SECTION_LIMIT = 5120;
constexpr size_t RESULT_TEXT_SIZE = 8192;
static_assert(RESULT_TEXT_SIZE > LOG_SECTION_LIMIT + 1, "a cut text must still be cut");

// Line end of every trace line.
#define CRLF "\r\n"

#define TWAINMON_EXPORT __attribute__((visibility("default")))

class CParaAnalyze {
public:
    CParaAnalyze();
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

    // Tracked TWAIN state.
    int UpDateTwainStatus(unsigned int DG, unsigned short DAT, unsigned short MSG, char* pData);
    int MakeTwainStatusString(char* out);
    int SetTwainStatus(int status);
    int GetTwainStatus();
    void InitTwainStatus();

    // The current triplet.
    TW_IDENTITY* m_pOrigin;
    TW_IDENTITY* m_pDest;
    TW_UINT32 m_DG;
    TW_UINT16 m_DAT;
    TW_UINT16 m_MSG;
    TW_MEMREF m_pData;
    TW_UINT16 m_ReturnCode; // set by ParaAnalyze only
    char* m_pResult;        // RESULT_TEXT_SIZE bytes, owned by the caller
    int m_nTwainStatus;
    long m_lSequenceNo; // triplet lines written since load
    char m_szMacroName[64];
    char m_szAppName[32];

private:
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

    size_t m_nResultLength; // length of the text at m_pResult; unknown until the first Append
};

// The analyzer of the data source, constructed before the module's initializer runs.
extern CParaAnalyze g_cParaAnalyze TWAINMON_EXPORT;

// The log file: opened at load when the log directory exists, closed at unload.
class CTwainLog;
extern CTwainLog* g_pcTwainLog TWAINMON_EXPORT;
extern FILE* g_pLogFile TWAINMON_EXPORT;

void setupTwainLog();
void cleanupTwainLog();
// Writes size bytes to the log file; with no log file writes nothing and returns size.
unsigned long WriteLogFile(const unsigned char* data, unsigned long size);
// Writes a result section: whole up to LOG_SECTION_LIMIT bytes, else its first
// LOG_SECTION_LIMIT bytes and the marker "Size of CAP_xxx too long" (no line end).
void WriteResultText(const char* text, size_t length);

#endif // TWAINMON_PARAANALYZE_H
