// Structure blocks: the exact text of each dumper, CR LF included, for typical values, edge
// values, null pointers and text fields that fill their whole width.
#include <gtest/gtest.h>

#include <cstring>

#include "AnalyzerFixture.h"

namespace {

TW_FIX32 Fix(TW_INT16 whole, TW_UINT16 frac = 0) {
    return TW_FIX32{whole, frac};
}

// The result section of a successful call in state 4, with the block between the pData line
// and the state line.
std::string Section(void* data, const std::string& block) {
    char pointer[32];
    snprintf(pointer, sizeof pointer, "%08x",
             static_cast<unsigned int>(reinterpret_cast<uintptr_t>(data)));
    return std::string("        Return Code = [TWRC_SUCCESS]\r\npData   = <0x") + pointer +
           ">\r\n" + block + "\r\nTWAIN Status = [4]\r\n";
}

std::string Dump(TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, void* data) {
    AnalyzerHarness h(4);
    return h.Result(dg, dat, msg, data, TWRC_SUCCESS);
}

TEST(Structure, ImageLayoutIsTwelveLines) {
    TW_IMAGELAYOUT layout{};
    layout.Frame = {Fix(0), Fix(0), Fix(8, 0x8000), Fix(11)};
    layout.DocumentNumber = 1;
    layout.PageNumber = 0xFFFFFFFF;
    layout.FrameNumber = 3;
    EXPECT_EQ(Dump(DG_IMAGE, DAT_IMAGELAYOUT, MSG_GET, &layout),
              Section(&layout, "  TW_IMAGELAYOUT = {\r\n"
                               "    Frame          =\r\n"
                               "    TW_FRAME = {\r\n"
                               "      Left   = [0.000]\r\n"
                               "      Top    = [0.000]\r\n"
                               "      Right  = [8.500]\r\n"
                               "      Bottom = [11.000]\r\n"
                               "    }\r\n"
                               "    DocumentNumber = [1]\r\n"
                               "    PageNumber     = [4294967295]\r\n"
                               "    FrameNumber    = [3]\r\n"
                               "  }\r\n"));
}

TEST(Structure, StatusConditionCodes) {
    const std::pair<TW_UINT16, const char*> cases[] = {
        {TWCC_SUCCESS, "TWCC_SUCCESS"},
        {TWCC_SEQERROR, "TWCC_SEQERROR"},
        {0xFFFF, "ERROR!(65535)"},
    };
    for (const auto& [code, name] : cases) {
        TW_STATUS status{code, 0};
        EXPECT_EQ(Dump(DG_CONTROL, DAT_STATUS, MSG_GET, &status),
                  Section(&status, std::string("  TW_STATUS = {\r\n    ConditionCode = [") + name +
                                       "]\r\n  }\r\n"));
    }
}

TEST(Structure, NullStructurePrintsNoBlock) {
    const TW_UINT16 dats[] = {DAT_IDENTITY, DAT_STATUS, DAT_IMAGELAYOUT};
    for (TW_UINT16 dat : dats) {
        EXPECT_EQ(Dump(DG_CONTROL, dat, MSG_GET, nullptr), Section(nullptr, "")) << dat;
    }
}

TEST(Structure, IdentityTextsNeverReadPastTheirField) {
    TW_IDENTITY identity{};
    identity.Id = 0x100000007ull;
    identity.Version = {1, 10, 0xFFFF, TWCY_USA, {}};
    memset(identity.Version.Info, 'v', sizeof identity.Version.Info); // no NUL
    identity.ProtocolMajor = 2;
    identity.ProtocolMinor = 1;
    identity.SupportedGroups = 0xFFFFFFFF;
    memset(identity.Manufacturer, 'M', sizeof identity.Manufacturer);
    strcpy(identity.ProductFamily, "Flatbed");
    memset(identity.ProductName, 'P', sizeof identity.ProductName);
    const std::string full34v(34, 'v'), full34M(34, 'M'), full34P(34, 'P');
    EXPECT_EQ(Dump(DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &identity),
              Section(&identity, "  TW_IDENTITY = {\r\n"
                                 "    Id              = [4294967303]\r\n"
                                 "    Version         =\r\n"
                                 "    TW_VERSION = {\r\n"
                                 "      MajorNum = [1]\r\n"
                                 "      MinorNum = [10]\r\n"
                                 "      Language = [ERROR!(65535)]\r\n"
                                 "      Country  = [TWCY_USA]\r\n"
                                 "      Info     = [" +
                                     full34v +
                                     "]\r\n"
                                     "    }\r\n"
                                     "    ProtocolMajor   = [2]\r\n"
                                     "    ProtocolMinor   = [1]\r\n"
                                     "    SupportedGroups = [4294967295]\r\n"
                                     "    Manufacturer    = [" +
                                     full34M +
                                     "]\r\n"
                                     "    ProductFamily   = [Flatbed]\r\n"
                                     "    ProductName     = [" +
                                     full34P + "]\r\n  }\r\n"));
}

} // namespace
