// The structure and container renderers. Each dumper reads its structure through a CBlock
// (never a byte past it) and appends its lines one Append per line, with the literal format
// of the log; a block's heading and closing brace come from the dumper that opens it, and a
// nested structure is a label line followed by the block of its own dumper.
#include "ParaAnalyze.h"

// The two length-prefixed names of the hardware information are converted through the
// platform's string objects, the one place a dumper allocates.
#include <CoreFoundation/CoreFoundation.h>

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
    Append("    Id              = [%ld]%s", static_cast<long>(b.Id(OFF(TW_IDENTITY, Id))), CRLF);
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

namespace {

// Longest converted name, with its NUL.
constexpr size_t kPascalTextSize = 128;

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
    Append("  TWXQ_AUTOEXPOSURE = {%s", CRLF);
    Append("    Handle       = <0x%08x>%s", b.U32(OFF(TWXQ_AUTOEXPOSURE, Handle)), CRLF);
    Append("    Left         = [%d]%s", b.I16(OFF(TWXQ_AUTOEXPOSURE, Left)), CRLF);
    Append("    Top          = [%d]%s", b.I16(OFF(TWXQ_AUTOEXPOSURE, Top)), CRLF);
    Append("    Right        = [%d]%s", b.I16(OFF(TWXQ_AUTOEXPOSURE, Right)), CRLF);
    Append("    Bottom       = [%d]%s", b.I16(OFF(TWXQ_AUTOEXPOSURE, Bottom)), CRLF);
    Append("    FilmType     = [%s]%s",
           MacroName(MacroRows(twxq_ft_macros), b.U16(OFF(TWXQ_AUTOEXPOSURE, FilmType))), CRLF);
    Append("    PreScanGamma = [%s]%s",
           MacroName(MacroRows(twxq_pg_macros), b.U16(OFF(TWXQ_AUTOEXPOSURE, PreScanGamma))), CRLF);
    Append("    ScreenGamma  = [%.3f]%s", b.Fix32(OFF(TWXQ_AUTOEXPOSURE, ScreenGamma)), CRLF);
    Append("    GrayBalance  = [%ld]%s",
           static_cast<long>(b.U16(OFF(TWXQ_AUTOEXPOSURE, GrayBalance))), CRLF);
    Append("  }%s", CRLF);
    return true;
}

void CParaAnalyze::SetColorCoeffData(const CBlock& coeff) {
    if (coeff.IsNull()) {
        return;
    }
    constexpr size_t kStep = sizeof(TW_FIX32);
    Append("%.3f,%.3f,%.3f,%.3f,%.3f,%.3f,%.3f,%.3f,%.3f", coeff.Fix32(0), coeff.Fix32(kStep),
           coeff.Fix32(2 * kStep), coeff.Fix32(3 * kStep), coeff.Fix32(4 * kStep),
           coeff.Fix32(5 * kStep), coeff.Fix32(6 * kStep), coeff.Fix32(7 * kStep),
           coeff.Fix32(8 * kStep));
}

bool CParaAnalyze::TwXqRgbMatrixAnalyze(TWXQ_RGBMATRIX* pRgbMatrix) {
    const CBlock b = CBlock::Of(pRgbMatrix);
    if (b.IsNull()) {
        return true;
    }
    Append("  TWXQ_RGBMATRIX = {%s", CRLF);
    Append("    ColorCoeff = {");
    SetColorCoeffData(b.Sub(OFF(TWXQ_RGBMATRIX, ColorCoeff), sizeof(TWXQ_COLORCOEFF)));
    Append("}%s", CRLF);
    Append("  }%s", CRLF);
    return true;
}

