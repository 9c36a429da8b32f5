// The renderers of TWAIN's standard structures: identity, geometry, transfer, status, colour
// and compression.
// Each dumper reads its structure through a CBlock (never a byte past it) and prints it through
// a CDumpScope (TwPrint.h): the scope prints the block's heading and closing brace, nested in
// the scope open around it, and pads the labels to its width; each field line is one
// PRINT_FIELD_ of its value kind, labelled with the field's own name. A nested structure is a
// label line followed by the block of its own dumper.
#include "ParaAnalyze.h"

#include "TwConvert.h"
#include "TwFormat.h"
#include "TwPrint.h"

bool CParaAnalyze::TwIdentityAnalyze(TW_IDENTITY* pIdentity) {
    const CBlock b = CBlock::Of(pIdentity);
    if (b.IsNull()) {
        return true;
    }
    char text[256];
    CDumpScope s(m_sink, m_MSG == MSG_OPENDSM ? "pOrigin:TW_IDENTITY" : "TW_IDENTITY", 15);
    s.Ld("Id", static_cast<long long>(b.Id(TW_AT(TW_IDENTITY, Id))));
    s.Nested("Version");
    TwVersionAnalyze(&pIdentity->Version);
    PRINT_FIELD(s, Int, b.U16, TW_IDENTITY, ProtocolMajor);
    PRINT_FIELD(s, Int, b.U16, TW_IDENTITY, ProtocolMinor);
    PRINT_FIELD(s, Ld, b.Ld, TW_IDENTITY, SupportedGroups);
    PRINT_FIELD_STR(s, b, TW_IDENTITY, Manufacturer, text);
    PRINT_FIELD_STR(s, b, TW_IDENTITY, ProductFamily, text);
    PRINT_FIELD_STR(s, b, TW_IDENTITY, ProductName, text);
    return true;
}

bool CParaAnalyze::TwVersionAnalyze(TW_VERSION* pVersion) {
    const CBlock b = CBlock::Of(pVersion);
    if (b.IsNull()) {
        return true;
    }
    char text[256];
    CDumpScope s(m_sink, "TW_VERSION", 8);
    PRINT_FIELD(s, Int, b.U16, TW_VERSION, MajorNum);
    PRINT_FIELD(s, Int, b.U16, TW_VERSION, MinorNum);
    PRINT_FIELD_NAME(s, b.U16, TW_VERSION, Language, twlg_macros);
    PRINT_FIELD_NAME(s, b.U16, TW_VERSION, Country, twcy_macros);
    PRINT_FIELD_STR(s, b, TW_VERSION, Info, text);
    return true;
}

bool CParaAnalyze::TwFrameAnalyze(TW_FRAME* pFrame) {
    const CBlock b = CBlock::Of(pFrame);
    if (b.IsNull()) {
        return true;
    }
    CDumpScope s(m_sink, "TW_FRAME", 6);
    PRINT_FIELD(s, Fix, b.Fix32, TW_FRAME, Left);
    PRINT_FIELD(s, Fix, b.Fix32, TW_FRAME, Top);
    PRINT_FIELD(s, Fix, b.Fix32, TW_FRAME, Right);
    PRINT_FIELD(s, Fix, b.Fix32, TW_FRAME, Bottom);
    return true;
}

bool CParaAnalyze::TwImageInfoAnalyze(TW_IMAGEINFO* pImageInfo) {
    const CBlock b = CBlock::Of(pImageInfo);
    if (b.IsNull()) {
        return true;
    }
    char list[kNumberListSize];
    CDumpScope s(m_sink, "TW_IMAGEINFO", 16);
    PRINT_FIELD(s, Fix, b.Fix32, TW_IMAGEINFO, XResolution);
    PRINT_FIELD(s, Fix, b.Fix32, TW_IMAGEINFO, YResolution);
    PRINT_FIELD(s, Int, b.I32, TW_IMAGEINFO, ImageWidth);
    PRINT_FIELD(s, Int, b.I32, TW_IMAGEINFO, ImageLength);
    PRINT_FIELD(s, Int, b.I16, TW_IMAGEINFO, SamplesPerPixel);
    s.List("BitsPerSamples[]", NumberList16(b, TW_AT(TW_IMAGEINFO, BitsPerSample), 8, true, list));
    PRINT_FIELD(s, Int, b.I16, TW_IMAGEINFO, BitsPerPixel);
    PRINT_FIELD(s, Text, b.Bool, TW_IMAGEINFO, Planar);
    PRINT_FIELD_NAME(s, b.I16, TW_IMAGEINFO, PixelType, twpt_macros);
    PRINT_FIELD_NAME(s, b.U16, TW_IMAGEINFO, Compression, twcp_macros);
    return true;
}

