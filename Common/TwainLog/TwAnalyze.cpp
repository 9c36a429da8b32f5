// The structure and container renderers. Each dumper reads its structure through a CBlock
// (never a byte past it) and appends its lines one Append per line, with the literal format
// of the log; a block's heading and closing brace come from the dumper that opens it, and a
// nested structure is a label line followed by the block of its own dumper.
#include "ParaAnalyze.h"

#include "CDSMInterface.h"
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
    Append("  TW_CAPABILITY = {%s", CRLF);
    Append("    Cap        = [%s]%s", name, CRLF);
    Append("    ConType    = [%s]%s",
           MacroName(MacroRows(twon_macros), b.U16(OFF(TW_CAPABILITY, ConType))), CRLF);
    Append("    hContainer = <0x%08x>%s", b.Ptr32(OFF(TW_CAPABILITY, hContainer)), CRLF);
    if (m_ReturnCode != TWRC_FAILURE) {
        TwContainerAnalyaze(pCapability);
    }
    Append("  }%s", CRLF);
    return true;
}

// The container is read only between LockMemory and UnlockMemory, and only as far as the
// handle's block goes.
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
        const char* base = CDSMInterface::LockMemory(handle);
        const CBlock container(base, base != nullptr ? CDSMInterface::MemorySize(handle) : 0);
        if (!container.IsNull() && container.Size() >= renderer.header) {
            (this->*renderer.render)(b.U16(OFF(TW_CAPABILITY, Cap)), container);
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
    Append("    TW_ONEVALUE = {%s", CRLF);
    Append("      ItemType = [%s]%s", MacroName(MacroRows(twty_macros), itemType), CRLF);
    Append("      Item     = [%s]%s",
           ValToStr(cap, itemType, container.Sub(OFF(TW_ONEVALUE, Item), kToTheEnd), value), CRLF);
    Append("    }%s", CRLF);
    return true;
}

bool CParaAnalyze::TwEnumerationAnalyze(unsigned short cap, const CBlock& container) {
    if (container.IsNull()) {
        return true;
    }
    const TW_UINT16 itemType = container.U16(OFF(TW_ENUMERATION, ItemType));
    Append("    TW_ENUMERATION = {%s", CRLF);
    Append("      ItemType     = [%s]%s", MacroName(MacroRows(twty_macros), itemType), CRLF);
    Append("      NumItems     = [%ld]%s", container.Ld(OFF(TW_ENUMERATION, NumItems)), CRLF);
    Append("      CurrentIndex = [%ld]%s", container.Ld(OFF(TW_ENUMERATION, CurrentIndex)), CRLF);
    Append("      DefaultIndex = [%ld]%s", container.Ld(OFF(TW_ENUMERATION, DefaultIndex)), CRLF);
    MakeItemList(cap, itemType, container.U32(OFF(TW_ENUMERATION, NumItems)),
                 container.Sub(OFF(TW_ENUMERATION, ItemList), kToTheEnd));
    Append("    }%s", CRLF);
    return true;
}

