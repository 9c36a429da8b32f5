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

// TWAIN 2's triplets (the values of the TWAIN 2.5 header) are named in the TWAIN 2 build only;
// values no TWAIN version defines miss in both.
TEST(Tables, Twain2TripletNames) {
    const Lookup cases[] = {
        {MacroRows(dat_macros), 0x0011, "DAT_STATUSUTF8"},
        {MacroRows(dat_macros), 0x0012, "DAT_CALLBACK2"},
        {MacroRows(dat_macros), 0x0013, "DAT_METRICS"},
        {MacroRows(dat_macros), 0x0014, "DAT_TWAINDIRECT"},
        {MacroRows(dat_macros), 0x010c, "DAT_FILTER"},
        {MacroRows(dat_macros), 0x0401, "DAT_ICCPROFILE"},
        {MacroRows(dat_macros), 0x0402, "DAT_IMAGEMEMFILEXFER"},
        {MacroRows(dat_macros), 0x0403, "DAT_ENTRYPOINT"},
        {MacroRows(msg_macros), 0x0009, "MSG_GETHELP"},
        {MacroRows(msg_macros), 0x000a, "MSG_GETLABEL"},
        {MacroRows(msg_macros), 0x000b, "MSG_GETLABELENUM"},
        {MacroRows(msg_macros), 0x000c, "MSG_SETCONSTRAINT"},
        {MacroRows(msg_macros), 0x0702, "MSG_STOPFEEDER"},
        {MacroRows(msg_macros), 0x080a, "MSG_COPY"},
        {MacroRows(msg_macros), 0x080b, "MSG_AUTOMATICCAPTUREDIRECTORY"},
        {MacroRows(msg_macros), 0x0902, "MSG_REGISTER_CALLBACK"},
        {MacroRows(msg_macros), 0x0903, "MSG_INVOKE_CALLBACK"},
        {MacroRows(msg_macros), 0x0a01, "MSG_RESETALL"},
        {MacroRows(msg_macros), 0x0b01, "MSG_SETTASK"},
    };
    for (const Lookup& c : cases) {
        const std::string unnamed = "ERROR!(" + std::to_string(c.value) + ")";
        EXPECT_EQ(Name(c.table, c.value), TWAINMON_TWAIN2 ? c.expected : unnamed);
    }
    EXPECT_EQ(Name(MacroRows(dat_macros), 0x0015), "ERROR!(21)");
    EXPECT_EQ(Name(MacroRows(msg_macros), 0x000d), "ERROR!(13)");
    EXPECT_EQ(Name(MacroRows(msg_macros), 0x0b02), "ERROR!(2818)");
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
