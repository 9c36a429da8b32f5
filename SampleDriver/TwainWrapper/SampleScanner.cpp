#include "SampleScanner.h"

#include <CoreServices/CoreServices.h>

#include <algorithm>
#include <cstring>
#include <optional>

#include "Fix32.h"
#include "TwainFlags.h"
#include "TwainXq.h"

namespace {

// The identity an application gets when the manager has not assigned one.
constexpr uint64_t kUnassignedSourceId = 1;
// With its user interface shown the scanner waits this many event polls for the user to
// press Scan; without it, it scans at once.
constexpr int kPollsWhileUserChooses = 2;
// The memory transfer's preferred buffer holds this many rows.
constexpr TW_UINT32 kPreferredRows = 16;

const TW_FRAME kDefaultFrame = {ToFix32(0), ToFix32(0), ToFix32(8.5), ToFix32(11.0)};

template <size_t N>
void CopyText(char (&to)[N], const char* text) {
    std::strncpy(to, text, N - 1);
    to[N - 1] = '\0';
}

void Describe(TW_IDENTITY& identity) {
    if (identity.Id == 0) {
        identity.Id = kUnassignedSourceId;
    }
    identity.Version.MajorNum = 1;
    identity.Version.MinorNum = 10;
    identity.Version.Language = static_cast<TW_UINT16>(TWLG_USA);
    identity.Version.Country = TWCY_USA;
    CopyText(identity.Version.Info, "1.10 sample");
    identity.ProtocolMajor = 2;
    identity.ProtocolMinor = 1;
    identity.SupportedGroups = DG_CONTROL | DG_IMAGE;
    CopyText(identity.Manufacturer, "Sample Imaging");
    CopyText(identity.ProductFamily, "Flatbed");
    CopyText(identity.ProductName, "Sample Flatbed 1200");
}

// A name of the hardware information: its length, then its characters.
void CopyPascal(TWXQ_PSTR32& to, const char* text) {
    const size_t length = std::min(std::strlen(text), sizeof to - 1);
    to[0] = static_cast<unsigned char>(length);
    std::memcpy(to + 1, text, length);
}

void SetIdentityMatrix(TWXQ_COLORCOEFF& matrix) {
    for (int i = 0; i < 9; ++i) {
        matrix[i] = ToFix32(i % 4 == 0 ? 1.0 : 0.0);
    }
}

// What the simulated scanner is and can do.
TWXQ_HARDWAREINFO HardwareInfo() {
    TWXQ_HARDWAREINFO hw{};
    hw.ModelID = 0x2a;
    CopyPascal(hw.ProductName, "Sample Flatbed 1200");
    CopyPascal(hw.ModelName, "SF-1200");
    hw.OptXResolution = 1200;
    hw.OptYResolution = 1200;
    hw.MinResolution = 50;
    hw.MaxResolution = 9600;
    hw.MaxMoireResolution = 600;
    hw.MaxPixelofWidth = 10200;
    hw.PixelSizeofFB[0] = 10200; // 8.5 x 11.7 inches at 1200 dpi
    hw.PixelSizeofFB[1] = 14040;
    hw.BitDepth = 0x30;
    hw.InterfaceSupport = 1;
    hw.CommandType = 1;
    hw.ConnectInterfaceType = 1;
    hw.StandAloneModeSupport = 0;
    hw.FullAutoModeSupport = 1;
    hw.SimpleModeSupport = 1;
    hw.DocumentModeSupport = 1;
    hw.AdvancedModeSupport = 1;
    hw.AutoLayoutSupportFB = 1;
    hw.HalftoneSupport = 1;
    hw.HTModeSupport = 1;
    hw.HTDitherSupport = 1;
    hw.TableArrangement = TWXQ_TA_LENGTHWAYS;
    hw.OptionSupport = 0x0001;
    CopyText(hw.ProfileNameFB, "Sample RGB");
    SetIdentityMatrix(hw.ColorCorrectionFB);
    SetIdentityMatrix(hw.ColorCorrectionPOSI);
    SetIdentityMatrix(hw.ColorCorrectionNEGA);
    CopyText(hw.ROMVersion, "1.00");
    return hw;
}

const TWXQ_USMPARAM kUnsharpMask = {110, 2, 8};

bool Within(TW_FIX32 low, TW_FIX32 high, TW_FIX32 limit) {
    return Fix32Units(low) >= 0 && Fix32Units(low) < Fix32Units(high) &&
           Fix32Units(high) <= Fix32Units(limit);
}

} // namespace

