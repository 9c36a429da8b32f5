// The renderers of the vendor's extension structures (TwainXq.h).
// Each dumper reads its structure through a CBlock (never a byte past it) and prints it through
// a CDumpScope (TwPrint.h): the scope prints the block's heading and closing brace, nested in
// the scope open around it, and pads the labels to its width; each field line is one
// PRINT_FIELD_ of its value kind, labelled with the field's own name. A nested structure is a
// label line followed by the block of its own dumper.
#include "ParaAnalyze.h"

#include <cstring>

#include "TwConvert.h"
#include "TwFormat.h"
#include "TwPrint.h"
#include "TwainXq.h"

namespace {

// How a line of the hardware information shows its field.
enum class HardwareKind {
    Hex2,   // 32 bits, "[0x%02x]"
    Name,   // length-prefixed name, "[%s]"
    Ld,     // 32 bits, "[%lld]"
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
#define HW_LINE(field, kind) Line(#field, HardwareKind::kind, TW_AT(TWXQ_HARDWAREINFO, field))
#define HW_ITEM(field, i, kind) \
    Line(#field "[" #i "]", HardwareKind::kind, TW_AT(TWXQ_HARDWAREINFO, field[i]))

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
    PRINT_FIELD(s, Ptr, b.U32, TWXQ_AUTOEXPOSURE, Handle);
    PRINT_FIELD(s, Int, b.I16, TWXQ_AUTOEXPOSURE, Left);
    PRINT_FIELD(s, Int, b.I16, TWXQ_AUTOEXPOSURE, Top);
    PRINT_FIELD(s, Int, b.I16, TWXQ_AUTOEXPOSURE, Right);
    PRINT_FIELD(s, Int, b.I16, TWXQ_AUTOEXPOSURE, Bottom);
    PRINT_FIELD_NAME(s, b.U16, TWXQ_AUTOEXPOSURE, FilmType, twxq_ft_macros);
    PRINT_FIELD_NAME(s, b.U16, TWXQ_AUTOEXPOSURE, PreScanGamma, twxq_pg_macros);
    PRINT_FIELD(s, Fix, b.Fix32, TWXQ_AUTOEXPOSURE, ScreenGamma);
    PRINT_FIELD(s, Ld, b.U16, TWXQ_AUTOEXPOSURE, GrayBalance);
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
           ColorCoeffText(b.Sub(TW_AT(TWXQ_RGBMATRIX, ColorCoeff), sizeof(TWXQ_COLORCOEFF)), text));
    return true;
}

bool CParaAnalyze::TwXqColorSmoothingAnalyze(TWXQ_COLORSMOOTHING* pColorSmoothing) {
    const CBlock b = CBlock::Of(pColorSmoothing);
    if (b.IsNull()) {
        return true;
    }
    CDumpScope s(m_sink, "TWXQ_COLORSMOOTHING", 12);
    PRINT_FIELD(s, Ptr, b.U32, TWXQ_COLORSMOOTHING, Handle);
    PRINT_FIELD(s, Ld, b.Ld, TWXQ_COLORSMOOTHING, LeftX);
    PRINT_FIELD(s, Ld, b.Ld, TWXQ_COLORSMOOTHING, LeftY);
    PRINT_FIELD(s, Ld, b.Ld, TWXQ_COLORSMOOTHING, TopX);
    PRINT_FIELD(s, Ld, b.Ld, TWXQ_COLORSMOOTHING, TopY);
    PRINT_FIELD(s, Ld, b.Ld, TWXQ_COLORSMOOTHING, RightX);
    PRINT_FIELD(s, Ld, b.Ld, TWXQ_COLORSMOOTHING, RightY);
    PRINT_FIELD(s, Ld, b.Ld, TWXQ_COLORSMOOTHING, BottomX);
    PRINT_FIELD(s, Ld, b.Ld, TWXQ_COLORSMOOTHING, BottomY);
    PRINT_FIELD(s, Ld, b.Ld, TWXQ_COLORSMOOTHING, Reserved);
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
    PRINT_FIELD(s, Int, b.I16, TWXQ_LOCATIONDATA, BitsPerPixel);
    PRINT_FIELD(s, Ld, b.Ld, TWXQ_LOCATIONDATA, topPoint);
    PRINT_FIELD(s, Ld, b.Ld, TWXQ_LOCATIONDATA, leftPoint);
    PRINT_FIELD(s, Ld, b.Ld, TWXQ_LOCATIONDATA, locateW);
    PRINT_FIELD(s, Ld, b.Ld, TWXQ_LOCATIONDATA, locateH);
    PRINT_FIELD(s, Ld, b.Ld, TWXQ_LOCATIONDATA, ActualImgW);
    PRINT_FIELD(s, Ld, b.Ld, TWXQ_LOCATIONDATA, ActualImgH);
    PRINT_FIELD(s, Ld, b.Ld, TWXQ_LOCATIONDATA, xTangent);
    PRINT_FIELD(s, Ld, b.Ld, TWXQ_LOCATIONDATA, yTangent);
    PRINT_FIELD(s, Fix, b.Fix32, TWXQ_LOCATIONDATA, Theta);
    return true;
}

// The same indentation whether the dispatch or TwXqUsmInfoAnalyze calls it.
bool CParaAnalyze::TwUnsharpMaskAnalyze(TWXQ_USMPARAM* pUsmParam) {
    const CBlock b = CBlock::Of(pUsmParam);
    if (b.IsNull()) {
        return true;
    }
    CDumpScope s(m_sink, "TWXQ_USMPARAM", 9, CDumpScope::Layout::OneLevelIn);
    PRINT_FIELD(s, Int, b.I16, TWXQ_USMPARAM, Amount);
    PRINT_FIELD(s, Int, b.I16, TWXQ_USMPARAM, Radius);
    PRINT_FIELD(s, Int, b.I16, TWXQ_USMPARAM, Threshold);
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
    PRINT_FIELD(s, Int, b.U16, TWXQ_SETTINGFRAME, NumFrame);
    PRINT_FIELD(s, Int, b.U16, TWXQ_SETTINGFRAME, CurrentNum);
    return true;
}

bool CParaAnalyze::TwXqThresholdInfoAnalyze(TWXQ_THRESHOLDINFO* pThreshold) {
    const CBlock b = CBlock::Of(pThreshold);
    if (b.IsNull()) {
        return true;
    }
    CDumpScope s(m_sink, "TWXQ_THRESHOLDINFO", 10);
    PRINT_FIELD(s, Int, b.U16, TWXQ_THRESHOLDINFO, ShadowL);
    PRINT_FIELD(s, Int, b.U16, TWXQ_THRESHOLDINFO, ShadowH);
    PRINT_FIELD(s, Int, b.U16, TWXQ_THRESHOLDINFO, HighlightH);
    PRINT_FIELD(s, Int, b.U16, TWXQ_THRESHOLDINFO, HighlightL);
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
    PRINT_FIELD(s, Int, b.U16, TWXQ_REVISEBASEPARM, BlurMax);
    return true;
}

bool CParaAnalyze::TwXqUsmInfoAnalyze(TWXQ_USMINFO* pUsmInfo) {
    const CBlock b = CBlock::Of(pUsmInfo);
    if (b.IsNull()) {
        return true;
    }
    CDumpScope s(m_sink, "TWXQ_USMINFO", 15);
    PRINT_FIELD(s, Int, b.U16, TWXQ_USMINFO, InputResolution);
    PRINT_FIELD(s, Int, b.U16, TWXQ_USMINFO, InUSMLevel);
    PRINT_FIELD(s, Int, b.U16, TWXQ_USMINFO, InFilmType);
    s.Raw("USMParm         = ");
    TwUnsharpMaskAnalyze(&pUsmInfo->USMParm);
    s.Raw("ReviseParm      = ");
    TwXqReviseBaseParamAnalyze(&pUsmInfo->ReviseParm);
    return true;
}
