#include "twaintbl.h"

#include <cstring>
#include <iterator>

#include "TwFormat.h"

namespace {

// Names by index: for each capability identifier of a span, the row of its name, as the
// capability table and then the image-capability table, each scanned in stored order, find
// it. An entry is 0 for no name, 1 + row for a row of the capability table, kImageRow | row for
// one of the image-capability table. Identifiers beyond the span are scanned.
constexpr uint16_t kImageRow = 0x8000;

template <size_t Span>
struct CapabilityIndex {
    uint32_t base;
    uint16_t entries[Span];
};

template <size_t Span, size_t NCap, size_t NImage>
constexpr CapabilityIndex<Span> MakeCapabilityIndex(uint32_t base,
                                                    const MacroEntry (&capabilities)[NCap],
                                                    const MacroEntry (&images)[NImage]) {
    CapabilityIndex<Span> index{base, {}};
    // Last rows first, so that the first row of a value is written last; the capability table
    // after the image-capability table, so that its rows win.
    for (size_t row = NImage - 1; row-- > 0;) {
        const int64_t at = images[row].value - static_cast<int64_t>(base);
        if (at >= 0 && at < static_cast<int64_t>(Span)) {
            index.entries[at] = static_cast<uint16_t>(kImageRow | row);
        }
    }
    for (size_t row = NCap - 1; row-- > 0;) {
        const int64_t at = capabilities[row].value - static_cast<int64_t>(base);
        if (at >= 0 && at < static_cast<int64_t>(Span)) {
            index.entries[at] = static_cast<uint16_t>(1 + row);
        }
    }
    return index;
}

// The position of the first row of value in table, scanning in stored order; count when there
// is none.
constexpr size_t FirstRow(MacroTable table, int64_t value) {
    size_t i = 0;
    while (i < table.count && table.rows[i].value != value) {
        ++i;
    }
    return i;
}

// The index entry of cap as the two scans give it.
constexpr uint16_t ScannedEntry(MacroTable capabilities, MacroTable images, int64_t cap) {
    const size_t row = FirstRow(capabilities, cap);
    if (row < capabilities.count) {
        return static_cast<uint16_t>(1 + row);
    }
    const size_t image = FirstRow(images, cap);
    return image < images.count ? static_cast<uint16_t>(kImageRow | image) : 0;
}

// True when the index holds, for the value of every row of both tables, the entry the two
// scans give.
template <size_t Span>
constexpr bool KeepsFirstMatch(const CapabilityIndex<Span>& index, MacroTable capabilities,
                               MacroTable images) {
    for (const MacroTable table : {capabilities, images}) {
        for (size_t i = 0; i < table.count; ++i) {
            const int64_t at = table.rows[i].value - static_cast<int64_t>(index.base);
            if (at >= 0 && at < static_cast<int64_t>(Span) &&
                index.entries[at] != ScannedEntry(capabilities, images, table.rows[i].value)) {
                return false;
            }
        }
    }
    return true;
}

// The row naming cap: through the index inside its span, by the two scans beyond it.
template <size_t Span>
const MacroEntry* FindCapability(const CapabilityIndex<Span>& index, MacroTable capabilities,
                                 MacroTable images, uint32_t cap) {
    const uint16_t entry = cap >= index.base && cap - index.base < Span
                               ? index.entries[cap - index.base]
                               : ScannedEntry(capabilities, images, cap);
    if (entry == 0) {
        return nullptr;
    }
    return (entry & kImageRow) != 0 ? &images.rows[entry & ~kImageRow]
                                    : &capabilities.rows[entry - 1];
}

// The standard identifiers up to 0x11FF and the vendor's from 0x8000 to 0x80FF.
constexpr auto kStandardIndex = MakeCapabilityIndex<0x1200>(0, cap_macros, icap_macros);
constexpr auto kVendorIndex = MakeCapabilityIndex<0x100>(0x8000, cap_xq_macros, icap_xq_macros);
static_assert(KeepsFirstMatch(kStandardIndex, MacroRows(cap_macros), MacroRows(icap_macros)) &&
                  KeepsFirstMatch(kVendorIndex, MacroRows(cap_xq_macros),
                                  MacroRows(icap_xq_macros)),
              "the capability index must find the first row of each value");

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
    const size_t row = FirstRow(table, value);
    if (row < table.count) {
        CopyName(table.rows[row].name, dest, destSize);
        return true;
    }
    CopyMissText(table, value, dest, destSize);
    return false;
}

const char* CapabilityName(uint32_t cap) {
    const MacroEntry* row =
        cap > kLastStandardId
            ? FindCapability(kVendorIndex, MacroRows(cap_xq_macros), MacroRows(icap_xq_macros), cap)
            : FindCapability(kStandardIndex, MacroRows(cap_macros), MacroRows(icap_macros), cap);
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