const CSampleScanner::Route CSampleScanner::kRoutes[] = {
    {DG_CONTROL, DAT_CAPABILITY, &CSampleScanner::Capability},
    {DG_CONTROL, DAT_EVENT, &CSampleScanner::Event},
    {DG_CONTROL, DAT_IDENTITY, &CSampleScanner::Identity},
    {DG_CONTROL, DAT_PARENT, &CSampleScanner::Parent},
    {DG_CONTROL, DAT_PENDINGXFERS, &CSampleScanner::PendingXfers},
    {DG_CONTROL, DAT_SETUPMEMXFER, &CSampleScanner::SetupMemXfer},
    {DG_CONTROL, DAT_STATUS, &CSampleScanner::Status},
    {DG_CONTROL, DAT_USERINTERFACE, &CSampleScanner::UserInterface},
    {DG_CONTROL, DAT_XQ_SETTINGFRAME, &CSampleScanner::XqSettingFrame},
    {DG_CONTROL, DAT_XQ_EVENT, &CSampleScanner::XqEvent},
    {DG_CONTROL, DAT_XQ_AUTOEXPOSURE, &CSampleScanner::XqAutoExposure},
    {DG_CONTROL, DAT_XQ_RGBMATRIX, &CSampleScanner::XqRgbMatrix},
    {DG_CONTROL, DAT_XQ_COLORSMOOTHING, &CSampleScanner::XqColorSmoothing},
    {DG_CONTROL, DAT_XQ_HARDWAREINFO, &CSampleScanner::XqHardwareInfo},
    {DG_CONTROL, DAT_XQ_SKEWINFO, &CSampleScanner::XqSkewInfo},
    {DG_CONTROL, DAT_XQ_UNSHARPMASKPARAM, &CSampleScanner::XqUnsharpMask},
    {DG_CONTROL, DAT_XQ_REDCORRECTIONMATRIX, &CSampleScanner::XqNotice},
    {DG_CONTROL, DAT_XQ_TWAINCALLBACKMSG, &CSampleScanner::XqNotice},
    {DG_CONTROL, DAT_XQ_USMINFO, &CSampleScanner::XqUsmInfo},
    {DG_IMAGE, DAT_IMAGEINFO, &CSampleScanner::ImageInfo},
    {DG_IMAGE, DAT_IMAGELAYOUT, &CSampleScanner::ImageLayout},
    {DG_IMAGE, DAT_IMAGEMEMXFER, &CSampleScanner::ImageMemXfer},
    {DG_IMAGE, DAT_IMAGENATIVEXFER, &CSampleScanner::ImageNativeXfer},
    {DG_IMAGE, DAT_CIECOLOR, &CSampleScanner::CieColor},
    {DG_IMAGE, DAT_JPEGCOMPRESSION, &CSampleScanner::JpegCompression},
};

CSampleScanner::CSampleScanner() : m_frame(kDefaultFrame) {}

TW_UINT16 CSampleScanner::OperateTriplet(TW_IDENTITY* /*pOrigin*/, TW_UINT32 DG, TW_UINT16 DAT,
                                         TW_UINT16 MSG, TW_MEMREF pData) {
    Outcome outcome = Fail(TWCC_BADPROTOCOL);
    for (const Route& route : kRoutes) {
        if (route.dg == DG && route.dat == DAT) {
            outcome = (this->*route.handler)(MSG, pData);
            break;
        }
    }
    m_condition = outcome.cc;
    return outcome.rc;
}

CSampleScanner::Outcome CSampleScanner::Identity(TW_UINT16 msg, TW_MEMREF pData) {
    auto* identity = static_cast<TW_IDENTITY*>(pData);
    switch (msg) {
    case MSG_OPENDS:
        if (m_state != 3) {
            return Fail(TWCC_SEQERROR);
        }
        if (identity == nullptr) {
            return Fail(TWCC_BADVALUE);
        }
        m_caps.Restore();
        m_frame = kDefaultFrame;
        Describe(*identity);
        m_state = 4;
        return Done();
    case MSG_CLOSEDS:
        if (m_state != 4) {
            return Fail(TWCC_SEQERROR);
        }
        m_state = 3;
        return Done();
    case MSG_GET:
        if (identity == nullptr) {
            return Fail(TWCC_BADVALUE);
        }
        Describe(*identity);
        return Done();
    default:
        return Fail(TWCC_BADPROTOCOL);
    }
}

