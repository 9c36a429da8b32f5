// The per-DAT members: each renders the parameter structure of its data argument type.
#include "ParaAnalyze.h"

#include "TwainXq.h"

namespace {

struct DatMember {
    TW_UINT16 dat;
    bool (CParaAnalyze::*analyze)();
};

// The member of each DAT, the same for every DG and MSG. DATs without a row get the short
// section: return code, pData and state lines only.
constexpr DatMember kDatMembers[] = {
    {DAT_NULL, &CParaAnalyze::DatNullAnalyze},
    {DAT_CAPABILITY, &CParaAnalyze::DatCapabilityAnalyze},
    {DAT_EVENT, &CParaAnalyze::DatEventAnalyze},
    {DAT_IDENTITY, &CParaAnalyze::DatIdentityAnalyze},
    {DAT_PARENT, &CParaAnalyze::DatParentAnalyze},
    {DAT_PENDINGXFERS, &CParaAnalyze::DatPendingXfersAnalyze},
    {DAT_SETUPMEMXFER, &CParaAnalyze::DatSetupMemXferAnalyze},
    {DAT_SETUPFILEXFER, &CParaAnalyze::DatSetupFileXferAnalyze},
    {DAT_STATUS, &CParaAnalyze::DatStatusAnalyze},
    {DAT_USERINTERFACE, &CParaAnalyze::DatUserInterfaceAnalyze},
    {DAT_XFERGROUP, &CParaAnalyze::DatXferGroupAnalyze},
    {DAT_TWUNKIDENTITY, &CParaAnalyze::DatTwunkIdentityAnalyze},
    {DAT_CUSTOMDSDATA, &CParaAnalyze::DatCustomDsDataAnalyze},
    {DAT_IMAGEINFO, &CParaAnalyze::DatImageInfoAnalyze},
    {DAT_IMAGELAYOUT, &CParaAnalyze::DatImageLayoutAnalyze},
    {DAT_IMAGEMEMXFER, &CParaAnalyze::DatImageMemXferAnalyze},
    {DAT_IMAGENATIVEXFER, &CParaAnalyze::DatImageNativeXferAnalyze},
    {DAT_IMAGEFILEXFER, &CParaAnalyze::DatImageFileXferAnalyze},
    {DAT_CIECOLOR, &CParaAnalyze::DatCieColorAnalyze},
    {DAT_GRAYRESPONSE, &CParaAnalyze::DatGrayResponseAnalyze},
    {DAT_RGBRESPONSE, &CParaAnalyze::DatRgbResponseAnalyze},
    {DAT_JPEGCOMPRESSION, &CParaAnalyze::DatJpegCompressionAnalyze},
    {DAT_PALETTE8, &CParaAnalyze::DatPalette8Analyze},
    {DAT_EXTIMAGEINFO, &CParaAnalyze::DatExtImageInfoAnalyze},
    {DAT_XQ_AUTOEXPOSURE, &CParaAnalyze::DatXqAutoExposureAnalyze},
    {DAT_XQ_RGBMATRIX, &CParaAnalyze::DatXqRgbMatrixAnalyze},
    {DAT_XQ_COLORSMOOTHING, &CParaAnalyze::DatXqColorSmoothingAnalyze},
    {DAT_XQ_EVENT, &CParaAnalyze::DatXqEventAnalyze},
    {DAT_XQ_HARDWAREINFO, &CParaAnalyze::DatHardwareInfoAnalyze},
    {DAT_XQ_SKEWINFO, &CParaAnalyze::DatXqSkewInfoAnalyze},
    {DAT_XQ_UNSHARPMASKPARAM, &CParaAnalyze::DatUnsharpMaskAnalyze},
    {DAT_XQ_REDCORRECTIONMATRIX, &CParaAnalyze::DatXqRedCorrectionMatrixAnalyze},
    {DAT_XQ_TWAINCALLBACKMSG, &CParaAnalyze::DatXqTwainCallbackMsgAnalyze},
    {DAT_XQ_SETTINGFRAME, &CParaAnalyze::DatXqSettingFrameAnalyze},
    {DAT_XQ_USMINFO, &CParaAnalyze::DatXqUsmInfoAnalyze},
};

// The structure the triplet's data reference points to.
template <typename S>
S* DataAs(TW_MEMREF pData) {
    return static_cast<S*>(pData);
}

} // namespace

bool CParaAnalyze::DispatchDat() {
    for (const DatMember& member : kDatMembers) {
        if (member.dat == m_DAT) {
            return (this->*member.analyze)();
        }
    }
    return true;
}

// ---------------------------------------------------------------------------------------
// Members that render nothing

bool CParaAnalyze::DatNullAnalyze() {
    return true;
}

bool CParaAnalyze::DatTwunkIdentityAnalyze() {
    return TwTwunkIdentityAnalyze();
}

bool CParaAnalyze::DatImageFileXferAnalyze() {
    return true;
}

// ---------------------------------------------------------------------------------------
// Capability

bool CParaAnalyze::DatCapabilityAnalyze() {
    return TwCapabilityAnalyze(DataAs<TW_CAPABILITY>(m_pData));
}

// ---------------------------------------------------------------------------------------
// Identity, geometry, transfer and status

bool CParaAnalyze::DatEventAnalyze() {
    return TwEventAnalyze(DataAs<TW_EVENT>(m_pData));
}

