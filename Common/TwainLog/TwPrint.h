// The field printer of the structure dumpers. A scope prints the heading line of its block
// when it opens and the closing brace when it ends; between them each field line is one call
// named after the kind of its value. Field lines stand two columns inside the heading, their
// labels padded to the block's label width so that the equals signs align. Every kind has one
// literal format, which -Wformat checks where it is written (TwPrint.cpp).
#ifndef TWAINMON_TWPRINT_H
#define TWAINMON_TWPRINT_H

#include <cstdint>

#include "twaintbl.h"

class CParaAnalyze;

class CDumpScope {
public:
    // "<indent><heading> = {"; the closing brace goes at closeIndent, by default the heading's.
    CDumpScope(CParaAnalyze& analyzer, const char* heading, int indent, int width,
               int closeIndent = -1);
    ~CDumpScope();
    CDumpScope(const CDumpScope&) = delete;
    CDumpScope& operator=(const CDumpScope&) = delete;

    // "label = [%lld]": a 32-bit field, 0 to 4294967295 (CBlock::Ld).
    void Ld(const char* label, long long value);
    // "label = [%d]".
    void Int(const char* label, int value);
    // "label = [%.3f]": a TW_FIX32 (CBlock::Fix32).
    void Fix(const char* label, double value);
    // "label = <0x%08x>": a pointer or handle, its low 32 bits.
    void Ptr(const char* label, unsigned int value);
    // "label = [0x%x]", or with digits 2 or 4, "[0x%02x]" and "[0x%04x]".
    void Hex(const char* label, unsigned int value, int digits = 0);
    // "label = [%s]": a flag, a text field, a converted value.
    void Text(const char* label, const char* value);
    // "label = [%s]": the name of value in table, or its miss text.
    void Name(const char* label, MacroTable table, int64_t value);
    // "label = {%s}": a list of numbers.
    void List(const char* label, const char* value);
    // "label =": the block of a nested structure follows on the next lines.
    void Nested(const char* label);
    // A field line that keeps its own spacing, as it stands.
    void Raw(const char* text);
    // The same without its line end: the heading of the nested block that follows ends it.
    void Lead(const char* text);

private:
    const char* Indent() const;
    const char* Prefix(const char* label);

    CParaAnalyze& m_analyzer;
    int m_indent;
    int m_width;
    int m_closeIndent;
    // Indent, label and padding: each at most 64 characters.
    char m_prefix[3 * 64 + 1];
};

#endif // TWAINMON_TWPRINT_H