// The manager's own open and close. A host that plays the manager passes them on; the
// scanner has nothing to do for them and leaves their data alone.
CSampleScanner::Outcome CSampleScanner::Parent(TW_UINT16 msg, TW_MEMREF /*pData*/) {
    return msg == MSG_OPENDSM || msg == MSG_CLOSEDSM ? Done() : Fail(TWCC_BADPROTOCOL);
}

std::optional<CSampleScanner::Outcome> CSampleScanner::Refuse(bool knownMessage, bool inState,
                                                              TW_MEMREF pData) {
    if (!knownMessage) {
        return Fail(TWCC_BADPROTOCOL);
    }
    if (!inState) {
        return Fail(TWCC_SEQERROR);
    }
    if (pData == nullptr) {
        return Fail(TWCC_BADVALUE);
    }
    return std::nullopt;
}

std::optional<CSampleScanner::Outcome>
CSampleScanner::RefuseNegotiation(TW_UINT16 msg, TW_MEMREF pData,
                                  std::initializer_list<TW_UINT16> reads) const {
    const bool read = std::find(reads.begin(), reads.end(), msg) != reads.end();
    return Refuse(read || msg == MSG_SET || msg == MSG_RESET, read ? InStates(4, 7) : m_state == 4,
                  pData);
}

CSampleScanner::Outcome CSampleScanner::Capability(TW_UINT16 msg, TW_MEMREF pData) {
    if (const auto refused = RefuseNegotiation(
            msg, pData, {MSG_GET, MSG_GETCURRENT, MSG_GETDEFAULT, MSG_QUERYSUPPORT})) {
        return *refused;
    }
    auto& capability = *static_cast<TW_CAPABILITY*>(pData);
    const TW_UINT16 cc = m_caps.Operate(msg, capability);
    if (cc != TWCC_SUCCESS) {
        return Fail(cc);
    }
    if (capability.Cap == ICAP_PIXELTYPE && (msg == MSG_SET || msg == MSG_RESET)) {
        m_caps.Force(ICAP_BITDEPTH, static_cast<TW_UINT32>(CurrentFormat().BitsPerPixel()));
    }
    return Done();
}

CSampleScanner::Outcome CSampleScanner::Event(TW_UINT16 msg, TW_MEMREF pData) {
    if (const auto refused = Refuse(msg == MSG_PROCESSEVENT, InStates(5, 7), pData)) {
        return *refused;
    }
    auto& event = *static_cast<TW_EVENT*>(pData);
    event.TWMessage = NextEvent();
    return Done(event.TWMessage == MSG_NULL ? TWRC_NOTDSEVENT : TWRC_DSEVENT);
}

TW_UINT16 CSampleScanner::NextEvent() {
    if (m_state == 5 && m_xferReadyQueued) {
        if (m_eventsBeforeXferReady > 0) {
            --m_eventsBeforeXferReady;
            return MSG_NULL;
        }
        m_xferReadyQueued = false;
        m_nextRow = 0;
        m_state = 6;
        return MSG_XFERREADY;
    }
    if (m_closeRequestQueued) {
        m_closeRequestQueued = false;
        return MSG_CLOSEDSREQ;
    }
    return MSG_NULL;
}

CSampleScanner::Outcome CSampleScanner::UserInterface(TW_UINT16 msg, TW_MEMREF pData) {
    switch (msg) {
    case MSG_ENABLEDS: {
        if (m_state != 4) {
            return Fail(TWCC_SEQERROR);
        }
        if (pData == nullptr) {
            return Fail(TWCC_BADVALUE);
        }
        const auto& ui = *static_cast<const TW_USERINTERFACE*>(pData);
        const auto xferCount = static_cast<TW_INT16>(m_caps.Current(CAP_XFERCOUNT));
        m_pagesLeft = xferCount > 0 ? static_cast<TW_UINT32>(xferCount) : 1;
        m_xferReadyQueued = true;
        m_eventsBeforeXferReady = ui.ShowUI ? kPollsWhileUserChooses : 0;
        m_closeRequestQueued = false;
        m_state = 5;
        return Done();
    }
    case MSG_DISABLEDS:
        if (m_state != 5) {
            return Fail(TWCC_SEQERROR);
        }
        m_xferReadyQueued = false;
        m_closeRequestQueued = false;
        m_state = 4;
        return Done();
    default:
        return Fail(TWCC_BADPROTOCOL);
    }
}

