// The driver vendor's TWAIN extension: data argument types, messages, capabilities and
// capability values, all in the custom range (0x8001 and above) of their families.
#ifndef TWAINMON_TWAINXQ_H
#define TWAINMON_TWAINXQ_H

#include "twain.h"

#define TW_DAT_XQ_LIST(X)                 \
    X(DAT_XQ_AUTOEXPOSURE, 0x8001)        \
    X(DAT_XQ_RGBMATRIX, 0x8002)           \
    X(DAT_XQ_COLORSMOOTHING, 0x8003)      \
    X(DAT_XQ_EVENT, 0x8004)               \
    X(DAT_XQ_HARDWAREINFO, 0x8005)        \
    X(DAT_XQ_SKEWINFO, 0x8006)            \
    X(DAT_XQ_UNSHARPMASKPARAM, 0x8007)    \
    X(DAT_XQ_REDCORRECTIONMATRIX, 0x8008) \
    X(DAT_XQ_TWAINCALLBACKMSG, 0x8009)    \
    X(DAT_XQ_SETTINGFRAME, 0x800a)        \
    X(DAT_XQ_USMINFO, 0x800b)             \
    X(DAT_XQ_EDGEFILLAREA, 0x8015)        \
    X(DAT_XQ_COLORFILTER, 0x8016)         \
    X(DAT_XQ_DUALIMAGE, 0x8017)

#define TW_MSG_XQ_LIST(X)        \
    X(MSG_XQ_TIMERRESET, 0x8001) \
    X(MSG_XQ_XFERREQUEST, 0x8002)

#define TW_CAP_XQ_LIST(X)                 \
    X(CAP_XQ_VERSION, 0x8001)             \
    X(CAP_XQ_TPUENABLED, 0x8002)          \
    X(CAP_XQ_PRODUCTNAME, 0x800c)         \
    X(CAP_XQ_UIMODE, 0x800f)              \
    X(CAP_XQ_AUTOLAYOUT, 0x8011)          \
    X(CAP_XQ_COMMANDLEVEL, 0x8012)        \
    X(CAP_XQ_MODELID, 0x8013)             \
    X(CAP_XQ_MODELNAME, 0x8014)           \
    X(CAP_XQ_PROGRESS, 0x8015)            \
    X(CAP_XQ_STARTBUTTONENABLED, 0x8016)  \
    X(CAP_XQ_TABLEARRANGEMENT, 0x8017)    \
    X(CAP_XQ_TPUTYPE, 0x8018)             \
    X(CAP_XQ_USERINTERFACE, 0x8019)       \
    X(CAP_XQ_INDICATORSTRING, 0x802b)     \
    X(CAP_XQ_AFLENABLED, 0x8032)          \
    X(CAP_XQ_AFLFILMTYPE, 0x8033)         \
    X(CAP_XQ_AFLLOADED, 0x8034)           \
    X(CAP_XQ_FEEDERTYPE, 0x803b)          \
    X(CAP_XQ_LIDFILMTYPE, 0x803d)         \
    X(CAP_XQ_FEEDERALIGNMENT, 0x803e)     \
    X(CAP_XQ_DOUBLEFEEDDETECTION, 0x804e) \
    X(CAP_XQ_SUPPRESSDEVICEERROR, 0x8057) \
    X(CAP_XQ_DUALIMAGE, 0x8068)

