// The scanner's answers for the manager's open and close and the JPEG parameters. Where they
// are refused is in SampleDriverFailures.
#include "ScannerHarness.h"

namespace {

TEST(SampleDriverParent, ManagerOpenAndCloseLeaveStateAndData) {
    for (int state : {3, 4, 6}) {
        Scanner scanner;
        scanner.Reach(state);
        alignas(8) unsigned char data[16];
        std::memset(data, 0x5a, sizeof data);
        EXPECT_EQ(scanner.Send(DG_CONTROL, DAT_PARENT, MSG_OPENDSM, data), TWRC_SUCCESS);
        EXPECT_EQ(scanner.Send(DG_CONTROL, DAT_PARENT, MSG_CLOSEDSM, nullptr), TWRC_SUCCESS);
        EXPECT_EQ(std::count(data, data + sizeof data, 0x5a), 16);
        EXPECT_EQ(scanner.State(), state);
    }
}

TEST(SampleDriverCompression, JpegParametersFollowThePixelType) {
    const std::pair<TW_UINT16, TW_UINT16> cases[] = {{TWPT_RGB, 3}, {TWPT_GRAY, 1}};
    for (const auto& [pixelType, components] : cases) {
        Scanner scanner;
        scanner.Reach(4);
        ASSERT_EQ(scanner.SetCapability(ICAP_PIXELTYPE, TWTY_UINT16, pixelType), TWRC_SUCCESS);
        TW_JPEGCOMPRESSION jpeg;
        std::memset(&jpeg, 0x5a, sizeof jpeg);
        ASSERT_EQ(scanner.Send(DG_IMAGE, DAT_JPEGCOMPRESSION, MSG_GET, &jpeg), TWRC_SUCCESS);
        EXPECT_EQ(jpeg.ColorSpace, pixelType);
        EXPECT_EQ(jpeg.NumComponents, components);
        const TW_UINT16 map[] = {0, 1, 1, 0};
        EXPECT_EQ(std::memcmp(jpeg.QuantMap, map, sizeof map), 0);
        EXPECT_EQ(std::memcmp(jpeg.HuffmanMap, map, sizeof map), 0);
        for (const TW_MEMORY& table : jpeg.QuantTable) {
            EXPECT_EQ(table.TheMem, nullptr);
            EXPECT_EQ(table.Length, 0u);
        }
        EXPECT_EQ(jpeg.HuffmanAC[1].TheMem, nullptr);
    }
}

} // namespace
