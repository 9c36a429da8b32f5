// The name tables: their sizes and stored order, and the one lookup over them.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "twaintbl.h"

namespace {

struct TableSize {
    const char* name;
    const MacroEntry* table;
    size_t rowsWithTerminator;
    size_t expectedNameRows;
};

#define TABLE(t, n) \
    { #t, t, std::size(t), n }
const TableSize kTableSizes[] = {
    TABLE(twrc_macros, 11),    TABLE(dg_macros, 3),     TABLE(dat_macros, 33),
    TABLE(msg_macros, 35),     TABLE(twty_macros, 13),  TABLE(twon_macros, 12),
    TABLE(twcc_macros, 23),    TABLE(cap_macros, 50),   TABLE(icap_macros, 76),
    TABLE(twss_macros, 58),    TABLE(twlg_macros, 129), TABLE(twcy_macros, 239),
    TABLE(dat_xq_macros, 14),  TABLE(msg_xq_macros, 2), TABLE(cap_xq_macros, 23),
    TABLE(icap_xq_macros, 58),
};
#undef TABLE

TEST(Tables, RowCountsAndTerminators) {
    for (const TableSize& t : kTableSizes) {
        SCOPED_TRACE(t.name);
        EXPECT_EQ(t.rowsWithTerminator, t.expectedNameRows + 1);
        const MacroEntry& end = t.table[t.rowsWithTerminator - 1];
        EXPECT_STREQ(end.name, "ERROR!");
        EXPECT_EQ(end.value, -1);
    }
}

// The index records in stored order: capability, table, count (terminator included).
struct IndexRow {
    uint32_t cap;
    const MacroEntry* table;
    uint32_t count;
};

const IndexRow kValToCap[] = {
    {0x112c, twbr_macros, 5},  {0x111c, twbo_macros, 3},  {0x0100, twcp_macros, 14},
    {0x1106, twft_macros, 10}, {0x110c, twff_macros, 11}, {0x111e, twlp_macros, 3},
    {0x110e, twls_macros, 8},  {0x1110, twor_macros, 7},  {0x111f, twpf_macros, 3},
    {0x0101, twpt_macros, 10}, {0x1120, twpc_macros, 3},  {0x1122, twss_macros, 59},
    {0x0103, twsx_macros, 4},  {0x0102, twun_macros, 7},  {0x1012, twdx_macros, 4},
    {0x1017, twjc_macros, 6},  {0x1201, twaf_macros, 5},  {0x1018, twal_macros, 10},
    {0x101d, twcb_macros, 4},  {0x1022, twde_macros, 19}, {0x102d, twfa_macros, 5},
    {0x102e, twfo_macros, 3},  {0x1020, twps_macros, 3},  {0x1026, twpr_macros, 9},
    {0x1029, twpm_macros, 4},  {0x113b, twbd_macros, 5},  {0x1146, twfl_macros, 6},
    {0x1136, twfr_macros, 3},  {0x1147, twif_macros, 8},  {0x1148, twnf_macros, 5},
    {0x1149, twov_macros, 6},
};

const IndexRow kValToCapXq[] = {
    {0x800f, twxq_ui_macros, 8},   {0x8003, twxq_ft_macros, 6},  {0x8005, twxq_em_macros, 4},
    {0x8007, twxq_pg_macros, 3},   {0x8008, twxq_gt_macros, 4},  {0x8009, twxq_cc_macros, 4},
    {0x8012, twxq_cl_macros, 3},   {0x8018, twxq_tpu_macros, 5}, {0x8024, twxq_usm_macros, 5},
    {0x8020, twxq_dscr_macros, 5}, {0x8017, twxq_ta_macros, 3},  {0x8028, twxq_dr_macros, 4},
    {0x802d, twxq_ice_macros, 3},  {0x802a, twxq_gr_macros, 4},  {0x8030, twxq_ht_macros, 7},
    {0x8031, twxq_fs_macros, 7},   {0x8033, twxq_af_macros, 3},  {0x803b, twxq_fet_macros, 3},
    {0x803d, twxq_li_macros, 3},
};

template <size_t N, size_t M>
void ExpectIndex(const ValToCapEntry (&index)[N], const IndexRow (&expected)[M]) {
    ASSERT_EQ(N, M + 1);
    for (size_t i = 0; i < M; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(index[i].cap, expected[i].cap);
        EXPECT_EQ(index[i].table, expected[i].table);
        EXPECT_EQ(index[i].count, expected[i].count);
        const MacroEntry& end = index[i].table[index[i].count - 1];
        EXPECT_STREQ(end.name, "ERROR!");
    }
    EXPECT_EQ(index[M].cap, 0xFFFFFFFFu);
    EXPECT_EQ(index[M].count, 0xFFFFFFFFu);
    EXPECT_EQ(index[M].table, nullptr);
}

TEST(Tables, ValueIndexes) {
    ExpectIndex(VALTOCAP, kValToCap);
    ExpectIndex(VALTOCAPXQ, kValToCapXq);
}

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
        {MacroRows(twss_macros), 6, "TWSS_B4"},
        {MacroRows(twss_macros), 7, "TWSS_B6"},
        {MacroRows(twss_macros), 12, "TWSS_B3"},
        {MacroRows(twss_macros), 53, "TWSS_BUSINESSCARD"},
        {MacroRows(twif_macros), 3, "TWIF_BANDPASS"},
        {MacroRows(twif_macros), 4, "TWIF_HIGHPASS"},
        {MacroRows(twlg_macros), 0, "TWLG_DAN"},
        {MacroRows(twlg_macros), 13, "TWLG_USA"},
        {MacroRows(twlg_macros), 14, "TWLG_AFRIKAANS"},
        {MacroRows(twlg_macros), 113, "TWLG_VIETNAMESE"},
        {MacroRows(twlg_macros), -1, "TWLG_USERLOCALE"},
        {MacroRows(twcy_macros), 7, "TWCY_USSR"},
        {MacroRows(twcy_macros), 27, "TWCY_ANDORRA"},
        {MacroRows(twcy_macros), 1, "TWCY_USA"},
        {MacroRows(twcy_macros), 39, "TWCY_ITALY"},
        {MacroRows(twcy_macros), 82, "TWCY_KOREA"},
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
        // Misses: the value as signed 32-bit; the terminator's -1 is never matched.
        {MacroRows(twrc_macros), 10, "ERROR!(10)"},
        {MacroRows(dg_macros), 8, "ERROR!(8)"},
        {MacroRows(dg_macros), -1, "ERROR!(-1)"},
        {MacroRows(dat_macros), 0x0400, "ERROR!(1024)"},
        {MacroRows(twss_macros), 8, "ERROR!(8)"},
        {MacroRows(twlg_macros), 65535, "ERROR!(65535)"},
        {MacroRows(twpt_macros), -1, "ERROR!(-1)"},
        {MacroRows(dat_xq_macros), 0x800c, "ERROR!(32780)"},
        {MacroRows(msg_xq_macros), 0x8003, "ERROR!(32771)"},
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

TEST(Tables, CapabilityNames) {
    const std::pair<uint32_t, const char*> cases[] = {
        {0x0001, "CAP_XFERCOUNT"},
        {0x1005, "CAP_SUPPORTEDCAPS"},
        {0x1101, "ICAP_BRIGHTNESS"},
        {0x0101, "ICAP_PIXELTYPE"},
        {0x8000, "CAP_CUSTOMBASE"},
        {0x8001, "CAP_XQ_VERSION"},
        {0x8003, "ICAP_XQ_FILMTYPE"},
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
