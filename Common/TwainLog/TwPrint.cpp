#include "TwPrint.h"

#include <cstring>

#include "ParaAnalyze.h"

namespace {

constexpr char kBlanks[] = "                                                                ";
constexpr int kMostBlanks = static_cast<int>(sizeof kBlanks - 1);

// count blanks (none below 0), from the end of kBlanks.
const char* Blanks(int count) {
    if (count < 0) {
        count = 0;
    }
    return kBlanks + kMostBlanks - (count < kMostBlanks ? count : kMostBlanks);
}

} // namespace

CDumpScope::CDumpScope(CParaAnalyze& analyzer, const char* heading, int indent, int width,
                       int closeIndent)
    : m_analyzer(analyzer), m_indent(indent), m_width(width),
      m_closeIndent(closeIndent < 0 ? indent : closeIndent) {
    m_analyzer.Append("%s%s = {%s", Blanks(m_indent), heading, CRLF);
}

CDumpScope::~CDumpScope() {
    m_analyzer.Append("%s}%s", Blanks(m_closeIndent), CRLF);
}

const char* CDumpScope::Indent() const {
    return Blanks(m_indent + 2);
}

const char* CDumpScope::Pad(const char* label) const {
    return Blanks(m_width - static_cast<int>(strlen(label)));
}

void CDumpScope::Ld(const char* label, long value) {
    m_analyzer.Append("%s%s%s = [%ld]%s", Indent(), label, Pad(label), value, CRLF);
}

void CDumpScope::Int(const char* label, int value) {
    m_analyzer.Append("%s%s%s = [%d]%s", Indent(), label, Pad(label), value, CRLF);
}

void CDumpScope::Fix(const char* label, double value) {
    m_analyzer.Append("%s%s%s = [%.3f]%s", Indent(), label, Pad(label), value, CRLF);
}

void CDumpScope::Ptr(const char* label, unsigned int value) {
    m_analyzer.Append("%s%s%s = <0x%08x>%s", Indent(), label, Pad(label), value, CRLF);
}

void CDumpScope::Hex(const char* label, unsigned int value, int digits) {
    if (digits == 2) {
        m_analyzer.Append("%s%s%s = [0x%02x]%s", Indent(), label, Pad(label), value, CRLF);
    } else if (digits == 4) {
        m_analyzer.Append("%s%s%s = [0x%04x]%s", Indent(), label, Pad(label), value, CRLF);
    } else {
        m_analyzer.Append("%s%s%s = [0x%x]%s", Indent(), label, Pad(label), value, CRLF);
    }
}

void CDumpScope::Text(const char* label, const char* value) {
    m_analyzer.Append("%s%s%s = [%s]%s", Indent(), label, Pad(label), value, CRLF);
}

void CDumpScope::Name(const char* label, MacroTable table, int64_t value) {
    char name[kMacroNameSize];
    GetMacroName(table, value, name);
    Text(label, name);
}

void CDumpScope::List(const char* label, const char* value) {
    m_analyzer.Append("%s%s%s = {%s}%s", Indent(), label, Pad(label), value, CRLF);
}

void CDumpScope::Nested(const char* label) {
    m_analyzer.Append("%s%s%s =%s", Indent(), label, Pad(label), CRLF);
}

void CDumpScope::Raw(const char* text) {
    m_analyzer.Append("%s%s%s", Indent(), text, CRLF);
}

void CDumpScope::Lead(const char* text) {
    m_analyzer.Append("%s%s", Indent(), text);
}
