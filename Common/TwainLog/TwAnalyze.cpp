// The structure and container renderers. Each dumper reads its structure through a CBlock
// (never a byte past it) and prints it through a CDumpScope: the scope prints the block's
// heading and closing brace at the dumper's indentation and pads the labels to its width;
// each field line is one call named after its value kind. A nested structure is a label line
// followed by the block of its own dumper.
#include "ParaAnalyze.h"

// The two length-prefixed names of the hardware information are converted through the
// platform's string objects, the one place a dumper allocates.
#include <CoreFoundation/CoreFoundation.h>

#include "CDSMInterface.h"
#include "TwFormat.h"
#include "TwPrint.h"
#include "TwainXq.h"

// Offsets of the fields a dumper reads: the layout is pinned in twain.h and TwainXq.h.
#define OFF(type, field) offsetof(type, field)

// ---------------------------------------------------------------------------------------
// Capability containers

namespace {

// A field's bytes: from offset to the end of the container.
constexpr size_t kToTheEnd = static_cast<size_t>(-1);

// A container type, the renderer of its block and the block's fixed header: a smaller block
// renders no container lines.
struct ContainerRenderer {
    TW_UINT16 conType;
    size_t header;
    bool (CParaAnalyze::*render)(unsigned short cap, const CBlock& container);
};

constexpr ContainerRenderer kContainerRenderers[] = {
    {TWON_ARRAY, OFF(TW_ARRAY, ItemList), &CParaAnalyze::TwArrayAnalyze},
    {TWON_ENUMERATION, OFF(TW_ENUMERATION, ItemList), &CParaAnalyze::TwEnumerationAnalyze},
    {TWON_ONEVALUE, sizeof(TW_ONEVALUE), &CParaAnalyze::TwOneValueAnalyze},
    {TWON_RANGE, sizeof(TW_RANGE), &CParaAnalyze::TwRangeAnalyze},
};

} // namespace

bool CParaAnalyze::TwCapabilityAnalyze(TW_CAPABILITY* pCapability) {
    const CBlock b = CBlock::Of(pCapability);
    if (b.IsNull()) {
        return true;
    }
    char name[kMacroNameSize];
    GetCapabilityName(b.U16(OFF(TW_CAPABILITY, Cap)), name, sizeof name);
    CDumpScope s(m_sink, "TW_CAPABILITY", 10);
    s.Text("Cap", name);
    s.Name("ConType", MacroRows(twon_macros), b.U16(OFF(TW_CAPABILITY, ConType)));
    s.Ptr("hContainer", b.Ptr32(OFF(TW_CAPABILITY, hContainer)));
    if (m_ReturnCode != TWRC_FAILURE) {
        TwContainerAnalyaze(pCapability);
    }
    return true;
}

// The container is read only between LockContainer and UnlockMemory, and only as far as the
// handle's block (or the copy of it) goes.
bool CParaAnalyze::TwContainerAnalyaze(TW_CAPABILITY* pCapability) {
    const CBlock b = CBlock::Of(pCapability);
    const auto handle =
        reinterpret_cast<TW_HANDLE>(static_cast<uintptr_t>(b.U64(OFF(TW_CAPABILITY, hContainer))));
    if (handle == nullptr) {
        return true;
    }
    const TW_UINT16 conType = b.U16(OFF(TW_CAPABILITY, ConType));
    for (const ContainerRenderer& renderer : kContainerRenderers) {
        if (renderer.conType != conType) {
            continue;
        }
        const CBlock container = CDSMInterface::LockContainer(handle, conType);
        if (!container.IsNull() && container.Size() >= renderer.header) {
            (this->*renderer.render)(b.U16(OFF(TW_CAPABILITY, Cap)), container);
        } else if (CDSMInterface::kHandleIsAddress) {
            Append("    Container  = [not readable]%s", CRLF);
        }
        CDSMInterface::UnlockMemory(handle);
        break;
    }
    return true;
}

bool CParaAnalyze::TwOneValueAnalyze(unsigned short cap, const CBlock& container) {
    if (container.IsNull()) {
        return true;
    }
    const TW_UINT16 itemType = container.U16(OFF(TW_ONEVALUE, ItemType));
    char value[kItemTextSize];
    CDumpScope s(m_sink, "TW_ONEVALUE", 8);
    s.Name("ItemType", MacroRows(twty_macros), itemType);
    s.Text("Item",
           ValToStr(cap, itemType, container.Sub(OFF(TW_ONEVALUE, Item), kToTheEnd), value));
    return true;
}

bool CParaAnalyze::TwEnumerationAnalyze(unsigned short cap, const CBlock& container) {
    if (container.IsNull()) {
        return true;
    }
    const TW_UINT16 itemType = container.U16(OFF(TW_ENUMERATION, ItemType));
    CDumpScope s(m_sink, "TW_ENUMERATION", 12);
    s.Name("ItemType", MacroRows(twty_macros), itemType);
    s.Ld("NumItems", container.Ld(OFF(TW_ENUMERATION, NumItems)));
    s.Ld("CurrentIndex", container.Ld(OFF(TW_ENUMERATION, CurrentIndex)));
    s.Ld("DefaultIndex", container.Ld(OFF(TW_ENUMERATION, DefaultIndex)));
    MakeItemList(cap, itemType, container.U32(OFF(TW_ENUMERATION, NumItems)),
                 container.Sub(OFF(TW_ENUMERATION, ItemList), kToTheEnd));
    return true;
}

