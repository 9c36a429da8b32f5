// TW_FIX32 arithmetic for the sample driver. A TW_FIX32 is Whole + Frac / 65536.
#ifndef TWAINMON_FIX32_H
#define TWAINMON_FIX32_H

#include <cstdint>

#include "twain.h"

inline TW_FIX32 ToFix32(double value) {
    const auto units = static_cast<TW_INT32>(value * 65536.0 + (value < 0 ? -0.5 : 0.5));
    return {static_cast<TW_INT16>(units >> 16), static_cast<TW_UINT16>(units & 0xffff)};
}

// The value in 1/65536 steps: these order and subtract like the values themselves.
inline int64_t Fix32Units(TW_FIX32 f) {
    return int64_t{f.Whole} * 65536 + f.Frac;
}

// A TW_FIX32 as a container item: its four bytes, Whole first.
inline TW_UINT32 Fix32Item(TW_FIX32 f) {
    return TW_UINT32{static_cast<TW_UINT16>(f.Whole)} | TW_UINT32{f.Frac} << 16;
}
inline TW_UINT32 Fix32Item(double value) {
    return Fix32Item(ToFix32(value));
}
inline TW_FIX32 Fix32FromItem(TW_UINT32 item) {
    return {static_cast<TW_INT16>(item & 0xffff), static_cast<TW_UINT16>(item >> 16)};
}

#endif // TWAINMON_FIX32_H
