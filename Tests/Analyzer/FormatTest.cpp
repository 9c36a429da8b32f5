// The log's own formatter against the C library: the same bytes, the same length, the same
// cut, for every conversion the log uses and for those it hands back to the library.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "TwFormat.h"
#include "twaintbl.h"

namespace {

// Both formatters on the same arguments, into buffers of the same size.
#define EXPECT_SAME_TEXT(size, ...)                                                   \
    do {                                                                              \
        char ours[size];                                                              \
        char theirs[size];                                                            \
        memset(ours, '#', sizeof ours);                                               \
        memset(theirs, '#', sizeof theirs);                                           \
        const int ourLength = TwFormat(ours, sizeof ours, __VA_ARGS__);               \
        const int theirLength = snprintf(theirs, sizeof theirs, __VA_ARGS__);         \
        ASSERT_EQ(ourLength, theirLength) << #__VA_ARGS__;                            \
        ASSERT_EQ(std::string(ours, sizeof ours), std::string(theirs, sizeof theirs)) \
            << #__VA_ARGS__;                                                          \
    } while (0)

double Fix32(int whole, unsigned frac) {
    return static_cast<int16_t>(whole) + frac / 65536.0;
}

TEST(Format, Fix32EveryFractionOfManyWholes) {
    const int wholes[] = {-32768, -32767, -1001, -300, -100, -2,   -1,   0,
                          1,      2,      8,     99,   300,  1000, 32767};
    for (int whole : wholes) {
        for (unsigned frac = 0; frac < 65536; ++frac) {
            EXPECT_SAME_TEXT(32, "%.3f", Fix32(whole, frac));
        }
    }
}

TEST(Format, Fix32EveryFractionAtEveryPrecision) {
    for (int whole : {-1, 0, 7}) {
        for (unsigned frac = 0; frac < 65536; ++frac) {
            const double value = Fix32(whole, frac);
            EXPECT_SAME_TEXT(32, "%.0f|%.1f|%.2f|%.4f|%.5f|%.6f|%f|%.3lf", value, value, value,
                             value, value, value, value, value);
        }
    }
}

// Doubles that are no TW_FIX32, and values the integer path cannot hold, go to the library.
TEST(Format, OtherDoublesAsTheLibrary) {
    const double values[] = {
        0.1,   -0.1,     1e-7,      0.0005, 2.0005,          1.0 / 3, 123456789.125,
        1e300, -1e300,   1e15,      0x1p47, 0x1p60,          -0x1p47, 4.5,
        5.5,   HUGE_VAL, -HUGE_VAL, NAN,    1.0 / 65536 / 2, -0.0};
    for (double value : values) {
        EXPECT_SAME_TEXT(400, "[%.3f] [%.0f] [%f] [%.6f]", value, value, value, value);
    }
}

TEST(Format, IntegersOfEveryWidthAndFlag) {
    const long long values[] = {0,          1,         -1,        9,         10,
                                99,         100,       999,       1000,      99999,
                                100000,     32767,     -32768,    65535,     INT_MAX,
                                INT_MIN,    UINT_MAX,  LLONG_MAX, LLONG_MIN, 4294967296LL,
                                0x7FFF0000, 0xABCDEF12};
    for (long long v : values) {
        const auto i = static_cast<int>(v);
        const auto u = static_cast<unsigned>(v);
        const auto l = static_cast<long>(v);
        EXPECT_SAME_TEXT(256,
                         "%d|%3d|%4d|%-4d|%05d|%i|%u|%x|%X|%08x|%02x|%04x|%-6x|%0x|%9d|%-9d|%19x",
                         i, i, i, i, i, i, u, u, u, u, u, u, u, u, i, i, u);
        EXPECT_SAME_TEXT(256, "%ld|%05ld|%lu|%lx|%lld|%llu|%llx|%zu|%zd|%-21ld|%021lld", l, l,
                         static_cast<unsigned long>(l), static_cast<unsigned long>(l), v,
                         static_cast<unsigned long long>(v), static_cast<unsigned long long>(v),
                         static_cast<size_t>(v), static_cast<ptrdiff_t>(v), l, v);
        EXPECT_SAME_TEXT(256, "%hd|%hu|%hx|%hhd|%hhu|%hhx|%5hd|%03hhu", static_cast<short>(v),
                         static_cast<unsigned short>(v), static_cast<unsigned short>(v),
                         static_cast<signed char>(v), static_cast<unsigned char>(v),
                         static_cast<unsigned char>(v), static_cast<short>(v),
                         static_cast<unsigned char>(v));
    }
}

TEST(Format, TextAndCharacters) {
    const char* const texts[] = {"", "A", "TWRC_SUCCESS", "ICAP_XQ_COLORSLIPREDUCTION",
                                 "a text that is longer than forty characters, by far"};
    for (const char* s : texts) {
        EXPECT_SAME_TEXT(256, "[%s]%s|%-40s|%10s|%.3s|%-8.2s|%.0s|%%|%c|%3c|%-3c|", s, "\r\n", s, s,
                         s, s, s, s[0] ? s[0] : 'z', 'q', 'r');
    }
    // Widths from the arguments, negative ones left-aligning; a "*" width before a conversion
    // the library formats is handed over with it.
    EXPECT_SAME_TEXT(128, "%-*s|%*s|%*d|%-*ld|%*s", 22, "ModelID", -12, "ab", 5, -3, 9, 7L, 0, "x");
    EXPECT_SAME_TEXT(128, "%-*s = [%*.5d] %s", 22, "BitDepth", 8, 42, "tail");
    EXPECT_SAME_TEXT(16, "%c|%c", '\0', 'x'); // a NUL character counts as one
    EXPECT_SAME_TEXT(16, "%s", "");
    EXPECT_SAME_TEXT(16, "no conversion");
}

// Conversions the log does not use: the library formats them, and everything after them.
TEST(Format, UnusedConversionsGoToTheLibrary) {
    EXPECT_SAME_TEXT(128, "%d %+d % d %#x %.5d %*d %s", 1, 2, 3, 4, 5, 6, 7, "tail");
#ifndef _WIN32 // a null string cut short is "" in glibc (and here), "(nu" in mingw-w64
    const char* volatile nothing = nullptr; // unknown to the compiler
    EXPECT_SAME_TEXT(128, "a%sb%.3sc%sd", "x", static_cast<const char*>(nothing),
                     static_cast<const char*>(nothing));
#endif
    EXPECT_SAME_TEXT(128, "%e %g %o %p", 1.5, 2.5, 8u, static_cast<void*>(nullptr));
    EXPECT_SAME_TEXT(128, "%5.1f %-8.3f| %08.3f %Lf %.7f", 1.5, 2.25, -3.5, 4.0L, 0.5);
    EXPECT_SAME_TEXT(128, "%jd %td %'d", static_cast<intmax_t>(-1), static_cast<ptrdiff_t>(-2),
                     1234567);
}

// The cut at every size, from none at all to room to spare.
TEST(Format, CutAtEverySize) {
    const char* const format = "[%05ld] [%s] %s/%s (%.3f) <0x%08x>%s";
    for (size_t size = 0; size < 80; ++size) {
        std::vector<char> ours(size + 1, '#');
        std::vector<char> theirs(size + 1, '#');
        const int a = TwFormat(ours.data(), size, format, 42L, "APP", "DG_CONTROL",
                               "DAT_CAPABILITY", 300.5, 0xdeadbeefu, "\r\n");
        const int b = snprintf(theirs.data(), size, format, 42L, "APP", "DG_CONTROL",
                               "DAT_CAPABILITY", 300.5, 0xdeadbeefu, "\r\n");
        ASSERT_EQ(a, b);
        ASSERT_EQ(ours, theirs) << "size " << size;
    }
    for (size_t size = 0; size < 24; ++size) {
        std::vector<char> ours(size + 1, '#');
        std::vector<char> theirs(size + 1, '#');
        ASSERT_EQ(TwFormat(ours.data(), size, "ab%+dcd%sef", 5, "xyz"),
                  snprintf(theirs.data(), size, "ab%+dcd%sef", 5, "xyz"));
        ASSERT_EQ(ours, theirs) << "size " << size;
    }
}

// The lookup's miss text is the signed 32-bit value, as "%s(%d)" prints it.
TEST(Format, MissTextOfEveryWidth) {
    const int64_t values[] = {0,         1,         -1,           10,           65535,
                              INT32_MAX, INT32_MIN, 4294967295LL, 4294967296LL, -4294967297LL,
                              INT64_MAX, INT64_MIN, 0x123456789LL};
    for (int64_t value : values) {
        char ours[kMacroNameSize];
        char theirs[kMacroNameSize];
        EXPECT_FALSE(GetMacroName(MacroRows(dg_macros), value == 1 ? 3 : value, ours));
        snprintf(theirs, sizeof theirs, "%s(%d)", "ERROR!",
                 static_cast<int32_t>(value == 1 ? 3 : value));
        EXPECT_STREQ(ours, theirs);
    }
}

} // namespace