bool CParaAnalyze::TwArrayAnalyze(unsigned short cap, const CBlock& container) {
    if (container.IsNull()) {
        return true;
    }
    const TW_UINT16 itemType = container.U16(OFF(TW_ARRAY, ItemType));
    CDumpScope s(m_sink, "TW_ARRAY", 8);
    s.Name("ItemType", MacroRows(twty_macros), itemType);
    s.Ld("NumItems", container.Ld(OFF(TW_ARRAY, NumItems)));
    MakeItemList(cap, itemType, container.U32(OFF(TW_ARRAY, NumItems)),
                 container.Sub(OFF(TW_ARRAY, ItemList), kToTheEnd));
    return true;
}

// A field holds 4 bytes; a wider item type reads on into the next fields, up to the end of
// the container.
bool CParaAnalyze::TwRangeAnalyze(unsigned short cap, const CBlock& container) {
    if (container.IsNull()) {
        return true;
    }
    const TW_UINT16 itemType = container.U16(OFF(TW_RANGE, ItemType));
    auto field = [&](size_t offset, char(&text)[kItemTextSize]) {
        return ValToStr(cap, itemType, container.Sub(offset, kToTheEnd), text);
    };
    char value[kItemTextSize];
    CDumpScope s(m_sink, "TW_RANGE", 12);
    s.Name("ItemType", MacroRows(twty_macros), itemType);
    s.Text("MinValue", field(OFF(TW_RANGE, MinValue), value));
    s.Text("MaxValue", field(OFF(TW_RANGE, MaxValue), value));
    s.Text("StepSize", field(OFF(TW_RANGE, StepSize), value));
    s.Text("DefaultValue", field(OFF(TW_RANGE, DefaultValue), value));
    s.Text("CurrentValue", field(OFF(TW_RANGE, CurrentValue), value));
    return true;
}

// Properties: its 16 bits in hexadecimal.
bool CParaAnalyze::TwCapExtAnalyze(TW_CAPEXT* pCapExt) {
    const CBlock b = CBlock::Of(pCapExt);
    if (b.IsNull()) {
        return true;
    }
    char name[kMacroNameSize];
    GetCapabilityName(b.U16(OFF(TW_CAPEXT, Cap)), name, sizeof name);
    CDumpScope s(m_sink, "TW_CAPEXT", 10);
    s.Text("Cap", name);
    s.Hex("Properties", b.U16(OFF(TW_CAPEXT, Properties)), 4);
    return true;
}

// ---------------------------------------------------------------------------------------
// Identity, geometry, transfer and status

bool CParaAnalyze::TwIdentityAnalyze(TW_IDENTITY* pIdentity) {
    const CBlock b = CBlock::Of(pIdentity);
    if (b.IsNull()) {
        return true;
    }
    char text[256];
    CDumpScope s(m_sink, m_MSG == MSG_OPENDSM ? "pOrigin:TW_IDENTITY" : "TW_IDENTITY", 15);
    s.Ld("Id", static_cast<long>(b.Id(OFF(TW_IDENTITY, Id))));
    s.Nested("Version");
    TwVersionAnalyze(&pIdentity->Version);
    s.Int("ProtocolMajor", b.U16(OFF(TW_IDENTITY, ProtocolMajor)));
    s.Int("ProtocolMinor", b.U16(OFF(TW_IDENTITY, ProtocolMinor)));
    s.Ld("SupportedGroups", b.Ld(OFF(TW_IDENTITY, SupportedGroups)));
    s.Text("Manufacturer", b.Str(OFF(TW_IDENTITY, Manufacturer), sizeof(TW_STR32), text));
    s.Text("ProductFamily", b.Str(OFF(TW_IDENTITY, ProductFamily), sizeof(TW_STR32), text));
    s.Text("ProductName", b.Str(OFF(TW_IDENTITY, ProductName), sizeof(TW_STR32), text));
    return true;
}

bool CParaAnalyze::TwVersionAnalyze(TW_VERSION* pVersion) {
    const CBlock b = CBlock::Of(pVersion);
    if (b.IsNull()) {
        return true;
    }
    char text[256];
    CDumpScope s(m_sink, "TW_VERSION", 8);
    s.Int("MajorNum", b.U16(OFF(TW_VERSION, MajorNum)));
    s.Int("MinorNum", b.U16(OFF(TW_VERSION, MinorNum)));
    s.Name("Language", MacroRows(twlg_macros), b.U16(OFF(TW_VERSION, Language)));
    s.Name("Country", MacroRows(twcy_macros), b.U16(OFF(TW_VERSION, Country)));
    s.Text("Info", b.Str(OFF(TW_VERSION, Info), sizeof(TW_STR32), text));
    return true;
}

