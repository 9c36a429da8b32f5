#include "SampleCapabilities.h"

#include <CoreServices/CoreServices.h>

#include <algorithm>
#include <cstring>

#include "Fix32.h"
#include "TwainFlags.h"
#include "TwainXq.h"

namespace {

constexpr TW_UINT32 Int16Item(TW_INT16 value) {
    return static_cast<TW_UINT16>(value);
}

std::vector<CapabilityDef> BuildTable() {
    using Values = std::vector<TW_UINT32>;
    const TW_UINT32 all = Int16Item(-1), dpi300 = Fix32Item(300), zero = Fix32Item(0);
    const TW_UINT32 width = Fix32Item(8.5), height = Fix32Item(11.69);
    // CAP_XFERCOUNT -1: as many pages as the session has; otherwise that many scans.
    const Values counts = {all, 1, 2, 3};
    const Values pixelTypes = {TWPT_BW, TWPT_GRAY, TWPT_RGB};
    const Values mechanisms = {TWSX_NATIVE, TWSX_MEMORY};
    const Values dpis = {Fix32Item(75), Fix32Item(150), dpi300, Fix32Item(600)};
    const Values brightness = {Fix32Item(-1000), Fix32Item(1000), Fix32Item(1)};
    const Values bitDepths = {1, 8, 24}; // of each pixel type; the scanner keeps it in step
    const Values filmTypes = {TWXQ_FT_POSI, TWXQ_FT_NEGA, TWXQ_FT_REFLECTIVE, TWXQ_FT_BWNEGA,
                              TWXQ_FT_REFLECTIVEDOCUMENT};
    const Values uiModes = {TWXQ_UI_CONVENTIONAL, TWXQ_UI_ADVANCED,         TWXQ_UI_EASY,
                            TWXQ_UI_SIMPLE,       TWXQ_UI_EASYUISUPPRESSED, TWXQ_UI_DOCUMENT,
                            TWXQ_UI_EXTRALIDFILM};
    const TW_UINT16 one = TWON_ONEVALUE, list = TWON_ENUMERATION;
    // Capability, MSG_GET answer, item type, values, default, current at opening, settable.
    std::vector<CapabilityDef> table = {
        {CAP_SUPPORTEDCAPS, TWON_ARRAY, TWTY_UINT16, {}, 0, 0, false},
        {CAP_XFERCOUNT, one, TWTY_INT16, counts, all, all, true},
        {ICAP_PIXELTYPE, list, TWTY_UINT16, pixelTypes, TWPT_BW, TWPT_RGB, true},
        {ICAP_XFERMECH, list, TWTY_UINT16, mechanisms, TWSX_NATIVE, TWSX_NATIVE, true},
        {ICAP_UNITS, one, TWTY_UINT16, {TWUN_INCHES}, TWUN_INCHES, TWUN_INCHES, false},
        {ICAP_XRESOLUTION, list, TWTY_FIX32, dpis, dpi300, dpi300, true},
        {ICAP_YRESOLUTION, list, TWTY_FIX32, dpis, dpi300, dpi300, true},
        {ICAP_BRIGHTNESS, TWON_RANGE, TWTY_FIX32, brightness, zero, zero, true},
        {ICAP_BITDEPTH, one, TWTY_UINT16, bitDepths, 1, 24, false},
        {ICAP_COMPRESSION, one, TWTY_UINT16, {TWCP_NONE}, TWCP_NONE, TWCP_NONE, false},
        {ICAP_PHYSICALWIDTH, one, TWTY_FIX32, {width}, width, width, false},
        {ICAP_PHYSICALHEIGHT, one, TWTY_FIX32, {height}, height, height, false},
        {CAP_XQ_VERSION, one, TWTY_UINT16, {0x0102}, 0x0102, 0x0102, false},
        {ICAP_XQ_FILMTYPE, list, TWTY_UINT16, filmTypes, TWXQ_FT_REFLECTIVE, TWXQ_FT_REFLECTIVE,
         true},
        {CAP_XQ_UIMODE, one, TWTY_UINT16, uiModes, TWXQ_UI_EASY, TWXQ_UI_EASY, true},
        {CAP_SERIALNUMBER, one, TWTY_STR255, {}, 0, 0, false, "SF1200-0042"},
    };
    std::vector<TW_UINT32> ids;
    for (const CapabilityDef& def : table) {
        ids.push_back(def.cap);
    }
    table.front().values = ids;
    return table;
}

const std::vector<CapabilityDef>& Table() {
    static const std::vector<CapabilityDef> table = BuildTable();
    return table;
}

// The CAP_SUPPORTEDCAPS answer a test host chose; empty: the table's own list.
std::vector<TW_UINT32>& SupportedCapsAnswer() {
    static std::vector<TW_UINT32> answer;
    return answer;
}

constexpr size_t kNotFound = static_cast<size_t>(-1);

size_t RowOf(TW_UINT16 cap) {
    const auto& table = Table();
    for (size_t row = 0; row < table.size(); ++row) {
        if (table[row].cap == cap) {
            return row;
        }
    }
    return kNotFound;
}

TW_UINT32 IndexOf(const std::vector<TW_UINT32>& values, TW_UINT32 value) {
    return static_cast<TW_UINT32>(std::find(values.begin(), values.end(), value) - values.begin());
}

// The item's value as a number, so that signed items and TW_FIX32 compare and subtract.
int64_t Ordinal(TW_UINT16 itemType, TW_UINT32 item) {
    switch (itemType) {
    case TWTY_INT8:
        return static_cast<TW_INT8>(item);
    case TWTY_INT16:
        return static_cast<TW_INT16>(item);
    case TWTY_INT32:
        return static_cast<TW_INT32>(item);
    case TWTY_FIX32:
        return Fix32Units(Fix32FromItem(item));
    default:
        return item;
    }
}

bool Allowed(const CapabilityDef& def, TW_UINT32 value) {
    if (def.conType != TWON_RANGE) {
        return std::find(def.values.begin(), def.values.end(), value) != def.values.end();
    }
    const int64_t v = Ordinal(def.itemType, value);
    const int64_t min = Ordinal(def.itemType, def.values[0]);
    const int64_t max = Ordinal(def.itemType, def.values[1]);
    const int64_t step = Ordinal(def.itemType, def.values[2]);
    return v >= min && v <= max && (v - min) % step == 0;
}

// The Memory Manager is deprecated since macOS 10.8 with no successor: a TWAIN handle on
// macOS is a Memory Manager handle, so its calls stay, fenced here, and any other
// deprecated call still warns.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
// The item of the application's TW_ONEVALUE, read within the bounds of its handle.
bool ReadOneValue(const TW_CAPABILITY& cap, TW_UINT16 itemType, TW_UINT32& value) {
    if (cap.ConType != TWON_ONEVALUE ||
        GetHandleSize(cap.hContainer) < static_cast<Size>(sizeof(TW_ONEVALUE))) {
        return false;
    }
    HLock(cap.hContainer);
    const TW_ONEVALUE one = *reinterpret_cast<const TW_ONEVALUE*>(*cap.hContainer);
    HUnlock(cap.hContainer);
#pragma GCC diagnostic pop
    const size_t size = ItemSize(itemType);
    if (one.ItemType != itemType || size == 0 || size > sizeof(TW_UINT32)) {
        return false;
    }
    value = size == sizeof(TW_UINT32) ? one.Item : one.Item & ((TW_UINT32{1} << size * 8) - 1);
    return true;
}

TW_INT32 SupportFlags(const CapabilityDef& def) {
    const TW_INT32 reads = TWQC_GET | TWQC_GETCURRENT | TWQC_GETDEFAULT;
    return def.settable ? reads | TWQC_SET | TWQC_RESET : reads;
}

} // namespace