// Not sorted; ICAP_XQ_TEXTENHANCEMENT repeats the value of the earlier ICAP_XQ_ADE.
#define TW_ICAP_XQ_LIST(X)                      \
    X(ICAP_XQ_FILMTYPE, 0x8003)                 \
    X(ICAP_XQ_DRAFTSCAN, 0x8004)                \
    X(ICAP_XQ_EXPOSUREMODE, 0x8005)             \
    X(ICAP_XQ_LUT1, 0x8007)                     \
    X(ICAP_XQ_LUT2, 0x8008)                     \
    X(ICAP_XQ_COLORCORRECTION, 0x8009)          \
    X(ICAP_XQ_DESCREENING, 0x800a)              \
    X(ICAP_XQ_MAXRESFORDESCREENING, 0x800b)     \
    X(ICAP_XQ_FOCUS, 0x800d)                    \
    X(ICAP_XQ_UNSHARPMASK, 0x800e)              \
    X(ICAP_XQ_ORX, 0x8010)                      \
    X(ICAP_XQ_AUTOFOCUS, 0x801a)                \
    X(ICAP_XQ_BACKSIDEIMGUPSIDEDOWN, 0x801b)    \
    X(ICAP_XQ_CMM, 0x801c)                      \
    X(ICAP_XQ_CMMSOURCENAME, 0x801d)            \
    X(ICAP_XQ_CMMTARGETNAME, 0x801e)            \
    X(ICAP_XQ_COLORSMOOTHING, 0x801f)           \
    X(ICAP_XQ_DESCREENINGLEVEL, 0x8020)         \
    X(ICAP_XQ_DISPLAYGAMMA, 0x8021)             \
    X(ICAP_XQ_MIRROR, 0x8022)                   \
    X(ICAP_XQ_SKEW, 0x8023)                     \
    X(ICAP_XQ_UNSHARPMASKLEVEL, 0x8024)         \
    X(ICAP_XQ_COLORADJUSTMENT, 0x8025)          \
    X(ICAP_XQ_COLORRESTORATION, 0x8026)         \
    X(ICAP_XQ_DUSTREMOVAL, 0x8027)              \
    X(ICAP_XQ_DUSTREMOVALLEVEL, 0x8028)         \
    X(ICAP_XQ_GRAINREDUCTION, 0x8029)           \
    X(ICAP_XQ_GRAINREDUCTIONLEVEL, 0x802a)      \
    X(ICAP_XQ_DIGITALICE, 0x802c)               \
    X(ICAP_XQ_DIGITALICELEVEL, 0x802d)          \
    X(ICAP_XQ_MAXRESFORDIGITALICE, 0x802e)      \
    X(ICAP_XQ_NEGAMODESUPPORT, 0x802f)          \
    X(ICAP_XQ_HOLDERTYPE, 0x8030)               \
    X(ICAP_XQ_FILMSIZE, 0x8031)                 \
    X(ICAP_XQ_AFLPREVIEWPHYSICALHEIGHT, 0x8035) \
    X(ICAP_XQ_AFLPREVIEWPHYSICALWIDTH, 0x8036)  \
    X(ICAP_XQ_AFLSCANPHYSICALHEIGHT, 0x8037)    \
    X(ICAP_XQ_AFLSCANPHYSICALWIDTH, 0x8038)     \
    X(ICAP_XQ_AFLMOUNTPHYSICALHEIGHT, 0x8039)   \
    X(ICAP_XQ_AFLMOUNTPHYSICALWIDTH, 0x803a)    \
    X(ICAP_XQ_FEEDERTHUMBNAILENABLED, 0x803c)   \
    X(ICAP_XQ_ADE, 0x8043)                      \
    X(ICAP_XQ_ADFSUPPORTEDMINHEIGHT, 0x8045)    \
    X(ICAP_XQ_ADFSUPPORTEDMINWIDTH, 0x8046)     \
    X(ICAP_XQ_AUTOSIZE, 0x8050)                 \
    X(ICAP_XQ_AUTOCOLORDETECTION, 0x8051)       \
    X(ICAP_XQ_PUNCHHOLEREMOVAL, 0x8052)         \
    X(ICAP_XQ_BLANKPAGESKIP, 0x8053)            \
    X(ICAP_XQ_EDGEFILL, 0x8059)                 \
    X(ICAP_XQ_DROPOUTCOLOR, 0x8062)             \
    X(ICAP_XQ_OVERSCANMARGIN, 0x8066)           \
    X(ICAP_XQ_AAS, 0x8054)                      \
    X(ICAP_XQ_ADFMAXHEIGHT, 0x8056)             \
    X(ICAP_XQ_TEXTENHANCEMENT, 0x8043)          \
    X(ICAP_XQ_TEXTENHANCEMENTLEVEL, 0x8061)     \
    X(ICAP_XQ_COLORENHANCEMENT, 0x804a)         \
    X(ICAP_XQ_COLORENHANCEMENT2, 0x8063)        \
    X(ICAP_XQ_COLORSLIPREDUCTION, 0x8079)

// Capability value tables
#define TW_TWXQ_UI_LIST(X)         \
    X(TWXQ_UI_CONVENTIONAL, 0)     \
    X(TWXQ_UI_ADVANCED, 1)         \
    X(TWXQ_UI_EASY, 2)             \
    X(TWXQ_UI_SIMPLE, 3)           \
    X(TWXQ_UI_EASYUISUPPRESSED, 4) \
    X(TWXQ_UI_DOCUMENT, 5)         \
    X(TWXQ_UI_EXTRALIDFILM, 6)
#define TW_TWXQ_FT_LIST(X)   \
    X(TWXQ_FT_POSI, 0)       \
    X(TWXQ_FT_NEGA, 1)       \
    X(TWXQ_FT_REFLECTIVE, 2) \
    X(TWXQ_FT_BWNEGA, 3)     \
    X(TWXQ_FT_REFLECTIVEDOCUMENT, 4)
#define TW_TWXQ_EM_LIST(X) \
    X(TWXQ_EM_NORMAL, 0)   \
    X(TWXQ_EM_PREVIEW, 1)  \
    X(TWXQ_EM_AUTO, 2)
#define TW_TWXQ_PG_LIST(X) \
    X(TWXQ_PG_10, 0)       \
    X(TWXQ_PG_18, 1)
#define TW_TWXQ_GT_LIST(X) \
    X(TWXQ_GT_NORMAL, 0)   \
    X(TWXQ_GT_LINEAR, 1)   \
    X(TWXQ_GT_PRESET, 2)
#define TW_TWXQ_CC_LIST(X) \
    X(TWXQ_CC_DEFAULT, 0)  \
    X(TWXQ_CC_NONE, 1)     \
    X(TWXQ_CC_PRESET, 2)
