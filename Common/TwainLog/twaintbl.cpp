#include "twaintbl.h"

#include <cstring>

#include "TwFormat.h"

namespace {

// The first row whose value equals value, or null.
const MacroEntry* FindRow(MacroTable table, int64_t value) {
    for (size_t i = 0; i < table.count; ++i) {
        if (table.rows[i].value == value) {
            return &table.rows[i];
        }
    }
    return nullptr;
}

// Copies text into dest, cut to destSize - 1 characters and always terminated.
void CopyName(const char* text, char* dest, size_t destSize) {
    const size_t length = strnlen(text, destSize - 1);
    memcpy(dest, text, length);
    dest[length] = '\0';
}

// The miss text: the terminator's name and the value as a signed 32-bit decimal in
// parentheses, "ERROR!(-1)".
void CopyMissText(MacroTable table, int64_t value, char* dest, size_t destSize) {
    TwFormat(dest, destSize, "%s(%d)", table.rows[table.count].name, static_cast<int32_t>(value));
}

} // namespace

bool GetMacroName(MacroTable table, int64_t value, char* dest, size_t destSize) {
    if (dest == nullptr || destSize == 0) {
        return false;
    }
    if (const MacroEntry* row = FindRow(table, value)) {
        CopyName(row->name, dest, destSize);
        return true;
    }
    CopyMissText(table, value, dest, destSize);
    return false;
}

void GetCapabilityName(uint32_t cap, char* dest, size_t destSize) {
    if (dest == nullptr || destSize == 0) {
        return;
    }
    const bool vendor = cap > kLastStandardId;
    const MacroTable capabilities = vendor ? MacroRows(cap_xq_macros) : MacroRows(cap_macros);
    const MacroTable images = vendor ? MacroRows(icap_xq_macros) : MacroRows(icap_macros);
    const MacroEntry* row = FindRow(capabilities, cap);
    if (row == nullptr) {
        row = FindRow(images, cap);
    }
    if (row != nullptr) {
        CopyName(row->name, dest, destSize);
    } else {
        // A miss in both tables: the image-capability table's miss text.
        CopyMissText(images, cap, dest, destSize);
    }
}
