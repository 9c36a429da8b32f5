// CParaAnalyze turns each TWAIN call that passes through the data source into log text:
// the triplet line, then the result section (return code, parameter structure, state).
#ifndef TWAINMON_PARAANALYZE_H
#define TWAINMON_PARAANALYZE_H

#include <cstddef>
#include <cstdint>

#include "LogVocabulary.h"
#include "TwDump.h"
#include "TwPrint.h"
#include "TwainExport.h"
#include "twain.h"
#include "twaintbl.h"

// Every result text handed to the analyzer holds RESULT_TEXT_SIZE bytes. Appends beyond it
// are cut, keeping the first RESULT_TEXT_SIZE - 1 characters; the log writes at most
// LOG_SECTION_LIMIT of them, so a cut text logs exactly as a longer one would.
constexpr size_t RESULT_TEXT_SIZE = 8192;
static_assert(RESULT_TEXT_SIZE > LOG_SECTION_LIMIT + 1, "a cut text must still be cut");

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
    // A call the source made to the manager (the TWAIN 2 build): its triplet names line, then
    // its return code, pData and structure lines; nothing is left out, and the sequence number,
    // the label and the state are the entry's assembly's (LogSourceCall).
    void SourceCallAnalyze(TW_IDENTITY* pOrigin, TW_IDENTITY* pDest, unsigned int DG,
                           unsigned short DAT, unsigned short MSG, char* pData, unsigned short rc,
                           char* pResult);

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
    char m_szAppName[32] = LOG_APP_LABEL; // the rest zero

private:
    // "DG/DAT/MSG" by name, with " (CAP)" for a capability, and the line end.
    void AppendTripletNames();
    // The return code and pData lines.
    void AppendCallLines();
    // Calls the per-DAT member of m_DAT, if it has one.
    bool DispatchDat();
    // Takes the current triplet and the result text to append to.
    void SetTriplet(TW_IDENTITY* pOrigin, TW_IDENTITY* pDest, unsigned int DG, unsigned short DAT,
                    unsigned short MSG, char* pData, char* pResult);
    // Starts appending to a result text (its current text is kept).
    void SetResult(char* pResult);
    // The one append: formats at the end of m_pResult, never past RESULT_TEXT_SIZE. False
    // once the text is full: whatever is appended after that is cut, so a renderer of a long
    // list may stop there. The dumpers' scopes write to the same text through m_sink.
    bool Append(const char* format, ...) __attribute__((format(printf, 2, 3)));
    // The name of value in table (or its miss text), composed in m_szMacroName.
    const char* MacroName(MacroTable table, int64_t value);

    CTextSink m_sink; // m_pResult, its length and RESULT_TEXT_SIZE
};

// The bytes of the structure a DAT's pData points to, as the DAT's row gives them: at least
// this many are there. 0 for a DAT whose data has no fixed structure, or that has no row.
size_t DatStructureSize(TW_UINT16 dat);

// The analyzer of the data source, initialized at compile time (see the constructor).
extern CParaAnalyze g_cParaAnalyze TWAINMON_EXPORT;

#endif // TWAINMON_PARAANALYZE_H
