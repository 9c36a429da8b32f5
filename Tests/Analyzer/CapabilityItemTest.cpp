// Capability items: the text of each item type, TWTY_UINT16 values named through the value
// index of their capability, supported-capability names and the vendor version.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "ByteBuilders.h"
#include "ParaAnalyze.h"
#include "TwainXq.h"

namespace {

std::string ItemText(TW_UINT16 cap, TW_UINT16 itemType, const Bytes& bytes) {
    CParaAnalyze analyzer;
    char text[CParaAnalyze::kItemTextSize];
    memset(text, '#', sizeof text);
    // The item's block is exactly the bytes given: a read past them shows under ASan too.
    std::vector<unsigned char> exact(bytes);
    return analyzer.ValToStr(cap, itemType, CBlock(exact.data(), exact.size()), text);
}

TEST(CapabilityItem, TextOfEveryItemType) {
    Bytes frame = Fix(0, 0);
    for (const Bytes& part : {Fix(0, 0), Fix(8, 0x8000), Fix(11, 0)}) {
        frame.insert(frame.end(), part.begin(), part.end());
    }
    const struct {
        TW_UINT16 itemType;
        Bytes bytes;
        std::string text;
    } cases[] = {
        {TWTY_INT8, {0x05}, "0x05"},
        {TWTY_INT8, {0xff}, "0xffffffff"},
        {TWTY_INT8, {0x80}, "0xffffff80"},
        {TWTY_INT16, Le(0xffff, 2), "-1"},
        {TWTY_INT16, Le(0x7fff, 2), "32767"},
        {TWTY_INT32, Le(0xffffffff, 4), "-1"},
        {TWTY_UINT8, {200}, "0xc8"},
        {TWTY_UINT32, Le(0xffffffff, 4), "-1"},
        {TWTY_UINT32, Le(0x80000000, 4), "-2147483648"},
        {TWTY_BOOL, Le(0x0100, 2), "true"},
        {TWTY_BOOL, Le(0x0001, 2), "true"},
        {TWTY_BOOL, Le(0, 2), "false"},
        {TWTY_FIX32, Fix(-2, 0x8000), "-1.500"},
        {TWTY_FIX32, Fix(0, 0x4000), "0.250"},
        {TWTY_FIX32, Fix(1, 1), "1.000"},
        {TWTY_FIX32, Fix(0x7fff, 0xffff), "32768.000"},
        {TWTY_FRAME, frame, "0.000,0.000,8.500,11.000"},
        {TWTY_STR32, Text("", 34), ""},
        {TWTY_STR32, Text("Flatbed", 34), "Flatbed"},
        {TWTY_STR64, Text(std::string("a\0b", 3), 66), "a"},
        {TWTY_STR255, Text(std::string(255, 's'), 256), std::string(255, 's')},
        // A string without its NUL stops at the end of its slot.
        {TWTY_STR32, Bytes(34, 'x'), std::string(34, 'x')},
        {TWTY_STR128, Bytes(130, 'y'), std::string(130, 'y')},
        // ... or at the end of the container, when that comes first.
        {TWTY_STR255, Bytes(20, 'z'), std::string(20, 'z')},
        // A type beyond TWTY_STR255: the field's four bytes as a signed number.
        {13, Le(7, 4), "7"},
        {0xffff, Le(0xfffffffe, 4), "-2"},
        // Values that do not lie in the container in full.
        {TWTY_INT32, Le(1, 2), "!!! beyond the container !!!"},
        {TWTY_INT16, {0x01}, "!!! beyond the container !!!"},
        {TWTY_FIX32, {}, "!!! beyond the container !!!"},
        {TWTY_FRAME, Bytes(frame.begin(), frame.begin() + 12), "!!! beyond the container !!!"},
        {13, Le(7, 3), "!!! beyond the container !!!"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "type " << c.itemType << ", " << c.bytes.size() << " bytes");
        EXPECT_EQ(ItemText(CAP_XFERCOUNT, c.itemType, c.bytes), c.text);
    }
}

std::string UInt16Text(TW_UINT16 cap, TW_UINT16 value) {
    return ItemText(cap, TWTY_UINT16, Le(value, 2));
}

TEST(CapabilityItem, UInt16ValuesByTheirCapability) {
    const struct {
        TW_UINT16 cap;
        TW_UINT16 value;
        const char* text;
    } cases[] = {
        // The names the demo's capabilities answer with are in the golden scan-session log.
        {ICAP_PIXELTYPE, 9, "ERROR!(9)"},
        // Every name of every indexed table: EveryIndexedTableNamesAllItsValues.
        {ICAP_XFERMECH, 65535, "ERROR!(65535)"},
        // No row in the index: the number.
        {CAP_XFERCOUNT, 5, "5"},
        {CAP_CUSTOMBASE, 7, "7"},
        {0x8002, 1, "1"},
        {0x8002, 65535, "65535"},
        {CAP_XQ_UIMODE, 9, "ERROR!(9)"},
        {CAP_XQ_VERSION, 0, "0.0"},
        {CAP_XQ_VERSION, 0x0a10, "a.10"},
        {CAP_XQ_VERSION, 0xffff, "ff.ff"},
        {CAP_SUPPORTEDCAPS, 0x8000, "CAP_CUSTOMBASE"},
        {CAP_SUPPORTEDCAPS, 0x8001, "CAP_XQ_VERSION"},
        {CAP_SUPPORTEDCAPS, 0x8003, "ICAP_XQ_FILMTYPE"},
        {CAP_SUPPORTEDCAPS, 0x8043, "ICAP_XQ_ADE"}, // listed twice: the earlier row
        {CAP_SUPPORTEDCAPS, 0x9000, "ERROR!(36864)"},
        {CAP_SUPPORTEDCAPS, 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "cap " << c.cap << ", value " << c.value);
        EXPECT_EQ(UInt16Text(c.cap, c.value), c.text);
    }
}

// Every name of every indexed table, the last one before the terminator included, is found
// for its capability; a value listed twice gives its earlier name.
TEST(CapabilityItem, EveryIndexedTableNamesAllItsValues) {
    for (const auto* index : {VALTOCAP, VALTOCAPXQ}) {
        for (const ValToCapEntry* row = index; row->table != nullptr; ++row) {
            for (uint32_t i = 0; i + 1 < row->count; ++i) {
                const MacroEntry& entry = row->table[i];
                const MacroEntry* first = row->table;
                while (first->value != entry.value) {
                    ++first;
                }
                EXPECT_EQ(UInt16Text(static_cast<TW_UINT16>(row->cap),
                                     static_cast<TW_UINT16>(entry.value)),
                          first->name)
                    << "cap " << row->cap << ", " << entry.name;
            }
        }
    }
}

TEST(CapabilityItem, VersionAndSupportedCapsHelpersStayInTheirText) {
    CParaAnalyze analyzer;
    char text[8];
    analyzer.MakeCapXqVersion(0x0102, text, sizeof text);
    EXPECT_STREQ(text, "1.2");
    analyzer.MakeCapSupportedCaps(ICAP_BRIGHTNESS, text, sizeof text);
    EXPECT_STREQ(text, "ICAP_BR");
    analyzer.MakeCapSupportedCaps(0, text, sizeof text);
    EXPECT_STREQ(text, "");
}

// A text read into no room writes nothing and gives the empty text.
TEST(CapabilityItem, StringIntoNoRoom) {
    const char field[] = "Flatbed";
    const CBlock b(field, sizeof field);
    char out[4] = {'#', '#', '#', '#'};
    EXPECT_STREQ(b.Str(0, sizeof field, out, 0), "");
    EXPECT_EQ(out[0], '#');
    EXPECT_STREQ(b.Str(0, sizeof field, nullptr, sizeof out), "");
    EXPECT_STREQ(b.Str(0, sizeof field, out, 1), "");
}

} // namespace
