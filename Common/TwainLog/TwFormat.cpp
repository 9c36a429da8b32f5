#include "TwFormat.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

// Where the text goes: at most limit characters are stored, length counts them all.
struct Sink {
    char* out;
    size_t limit; // size - 1, or 0
    size_t length;

    void Put(const char* text, size_t count) {
        if (length < limit) {
            const size_t room = limit - length;
            memcpy(out + length, text, count < room ? count : room);
        }
        length += count;
    }
    void Put(char c) {
        if (length < limit) {
            out[length] = c;
        }
        ++length;
    }
    void Pad(char c, size_t count) {
        if (length < limit) {
            const size_t room = limit - length;
            memset(out + length, c, count < room ? count : room);
        }
        length += count;
    }
};

// One conversion directive, as far as the fast path takes it.
struct Directive {
    bool minus = false;
    bool zero = false;
    size_t width = 0;
    int precision = -1; // none
    enum { kNone, kHH, kH, kL, kLL, kZ } size = kNone;
    char conversion = '\0';
};

// Parses the directive after a '%'; false when the fast path does not take it.
// A "*" width takes its value from the arguments, as printf does (a negative one left-aligns).
bool ParseDirective(const char*& p, Directive& directive, va_list& args) {
    for (;; ++p) {
        if (*p == '-') {
            directive.minus = true;
        } else if (*p == '0') {
            directive.zero = true;
        } else if (*p == '+' || *p == ' ' || *p == '#' || *p == '\'') {
            return false;
        } else {
            break;
        }
    }
    if (*p == '*') {
        ++p;
        const int width = va_arg(args, int);
        directive.minus = directive.minus || width < 0;
        directive.width = width < 0 ? 0 - static_cast<size_t>(width) : static_cast<size_t>(width);
        if (directive.width > 4096) {
            return false;
        }
    }
    while (*p >= '0' && *p <= '9') {
        directive.width = directive.width * 10 + static_cast<size_t>(*p++ - '0');
        if (directive.width > 4096) {
            return false;
        }
    }
    if (*p == '.') {
        ++p;
        directive.precision = 0;
        while (*p >= '0' && *p <= '9') {
            directive.precision = directive.precision * 10 + (*p++ - '0');
            if (directive.precision > 4096) {
                return false;
            }
        }
    }
    if (*p == 'h') {
        directive.size = *++p == 'h' ? (++p, Directive::kHH) : Directive::kH;
    } else if (*p == 'l') {
        directive.size = *++p == 'l' ? (++p, Directive::kLL) : Directive::kL;
    } else if (*p == 'z') {
        ++p;
        directive.size = Directive::kZ;
    }
    directive.conversion = *p;
    switch (directive.conversion) {
    case 'd':
    case 'i':
    case 'u':
    case 'x':
    case 'X':
        return directive.precision < 0;
    case 's':
        return !directive.zero && directive.size == Directive::kNone;
    case 'c':
        return !directive.zero && directive.precision < 0 && directive.size == Directive::kNone;
    case '%':
        return !directive.minus && !directive.zero && directive.width == 0 &&
               directive.precision < 0 && directive.size == Directive::kNone;
    case 'f':
        // The fixed-point form of a TW_FIX32: no flags, no width, at most six decimals.
        return !directive.minus && !directive.zero && directive.width == 0 &&
               directive.precision <= 6 &&
               (directive.size == Directive::kNone || directive.size == Directive::kL);
    default:
        return false;
    }
}

constexpr char kDigitPairs[] = "00010203040506070809"
                               "10111213141516171819"
                               "20212223242526272829"
                               "30313233343536373839"
                               "40414243444546474849"
                               "50515253545556575859"
                               "60616263646566676869"
                               "70717273747576777879"
                               "80818283848586878889"
                               "90919293949596979899";

// Writes the decimal digits of value (no sign, no NUL) ending just before end and returns
// where they start; end must have 20 bytes of room before it.
char* DecimalDigits(uint64_t value, char* end) {
    while (value >= 100) {
        const size_t pair = static_cast<size_t>(value % 100) * 2;
        value /= 100;
        *--end = kDigitPairs[pair + 1];
        *--end = kDigitPairs[pair];
    }
    if (value >= 10) {
        const size_t pair = static_cast<size_t>(value) * 2;
        *--end = kDigitPairs[pair + 1];
        *--end = kDigitPairs[pair];
    } else {
        *--end = static_cast<char>('0' + value);
    }
    return end;
}

char* HexDigits(uint64_t value, char* end, bool upper) {
    const char* digits = upper ? "0123456789ABCDEF" : "0123456789abcdef";
    do {
        *--end = digits[value & 0xF];
        value >>= 4;
    } while (value != 0);
    return end;
}

