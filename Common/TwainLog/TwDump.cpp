#include "TwDump.h"

#include <cstdio>

#include "twain.h"

const char* FrameText(const CBlock& block, size_t offset, char (&out)[kFrameTextSize]) {
    snprintf(out, sizeof out, "%.3f,%.3f,%.3f,%.3f", block.Fix32(offset + offsetof(TW_FRAME, Left)),
             block.Fix32(offset + offsetof(TW_FRAME, Top)),
             block.Fix32(offset + offsetof(TW_FRAME, Right)),
             block.Fix32(offset + offsetof(TW_FRAME, Bottom)));
    return out;
}