#define TW_TWXQ_CL_LIST(X) \
    X(TWXQ_CL_STANDARD, 0) \
    X(TWXQ_CL_DUMB, 1)
#define TW_TWXQ_TPU_LIST(X) \
    X(TWXQ_TPU_NONE, 0)     \
    X(TWXQ_TPU_TYPE1, 1)    \
    X(TWXQ_TPU_TYPE2, 2)    \
    X(TWXQ_TPU_TYPE3, 3)
#define TW_TWXQ_USM_LIST(X) \
    X(TWXQ_USM_LOW, 0)      \
    X(TWXQ_USM_MEDIUM, 1)   \
    X(TWXQ_USM_HIGH, 2)     \
    X(TWXQ_USM_CUSTOM, 3)
#define TW_TWXQ_DSCR_LIST(X) \
    X(TWXQ_DSCR_COMMON, 0)   \
    X(TWXQ_DSCR_85, 1)       \
    X(TWXQ_DSCR_133, 2)      \
    X(TWXQ_DSCR_175, 3)
#define TW_TWXQ_TA_LIST(X)   \
    X(TWXQ_TA_LENGTHWAYS, 0) \
    X(TWXQ_TA_SIDEWAYS, 1)
#define TW_TWXQ_DR_LIST(X) \
    X(TWXQ_DR_LOW, 0)      \
    X(TWXQ_DR_MEDIUM, 1)   \
    X(TWXQ_DR_HIGH, 2)
#define TW_TWXQ_ICE_LIST(X) \
    X(TWXQ_ICE_LOW, 0)      \
    X(TWXQ_ICE_HIGH, 1)
#define TW_TWXQ_GR_LIST(X) \
    X(TWXQ_GR_LOW, 0)      \
    X(TWXQ_GR_MEDIUM, 1)   \
    X(TWXQ_GR_HIGH, 2)
#define TW_TWXQ_HT_LIST(X)  \
    X(TWXQ_HT_NOSET, 0)     \
    X(TWXQ_HT_REFLECT, 1)   \
    X(TWXQ_HT_35MMSTRIP, 2) \
    X(TWXQ_HT_BROWNIE, 3)   \
    X(TWXQ_HT_35MMMOUNT, 4) \
    X(TWXQ_HT_40X50, 5)
#define TW_TWXQ_FS_LIST(X) \
    X(TWXQ_FS_NOSET, 0)    \
    X(TWXQ_FS_60X45, 1)    \
    X(TWXQ_FS_60X60, 2)    \
    X(TWXQ_FS_60X70, 3)    \
    X(TWXQ_FS_60X80, 4)    \
    X(TWXQ_FS_60X90, 5)
#define TW_TWXQ_AF_LIST(X) \
    X(TWXQ_AF_STRIP, 0)    \
    X(TWXQ_AF_MOUNT, 1)
// Feeder types carry the film-type prefix; the table is distinct from the film types'.
#define TW_TWXQ_FET_LIST(X) \
    X(TWXQ_FT_ADF, 0)       \
    X(TWXQ_FT_MPF, 1)
#define TW_TWXQ_LI_LIST(X) \
    X(TWXQ_LI_NORMAL, 0)   \
    X(TWXQ_LI_EXTEND, 1)

TW_DAT_XQ_LIST(TW_DECLARE_U16)
TW_MSG_XQ_LIST(TW_DECLARE_U16)
TW_CAP_XQ_LIST(TW_DECLARE_U16)
TW_ICAP_XQ_LIST(TW_DECLARE_U16)
TW_TWXQ_UI_LIST(TW_DECLARE_U16)
TW_TWXQ_FT_LIST(TW_DECLARE_U16)
TW_TWXQ_EM_LIST(TW_DECLARE_U16)
TW_TWXQ_PG_LIST(TW_DECLARE_U16)
TW_TWXQ_GT_LIST(TW_DECLARE_U16)
TW_TWXQ_CC_LIST(TW_DECLARE_U16)
TW_TWXQ_CL_LIST(TW_DECLARE_U16)
TW_TWXQ_TPU_LIST(TW_DECLARE_U16)
TW_TWXQ_USM_LIST(TW_DECLARE_U16)
TW_TWXQ_DSCR_LIST(TW_DECLARE_U16)
TW_TWXQ_TA_LIST(TW_DECLARE_U16)
TW_TWXQ_DR_LIST(TW_DECLARE_U16)
TW_TWXQ_ICE_LIST(TW_DECLARE_U16)
TW_TWXQ_GR_LIST(TW_DECLARE_U16)
TW_TWXQ_HT_LIST(TW_DECLARE_U16)
TW_TWXQ_FS_LIST(TW_DECLARE_U16)
TW_TWXQ_AF_LIST(TW_DECLARE_U16)
TW_TWXQ_FET_LIST(TW_DECLARE_U16)
TW_TWXQ_LI_LIST(TW_DECLARE_U16)

#endif // TWAINMON_TWAINXQ_H
