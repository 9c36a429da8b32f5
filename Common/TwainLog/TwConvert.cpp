#include "TwConvert.h"

#include <cstring>

// The length-prefixed names are converted through the platform's string objects, the one
// place a dumper allocates.
#include <CoreFoundation/CoreFoundation.h>

#include "ParaAnalyze.h"
#include "TwFormat.h"
#include "TwainXq.h"

const char* FrameText(const CBlock& block, size_t offset, char (&out)[kFrameTextSize]) {
    TwFormat(out, sizeof out, "%.3f,%.3f,%.3f,%.3f", block.Fix32(offset + offsetof(TW_FRAME, Left)),
             block.Fix32(offset + offsetof(TW_FRAME, Top)),
             block.Fix32(offset + offsetof(TW_FRAME, Right)),
             block.Fix32(offset + offsetof(TW_FRAME, Bottom)));
    return out;
}

const char* NumberList16(const CBlock& block, size_t offset, size_t count, bool isSigned,
                         char (&out)[kNumberListSize]) {
    out[0] = '\0';
    size_t length = 0;
    for (size_t i = 0; i < count && length < sizeof out; ++i) {
        const size_t at = offset + 2 * i;
        const int value = isSigned ? int{block.I16(at)} : int{block.U16(at)};
        const int written =
            TwFormat(out + length, sizeof out - length, i == 0 ? "%d" : ",%d", value);
        if (written < 0) {
            break;
        }
        length += static_cast<size_t>(written);
    }
    return out;
}

const char* ColorCoeffText(const CBlock& coeff, char (&out)[kCoeffTextSize]) {
    out[0] = '\0';
    if (!coeff.IsNull()) {
        constexpr size_t kStep = sizeof(TW_FIX32);
        TwFormat(out, sizeof out, "%.3f,%.3f,%.3f,%.3f,%.3f,%.3f,%.3f,%.3f,%.3f", coeff.Fix32(0),
                 coeff.Fix32(kStep), coeff.Fix32(2 * kStep), coeff.Fix32(3 * kStep),
                 coeff.Fix32(4 * kStep), coeff.Fix32(5 * kStep), coeff.Fix32(6 * kStep),
                 coeff.Fix32(7 * kStep), coeff.Fix32(8 * kStep));
    }
    return out;
}

const char* PascalText(const CBlock& block, size_t offset, char (&out)[kPascalTextSize]) {
    unsigned char name[sizeof(TWXQ_PSTR32)] = {};
    const CBlock field = block.Sub(offset, sizeof name);
    if (field.Size() > 0) {
        memcpy(name, field.Base(), field.Size());
    }
    if (name[0] > sizeof name - 1) {
        name[0] = static_cast<unsigned char>(sizeof name - 1);
    }
    out[0] = '\0';
    const CFStringEncoding encoding = CFStringGetSystemEncoding();
    CFStringRef text = CFStringCreateWithPascalString(kCFAllocatorDefault, name, encoding);
    if (text != nullptr) {
        if (!CFStringGetCString(text, out, sizeof out, encoding)) {
            out[0] = '\0';
        }
        CFRelease(text);
    }
    return out;
}

// ---------------------------------------------------------------------------------------
// Capability items

namespace {

// An item whose bytes are not all inside the container's block.
constexpr char kBeyondContainer[] = "!!! beyond the container !!!";

bool IsStringType(unsigned short itemType) {
    return itemType >= TWTY_STR32 && itemType <= TWTY_STR255;
}

} // namespace

const char* CParaAnalyze::ValToStr(unsigned short cap, unsigned short itemType, const CBlock& item,
                                   char (&text)[kItemTextSize]) {
    const size_t size = ItemSize(itemType);
    if (IsStringType(itemType)) {
        return item.Str(0, size, text); // up to its NUL, the end of its slot or of the block
    }
    // A type without a size shows the four bytes that every container field holds.
    if (!item.Has(0, size != 0 ? size : sizeof(TW_UINT32))) {
        TwFormat(text, sizeof text, "%s", kBeyondContainer);
        return text;
    }
    switch (itemType) {
    case TWTY_INT8:
        TwFormat(text, sizeof text, "0x%02x",
                 static_cast<unsigned int>(static_cast<int8_t>(item.U8(0))));
        break;
    case TWTY_INT16:
        TwFormat(text, sizeof text, "%d", item.I16(0));
        break;
    case TWTY_INT32:
        TwFormat(text, sizeof text, "%d", item.I32(0));
        break;
    case TWTY_UINT8:
        TwFormat(text, sizeof text, "0x%02x", static_cast<unsigned int>(item.U8(0)));
        break;
    case TWTY_UINT16:
        // A supported capability's name as its table stores it, without a copy.
        if (cap == CAP_SUPPORTEDCAPS && item.U16(0) != 0) {
            if (const char* name = CapabilityName(item.U16(0))) {
                return name;
            }
        }
        ValToCap(cap, item.U16(0), text, sizeof text);
        break;
    case TWTY_UINT32:
        TwFormat(text, sizeof text, "%d", static_cast<int32_t>(item.U32(0)));
        break;
    case TWTY_BOOL:
        TwFormat(text, sizeof text, "%s", item.Bool(0));
        break;
    case TWTY_FIX32:
        TwFormat(text, sizeof text, "%.3f", item.Fix32(0));
        break;
    case TWTY_FRAME: {
        char frame[kFrameTextSize];
        TwFormat(text, sizeof text, "%s", FrameText(item, 0, frame));
        break;
    }
    default:
        TwFormat(text, sizeof text, "%d", item.I32(0));
        break;
    }
    return text;
}

void CParaAnalyze::ValToCap(unsigned short cap, unsigned short value, char* text, size_t textSize) {
    if (cap == CAP_XQ_VERSION) {
        MakeCapXqVersion(value, text, textSize);
        return;
    }
    if (cap == CAP_SUPPORTEDCAPS) {
        MakeCapSupportedCaps(value, text, textSize);
        return;
    }
    const ValToCapEntry* row = cap > kLastStandardId ? VALTOCAPXQ : VALTOCAP;
    while (row->table != nullptr && row->cap != cap) {
        ++row;
    }
    if (row->table == nullptr) {
        TwFormat(text, textSize, "%d", value);
        return;
    }
    TwFormat(text, textSize, "%s", MacroName(MacroTable{row->table, row->count - 1}, value));
}

void CParaAnalyze::MakeCapSupportedCaps(unsigned short capId, char* text, size_t textSize) {
    const char* name = capId != 0 ? CapabilityName(capId) : "";
    if (name == nullptr) {
        GetCapabilityName(capId, text, textSize); // its miss text
        return;
    }
    TwFormat(text, textSize, "%s", name);
}

void CParaAnalyze::MakeCapXqVersion(unsigned short value, char* text, size_t textSize) {
    TwFormat(text, textSize, "%x.%x", value >> 8, value & 0xFFu);
}
