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
