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
