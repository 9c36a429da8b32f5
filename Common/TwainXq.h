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

// ---------------------------------------------------------------------------------------
// Structures of the vendor's data argument types. Like the TWAIN structures: little-endian,
// natural alignment; the offsets are an interface with the driver and are pinned below.

// A 3 by 3 colour matrix, row by row.
typedef TW_FIX32 TWXQ_COLORCOEFF[9];

TW_PACK_BEGIN

// DAT_XQ_AUTOEXPOSURE: the area and film the exposure is measured on, and the result.
struct TWXQ_AUTOEXPOSURE {
    TW_UINT32 Handle;
    TW_INT16 Left;
    TW_INT16 Top;
    TW_INT16 Right;
    TW_INT16 Bottom;
    TW_UINT16 FilmType;     // TWXQ_FT_
    TW_UINT16 PreScanGamma; // TWXQ_PG_
    TW_FIX32 ScreenGamma;
    TW_UINT16 GrayBalance;
};

// DAT_XQ_RGBMATRIX
struct TWXQ_RGBMATRIX {
    TWXQ_COLORCOEFF ColorCoeff;
};

// DAT_XQ_COLORSMOOTHING
struct TWXQ_COLORSMOOTHING {
    TW_UINT32 Handle;
    TW_UINT32 LeftX;
    TW_UINT32 LeftY;
    TW_UINT32 TopX;
    TW_UINT32 TopY;
    TW_UINT32 RightX;
    TW_UINT32 RightY;
    TW_UINT32 BottomX;
    TW_UINT32 BottomY;
    TW_UINT32 Reserved;
};

// DAT_XQ_SKEWINFO: where the original lies on the glass, its size and its skew.
struct TWXQ_LOCATIONDATA {
    TW_INT16 BitsPerPixel;
    TW_UINT32 topPoint;
    TW_UINT32 leftPoint;
    TW_UINT32 locateW;
    TW_UINT32 locateH;
    TW_UINT32 ActualImgW;
    TW_UINT32 ActualImgH;
    TW_INT32 xTangent;
    TW_INT32 yTangent;
    TW_FIX32 Theta;
};

// DAT_XQ_UNSHARPMASKPARAM
struct TWXQ_USMPARAM {
    TW_INT16 Amount;
    TW_INT16 Radius;
    TW_INT16 Threshold;
};

// DAT_XQ_SETTINGFRAME: how many setting frames the driver keeps and which one is in use.
struct TWXQ_SETTINGFRAME {
    TW_UINT16 NumFrame;
    TW_UINT16 CurrentNum;
};

struct TWXQ_THRESHOLDINFO {
    TW_UINT16 ShadowL;
    TW_UINT16 ShadowH;
    TW_UINT16 HighlightH;
    TW_UINT16 HighlightL;
};

struct TWXQ_REVISEBASEPARM {
    TWXQ_THRESHOLDINFO InputRevise;
    TWXQ_THRESHOLDINFO OutputRevise;
    TW_UINT16 BlurMax;
};

// DAT_XQ_USMINFO
struct TWXQ_USMINFO {
    TW_UINT16 InputResolution;
    TW_UINT16 InUSMLevel;
    TW_UINT16 InFilmType;
    TWXQ_USMPARAM USMParm;
    TWXQ_REVISEBASEPARM ReviseParm;
};

// A name of the hardware information: a length byte, then at most 33 characters.
typedef unsigned char TWXQ_PSTR32[34];

