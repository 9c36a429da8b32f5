// The structure and container renderers. Each dumper reads its structure through a CBlock
// (never a byte past it) and appends its lines one Append per line, with the literal format
// of the log; a block's heading and closing brace come from the dumper that opens it, and a
// nested structure is a label line followed by the block of its own dumper.
#include "ParaAnalyze.h"

#include "TwainXq.h"

// Offsets of the fields a dumper reads: the layout is pinned in twain.h and TwainXq.h.
#define OFF(type, field) offsetof(type, field)

// ---------------------------------------------------------------------------------------
// Capability containers

// ---------------------------------------------------------------------------------------
// Identity, geometry, transfer and status

bool CParaAnalyze::TwIdentityAnalyze(TW_IDENTITY* pIdentity) {
    const CBlock b = CBlock::Of(pIdentity);
    if (b.IsNull()) {
        return true;
    }
    char text[256];
    Append(m_MSG == MSG_OPENDSM ? "  pOrigin:TW_IDENTITY = {%s" : "  TW_IDENTITY = {%s", CRLF);
    Append("    Id              = [%ld]%s", static_cast<long>(b.U64(OFF(TW_IDENTITY, Id))), CRLF);
    Append("    Version         =%s", CRLF);
    TwVersionAnalyze(&pIdentity->Version);
    Append("    ProtocolMajor   = [%d]%s", b.U16(OFF(TW_IDENTITY, ProtocolMajor)), CRLF);
    Append("    ProtocolMinor   = [%d]%s", b.U16(OFF(TW_IDENTITY, ProtocolMinor)), CRLF);
    Append("    SupportedGroups = [%ld]%s", b.Ld(OFF(TW_IDENTITY, SupportedGroups)), CRLF);
    Append("    Manufacturer    = [%s]%s",
           b.Str(OFF(TW_IDENTITY, Manufacturer), sizeof(TW_STR32), text), CRLF);
    Append("    ProductFamily   = [%s]%s",
           b.Str(OFF(TW_IDENTITY, ProductFamily), sizeof(TW_STR32), text), CRLF);
    Append("    ProductName     = [%s]%s",
           b.Str(OFF(TW_IDENTITY, ProductName), sizeof(TW_STR32), text), CRLF);
    Append("  }%s", CRLF);
    return true;
}

bool CParaAnalyze::TwVersionAnalyze(TW_VERSION* pVersion) {
    const CBlock b = CBlock::Of(pVersion);
    if (b.IsNull()) {
        return true;
    }
    char text[256];
    Append("    TW_VERSION = {%s", CRLF);
    Append("      MajorNum = [%d]%s", b.U16(OFF(TW_VERSION, MajorNum)), CRLF);
    Append("      MinorNum = [%d]%s", b.U16(OFF(TW_VERSION, MinorNum)), CRLF);
    Append("      Language = [%s]%s",
           MacroName(MacroRows(twlg_macros), b.U16(OFF(TW_VERSION, Language))), CRLF);
    Append("      Country  = [%s]%s",
           MacroName(MacroRows(twcy_macros), b.U16(OFF(TW_VERSION, Country))), CRLF);
    Append("      Info     = [%s]%s", b.Str(OFF(TW_VERSION, Info), sizeof(TW_STR32), text), CRLF);
    Append("    }%s", CRLF);
    return true;
}

bool CParaAnalyze::TwFrameAnalyze(TW_FRAME* pFrame) {
    const CBlock b = CBlock::Of(pFrame);
    if (b.IsNull()) {
        return true;
    }
    Append("    TW_FRAME = {%s", CRLF);
    Append("      Left   = [%.3f]%s", b.Fix32(OFF(TW_FRAME, Left)), CRLF);
    Append("      Top    = [%.3f]%s", b.Fix32(OFF(TW_FRAME, Top)), CRLF);
    Append("      Right  = [%.3f]%s", b.Fix32(OFF(TW_FRAME, Right)), CRLF);
    Append("      Bottom = [%.3f]%s", b.Fix32(OFF(TW_FRAME, Bottom)), CRLF);
    Append("    }%s", CRLF);
    return true;
}

bool CParaAnalyze::TwImageInfoAnalyze(TW_IMAGEINFO* pImageInfo) {
    (void)pImageInfo;
    return true;
}

bool CParaAnalyze::TwImageLayoutAnalyze(TW_IMAGELAYOUT* pImageLayout) {
    const CBlock b = CBlock::Of(pImageLayout);
    if (b.IsNull()) {
        return true;
    }
    Append("  TW_IMAGELAYOUT = {%s", CRLF);
    Append("    Frame          =%s", CRLF);
    TwFrameAnalyze(&pImageLayout->Frame);
    Append("    DocumentNumber = [%ld]%s", b.Ld(OFF(TW_IMAGELAYOUT, DocumentNumber)), CRLF);
    Append("    PageNumber     = [%ld]%s", b.Ld(OFF(TW_IMAGELAYOUT, PageNumber)), CRLF);
    Append("    FrameNumber    = [%ld]%s", b.Ld(OFF(TW_IMAGELAYOUT, FrameNumber)), CRLF);
    Append("  }%s", CRLF);
    return true;
}

