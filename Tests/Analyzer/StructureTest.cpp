// Structure blocks: the exact text of each dumper, CR LF included, for edge values, null
// pointers and text fields that fill their whole width. The blocks of a typical scan, names
// found and values in range, are in the golden scan-session log.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <tuple>

#include "AnalyzerFixture.h"

namespace {

// An Id as wide as the layout has it: 64 bits (macos) or 32 (linux).
const std::string kWideId = sizeof(TW_IDENTITY_ID) == 8 ? "4294967303" : "7";
const std::string kAllOnesId = sizeof(TW_IDENTITY_ID) == 8 ? "-1" : "4294967295";
// An unsigned field of 64 bits with every bit set; a TW_INFO::Item as wide as the layout has it.
const std::string kAllOnes64 = "18446744073709551615";
const std::string kAllOnesItem = sizeof(TW_INFO_ITEM) == 8 ? kAllOnes64 : "4294967295";

TW_FIX32 Fix(TW_INT16 whole, TW_UINT16 frac = 0) {
    return TW_FIX32{whole, frac};
}

std::string Dump(TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, void* data) {
    AnalyzerHarness h(4);
    return h.Result(dg, dat, msg, data, TWRC_SUCCESS);
}

TEST(Structure, IdentityTextsNeverReadPastTheirField) {
    TW_IDENTITY identity{};
    identity.Id = static_cast<TW_IDENTITY_ID>(0x100000007ull); // 7 where the Id has 32 bits
    identity.Version = {1, 10, 0xFFFF, TWCY_USA, {}};
    memset(identity.Version.Info, 'v', sizeof identity.Version.Info); // no NUL
    identity.ProtocolMajor = 2;
    identity.ProtocolMinor = 1;
    identity.SupportedGroups = 0xFFFFFFFF;
    memset(identity.Manufacturer, 'M', sizeof identity.Manufacturer);
    strcpy(identity.ProductFamily, "Flatbed");
    memset(identity.ProductName, 'P', sizeof identity.ProductName);
    const std::string block = Crlf(
        {"  TW_IDENTITY = {", "    Id              = [" + kWideId + "]",
         "    Version         =", "    TW_VERSION = {", "      MajorNum = [1]",
         "      MinorNum = [10]", "      Language = [ERROR!(65535)]", "      Country  = [TWCY_USA]",
         "      Info     = [" + std::string(34, 'v') + "]", "    }", "    ProtocolMajor   = [2]",
         "    ProtocolMinor   = [1]", "    SupportedGroups = [4294967295]",
         "    Manufacturer    = [" + std::string(34, 'M') + "]", "    ProductFamily   = [Flatbed]",
         "    ProductName     = [" + std::string(34, 'P') + "]", "  }"});
    EXPECT_EQ(Dump(DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &identity), Section(&identity, block));
}

// A pointer above 4 GiB: only its low 32 bits are printed. Never dereferenced.
void* const kFarPointer = reinterpret_cast<void*>(0x0000123487654321ull);

TEST(Structure, ImageInfoEdgeValues) {
    TW_IMAGEINFO info{Fix(-1, 0x8000),
                      Fix(150, 0x8000),
                      2550,
                      -1,
                      3,
                      {1, -1, 2, 3, 4, 5, 6, -32768},
                      24,
                      0x0100,
                      -1,
                      0xFFFF};
    EXPECT_EQ(
        Dump(DG_IMAGE, DAT_IMAGEINFO, MSG_GET, &info),
        Section(&info, Crlf({"  TW_IMAGEINFO = {", "    XResolution      = [-0.500]",
                             "    YResolution      = [150.500]", "    ImageWidth       = [2550]",
                             "    ImageLength      = [-1]", "    SamplesPerPixel  = [3]",
                             "    BitsPerSamples[] = {1,-1,2,3,4,5,6,-32768}",
                             "    BitsPerPixel     = [24]", "    Planar           = [true]",
                             "    PixelType        = [ERROR!(-1)]",
                             "    Compression      = [ERROR!(65535)]", "  }"})));
}

// The memory block of a TW_MEMORY, after whatever opened its line.
std::string MemoryBlock(const char* flags, const char* length, const char* theMem) {
    return std::string("    TW_MEMORY = {\r\n      Flags  = [0x") + flags +
           "]\r\n      Length = [" + length + "]\r\n      TheMem = <0x" + theMem + ">\r\n    }\r\n";
}

TEST(Structure, ImageMemXferClosesInColumnZero) {
    TW_IMAGEMEMXFER xfer{TWCP_PACKBITS, 51, 51, 16, 0, 32, 816, {0x0009, 1024, kFarPointer}};
    EXPECT_EQ(Dump(DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET, &xfer),
              Section(&xfer, Crlf({"  TW_IMAGEMEMXFER = {", "    Compression  = [TWCP_PACKBITS]",
                                   "    BytesPerRow  = [51]", "    Columns      = [51]",
                                   "    Rows         = [16]", "    XOffset      = [0]",
                                   "    YOffset      = [32]", "    BytesWritten = [816]",
                                   "    Memory       ="}) +
                                 MemoryBlock("9", "1024", "87654321") + "}\r\n"));
}

TEST(Structure, SetupFileXferNameNeverReadsPastItsField) {
    TW_SETUPFILEXFER named{};
    strcpy(named.FileName, "/tmp/scan.bmp");
    named.Format = TWFF_BMP;
    named.VRefNum = -1;
    TW_SETUPFILEXFER full{};
    memset(full.FileName, 'f', sizeof full.FileName); // no NUL
    full.Format = 0xFFFF;
    full.VRefNum = 7;
    const std::pair<TW_SETUPFILEXFER*, std::string> cases[] = {
        {&named, "    FileName = [/tmp/scan.bmp]\r\n"
                 "    Format   = [TWFF_BMP]\r\n"
                 "    VRefNum  = [-1]\r\n"},
        {&full, "    FileName = [" + std::string(256, 'f') +
                    "]\r\n"
                    "    Format   = [ERROR!(65535)]\r\n"
                    "    VRefNum  = [7]\r\n"},
    };
    for (const auto& [data, lines] : cases) {
        EXPECT_EQ(Dump(DG_CONTROL, DAT_SETUPFILEXFER, MSG_GET, data),
                  Section(data, "  TW_SETUPFILEXFER = {\r\n" + lines + "  }\r\n"));
    }
}

TEST(Structure, EventMessages) {
    const std::pair<TW_UINT16, const char*> cases[] = {
        {MSG_NULL, nullptr}, // no block at all
        {MSG_CLOSEDSREQ, "MSG_CLOSEDSREQ"},
        {0x8000, "MSG_CUSTOMBASE"},
        {0x8001, "MSG_XQ_TIMERRESET"},
        {0x8002, "MSG_XQ_XFERREQUEST"},
        {0x8003, "ERROR!(32771)"},
        {0x0777, "ERROR!(1911)"},
    };
    for (const auto& [message, name] : cases) {
        TW_EVENT event{kFarPointer, message};
        const std::string block =
            name == nullptr ? ""
                            : std::string("  TW_EVENT = {\r\n    pEvent    = <0x87654321>\r\n"
                                          "    TWMessage = [") +
                                  name + "]\r\n  }\r\n";
        EXPECT_EQ(Dump(DG_CONTROL, DAT_EVENT, MSG_GET, &event), Section(&event, block)) << name;
    }
}

// Short blocks at their edge values. The TW_UINT32 item is the 32-bit value the data
// reference points to; for the native transfer the low 32 bits of the handle the driver
// stored there.
TEST(Structure, ShortBlocks) {
    TW_STATUS status{0xFFFF, 0};
    TW_PENDINGXFERS unknown{0xFFFF, 0xFFFFFFFF};
    TW_SETUPMEMXFER setup{51, 3366, 0xFFFFFFFF};
    TW_USERINTERFACE ui{1, 0x0100, static_cast<TW_HANDLE>(kFarPointer)};
    TW_CUSTOMDSDATA custom{0xFFFFFFFF, static_cast<TW_HANDLE>(kFarPointer)};
    TW_PALETTE8 palette{};
    palette.NumColors = 256;
    TW_UINT32 groups = DG_CONTROL | DG_IMAGE;
    TW_HANDLE image = static_cast<TW_HANDLE>(kFarPointer);
    const std::tuple<TW_UINT32, TW_UINT16, void*, std::string> cases[] = {
        {DG_CONTROL, DAT_STATUS, &status,
         "  TW_STATUS = {\r\n    ConditionCode = [ERROR!(65535)]\r\n  }\r\n"},
        {DG_CONTROL, DAT_PENDINGXFERS, &unknown,
         "  TW_PENDINGXFERS = {\r\n    Count = [-1]\r\n    EOJ   = [4294967295]\r\n  }\r\n"},
        {DG_CONTROL, DAT_SETUPMEMXFER, &setup,
         Crlf({"  TW_SETUPMEMXFER = {", "    MinBufSize = [51]", "    MaxBufSize = [3366]",
               "    Preferred  = [4294967295]", "  }"})},
        {DG_CONTROL, DAT_USERINTERFACE, &ui,
         Crlf({"  TW_USERINTERFACE = {", "    ShowUI  = [true]", "    ModalUI = [true]",
               "    hParent = <0x87654321>", "  }"})},
        {DG_CONTROL, DAT_CUSTOMDSDATA, &custom,
         Crlf({"  TW_CUSTOMDSDATA = {", "    InfoLength = [-1]", "    hData      = <0x87654321>",
               "  }"})},
        {DG_IMAGE, DAT_PALETTE8, &palette, "  TW_PALETTE8 = { it does not display. }\r\n"},
        {DG_CONTROL, DAT_XFERGROUP, &groups,
         "  TW_UINT32 = {\r\n    Item = <0x00000003>\r\n  }\r\n"},
        {DG_IMAGE, DAT_IMAGENATIVEXFER, &image,
         "  TW_UINT32 = {\r\n    Item = <0x87654321>\r\n  }\r\n"},
    };
    for (const auto& [dg, dat, data, block] : cases) {
        EXPECT_EQ(Dump(dg, dat, MSG_GET, data), Section(data, block)) << dat;
    }
}

TEST(Structure, Uint32ItemOfAnyOtherType) {
    // Any other data argument type prints the item as an unsigned decimal.
    AnalyzerHarness h(4);
    h.Result(DG_CONTROL, DAT_FILESYSTEM, MSG_GET, nullptr, TWRC_FAILURE);
    const size_t before = strlen(h.text);
    TW_UINT32 big = 0xFFFFFFFE;
    h.analyzer.TwUint32(&big);
    h.analyzer.TwUint32(nullptr);
    EXPECT_STREQ(h.text + before, "  TW_UINT32 = {\r\n    Item = [4294967294]\r\n  }\r\n");
}

TEST(Structure, ExtImageInfoShowsTheFirstInfoOnly) {
    struct {
        TW_UINT32 NumInfos;
        TW_INFO Info[3];
    } ext{3,
          {{0x1100, TWTY_STR255, 1, TWRC_INFONOTSUPPORTED, ~TW_INFO_ITEM{0}},
           {0x1101, TWTY_UINT16, 2, TWRC_SUCCESS, 5},
           {0x1102, TWTY_UINT16, 2, TWRC_SUCCESS, 6}}};
    static_assert(offsetof(decltype(ext), Info) == offsetof(TW_EXTIMAGEINFO, Info), "layout");
    EXPECT_EQ(Dump(DG_IMAGE, DAT_EXTIMAGEINFO, MSG_GET, &ext),
              Section(&ext, Crlf({"  TW_EXTIMAGEINFO = {", "    NumInfos = [3]",
                                  "    Info     =", "    TW_INFO = {", "      InfoID   = [4352]",
                                  "      ItemType = [TWTY_STR255]", "      NumItems = [1]",
                                  "      CondCode = [TWRC_INFONOTSUPPORTED]",
                                  "      Item     = [" + kAllOnesItem + "]", "    }", "  }"})));
}

#if TWAINMON_TWAIN2
// TWAIN 2's structures: function pointers and handles as pointers, references at their width.
TEST(Structure, Twain2Structures) {
    const auto at = [](uintptr_t address) { return reinterpret_cast<void*>(address); };
    const TW_ENTRYPOINT entryPoint{sizeof(TW_ENTRYPOINT),
                                   reinterpret_cast<DSMENTRYPROC>(at(0x1234567890)),
                                   reinterpret_cast<DSM_MEMALLOCATE>(at(0x11)),
                                   reinterpret_cast<DSM_MEMFREE>(at(0x22)),
                                   reinterpret_cast<DSM_MEMLOCK>(at(0x33)),
                                   nullptr};
    TW_CALLBACK callback{at(0x44), {}, MSG_XFERREADY};
    memset(&callback.RefCon, 0xFF, sizeof callback.RefCon);
    const TW_CALLBACK2 callback2{at(0x55), ~uint64_t{0}, 0x7777};
    const TW_STATUSUTF8 status{{TWCC_BUMMER, 0}, 12, reinterpret_cast<TW_HANDLE>(at(0x66))};
    const TW_METRICS metrics{sizeof(TW_METRICS), 3, 2};
    const std::string allOnesRefCon = sizeof callback.RefCon == 8 ? kAllOnes64 : "4294967295";
    const std::tuple<TW_UINT16, const void*, std::string> cases[] = {
        {DAT_ENTRYPOINT, &entryPoint,
         Crlf({"  TW_ENTRYPOINT = {",
               "    Size            = [" + std::to_string(sizeof entryPoint) + "]",
               "    DSM_Entry       = <0x34567890>", "    DSM_MemAllocate = <0x00000011>",
               "    DSM_MemFree     = <0x00000022>", "    DSM_MemLock     = <0x00000033>",
               "    DSM_MemUnlock   = <0x00000000>", "  }"})},
        {DAT_CALLBACK, &callback,
         Crlf({"  TW_CALLBACK = {", "    CallBackProc = <0x00000044>",
               "    RefCon       = [" + allOnesRefCon + "]", "    Message      = [MSG_XFERREADY]",
               "  }"})},
        {DAT_CALLBACK2, &callback2,
         Crlf({"  TW_CALLBACK2 = {", "    CallBackProc = <0x00000055>",
               "    RefCon       = [" + kAllOnes64 + "]", "    Message      = [ERROR!(30583)]",
               "  }"})},
        {DAT_STATUSUTF8, &status,
         Crlf({"  TW_STATUSUTF8 = {", "    Status.ConditionCode = [TWCC_BUMMER]",
               "    Size                 = [12]", "    UTF8string           = <0x00000066>",
               "  }"})},
        {DAT_METRICS, &metrics,
         Crlf({"  TW_METRICS = {", "    SizeOf     = [12]", "    ImageCount = [3]",
               "    SheetCount = [2]", "  }"})},
    };
    for (const auto& [dat, data, block] : cases) {
        EXPECT_EQ(Dump(DG_CONTROL, dat, MSG_GET, const_cast<void*>(data)), Section(data, block))
            << dat;
    }
}
#endif

// The application's identity as the manager's open shows it: the caller's, not pData.
TEST(Structure, ParentShowsTheCallersIdentity) {
    TW_IDENTITY origin{};
    origin.Id = ~TW_IDENTITY_ID{0};
    origin.Version = {2, 3, TWLG_USA, 0xFFFF, "app"};
    origin.ProtocolMajor = 0xFFFF;
    origin.SupportedGroups = DG_CONTROL | DG_IMAGE;
    strcpy(origin.ProductName, "Scanner App");
    TW_IDENTITY other{};
    const std::string identity = Crlf(
        {"  pOrigin:TW_IDENTITY = {", "    Id              = [" + kAllOnesId + "]",
         "    Version         =", "    TW_VERSION = {", "      MajorNum = [2]",
         "      MinorNum = [3]", "      Language = [TWLG_USA]", "      Country  = [ERROR!(65535)]",
         "      Info     = [app]", "    }", "    ProtocolMajor   = [65535]",
         "    ProtocolMinor   = [0]", "    SupportedGroups = [3]", "    Manufacturer    = []",
         "    ProductFamily   = []", "    ProductName     = [Scanner App]", "  }"});
    const std::pair<TW_UINT16, std::string> cases[] = {
        {MSG_OPENDSM, identity},
        {MSG_CLOSEDSM, ""},
    };
    for (const auto& [message, block] : cases) {
        AnalyzerHarness h(3);
        h.text[0] = '\0';
        h.analyzer.ParaAnalyze(&origin, nullptr, DG_CONTROL, DAT_PARENT, message,
                               reinterpret_cast<char*>(&other), TWRC_SUCCESS, h.text);
        EXPECT_EQ(std::string(h.text), Section(&other, block, message == MSG_OPENDSM ? 3 : 2));
    }
}

// A null pData prints no block, whatever the DAT (standard or vendor) and message.
TEST(Structure, NullStructureOfEveryDatPrintsNoBlock) {
    for (const MacroTable table : {MacroRows(dat_macros), MacroRows(dat_xq_macros)}) {
        for (size_t i = 0; i < table.count; ++i) {
            const auto dat = static_cast<TW_UINT16>(table.rows[i].value);
            for (TW_UINT16 message : {MSG_GET, MSG_OPENDSM}) {
                EXPECT_EQ(Dump(DG_CONTROL, dat, message, nullptr), Section(nullptr, "")) << dat;
            }
        }
    }
}

// ---------------------------------------------------------------------------------------
// Colour and compression

// The CIE block is 121 lines (a typical one is in the golden scan-session log); with the
// widest value in every field it still fits the 5120 bytes the log writes of one section.
TEST(Structure, WidestCieColorIs121LinesAndFitsOneLogSection) {
    TW_CIECOLOR cie{};
    cie.ColorSpace = 0xFFFF;
    cie.LowEndian = -32768;
    cie.DeviceDependent = -32768;
    cie.VersionNumber = -1;
    auto* fix = reinterpret_cast<TW_FIX32*>(reinterpret_cast<char*>(&cie) +
                                            offsetof(TW_CIECOLOR, StageABC));
    const size_t count = (sizeof cie - offsetof(TW_CIECOLOR, StageABC)) / sizeof(TW_FIX32);
    for (size_t i = 0; i < count; ++i) {
        fix[i] = Fix(-32768);
    }
    const std::string section = Dump(DG_IMAGE, DAT_CIECOLOR, MSG_GET, &cie);
    const std::string empty = Section(&cie, "");
    EXPECT_EQ(section.size() - empty.size(), 3409u);
    EXPECT_EQ(std::count(section.begin(), section.end(), '\n') -
                  std::count(empty.begin(), empty.end(), '\n'),
              121);
    EXPECT_NE(section.find("    ColorSpace      = [ERROR!(65535)]\r\n"), std::string::npos);
    EXPECT_LE(section.size(), LOG_SECTION_LIMIT);
    EXPECT_NE(section.find("    Samples[]       = [-32768.000]\r\n  }\r\n"), std::string::npos);
}

// Only the first element of a response table is shown: the dumper is given no count.
TEST(Structure, ResponsesShowTheirFirstElement) {
    struct {
        TW_ELEMENT8 Response[256];
    } table{};
    for (int i = 0; i < 256; ++i) {
        table.Response[i] = {static_cast<TW_UINT8>(i), 200, 255, static_cast<TW_UINT8>(255 - i)};
    }
    const std::pair<TW_UINT16, const char*> cases[] = {
        {DAT_GRAYRESPONSE, "  TW_GRAYRESPONSE = {\r\n"},
        {DAT_RGBRESPONSE, "  TW_RGBRESPONSE = {\r\n"},
    };
    for (const auto& [dat, heading] : cases) {
        EXPECT_EQ(Dump(DG_IMAGE, dat, MSG_SET, &table),
                  Section(&table, std::string(heading) + "    Response[0] =\r\n"
                                                         "    TW_ELEMENT8 = {\r\n"
                                                         "      Index    = [0]\r\n"
                                                         "      Channel1 = [200]\r\n"
                                                         "      Channel2 = [255]\r\n"
                                                         "      Channel3 = [255]\r\n"
                                                         "    }\r\n"
                                                         "  }\r\n"));
    }
}

TEST(Structure, JpegCompressionJoinsEachTableToItsOpener) {
    TW_JPEGCOMPRESSION jpeg{};
    jpeg.ColorSpace = TWPT_YUV;
    jpeg.SubSampling = 0xFFFFFFFF;
    jpeg.NumComponents = 1; // the tables are shown whatever it says
    jpeg.RestartFrequency = 0xFFFF;
    const TW_UINT16 quantMap[] = {0, 1, 1, 0};
    const TW_UINT16 huffmanMap[] = {0, 65535, 2, 3};
    memcpy(jpeg.QuantMap, quantMap, sizeof quantMap);
    memcpy(jpeg.HuffmanMap, huffmanMap, sizeof huffmanMap);
    for (TW_UINT32 i = 0; i < 4; ++i) {
        jpeg.QuantTable[i] = {0x10 + i, 64 + i, nullptr};
    }
    jpeg.QuantTable[3].TheMem = kFarPointer;
    jpeg.HuffmanDC[0] = {0x4, 28, nullptr};
    jpeg.HuffmanDC[1] = {0x4, 29, nullptr};
    jpeg.HuffmanAC[0] = {0xA, 178, nullptr};
    jpeg.HuffmanAC[1] = {0xA, 0xFFFFFFFF, kFarPointer};
    EXPECT_EQ(Dump(DG_IMAGE, DAT_JPEGCOMPRESSION, MSG_GET, &jpeg),
              Section(&jpeg, "  TW_JPEGCOMPRESSION = {\r\n"
                             "    ColorSpace       = [TWPT_YUV]\r\n"
                             "    SubSampling      = [4294967295]\r\n"
                             "    NumComponents    = [1]\r\n"
                             "    RestartFrequency = [65535]\r\n"
                             "    QuantMap[]       = {0,1,1,0}\r\n"
                             "    QuantTable[0]   = {" +
                                 MemoryBlock("10", "64", "00000000") + "    QuantTable[1]   = {" +
                                 MemoryBlock("11", "65", "00000000") + "    QuantTable[2]   = {" +
                                 MemoryBlock("12", "66", "00000000") + "    QuantTable[3]   = {" +
                                 MemoryBlock("13", "67", "87654321") +
                                 "    HuffmanMap[]     = {0,65535,2,3}\r\n"
                                 "    HuffmanDC[0]    = {" +
                                 MemoryBlock("4", "28", "00000000") + "    HuffmanDC[1]    = {" +
                                 MemoryBlock("4", "29", "00000000") + "    HuffmanAC[0]    = {" +
                                 MemoryBlock("a", "178", "00000000") + "    HuffmanAC[1]    = {" +
                                 MemoryBlock("a", "4294967295", "87654321") + "  }\r\n"));
}

} // namespace
