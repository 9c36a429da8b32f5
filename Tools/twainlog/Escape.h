// Text from a log made safe for twainlog's output: every command prints through these.
#ifndef TWAINLOG_ESCAPE_H
#define TWAINLOG_ESCAPE_H

#include <string>
#include <string_view>

namespace twainlog {

// Text from a log made safe to show: control bytes, bytes that are not UTF-8 and the C1
// controls become "\xNN"; with keepNewlines, line feeds stay.
std::string Printable(std::string_view text, bool keepNewlines = false);
// Valid UTF-8 for JSON: bytes that are not UTF-8 become the four characters "\xNN"; the
// rest, control characters included, is left to JSON's own escapes.
std::string ValidUtf8(std::string_view text);

} // namespace twainlog

#endif // TWAINLOG_ESCAPE_H
