// The images the sample scanner "scans": a gradient whose size follows the frame, the
// resolution and the pixel type.
#ifndef TWAINMON_SAMPLEIMAGE_H
#define TWAINMON_SAMPLEIMAGE_H

#include "twain.h"

// The sample's sensor delivers one pixel per this many dots of the nominal resolution, which
// keeps images small: a letter-size frame at 300 dpi is 51 x 66 pixels.
inline constexpr int kSensorReduction = 50;

struct ImageFormat {
    TW_UINT16 pixelType; // TWPT_BW, TWPT_GRAY or TWPT_RGB
    TW_UINT32 width;
    TW_UINT32 rows;

    TW_INT16 SamplesPerPixel() const { return pixelType == TWPT_RGB ? 3 : 1; }
    TW_INT16 BitsPerSample() const { return pixelType == TWPT_BW ? 1 : 8; }
    TW_INT16 BitsPerPixel() const { return SamplesPerPixel() * BitsPerSample(); }
    // Rows are packed, no padding; 1-bit pixels most significant bit first.
    TW_UINT32 BytesPerRow() const { return (width * BitsPerPixel() + 7) / 8; }
    TW_UINT32 Bytes() const { return BytesPerRow() * rows; }
};

ImageFormat MakeImageFormat(TW_UINT16 pixelType, const TW_FRAME& frame, TW_FIX32 xResolution,
                            TW_FIX32 yResolution);

// Writes rows [firstRow, firstRow + rowCount) of the image to out (rowCount * BytesPerRow()).
void RenderRows(const ImageFormat& format, TW_UINT32 firstRow, TW_UINT32 rowCount, TW_UINT8* out);

#endif // TWAINMON_SAMPLEIMAGE_H