// The text of a field: sign and digits, padded to the width as the flags say.
void PutField(Sink& sink, const Directive& directive, bool negative, const char* digits,
              size_t count) {
    const size_t length = count + (negative ? 1 : 0);
    const size_t pad = directive.width > length ? directive.width - length : 0;
    if (directive.minus) {
        if (negative) {
            sink.Put('-');
        }
        sink.Put(digits, count);
        sink.Pad(' ', pad);
    } else if (directive.zero) {
        if (negative) {
            sink.Put('-');
        }
        sink.Pad('0', pad);
        sink.Put(digits, count);
    } else {
        sink.Pad(' ', pad);
        if (negative) {
            sink.Put('-');
        }
        sink.Put(digits, count);
    }
}

void PutInteger(Sink& sink, const Directive& directive, va_list& args) {
    uint64_t magnitude = 0;
    bool negative = false;
    if (directive.conversion == 'd' || directive.conversion == 'i') {
        int64_t value = 0;
        switch (directive.size) {
        case Directive::kHH:
            // "%hhd" shows the argument's low byte as a signed number, as printf does.
            // NOLINTNEXTLINE(bugprone-signed-char-misuse)
            value = static_cast<signed char>(va_arg(args, int));
            break;
        case Directive::kH:
            value = static_cast<short>(va_arg(args, int));
            break;
        case Directive::kNone:
            value = va_arg(args, int);
            break;
        case Directive::kL:
            value = va_arg(args, long);
            break;
        case Directive::kLL:
            value = va_arg(args, long long);
            break;
        case Directive::kZ:
            value = va_arg(args, ptrdiff_t);
            break;
        }
        negative = value < 0;
        magnitude = negative ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
    } else {
        switch (directive.size) {
        case Directive::kHH:
            magnitude = static_cast<unsigned char>(va_arg(args, unsigned int));
            break;
        case Directive::kH:
            magnitude = static_cast<unsigned short>(va_arg(args, unsigned int));
            break;
        case Directive::kNone:
            magnitude = va_arg(args, unsigned int);
            break;
        case Directive::kL:
            magnitude = va_arg(args, unsigned long);
            break;
        case Directive::kLL:
            magnitude = va_arg(args, unsigned long long);
            break;
        case Directive::kZ:
            magnitude = va_arg(args, size_t);
            break;
        }
    }
    char buffer[24];
    char* const end = buffer + sizeof buffer;
    const char* begin = directive.conversion == 'x' || directive.conversion == 'X'
                            ? HexDigits(magnitude, end, directive.conversion == 'X')
                            : DecimalDigits(magnitude, end);
    PutField(sink, directive, negative, begin, static_cast<size_t>(end - begin));
}

constexpr uint64_t kPowersOfTen[] = {1, 10, 100, 1000, 10000, 100000, 1000000};

// A value that is a whole number of 1/65536 in "%.Nf", rounded to nearest with ties to even
// on the exact value, as printf rounds; false for any other value.
bool PutFixedPoint(Sink& sink, double value, int precision) {
    const double units = value * 65536.0; // exact: a power of two
    if (!(std::fabs(units) < 0x1p47)) {
        return false; // too large for the integer path, or not a number
    }
    const auto whole = static_cast<int64_t>(units);
    if (static_cast<double>(whole) != units) {
        return false;
    }
    const uint64_t magnitude =
        whole < 0 ? 0 - static_cast<uint64_t>(whole) : static_cast<uint64_t>(whole);
    const uint64_t scale = kPowersOfTen[precision];
    const uint64_t scaledFraction = (magnitude & 0xFFFF) * scale;
    uint64_t total = (magnitude >> 16) * scale + (scaledFraction >> 16);
    const uint64_t rest = scaledFraction & 0xFFFF;
    if (rest > 0x8000 || (rest == 0x8000 && (total & 1) != 0)) {
        ++total;
    }
    char buffer[32];
    char* const end = buffer + sizeof buffer;
    char* begin = end;
    if (precision > 0) {
        uint64_t fraction = total % scale;
        for (int i = 0; i < precision; ++i) {
            *--begin = static_cast<char>('0' + fraction % 10);
            fraction /= 10;
        }
        *--begin = '.';
    }
    begin = DecimalDigits(total / scale, begin);
    if (std::signbit(value)) {
        *--begin = '-';
    }
    sink.Put(begin, static_cast<size_t>(end - begin));
    return true;
}

void PutDouble(Sink& sink, const Directive& directive, va_list& args) {
    const double value = va_arg(args, double);
    const int precision = directive.precision < 0 ? 6 : directive.precision;
    if (PutFixedPoint(sink, value, precision)) {
        return;
    }
    // Any other value: the C library's own text (at most 317 characters with six decimals).
    char format[] = "%.0f";
    format[2] = static_cast<char>('0' + precision);
    char text[512];
    const int length = snprintf(text, sizeof text, format, value);
    if (length > 0) {
        sink.Put(text, static_cast<size_t>(length) < sizeof text ? static_cast<size_t>(length)
                                                                 : sizeof text - 1);
    }
}