bool CParaAnalyze::TwImageLayoutAnalyze(TW_IMAGELAYOUT* pImageLayout) {
    const CBlock b = CBlock::Of(pImageLayout);
    if (b.IsNull()) {
        return true;
    }
    CDumpScope s(m_sink, "TW_IMAGELAYOUT", 14);
    s.Nested("Frame");
    TwFrameAnalyze(&pImageLayout->Frame);
    PRINT_FIELD(s, Ld, b.Ld, TW_IMAGELAYOUT, DocumentNumber);
    PRINT_FIELD(s, Ld, b.Ld, TW_IMAGELAYOUT, PageNumber);
    PRINT_FIELD(s, Ld, b.Ld, TW_IMAGELAYOUT, FrameNumber);
    return true;
}

// The block closes with a brace in column 0.
bool CParaAnalyze::TwImageMemXferAnalyze(TW_IMAGEMEMXFER* pImageMemXfer) {
    const CBlock b = CBlock::Of(pImageMemXfer);
    if (b.IsNull()) {
        return true;
    }
    CDumpScope s(m_sink, "TW_IMAGEMEMXFER", 12, CDumpScope::Layout::BraceAtMargin);
    PRINT_FIELD_NAME(s, b.U16, TW_IMAGEMEMXFER, Compression, twcp_macros);
    PRINT_FIELD(s, Ld, b.Ld, TW_IMAGEMEMXFER, BytesPerRow);
    PRINT_FIELD(s, Ld, b.Ld, TW_IMAGEMEMXFER, Columns);
    PRINT_FIELD(s, Ld, b.Ld, TW_IMAGEMEMXFER, Rows);
    PRINT_FIELD(s, Ld, b.Ld, TW_IMAGEMEMXFER, XOffset);
    PRINT_FIELD(s, Ld, b.Ld, TW_IMAGEMEMXFER, YOffset);
    PRINT_FIELD(s, Ld, b.Ld, TW_IMAGEMEMXFER, BytesWritten);
    s.Nested("Memory");
    TwMemoryAnalyze(&pImageMemXfer->Memory);
    return true;
}

bool CParaAnalyze::TwMemoryAnalyze(TW_MEMORY* pMemory) {
    const CBlock b = CBlock::Of(pMemory);
    if (b.IsNull()) {
        return true;
    }
    CDumpScope s(m_sink, "TW_MEMORY", 6);
    PRINT_FIELD(s, Hex, b.U32, TW_MEMORY, Flags);
    PRINT_FIELD(s, Ld, b.Ld, TW_MEMORY, Length);
    PRINT_FIELD(s, Ptr, b.Ptr32, TW_MEMORY, TheMem);
    return true;
}

// Count 0xFFFF, the count a source cannot tell, prints -1.
bool CParaAnalyze::TwPendingXfersAnalyze(TW_PENDINGXFERS* pPendingXfers) {
    const CBlock b = CBlock::Of(pPendingXfers);
    if (b.IsNull()) {
        return true;
    }
    CDumpScope s(m_sink, "TW_PENDINGXFERS", 5);
    PRINT_FIELD(s, Int, b.I16, TW_PENDINGXFERS, Count);
    PRINT_FIELD(s, Ld, b.Ld, TW_PENDINGXFERS, EOJ);
    return true;
}

bool CParaAnalyze::TwSetupMemXferAnalyze(TW_SETUPMEMXFER* pSetupMemXfer) {
    const CBlock b = CBlock::Of(pSetupMemXfer);
    if (b.IsNull()) {
        return true;
    }
    CDumpScope s(m_sink, "TW_SETUPMEMXFER", 10);
    PRINT_FIELD(s, Ld, b.Ld, TW_SETUPMEMXFER, MinBufSize);
    PRINT_FIELD(s, Ld, b.Ld, TW_SETUPMEMXFER, MaxBufSize);
    PRINT_FIELD(s, Ld, b.Ld, TW_SETUPMEMXFER, Preferred);
    return true;
}