size_t ItemSize(TW_UINT16 itemType) {
    switch (itemType) {
    case TWTY_INT8:
    case TWTY_UINT8:
        return 1;
    case TWTY_INT16:
    case TWTY_UINT16:
    case TWTY_BOOL:
        return 2;
    case TWTY_INT32:
    case TWTY_UINT32:
    case TWTY_FIX32:
        return 4;
    case TWTY_FRAME:
        return sizeof(TW_FRAME);
    case TWTY_STR32:
        return sizeof(TW_STR32);
    case TWTY_STR64:
        return sizeof(TW_STR64);
    case TWTY_STR128:
        return sizeof(TW_STR128);
    case TWTY_STR255:
        return sizeof(TW_STR255);
    default:
        return 0;
    }
}

// The Memory Manager, deprecated without a successor for a TWAIN handle (see above).
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
TW_HANDLE NewContainer(TW_UINT16 conType, TW_UINT16 itemType, const std::vector<TW_UINT32>& items,
                       TW_UINT32 currentIndex, TW_UINT32 defaultIndex) {
    // Items wider than four bytes (frames, strings) are never built by this driver.
    const size_t itemSize = std::min(ItemSize(itemType), sizeof(TW_UINT32));
    const auto count = static_cast<TW_UINT32>(items.size());
    size_t size = 0;
    switch (conType) {
    case TWON_ONEVALUE:
        size = sizeof(TW_ONEVALUE);
        break;
    case TWON_ENUMERATION:
        size = offsetof(TW_ENUMERATION, ItemList) + count * itemSize;
        break;
    case TWON_ARRAY:
        size = offsetof(TW_ARRAY, ItemList) + count * itemSize;
        break;
    case TWON_RANGE:
        size = sizeof(TW_RANGE);
        break;
    default:
        return nullptr;
    }
    Handle handle = NewHandleClear(static_cast<Size>(size));
    if (handle == nullptr) {
        return nullptr;
    }
    HLock(handle);
    char* block = *handle;
    TW_UINT8* list = nullptr;
    switch (conType) {
    case TWON_ONEVALUE: {
        auto* one = reinterpret_cast<TW_ONEVALUE*>(block);
        one->ItemType = itemType;
        one->Item = items.at(0);
        break;
    }
    case TWON_ENUMERATION: {
        auto* enumeration = reinterpret_cast<TW_ENUMERATION*>(block);
        enumeration->ItemType = itemType;
        enumeration->NumItems = count;
        enumeration->CurrentIndex = currentIndex;
        enumeration->DefaultIndex = defaultIndex;
        list = enumeration->ItemList;
        break;
    }
    case TWON_ARRAY: {
        auto* array = reinterpret_cast<TW_ARRAY*>(block);
        array->ItemType = itemType;
        array->NumItems = count;
        list = array->ItemList;
        break;
    }
    case TWON_RANGE: {
        auto* range = reinterpret_cast<TW_RANGE*>(block);
        range->ItemType = itemType;
        range->MinValue = items.at(0);
        range->MaxValue = items.at(1);
        range->StepSize = items.at(2);
        range->DefaultValue = items.at(3);
        range->CurrentValue = items.at(4);
        break;
    }
    }
    for (TW_UINT32 i = 0; list != nullptr && i < count; ++i) {
        std::memcpy(list + i * itemSize, &items[i], itemSize); // low bytes: little-endian
    }
    HUnlock(handle);
    return handle;
}
#pragma GCC diagnostic pop