bool CParaAnalyze::TwArrayAnalyze(unsigned short cap, const CBlock& container) {
    if (container.IsNull()) {
        return true;
    }
    const TW_UINT16 itemType = container.U16(OFF(TW_ARRAY, ItemType));
    Append("    TW_ARRAY = {%s", CRLF);
    Append("      ItemType = [%s]%s", MacroName(MacroRows(twty_macros), itemType), CRLF);
    Append("      NumItems = [%ld]%s", container.Ld(OFF(TW_ARRAY, NumItems)), CRLF);
    MakeItemList(cap, itemType, container.U32(OFF(TW_ARRAY, NumItems)),
                 container.Sub(OFF(TW_ARRAY, ItemList), kToTheEnd));
    Append("    }%s", CRLF);
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
    Append("    TW_RANGE = {%s", CRLF);
    Append("      ItemType     = [%s]%s", MacroName(MacroRows(twty_macros), itemType), CRLF);
    Append("      MinValue     = [%s]%s", field(OFF(TW_RANGE, MinValue), value), CRLF);
    Append("      MaxValue     = [%s]%s", field(OFF(TW_RANGE, MaxValue), value), CRLF);
    Append("      StepSize     = [%s]%s", field(OFF(TW_RANGE, StepSize), value), CRLF);
    Append("      DefaultValue = [%s]%s", field(OFF(TW_RANGE, DefaultValue), value), CRLF);
    Append("      CurrentValue = [%s]%s", field(OFF(TW_RANGE, CurrentValue), value), CRLF);
    Append("    }%s", CRLF);
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
    Append("  TW_CAPEXT = {%s", CRLF);
    Append("    Cap        = [%s]%s", name, CRLF);
    Append("    Properties = [0x%04x]%s", b.U16(OFF(TW_CAPEXT, Properties)), CRLF);
    Append("  }%s", CRLF);
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
    const CBlock b = CBlock::Of(pImageInfo);
    if (b.IsNull()) {
        return true;
    }
    char list[kNumberListSize];
    Append("  TW_IMAGEINFO = {%s", CRLF);
    Append("    XResolution      = [%.3f]%s", b.Fix32(OFF(TW_IMAGEINFO, XResolution)), CRLF);
    Append("    YResolution      = [%.3f]%s", b.Fix32(OFF(TW_IMAGEINFO, YResolution)), CRLF);
    Append("    ImageWidth       = [%d]%s", b.I32(OFF(TW_IMAGEINFO, ImageWidth)), CRLF);
    Append("    ImageLength      = [%d]%s", b.I32(OFF(TW_IMAGEINFO, ImageLength)), CRLF);
    Append("    SamplesPerPixel  = [%d]%s", b.I16(OFF(TW_IMAGEINFO, SamplesPerPixel)), CRLF);
    Append("    BitsPerSamples[] = {%s}%s",
           NumberList16(b, OFF(TW_IMAGEINFO, BitsPerSample), 8, true, list), CRLF);
    Append("    BitsPerPixel     = [%d]%s", b.I16(OFF(TW_IMAGEINFO, BitsPerPixel)), CRLF);
    Append("    Planar           = [%s]%s", b.Bool(OFF(TW_IMAGEINFO, Planar)), CRLF);
    Append("    PixelType        = [%s]%s",
           MacroName(MacroRows(twpt_macros), b.I16(OFF(TW_IMAGEINFO, PixelType))), CRLF);
    Append("    Compression      = [%s]%s",
           MacroName(MacroRows(twcp_macros), b.U16(OFF(TW_IMAGEINFO, Compression))), CRLF);
    Append("  }%s", CRLF);
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

// The block closes with a brace in column 0.
bool CParaAnalyze::TwImageMemXferAnalyze(TW_IMAGEMEMXFER* pImageMemXfer) {
    const CBlock b = CBlock::Of(pImageMemXfer);
    if (b.IsNull()) {
        return true;
    }
    Append("  TW_IMAGEMEMXFER = {%s", CRLF);
    Append("    Compression  = [%s]%s",
           MacroName(MacroRows(twcp_macros), b.U16(OFF(TW_IMAGEMEMXFER, Compression))), CRLF);
    Append("    BytesPerRow  = [%ld]%s", b.Ld(OFF(TW_IMAGEMEMXFER, BytesPerRow)), CRLF);
    Append("    Columns      = [%ld]%s", b.Ld(OFF(TW_IMAGEMEMXFER, Columns)), CRLF);
    Append("    Rows         = [%ld]%s", b.Ld(OFF(TW_IMAGEMEMXFER, Rows)), CRLF);
    Append("    XOffset      = [%ld]%s", b.Ld(OFF(TW_IMAGEMEMXFER, XOffset)), CRLF);
    Append("    YOffset      = [%ld]%s", b.Ld(OFF(TW_IMAGEMEMXFER, YOffset)), CRLF);
    Append("    BytesWritten = [%ld]%s", b.Ld(OFF(TW_IMAGEMEMXFER, BytesWritten)), CRLF);
    Append("    Memory       =%s", CRLF);
    TwMemoryAnalyze(&pImageMemXfer->Memory);
    Append("}%s", CRLF);
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

// Count 0xFFFF, the count a source cannot tell, prints -1.
bool CParaAnalyze::TwPendingXfersAnalyze(TW_PENDINGXFERS* pPendingXfers) {
    const CBlock b = CBlock::Of(pPendingXfers);
    if (b.IsNull()) {
        return true;
    }
    Append("  TW_PENDINGXFERS = {%s", CRLF);
    Append("    Count = [%d]%s", b.I16(OFF(TW_PENDINGXFERS, Count)), CRLF);
    Append("    EOJ   = [%ld]%s", b.Ld(OFF(TW_PENDINGXFERS, EOJ)), CRLF);
    Append("  }%s", CRLF);
    return true;
}

bool CParaAnalyze::TwSetupMemXferAnalyze(TW_SETUPMEMXFER* pSetupMemXfer) {
    const CBlock b = CBlock::Of(pSetupMemXfer);
    if (b.IsNull()) {
        return true;
    }
    Append("  TW_SETUPMEMXFER = {%s", CRLF);
    Append("    MinBufSize = [%ld]%s", b.Ld(OFF(TW_SETUPMEMXFER, MinBufSize)), CRLF);
    Append("    MaxBufSize = [%ld]%s", b.Ld(OFF(TW_SETUPMEMXFER, MaxBufSize)), CRLF);
    Append("    Preferred  = [%ld]%s", b.Ld(OFF(TW_SETUPMEMXFER, Preferred)), CRLF);
    Append("  }%s", CRLF);
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
    Append("  TW_SETUPFILEXFER = {%s", CRLF);
    Append("    FileName = [%s]%s", b.Str(OFF(TW_SETUPFILEXFER, FileName), sizeof(TW_STR255), text),
           CRLF);
    Append("    Format   = [%s]%s",
           MacroName(MacroRows(twff_macros), b.U16(OFF(TW_SETUPFILEXFER, Format))), CRLF);
    Append("    VRefNum  = [%d]%s", b.I16(OFF(TW_SETUPFILEXFER, VRefNum)), CRLF);
    Append("  }%s", CRLF);
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
    const CBlock b = CBlock::Of(pUserInterface);
    if (b.IsNull()) {
        return true;
    }
    Append("  TW_USERINTERFACE = {%s", CRLF);
    Append("    ShowUI  = [%s]%s", b.Bool(OFF(TW_USERINTERFACE, ShowUI)), CRLF);
    Append("    ModalUI = [%s]%s", b.Bool(OFF(TW_USERINTERFACE, ModalUI)), CRLF);
    Append("    hParent = <0x%08x>%s", b.Ptr32(OFF(TW_USERINTERFACE, hParent)), CRLF);
    Append("  }%s", CRLF);
    return true;
}

// An event without a message (MSG_NULL) prints nothing, as no event does.
bool CParaAnalyze::TwEventAnalyze(TW_EVENT* pEvent) {
    const CBlock b = CBlock::Of(pEvent);
    const TW_UINT16 message = b.U16(OFF(TW_EVENT, TWMessage));
    if (b.IsNull() || message == MSG_NULL) {
        return true;
    }
    Append("  TW_EVENT = {%s", CRLF);
    Append("    pEvent    = <0x%08x>%s", b.Ptr32(OFF(TW_EVENT, pEvent)), CRLF);
    Append("    TWMessage = [%s]%s",
           MacroName(StandardOrVendor(message, MacroRows(msg_macros), MacroRows(msg_xq_macros)),
                     message),
           CRLF);
    Append("  }%s", CRLF);
    return true;
}

bool CParaAnalyze::TwCustomDsDataAnalyze(TW_CUSTOMDSDATA* pCustomDsData) {
    const CBlock b = CBlock::Of(pCustomDsData);
    if (b.IsNull()) {
        return true;
    }
    Append("  TW_CUSTOMDSDATA = {%s", CRLF);
    Append("    InfoLength = [%d]%s", b.I32(OFF(TW_CUSTOMDSDATA, InfoLength)), CRLF);
    Append("    hData      = <0x%08x>%s", b.Ptr32(OFF(TW_CUSTOMDSDATA, hData)), CRLF);
    Append("  }%s", CRLF);
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
    Append("  TW_UINT32 = {%s", CRLF);
    if (m_DAT == DAT_XFERGROUP || m_DAT == DAT_IMAGENATIVEXFER) {
        Append("    Item = <0x%08x>%s", b.U32(0), CRLF);
    } else {
        Append("    Item = [%ld]%s", b.Ld(0), CRLF);
    }
    Append("  }%s", CRLF);
    return true;
}

// Only the first TW_INFO is shown, whatever NumInfos says.
bool CParaAnalyze::TwExtImageInfoAnalyze(TW_EXTIMAGEINFO* pExtImageInfo) {
    const CBlock b = CBlock::Of(pExtImageInfo);
    if (b.IsNull()) {
        return true;
    }
    Append("  TW_EXTIMAGEINFO = {%s", CRLF);
    Append("    NumInfos = [%ld]%s", b.Ld(OFF(TW_EXTIMAGEINFO, NumInfos)), CRLF);
    Append("    Info     =%s", CRLF);
    TwInfoAnalyze(&pExtImageInfo->Info[0]);
    Append("  }%s", CRLF);
    return true;
}

bool CParaAnalyze::TwInfoAnalyze(TW_INFO* pInfo) {
    const CBlock b = CBlock::Of(pInfo);
    if (b.IsNull()) {
        return true;
    }
    Append("    TW_INFO = {%s", CRLF);
    Append("      InfoID   = [%d]%s", b.U16(OFF(TW_INFO, InfoID)), CRLF);
    Append("      ItemType = [%s]%s",
           MacroName(MacroRows(twty_macros), b.U16(OFF(TW_INFO, ItemType))), CRLF);
    Append("      NumItems = [%d]%s", b.U16(OFF(TW_INFO, NumItems)), CRLF);
    Append("      CondCode = [%s]%s",
           MacroName(MacroRows(twrc_macros), b.U16(OFF(TW_INFO, CondCode))), CRLF);
    Append("      Item     = [%ld]%s", b.Ld(OFF(TW_INFO, Item)), CRLF);
    Append("    }%s", CRLF);
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
    Append("  TW_CIECOLOR = {%s", CRLF);
    Append("    ColorSpace      = [%s]%s",
           MacroName(MacroRows(twpt_macros), b.U16(OFF(TW_CIECOLOR, ColorSpace))), CRLF);
    Append("    LowEndian       = [%d]%s", b.I16(OFF(TW_CIECOLOR, LowEndian)), CRLF);
    Append("    DeviceDependent = [%d]%s", b.I16(OFF(TW_CIECOLOR, DeviceDependent)), CRLF);
    Append("    VersionNumber   = [%ld]%s", b.Ld(OFF(TW_CIECOLOR, VersionNumber)), CRLF);
    Append("    StageABC=%s", CRLF);
    TwTransformStageAnalyze(&pCieColor->StageABC);
    Append("    StageLMN=%s", CRLF);
    TwTransformStageAnalyze(&pCieColor->StageLMN);
    Append("    WhitePoint=%s", CRLF);
    TwCiePointAnalyze(&pCieColor->WhitePoint);
    Append("    BlackPoint=%s", CRLF);
    TwCiePointAnalyze(&pCieColor->BlackPoint);
    Append("    WhitePaper=%s", CRLF);
    TwCiePointAnalyze(&pCieColor->WhitePaper);
    Append("    BlackInk=%s", CRLF);
    TwCiePointAnalyze(&pCieColor->BlackInk);
    Append("    Samples[]       = [%.3f]%s", b.Fix32(OFF(TW_CIECOLOR, Samples)), CRLF);
    Append("  }%s", CRLF);
    return true;
}

// Three decode functions, then the 3 x 3 mix matrix row by row.
bool CParaAnalyze::TwTransformStageAnalyze(TW_TRANSFORMSTAGE* pStage) {
    const CBlock b = CBlock::Of(pStage);
    if (b.IsNull()) {
        return true;
    }
    Append("    TW_TRANSFORMSTAGE = {%s", CRLF);
    for (int i = 0; i < 3; ++i) {
        Append("      Decode[%d] =%s", i, CRLF);
        TwDecodeFunctionAnalyze(&pStage->Decode[i]);
    }
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            const size_t entry = OFF(TW_TRANSFORMSTAGE, Mix) + sizeof(TW_FIX32) * (3 * i + j);
            Append("      Mix[%d][%d] = [%.3f]%s", i, j, b.Fix32(entry), CRLF);
        }
    }
    Append("    }%s", CRLF);
    return true;
}