// A file name filling all 256 bytes of its field without a NUL prints whole: the copy has
// room for the field and its end.
bool CParaAnalyze::TwSetupFileXferAnalyze(TW_SETUPFILEXFER* pSetupFileXfer) {
    const CBlock b = CBlock::Of(pSetupFileXfer);
    if (b.IsNull()) {
        return true;
    }
    char text[sizeof(TW_STR255) + 1];
    CDumpScope s(m_sink, "TW_SETUPFILEXFER", 8);
    PRINT_FIELD_STR(s, b, TW_SETUPFILEXFER, FileName, text);
    PRINT_FIELD_NAME(s, b.U16, TW_SETUPFILEXFER, Format, twff_macros);
    PRINT_FIELD(s, Int, b.I16, TW_SETUPFILEXFER, VRefNum);
    return true;
}

bool CParaAnalyze::TwStatusAnalyze(TW_STATUS* pStatus) {
    const CBlock b = CBlock::Of(pStatus);
    if (b.IsNull()) {
        return true;
    }
    CDumpScope s(m_sink, "TW_STATUS", 13);
    PRINT_FIELD_NAME(s, b.U16, TW_STATUS, ConditionCode, twcc_macros);
    return true;
}

bool CParaAnalyze::TwUserInterfaceAnalyze(TW_USERINTERFACE* pUserInterface) {
    const CBlock b = CBlock::Of(pUserInterface);
    if (b.IsNull()) {
        return true;
    }
    CDumpScope s(m_sink, "TW_USERINTERFACE", 7);
    PRINT_FIELD(s, Text, b.Bool, TW_USERINTERFACE, ShowUI);
    PRINT_FIELD(s, Text, b.Bool, TW_USERINTERFACE, ModalUI);
    PRINT_FIELD(s, Ptr, b.Ptr32, TW_USERINTERFACE, hParent);
    return true;
}

// An event without a message (MSG_NULL) prints nothing, as no event does.
bool CParaAnalyze::TwEventAnalyze(TW_EVENT* pEvent) {
    const CBlock b = CBlock::Of(pEvent);
    const TW_UINT16 message = b.U16(TW_AT(TW_EVENT, TWMessage));
    if (b.IsNull() || message == MSG_NULL) {
        return true;
    }
    CDumpScope s(m_sink, "TW_EVENT", 9);
    PRINT_FIELD(s, Ptr, b.Ptr32, TW_EVENT, pEvent);
    s.Name("TWMessage", StandardOrVendor(message, MacroRows(msg_macros), MacroRows(msg_xq_macros)),
           message);
    return true;
}

bool CParaAnalyze::TwCustomDsDataAnalyze(TW_CUSTOMDSDATA* pCustomDsData) {
    const CBlock b = CBlock::Of(pCustomDsData);
    if (b.IsNull()) {
        return true;
    }
    CDumpScope s(m_sink, "TW_CUSTOMDSDATA", 10);
    PRINT_FIELD(s, Int, b.I32, TW_CUSTOMDSDATA, InfoLength);
    PRINT_FIELD(s, Ptr, b.Ptr32, TW_CUSTOMDSDATA, hData);
    return true;
}

// The palette itself is not shown.
bool CParaAnalyze::TwPalette8Analyze(TW_PALETTE8* pPalette8) {
    if (pPalette8 == nullptr) {
        return true;
    }
    Append("  TW_PALETTE8 = { it does not display. }%s", CRLF);
    return true;
}

// The 32-bit value the data reference points to: the group mask of DAT_XFERGROUP, the low
// 32 bits of the image handle of DAT_IMAGENATIVEXFER (both in hexadecimal), else a number.
bool CParaAnalyze::TwUint32(void* pData) {
    const CBlock b(pData, sizeof(TW_UINT32));
    if (b.IsNull()) {
        return true;
    }
    CDumpScope s(m_sink, "TW_UINT32", 4);
    if (m_DAT == DAT_XFERGROUP || m_DAT == DAT_IMAGENATIVEXFER) {
        s.Ptr("Item", b.U32(0));
    } else {
        s.Ld("Item", b.Ld(0));
    }
    return true;
}

// Only the first TW_INFO is shown, whatever NumInfos says.
bool CParaAnalyze::TwExtImageInfoAnalyze(TW_EXTIMAGEINFO* pExtImageInfo) {
    const CBlock b = CBlock::Of(pExtImageInfo);
    if (b.IsNull()) {
        return true;
    }
    CDumpScope s(m_sink, "TW_EXTIMAGEINFO", 8);
    PRINT_FIELD(s, Ld, b.Ld, TW_EXTIMAGEINFO, NumInfos);
    s.Nested("Info");
    TwInfoAnalyze(&pExtImageInfo->Info[0]);
    return true;
}