bool CParaAnalyze::TwImageMemXferAnalyze(TW_IMAGEMEMXFER* pImageMemXfer) {
    (void)pImageMemXfer;
    return true;
}

bool CParaAnalyze::TwMemoryAnalyze(TW_MEMORY* pMemory) {
    const CBlock b = CBlock::Of(pMemory);
    if (b.IsNull()) {
        return true;
    }
    Append("    TW_MEMORY = {%s", CRLF);
    Append("      Flags  = [0x%x]%s", b.U32(OFF(TW_MEMORY, Flags)), CRLF);
    Append("      Length = [%ld]%s", b.Ld(OFF(TW_MEMORY, Length)), CRLF);
    Append("      TheMem = <0x%08x>%s", b.Ptr32(OFF(TW_MEMORY, TheMem)), CRLF);
    Append("    }%s", CRLF);
    return true;
}

bool CParaAnalyze::TwPendingXfersAnalyze(TW_PENDINGXFERS* pPendingXfers) {
    (void)pPendingXfers;
    return true;
}

bool CParaAnalyze::TwSetupMemXferAnalyze(TW_SETUPMEMXFER* pSetupMemXfer) {
    (void)pSetupMemXfer;
    return true;
}

bool CParaAnalyze::TwSetupFileXferAnalyze(TW_SETUPFILEXFER* pSetupFileXfer) {
    (void)pSetupFileXfer;
    return true;
}

bool CParaAnalyze::TwStatusAnalyze(TW_STATUS* pStatus) {
    const CBlock b = CBlock::Of(pStatus);
    if (b.IsNull()) {
        return true;
    }
    Append("  TW_STATUS = {%s", CRLF);
    Append("    ConditionCode = [%s]%s",
           MacroName(MacroRows(twcc_macros), b.U16(OFF(TW_STATUS, ConditionCode))), CRLF);
    Append("  }%s", CRLF);
    return true;
}

bool CParaAnalyze::TwUserInterfaceAnalyze(TW_USERINTERFACE* pUserInterface) {
    (void)pUserInterface;
    return true;
}

bool CParaAnalyze::TwEventAnalyze(TW_EVENT* pEvent) {
    (void)pEvent;
    return true;
}

bool CParaAnalyze::TwCustomDsDataAnalyze(TW_CUSTOMDSDATA* pCustomDsData) {
    (void)pCustomDsData;
    return true;
}

bool CParaAnalyze::TwPalette8Analyze(TW_PALETTE8* pPalette8) {
    (void)pPalette8;
    return true;
}

bool CParaAnalyze::TwUint32(void* pData) {
    (void)pData;
    return true;
}

bool CParaAnalyze::TwExtImageInfoAnalyze(TW_EXTIMAGEINFO* pExtImageInfo) {
    (void)pExtImageInfo;
    return true;
}

bool CParaAnalyze::TwInfoAnalyze(TW_INFO* pInfo) {
    (void)pInfo;
    return true;
}

bool CParaAnalyze::TwTwunkIdentityAnalyze() {
    return true;
}

bool CParaAnalyze::TwTwunkDsentryParamsAnalyze() {
    return true;
}

bool CParaAnalyze::TwTwunkDsentryReturnAnalyze() {
    return true;
}

// ---------------------------------------------------------------------------------------
// Colour and compression

bool CParaAnalyze::TwCieColorAnalyze(TW_CIECOLOR* pCieColor) {
    (void)pCieColor;
    return true;
}

bool CParaAnalyze::TwTransformStageAnalyze(TW_TRANSFORMSTAGE* pStage) {
    (void)pStage;
    return true;
}

bool CParaAnalyze::TwDecodeFunctionAnalyze(TW_DECODEFUNCTION* pDecode) {
    (void)pDecode;
    return true;
}

bool CParaAnalyze::TwCiePointAnalyze(TW_CIEPOINT* pPoint) {
    (void)pPoint;
    return true;
}

bool CParaAnalyze::TwGrayResponseAnalyze(TW_GRAYRESPONSE* pResponse) {
    (void)pResponse;
    return true;
}

bool CParaAnalyze::TwRgbResponseAnalyze(TW_RGBRESPONSE* pResponse) {
    (void)pResponse;
    return true;
}

bool CParaAnalyze::TwElement8Analyze(TW_ELEMENT8* pElement) {
    (void)pElement;
    return true;
}

bool CParaAnalyze::TwJpegCompressionAnalyze(TW_JPEGCOMPRESSION* pJpeg) {
    (void)pJpeg;
    return true;
}

// ---------------------------------------------------------------------------------------
// Vendor extension structures
