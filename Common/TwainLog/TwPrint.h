// The field printer of the structure dumpers. A scope prints the heading line of its block
// when it opens and the closing brace when it ends; between them each field line is one call
// named after the kind of its value. Field lines stand two columns inside the heading. A scope
// opened while another is open is nested in it: its heading stands in the column of the outer
// block's fields. Labels are padded to the scope's label width so that the equals signs
// align. Every kind has one literal format, which -Wformat checks where it is written
// (TwPrint.cpp).
#ifndef TWAINMON_TWPRINT_H
#define TWAINMON_TWPRINT_H

#include <cstdarg>
#include <cstddef>
#include <cstdint>

#include "twaintbl.h"

class CDumpScope;

// Where the printer writes: a text of capacity bytes at buffer, of which length are used and
// ended by a NUL. Appends beyond it are cut, keeping the first capacity - 1 characters.
struct CTextSink {
    char* buffer = nullptr;
    size_t length = 0;
    size_t capacity = 0;
    CDumpScope* innermost = nullptr; // the scope open last, if any

    // Takes text (capacity bytes, its current text kept), or none.
    void Reset(char* text, size_t size);
    // Formats at the end of the text. False once it is full: whatever is appended after that
    // is cut, so the printer of a long list may stop there.
    bool Append(const char* format, ...) __attribute__((format(printf, 2, 3)));
    bool AppendV(const char* format, va_list args);
};

// The offset of a field, which the bounded reader reads at.
#define TW_AT(type, field) offsetof(type, field)

// Field lines, as strace's PRINT_FIELD_ macros print fields: the label is the field's own
// name, so it cannot drift from the field it shows. PRINT_FIELD(s, Fix, b.Fix32, TW_FRAME, Left)
// prints "Left = [%.3f]" of the TW_FIX32 that b, the block of a TW_FRAME, holds at Left: the
// scope's kind, then the block's reader. PRINT_FIELD_AS gives the few labels the log spells
// otherwise.
#define PRINT_FIELD_AS(s, kind, label, read, type, field) (s).kind(label, read(TW_AT(type, field)))
#define PRINT_FIELD(s, kind, read, type, field) PRINT_FIELD_AS(s, kind, #field, read, type, field)
// "[0x%02x]" or "[0x%04x]" with digits 2 or 4.
#define PRINT_FIELD_HEX(s, read, type, field, digits) \
    (s).Hex(#field, read(TW_AT(type, field)), digits)
// The name of the value in a name table.
#define PRINT_FIELD_NAME(s, read, type, field, table) \
    (s).Name(#field, MacroRows(table), read(TW_AT(type, field)))
// A text field, up to its NUL and never past its width; text receives it.
#define PRINT_FIELD_STR(s, b, type, field, text) \
    (s).Text(#field, (b).Str(TW_AT(type, field), sizeof(type::field), text))

class CDumpScope {
public:
    // Where the block stands: nested in the open scope, or at the top two columns in.
    // Two blocks keep a layout of their own: the unsharp-mask parameters stand a level in
    // even alone, and the memory-transfer block ends at the margin.
    enum class Layout { Block, OneLevelIn, BraceAtMargin };

    // "<indent><heading> = {", the fields' labels padded to width.
    CDumpScope(CTextSink& sink, const char* heading, int width, Layout layout = Layout::Block);
    ~CDumpScope();
    CDumpScope(const CDumpScope&) = delete;
    CDumpScope& operator=(const CDumpScope&) = delete;

    // "label = [%lld]": a 32-bit field, 0 to 4294967295 (CBlock::Ld).
    void Ld(const char* label, long long value);
    // "label = [%llu]": an unsigned field as wide as 64 bits (CBlock::Item).
    void Lu(const char* label, uint64_t value);
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

    CTextSink& m_sink;
    CDumpScope* m_outer;
    int m_indent;
    int m_width;
    int m_closeIndent;
    // Indent, label and padding: each at most 64 characters.
    char m_prefix[3 * 64 + 1];
};

#endif // TWAINMON_TWPRINT_H
