#include "TwPrint.h"

#include <cstring>

#include "LogVocabulary.h"
#include "TwFormat.h"

namespace {

constexpr char kBlanks[] = "                                                                ";
constexpr int kMostBlanks = static_cast<int>(sizeof kBlanks - 1);

// count held to 0 ... kMostBlanks.
size_t BlankCount(int count) {
    return static_cast<size_t>(count < 0 ? 0 : count < kMostBlanks ? count : kMostBlanks);
}

// count blanks (none below 0), from the end of kBlanks.
const char* Blanks(int count) {
    return kBlanks + kMostBlanks - BlankCount(count);
}

// The heading column of a block at the top.
constexpr int kTopIndent = 2;

} // namespace

void CTextSink::Reset(char* text, size_t size) {
    buffer = text;
    capacity = text != nullptr ? size : 0;
    length = text != nullptr && size > 0 ? strnlen(text, size - 1) : 0;
    if (capacity > 0) {
        buffer[length] = '\0';
    }
}

bool CTextSink::Append(const char* format, ...) {
    va_list args;
    va_start(args, format);
    const bool room = AppendV(format, args);
    va_end(args);
    return room;
}

bool CTextSink::AppendV(const char* format, va_list args) {
    if (buffer == nullptr) {
        return false;
    }
    const size_t room = capacity - length;
    if (room <= 1) {
        return false;
    }
    const int written = TwFormatV(buffer + length, room, format, args);
    if (written < 0) {
        buffer[length] = '\0';
        return true;
    }
    length += static_cast<size_t>(written) < room ? static_cast<size_t>(written) : room - 1;
    return length < capacity - 1;
}

CDumpScope::CDumpScope(CTextSink& sink, const char* heading, int width, Layout layout)
    : m_sink(sink), m_outer(sink.innermost),
      m_indent(m_outer != nullptr             ? m_outer->m_indent + 2
               : layout == Layout::OneLevelIn ? kTopIndent + 2
                                              : kTopIndent),
      m_width(width), m_closeIndent(layout == Layout::BraceAtMargin ? 0 : m_indent) {
    m_sink.innermost = this;
    m_sink.Append("%s%s = {%s", Blanks(m_indent), heading, CRLF);
}

CDumpScope::~CDumpScope() {
    m_sink.Append("%s}%s", Blanks(m_closeIndent), CRLF);
    m_sink.innermost = m_outer;
}

const char* CDumpScope::Indent() const {
    return Blanks(m_indent + 2);
}

// The line up to its equals sign: the indent, the label and the blanks that pad it, composed
// here so that each field line is one conversion besides its value.
const char* CDumpScope::Prefix(const char* label) {
    static_assert(sizeof m_prefix > 3 * kMostBlanks, "indent, label and padding fit");
    const size_t indent = BlankCount(m_indent + 2);
    size_t length = strnlen(label, kMostBlanks);
    const size_t pad = BlankCount(m_width - static_cast<int>(length));
    memset(m_prefix, ' ', indent);
    memcpy(m_prefix + indent, label, length);
    memset(m_prefix + indent + length, ' ', pad);
    length += indent + pad;
    m_prefix[length] = '\0';
    return m_prefix;
}

void CDumpScope::Ld(const char* label, long long value) {
    m_sink.Append("%s = [%lld]" CRLF, Prefix(label), value);
}

void CDumpScope::Lu(const char* label, uint64_t value) {
    m_sink.Append("%s = [%llu]" CRLF, Prefix(label), static_cast<unsigned long long>(value));
}

void CDumpScope::Int(const char* label, int value) {
    m_sink.Append("%s = [%d]" CRLF, Prefix(label), value);
}

void CDumpScope::Fix(const char* label, double value) {
    m_sink.Append("%s = [%.3f]" CRLF, Prefix(label), value);
}

void CDumpScope::Ptr(const char* label, unsigned int value) {
    m_sink.Append("%s = <0x%08x>" CRLF, Prefix(label), value);
}

void CDumpScope::Hex(const char* label, unsigned int value, int digits) {
    if (digits == 2) {
        m_sink.Append("%s = [0x%02x]" CRLF, Prefix(label), value);
    } else if (digits == 4) {
        m_sink.Append("%s = [0x%04x]" CRLF, Prefix(label), value);
    } else {
        m_sink.Append("%s = [0x%x]" CRLF, Prefix(label), value);
    }
}

void CDumpScope::Text(const char* label, const char* value) {
    m_sink.Append("%s = [%s]" CRLF, Prefix(label), value);
}

void CDumpScope::Name(const char* label, MacroTable table, int64_t value) {
    char name[kMacroNameSize];
    GetMacroName(table, value, name);
    Text(label, name);
}

void CDumpScope::List(const char* label, const char* value) {
    m_sink.Append("%s = {%s}" CRLF, Prefix(label), value);
}

void CDumpScope::Nested(const char* label) {
    m_sink.Append("%s =" CRLF, Prefix(label));
}

void CDumpScope::Raw(const char* text) {
    m_sink.Append("%s%s" CRLF, Indent(), text);
}

void CDumpScope::Lead(const char* text) {
    m_sink.Append("%s%s", Indent(), text);
}
