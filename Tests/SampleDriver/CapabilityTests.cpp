// Capability negotiation and the image layout.
#include <string>

#include "ScannerHarness.h"
#include "TwainXq.h"

namespace {

constexpr TW_UINT32 kAllSupport =
    TWQC_GET | TWQC_GETDEFAULT | TWQC_GETCURRENT | TWQC_SET | TWQC_RESET;

// Each answer of a freshly opened scanner (set to memory transfers), with its exact size. The
// values of the answers the demo session asks for are in the golden scan-session log; the rows
// here are the other messages and one container of each kind, whose size the log cannot show.
TEST(SampleDriverCapabilities, AnswerWithContainersOfTheirRealSize) {
    const struct {
        TW_UINT16 cap;
        TW_UINT16 msg;
        Container expected;
    } cases[] = {
        {CAP_SUPPORTEDCAPS,
         MSG_GET,
         {TWON_ARRAY,
          TWTY_UINT16,
          8 + 16 * 2,
          {CAP_SUPPORTEDCAPS, CAP_XFERCOUNT, ICAP_PIXELTYPE, ICAP_XFERMECH, ICAP_UNITS,
           ICAP_XRESOLUTION, ICAP_YRESOLUTION, ICAP_BRIGHTNESS, ICAP_BITDEPTH, ICAP_COMPRESSION,
           ICAP_PHYSICALWIDTH, ICAP_PHYSICALHEIGHT, CAP_XQ_VERSION, ICAP_XQ_FILMTYPE, CAP_XQ_UIMODE,
           CAP_SERIALNUMBER},
          0,
          0}},
        {CAP_XFERCOUNT, MSG_GET, {TWON_ONEVALUE, TWTY_INT16, 8, {0xffff}, 0, 0}},
        {ICAP_PIXELTYPE, MSG_GETCURRENT, {TWON_ONEVALUE, TWTY_UINT16, 8, {TWPT_RGB}, 0, 0}},
        {ICAP_PIXELTYPE, MSG_GETDEFAULT, {TWON_ONEVALUE, TWTY_UINT16, 8, {TWPT_BW}, 0, 0}},
        {ICAP_PIXELTYPE, MSG_QUERYSUPPORT, {TWON_ONEVALUE, TWTY_INT32, 8, {kAllSupport}, 0, 0}},
        {ICAP_XFERMECH,
         MSG_GET,
         {TWON_ENUMERATION, TWTY_UINT16, 16 + 2 * 2, {TWSX_NATIVE, TWSX_MEMORY}, 1, 0}},
        {ICAP_BRIGHTNESS,
         MSG_GET,
         {TWON_RANGE, TWTY_FIX32, 24, {Fix(-1000), Fix(1000), Fix(1), Fix(0), Fix(0)}, 0, 0}},
        {ICAP_BITDEPTH, MSG_GET, {TWON_ONEVALUE, TWTY_UINT16, 8, {24}, 0, 0}},
        {ICAP_PHYSICALHEIGHT, MSG_GET, {TWON_ONEVALUE, TWTY_FIX32, 8, {Fix(11, 45220)}, 0, 0}},
        // A string lies inline in its slot: "SF12" are its first four bytes.
        {CAP_SERIALNUMBER,
         MSG_GETCURRENT,
         {TWON_ONEVALUE, TWTY_STR255, 4 + 256, {0x32314653}, 0, 0}},
    };
    Scanner scanner;
    scanner.Reach(4);
    for (const auto& c : cases) {
        SCOPED_TRACE("cap " + std::to_string(c.cap) + ", msg " + std::to_string(c.msg));
        TW_UINT16 rc = 0;
        const Container got = scanner.Capability(c.cap, c.msg, &rc);
        EXPECT_EQ(rc, TWRC_SUCCESS);
        EXPECT_EQ(got.conType, c.expected.conType);
        EXPECT_EQ(got.itemType, c.expected.itemType);
        EXPECT_EQ(got.size, c.expected.size);
        EXPECT_EQ(got.items, c.expected.items);
        EXPECT_EQ(got.currentIndex, c.expected.currentIndex);
        EXPECT_EQ(got.defaultIndex, c.expected.defaultIndex);
    }
}

// MSG_SET of a TW_ONEVALUE (bytes long; 0: no container) and what MSG_GETCURRENT reports then.
TEST(SampleDriverCapabilities, SetAcceptsOnlyAllowedValuesInProperContainers) {
    const struct {
        TW_UINT16 cap;
        TW_UINT16 itemType;
        TW_UINT32 value;
        long bytes;
        TW_UINT16 cc; // TWCC_SUCCESS: accepted
        TW_UINT32 current;
    } cases[] = {
        {ICAP_PIXELTYPE, TWTY_UINT16, TWPT_GRAY, 8, TWCC_SUCCESS, TWPT_GRAY},
        {ICAP_PIXELTYPE, TWTY_UINT16, TWPT_CMYK, 8, TWCC_BADVALUE, TWPT_RGB},
        {ICAP_PIXELTYPE, TWTY_UINT32, TWPT_GRAY, 8, TWCC_BADVALUE, TWPT_RGB},
        {ICAP_PIXELTYPE, TWTY_UINT16, TWPT_GRAY, 4, TWCC_BADVALUE, TWPT_RGB},
        {ICAP_PIXELTYPE, TWTY_UINT16, TWPT_GRAY, 0, TWCC_BADVALUE, TWPT_RGB},
        {ICAP_XRESOLUTION, TWTY_FIX32, Fix(150), 8, TWCC_SUCCESS, Fix(150)},
        {ICAP_XRESOLUTION, TWTY_FIX32, Fix(200), 8, TWCC_BADVALUE, Fix(300)},
        {ICAP_BRIGHTNESS, TWTY_FIX32, Fix(-1000), 8, TWCC_SUCCESS, Fix(-1000)},
        {ICAP_BRIGHTNESS, TWTY_FIX32, Fix(1001), 8, TWCC_BADVALUE, Fix(0)},
        {ICAP_BRIGHTNESS, TWTY_FIX32, Fix(5, 0x8000), 8, TWCC_BADVALUE, Fix(0)}, // off the step
        {CAP_XFERCOUNT, TWTY_INT16, 3, 8, TWCC_SUCCESS, 3},
        {CAP_XFERCOUNT, TWTY_INT16, 0, 8, TWCC_BADVALUE, 0xffff},
        {CAP_XFERCOUNT, TWTY_INT16, 0xfffe, 8, TWCC_BADVALUE, 0xffff}, // -2
        {CAP_XQ_UIMODE, TWTY_UINT16, 7, 8, TWCC_BADVALUE, TWXQ_UI_EASY},
        {ICAP_UNITS, TWTY_UINT16, TWUN_INCHES, 8, TWCC_CAPBADOPERATION, TWUN_INCHES},
        {ICAP_BITDEPTH, TWTY_UINT16, 8, 8, TWCC_CAPBADOPERATION, 24},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("cap " + std::to_string(c.cap) + ", value " + std::to_string(c.value) +
                     ", bytes " + std::to_string(c.bytes));
        Scanner scanner;
        scanner.Reach(4);
        TW_CAPABILITY capability{c.cap, TWON_ONEVALUE,
                                 c.bytes ? NewOneValue(c.itemType, c.value, c.bytes) : nullptr};
        const TW_HANDLE sent = capability.hContainer;
        EXPECT_EQ(scanner.Send(DG_CONTROL, DAT_CAPABILITY, MSG_SET, &capability),
                  c.cc == TWCC_SUCCESS ? TWRC_SUCCESS : TWRC_FAILURE);
        EXPECT_EQ(capability.hContainer, sent); // the application's container stays its own
        DisposeHandle(sent);
        EXPECT_EQ(scanner.Status(), c.cc);
        EXPECT_EQ(scanner.Capability(c.cap, MSG_GETCURRENT).items,
                  std::vector<TW_UINT32>{c.current});
    }
}

// The bit depth follows the pixel type; opening again starts from the values at opening.
TEST(SampleDriverCapabilities, BitDepthFollowsThePixelType) {
    Scanner scanner;
    scanner.Reach(4);
    ASSERT_EQ(scanner.SetCapability(ICAP_PIXELTYPE, TWTY_UINT16, TWPT_GRAY), TWRC_SUCCESS);
    EXPECT_EQ(scanner.Capability(ICAP_BITDEPTH, MSG_GET).items, std::vector<TW_UINT32>{8});
    const Container reset = scanner.Capability(ICAP_PIXELTYPE, MSG_RESET);
    EXPECT_EQ(reset.items.at(reset.currentIndex), TWPT_BW);
    EXPECT_EQ(scanner.Capability(ICAP_BITDEPTH, MSG_GET).items, std::vector<TW_UINT32>{1});
    TW_IDENTITY source{};
    ASSERT_EQ(scanner.Send(DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, &source), TWRC_SUCCESS);
    ASSERT_EQ(scanner.Send(DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &source), TWRC_SUCCESS);
    EXPECT_EQ(scanner.Capability(ICAP_PIXELTYPE, MSG_GETCURRENT).items,
              std::vector<TW_UINT32>{TWPT_RGB});
    EXPECT_EQ(scanner.Capability(ICAP_BITDEPTH, MSG_GET).items, std::vector<TW_UINT32>{24});
}

TEST(SampleDriverLayout, SetKeepsFramesOnTheGlass) {
    const TW_FRAME letter = {{0, 0}, {0, 0}, {8, 0x8000}, {11, 0}};
    const struct {
        const char* what;
        TW_FRAME frame;
        bool accepted;
    } cases[] = {
        {"a card", {{1, 0}, {1, 0}, {4, 0x8000}, {3, 0}}, true},
        {"wider than the glass", {{0, 0}, {0, 0}, {8, 0x8001}, {11, 0}}, false},
        {"longer than the glass", {{0, 0}, {0, 0}, {8, 0}, {11, 45221}}, false},
        {"upside down", {{0, 0}, {4, 0}, {4, 0}, {2, 0}}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Scanner scanner;
        scanner.Reach(4);
        TW_IMAGELAYOUT layout{c.frame, 9, 9, 9};
        EXPECT_EQ(scanner.Send(DG_IMAGE, DAT_IMAGELAYOUT, MSG_SET, &layout),
                  c.accepted ? TWRC_SUCCESS : TWRC_FAILURE);
        EXPECT_EQ(scanner.Status(), c.accepted ? TWCC_SUCCESS : TWCC_BADVALUE);
        for (const TW_UINT16 msg : {MSG_GET, MSG_GETDEFAULT, MSG_RESET}) {
            TW_IMAGELAYOUT got{};
            ASSERT_EQ(scanner.Send(DG_IMAGE, DAT_IMAGELAYOUT, msg, &got), TWRC_SUCCESS);
            const TW_FRAME& expected = msg == MSG_GET && c.accepted ? c.frame : letter;
            EXPECT_EQ(std::memcmp(&got.Frame, &expected, sizeof(TW_FRAME)), 0) << msg;
            EXPECT_EQ(got.DocumentNumber + got.PageNumber + got.FrameNumber, 3u); // 1, 1, 1
        }
    }
}

} // namespace
