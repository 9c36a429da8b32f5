// The renderers of a capability and its container, and the item list of a container.
// Each dumper reads its structure through a CBlock (never a byte past it) and prints it through
// a CDumpScope (TwPrint.h): the scope prints the block's heading and closing brace, nested in
// the scope open around it, and pads the labels to its width; each field line is one
// PRINT_FIELD_ of its value kind, labelled with the field's own name. A nested structure is a
// label line followed by the block of its own dumper.
#include "ParaAnalyze.h"

#include "CDSMInterface.h"
#include "TwConvert.h"
#include "TwFormat.h"
#include "TwPrint.h"

namespace {

// A field's bytes: from offset to the end of the container.
constexpr size_t kToTheEnd = static_cast<size_t>(-1);

// A container type, the renderer of its block and the block's fixed header: a smaller block
// renders no container lines.
struct ContainerRenderer {
    TW_UINT16 conType;
    size_t header;
    bool (CParaAnalyze::*render)(unsigned short cap, const CBlock& container);
};

constexpr ContainerRenderer kContainerRenderers[] = {
    {TWON_ARRAY, TW_AT(TW_ARRAY, ItemList), &CParaAnalyze::TwArrayAnalyze},
    {TWON_ENUMERATION, TW_AT(TW_ENUMERATION, ItemList), &CParaAnalyze::TwEnumerationAnalyze},
    {TWON_ONEVALUE, sizeof(TW_ONEVALUE), &CParaAnalyze::TwOneValueAnalyze},
    {TWON_RANGE, sizeof(TW_RANGE), &CParaAnalyze::TwRangeAnalyze},
};

} // namespace

bool CParaAnalyze::TwCapabilityAnalyze(TW_CAPABILITY* pCapability) {
    const CBlock b = CBlock::Of(pCapability);
    if (b.IsNull()) {
        return true;
    }
    char name[kMacroNameSize];
    GetCapabilityName(b.U16(TW_AT(TW_CAPABILITY, Cap)), name, sizeof name);
    CDumpScope s(m_sink, "TW_CAPABILITY", 10);
    s.Text("Cap", name);
    PRINT_FIELD_NAME(s, b.U16, TW_CAPABILITY, ConType, twon_macros);
    PRINT_FIELD(s, Ptr, b.Ptr32, TW_CAPABILITY, hContainer);
    if (m_ReturnCode != TWRC_FAILURE) {
        TwContainerAnalyaze(pCapability);
    }
    return true;
}

// The container is read only between LockContainer and UnlockMemory, and only as far as the
// handle's block (or the copy of it) goes.
bool CParaAnalyze::TwContainerAnalyaze(TW_CAPABILITY* pCapability) {
    const CBlock b = CBlock::Of(pCapability);
    const auto handle = reinterpret_cast<TW_HANDLE>(
        static_cast<uintptr_t>(b.U64(TW_AT(TW_CAPABILITY, hContainer))));
    if (handle == nullptr) {
        return true;
    }
    const TW_UINT16 conType = b.U16(TW_AT(TW_CAPABILITY, ConType));
    for (const ContainerRenderer& renderer : kContainerRenderers) {
        if (renderer.conType != conType) {
            continue;
        }
        const CBlock container = CDSMInterface::LockContainer(handle, conType);
        if (!container.IsNull() && container.Size() >= renderer.header) {
            (this->*renderer.render)(b.U16(TW_AT(TW_CAPABILITY, Cap)), container);
        } else if (CDSMInterface::kHandleIsAddress) {
            Append("    Container  = [not readable]%s", CRLF);
        }
        CDSMInterface::UnlockMemory(handle);
        break;
    }
    return true;
}

bool CParaAnalyze::TwOneValueAnalyze(unsigned short cap, const CBlock& container) {
    if (container.IsNull()) {
        return true;
    }
    const TW_UINT16 itemType = container.U16(TW_AT(TW_ONEVALUE, ItemType));
    char value[kItemTextSize];
    CDumpScope s(m_sink, "TW_ONEVALUE", 8);
    s.Name("ItemType", MacroRows(twty_macros), itemType);
    s.Text("Item",
           ValToStr(cap, itemType, container.Sub(TW_AT(TW_ONEVALUE, Item), kToTheEnd), value));
    return true;
}