bool CParaAnalyze::TwFrameAnalyze(TW_FRAME* pFrame) {
    const CBlock b = CBlock::Of(pFrame);
    if (b.IsNull()) {
        return true;
    }
    CDumpScope s(m_sink, "TW_FRAME", 6);
    s.Fix("Left", b.Fix32(OFF(TW_FRAME, Left)));
    s.Fix("Top", b.Fix32(OFF(TW_FRAME, Top)));
    s.Fix("Right", b.Fix32(OFF(TW_FRAME, Right)));
    s.Fix("Bottom", b.Fix32(OFF(TW_FRAME, Bottom)));
    return true;
}

bool CParaAnalyze::TwImageInfoAnalyze(TW_IMAGEINFO* pImageInfo) {
    const CBlock b = CBlock::Of(pImageInfo);
    if (b.IsNull()) {
        return true;
    }
    char list[kNumberListSize];
    CDumpScope s(m_sink, "TW_IMAGEINFO", 16);
    s.Fix("XResolution", b.Fix32(OFF(TW_IMAGEINFO, XResolution)));
    s.Fix("YResolution", b.Fix32(OFF(TW_IMAGEINFO, YResolution)));
    s.Int("ImageWidth", b.I32(OFF(TW_IMAGEINFO, ImageWidth)));
    s.Int("ImageLength", b.I32(OFF(TW_IMAGEINFO, ImageLength)));
    s.Int("SamplesPerPixel", b.I16(OFF(TW_IMAGEINFO, SamplesPerPixel)));
    s.List("BitsPerSamples[]", NumberList16(b, OFF(TW_IMAGEINFO, BitsPerSample), 8, true, list));
    s.Int("BitsPerPixel", b.I16(OFF(TW_IMAGEINFO, BitsPerPixel)));
    s.Text("Planar", b.Bool(OFF(TW_IMAGEINFO, Planar)));
    s.Name("PixelType", MacroRows(twpt_macros), b.I16(OFF(TW_IMAGEINFO, PixelType)));
    s.Name("Compression", MacroRows(twcp_macros), b.U16(OFF(TW_IMAGEINFO, Compression)));
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
    s.Ld("DocumentNumber", b.Ld(OFF(TW_IMAGELAYOUT, DocumentNumber)));
    s.Ld("PageNumber", b.Ld(OFF(TW_IMAGELAYOUT, PageNumber)));
    s.Ld("FrameNumber", b.Ld(OFF(TW_IMAGELAYOUT, FrameNumber)));
    return true;
}

// The block closes with a brace in column 0.
bool CParaAnalyze::TwImageMemXferAnalyze(TW_IMAGEMEMXFER* pImageMemXfer) {
    const CBlock b = CBlock::Of(pImageMemXfer);
    if (b.IsNull()) {
        return true;
    }
    CDumpScope s(m_sink, "TW_IMAGEMEMXFER", 12, CDumpScope::Layout::BraceAtMargin);
    s.Name("Compression", MacroRows(twcp_macros), b.U16(OFF(TW_IMAGEMEMXFER, Compression)));
    s.Ld("BytesPerRow", b.Ld(OFF(TW_IMAGEMEMXFER, BytesPerRow)));
    s.Ld("Columns", b.Ld(OFF(TW_IMAGEMEMXFER, Columns)));
    s.Ld("Rows", b.Ld(OFF(TW_IMAGEMEMXFER, Rows)));
    s.Ld("XOffset", b.Ld(OFF(TW_IMAGEMEMXFER, XOffset)));
    s.Ld("YOffset", b.Ld(OFF(TW_IMAGEMEMXFER, YOffset)));
    s.Ld("BytesWritten", b.Ld(OFF(TW_IMAGEMEMXFER, BytesWritten)));
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
    s.Hex("Flags", b.U32(OFF(TW_MEMORY, Flags)));
    s.Ld("Length", b.Ld(OFF(TW_MEMORY, Length)));
    s.Ptr("TheMem", b.Ptr32(OFF(TW_MEMORY, TheMem)));
    return true;
}

// Count 0xFFFF, the count a source cannot tell, prints -1.
bool CParaAnalyze::TwPendingXfersAnalyze(TW_PENDINGXFERS* pPendingXfers) {
    const CBlock b = CBlock::Of(pPendingXfers);
    if (b.IsNull()) {
        return true;
    }
    CDumpScope s(m_sink, "TW_PENDINGXFERS", 5);
    s.Int("Count", b.I16(OFF(TW_PENDINGXFERS, Count)));
    s.Ld("EOJ", b.Ld(OFF(TW_PENDINGXFERS, EOJ)));
    return true;
}