void SetSupportedCapsAnswer(const TW_UINT16* caps, size_t count) {
    SupportedCapsAnswer().assign(caps, caps != nullptr ? caps + count : caps);
}

// The Memory Manager, deprecated without a successor for a TWAIN handle (see above).
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
TW_HANDLE NewTextOneValue(TW_UINT16 itemType, const char* text) {
    const size_t slot = ItemSize(itemType);
    Handle handle = NewHandleClear(static_cast<Size>(offsetof(TW_ONEVALUE, Item) + slot));
    if (handle == nullptr) {
        return nullptr;
    }
    HLock(handle);
    std::memcpy(*handle, &itemType, sizeof itemType);
    if (slot > 0 && text != nullptr) {
        std::strncpy(*handle + offsetof(TW_ONEVALUE, Item), text, slot - 1);
    }
    HUnlock(handle);
    return handle;
}
#pragma GCC diagnostic pop

CCapabilities::CCapabilities() {
    Restore();
}

void CCapabilities::Restore() {
    m_current.clear();
    for (const CapabilityDef& def : Table()) {
        m_current.push_back(def.initialValue);
    }
}

TW_UINT32 CCapabilities::Current(TW_UINT16 cap) const {
    const size_t row = RowOf(cap);
    return row == kNotFound ? 0 : m_current[row];
}

