// Image description and transfers.
#include "ScannerHarness.h"

namespace {

// A page as the application sets it up, and the image the scanner makes of it.
struct Page {
    TW_UINT16 pixelType;
    TW_UINT32 xResolution; // TW_FIX32 items
    TW_UINT32 yResolution;
    TW_FRAME frame;
    TW_INT32 width, rows;
    TW_INT16 samples, bitsPerSample;
};
const TW_FRAME kLetter = {{0, 0}, {0, 0}, {8, 0x8000}, {11, 0}};
const TW_FRAME kGlass = {{0, 0}, {0, 0}, {8, 0x8000}, {11, 45220}};
const TW_FRAME kCard = {{1, 0}, {1, 0}, {3, 0}, {2, 0}};
const Page kGray = {TWPT_GRAY, Fix(300), Fix(300), kLetter, 51, 66, 1, 8};
const Page kColor = {TWPT_RGB, Fix(300), Fix(300), kLetter, 51, 66, 3, 8};
const Page kTall = {TWPT_GRAY, Fix(75), Fix(600), kLetter, 12, 132, 1, 8};
const Page kGlassFine = {TWPT_GRAY, Fix(600), Fix(600), kGlass, 102, 140, 1, 8};
const Page kBlackAndWhite = {TWPT_BW, Fix(300), Fix(300), kCard, 12, 6, 1, 1};
const Page kDraft = {TWPT_RGB, Fix(75), Fix(75), kLetter, 12, 16, 3, 8};

// Opens, sets up the page and the transfer mechanism and takes the transfer-ready event.
void Prepare(Scanner& scanner, const Page& page, TW_UINT16 mechanism) {
    scanner.Reach(4);
    ASSERT_EQ(scanner.SetCapability(ICAP_PIXELTYPE, TWTY_UINT16, page.pixelType), TWRC_SUCCESS);
    ASSERT_EQ(scanner.SetCapability(ICAP_XRESOLUTION, TWTY_FIX32, page.xResolution), 0);
    ASSERT_EQ(scanner.SetCapability(ICAP_YRESOLUTION, TWTY_FIX32, page.yResolution), 0);
    ASSERT_EQ(scanner.SetCapability(ICAP_XFERMECH, TWTY_UINT16, mechanism), TWRC_SUCCESS);
    TW_IMAGELAYOUT layout{page.frame, 1, 1, 1};
    ASSERT_EQ(scanner.Send(DG_IMAGE, DAT_IMAGELAYOUT, MSG_SET, &layout), TWRC_SUCCESS);
    scanner.Reach(6);
}

// The image info and buffer sizes follow the page; strips of a buffer length cover the image
// exactly, in order, and carry the bytes a native transfer carries.
class SampleDriverStrips : public testing::TestWithParam<std::pair<Page, TW_UINT32>> {};

TEST_P(SampleDriverStrips, CoverTheImageExactly) {
    const Page& page = GetParam().first;
    const TW_UINT32 length = GetParam().second;
    Scanner scanner;
    ASSERT_NO_FATAL_FAILURE(Prepare(scanner, page, TWSX_MEMORY));
    TW_IMAGEINFO info{};
    ASSERT_EQ(scanner.Send(DG_IMAGE, DAT_IMAGEINFO, MSG_GET, &info), TWRC_SUCCESS);
    EXPECT_EQ(Fix(info.XResolution.Whole, info.XResolution.Frac), page.xResolution);
    EXPECT_EQ(Fix(info.YResolution.Whole, info.YResolution.Frac), page.yResolution);
    EXPECT_EQ(info.ImageWidth, page.width);
    EXPECT_EQ(info.ImageLength, page.rows);
    EXPECT_EQ(info.SamplesPerPixel, page.samples);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(info.BitsPerSample[i], i < page.samples ? page.bitsPerSample : 0) << i;
    }
    EXPECT_EQ(info.BitsPerPixel, page.samples * page.bitsPerSample);
    EXPECT_EQ(info.Planar, 0);
    EXPECT_EQ(info.PixelType, page.pixelType);
    EXPECT_EQ(info.Compression, TWCP_NONE);
    const auto rows = static_cast<TW_UINT32>(page.rows);
    const TW_UINT32 bytesPerRow = (page.width * page.samples * page.bitsPerSample + 7) / 8;
    TW_SETUPMEMXFER setup{};
    ASSERT_EQ(scanner.Send(DG_CONTROL, DAT_SETUPMEMXFER, MSG_GET, &setup), TWRC_SUCCESS);
    EXPECT_EQ(setup.MinBufSize, bytesPerRow);
    EXPECT_EQ(setup.MaxBufSize, bytesPerRow * rows);
    EXPECT_EQ(setup.Preferred, std::min(16 * bytesPerRow, bytesPerRow * rows));

    std::vector<TW_UINT8> buffer(length), image;
    for (TW_UINT16 rc = TWRC_SUCCESS; rc == TWRC_SUCCESS;) {
        TW_IMAGEMEMXFER xfer{};
        xfer.Memory = {TWMF_APPOWNS | TWMF_POINTER, length, buffer.data()};
        rc = scanner.Send(DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET, &xfer);
        const auto done = static_cast<TW_UINT32>(image.size() / bytesPerRow);
        ASSERT_EQ(rc, done + xfer.Rows == rows ? TWRC_XFERDONE : TWRC_SUCCESS);
        EXPECT_EQ(xfer.Rows, std::min(length / bytesPerRow, rows - done));
        EXPECT_EQ(xfer.YOffset, done);
        EXPECT_EQ(xfer.XOffset, 0u);
        EXPECT_EQ(xfer.Columns, static_cast<TW_UINT32>(page.width));
        EXPECT_EQ(xfer.BytesPerRow, bytesPerRow);
        EXPECT_EQ(xfer.BytesWritten, xfer.Rows * bytesPerRow);
        image.insert(image.end(), buffer.begin(), buffer.begin() + xfer.BytesWritten);
    }
    ASSERT_EQ(image.size(), size_t{bytesPerRow} * rows);
    EXPECT_NE(std::count(image.begin(), image.end(), image.front()),
              static_cast<long>(image.size())); // a gradient, not a blank page

    Scanner native;
    ASSERT_NO_FATAL_FAILURE(Prepare(native, page, TWSX_NATIVE));
    TW_HANDLE handle = nullptr;
    ASSERT_EQ(native.Send(DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, &handle), TWRC_XFERDONE);
    ASSERT_EQ(GetHandleSize(handle), static_cast<long>(image.size()));
    EXPECT_TRUE(std::equal(image.begin(), image.end(), reinterpret_cast<TW_UINT8*>(*handle)));
    DisposeHandle(handle);
}

INSTANTIATE_TEST_SUITE_P(
    PagesAndBufferLengths, SampleDriverStrips,
    testing::Values(std::make_pair(kGray, 51u), std::make_pair(kGray, 100u),
                    std::make_pair(kGray, 51u * 16), std::make_pair(kGray, 51u * 66 + 1000),
                    std::make_pair(kColor, 153u * 7), std::make_pair(kTall, 12u * 50),
                    std::make_pair(kGlassFine, 102u * 40), std::make_pair(kBlackAndWhite, 3u),
                    std::make_pair(kBlackAndWhite, 7u), std::make_pair(kDraft, 36u * 5)),
    [](const auto& info) { return "Case" + std::to_string(info.index); });

} // namespace