bool CParaAnalyze::TwDecodeFunctionAnalyze(TW_DECODEFUNCTION* pDecode) {
    const CBlock b = CBlock::Of(pDecode);
    if (b.IsNull()) {
        return true;
    }
    Append("      TW_DECODEFUNCTION = {%s", CRLF);
    Append("        StartIn     = [%.3f]%s", b.Fix32(OFF(TW_DECODEFUNCTION, StartIn)), CRLF);
    Append("        BreakIn     = [%.3f]%s", b.Fix32(OFF(TW_DECODEFUNCTION, BreakIn)), CRLF);
    Append("        EndIn       = [%.3f]%s", b.Fix32(OFF(TW_DECODEFUNCTION, EndIn)), CRLF);
    Append("        StartOut    = [%.3f]%s", b.Fix32(OFF(TW_DECODEFUNCTION, StartOut)), CRLF);
    Append("        BreakOut    = [%.3f]%s", b.Fix32(OFF(TW_DECODEFUNCTION, BreakOut)), CRLF);
    Append("        EndOut      = [%.3f]%s", b.Fix32(OFF(TW_DECODEFUNCTION, EndOut)), CRLF);
    Append("        Gamma       = [%.3f]%s", b.Fix32(OFF(TW_DECODEFUNCTION, Gamma)), CRLF);
    Append("        SampleCount = [%.3f]%s", b.Fix32(OFF(TW_DECODEFUNCTION, SampleCount)), CRLF);
    Append("      }%s", CRLF);
    return true;
}

