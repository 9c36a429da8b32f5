// The DAT table and the per-DAT members: each renders the parameter structure of its data
// argument type. A structure that needs no member of its own has its dumper here, next to its
// row: a function given the analyzer, the text it appends to and the block of the structure's
// size, printing through a CDumpScope (TwPrint.h) on that text.
#include "ParaAnalyze.h"

#include "TwPrint.h"
#include "TwainXq.h"

namespace {

// What the data source knows of each DAT, in one row: the size of the structure its pData
// points to (the application's side of the contract: at least this many bytes are there; 0
// when its data has no fixed structure) and what renders it, given the block of that size:
// its per-DAT member, or the dumper of a structure without one. The same for every DG and
// MSG; a DAT without a row gets the short section (return code, pData and state lines). The
// fuzz target and its seed corpus take the sizes from here too (DatStructureSize).
struct DatRow {
    TW_UINT16 dat;
    size_t size;
    bool (*render)(CParaAnalyze& analyzer, CTextSink& out, const CBlock& data);
};

// The render of a DAT that has a per-DAT member: the member, which reads m_pData itself.
template <bool (CParaAnalyze::*member)()>
bool Member(CParaAnalyze& analyzer, CTextSink& /*out*/, const CBlock& /*data*/) {
    return (analyzer.*member)();
}

#if TWAINMON_TWAIN2
// TWAIN 2's structures, named and dumped in the TWAIN 2 build only.

// The manager's entry points: the functions as pointers, never called.
bool EntryPointDump(CParaAnalyze& /*analyzer*/, CTextSink& out, const CBlock& b) {
    if (b.IsNull()) {
        return true;
    }
    CDumpScope s(out, "TW_ENTRYPOINT", 15);
    PRINT_FIELD(s, Ld, b.Ld, TW_ENTRYPOINT, Size);
    PRINT_FIELD(s, Ptr, b.Ptr32, TW_ENTRYPOINT, DSM_Entry);
    PRINT_FIELD(s, Ptr, b.Ptr32, TW_ENTRYPOINT, DSM_MemAllocate);
    PRINT_FIELD(s, Ptr, b.Ptr32, TW_ENTRYPOINT, DSM_MemFree);
    PRINT_FIELD(s, Ptr, b.Ptr32, TW_ENTRYPOINT, DSM_MemLock);
    PRINT_FIELD(s, Ptr, b.Ptr32, TW_ENTRYPOINT, DSM_MemUnlock);
    return true;
}

// A callback's reference as wide as its structure has it, unsigned.
template <typename Callback>
uint64_t RefCon(const CBlock& b) {
    constexpr size_t at = offsetof(Callback, RefCon);
    return sizeof(Callback::RefCon) == sizeof(uint64_t) ? b.U64(at) : b.U32(at);
}

constexpr const char* Heading(const TW_CALLBACK* /*callback*/) {
    return "TW_CALLBACK";
}
constexpr const char* Heading(const TW_CALLBACK2* /*callback*/) {
    return "TW_CALLBACK2";
}

template <typename Callback>
bool CallbackDump(CParaAnalyze& /*analyzer*/, CTextSink& out, const CBlock& b) {
    if (b.IsNull()) {
        return true;
    }
    CDumpScope s(out, Heading(static_cast<const Callback*>(nullptr)), 12);
    PRINT_FIELD(s, Ptr, b.Ptr32, Callback, CallBackProc);
    s.Lu("RefCon", RefCon<Callback>(b));
    PRINT_FIELD_NAME(s, b.U16, Callback, Message, msg_macros);
    return true;
}

bool StatusUtf8Dump(CParaAnalyze& /*analyzer*/, CTextSink& out, const CBlock& b) {
    if (b.IsNull()) {
        return true;
    }
    CDumpScope s(out, "TW_STATUSUTF8", 20);
    PRINT_FIELD_NAME(s, b.U16, TW_STATUSUTF8, Status.ConditionCode, twcc_macros);
    PRINT_FIELD(s, Ld, b.Ld, TW_STATUSUTF8, Size);
    PRINT_FIELD(s, Ptr, b.Ptr32, TW_STATUSUTF8, UTF8string);
    return true;
}

bool MetricsDump(CParaAnalyze& /*analyzer*/, CTextSink& out, const CBlock& b) {
    if (b.IsNull()) {
        return true;
    }
    CDumpScope s(out, "TW_METRICS", 10);
    PRINT_FIELD(s, Ld, b.Ld, TW_METRICS, SizeOf);
    PRINT_FIELD(s, Ld, b.Ld, TW_METRICS, ImageCount);
    PRINT_FIELD(s, Ld, b.Ld, TW_METRICS, SheetCount);
    return true;
}
#endif

constexpr DatRow kDatRows[] = {
    {DAT_NULL, 0, &Member<&CParaAnalyze::DatNullAnalyze>},
    {DAT_CAPABILITY, sizeof(TW_CAPABILITY), &Member<&CParaAnalyze::DatCapabilityAnalyze>},
    {DAT_EVENT, sizeof(TW_EVENT), &Member<&CParaAnalyze::DatEventAnalyze>},
    {DAT_IDENTITY, sizeof(TW_IDENTITY), &Member<&CParaAnalyze::DatIdentityAnalyze>},
    {DAT_PARENT, 0, &Member<&CParaAnalyze::DatParentAnalyze>},
    {DAT_PENDINGXFERS, sizeof(TW_PENDINGXFERS), &Member<&CParaAnalyze::DatPendingXfersAnalyze>},
    {DAT_SETUPMEMXFER, sizeof(TW_SETUPMEMXFER), &Member<&CParaAnalyze::DatSetupMemXferAnalyze>},
    {DAT_SETUPFILEXFER, sizeof(TW_SETUPFILEXFER), &Member<&CParaAnalyze::DatSetupFileXferAnalyze>},
    {DAT_STATUS, sizeof(TW_STATUS), &Member<&CParaAnalyze::DatStatusAnalyze>},
    {DAT_USERINTERFACE, sizeof(TW_USERINTERFACE), &Member<&CParaAnalyze::DatUserInterfaceAnalyze>},
    {DAT_XFERGROUP, sizeof(TW_UINT32), &Member<&CParaAnalyze::DatXferGroupAnalyze>},
    {DAT_TWUNKIDENTITY, 0, &Member<&CParaAnalyze::DatTwunkIdentityAnalyze>},
    {DAT_CUSTOMDSDATA, sizeof(TW_CUSTOMDSDATA), &Member<&CParaAnalyze::DatCustomDsDataAnalyze>},
    {DAT_IMAGEINFO, sizeof(TW_IMAGEINFO), &Member<&CParaAnalyze::DatImageInfoAnalyze>},
    {DAT_IMAGELAYOUT, sizeof(TW_IMAGELAYOUT), &Member<&CParaAnalyze::DatImageLayoutAnalyze>},
    {DAT_IMAGEMEMXFER, sizeof(TW_IMAGEMEMXFER), &Member<&CParaAnalyze::DatImageMemXferAnalyze>},
    {DAT_IMAGENATIVEXFER, sizeof(TW_HANDLE), &Member<&CParaAnalyze::DatImageNativeXferAnalyze>},
    {DAT_IMAGEFILEXFER, 0, &Member<&CParaAnalyze::DatImageFileXferAnalyze>},
    {DAT_CIECOLOR, sizeof(TW_CIECOLOR), &Member<&CParaAnalyze::DatCieColorAnalyze>},
    {DAT_GRAYRESPONSE, sizeof(TW_GRAYRESPONSE), &Member<&CParaAnalyze::DatGrayResponseAnalyze>},
    {DAT_RGBRESPONSE, sizeof(TW_RGBRESPONSE), &Member<&CParaAnalyze::DatRgbResponseAnalyze>},
    {DAT_JPEGCOMPRESSION, sizeof(TW_JPEGCOMPRESSION),
     &Member<&CParaAnalyze::DatJpegCompressionAnalyze>},
    {DAT_PALETTE8, sizeof(TW_PALETTE8), &Member<&CParaAnalyze::DatPalette8Analyze>},
    {DAT_EXTIMAGEINFO, sizeof(TW_EXTIMAGEINFO), &Member<&CParaAnalyze::DatExtImageInfoAnalyze>},
    {DAT_XQ_AUTOEXPOSURE, sizeof(TWXQ_AUTOEXPOSURE),
     &Member<&CParaAnalyze::DatXqAutoExposureAnalyze>},
    {DAT_XQ_RGBMATRIX, sizeof(TWXQ_RGBMATRIX), &Member<&CParaAnalyze::DatXqRgbMatrixAnalyze>},
    {DAT_XQ_COLORSMOOTHING, sizeof(TWXQ_COLORSMOOTHING),
     &Member<&CParaAnalyze::DatXqColorSmoothingAnalyze>},
    {DAT_XQ_EVENT, 0, &Member<&CParaAnalyze::DatXqEventAnalyze>},
    {DAT_XQ_HARDWAREINFO, sizeof(TWXQ_HARDWAREINFO),
     &Member<&CParaAnalyze::DatHardwareInfoAnalyze>},
    {DAT_XQ_SKEWINFO, sizeof(TWXQ_LOCATIONDATA), &Member<&CParaAnalyze::DatXqSkewInfoAnalyze>},
    {DAT_XQ_UNSHARPMASKPARAM, sizeof(TWXQ_USMPARAM), &Member<&CParaAnalyze::DatUnsharpMaskAnalyze>},
    {DAT_XQ_REDCORRECTIONMATRIX, 0, &Member<&CParaAnalyze::DatXqRedCorrectionMatrixAnalyze>},
    {DAT_XQ_TWAINCALLBACKMSG, 0, &Member<&CParaAnalyze::DatXqTwainCallbackMsgAnalyze>},
    {DAT_XQ_SETTINGFRAME, sizeof(TWXQ_SETTINGFRAME),
     &Member<&CParaAnalyze::DatXqSettingFrameAnalyze>},
    {DAT_XQ_USMINFO, sizeof(TWXQ_USMINFO), &Member<&CParaAnalyze::DatXqUsmInfoAnalyze>},
#if TWAINMON_TWAIN2
    {DAT_ENTRYPOINT, sizeof(TW_ENTRYPOINT), &EntryPointDump},
    {DAT_CALLBACK, sizeof(TW_CALLBACK), &CallbackDump<TW_CALLBACK>},
    {DAT_CALLBACK2, sizeof(TW_CALLBACK2), &CallbackDump<TW_CALLBACK2>},
    {DAT_STATUSUTF8, sizeof(TW_STATUSUTF8), &StatusUtf8Dump},
    {DAT_METRICS, sizeof(TW_METRICS), &MetricsDump},
#endif
};

// The structure the triplet's data reference points to.
template <typename S>
S* DataAs(TW_MEMREF pData) {
    return static_cast<S*>(pData);
}

const DatRow* FindDatRow(TW_UINT16 dat) {
    for (const DatRow& row : kDatRows) {
        if (row.dat == dat) {
            return &row;
        }
    }
    return nullptr;
}

} // namespace

size_t DatStructureSize(TW_UINT16 dat) {
    const DatRow* row = FindDatRow(dat);
    return row != nullptr ? row->size : 0;
}

bool CParaAnalyze::DispatchDat() {
    const DatRow* row = FindDatRow(m_DAT);
    return row == nullptr || row->render(*this, m_sink, CBlock(m_pData, row->size));
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