CSampleScanner::Outcome CSampleScanner::PendingXfers(TW_UINT16 msg, TW_MEMREF pData) {
    switch (msg) {
    case MSG_GET:
        if (!InStates(4, 7)) {
            return Fail(TWCC_SEQERROR);
        }
        break;
    case MSG_ENDXFER:
        if (!InStates(6, 7)) {
            return Fail(TWCC_SEQERROR);
        }
        break;
    case MSG_RESET:
        if (m_state != 6) {
            return Fail(TWCC_SEQERROR);
        }
        break;
    default:
        return Fail(TWCC_BADPROTOCOL);
    }
    if (pData == nullptr) {
        return Fail(TWCC_BADVALUE);
    }
    if (msg == MSG_ENDXFER) {
        EndPages(1);
    } else if (msg == MSG_RESET) {
        EndPages(m_pagesLeft);
    }
    auto& pending = *static_cast<TW_PENDINGXFERS*>(pData);
    pending.Count = static_cast<TW_UINT16>(InStates(6, 7) ? m_pagesLeft : 0);
    pending.EOJ = 0;
    return Done();
}

void CSampleScanner::EndPages(TW_UINT32 pages) {
    m_pagesLeft -= std::min(pages, m_pagesLeft);
    m_nextRow = 0;
    if (m_pagesLeft > 0) {
        m_state = 6;
    } else {
        m_state = 5;
        m_closeRequestQueued = true;
    }
}

CSampleScanner::Outcome CSampleScanner::SetupMemXfer(TW_UINT16 msg, TW_MEMREF pData) {
    if (const auto refused = Refuse(msg == MSG_GET, InStates(4, 6), pData)) {
        return *refused;
    }
    const ImageFormat format = CurrentFormat();
    auto& setup = *static_cast<TW_SETUPMEMXFER*>(pData);
    setup.MinBufSize = format.BytesPerRow();
    setup.MaxBufSize = format.Bytes();
    setup.Preferred = std::min(kPreferredRows * format.BytesPerRow(), format.Bytes());
    return Done();
}

CSampleScanner::Outcome CSampleScanner::Status(TW_UINT16 msg, TW_MEMREF pData) {
    if (const auto refused = Refuse(msg == MSG_GET, true, pData)) {
        return *refused;
    }
    auto& status = *static_cast<TW_STATUS*>(pData);
    status.ConditionCode = m_condition; // Done() then clears it
    status.Reserved = 0;
    return Done();
}

CSampleScanner::Outcome CSampleScanner::ImageInfo(TW_UINT16 msg, TW_MEMREF pData) {
    if (const auto refused = Refuse(msg == MSG_GET, InStates(6, 7), pData)) {
        return *refused;
    }
    const ImageFormat format = CurrentFormat();
    auto& info = *static_cast<TW_IMAGEINFO*>(pData);
    info = TW_IMAGEINFO{};
    info.XResolution = Fix32FromItem(m_caps.Current(ICAP_XRESOLUTION));
    info.YResolution = Fix32FromItem(m_caps.Current(ICAP_YRESOLUTION));
    info.ImageWidth = static_cast<TW_INT32>(format.width);
    info.ImageLength = static_cast<TW_INT32>(format.rows);
    info.SamplesPerPixel = format.SamplesPerPixel();
    for (int sample = 0; sample < format.SamplesPerPixel(); ++sample) {
        info.BitsPerSample[sample] = format.BitsPerSample();
    }
    info.BitsPerPixel = format.BitsPerPixel();
    info.Planar = 0;
    info.PixelType = static_cast<TW_INT16>(format.pixelType);
    info.Compression = TWCP_NONE;
    return Done();
}