bool CParaAnalyze::TwCiePointAnalyze(TW_CIEPOINT* pPoint) {
    const CBlock b = CBlock::Of(pPoint);
    if (b.IsNull()) {
        return true;
    }
    Append("    TW_CIEPOINT = {%s", CRLF);
    Append("      X = [%.3f]%s", b.Fix32(OFF(TW_CIEPOINT, X)), CRLF);
    Append("      Y = [%.3f]%s", b.Fix32(OFF(TW_CIEPOINT, Y)), CRLF);
    Append("      Z = [%.3f]%s", b.Fix32(OFF(TW_CIEPOINT, Z)), CRLF);
    Append("    }%s", CRLF);
    return true;
}

// The dumper is given no element count: only the first element of the table is shown.
bool CParaAnalyze::TwGrayResponseAnalyze(TW_GRAYRESPONSE* pResponse) {
    if (pResponse == nullptr) {
        return true;
    }
    Append("  TW_GRAYRESPONSE = {%s", CRLF);
    Append("    Response[0] =%s", CRLF);
    TwElement8Analyze(&pResponse->Response[0]);
    Append("  }%s", CRLF);
    return true;
}

// As the grey response: the first element only.
bool CParaAnalyze::TwRgbResponseAnalyze(TW_RGBRESPONSE* pResponse) {
    if (pResponse == nullptr) {
        return true;
    }
    Append("  TW_RGBRESPONSE = {%s", CRLF);
    Append("    Response[0] =%s", CRLF);
    TwElement8Analyze(&pResponse->Response[0]);
    Append("  }%s", CRLF);
    return true;
}