bool CParaAnalyze::TwEnumerationAnalyze(unsigned short cap, const CBlock& container) {
    if (container.IsNull()) {
        return true;
    }
    const TW_UINT16 itemType = container.U16(TW_AT(TW_ENUMERATION, ItemType));
    CDumpScope s(m_sink, "TW_ENUMERATION", 12);
    s.Name("ItemType", MacroRows(twty_macros), itemType);
    PRINT_FIELD(s, Ld, container.Ld, TW_ENUMERATION, NumItems);
    PRINT_FIELD(s, Ld, container.Ld, TW_ENUMERATION, CurrentIndex);
    PRINT_FIELD(s, Ld, container.Ld, TW_ENUMERATION, DefaultIndex);
    MakeItemList(cap, itemType, container.U32(TW_AT(TW_ENUMERATION, NumItems)),
                 container.Sub(TW_AT(TW_ENUMERATION, ItemList), kToTheEnd));
    return true;
}

bool CParaAnalyze::TwArrayAnalyze(unsigned short cap, const CBlock& container) {
    if (container.IsNull()) {
        return true;
    }
    const TW_UINT16 itemType = container.U16(TW_AT(TW_ARRAY, ItemType));
    CDumpScope s(m_sink, "TW_ARRAY", 8);
    s.Name("ItemType", MacroRows(twty_macros), itemType);
    PRINT_FIELD(s, Ld, container.Ld, TW_ARRAY, NumItems);
    MakeItemList(cap, itemType, container.U32(TW_AT(TW_ARRAY, NumItems)),
                 container.Sub(TW_AT(TW_ARRAY, ItemList), kToTheEnd));
    return true;
}

// A field holds 4 bytes; a wider item type reads on into the next fields, up to the end of
// the container.
bool CParaAnalyze::TwRangeAnalyze(unsigned short cap, const CBlock& container) {
    if (container.IsNull()) {
        return true;
    }
    const TW_UINT16 itemType = container.U16(TW_AT(TW_RANGE, ItemType));
    // Each field's text, printed before the next field is read into the same room.
    char value[kItemTextSize];
    auto item = [&](size_t offset) {
        return ValToStr(cap, itemType, container.Sub(offset, kToTheEnd), value);
    };
    CDumpScope s(m_sink, "TW_RANGE", 12);
    s.Name("ItemType", MacroRows(twty_macros), itemType);
    PRINT_FIELD(s, Text, item, TW_RANGE, MinValue);
    PRINT_FIELD(s, Text, item, TW_RANGE, MaxValue);
    PRINT_FIELD(s, Text, item, TW_RANGE, StepSize);
    PRINT_FIELD(s, Text, item, TW_RANGE, DefaultValue);
    PRINT_FIELD(s, Text, item, TW_RANGE, CurrentValue);
    return true;
}

// Properties: its 16 bits in hexadecimal.
bool CParaAnalyze::TwCapExtAnalyze(TW_CAPEXT* pCapExt) {
    const CBlock b = CBlock::Of(pCapExt);
    if (b.IsNull()) {
        return true;
    }
    char name[kMacroNameSize];
    GetCapabilityName(b.U16(TW_AT(TW_CAPEXT, Cap)), name, sizeof name);
    CDumpScope s(m_sink, "TW_CAPEXT", 10);
    s.Text("Cap", name);
    PRINT_FIELD_HEX(s, b.U16, TW_CAPEXT, Properties, 4);
    return true;
}

void CParaAnalyze::MakeItemList(unsigned short cap, unsigned short itemType, unsigned int numItems,
                                const CBlock& items) {
    Append("      ItemList = {%s", CRLF);
    // Entries of a type without a size are never read, so all of them are listed.
    const size_t size = ItemSize(itemType);
    const size_t inBlock = size != 0 ? items.Size() / size : numItems;
    const size_t listed = inBlock < numItems ? inBlock : numItems;
    char text[kItemTextSize];
    bool room = true;
    for (size_t i = 0; i < listed && room; ++i) {
        const char* entry = itemType == TWTY_FRAME || size == 0
                                ? kItemNotImplemented
                                : ValToStr(cap, itemType, items.Sub(i * size, size), text);
        room = Append("        %3d:%s%s", static_cast<int>(i), entry,
                      i + 1 < numItems ? "," CRLF : CRLF);
    }
    if (room && listed < numItems) {
        Append("        !!! %lld of %lld items lie beyond the container !!!%s",
               static_cast<long long>(numItems - listed), static_cast<long long>(numItems), CRLF);
    }
    Append("      }%s", CRLF);
}
