#include "twaintbl.h"

#include <cstring>
#include <iterator>

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

// A name table's rows ordered by value, and among equal values in stored order: a binary
// search for the first entry of a value finds the row the linear scan would find first.
template <size_t N>
struct RowIndex {
    uint16_t rows[N - 1]; // the table's rows, terminator excluded
};

template <size_t N>
constexpr RowIndex<N> MakeIndex(const MacroEntry (&table)[N]) {
    RowIndex<N> index{};
    for (size_t i = 0; i + 1 < N; ++i) {
        // A stable insertion: a row goes after every earlier row of the same value.
        size_t j = i;
        while (j > 0 && table[index.rows[j - 1]].value > table[i].value) {
            index.rows[j] = index.rows[j - 1];
            --j;
        }
        index.rows[j] = static_cast<uint16_t>(i);
    }
    return index;
}

// The first row of value through an index, or null.
template <size_t N>
constexpr const MacroEntry* FindIndexed(const MacroEntry (&table)[N], const RowIndex<N>& index,
                                        int64_t value) {
    size_t low = 0;
    size_t high = N - 1;
    while (low < high) {
        const size_t middle = low + (high - low) / 2;
        if (table[index.rows[middle]].value < value) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    return low < N - 1 && table[index.rows[low]].value == value ? &table[index.rows[low]] : nullptr;
}

// True when the index finds, for the value of every row, the row a scan in stored order finds.
template <size_t N>
constexpr bool KeepsFirstMatch(const MacroEntry (&table)[N], const RowIndex<N>& index) {
    for (size_t i = 0; i + 1 < N; ++i) {
        size_t first = 0;
        while (table[first].value != table[i].value) {
            ++first;
        }
        if (FindIndexed(table, index, table[i].value) != &table[first]) {
            return false;
        }
    }
    return true;
}

// The capability tables, searched for every capability name (each item of a
// CAP_SUPPORTEDCAPS answer is one).
constexpr RowIndex<std::size(cap_macros)> kCapIndex = MakeIndex(cap_macros);
constexpr RowIndex<std::size(icap_macros)> kIcapIndex = MakeIndex(icap_macros);
constexpr RowIndex<std::size(cap_xq_macros)> kCapXqIndex = MakeIndex(cap_xq_macros);
constexpr RowIndex<std::size(icap_xq_macros)> kIcapXqIndex = MakeIndex(icap_xq_macros);
static_assert(KeepsFirstMatch(cap_macros, kCapIndex) && KeepsFirstMatch(icap_macros, kIcapIndex) &&
                  KeepsFirstMatch(cap_xq_macros, kCapXqIndex) &&
                  KeepsFirstMatch(icap_xq_macros, kIcapXqIndex),
              "an index must find the first row of each value");

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

const char* CapabilityName(uint32_t cap) {
    const MacroEntry* row = cap > kLastStandardId ? FindIndexed(cap_xq_macros, kCapXqIndex, cap)
                                                  : FindIndexed(cap_macros, kCapIndex, cap);
    if (row == nullptr) {
        row = cap > kLastStandardId ? FindIndexed(icap_xq_macros, kIcapXqIndex, cap)
                                    : FindIndexed(icap_macros, kIcapIndex, cap);
    }
    return row != nullptr ? row->name : nullptr;
}

void GetCapabilityName(uint32_t cap, char* dest, size_t destSize) {
    if (dest == nullptr || destSize == 0) {
        return;
    }
    if (const char* name = CapabilityName(cap)) {
        CopyName(name, dest, destSize);
    } else {
        // A miss in both tables: the image-capability table's miss text.
        CopyMissText(cap > kLastStandardId ? MacroRows(icap_xq_macros) : MacroRows(icap_macros),
                     cap, dest, destSize);
    }
}
