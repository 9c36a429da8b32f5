#include "SampleImage.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "Fix32.h"

namespace {

// Pixels across an extent of the frame at a resolution, at least one.
TW_UINT32 Pixels(TW_FIX32 from, TW_FIX32 to, TW_FIX32 resolution) {
    const int64_t inchUnits = Fix32Units(to) - Fix32Units(from);
    const int64_t dotUnits = inchUnits * Fix32Units(resolution); // inches * dpi * 65536^2
    const int64_t pixels = dotUnits / (int64_t{65536} * 65536 * kSensorReduction);
    return static_cast<TW_UINT32>(std::max<int64_t>(pixels, 1));
}

// 0 at the first position, 255 at the last.
TW_UINT8 Ramp(TW_UINT32 position, TW_UINT32 count) {
    return count < 2 ? 0 : static_cast<TW_UINT8>(position * 255 / (count - 1));
}

} // namespace

ImageFormat MakeImageFormat(TW_UINT16 pixelType, const TW_FRAME& frame, TW_FIX32 xResolution,
                            TW_FIX32 yResolution) {
    return {pixelType, Pixels(frame.Left, frame.Right, xResolution),
            Pixels(frame.Top, frame.Bottom, yResolution)};
}

void RenderRows(const ImageFormat& format, TW_UINT32 firstRow, TW_UINT32 rowCount, TW_UINT8* out) {
    const TW_UINT32 bytesPerRow = format.BytesPerRow();
    std::memset(out, 0, size_t{bytesPerRow} * rowCount);
    for (TW_UINT32 r = 0; r < rowCount; ++r) {
        TW_UINT8* row = out + size_t{r} * bytesPerRow;
        const TW_UINT8 down = Ramp(firstRow + r, format.rows);
        for (TW_UINT32 x = 0; x < format.width; ++x) {
            const TW_UINT8 across = Ramp(x, format.width);
            const auto gray = static_cast<TW_UINT8>((across + down) / 2);
            switch (format.pixelType) {
            case TWPT_RGB:
                row[x * 3] = across;
                row[x * 3 + 1] = down;
                row[x * 3 + 2] = static_cast<TW_UINT8>(255 - across);
                break;
            case TWPT_GRAY:
                row[x] = gray;
                break;
            default: // black and white: white (1) where the gradient is light
                if (gray >= 128) {
                    row[x / 8] |= static_cast<TW_UINT8>(0x80 >> (x % 8));
                }
                break;
            }
        }
    }
}
