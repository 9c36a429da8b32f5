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

// The two length-prefixed names of the hardware information are converted through the
// platform's string objects, the one place a dumper allocates.
#include <CoreFoundation/CoreFoundation.h>

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
