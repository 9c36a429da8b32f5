#include "Escape.h"

#include <algorithm>
#include <cstdio>

namespace twainlog {

namespace {

// Length of the valid UTF-8 sequence at text[i]; 0 when the byte begins none.
size_t Utf8Length(std::string_view text, size_t i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
        return 1;
    }
    size_t n = 0;
    unsigned long code = 0, least = 0;
    if ((c & 0xe0) == 0xc0) {
        n = 2, code = c & 0x1f, least = 0x80;
    } else if ((c & 0xf0) == 0xe0) {
        n = 3, code = c & 0x0f, least = 0x800;
    } else if ((c & 0xf8) == 0xf0) {
        n = 4, code = c & 0x07, least = 0x10000;
    } else {
        return 0;
    }
    if (i + n > text.size()) {
        return 0;
    }
    for (size_t k = 1; k < n; ++k) {
        const auto b = static_cast<unsigned char>(text[i + k]);
        if ((b & 0xc0) != 0x80) {
            return 0;
        }
        code = (code << 6) | (b & 0x3f);
    }
    const bool surrogate = code >= 0xd800 && code <= 0xdfff;
    return code < least || code > 0x10ffff || surrogate ? 0 : n;
}

// Bytes that are not UTF-8 become "\xNN"; with controls, so do the control characters (C0,
// DEL and C1), but for line feeds when they are kept.
std::string Escape(std::string_view text, bool controls, bool keepNewlines) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const size_t n = Utf8Length(text, i);
        const auto c = static_cast<unsigned char>(text[i]);
        const bool control =
            (n == 1 && (c < 0x20 || c == 0x7f) && !(keepNewlines && c == '\n')) ||
            (n == 2 && c == 0xc2 && static_cast<unsigned char>(text[i + 1]) < 0xa0);
        if (n == 0 || (controls && control)) {
            for (size_t k = 0; k < std::max<size_t>(n, 1); ++k) {
                char hex[8];
                std::snprintf(hex, sizeof hex, "\\x%02x", static_cast<unsigned char>(text[i + k]));
                out += hex;
            }
            i += std::max<size_t>(n, 1);
        } else {
            out.append(text, i, n);
            i += n;
        }
    }
    return out;
}

} // namespace

std::string Printable(std::string_view text, bool keepNewlines) {
    return Escape(text, true, keepNewlines);
}

std::string ValidUtf8(std::string_view text) {
    return Escape(text, false, false);
}

} // namespace twainlog
