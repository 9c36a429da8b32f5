// Vendor structure blocks: the exact text of each vendor dumper, CR LF included, with its edge
// values, names that do not fit, texts without NUL, nesting and null pointers. The sample
// driver's typical blocks are in the golden scan-session log.
#include <gtest/gtest.h>

#include <cstring>
#include <tuple>
#include <vector>

#include "AnalyzerFixture.h"

namespace {

TW_FIX32 Fix(TW_INT16 whole, TW_UINT16 frac = 0) {
    return TW_FIX32{whole, frac};
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

TEST(VendorStructure, FlatBlocksEdgeValues) {
    TWXQ_AUTOEXPOSURE exposure{0xFFFFFFFF, -1, 20, 300, -300, 7, 2, Fix(-1, 0x8000), 0xFFFF};
    TWXQ_RGBMATRIX mixed{{Fix(-2, 0x8000), Fix(0, 0xFFFF), Fix(-32768), Fix(32767, 0xFFFF),
                          Fix(0, 1), Fix(2, 0x4000), Fix(-1), Fix(0, 0x8000), Fix(12, 0x2000)}};
    TWXQ_COLORSMOOTHING smoothing{0x0000ABCD, 1, 2, 3, 4, 5, 6, 7, 0x80000000, 0xFFFFFFFF};
    TWXQ_LOCATIONDATA location{-1, 10, 20, 850, 1100, 0xFFFFFFFF, 0, -1, 3, Fix(-3, 0xC000)};
    TWXQ_SETTINGFRAME frames{3, 0xFFFF};
    const std::tuple<TW_UINT16, void*, std::string> cases[] = {
        {DAT_XQ_AUTOEXPOSURE, &exposure,
         Crlf({"  TWXQ_AUTOEXPOSURE = {", "    Handle       = <0xffffffff>",
               "    Left         = [-1]", "    Top          = [20]", "    Right        = [300]",
               "    Bottom       = [-300]", "    FilmType     = [ERROR!(7)]",
               "    PreScanGamma = [ERROR!(2)]", "    ScreenGamma  = [-0.500]",
               "    GrayBalance  = [65535]", "  }"})},
        // One line of nine values.
        {DAT_XQ_RGBMATRIX, &mixed,
         "  TWXQ_RGBMATRIX = {\r\n"
         "    ColorCoeff = {-1.500,1.000,-32768.000,32768.000,0.000,2.250,-1.000,0.500,12.125}\r\n"
         "  }\r\n"},
        // The values are unsigned.
        {DAT_XQ_COLORSMOOTHING, &smoothing,
         Crlf({"  TWXQ_COLORSMOOTHING = {", "    Handle       = <0x0000abcd>",
               "    LeftX        = [1]", "    LeftY        = [2]", "    TopX         = [3]",
               "    TopY         = [4]", "    RightX       = [5]", "    RightY       = [6]",
               "    BottomX      = [7]", "    BottomY      = [2147483648]",
               "    Reserved     = [4294967295]", "  }"})},
        // The tangents print unsigned.
        {DAT_XQ_SKEWINFO, &location,
         Crlf({"  TWXQ_LOCATIONDATA = {", "    BitsPerPixel = [-1]", "    topPoint     = [10]",
               "    leftPoint    = [20]", "    locateW      = [850]", "    locateH      = [1100]",
               "    ActualImgW   = [4294967295]", "    ActualImgH   = [0]",
               "    xTangent     = [4294967295]", "    yTangent     = [3]",
               "    Theta        = [-2.250]", "  }"})},
        {DAT_XQ_SETTINGFRAME, &frames,
         Crlf({"  TWXQ_SETTINGFRAME = {", "    NumFrame    = [3]", "    CurrentNum  = [65535]",
               "  }"})},
    };
    for (const auto& [dat, data, block] : cases) {
        EXPECT_EQ(Dump(dat, data), Section(data, block)) << dat;
    }
}

const std::string kUnsharpMask =
    Crlf({"    TWXQ_USMPARAM = {", "      Amount    = [110]", "      Radius    = [-1]",
          "      Threshold = [-32768]", "    }"});

TEST(VendorStructure, UnsharpMaskStandsAloneAndNestedAlike) {
    TWXQ_USMPARAM mask{110, -1, -32768};
    EXPECT_EQ(Dump(DAT_XQ_UNSHARPMASKPARAM, &mask), Section(&mask, kUnsharpMask));

    TWXQ_USMINFO info{};
    info.InputResolution = 1200;
    info.InUSMLevel = 2;
    info.InFilmType = 7; // a number, not a name
    info.USMParm = mask;
    info.ReviseParm = {{1, 2, 3, 4}, {5, 6, 7, 0xFFFF}, 9};
    EXPECT_EQ(
        Dump(DAT_XQ_USMINFO, &info),
        Section(&info, Crlf({"  TWXQ_USMINFO = {", "    InputResolution = [1200]",
                             "    InUSMLevel      = [2]", "    InFilmType      = [7]",
                             "    USMParm         = "}) +
                           kUnsharpMask +
                           Crlf({"    ReviseParm      = ", "    TWXQ_REVISEBASEPARM = {",
                                 "      InputRevise  = ", "      TWXQ_THRESHOLDINFO = {",
                                 "        ShadowL    = [1]", "        ShadowH    = [2]",
                                 "        HighlightH = [3]", "        HighlightL = [4]", "      }",
                                 "      OutputRevise = ", "      TWXQ_THRESHOLDINFO = {",
                                 "        ShadowL    = [5]", "        ShadowH    = [6]",
                                 "        HighlightH = [7]", "        HighlightL = [65535]",
                                 "      }", "      BlurMax      = [9]", "    }", "  }"})));
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
    const std::string block = Crlf({"  TWXQ_HARDWAREINFO = {",
                                    "    ModelID                = [0x05]",
                                    "    ProductName            = [SCAN]",
                                    "    ModelName              = [GT-]",
                                    "    OptXResolution         = [1200]",
                                    "    OptYResolution         = [2400]",
                                    "    MinResolution          = [50]",
                                    "    MaxResolution          = [4294967295]",
                                    "    MaxMoireResolution     = [600]",
                                    "    MaxPixelofWidth        = [10200]",
                                    "    PixelSizeofFB[0]       = [10200]",
                                    "    PixelSizeofFB[1]       = [14040]",
                                    "    PixelSizeofADF[0]      = [0]",
                                    "    PixelSizeofADF[1]      = [0]",
                                    "    PixelSizeofTPU[0]      = [1]",
                                    "    PixelSizeofTPU[1]      = [2]",
                                    "    BitDepth               = [0x30]",
                                    "    InterfaceSupport       = [65535]",
                                    "    CommandType            = [2]",
                                    "    ConnectInterfaceType   = [1]",
                                    "    StandAloneModeSupport  = [false]",
                                    "    FullAutoModeSupport    = [true]",
                                    "    SimpleModeSupport      = [true]",
                                    "    DocumentModeSupport    = [false]",
                                    "    AdvancedModeSupport    = [false]",
                                    "    ORXSupport             = [false]",
                                    "    FIT3                   = [false]",
                                    "    AutoLayoutSupportFB    = [false]",
                                    "    AutoLayoutSupportADF   = [false]",
                                    "    HalftoneSupport        = [false]",
                                    "    HTModeSupport          = [false]",
                                    "    HTDitherSupport        = [false]",
                                    "    HTAASSupport           = [false]",
                                    "    HTTETSupport           = [true]",
                                    "    TableArrangement       = [1]",
                                    "    OptionSupport          = [0x0012]",
                                    "    FocusSupport           = [2]",
                                    "    FocusArea[0]           = [3]",
                                    "    FocusArea[1]           = [4]",
                                    "    ProfileNameFB          = [sRGB]"}) +
                              Crlf({"    ProfileNameTPU         = [" + std::string(34, 'p') + "]",
                                    "    ColorCorrectionFB      = "
                                    "[1.000,0.000,0.000,0.000,1.000,0.000,0.000,0.000,1.000]",
                                    "    ColorCorrectionPOSI    = "
                                    "[-1.500,0.000,0.000,0.000,0.000,0.000,0.000,0.000,0.000]",
                                    "    ColorCorrectionNEGA    = [" + zeros + "]",
                                    "    ORXColorCorrectionFB   = [" + zeros + "]",
                                    "    ORXColorCorrectionPOSI = [" + zeros + "]",
                                    "    ORXColorCorrectionNEGA = "
                                    "[0.000,0.000,0.000,0.000,0.000,0.000,0.000,0.000,0.250]",
                                    "    ROMVersion             = [1.00]", "  }"});
    EXPECT_EQ(Dump(DAT_XQ_HARDWAREINFO, &hw), Section(&hw, block));
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

} // namespace
