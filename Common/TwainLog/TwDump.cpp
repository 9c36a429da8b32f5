#include "TwDump.h"

#include <cstdio>

#include "TwFormat.h"
#include "twain.h"

size_t ItemSize(unsigned short itemType) {
    constexpr size_t kSizes[] = {1,
                                 2,
                                 4,
                                 1,
                                 2,
                                 4,
                                 2,
                                 4,
                                 sizeof(TW_FRAME),
                                 sizeof(TW_STR32),
                                 sizeof(TW_STR64),
                                 sizeof(TW_STR128),
                                 sizeof(TW_STR255)};
    return itemType < sizeof kSizes / sizeof kSizes[0] ? kSizes[itemType] : 0;
}

const char* FrameText(const CBlock& block, size_t offset, char (&out)[kFrameTextSize]) {
    TwFormat(out, sizeof out, "%.3f,%.3f,%.3f,%.3f", block.Fix32(offset + offsetof(TW_FRAME, Left)),
             block.Fix32(offset + offsetof(TW_FRAME, Top)),
             block.Fix32(offset + offsetof(TW_FRAME, Right)),
             block.Fix32(offset + offsetof(TW_FRAME, Bottom)));
    return out;
}

const char* NumberList16(const CBlock& block, size_t offset, size_t count, bool isSigned,
                         char (&out)[kNumberListSize]) {
    out[0] = '\0';
    size_t length = 0;
    for (size_t i = 0; i < count && length < sizeof out; ++i) {
        const size_t at = offset + 2 * i;
        const int value = isSigned ? int{block.I16(at)} : int{block.U16(at)};
        const int written =
            TwFormat(out + length, sizeof out - length, i == 0 ? "%d" : ",%d", value);
        if (written < 0) {
            break;
        }
        length += static_cast<size_t>(written);
    }
    return out;
}