bool CParaAnalyze::TwSetupMemXferAnalyze(TW_SETUPMEMXFER* pSetupMemXfer) {
    const CBlock b = CBlock::Of(pSetupMemXfer);
    if (b.IsNull()) {
        return true;
    }
    CDumpScope s(m_sink, "TW_SETUPMEMXFER", 10);
    s.Ld("MinBufSize", b.Ld(OFF(TW_SETUPMEMXFER, MinBufSize)));
    s.Ld("MaxBufSize", b.Ld(OFF(TW_SETUPMEMXFER, MaxBufSize)));
    s.Ld("Preferred", b.Ld(OFF(TW_SETUPMEMXFER, Preferred)));
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
    s.Text("FileName", b.Str(OFF(TW_SETUPFILEXFER, FileName), sizeof(TW_STR255), text));
    s.Name("Format", MacroRows(twff_macros), b.U16(OFF(TW_SETUPFILEXFER, Format)));
    s.Int("VRefNum", b.I16(OFF(TW_SETUPFILEXFER, VRefNum)));
    return true;
}

bool CParaAnalyze::TwStatusAnalyze(TW_STATUS* pStatus) {
    const CBlock b = CBlock::Of(pStatus);
    if (b.IsNull()) {
        return true;
    }
    CDumpScope s(m_sink, "TW_STATUS", 13);
    s.Name("ConditionCode", MacroRows(twcc_macros), b.U16(OFF(TW_STATUS, ConditionCode)));
    return true;
}

bool CParaAnalyze::TwUserInterfaceAnalyze(TW_USERINTERFACE* pUserInterface) {
    const CBlock b = CBlock::Of(pUserInterface);
    if (b.IsNull()) {
        return true;
    }
    CDumpScope s(m_sink, "TW_USERINTERFACE", 7);
    s.Text("ShowUI", b.Bool(OFF(TW_USERINTERFACE, ShowUI)));
    s.Text("ModalUI", b.Bool(OFF(TW_USERINTERFACE, ModalUI)));
    s.Ptr("hParent", b.Ptr32(OFF(TW_USERINTERFACE, hParent)));
    return true;
}

// An event without a message (MSG_NULL) prints nothing, as no event does.
bool CParaAnalyze::TwEventAnalyze(TW_EVENT* pEvent) {
    const CBlock b = CBlock::Of(pEvent);
    const TW_UINT16 message = b.U16(OFF(TW_EVENT, TWMessage));
    if (b.IsNull() || message == MSG_NULL) {
        return true;
    }
    CDumpScope s(m_sink, "TW_EVENT", 9);
    s.Ptr("pEvent", b.Ptr32(OFF(TW_EVENT, pEvent)));
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
    s.Int("InfoLength", b.I32(OFF(TW_CUSTOMDSDATA, InfoLength)));
    s.Ptr("hData", b.Ptr32(OFF(TW_CUSTOMDSDATA, hData)));
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
    s.Ld("NumInfos", b.Ld(OFF(TW_EXTIMAGEINFO, NumInfos)));
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
    s.Int("InfoID", b.U16(OFF(TW_INFO, InfoID)));
    s.Name("ItemType", MacroRows(twty_macros), b.U16(OFF(TW_INFO, ItemType)));
    s.Int("NumItems", b.U16(OFF(TW_INFO, NumItems)));
    s.Name("CondCode", MacroRows(twrc_macros), b.U16(OFF(TW_INFO, CondCode)));
    s.Ld("Item", b.Ld(OFF(TW_INFO, Item)));
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
    s.Name("ColorSpace", MacroRows(twpt_macros), b.U16(OFF(TW_CIECOLOR, ColorSpace)));
    s.Int("LowEndian", b.I16(OFF(TW_CIECOLOR, LowEndian)));
    s.Int("DeviceDependent", b.I16(OFF(TW_CIECOLOR, DeviceDependent)));
    s.Ld("VersionNumber", b.Ld(OFF(TW_CIECOLOR, VersionNumber)));
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
    s.Fix("Samples[]", b.Fix32(OFF(TW_CIECOLOR, Samples)));
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
            const size_t entry = OFF(TW_TRANSFORMSTAGE, Mix) + sizeof(TW_FIX32) * (3 * i + j);
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
    s.Fix("StartIn", b.Fix32(OFF(TW_DECODEFUNCTION, StartIn)));
    s.Fix("BreakIn", b.Fix32(OFF(TW_DECODEFUNCTION, BreakIn)));
    s.Fix("EndIn", b.Fix32(OFF(TW_DECODEFUNCTION, EndIn)));
    s.Fix("StartOut", b.Fix32(OFF(TW_DECODEFUNCTION, StartOut)));
    s.Fix("BreakOut", b.Fix32(OFF(TW_DECODEFUNCTION, BreakOut)));
    s.Fix("EndOut", b.Fix32(OFF(TW_DECODEFUNCTION, EndOut)));
    s.Fix("Gamma", b.Fix32(OFF(TW_DECODEFUNCTION, Gamma)));
    s.Fix("SampleCount", b.Fix32(OFF(TW_DECODEFUNCTION, SampleCount)));
    return true;
}

