// Vendor structure blocks: the exact text of each vendor dumper, CR LF included, with its edge
// values, names that do not fit, texts without NUL, nesting and null pointers. The sample
// driver's typical blocks are in the golden scan-session log.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "AnalyzerFixture.h"

namespace {

TW_FIX32 Fix(TW_INT16 whole, TW_UINT16 frac = 0) {
    return TW_FIX32{whole, frac};
}

// The result section of a successful MSG_GET in state 4: the block between the pData line
// and the state line.
std::string Section(const void* data, const std::string& block) {
    char pointer[32];
    snprintf(pointer, sizeof pointer, "%08x",
             static_cast<unsigned int>(reinterpret_cast<uintptr_t>(data)));
    return std::string("        Return Code = [TWRC_SUCCESS]\r\npData   = <0x") + pointer +
           ">\r\n" + block + "\r\nTWAIN Status = [4]\r\n";
}

std::string Dump(TW_UINT16 dat, void* data) {
    AnalyzerHarness h(4);
    return h.Result(DG_CONTROL, dat, MSG_GET, data, TWRC_SUCCESS);
}

// The block alone: the section without its result lines and state line.
std::string Block(TW_UINT16 dat, void* data) {
    const std::string section = Dump(dat, data);
    const std::string state = "\r\nTWAIN Status = [4]\r\n";
    const std::string empty = Section(data, "");
    const std::string head = empty.substr(0, empty.size() - state.size());
    EXPECT_EQ(section.compare(0, head.size(), head), 0) << section;
    EXPECT_GE(section.size(), empty.size());
    return section.substr(head.size(), section.size() - empty.size());
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    EXPECT_EQ(start, text.size()) << "text after the last CR LF";
    return lines;
}

TEST(VendorStructure, AutoExposureEdgeValues) {
    TWXQ_AUTOEXPOSURE exposure{0xFFFFFFFF, -1, 20, 300, -300, 7, 2, Fix(-1, 0x8000), 0xFFFF};
    EXPECT_EQ(Dump(DAT_XQ_AUTOEXPOSURE, &exposure),
              Section(&exposure, "  TWXQ_AUTOEXPOSURE = {\r\n"
                                 "    Handle       = <0xffffffff>\r\n"
                                 "    Left         = [-1]\r\n"
                                 "    Top          = [20]\r\n"
                                 "    Right        = [300]\r\n"
                                 "    Bottom       = [-300]\r\n"
                                 "    FilmType     = [ERROR!(7)]\r\n"
                                 "    PreScanGamma = [ERROR!(2)]\r\n"
                                 "    ScreenGamma  = [-0.500]\r\n"
                                 "    GrayBalance  = [65535]\r\n"
                                 "  }\r\n"));
}

TEST(VendorStructure, RgbMatrixIsOneLineOfNineValues) {
    TWXQ_RGBMATRIX mixed{{Fix(-2, 0x8000), Fix(0, 0xFFFF), Fix(-32768), Fix(32767, 0xFFFF),
                          Fix(0, 1), Fix(2, 0x4000), Fix(-1), Fix(0, 0x8000), Fix(12, 0x2000)}};
    EXPECT_EQ(Dump(DAT_XQ_RGBMATRIX, &mixed),
              Section(&mixed, "  TWXQ_RGBMATRIX = {\r\n"
                              "    ColorCoeff = {-1.500,1.000,-32768.000,32768.000,0.000,2.250,"
                              "-1.000,0.500,12.125}\r\n"
                              "  }\r\n"));
}

TEST(VendorStructure, ColorSmoothingValuesAreUnsigned) {
    TWXQ_COLORSMOOTHING smoothing{0x0000ABCD, 1, 2, 3, 4, 5, 6, 7, 0x80000000, 0xFFFFFFFF};
    EXPECT_EQ(Dump(DAT_XQ_COLORSMOOTHING, &smoothing),
              Section(&smoothing, "  TWXQ_COLORSMOOTHING = {\r\n"
                                  "    Handle       = <0x0000abcd>\r\n"
                                  "    LeftX        = [1]\r\n"
                                  "    LeftY        = [2]\r\n"
                                  "    TopX         = [3]\r\n"
                                  "    TopY         = [4]\r\n"
                                  "    RightX       = [5]\r\n"
                                  "    RightY       = [6]\r\n"
                                  "    BottomX      = [7]\r\n"
                                  "    BottomY      = [2147483648]\r\n"
                                  "    Reserved     = [4294967295]\r\n"
                                  "  }\r\n"));
}

TEST(VendorStructure, SkewInfoTangentsPrintUnsigned) {
    TWXQ_LOCATIONDATA location{-1, 10, 20, 850, 1100, 0xFFFFFFFF, 0, -1, 3, Fix(-3, 0xC000)};
    EXPECT_EQ(Dump(DAT_XQ_SKEWINFO, &location),
              Section(&location, "  TWXQ_LOCATIONDATA = {\r\n"
                                 "    BitsPerPixel = [-1]\r\n"
                                 "    topPoint     = [10]\r\n"
                                 "    leftPoint    = [20]\r\n"
                                 "    locateW      = [850]\r\n"
                                 "    locateH      = [1100]\r\n"
                                 "    ActualImgW   = [4294967295]\r\n"
                                 "    ActualImgH   = [0]\r\n"
                                 "    xTangent     = [4294967295]\r\n"
                                 "    yTangent     = [3]\r\n"
                                 "    Theta        = [-2.250]\r\n"
                                 "  }\r\n"));
}

TEST(VendorStructure, SettingFrame) {
    TWXQ_SETTINGFRAME frames{3, 0xFFFF};
    EXPECT_EQ(Dump(DAT_XQ_SETTINGFRAME, &frames), Section(&frames, "  TWXQ_SETTINGFRAME = {\r\n"
                                                                   "    NumFrame    = [3]\r\n"
                                                                   "    CurrentNum  = [65535]\r\n"
                                                                   "  }\r\n"));
}

const char kUnsharpMask[] = "    TWXQ_USMPARAM = {\r\n"
                            "      Amount    = [110]\r\n"
                            "      Radius    = [-1]\r\n"
                            "      Threshold = [-32768]\r\n"
                            "    }\r\n";

TEST(VendorStructure, UnsharpMaskStandsAloneAndNestedAlike) {
    TWXQ_USMPARAM mask{110, -1, -32768};
    EXPECT_EQ(Dump(DAT_XQ_UNSHARPMASKPARAM, &mask), Section(&mask, kUnsharpMask));

    TWXQ_USMINFO info{};
    info.InputResolution = 1200;
    info.InUSMLevel = 2;
    info.InFilmType = 7; // a number, not a name
    info.USMParm = mask;
    info.ReviseParm = {{1, 2, 3, 4}, {5, 6, 7, 0xFFFF}, 9};
    EXPECT_EQ(Dump(DAT_XQ_USMINFO, &info),
              Section(&info, std::string("  TWXQ_USMINFO = {\r\n"
                                         "    InputResolution = [1200]\r\n"
                                         "    InUSMLevel      = [2]\r\n"
                                         "    InFilmType      = [7]\r\n"
                                         "    USMParm         = \r\n") +
                                 kUnsharpMask +
                                 "    ReviseParm      = \r\n"
                                 "    TWXQ_REVISEBASEPARM = {\r\n"
                                 "      InputRevise  = \r\n"
                                 "      TWXQ_THRESHOLDINFO = {\r\n"
                                 "        ShadowL    = [1]\r\n"
                                 "        ShadowH    = [2]\r\n"
                                 "        HighlightH = [3]\r\n"
                                 "        HighlightL = [4]\r\n"
                                 "      }\r\n"
                                 "      OutputRevise = \r\n"
                                 "      TWXQ_THRESHOLDINFO = {\r\n"
                                 "        ShadowL    = [5]\r\n"
                                 "        ShadowH    = [6]\r\n"
                                 "        HighlightH = [7]\r\n"
                                 "        HighlightL = [65535]\r\n"
                                 "      }\r\n"
                                 "      BlurMax      = [9]\r\n"
                                 "    }\r\n"
                                 "  }\r\n"));
}

template <size_t N>
void Pascal(TWXQ_PSTR32& field, const char (&text)[N]) {
    static_assert(N - 1 <= sizeof(TWXQ_PSTR32), "field holds 34 bytes");
    memcpy(field, text, N - 1);
}

TEST(VendorStructure, HardwareInfoBlock) {
    TWXQ_HARDWAREINFO hw{};
    hw.ModelID = 5;
    Pascal(hw.ProductName, "\x04SCAN");
    Pascal(hw.ModelName, "\x03GT-X950"); // characters past the length are not part of it
    hw.OptXResolution = 1200;
    hw.OptYResolution = 2400;
    hw.MinResolution = 50;
    hw.MaxResolution = 0xFFFFFFFF;
    hw.MaxMoireResolution = 600;
    hw.MaxPixelofWidth = 10200;
    hw.PixelSizeofFB[0] = 10200;
    hw.PixelSizeofFB[1] = 14040;
    hw.PixelSizeofTPU[0] = 1;
    hw.PixelSizeofTPU[1] = 2;
    hw.BitDepth = 0x30;
    hw.InterfaceSupport = 0xFFFF;
    hw.CommandType = 2;
    hw.ConnectInterfaceType = 1;
    hw.StandAloneModeSupport = 0; // its own flag, whatever the connection
    hw.Reserved1 = 0xFFFF;
    hw.Reserved2 = 0xFFFFFFFF;
    hw.FullAutoModeSupport = 0x0100;
    hw.SimpleModeSupport = 1;
    hw.HTTETSupport = 0x8000;
    hw.TableArrangement = 1;
    hw.OptionSupport = 0x12;
    hw.FocusSupport = 2;
    hw.FocusArea[0] = 3;
    hw.FocusArea[1] = 4;
    strcpy(hw.ProfileNameFB, "sRGB");
    memset(hw.ProfileNameTPU, 'p', sizeof hw.ProfileNameTPU); // no NUL
    const TW_FIX32 identity[9] = {Fix(1), Fix(0), Fix(0), Fix(0), Fix(1),
                                  Fix(0), Fix(0), Fix(0), Fix(1)};
    memcpy(hw.ColorCorrectionFB, identity, sizeof identity);
    hw.ColorCorrectionPOSI[0] = Fix(-2, 0x8000);
    hw.ORXColorCorrectionNEGA[8] = Fix(0, 0x4000);
    strcpy(hw.ROMVersion, "1.00");
    const std::string zeros = "0.000,0.000,0.000,0.000,0.000,0.000,0.000,0.000,0.000";
    EXPECT_EQ(Dump(DAT_XQ_HARDWAREINFO, &hw),
              Section(&hw, "  TWXQ_HARDWAREINFO = {\r\n"
                           "    ModelID                = [0x05]\r\n"
                           "    ProductName            = [SCAN]\r\n"
                           "    ModelName              = [GT-]\r\n"
                           "    OptXResolution         = [1200]\r\n"
                           "    OptYResolution         = [2400]\r\n"
                           "    MinResolution          = [50]\r\n"
                           "    MaxResolution          = [4294967295]\r\n"
                           "    MaxMoireResolution     = [600]\r\n"
                           "    MaxPixelofWidth        = [10200]\r\n"
                           "    PixelSizeofFB[0]       = [10200]\r\n"
                           "    PixelSizeofFB[1]       = [14040]\r\n"
                           "    PixelSizeofADF[0]      = [0]\r\n"
                           "    PixelSizeofADF[1]      = [0]\r\n"
                           "    PixelSizeofTPU[0]      = [1]\r\n"
                           "    PixelSizeofTPU[1]      = [2]\r\n"
                           "    BitDepth               = [0x30]\r\n"
                           "    InterfaceSupport       = [65535]\r\n"
                           "    CommandType            = [2]\r\n"
                           "    ConnectInterfaceType   = [1]\r\n"
                           "    StandAloneModeSupport  = [false]\r\n"
                           "    FullAutoModeSupport    = [true]\r\n"
                           "    SimpleModeSupport      = [true]\r\n"
                           "    DocumentModeSupport    = [false]\r\n"
                           "    AdvancedModeSupport    = [false]\r\n"
                           "    ORXSupport             = [false]\r\n"
                           "    FIT3                   = [false]\r\n"
                           "    AutoLayoutSupportFB    = [false]\r\n"
                           "    AutoLayoutSupportADF   = [false]\r\n"
                           "    HalftoneSupport        = [false]\r\n"
                           "    HTModeSupport          = [false]\r\n"
                           "    HTDitherSupport        = [false]\r\n"
                           "    HTAASSupport           = [false]\r\n"
                           "    HTTETSupport           = [true]\r\n"
                           "    TableArrangement       = [1]\r\n"
                           "    OptionSupport          = [0x0012]\r\n"
                           "    FocusSupport           = [2]\r\n"
                           "    FocusArea[0]           = [3]\r\n"
                           "    FocusArea[1]           = [4]\r\n"
                           "    ProfileNameFB          = [sRGB]\r\n"
                           "    ProfileNameTPU         = [" +
                               std::string(34, 'p') +
                               "]\r\n"
                               "    ColorCorrectionFB      = [1.000,0.000,0.000,0.000,1.000,"
                               "0.000,0.000,0.000,1.000]\r\n"
                               "    ColorCorrectionPOSI    = [-1.500,0.000,0.000,0.000,0.000,"
                               "0.000,0.000,0.000,0.000]\r\n"
                               "    ColorCorrectionNEGA    = [" +
                               zeros +
                               "]\r\n"
                               "    ORXColorCorrectionFB   = [" +
                               zeros +
                               "]\r\n"
                               "    ORXColorCorrectionPOSI = [" +
                               zeros +
                               "]\r\n"
                               "    ORXColorCorrectionNEGA = [0.000,0.000,0.000,0.000,0.000,"
                               "0.000,0.000,0.000,0.250]\r\n"
                               "    ROMVersion             = [1.00]\r\n"
                               "  }\r\n"));
}

// The widest block: every name and text full, every number at its widest.
TWXQ_HARDWAREINFO WidestHardwareInfo() {
    TWXQ_HARDWAREINFO hw;
    memset(&hw, 0xFF, sizeof hw);
    memset(hw.ProductName, 'N', sizeof hw.ProductName);
    hw.ProductName[0] = 33;
    memset(hw.ModelName, 'M', sizeof hw.ModelName);
    hw.ModelName[0] = 33;
    memset(hw.ProfileNameFB, 'F', sizeof hw.ProfileNameFB);
    memset(hw.ProfileNameTPU, 'T', sizeof hw.ProfileNameTPU);
    memset(hw.ROMVersion, 'R', sizeof hw.ROMVersion);
    for (TWXQ_COLORCOEFF* matrix :
         {&hw.ColorCorrectionFB, &hw.ColorCorrectionPOSI, &hw.ColorCorrectionNEGA,
          &hw.ORXColorCorrectionFB, &hw.ORXColorCorrectionPOSI, &hw.ORXColorCorrectionNEGA}) {
        for (TW_FIX32& value : *matrix) {
            value = Fix(-32768, 0xFFFF);
        }
    }
    return hw;
}

TEST(VendorStructure, HardwareInfoIs49LinesWithEveryEqualsInColumn28) {
    TWXQ_HARDWAREINFO widest = WidestHardwareInfo();
    const std::string block = Block(DAT_XQ_HARDWAREINFO, &widest);
    const std::vector<std::string> lines = Lines(block);
    ASSERT_EQ(lines.size(), 49u);
    EXPECT_EQ(lines.front(), "  TWXQ_HARDWAREINFO = {");
    EXPECT_EQ(lines.back(), "  }");
    for (size_t i = 1; i + 1 < lines.size(); ++i) {
        EXPECT_EQ(lines[i].find('='), 27u) << lines[i];
        EXPECT_EQ(lines[i].compare(0, 4, "    "), 0) << lines[i];
    }
    EXPECT_EQ(lines[2], "    ProductName            = [" + std::string(33, 'N') + "]");
    EXPECT_EQ(lines[lines.size() - 2],
              "    ROMVersion             = [" + std::string(34, 'R') + "]");
    // With the result lines around it, the widest block stays well inside what the log
    // writes of a section.
    EXPECT_LT(block.size(), 3200u);
}

// Length-prefixed names: never more than the 33 characters the field holds.
TEST(VendorStructure, HardwareNamesStayInsideTheirField) {
    const struct {
        unsigned char length;
        const char* expected;
    } cases[] = {
        {0, ""},
        {1, "a"},
        {33, "abcdefghijklmnopqrstuvwxyz0123456"},
        {34, "abcdefghijklmnopqrstuvwxyz0123456"},
        {255, "abcdefghijklmnopqrstuvwxyz0123456"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.length));
        TWXQ_HARDWAREINFO hw{};
        memcpy(hw.ProductName + 1, "abcdefghijklmnopqrstuvwxyz0123456", 33);
        hw.ProductName[0] = c.length;
        memcpy(hw.ModelName, hw.ProductName, sizeof hw.ModelName);
        const std::vector<std::string> lines = Lines(Block(DAT_XQ_HARDWAREINFO, &hw));
        ASSERT_EQ(lines.size(), 49u);
        EXPECT_EQ(lines[2], std::string("    ProductName            = [") + c.expected + "]");
        EXPECT_EQ(lines[3], std::string("    ModelName              = [") + c.expected + "]");
    }
}

// The DATs whose rows render nothing, standard and vendor; DAT_PARENT shows the caller's
// identity on MSG_OPENDSM only.
TEST(VendorStructure, TypesWithoutStructurePrintNoBlock) {
    alignas(8) unsigned char data[512];
    memset(data, 0x5A, sizeof data);
    for (TW_UINT16 dat : {DAT_NULL, DAT_PARENT, DAT_TWUNKIDENTITY, DAT_IMAGEFILEXFER, DAT_XQ_EVENT,
                          DAT_XQ_REDCORRECTIONMATRIX, DAT_XQ_TWAINCALLBACKMSG}) {
        EXPECT_EQ(Dump(dat, data), Section(data, "")) << dat;
    }
}

} // namespace
