// Name tables of the TWAIN constants and of the vendor's extension, the index that says
// which table names the item values of a capability, and the one lookup over them.
#ifndef TWAINMON_TWAINTBL_H
#define TWAINMON_TWAINTBL_H

#include <cstddef>
#include <cstdint>
#include <iterator>

#include "TwainXq.h"

// One row of a name table. Every table ends with the terminator {"ERROR!", -1}, which is
// never compared: it only gives the miss text its name.
struct MacroEntry {
    const char* name;
    int64_t value;
};

// One row of a capability-to-table index. count counts the table's rows, terminator
// included. An index ends with {0xFFFFFFFF, 0xFFFFFFFF, nullptr}.
struct ValToCapEntry {
    uint32_t cap;
    uint32_t count;
    const MacroEntry* table;
};

// The rows of a name table that a lookup scans: all rows before the terminator.
struct MacroTable {
    const MacroEntry* rows;
    size_t count;
};

template <size_t N>
constexpr MacroTable MacroRows(const MacroEntry (&table)[N]) {
    return {table, N - 1};
}

// Writes the name of the first row whose value equals value into dest; when no row
// matches, writes "ERROR!(<value as signed 32-bit>)" and returns false.
bool GetMacroName(MacroTable table, int64_t value, char* dest, size_t destSize);

template <size_t N>
bool GetMacroName(MacroTable table, int64_t value, char (&dest)[N]) {
    return GetMacroName(table, value, dest, N);
}

// Identifiers up to 0x8000 are named by the standard table of their family, from 0x8001
// on by the vendor table.
constexpr uint32_t kLastStandardId = 0x8000;

// The standard table of a family for identifiers up to 0x8000, else the vendor table.
constexpr MacroTable StandardOrVendor(uint32_t value, MacroTable standard, MacroTable vendor) {
    return value > kLastStandardId ? vendor : standard;
}

// The name of a capability identifier: the capability table, then the image-capability
// table of the identifier's range, else the miss text. Names by index: a table built at
// compile time gives each identifier of the common ranges the row those two scans in stored
// order find first.
void GetCapabilityName(uint32_t cap, char* dest, size_t destSize);
// The same name as stored in its table, without a copy; null on a miss.
const char* CapabilityName(uint32_t cap);

// Longest name or miss text, with its NUL, fits here.
constexpr size_t kMacroNameSize = 64;

#define TW_MACRO_ROW(name, value) {#name, name},
#define TW_MACRO_END \
    { "ERROR!", -1 }
#define TW_NAME_TABLE(table, list) \
    inline constexpr MacroEntry table[] = {list(TW_MACRO_ROW) TW_MACRO_END};

// Triplet line and result section
TW_NAME_TABLE(twrc_macros, TW_TWRC_LIST)
TW_NAME_TABLE(dg_macros, TW_DG_LIST)
#if TWAINMON_TWAIN2
#define TW_DAT_NAMES(X) TW_DAT_LIST(X) TW_DAT2_LIST(X)
#define TW_MSG_NAMES(X) TW_MSG_LIST(X) TW_MSG2_LIST(X)
#else
#define TW_DAT_NAMES TW_DAT_LIST
#define TW_MSG_NAMES TW_MSG_LIST
#endif
TW_NAME_TABLE(dat_macros, TW_DAT_NAMES)
TW_NAME_TABLE(msg_macros, TW_MSG_NAMES)
// Structure and container fields
TW_NAME_TABLE(twty_macros, TW_TWTY_LIST)
TW_NAME_TABLE(twon_macros, TW_TWON_LIST)
TW_NAME_TABLE(twcc_macros, TW_TWCC_LIST)
// Capability identifiers
TW_NAME_TABLE(cap_macros, TW_CAP_LIST)
TW_NAME_TABLE(icap_macros, TW_ICAP_LIST)
// Capability values
TW_NAME_TABLE(twbr_macros, TW_TWBR_LIST)
TW_NAME_TABLE(twbo_macros, TW_TWBO_LIST)
TW_NAME_TABLE(twcp_macros, TW_TWCP_LIST)
TW_NAME_TABLE(twft_macros, TW_TWFT_LIST)
TW_NAME_TABLE(twff_macros, TW_TWFF_LIST)
TW_NAME_TABLE(twlp_macros, TW_TWLP_LIST)
TW_NAME_TABLE(twls_macros, TW_TWLS_LIST)
TW_NAME_TABLE(twor_macros, TW_TWOR_LIST)
TW_NAME_TABLE(twpf_macros, TW_TWPF_LIST)
TW_NAME_TABLE(twpt_macros, TW_TWPT_LIST)
TW_NAME_TABLE(twpc_macros, TW_TWPC_LIST)
TW_NAME_TABLE(twss_macros, TW_TWSS_LIST)
TW_NAME_TABLE(twsx_macros, TW_TWSX_LIST)
TW_NAME_TABLE(twun_macros, TW_TWUN_LIST)
TW_NAME_TABLE(twdx_macros, TW_TWDX_LIST)
TW_NAME_TABLE(twjc_macros, TW_TWJC_LIST)
TW_NAME_TABLE(twaf_macros, TW_TWAF_LIST)
TW_NAME_TABLE(twal_macros, TW_TWAL_LIST)
TW_NAME_TABLE(twcb_macros, TW_TWCB_LIST)
TW_NAME_TABLE(twde_macros, TW_TWDE_LIST)
TW_NAME_TABLE(twfa_macros, TW_TWFA_LIST)
TW_NAME_TABLE(twfo_macros, TW_TWFO_LIST)
TW_NAME_TABLE(twps_macros, TW_TWPS_LIST)
TW_NAME_TABLE(twpr_macros, TW_TWPR_LIST)
TW_NAME_TABLE(twpm_macros, TW_TWPM_LIST)
TW_NAME_TABLE(twbd_macros, TW_TWBD_LIST)
TW_NAME_TABLE(twfl_macros, TW_TWFL_LIST)
TW_NAME_TABLE(twfr_macros, TW_TWFR_LIST)
TW_NAME_TABLE(twif_macros, TW_TWIF_LIST)
TW_NAME_TABLE(twnf_macros, TW_TWNF_LIST)
TW_NAME_TABLE(twov_macros, TW_TWOV_LIST)
// Identity
TW_NAME_TABLE(twlg_macros, TW_TWLG_LIST)
TW_NAME_TABLE(twcy_macros, TW_TWCY_LIST)