void PutString(Sink& sink, const Directive& directive, const char* text) {
    if (text == nullptr) {
        // The C library's text for it, or nothing when the precision cuts it.
        text = directive.precision < 0 || directive.precision >= 6 ? "(null)" : "";
    }
    const size_t count = directive.precision < 0
                             ? strlen(text)
                             : strnlen(text, static_cast<size_t>(directive.precision));
    const size_t pad = directive.width > count ? directive.width - count : 0;
    if (!directive.minus) {
        sink.Pad(' ', pad);
    }
    sink.Put(text, count);
    if (directive.minus) {
        sink.Pad(' ', pad);
    }
}

// One conversion after the '%' at specStart, p just past the '%'. False when the fast path
// does not take it: the caller then hands the rest of the format to the library.
bool PutConversion(Sink& sink, const char*& p, va_list& args) {
    Directive directive;
    if (!ParseDirective(p, directive, args)) {
        return false;
    }
    ++p;
    switch (directive.conversion) {
    case 's':
        PutString(sink, directive, va_arg(args, const char*));
        break;
    case 'c': {
        const size_t pad = directive.width > 1 ? directive.width - 1 : 0;
        if (!directive.minus) {
            sink.Pad(' ', pad);
        }
        sink.Put(static_cast<char>(va_arg(args, int)));
        if (directive.minus) {
            sink.Pad(' ', pad);
        }
        break;
    }
    case '%':
        sink.Put('%');
        break;
    case 'f':
        PutDouble(sink, directive, args);
        break;
    default:
        PutInteger(sink, directive, args);
        break;
    }
    return true;
}

// A signed decimal without flags, right-aligned in width: "%d" or "%3d" of an int, "%ld" of
// a long, "%lld" of a long long.
void PutSigned(Sink& sink, int64_t value, size_t width = 0) {
    char buffer[24];
    char* const end = buffer + sizeof buffer;
    char* begin = DecimalDigits(
        value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value), end);
    if (value < 0) {
        *--begin = '-';
    }
    const auto count = static_cast<size_t>(end - begin);
    if (width > count) {
        sink.Pad(' ', width - count);
    }
    sink.Put(begin, count);
}

} // namespace

int TwFormatV(char* out, size_t size, const char* format, va_list arguments) {
    va_list args;
    va_copy(args, arguments);
    Sink sink{out, size > 0 ? size - 1 : 0, 0};
    const char* p = format;
    int result = 0;
    for (;;) {
        const char* const run = p;
        p += strcspn(p, "%");
        sink.Put(run, static_cast<size_t>(p - run));
        if (*p == '\0') {
            break;
        }
        const char* const specStart = p++;
        // The common conversions first, plain "%s", "%d", "%ld", "%lld" and "%Nd".
        if (*p == 's') {
            ++p;
            const char* text = va_arg(args, const char*);
            if (text == nullptr) {
                text = "(null)"; // the C library's text for it
            }
            sink.Put(text, strlen(text));
        } else if (*p == 'd') {
            ++p;
            PutSigned(sink, va_arg(args, int));
        } else if (p[0] == 'l' && p[1] == 'd') {
            p += 2;
            PutSigned(sink, va_arg(args, long));
        } else if (p[0] == 'l' && p[1] == 'l' && p[2] == 'd') {
            p += 3;
            PutSigned(sink, va_arg(args, long long));
        } else if (p[0] > '0' && p[0] <= '9' && p[1] == 'd') {
            // A one-digit width, as the index of each list item has it.
            const auto width = static_cast<size_t>(p[0] - '0');
            p += 2;
            PutSigned(sink, va_arg(args, int), width);
        } else {
            // The arguments before this conversion: a "*" width may already be taken when the
            // fast path gives the conversion up.
            va_list before;
            va_copy(before, args);
            if (PutConversion(sink, p, args)) {
                va_end(before);
                continue;
            }
            // The rest of the format, with the arguments not yet taken, as the library does it.
            const int rest =
                sink.length < sink.limit
                    ? vsnprintf(out + sink.length, size - sink.length, specStart, before)
                    : vsnprintf(nullptr, 0, specStart, before);
            va_end(before);
            if (rest < 0) {
                result = rest;
            } else {
                sink.length += static_cast<size_t>(rest);
            }
            break;
        }
    }
    va_end(args);
    if (size > 0) {
        out[sink.length < sink.limit ? sink.length : sink.limit] = '\0';
    }
    return result < 0 ? result : static_cast<int>(sink.length);
}

int TwFormat(char* out, size_t size, const char* format, ...) {
    va_list args;
    va_start(args, format);
    const int length = TwFormatV(out, size, format, args);
    va_end(args);
    return length;
}
