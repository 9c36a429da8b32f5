// The scanner's answers for the manager's open and close, the CIE colour description and the
// JPEG parameters.
#include <string>

#include "Fix32.h"
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

TEST(SampleDriverColour, CieColorDescribesThePageAboutToBeTransferred) {
    Scanner scanner;
    scanner.Reach(4);
    ASSERT_EQ(scanner.SetCapability(ICAP_PIXELTYPE, TWTY_UINT16, TWPT_GRAY), TWRC_SUCCESS);
    scanner.Reach(6);
    TW_CIECOLOR cie{};
    cie.LowEndian = -1;
    ASSERT_EQ(scanner.Send(DG_IMAGE, DAT_CIECOLOR, MSG_GET, &cie), TWRC_SUCCESS);
    EXPECT_EQ(cie.ColorSpace, TWPT_GRAY);
    EXPECT_EQ(cie.LowEndian, 0);
    EXPECT_EQ(cie.DeviceDependent, 1);
    for (const TW_TRANSFORMSTAGE* stage : {&cie.StageABC, &cie.StageLMN}) {
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(Fix32Units(stage->Decode[i].EndIn), 65536);
            for (int j = 0; j < 3; ++j) {
                EXPECT_EQ(Fix32Units(stage->Mix[i][j]), i == j ? 65536 : 0);
            }
        }
    }
    EXPECT_EQ(Fix32Units(cie.WhitePoint.Y), 65536);
    EXPECT_EQ(scanner.State(), 6);
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

TEST(SampleDriverColour, RefusedOutsideTheirStates) {
    const struct {
        int state;
        TW_UINT16 dat;
        TW_UINT16 msg;
        bool nullData;
        TW_UINT16 cc;
    } cases[] = {
        {4, DAT_PARENT, MSG_GET, false, TWCC_BADPROTOCOL},
        {5, DAT_CIECOLOR, MSG_GET, false, TWCC_SEQERROR},
        {7, DAT_CIECOLOR, MSG_GET, false, TWCC_SEQERROR},
        {6, DAT_CIECOLOR, MSG_SET, false, TWCC_BADPROTOCOL},
        {6, DAT_CIECOLOR, MSG_GET, true, TWCC_BADVALUE},
        {3, DAT_JPEGCOMPRESSION, MSG_GET, false, TWCC_SEQERROR},
        {7, DAT_JPEGCOMPRESSION, MSG_GETDEFAULT, false, TWCC_SEQERROR},
        {4, DAT_JPEGCOMPRESSION, MSG_SET, false, TWCC_BADPROTOCOL},
        {4, DAT_JPEGCOMPRESSION, MSG_GET, true, TWCC_BADVALUE},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("state " + std::to_string(c.state) + ", DAT " + std::to_string(c.dat) +
                     ", MSG " + std::to_string(c.msg));
        Scanner scanner;
        scanner.Reach(c.state);
        alignas(8) unsigned char data[512] = {};
        const TW_UINT32 dg = c.dat == DAT_PARENT ? DG_CONTROL : DG_IMAGE;
        EXPECT_EQ(scanner.Send(dg, c.dat, c.msg, c.nullData ? nullptr : data), TWRC_FAILURE);
        EXPECT_EQ(scanner.Status(), c.cc);
        EXPECT_EQ(scanner.State(), c.state);
    }
}

} // namespace
