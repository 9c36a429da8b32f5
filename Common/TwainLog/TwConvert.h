// The value converters: each turns a value the log shows in one piece (a frame, a list of
// numbers, a colour matrix, a length-prefixed name, a capability item) into its text. The
// field printer (TwPrint.h) prints the texts; the dumpers read the values (TwDump.h).
#ifndef TWAINMON_TWCONVERT_H
#define TWAINMON_TWCONVERT_H

#include <cstddef>

#include "TwDump.h"

// A TW_FRAME at offset: its four TW_FIX32 (Left, Top, Right, Bottom) as "%.3f" joined by
// commas, e.g. 0.000,0.000,8.500,11.000.
constexpr size_t kFrameTextSize = 64;
const char* FrameText(const CBlock& block, size_t offset, char (&out)[kFrameTextSize]);

// A list of count 16-bit numbers at offset, 2 bytes apart, for "{%s}": each "%d", widened
// with or without sign as the field is, joined by "," without blanks (8,8,8,0,0,0,0,0).
// Every number is printed, whatever count fields of the structure say.
constexpr size_t kNumberListSize = 64;
const char* NumberList16(const CBlock& block, size_t offset, size_t count, bool isSigned,
                         char (&out)[kNumberListSize]);

// The nine values of a colour matrix (a block of nine TW_FIX32), "%.3f" each, joined by
// commas; empty for an empty block.
constexpr size_t kCoeffTextSize = 128;
const char* ColorCoeffText(const CBlock& coeff, char (&out)[kCoeffTextSize]);

// The length-prefixed name at offset: its characters converted from the system encoding and
// back, NUL-terminated. A length byte above the 33 characters the field holds counts as 33;
// a name that cannot be converted, or needs more than 127 bytes, is empty.
constexpr size_t kPascalTextSize = 128;
const char* PascalText(const CBlock& block, size_t offset, char (&out)[kPascalTextSize]);

// The text of a list entry of TWTY_FRAME or of a type above TWTY_STR255.
constexpr char kItemNotImplemented[] = "!!! not implemented.!!!";

// The capability items' texts are the analyzer's: CParaAnalyze::ValToStr and ValToCap, defined
// with these in TwConvert.cpp.

#endif // TWAINMON_TWCONVERT_H