// DAT_XQ_HARDWAREINFO: what the scanner is and what it can do.
struct TWXQ_HARDWAREINFO {
    TW_UINT32 ModelID;
    TWXQ_PSTR32 ProductName;
    TWXQ_PSTR32 ModelName;
    TW_UINT32 OptXResolution;
    TW_UINT32 OptYResolution;
    TW_UINT32 MinResolution;
    TW_UINT32 MaxResolution;
    TW_UINT32 MaxMoireResolution;
    TW_UINT32 MaxPixelofWidth;
    TW_UINT32 PixelSizeofFB[2];  // flatbed
    TW_UINT32 PixelSizeofADF[2]; // document feeder
    TW_UINT32 PixelSizeofTPU[2]; // transparency unit
    TW_UINT32 BitDepth;
    TW_UINT16 InterfaceSupport;
    TW_UINT32 CommandType;
    TW_UINT32 ConnectInterfaceType;
    TW_BOOL StandAloneModeSupport;
    TW_UINT16 Reserved1;
    TW_UINT32 Reserved2;
    TW_BOOL FullAutoModeSupport;
    TW_BOOL SimpleModeSupport;
    TW_BOOL DocumentModeSupport;
    TW_BOOL AdvancedModeSupport;
    TW_BOOL ORXSupport;
    TW_BOOL FIT3;
    TW_BOOL AutoLayoutSupportFB;
    TW_BOOL AutoLayoutSupportADF;
    TW_BOOL HalftoneSupport;
    TW_BOOL HTModeSupport;
    TW_BOOL HTDitherSupport;
    TW_BOOL HTAASSupport;
    TW_BOOL HTTETSupport;
    TW_UINT16 TableArrangement;
    TW_UINT16 OptionSupport; // bit set
    TW_UINT16 FocusSupport;
    TW_UINT32 FocusArea[2];
    TW_STR32 ProfileNameFB;
    TW_STR32 ProfileNameTPU;
    TWXQ_COLORCOEFF ColorCorrectionFB;
    TWXQ_COLORCOEFF ColorCorrectionPOSI; // positive film
    TWXQ_COLORCOEFF ColorCorrectionNEGA; // negative film
    TWXQ_COLORCOEFF ORXColorCorrectionFB;
    TWXQ_COLORCOEFF ORXColorCorrectionPOSI;
    TWXQ_COLORCOEFF ORXColorCorrectionNEGA;
    TW_STR32 ROMVersion;
};
TW_PACK_END

