// The name tables: their stored order, the value indexes, and the one lookup over them.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "twaintbl.h"

namespace {

std::string Name(MacroTable table, int64_t value) {
    char text[kMacroNameSize];
    GetMacroName(table, value, text);
    return text;
}

struct Lookup {
    MacroTable table;
    int64_t value;
    const char* expected;
};

TEST(Tables, LookupFirstMatchAndMissText) {
    const Lookup cases[] = {
        // Shared values print the earlier row.
        {MacroRows(twor_macros), 0, "TWOR_ROT0"},
        {MacroRows(twor_macros), 3, "TWOR_ROT270"},
        {MacroRows(twss_macros), 1, "TWSS_A4LETTER"},
        {MacroRows(twss_macros), 2, "TWSS_B5LETTER"},
        {MacroRows(twss_macros), 53, "TWSS_BUSINESSCARD"},
        {MacroRows(twif_macros), 3, "TWIF_BANDPASS"},
        {MacroRows(twif_macros), 4, "TWIF_HIGHPASS"},
        {MacroRows(twlg_macros), 0, "TWLG_DAN"},
        {MacroRows(twlg_macros), 13, "TWLG_USA"},
        {MacroRows(twlg_macros), -1, "TWLG_USERLOCALE"},
        {MacroRows(twcy_macros), 7, "TWCY_USSR"},
        {MacroRows(twcy_macros), 1, "TWCY_USA"},
        {MacroRows(twon_macros), 1, "TWON_PROTOCOLMAJOR"},
        {MacroRows(twon_macros), 9, "TWON_PROTOCOLMINOR"},
        {MacroRows(twon_macros), 4294967295, "TWON_DONTCARE32"},
        {MacroRows(twxq_fet_macros), 1, "TWXQ_FT_MPF"},
        {MacroRows(twxq_ft_macros), 1, "TWXQ_FT_NEGA"},
        {MacroRows(icap_xq_macros), 0x8043, "ICAP_XQ_ADE"},
        // CUSTOMBASE rows sit at 0x8000 in the standard tables.
        {MacroRows(dat_macros), 0x8000, "DAT_CUSTOMBASE"},
        {MacroRows(msg_macros), 0x8000, "MSG_CUSTOMBASE"},
        {MacroRows(twrc_macros), 0x8000, "TWRC_CUSTOMBASE"},
        // Misses: the value as signed 32-bit; the terminator's -1 is never matched. Every
        // table misses the same way (the triplet line's misses are in TripletLine.Names,
        // every width in Format.MissTextOfEveryWidth).
        {MacroRows(twrc_macros), 10, "ERROR!(10)"},
        {MacroRows(dg_macros), 8, "ERROR!(8)"},
        {MacroRows(dg_macros), -1, "ERROR!(-1)"},
    };
    for (const Lookup& c : cases) {
        EXPECT_EQ(Name(c.table, c.value), c.expected) << "value " << c.value;
    }
}

TEST(Tables, LookupIntoShortBufferStaysTerminated) {
    char text[8];
    memset(text, 'x', sizeof text);
    GetMacroName(MacroRows(twrc_macros), TWRC_DATANOTAVAILABLE, text);
    EXPECT_STREQ(text, "TWRC_DA");
    GetMacroName(MacroRows(twrc_macros), 123456, text);
    EXPECT_STREQ(text, "ERROR!(");
}

// The names the demo session's capabilities print are in the golden scan-session log.
TEST(Tables, CapabilityNames) {
    const std::pair<uint32_t, const char*> cases[] = {
        {0x8000, "CAP_CUSTOMBASE"},
        {0x8043, "ICAP_XQ_ADE"},
        {0x8079, "ICAP_XQ_COLORSLIPREDUCTION"},
        {0x8006, "ERROR!(32774)"},
        {0x9000, "ERROR!(36864)"},
        {0x1234, "ERROR!(4660)"},
        {0x0000, "ERROR!(0)"},
        {0x1201, "ERROR!(4609)"},
    };
    for (const auto& [cap, expected] : cases) {
        char text[kMacroNameSize];
        GetCapabilityName(cap, text, sizeof text);
        EXPECT_STREQ(text, expected) << std::hex << cap;
    }
}

} // namespace