bool CParaAnalyze::TwXqColorSmoothingAnalyze(TWXQ_COLORSMOOTHING* pColorSmoothing) {
    const CBlock b = CBlock::Of(pColorSmoothing);
    if (b.IsNull()) {
        return true;
    }
    Append("  TWXQ_COLORSMOOTHING = {%s", CRLF);
    Append("    Handle       = <0x%08x>%s", b.U32(OFF(TWXQ_COLORSMOOTHING, Handle)), CRLF);
    Append("    LeftX        = [%ld]%s", b.Ld(OFF(TWXQ_COLORSMOOTHING, LeftX)), CRLF);
    Append("    LeftY        = [%ld]%s", b.Ld(OFF(TWXQ_COLORSMOOTHING, LeftY)), CRLF);
    Append("    TopX         = [%ld]%s", b.Ld(OFF(TWXQ_COLORSMOOTHING, TopX)), CRLF);
    Append("    TopY         = [%ld]%s", b.Ld(OFF(TWXQ_COLORSMOOTHING, TopY)), CRLF);
    Append("    RightX       = [%ld]%s", b.Ld(OFF(TWXQ_COLORSMOOTHING, RightX)), CRLF);
    Append("    RightY       = [%ld]%s", b.Ld(OFF(TWXQ_COLORSMOOTHING, RightY)), CRLF);
    Append("    BottomX      = [%ld]%s", b.Ld(OFF(TWXQ_COLORSMOOTHING, BottomX)), CRLF);
    Append("    BottomY      = [%ld]%s", b.Ld(OFF(TWXQ_COLORSMOOTHING, BottomY)), CRLF);
    Append("    Reserved     = [%ld]%s", b.Ld(OFF(TWXQ_COLORSMOOTHING, Reserved)), CRLF);
    Append("  }%s", CRLF);
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
    size_t printed = 0;
    const int w = kHardwareLabelWidth;
    Append("  TWXQ_HARDWAREINFO = {%s", CRLF);
    for (const HardwareLine& line : kHardwareLines) {
        switch (line.kind) {
        case HardwareKind::Hex2:
            Append("    %-*s = [0x%02x]%s", w, line.label, b.U32(line.offset), CRLF);
            break;
        case HardwareKind::Name:
            Append("    %-*s = [%s]%s", w, line.label, printed < converted ? names[printed] : "",
                   CRLF);
            ++printed;
            break;
        case HardwareKind::Ld:
            Append("    %-*s = [%ld]%s", w, line.label, b.Ld(line.offset), CRLF);
            break;
        case HardwareKind::U16:
            Append("    %-*s = [%d]%s", w, line.label, b.U16(line.offset), CRLF);
            break;
        case HardwareKind::Bool:
            Append("    %-*s = [%s]%s", w, line.label, b.Bool(line.offset), CRLF);
            break;
        case HardwareKind::Hex4:
            Append("    %-*s = [0x%04x]%s", w, line.label, b.U16(line.offset), CRLF);
            break;
        case HardwareKind::Text:
            Append("    %-*s = [%s]%s", w, line.label, b.Str(line.offset, sizeof(TW_STR32), text),
                   CRLF);
            break;
        case HardwareKind::Matrix:
            Append("    %-*s = [", w, line.label);
            SetColorCoeffData(b.Sub(line.offset, sizeof(TWXQ_COLORCOEFF)));
            Append("]%s", CRLF);
            break;
        }
    }
    Append("  }%s", CRLF);
    return true;
}

bool CParaAnalyze::TwXqSkewInfoAnalyze(TWXQ_LOCATIONDATA* pLocation) {
    const CBlock b = CBlock::Of(pLocation);
    if (b.IsNull()) {
        return true;
    }
    Append("  TWXQ_LOCATIONDATA = {%s", CRLF);
    Append("    BitsPerPixel = [%d]%s", b.I16(OFF(TWXQ_LOCATIONDATA, BitsPerPixel)), CRLF);
    Append("    topPoint     = [%ld]%s", b.Ld(OFF(TWXQ_LOCATIONDATA, topPoint)), CRLF);
    Append("    leftPoint    = [%ld]%s", b.Ld(OFF(TWXQ_LOCATIONDATA, leftPoint)), CRLF);
    Append("    locateW      = [%ld]%s", b.Ld(OFF(TWXQ_LOCATIONDATA, locateW)), CRLF);
    Append("    locateH      = [%ld]%s", b.Ld(OFF(TWXQ_LOCATIONDATA, locateH)), CRLF);
    Append("    ActualImgW   = [%ld]%s", b.Ld(OFF(TWXQ_LOCATIONDATA, ActualImgW)), CRLF);
    Append("    ActualImgH   = [%ld]%s", b.Ld(OFF(TWXQ_LOCATIONDATA, ActualImgH)), CRLF);
    Append("    xTangent     = [%ld]%s", b.Ld(OFF(TWXQ_LOCATIONDATA, xTangent)), CRLF);
    Append("    yTangent     = [%ld]%s", b.Ld(OFF(TWXQ_LOCATIONDATA, yTangent)), CRLF);
    Append("    Theta        = [%.3f]%s", b.Fix32(OFF(TWXQ_LOCATIONDATA, Theta)), CRLF);
    Append("  }%s", CRLF);
    return true;
}