// Vendor extension
TW_NAME_TABLE(dat_xq_macros, TW_DAT_XQ_LIST)
TW_NAME_TABLE(msg_xq_macros, TW_MSG_XQ_LIST)
TW_NAME_TABLE(cap_xq_macros, TW_CAP_XQ_LIST)
TW_NAME_TABLE(icap_xq_macros, TW_ICAP_XQ_LIST)
TW_NAME_TABLE(twxq_ui_macros, TW_TWXQ_UI_LIST)
TW_NAME_TABLE(twxq_ft_macros, TW_TWXQ_FT_LIST)
TW_NAME_TABLE(twxq_em_macros, TW_TWXQ_EM_LIST)
TW_NAME_TABLE(twxq_pg_macros, TW_TWXQ_PG_LIST)
TW_NAME_TABLE(twxq_gt_macros, TW_TWXQ_GT_LIST)
TW_NAME_TABLE(twxq_cc_macros, TW_TWXQ_CC_LIST)
TW_NAME_TABLE(twxq_cl_macros, TW_TWXQ_CL_LIST)
TW_NAME_TABLE(twxq_tpu_macros, TW_TWXQ_TPU_LIST)
TW_NAME_TABLE(twxq_usm_macros, TW_TWXQ_USM_LIST)
TW_NAME_TABLE(twxq_dscr_macros, TW_TWXQ_DSCR_LIST)
TW_NAME_TABLE(twxq_ta_macros, TW_TWXQ_TA_LIST)
TW_NAME_TABLE(twxq_dr_macros, TW_TWXQ_DR_LIST)
TW_NAME_TABLE(twxq_ice_macros, TW_TWXQ_ICE_LIST)
TW_NAME_TABLE(twxq_gr_macros, TW_TWXQ_GR_LIST)
TW_NAME_TABLE(twxq_ht_macros, TW_TWXQ_HT_LIST)
TW_NAME_TABLE(twxq_fs_macros, TW_TWXQ_FS_LIST)
TW_NAME_TABLE(twxq_af_macros, TW_TWXQ_AF_LIST)
TW_NAME_TABLE(twxq_fet_macros, TW_TWXQ_FET_LIST)
TW_NAME_TABLE(twxq_li_macros, TW_TWXQ_LI_LIST)

#undef TW_NAME_TABLE

// An index row whose count is taken from the table itself.
#define TW_VALTOCAP_ROW(cap, table) \
    { cap, static_cast<uint32_t>(std::size(table)), table }
#define TW_VALTOCAP_END \
    { 0xFFFFFFFF, 0xFFFFFFFF, nullptr }