void CCapabilities::Force(TW_UINT16 cap, TW_UINT32 value) {
    const size_t row = RowOf(cap);
    if (row != kNotFound) {
        m_current[row] = value;
    }
}

TW_UINT16 CCapabilities::Operate(TW_UINT16 msg, TW_CAPABILITY& cap) {
    const size_t row = RowOf(cap.Cap);
    if (row == kNotFound) {
        return TWCC_CAPUNSUPPORTED;
    }
    const CapabilityDef& def = Table()[row];
    if (msg == MSG_SET || msg == MSG_RESET) {
        if (!def.settable) {
            return TWCC_CAPBADOPERATION;
        }
        if (msg == MSG_RESET) {
            m_current[row] = def.defaultValue;
            return Answer(cap, row, MSG_GET);
        }
        TW_UINT32 value = 0;
        if (!ReadOneValue(cap, def.itemType, value) || !Allowed(def, value)) {
            return TWCC_BADVALUE;
        }
        m_current[row] = value;
        return TWCC_SUCCESS;
    }
    return Answer(cap, row, msg);
}

TW_UINT16 CCapabilities::Answer(TW_CAPABILITY& cap, size_t row, TW_UINT16 msg) const {
    const CapabilityDef& def = Table()[row];
    const TW_UINT32 current = m_current[row];
    TW_UINT16 conType = TWON_ONEVALUE;
    TW_UINT16 itemType = def.itemType;
    std::vector<TW_UINT32> items;
    TW_UINT32 currentIndex = 0, defaultIndex = 0;
    if (msg == MSG_QUERYSUPPORT) {
        itemType = TWTY_INT32;
        items = {static_cast<TW_UINT32>(SupportFlags(def))};
    } else if (def.text != nullptr) {
        cap.ConType = TWON_ONEVALUE; // its one value, whatever the message
        cap.hContainer = NewTextOneValue(itemType, def.text);
        return cap.hContainer != nullptr ? TWCC_SUCCESS : TWCC_LOWMEMORY;
    } else if (def.conType == TWON_ARRAY) {
        conType = TWON_ARRAY; // the list is its own current and default value
        const auto& chosen = SupportedCapsAnswer();
        items = def.cap == CAP_SUPPORTEDCAPS && !chosen.empty() ? chosen : def.values;
    } else if (msg == MSG_GETCURRENT) {
        items = {current};
    } else if (msg == MSG_GETDEFAULT) {
        items = {def.defaultValue};
    } else if (def.conType == TWON_ENUMERATION) {
        conType = TWON_ENUMERATION;
        items = def.values;
        currentIndex = IndexOf(def.values, current);
        defaultIndex = IndexOf(def.values, def.defaultValue);
    } else if (def.conType == TWON_RANGE) {
        conType = TWON_RANGE;
        items = {def.values[0], def.values[1], def.values[2], def.defaultValue, current};
    } else {
        items = {current};
    }
    TW_HANDLE container = NewContainer(conType, itemType, items, currentIndex, defaultIndex);
    if (container == nullptr) {
        return TWCC_LOWMEMORY;
    }
    cap.ConType = conType;
    cap.hContainer = container;
    return TWCC_SUCCESS;
}