bool CParaAnalyze::DatIdentityAnalyze() {
    return TwIdentityAnalyze(DataAs<TW_IDENTITY>(m_pData));
}

// The application opening the manager: its own identity, not pData.
bool CParaAnalyze::DatParentAnalyze() {
    if (m_MSG == MSG_OPENDSM) {
        TwIdentityAnalyze(m_pOrigin);
    }
    return true;
}

bool CParaAnalyze::DatPendingXfersAnalyze() {
    return TwPendingXfersAnalyze(DataAs<TW_PENDINGXFERS>(m_pData));
}

bool CParaAnalyze::DatSetupMemXferAnalyze() {
    return TwSetupMemXferAnalyze(DataAs<TW_SETUPMEMXFER>(m_pData));
}

bool CParaAnalyze::DatSetupFileXferAnalyze() {
    return TwSetupFileXferAnalyze(DataAs<TW_SETUPFILEXFER>(m_pData));
}

bool CParaAnalyze::DatStatusAnalyze() {
    return TwStatusAnalyze(DataAs<TW_STATUS>(m_pData));
}

bool CParaAnalyze::DatUserInterfaceAnalyze() {
    return TwUserInterfaceAnalyze(DataAs<TW_USERINTERFACE>(m_pData));
}

bool CParaAnalyze::DatXferGroupAnalyze() {
    return TwUint32(m_pData);
}

bool CParaAnalyze::DatCustomDsDataAnalyze() {
    return TwCustomDsDataAnalyze(DataAs<TW_CUSTOMDSDATA>(m_pData));
}

bool CParaAnalyze::DatImageInfoAnalyze() {
    return TwImageInfoAnalyze(DataAs<TW_IMAGEINFO>(m_pData));
}

bool CParaAnalyze::DatImageLayoutAnalyze() {
    return TwImageLayoutAnalyze(DataAs<TW_IMAGELAYOUT>(m_pData));
}

bool CParaAnalyze::DatImageMemXferAnalyze() {
    return TwImageMemXferAnalyze(DataAs<TW_IMAGEMEMXFER>(m_pData));
}

bool CParaAnalyze::DatImageNativeXferAnalyze() {
    return TwUint32(m_pData);
}

bool CParaAnalyze::DatPalette8Analyze() {
    return TwPalette8Analyze(DataAs<TW_PALETTE8>(m_pData));
}

bool CParaAnalyze::DatExtImageInfoAnalyze() {
    return TwExtImageInfoAnalyze(DataAs<TW_EXTIMAGEINFO>(m_pData));
}

// ---------------------------------------------------------------------------------------
// Colour and compression

bool CParaAnalyze::DatCieColorAnalyze() {
    return TwCieColorAnalyze(DataAs<TW_CIECOLOR>(m_pData));
}

bool CParaAnalyze::DatGrayResponseAnalyze() {
    return TwGrayResponseAnalyze(DataAs<TW_GRAYRESPONSE>(m_pData));
}

bool CParaAnalyze::DatRgbResponseAnalyze() {
    return TwRgbResponseAnalyze(DataAs<TW_RGBRESPONSE>(m_pData));
}

bool CParaAnalyze::DatJpegCompressionAnalyze() {
    return TwJpegCompressionAnalyze(DataAs<TW_JPEGCOMPRESSION>(m_pData));
}

// ---------------------------------------------------------------------------------------
// Vendor extension

bool CParaAnalyze::DatXqAutoExposureAnalyze() {
    return TwXqAutoExposureAnalyze(DataAs<TWXQ_AUTOEXPOSURE>(m_pData));
}

bool CParaAnalyze::DatXqRgbMatrixAnalyze() {
    return TwXqRgbMatrixAnalyze(DataAs<TWXQ_RGBMATRIX>(m_pData));
}

bool CParaAnalyze::DatXqColorSmoothingAnalyze() {
    return TwXqColorSmoothingAnalyze(DataAs<TWXQ_COLORSMOOTHING>(m_pData));
}

bool CParaAnalyze::DatXqEventAnalyze() {
    return TwXqEventAnalyze();
}

bool CParaAnalyze::DatHardwareInfoAnalyze() {
    return TwHardwareInfoAnalyze(DataAs<TWXQ_HARDWAREINFO>(m_pData));
}

bool CParaAnalyze::DatXqSkewInfoAnalyze() {
    return TwXqSkewInfoAnalyze(DataAs<TWXQ_LOCATIONDATA>(m_pData));
}

bool CParaAnalyze::DatUnsharpMaskAnalyze() {
    return TwUnsharpMaskAnalyze(DataAs<TWXQ_USMPARAM>(m_pData));
}

bool CParaAnalyze::DatXqRedCorrectionMatrixAnalyze() {
    return TwXqRedCorrectionMatrixAnalyze();
}

bool CParaAnalyze::DatXqTwainCallbackMsgAnalyze() {
    return TwXqTwainCallbackMsgAnalyze();
}

bool CParaAnalyze::DatXqSettingFrameAnalyze() {
    return TwXqSettingFrameAnalyze(DataAs<TWXQ_SETTINGFRAME>(m_pData));
}

bool CParaAnalyze::DatXqUsmInfoAnalyze() {
    return TwXqUsmInfoAnalyze(DataAs<TWXQ_USMINFO>(m_pData));
}