inline constexpr ValToCapEntry VALTOCAP[] = {
    TW_VALTOCAP_ROW(ICAP_BITDEPTHREDUCTION, twbr_macros),
    TW_VALTOCAP_ROW(ICAP_BITORDER, twbo_macros),
    TW_VALTOCAP_ROW(ICAP_COMPRESSION, twcp_macros),
    TW_VALTOCAP_ROW(ICAP_FILTER, twft_macros),
    TW_VALTOCAP_ROW(ICAP_IMAGEFILEFORMAT, twff_macros),
    TW_VALTOCAP_ROW(ICAP_LIGHTPATH, twlp_macros),
    TW_VALTOCAP_ROW(ICAP_LIGHTSOURCE, twls_macros),
    TW_VALTOCAP_ROW(ICAP_ORIENTATION, twor_macros),
    TW_VALTOCAP_ROW(ICAP_PIXELFLAVOR, twpf_macros),
    TW_VALTOCAP_ROW(ICAP_PIXELTYPE, twpt_macros),
    TW_VALTOCAP_ROW(ICAP_PLANARCHUNKY, twpc_macros),
    TW_VALTOCAP_ROW(ICAP_SUPPORTEDSIZES, twss_macros),
    TW_VALTOCAP_ROW(ICAP_XFERMECH, twsx_macros),
    TW_VALTOCAP_ROW(ICAP_UNITS, twun_macros),
    TW_VALTOCAP_ROW(CAP_DUPLEX, twdx_macros),
    TW_VALTOCAP_ROW(CAP_JOBCONTROL, twjc_macros),
    TW_VALTOCAP_ROW(ACAP_AUDIOFILEFORMAT, twaf_macros),
    TW_VALTOCAP_ROW(CAP_ALARMS, twal_macros),
    TW_VALTOCAP_ROW(CAP_CLEARBUFFERS, twcb_macros),
    TW_VALTOCAP_ROW(CAP_DEVICEEVENT, twde_macros),
    TW_VALTOCAP_ROW(CAP_FEEDERALIGNMENT, twfa_macros),
    TW_VALTOCAP_ROW(CAP_FEEDERORDER, twfo_macros),
    TW_VALTOCAP_ROW(CAP_POWERSUPPLY, twps_macros),
    TW_VALTOCAP_ROW(CAP_PRINTER, twpr_macros),
    TW_VALTOCAP_ROW(CAP_PRINTERMODE, twpm_macros),
    TW_VALTOCAP_ROW(ICAP_BARCODESEARCHMODE, twbd_macros),
    TW_VALTOCAP_ROW(ICAP_FLASHUSED2, twfl_macros),
    TW_VALTOCAP_ROW(ICAP_FLIPROTATION, twfr_macros),
    TW_VALTOCAP_ROW(ICAP_IMAGEFILTER, twif_macros),
    TW_VALTOCAP_ROW(ICAP_NOISEFILTER, twnf_macros),
    TW_VALTOCAP_ROW(ICAP_OVERSCAN, twov_macros),
    TW_VALTOCAP_END,
};

inline constexpr ValToCapEntry VALTOCAPXQ[] = {
    TW_VALTOCAP_ROW(CAP_XQ_UIMODE, twxq_ui_macros),
    TW_VALTOCAP_ROW(ICAP_XQ_FILMTYPE, twxq_ft_macros),
    TW_VALTOCAP_ROW(ICAP_XQ_EXPOSUREMODE, twxq_em_macros),
    TW_VALTOCAP_ROW(ICAP_XQ_LUT1, twxq_pg_macros),
    TW_VALTOCAP_ROW(ICAP_XQ_LUT2, twxq_gt_macros),
    TW_VALTOCAP_ROW(ICAP_XQ_COLORCORRECTION, twxq_cc_macros),
    TW_VALTOCAP_ROW(CAP_XQ_COMMANDLEVEL, twxq_cl_macros),
    TW_VALTOCAP_ROW(CAP_XQ_TPUTYPE, twxq_tpu_macros),
    TW_VALTOCAP_ROW(ICAP_XQ_UNSHARPMASKLEVEL, twxq_usm_macros),
    TW_VALTOCAP_ROW(ICAP_XQ_DESCREENINGLEVEL, twxq_dscr_macros),
    TW_VALTOCAP_ROW(CAP_XQ_TABLEARRANGEMENT, twxq_ta_macros),
    TW_VALTOCAP_ROW(ICAP_XQ_DUSTREMOVALLEVEL, twxq_dr_macros),
    TW_VALTOCAP_ROW(ICAP_XQ_DIGITALICELEVEL, twxq_ice_macros),
    TW_VALTOCAP_ROW(ICAP_XQ_GRAINREDUCTIONLEVEL, twxq_gr_macros),
    TW_VALTOCAP_ROW(ICAP_XQ_HOLDERTYPE, twxq_ht_macros),
    TW_VALTOCAP_ROW(ICAP_XQ_FILMSIZE, twxq_fs_macros),
    TW_VALTOCAP_ROW(CAP_XQ_AFLFILMTYPE, twxq_af_macros),
    TW_VALTOCAP_ROW(CAP_XQ_FEEDERTYPE, twxq_fet_macros),
    TW_VALTOCAP_ROW(CAP_XQ_LIDFILMTYPE, twxq_li_macros),
    TW_VALTOCAP_END,
};

#undef TW_VALTOCAP_ROW
#undef TW_VALTOCAP_END

#endif // TWAINMON_TWAINTBL_H