CSampleScanner::Outcome CSampleScanner::ImageLayout(TW_UINT16 msg, TW_MEMREF pData) {
    if (const auto refused = RefuseNegotiation(msg, pData, {MSG_GET, MSG_GETDEFAULT})) {
        return *refused;
    }
    auto& layout = *static_cast<TW_IMAGELAYOUT*>(pData);
    if (msg == MSG_SET) {
        const TW_FRAME& frame = layout.Frame;
        if (!Within(frame.Left, frame.Right, Fix32FromItem(m_caps.Current(ICAP_PHYSICALWIDTH))) ||
            !Within(frame.Top, frame.Bottom, Fix32FromItem(m_caps.Current(ICAP_PHYSICALHEIGHT)))) {
            return Fail(TWCC_BADVALUE);
        }
        m_frame = frame;
    } else if (msg == MSG_RESET) {
        m_frame = kDefaultFrame;
    }
    layout.Frame = msg == MSG_GETDEFAULT ? kDefaultFrame : m_frame;
    layout.DocumentNumber = 1;
    layout.PageNumber = 1;
    layout.FrameNumber = 1;
    return Done();
}

CSampleScanner::Outcome CSampleScanner::ImageMemXfer(TW_UINT16 msg, TW_MEMREF pData) {
    const ImageFormat format = CurrentFormat();
    const bool transferring =
        InStates(6, 7) && m_caps.Current(ICAP_XFERMECH) == TWSX_MEMORY && m_nextRow < format.rows;
    if (const auto refused = Refuse(msg == MSG_GET, transferring, pData)) {
        return *refused;
    }
    auto& xfer = *static_cast<TW_IMAGEMEMXFER*>(pData);
    const TW_UINT32 bytesPerRow = format.BytesPerRow();
    // The buffer must be the application's own memory, large enough for one row.
    if (xfer.Memory.TheMem == nullptr || (xfer.Memory.Flags & TWMF_HANDLE) != 0 ||
        xfer.Memory.Length < bytesPerRow) {
        return Fail(TWCC_BADVALUE);
    }
    const TW_UINT32 rows = std::min(xfer.Memory.Length / bytesPerRow, format.rows - m_nextRow);
    RenderRows(format, m_nextRow, rows, static_cast<TW_UINT8*>(xfer.Memory.TheMem));
    xfer.Compression = TWCP_NONE;
    xfer.BytesPerRow = bytesPerRow;
    xfer.Columns = format.width;
    xfer.Rows = rows;
    xfer.XOffset = 0;
    xfer.YOffset = m_nextRow;
    xfer.BytesWritten = rows * bytesPerRow;
    m_nextRow += rows;
    m_state = 7;
    return Done(m_nextRow == format.rows ? TWRC_XFERDONE : TWRC_SUCCESS);
}

CSampleScanner::Outcome CSampleScanner::ImageNativeXfer(TW_UINT16 msg, TW_MEMREF pData) {
    const bool ready = m_state == 6 && m_caps.Current(ICAP_XFERMECH) == TWSX_NATIVE;
    if (const auto refused = Refuse(msg == MSG_GET, ready, pData)) {
        return *refused;
    }
    // The whole image, rows top to bottom as a memory transfer delivers them. The
    // application owns the handle and disposes of it.
    const ImageFormat format = CurrentFormat();
    // The Memory Manager is deprecated since macOS 10.8 with no successor: a TWAIN handle on
    // macOS is a Memory Manager handle, so its calls stay, fenced here, and any other
    // deprecated call still warns.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    Handle image = NewHandleClear(static_cast<Size>(format.Bytes()));
    if (image == nullptr) {
        return Fail(TWCC_LOWMEMORY);
    }
    HLock(image);
    RenderRows(format, 0, format.rows, reinterpret_cast<TW_UINT8*>(*image));
    HUnlock(image);
#pragma GCC diagnostic pop
    *static_cast<TW_HANDLE*>(pData) = image;
    m_nextRow = format.rows;
    m_state = 7;
    return Done(TWRC_XFERDONE);
}