// The same indentation whether the dispatch or TwXqUsmInfoAnalyze calls it.
bool CParaAnalyze::TwUnsharpMaskAnalyze(TWXQ_USMPARAM* pUsmParam) {
    const CBlock b = CBlock::Of(pUsmParam);
    if (b.IsNull()) {
        return true;
    }
    Append("    TWXQ_USMPARAM = {%s", CRLF);
    Append("      Amount    = [%d]%s", b.I16(OFF(TWXQ_USMPARAM, Amount)), CRLF);
    Append("      Radius    = [%d]%s", b.I16(OFF(TWXQ_USMPARAM, Radius)), CRLF);
    Append("      Threshold = [%d]%s", b.I16(OFF(TWXQ_USMPARAM, Threshold)), CRLF);
    Append("    }%s", CRLF);
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
    Append("  TWXQ_SETTINGFRAME = {%s", CRLF);
    Append("    NumFrame    = [%d]%s", b.U16(OFF(TWXQ_SETTINGFRAME, NumFrame)), CRLF);
    Append("    CurrentNum  = [%d]%s", b.U16(OFF(TWXQ_SETTINGFRAME, CurrentNum)), CRLF);
    Append("  }%s", CRLF);
    return true;
}

bool CParaAnalyze::TwXqThresholdInfoAnalyze(TWXQ_THRESHOLDINFO* pThreshold) {
    const CBlock b = CBlock::Of(pThreshold);
    if (b.IsNull()) {
        return true;
    }
    Append("      TWXQ_THRESHOLDINFO = {%s", CRLF);
    Append("        ShadowL    = [%d]%s", b.U16(OFF(TWXQ_THRESHOLDINFO, ShadowL)), CRLF);
    Append("        ShadowH    = [%d]%s", b.U16(OFF(TWXQ_THRESHOLDINFO, ShadowH)), CRLF);
    Append("        HighlightH = [%d]%s", b.U16(OFF(TWXQ_THRESHOLDINFO, HighlightH)), CRLF);
    Append("        HighlightL = [%d]%s", b.U16(OFF(TWXQ_THRESHOLDINFO, HighlightL)), CRLF);
    Append("      }%s", CRLF);
    return true;
}

bool CParaAnalyze::TwXqReviseBaseParamAnalyze(TWXQ_REVISEBASEPARM* pRevise) {
    const CBlock b = CBlock::Of(pRevise);
    if (b.IsNull()) {
        return true;
    }
    Append("    TWXQ_REVISEBASEPARM = {%s", CRLF);
    Append("      InputRevise  = %s", CRLF);
    TwXqThresholdInfoAnalyze(&pRevise->InputRevise);
    Append("      OutputRevise = %s", CRLF);
    TwXqThresholdInfoAnalyze(&pRevise->OutputRevise);
    Append("      BlurMax      = [%d]%s", b.U16(OFF(TWXQ_REVISEBASEPARM, BlurMax)), CRLF);
    Append("    }%s", CRLF);
    return true;
}

bool CParaAnalyze::TwXqUsmInfoAnalyze(TWXQ_USMINFO* pUsmInfo) {
    const CBlock b = CBlock::Of(pUsmInfo);
    if (b.IsNull()) {
        return true;
    }
    Append("  TWXQ_USMINFO = {%s", CRLF);
    Append("    InputResolution = [%d]%s", b.U16(OFF(TWXQ_USMINFO, InputResolution)), CRLF);
    Append("    InUSMLevel      = [%d]%s", b.U16(OFF(TWXQ_USMINFO, InUSMLevel)), CRLF);
    Append("    InFilmType      = [%d]%s", b.U16(OFF(TWXQ_USMINFO, InFilmType)), CRLF);
    Append("    USMParm         = %s", CRLF);
    TwUnsharpMaskAnalyze(&pUsmInfo->USMParm);
    Append("    ReviseParm      = %s", CRLF);
    TwXqReviseBaseParamAnalyze(&pUsmInfo->ReviseParm);
    Append("  }%s", CRLF);
    return true;
}
