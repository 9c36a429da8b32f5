#include "twaintbl.h"

#include <cstdio>
#include <cstring>

bool GetMacroName(MacroTable table, int64_t value, char* dest, size_t destSize) {
    if (dest == nullptr || destSize == 0) {
        return false;
    }
    for (size_t i = 0; i < table.count; ++i) {
        if (table.rows[i].value == value) {
            snprintf(dest, destSize, "%s", table.rows[i].name);
            return true;
        }
    }
    snprintf(dest, destSize, "%s(%d)", table.rows[table.count].name, static_cast<int32_t>(value));
    return false;
}

void GetCapabilityName(uint32_t cap, char* dest, size_t destSize) {
    const bool vendor = cap > kLastStandardId;
    if (!GetMacroName(vendor ? MacroRows(cap_xq_macros) : MacroRows(cap_macros), cap, dest,
                      destSize)) {
        GetMacroName(vendor ? MacroRows(icap_xq_macros) : MacroRows(icap_macros), cap, dest,
                     destSize);
    }
}