// How the page about to be transferred converts to CIE XYZ: linear decoding, identity
// mixes, a D65 white point on white paper.
CSampleScanner::Outcome CSampleScanner::CieColor(TW_UINT16 msg, TW_MEMREF pData) {
    if (const auto refused = Refuse(msg == MSG_GET, m_state == 6, pData)) {
        return *refused;
    }
    const TW_DECODEFUNCTION linear = {ToFix32(0),   ToFix32(0.5), ToFix32(1),   ToFix32(0),
                                      ToFix32(0.5), ToFix32(1),   ToFix32(1.0), ToFix32(256)};
    TW_TRANSFORMSTAGE stage{};
    for (int i = 0; i < 3; ++i) {
        stage.Decode[i] = linear;
        stage.Mix[i][i] = ToFix32(1);
    }
    const TW_CIEPOINT d65 = {ToFix32(0.9505), ToFix32(1.0), ToFix32(1.089)};
    auto& cie = *static_cast<TW_CIECOLOR*>(pData);
    cie.ColorSpace = static_cast<TW_UINT16>(m_caps.Current(ICAP_PIXELTYPE));
    cie.LowEndian = 0;
    cie.DeviceDependent = 1;
    cie.VersionNumber = 1;
    cie.StageABC = stage;
    cie.StageLMN = stage;
    cie.WhitePoint = d65;
    cie.BlackPoint = {ToFix32(0), ToFix32(0), ToFix32(0)};
    cie.WhitePaper = d65;
    cie.BlackInk = {ToFix32(0), ToFix32(0), ToFix32(0)};
    cie.Samples[0] = ToFix32(0);
    return Done();
}

// The JPEG parameters the scanner would compress with: tables 0 for the first and fourth
// component, tables 1 for the two between. Tables without memory are the baseline tables.
CSampleScanner::Outcome CSampleScanner::JpegCompression(TW_UINT16 msg, TW_MEMREF pData) {
    if (const auto refused =
            Refuse(msg == MSG_GET || msg == MSG_GETDEFAULT, InStates(4, 6), pData)) {
        return *refused;
    }
    const TW_MEMORY baseline = {TWMF_DSOWNS | TWMF_POINTER, 0, nullptr};
    auto& jpeg = *static_cast<TW_JPEGCOMPRESSION*>(pData);
    jpeg = TW_JPEGCOMPRESSION{};
    jpeg.ColorSpace = static_cast<TW_UINT16>(m_caps.Current(ICAP_PIXELTYPE));
    jpeg.SubSampling = 0x10001000;
    jpeg.NumComponents = static_cast<TW_UINT16>(CurrentFormat().SamplesPerPixel());
    jpeg.RestartFrequency = 0;
    for (int i = 0; i < 4; ++i) {
        jpeg.QuantMap[i] = i == 1 || i == 2 ? 1 : 0;
        jpeg.HuffmanMap[i] = jpeg.QuantMap[i];
        jpeg.QuantTable[i] = baseline;
    }
    for (int i = 0; i < 2; ++i) {
        jpeg.HuffmanDC[i] = baseline;
        jpeg.HuffmanAC[i] = baseline;
    }
    return Done();
}

CSampleScanner::Outcome CSampleScanner::XqSettingFrame(TW_UINT16 msg, TW_MEMREF pData) {
    if (const auto refused = RefuseVendorGet(msg, pData)) {
        return *refused;
    }
    *static_cast<TWXQ_SETTINGFRAME*>(pData) = {1, 0};
    return Done();
}

// Measured on the current frame, at the current resolution.
CSampleScanner::Outcome CSampleScanner::XqAutoExposure(TW_UINT16 msg, TW_MEMREF pData) {
    if (const auto refused = RefuseVendorGet(msg, pData)) {
        return *refused;
    }
    const ImageFormat format = CurrentFormat();
    auto& exposure = *static_cast<TWXQ_AUTOEXPOSURE*>(pData);
    exposure = TWXQ_AUTOEXPOSURE{};
    exposure.Right = static_cast<TW_INT16>(std::min<TW_UINT32>(format.width, 0x7fff));
    exposure.Bottom = static_cast<TW_INT16>(std::min<TW_UINT32>(format.rows, 0x7fff));
    exposure.FilmType = static_cast<TW_UINT16>(m_caps.Current(ICAP_XQ_FILMTYPE));
    exposure.PreScanGamma = TWXQ_PG_18;
    exposure.ScreenGamma = ToFix32(1.8);
    exposure.GrayBalance = 128;
    return Done();
}