bool CParaAnalyze::TwInfoAnalyze(TW_INFO* pInfo) {
    const CBlock b = CBlock::Of(pInfo);
    if (b.IsNull()) {
        return true;
    }
    CDumpScope s(m_sink, "TW_INFO", 8);
    PRINT_FIELD(s, Int, b.U16, TW_INFO, InfoID);
    PRINT_FIELD_NAME(s, b.U16, TW_INFO, ItemType, twty_macros);
    PRINT_FIELD(s, Int, b.U16, TW_INFO, NumItems);
    PRINT_FIELD_NAME(s, b.U16, TW_INFO, CondCode, twrc_macros);
    PRINT_FIELD(s, Lu, b.Item, TW_INFO, Item);
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
    const CBlock b = CBlock::Of(pCieColor);
    if (b.IsNull()) {
        return true;
    }
    CDumpScope s(m_sink, "TW_CIECOLOR", 15);
    PRINT_FIELD_NAME(s, b.U16, TW_CIECOLOR, ColorSpace, twpt_macros);
    PRINT_FIELD(s, Int, b.I16, TW_CIECOLOR, LowEndian);
    PRINT_FIELD(s, Int, b.I16, TW_CIECOLOR, DeviceDependent);
    PRINT_FIELD(s, Ld, b.Ld, TW_CIECOLOR, VersionNumber);
    // The nested blocks' labels stand unpadded against their equals signs.
    s.Raw("StageABC=");
    TwTransformStageAnalyze(&pCieColor->StageABC);
    s.Raw("StageLMN=");
    TwTransformStageAnalyze(&pCieColor->StageLMN);
    s.Raw("WhitePoint=");
    TwCiePointAnalyze(&pCieColor->WhitePoint);
    s.Raw("BlackPoint=");
    TwCiePointAnalyze(&pCieColor->BlackPoint);
    s.Raw("WhitePaper=");
    TwCiePointAnalyze(&pCieColor->WhitePaper);
    s.Raw("BlackInk=");
    TwCiePointAnalyze(&pCieColor->BlackInk);
    PRINT_FIELD_AS(s, Fix, "Samples[]", b.Fix32, TW_CIECOLOR, Samples);
    return true;
}

// Three decode functions, then the 3 x 3 mix matrix row by row.
bool CParaAnalyze::TwTransformStageAnalyze(TW_TRANSFORMSTAGE* pStage) {
    const CBlock b = CBlock::Of(pStage);
    if (b.IsNull()) {
        return true;
    }
    char label[16];
    CDumpScope s(m_sink, "TW_TRANSFORMSTAGE", 9);
    for (int i = 0; i < 3; ++i) {
        TwFormat(label, sizeof label, "Decode[%d]", i);
        s.Nested(label);
        TwDecodeFunctionAnalyze(&pStage->Decode[i]);
    }
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            const size_t entry = TW_AT(TW_TRANSFORMSTAGE, Mix) + sizeof(TW_FIX32) * (3 * i + j);
            TwFormat(label, sizeof label, "Mix[%d][%d]", i, j);
            s.Fix(label, b.Fix32(entry));
        }
    }
    return true;
}

bool CParaAnalyze::TwDecodeFunctionAnalyze(TW_DECODEFUNCTION* pDecode) {
    const CBlock b = CBlock::Of(pDecode);
    if (b.IsNull()) {
        return true;
    }
    CDumpScope s(m_sink, "TW_DECODEFUNCTION", 11);
    PRINT_FIELD(s, Fix, b.Fix32, TW_DECODEFUNCTION, StartIn);
    PRINT_FIELD(s, Fix, b.Fix32, TW_DECODEFUNCTION, BreakIn);
    PRINT_FIELD(s, Fix, b.Fix32, TW_DECODEFUNCTION, EndIn);
    PRINT_FIELD(s, Fix, b.Fix32, TW_DECODEFUNCTION, StartOut);
    PRINT_FIELD(s, Fix, b.Fix32, TW_DECODEFUNCTION, BreakOut);
    PRINT_FIELD(s, Fix, b.Fix32, TW_DECODEFUNCTION, EndOut);
    PRINT_FIELD(s, Fix, b.Fix32, TW_DECODEFUNCTION, Gamma);
    PRINT_FIELD(s, Fix, b.Fix32, TW_DECODEFUNCTION, SampleCount);
    return true;
}

