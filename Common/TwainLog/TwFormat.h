// The log's text formatting without the C library's printf machinery on the common path.
//
// TwFormatV behaves as vsnprintf and produces the same bytes: it writes at most size - 1
// characters and a NUL into out (nothing when size is 0) and returns the length of the whole
// text. The conversions the log uses are done here: %s, %c, %%, %d, %i, %u, %x and %X with
// an optional '-' or '0' flag, a width and the length modifiers hh, h, l, ll and z; %s with a
// precision (a null one as the C library prints it); and %.Nf (N up to 6) of a value that is
// a whole number of 1/65536, as every TW_FIX32 is, rounded exactly as printf rounds. Any
// other conversion (a '+', ' ' or '#' flag, a '*' width, an integer precision, %e, %g,
// %p ...) and the rest of the format after it go to vsnprintf, and a %f of any other value
// to snprintf, so the bytes are always the C library's.
#ifndef TWAINMON_TWFORMAT_H
#define TWAINMON_TWFORMAT_H

#include <cstdarg>
#include <cstddef>
#include <cstdint>

// Formats are checked as C99 has them, also where "printf" means msvcrt's dialect (mingw-w64).
#ifdef __MINGW32__
#define TWAINMON_PRINTF_FORMAT gnu_printf
#else
#define TWAINMON_PRINTF_FORMAT printf
#endif

int TwFormatV(char* out, size_t size, const char* format, va_list args);
int TwFormat(char* out, size_t size, const char* format, ...)
    __attribute__((format(TWAINMON_PRINTF_FORMAT, 3, 4)));

#endif // TWAINMON_TWFORMAT_H