bool CParaAnalyze::TwElement8Analyze(TW_ELEMENT8* pElement) {
    const CBlock b = CBlock::Of(pElement);
    if (b.IsNull()) {
        return true;
    }
    Append("    TW_ELEMENT8 = {%s", CRLF);
    Append("      Index    = [%d]%s", b.U8(OFF(TW_ELEMENT8, Index)), CRLF);
    Append("      Channel1 = [%d]%s", b.U8(OFF(TW_ELEMENT8, Channel1)), CRLF);
    Append("      Channel2 = [%d]%s", b.U8(OFF(TW_ELEMENT8, Channel2)), CRLF);
    Append("      Channel3 = [%d]%s", b.U8(OFF(TW_ELEMENT8, Channel3)), CRLF);
    Append("    }%s", CRLF);
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
    Append("  TW_JPEGCOMPRESSION = {%s", CRLF);
    Append("    ColorSpace       = [%s]%s",
           MacroName(MacroRows(twpt_macros), b.U16(OFF(TW_JPEGCOMPRESSION, ColorSpace))), CRLF);
    Append("    SubSampling      = [%ld]%s", b.Ld(OFF(TW_JPEGCOMPRESSION, SubSampling)), CRLF);
    Append("    NumComponents    = [%d]%s", b.U16(OFF(TW_JPEGCOMPRESSION, NumComponents)), CRLF);
    Append("    RestartFrequency = [%d]%s", b.U16(OFF(TW_JPEGCOMPRESSION, RestartFrequency)), CRLF);
    Append("    QuantMap[]       = {%s}%s",
           NumberList16(b, OFF(TW_JPEGCOMPRESSION, QuantMap), 4, false, list), CRLF);
    for (int i = 0; i < 4; ++i) {
        Append("    QuantTable[%d]   = {", i);
        TwMemoryAnalyze(&pJpeg->QuantTable[i]);
    }
    Append("    HuffmanMap[]     = {%s}%s",
           NumberList16(b, OFF(TW_JPEGCOMPRESSION, HuffmanMap), 4, false, list), CRLF);
    for (int i = 0; i < 2; ++i) {
        Append("    HuffmanDC[%d]    = {", i);
        TwMemoryAnalyze(&pJpeg->HuffmanDC[i]);
    }
    for (int i = 0; i < 2; ++i) {
        Append("    HuffmanAC[%d]    = {", i);
        TwMemoryAnalyze(&pJpeg->HuffmanAC[i]);
    }
    Append("  }%s", CRLF);
    return true;
}

// ---------------------------------------------------------------------------------------
// Vendor extension structures