bool CParaAnalyze::TwCiePointAnalyze(TW_CIEPOINT* pPoint) {
    const CBlock b = CBlock::Of(pPoint);
    if (b.IsNull()) {
        return true;
    }
    CDumpScope s(m_sink, "TW_CIEPOINT", 1);
    s.Fix("X", b.Fix32(OFF(TW_CIEPOINT, X)));
    s.Fix("Y", b.Fix32(OFF(TW_CIEPOINT, Y)));
    s.Fix("Z", b.Fix32(OFF(TW_CIEPOINT, Z)));
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
    s.Int("Index", b.U8(OFF(TW_ELEMENT8, Index)));
    s.Int("Channel1", b.U8(OFF(TW_ELEMENT8, Channel1)));
    s.Int("Channel2", b.U8(OFF(TW_ELEMENT8, Channel2)));
    s.Int("Channel3", b.U8(OFF(TW_ELEMENT8, Channel3)));
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
    s.Name("ColorSpace", MacroRows(twpt_macros), b.U16(OFF(TW_JPEGCOMPRESSION, ColorSpace)));
    s.Ld("SubSampling", b.Ld(OFF(TW_JPEGCOMPRESSION, SubSampling)));
    s.Int("NumComponents", b.U16(OFF(TW_JPEGCOMPRESSION, NumComponents)));
    s.Int("RestartFrequency", b.U16(OFF(TW_JPEGCOMPRESSION, RestartFrequency)));
    s.List("QuantMap[]", NumberList16(b, OFF(TW_JPEGCOMPRESSION, QuantMap), 4, false, list));
    for (int i = 0; i < 4; ++i) {
        TwFormat(label, sizeof label, "QuantTable[%d]   = {", i);
        s.Lead(label);
        TwMemoryAnalyze(&pJpeg->QuantTable[i]);
    }
    s.List("HuffmanMap[]", NumberList16(b, OFF(TW_JPEGCOMPRESSION, HuffmanMap), 4, false, list));
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

// ---------------------------------------------------------------------------------------
// Vendor extension structures

namespace {

// Longest converted name, with its NUL.
constexpr size_t kPascalTextSize = 128;

// The nine values of a colour matrix (a block of nine TW_FIX32), "%.3f" each, joined by
// commas; empty for an empty block.
constexpr size_t kCoeffTextSize = 128;
const char* ColorCoeffText(const CBlock& coeff, char (&out)[kCoeffTextSize]) {
    out[0] = '\0';
    if (!coeff.IsNull()) {
        constexpr size_t kStep = sizeof(TW_FIX32);
        TwFormat(out, sizeof out, "%.3f,%.3f,%.3f,%.3f,%.3f,%.3f,%.3f,%.3f,%.3f", coeff.Fix32(0),
                 coeff.Fix32(kStep), coeff.Fix32(2 * kStep), coeff.Fix32(3 * kStep),
                 coeff.Fix32(4 * kStep), coeff.Fix32(5 * kStep), coeff.Fix32(6 * kStep),
                 coeff.Fix32(7 * kStep), coeff.Fix32(8 * kStep));
    }
    return out;
}

// The length-prefixed name at offset: its characters converted from the system encoding and
// back, NUL-terminated. A length byte above the 33 characters the field holds counts as 33;
// a name that cannot be converted, or needs more than 127 bytes, is empty.
const char* PascalText(const CBlock& block, size_t offset, char (&out)[kPascalTextSize]) {
    unsigned char name[sizeof(TWXQ_PSTR32)] = {};
    const CBlock field = block.Sub(offset, sizeof name);
    if (field.Size() > 0) {
        memcpy(name, field.Base(), field.Size());
    }
    if (name[0] > sizeof name - 1) {
        name[0] = static_cast<unsigned char>(sizeof name - 1);
    }
    out[0] = '\0';
    const CFStringEncoding encoding = CFStringGetSystemEncoding();
    CFStringRef text = CFStringCreateWithPascalString(kCFAllocatorDefault, name, encoding);
    if (text != nullptr) {
        if (!CFStringGetCString(text, out, sizeof out, encoding)) {
            out[0] = '\0';
        }
        CFRelease(text);
    }
    return out;
}

// How a line of the hardware information shows its field.
enum class HardwareKind {
    Hex2,   // 32 bits, "[0x%02x]"
    Name,   // length-prefixed name, "[%s]"
    Ld,     // 32 bits, "[%ld]"
    U16,    // 16 bits, "[%d]"
    Bool,   // 16-bit flag, "[%s]"
    Hex4,   // 16 bits, "[0x%04x]"
    Text,   // TW_STR32 text up to its NUL, "[%s]"
    Matrix, // nine TW_FIX32, "[%.3f,...]"
};

struct HardwareLine {
    const char* label;
    HardwareKind kind;
    size_t offset;
};

constexpr HardwareLine Line(const char* label, HardwareKind kind, size_t offset) {
    return {label, kind, offset};
}

// The label is the field's name, so it cannot drift from the field it shows.
#define HW_LINE(field, kind) Line(#field, HardwareKind::kind, OFF(TWXQ_HARDWAREINFO, field))
#define HW_ITEM(field, i, kind) \
    Line(#field "[" #i "]", HardwareKind::kind, OFF(TWXQ_HARDWAREINFO, field[i]))

// The field lines of the hardware information, in log order. Labels are padded to
// kHardwareLabelWidth, which puts every "=" in column 28.
constexpr HardwareLine kHardwareLines[] = {
    HW_LINE(ModelID, Hex2),
    HW_LINE(ProductName, Name),
    HW_LINE(ModelName, Name),
    HW_LINE(OptXResolution, Ld),
    HW_LINE(OptYResolution, Ld),
    HW_LINE(MinResolution, Ld),
    HW_LINE(MaxResolution, Ld),
    HW_LINE(MaxMoireResolution, Ld),
    HW_LINE(MaxPixelofWidth, Ld),
    HW_ITEM(PixelSizeofFB, 0, Ld),
    HW_ITEM(PixelSizeofFB, 1, Ld),
    HW_ITEM(PixelSizeofADF, 0, Ld),
    HW_ITEM(PixelSizeofADF, 1, Ld),
    HW_ITEM(PixelSizeofTPU, 0, Ld),
    HW_ITEM(PixelSizeofTPU, 1, Ld),
    HW_LINE(BitDepth, Hex2),
    HW_LINE(InterfaceSupport, U16),
    HW_LINE(CommandType, Ld),
    HW_LINE(ConnectInterfaceType, Ld),
    HW_LINE(StandAloneModeSupport, Bool),
    HW_LINE(FullAutoModeSupport, Bool),
    HW_LINE(SimpleModeSupport, Bool),
    HW_LINE(DocumentModeSupport, Bool),
    HW_LINE(AdvancedModeSupport, Bool),
    HW_LINE(ORXSupport, Bool),
    HW_LINE(FIT3, Bool),
    HW_LINE(AutoLayoutSupportFB, Bool),
    HW_LINE(AutoLayoutSupportADF, Bool),
    HW_LINE(HalftoneSupport, Bool),
    HW_LINE(HTModeSupport, Bool),
    HW_LINE(HTDitherSupport, Bool),
    HW_LINE(HTAASSupport, Bool),
    HW_LINE(HTTETSupport, Bool),
    HW_LINE(TableArrangement, U16),
    HW_LINE(OptionSupport, Hex4),
    HW_LINE(FocusSupport, U16),
    HW_ITEM(FocusArea, 0, Ld),
    HW_ITEM(FocusArea, 1, Ld),
    HW_LINE(ProfileNameFB, Text),
    HW_LINE(ProfileNameTPU, Text),
    HW_LINE(ColorCorrectionFB, Matrix),
    HW_LINE(ColorCorrectionPOSI, Matrix),
    HW_LINE(ColorCorrectionNEGA, Matrix),
    HW_LINE(ORXColorCorrectionFB, Matrix),
    HW_LINE(ORXColorCorrectionPOSI, Matrix),
    HW_LINE(ORXColorCorrectionNEGA, Matrix),
    HW_LINE(ROMVersion, Text),
};

#undef HW_LINE
#undef HW_ITEM

constexpr int kHardwareLabelWidth = 22;

constexpr bool LabelsFit() {
    for (const HardwareLine& line : kHardwareLines) {
        int length = 0;
        while (line.label[length] != '\0') {
            ++length;
        }
        if (length > kHardwareLabelWidth) {
            return false;
        }
    }
    return true;
}
static_assert(LabelsFit(), "a label would push its \"=\" out of column 28");

// The two names the hardware information carries (ProductName, ModelName).
constexpr size_t kHardwareNames = 2;

} // namespace

bool CParaAnalyze::TwXqAutoExposureAnalyze(TWXQ_AUTOEXPOSURE* pAutoExposure) {
    const CBlock b = CBlock::Of(pAutoExposure);
    if (b.IsNull()) {
        return true;
    }
    CDumpScope s(m_sink, "TWXQ_AUTOEXPOSURE", 12);
    s.Ptr("Handle", b.U32(OFF(TWXQ_AUTOEXPOSURE, Handle)));
    s.Int("Left", b.I16(OFF(TWXQ_AUTOEXPOSURE, Left)));
    s.Int("Top", b.I16(OFF(TWXQ_AUTOEXPOSURE, Top)));
    s.Int("Right", b.I16(OFF(TWXQ_AUTOEXPOSURE, Right)));
    s.Int("Bottom", b.I16(OFF(TWXQ_AUTOEXPOSURE, Bottom)));
    s.Name("FilmType", MacroRows(twxq_ft_macros), b.U16(OFF(TWXQ_AUTOEXPOSURE, FilmType)));
    s.Name("PreScanGamma", MacroRows(twxq_pg_macros), b.U16(OFF(TWXQ_AUTOEXPOSURE, PreScanGamma)));
    s.Fix("ScreenGamma", b.Fix32(OFF(TWXQ_AUTOEXPOSURE, ScreenGamma)));
    s.Ld("GrayBalance", b.U16(OFF(TWXQ_AUTOEXPOSURE, GrayBalance)));
    return true;
}

void CParaAnalyze::SetColorCoeffData(const CBlock& coeff) {
    char text[kCoeffTextSize];
    Append("%s", ColorCoeffText(coeff, text));
}

bool CParaAnalyze::TwXqRgbMatrixAnalyze(TWXQ_RGBMATRIX* pRgbMatrix) {
    const CBlock b = CBlock::Of(pRgbMatrix);
    if (b.IsNull()) {
        return true;
    }
    char text[kCoeffTextSize];
    CDumpScope s(m_sink, "TWXQ_RGBMATRIX", 10);
    s.List("ColorCoeff",
           ColorCoeffText(b.Sub(OFF(TWXQ_RGBMATRIX, ColorCoeff), sizeof(TWXQ_COLORCOEFF)), text));
    return true;
}

bool CParaAnalyze::TwXqColorSmoothingAnalyze(TWXQ_COLORSMOOTHING* pColorSmoothing) {
    const CBlock b = CBlock::Of(pColorSmoothing);
    if (b.IsNull()) {
        return true;
    }
    CDumpScope s(m_sink, "TWXQ_COLORSMOOTHING", 12);
    s.Ptr("Handle", b.U32(OFF(TWXQ_COLORSMOOTHING, Handle)));
    s.Ld("LeftX", b.Ld(OFF(TWXQ_COLORSMOOTHING, LeftX)));
    s.Ld("LeftY", b.Ld(OFF(TWXQ_COLORSMOOTHING, LeftY)));
    s.Ld("TopX", b.Ld(OFF(TWXQ_COLORSMOOTHING, TopX)));
    s.Ld("TopY", b.Ld(OFF(TWXQ_COLORSMOOTHING, TopY)));
    s.Ld("RightX", b.Ld(OFF(TWXQ_COLORSMOOTHING, RightX)));
    s.Ld("RightY", b.Ld(OFF(TWXQ_COLORSMOOTHING, RightY)));
    s.Ld("BottomX", b.Ld(OFF(TWXQ_COLORSMOOTHING, BottomX)));
    s.Ld("BottomY", b.Ld(OFF(TWXQ_COLORSMOOTHING, BottomY)));
    s.Ld("Reserved", b.Ld(OFF(TWXQ_COLORSMOOTHING, Reserved)));
    return true;
}

bool CParaAnalyze::TwXqEventAnalyze() {
    return true;
}

bool CParaAnalyze::TwHardwareInfoAnalyze(TWXQ_HARDWAREINFO* pHardwareInfo) {
    const CBlock b = CBlock::Of(pHardwareInfo);
    if (b.IsNull()) {
        return true;
    }
    // Both names are converted before either is printed.
    char names[kHardwareNames][kPascalTextSize];
    size_t converted = 0;
    for (const HardwareLine& line : kHardwareLines) {
        if (line.kind == HardwareKind::Name && converted < kHardwareNames) {
            PascalText(b, line.offset, names[converted++]);
        }
    }
    char text[256];
    char coeff[kCoeffTextSize];
    size_t printed = 0;
    CDumpScope s(m_sink, "TWXQ_HARDWAREINFO", kHardwareLabelWidth);
    for (const HardwareLine& line : kHardwareLines) {
        switch (line.kind) {
        case HardwareKind::Hex2:
            s.Hex(line.label, b.U32(line.offset), 2);
            break;
        case HardwareKind::Name:
            s.Text(line.label, printed < converted ? names[printed] : "");
            ++printed;
            break;
        case HardwareKind::Ld:
            s.Ld(line.label, b.Ld(line.offset));
            break;
        case HardwareKind::U16:
            s.Int(line.label, b.U16(line.offset));
            break;
        case HardwareKind::Bool:
            s.Text(line.label, b.Bool(line.offset));
            break;
        case HardwareKind::Hex4:
            s.Hex(line.label, b.U16(line.offset), 4);
            break;
        case HardwareKind::Text:
            s.Text(line.label, b.Str(line.offset, sizeof(TW_STR32), text));
            break;
        case HardwareKind::Matrix:
            s.Text(line.label, ColorCoeffText(b.Sub(line.offset, sizeof(TWXQ_COLORCOEFF)), coeff));
            break;
        }
    }
    return true;
}

bool CParaAnalyze::TwXqSkewInfoAnalyze(TWXQ_LOCATIONDATA* pLocation) {
    const CBlock b = CBlock::Of(pLocation);
    if (b.IsNull()) {
        return true;
    }
    CDumpScope s(m_sink, "TWXQ_LOCATIONDATA", 12);
    s.Int("BitsPerPixel", b.I16(OFF(TWXQ_LOCATIONDATA, BitsPerPixel)));
    s.Ld("topPoint", b.Ld(OFF(TWXQ_LOCATIONDATA, topPoint)));
    s.Ld("leftPoint", b.Ld(OFF(TWXQ_LOCATIONDATA, leftPoint)));
    s.Ld("locateW", b.Ld(OFF(TWXQ_LOCATIONDATA, locateW)));
    s.Ld("locateH", b.Ld(OFF(TWXQ_LOCATIONDATA, locateH)));
    s.Ld("ActualImgW", b.Ld(OFF(TWXQ_LOCATIONDATA, ActualImgW)));
    s.Ld("ActualImgH", b.Ld(OFF(TWXQ_LOCATIONDATA, ActualImgH)));
    s.Ld("xTangent", b.Ld(OFF(TWXQ_LOCATIONDATA, xTangent)));
    s.Ld("yTangent", b.Ld(OFF(TWXQ_LOCATIONDATA, yTangent)));
    s.Fix("Theta", b.Fix32(OFF(TWXQ_LOCATIONDATA, Theta)));
    return true;
}

// The same indentation whether the dispatch or TwXqUsmInfoAnalyze calls it.
bool CParaAnalyze::TwUnsharpMaskAnalyze(TWXQ_USMPARAM* pUsmParam) {
    const CBlock b = CBlock::Of(pUsmParam);
    if (b.IsNull()) {
        return true;
    }
    CDumpScope s(m_sink, "TWXQ_USMPARAM", 9, CDumpScope::Layout::OneLevelIn);
    s.Int("Amount", b.I16(OFF(TWXQ_USMPARAM, Amount)));
    s.Int("Radius", b.I16(OFF(TWXQ_USMPARAM, Radius)));
    s.Int("Threshold", b.I16(OFF(TWXQ_USMPARAM, Threshold)));
    return true;
}

bool CParaAnalyze::TwXqRedCorrectionMatrixAnalyze() {
    return true;
}

bool CParaAnalyze::TwXqTwainCallbackMsgAnalyze() {
    return true;
}

bool CParaAnalyze::TwXqSettingFrameAnalyze(TWXQ_SETTINGFRAME* pSettingFrame) {
    const CBlock b = CBlock::Of(pSettingFrame);
    if (b.IsNull()) {
        return true;
    }
    CDumpScope s(m_sink, "TWXQ_SETTINGFRAME", 11);
    s.Int("NumFrame", b.U16(OFF(TWXQ_SETTINGFRAME, NumFrame)));
    s.Int("CurrentNum", b.U16(OFF(TWXQ_SETTINGFRAME, CurrentNum)));
    return true;
}

bool CParaAnalyze::TwXqThresholdInfoAnalyze(TWXQ_THRESHOLDINFO* pThreshold) {
    const CBlock b = CBlock::Of(pThreshold);
    if (b.IsNull()) {
        return true;
    }
    CDumpScope s(m_sink, "TWXQ_THRESHOLDINFO", 10);
    s.Int("ShadowL", b.U16(OFF(TWXQ_THRESHOLDINFO, ShadowL)));
    s.Int("ShadowH", b.U16(OFF(TWXQ_THRESHOLDINFO, ShadowH)));
    s.Int("HighlightH", b.U16(OFF(TWXQ_THRESHOLDINFO, HighlightH)));
    s.Int("HighlightL", b.U16(OFF(TWXQ_THRESHOLDINFO, HighlightL)));
    return true;
}

bool CParaAnalyze::TwXqReviseBaseParamAnalyze(TWXQ_REVISEBASEPARM* pRevise) {
    const CBlock b = CBlock::Of(pRevise);
    if (b.IsNull()) {
        return true;
    }
    CDumpScope s(m_sink, "TWXQ_REVISEBASEPARM", 12);
    // These nested blocks' labels end in "= ", a blank before the line end.
    s.Raw("InputRevise  = ");
    TwXqThresholdInfoAnalyze(&pRevise->InputRevise);
    s.Raw("OutputRevise = ");
    TwXqThresholdInfoAnalyze(&pRevise->OutputRevise);
    s.Int("BlurMax", b.U16(OFF(TWXQ_REVISEBASEPARM, BlurMax)));
    return true;
}

bool CParaAnalyze::TwXqUsmInfoAnalyze(TWXQ_USMINFO* pUsmInfo) {
    const CBlock b = CBlock::Of(pUsmInfo);
    if (b.IsNull()) {
        return true;
    }
    CDumpScope s(m_sink, "TWXQ_USMINFO", 15);
    s.Int("InputResolution", b.U16(OFF(TWXQ_USMINFO, InputResolution)));
    s.Int("InUSMLevel", b.U16(OFF(TWXQ_USMINFO, InUSMLevel)));
    s.Int("InFilmType", b.U16(OFF(TWXQ_USMINFO, InFilmType)));
    s.Raw("USMParm         = ");
    TwUnsharpMaskAnalyze(&pUsmInfo->USMParm);
    s.Raw("ReviseParm      = ");
    TwXqReviseBaseParamAnalyze(&pUsmInfo->ReviseParm);
    return true;
}