bool CParaAnalyze::TwCiePointAnalyze(TW_CIEPOINT* pPoint) {
    const CBlock b = CBlock::Of(pPoint);
    if (b.IsNull()) {
        return true;
    }
    CDumpScope s(m_sink, "TW_CIEPOINT", 1);
    PRINT_FIELD(s, Fix, b.Fix32, TW_CIEPOINT, X);
    PRINT_FIELD(s, Fix, b.Fix32, TW_CIEPOINT, Y);
    PRINT_FIELD(s, Fix, b.Fix32, TW_CIEPOINT, Z);
    return true;
}

// The dumper is given no element count: only the first element of the table is shown.
bool CParaAnalyze::TwGrayResponseAnalyze(TW_GRAYRESPONSE* pResponse) {
    if (pResponse == nullptr) {
        return true;
    }
    CDumpScope s(m_sink, "TW_GRAYRESPONSE", 11);
    s.Nested("Response[0]");
    TwElement8Analyze(&pResponse->Response[0]);
    return true;
}

// As the grey response: the first element only.
bool CParaAnalyze::TwRgbResponseAnalyze(TW_RGBRESPONSE* pResponse) {
    if (pResponse == nullptr) {
        return true;
    }
    CDumpScope s(m_sink, "TW_RGBRESPONSE", 11);
    s.Nested("Response[0]");
    TwElement8Analyze(&pResponse->Response[0]);
    return true;
}

bool CParaAnalyze::TwElement8Analyze(TW_ELEMENT8* pElement) {
    const CBlock b = CBlock::Of(pElement);
    if (b.IsNull()) {
        return true;
    }
    CDumpScope s(m_sink, "TW_ELEMENT8", 8);
    PRINT_FIELD(s, Int, b.U8, TW_ELEMENT8, Index);
    PRINT_FIELD(s, Int, b.U8, TW_ELEMENT8, Channel1);
    PRINT_FIELD(s, Int, b.U8, TW_ELEMENT8, Channel2);
    PRINT_FIELD(s, Int, b.U8, TW_ELEMENT8, Channel3);
    return true;
}

// Each table opener leaves its line open: the TW_MEMORY heading completes it. All four
// maps and tables and both DC and AC tables are shown, whatever NumComponents says.
bool CParaAnalyze::TwJpegCompressionAnalyze(TW_JPEGCOMPRESSION* pJpeg) {
    const CBlock b = CBlock::Of(pJpeg);
    if (b.IsNull()) {
        return true;
    }
    char list[kNumberListSize];
    char label[32];
    CDumpScope s(m_sink, "TW_JPEGCOMPRESSION", 16);
    PRINT_FIELD_NAME(s, b.U16, TW_JPEGCOMPRESSION, ColorSpace, twpt_macros);
    PRINT_FIELD(s, Ld, b.Ld, TW_JPEGCOMPRESSION, SubSampling);
    PRINT_FIELD(s, Int, b.U16, TW_JPEGCOMPRESSION, NumComponents);
    PRINT_FIELD(s, Int, b.U16, TW_JPEGCOMPRESSION, RestartFrequency);
    s.List("QuantMap[]", NumberList16(b, TW_AT(TW_JPEGCOMPRESSION, QuantMap), 4, false, list));
    for (int i = 0; i < 4; ++i) {
        TwFormat(label, sizeof label, "QuantTable[%d]   = {", i);
        s.Lead(label);
        TwMemoryAnalyze(&pJpeg->QuantTable[i]);
    }
    s.List("HuffmanMap[]", NumberList16(b, TW_AT(TW_JPEGCOMPRESSION, HuffmanMap), 4, false, list));
    for (int i = 0; i < 2; ++i) {
        TwFormat(label, sizeof label, "HuffmanDC[%d]    = {", i);
        s.Lead(label);
        TwMemoryAnalyze(&pJpeg->HuffmanDC[i]);
    }
    for (int i = 0; i < 2; ++i) {
        TwFormat(label, sizeof label, "HuffmanAC[%d]    = {", i);
        s.Lead(label);
        TwMemoryAnalyze(&pJpeg->HuffmanAC[i]);
    }
    return true;
}