TW_PIN(TWXQ_AUTOEXPOSURE, Left, 4, 4);
TW_PIN(TWXQ_AUTOEXPOSURE, Top, 6, 6);
TW_PIN(TWXQ_AUTOEXPOSURE, Right, 8, 8);
TW_PIN(TWXQ_AUTOEXPOSURE, Bottom, 10, 10);
TW_PIN(TWXQ_AUTOEXPOSURE, FilmType, 12, 12);
TW_PIN(TWXQ_AUTOEXPOSURE, PreScanGamma, 14, 14);
TW_PIN(TWXQ_AUTOEXPOSURE, ScreenGamma, 16, 16);
TW_PIN(TWXQ_AUTOEXPOSURE, GrayBalance, 20, 20);
TW_SIZE(TWXQ_AUTOEXPOSURE, 24, 22);
TW_SIZE(TWXQ_RGBMATRIX, 36, 36);
TW_PIN(TWXQ_COLORSMOOTHING, LeftX, 4, 4);
TW_PIN(TWXQ_COLORSMOOTHING, Reserved, 36, 36);
TW_SIZE(TWXQ_COLORSMOOTHING, 40, 40);
TW_PIN(TWXQ_LOCATIONDATA, topPoint, 4, 2);
TW_PIN(TWXQ_LOCATIONDATA, leftPoint, 8, 6);
TW_PIN(TWXQ_LOCATIONDATA, locateW, 12, 10);
TW_PIN(TWXQ_LOCATIONDATA, locateH, 16, 14);
TW_PIN(TWXQ_LOCATIONDATA, ActualImgW, 20, 18);
TW_PIN(TWXQ_LOCATIONDATA, ActualImgH, 24, 22);
TW_PIN(TWXQ_LOCATIONDATA, xTangent, 28, 26);
TW_PIN(TWXQ_LOCATIONDATA, yTangent, 32, 30);
TW_PIN(TWXQ_LOCATIONDATA, Theta, 36, 34);
TW_SIZE(TWXQ_LOCATIONDATA, 40, 38);
TW_PIN(TWXQ_USMPARAM, Radius, 2, 2);
TW_PIN(TWXQ_USMPARAM, Threshold, 4, 4);
TW_SIZE(TWXQ_USMPARAM, 6, 6);
TW_PIN(TWXQ_SETTINGFRAME, CurrentNum, 2, 2);
TW_SIZE(TWXQ_SETTINGFRAME, 4, 4);
TW_PIN(TWXQ_THRESHOLDINFO, ShadowH, 2, 2);
TW_PIN(TWXQ_THRESHOLDINFO, HighlightH, 4, 4);
TW_PIN(TWXQ_THRESHOLDINFO, HighlightL, 6, 6);
TW_SIZE(TWXQ_THRESHOLDINFO, 8, 8);
TW_PIN(TWXQ_REVISEBASEPARM, OutputRevise, 8, 8);
TW_PIN(TWXQ_REVISEBASEPARM, BlurMax, 16, 16);
TW_SIZE(TWXQ_REVISEBASEPARM, 18, 18);
TW_PIN(TWXQ_USMINFO, InUSMLevel, 2, 2);
TW_PIN(TWXQ_USMINFO, InFilmType, 4, 4);
TW_PIN(TWXQ_USMINFO, USMParm, 6, 6);
TW_PIN(TWXQ_USMINFO, ReviseParm, 12, 12);
TW_SIZE(TWXQ_USMINFO, 30, 30);
TW_PIN(TWXQ_HARDWAREINFO, ProductName, 4, 4);
TW_PIN(TWXQ_HARDWAREINFO, ModelName, 38, 38);
TW_PIN(TWXQ_HARDWAREINFO, OptXResolution, 72, 72);
TW_PIN(TWXQ_HARDWAREINFO, OptYResolution, 76, 76);
TW_PIN(TWXQ_HARDWAREINFO, MinResolution, 80, 80);
TW_PIN(TWXQ_HARDWAREINFO, MaxResolution, 84, 84);
TW_PIN(TWXQ_HARDWAREINFO, MaxMoireResolution, 88, 88);
TW_PIN(TWXQ_HARDWAREINFO, MaxPixelofWidth, 92, 92);
TW_PIN(TWXQ_HARDWAREINFO, PixelSizeofFB, 96, 96);
TW_PIN(TWXQ_HARDWAREINFO, PixelSizeofADF, 104, 104);
TW_PIN(TWXQ_HARDWAREINFO, PixelSizeofTPU, 112, 112);
TW_PIN(TWXQ_HARDWAREINFO, BitDepth, 120, 120);
TW_PIN(TWXQ_HARDWAREINFO, InterfaceSupport, 124, 124);
TW_PIN(TWXQ_HARDWAREINFO, CommandType, 128, 126);
TW_PIN(TWXQ_HARDWAREINFO, ConnectInterfaceType, 132, 130);
TW_PIN(TWXQ_HARDWAREINFO, StandAloneModeSupport, 136, 134);
TW_PIN(TWXQ_HARDWAREINFO, FullAutoModeSupport, 144, 142);
TW_PIN(TWXQ_HARDWAREINFO, SimpleModeSupport, 146, 144);
TW_PIN(TWXQ_HARDWAREINFO, DocumentModeSupport, 148, 146);
TW_PIN(TWXQ_HARDWAREINFO, AdvancedModeSupport, 150, 148);
TW_PIN(TWXQ_HARDWAREINFO, ORXSupport, 152, 150);
TW_PIN(TWXQ_HARDWAREINFO, FIT3, 154, 152);
TW_PIN(TWXQ_HARDWAREINFO, AutoLayoutSupportFB, 156, 154);
TW_PIN(TWXQ_HARDWAREINFO, AutoLayoutSupportADF, 158, 156);
TW_PIN(TWXQ_HARDWAREINFO, HalftoneSupport, 160, 158);
TW_PIN(TWXQ_HARDWAREINFO, HTModeSupport, 162, 160);
TW_PIN(TWXQ_HARDWAREINFO, HTDitherSupport, 164, 162);
TW_PIN(TWXQ_HARDWAREINFO, HTAASSupport, 166, 164);
TW_PIN(TWXQ_HARDWAREINFO, HTTETSupport, 168, 166);
TW_PIN(TWXQ_HARDWAREINFO, TableArrangement, 170, 168);
TW_PIN(TWXQ_HARDWAREINFO, OptionSupport, 172, 170);
TW_PIN(TWXQ_HARDWAREINFO, FocusSupport, 174, 172);
TW_PIN(TWXQ_HARDWAREINFO, FocusArea, 176, 174);
TW_PIN(TWXQ_HARDWAREINFO, ProfileNameFB, 184, 182);
TW_PIN(TWXQ_HARDWAREINFO, ProfileNameTPU, 218, 216);
TW_PIN(TWXQ_HARDWAREINFO, ColorCorrectionFB, 252, 250);
TW_PIN(TWXQ_HARDWAREINFO, ColorCorrectionPOSI, 288, 286);
TW_PIN(TWXQ_HARDWAREINFO, ColorCorrectionNEGA, 324, 322);
TW_PIN(TWXQ_HARDWAREINFO, ORXColorCorrectionFB, 360, 358);
TW_PIN(TWXQ_HARDWAREINFO, ORXColorCorrectionPOSI, 396, 394);
TW_PIN(TWXQ_HARDWAREINFO, ORXColorCorrectionNEGA, 432, 430);
TW_PIN(TWXQ_HARDWAREINFO, ROMVersion, 468, 466);
TW_SIZE(TWXQ_HARDWAREINFO, 504, 500);

#endif // TWAINMON_TWAINXQ_H