CSampleScanner::Outcome CSampleScanner::XqRgbMatrix(TW_UINT16 msg, TW_MEMREF pData) {
    if (const auto refused = RefuseVendorGet(msg, pData)) {
        return *refused;
    }
    SetIdentityMatrix(static_cast<TWXQ_RGBMATRIX*>(pData)->ColorCoeff);
    return Done();
}

CSampleScanner::Outcome CSampleScanner::XqColorSmoothing(TW_UINT16 msg, TW_MEMREF pData) {
    if (const auto refused = RefuseVendorGet(msg, pData)) {
        return *refused;
    }
    const ImageFormat format = CurrentFormat();
    const TW_UINT32 midX = format.width / 2;
    const TW_UINT32 midY = format.rows / 2;
    *static_cast<TWXQ_COLORSMOOTHING*>(pData) = {0,    0,    midY,        midX, 0, format.width,
                                                 midY, midX, format.rows, 0};
    return Done();
}

CSampleScanner::Outcome CSampleScanner::XqHardwareInfo(TW_UINT16 msg, TW_MEMREF pData) {
    if (const auto refused = RefuseVendorGet(msg, pData)) {
        return *refused;
    }
    *static_cast<TWXQ_HARDWAREINFO*>(pData) = HardwareInfo();
    return Done();
}

// The original lies square in the corner of the glass and fills the frame.
CSampleScanner::Outcome CSampleScanner::XqSkewInfo(TW_UINT16 msg, TW_MEMREF pData) {
    if (const auto refused = RefuseVendorGet(msg, pData)) {
        return *refused;
    }
    const ImageFormat format = CurrentFormat();
    auto& location = *static_cast<TWXQ_LOCATIONDATA*>(pData);
    location = TWXQ_LOCATIONDATA{};
    location.BitsPerPixel = static_cast<TW_INT16>(format.BitsPerPixel());
    location.locateW = format.width;
    location.locateH = format.rows;
    location.ActualImgW = format.width;
    location.ActualImgH = format.rows;
    location.Theta = ToFix32(0.0);
    return Done();
}

CSampleScanner::Outcome CSampleScanner::XqUnsharpMask(TW_UINT16 msg, TW_MEMREF pData) {
    if (const auto refused = RefuseVendorGet(msg, pData)) {
        return *refused;
    }
    *static_cast<TWXQ_USMPARAM*>(pData) = kUnsharpMask;
    return Done();
}

CSampleScanner::Outcome CSampleScanner::XqUsmInfo(TW_UINT16 msg, TW_MEMREF pData) {
    if (const auto refused = RefuseVendorGet(msg, pData)) {
        return *refused;
    }
    auto& info = *static_cast<TWXQ_USMINFO*>(pData);
    info.InputResolution =
        static_cast<TW_UINT16>(Fix32FromItem(m_caps.Current(ICAP_XRESOLUTION)).Whole);
    info.InUSMLevel = TWXQ_USM_MEDIUM;
    info.InFilmType = static_cast<TW_UINT16>(m_caps.Current(ICAP_XQ_FILMTYPE));
    info.USMParm = kUnsharpMask;
    info.ReviseParm = {{0, 16, 240, 255}, {0, 0, 255, 255}, 4};
    return Done();
}

CSampleScanner::Outcome CSampleScanner::XqNotice(TW_UINT16 msg, TW_MEMREF /*pData*/) {
    if (msg != MSG_SET) {
        return Fail(TWCC_BADPROTOCOL);
    }
    return InStates(4, 7) ? Done() : Fail(TWCC_SEQERROR); // nothing to read or write
}

CSampleScanner::Outcome CSampleScanner::XqEvent(TW_UINT16 msg, TW_MEMREF /*pData*/) {
    if (msg != MSG_XQ_TIMERRESET) {
        return Fail(TWCC_BADPROTOCOL);
    }
    return InStates(4, 7) ? Done() : Fail(TWCC_SEQERROR); // nothing to read or write
}

ImageFormat CSampleScanner::CurrentFormat() const {
    return MakeImageFormat(static_cast<TW_UINT16>(m_caps.Current(ICAP_PIXELTYPE)), m_frame,
                           Fix32FromItem(m_caps.Current(ICAP_XRESOLUTION)),
                           Fix32FromItem(m_caps.Current(ICAP_YRESOLUTION)));
}
