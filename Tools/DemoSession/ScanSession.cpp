#include "ScanSession.h"

#include <CoreServices/CoreServices.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "TwainFlags.h"
#include "TwainXq.h"

namespace {

// Bounds that keep a misbehaving source from holding the session forever.
constexpr int kMaxEventPolls = 16;
constexpr int kMaxPages = 16;
constexpr int kMaxStripsPerPage = 4096;

template <size_t N>
void CopyText(char (&to)[N], const char* text) {
    std::strncpy(to, text, N - 1);
    to[N - 1] = '\0';
}

// The identities as the manager holds them after MSG_OPENDSM and the user's choice of source.
TW_IDENTITY ApplicationIdentity() {
    TW_IDENTITY identity{};
    identity.Id = 1;
    identity.Version = {1, 0, static_cast<TW_UINT16>(TWLG_USA), TWCY_USA, "1.0 demo"};
    identity.ProtocolMajor = 2;
    identity.ProtocolMinor = 1;
    identity.SupportedGroups = DG_CONTROL | DG_IMAGE;
    CopyText(identity.Manufacturer, "TwainMonitor project");
    CopyText(identity.ProductFamily, "Demo");
    CopyText(identity.ProductName, "Demo scan session");
    return identity;
}

TW_IDENTITY SourceIdentity() {
    TW_IDENTITY identity{};
    identity.Id = 2;
    CopyText(identity.ProductName, "Sample Flatbed 1200");
    return identity;
}

// A TW_ONEVALUE for MSG_SET, allocated as the source expects application containers.
TW_HANDLE NewOneValue(TW_UINT16 itemType, TW_UINT32 item) {
    Handle container = NewHandleClear(sizeof(TW_ONEVALUE));
    if (container != nullptr) {
        HLock(container);
        auto* one = reinterpret_cast<TW_ONEVALUE*>(*container);
        one->ItemType = itemType;
        one->Item = item;
        HUnlock(container);
    }
    return container;
}

} // namespace

struct CScanSession::CapabilityStep {
    const char* what;
    TW_UINT16 msg;
    TW_UINT16 cap;
    TW_UINT16 itemType; // of the value MSG_SET sends
    TW_UINT32 value;
    TW_UINT16 expected;
};

const CScanSession::CapabilityStep CScanSession::kNegotiation[] = {
    {"list the capabilities", MSG_GET, CAP_SUPPORTEDCAPS, 0, 0, TWRC_SUCCESS},
    {"read the pixel types", MSG_GET, ICAP_PIXELTYPE, 0, 0, TWRC_SUCCESS},
    {"choose gray", MSG_SET, ICAP_PIXELTYPE, TWTY_UINT16, TWPT_GRAY, TWRC_SUCCESS},
    {"choose memory transfers", MSG_SET, ICAP_XFERMECH, TWTY_UINT16, TWSX_MEMORY, TWRC_SUCCESS},
    {"read the resolutions", MSG_GET, ICAP_XRESOLUTION, 0, 0, TWRC_SUCCESS},
    {"read the brightness range", MSG_GET, ICAP_BRIGHTNESS, 0, 0, TWRC_SUCCESS},
    {"ask what the units allow", MSG_QUERYSUPPORT, ICAP_UNITS, 0, 0, TWRC_SUCCESS},
    {"read the vendor's version", MSG_GET, CAP_XQ_VERSION, 0, 0, TWRC_SUCCESS},
    {"read the film types", MSG_GET, ICAP_XQ_FILMTYPE, 0, 0, TWRC_SUCCESS},
    {"read the user interface mode", MSG_GETCURRENT, CAP_XQ_UIMODE, 0, 0, TWRC_SUCCESS},
    {"read the serial number", MSG_GET, CAP_SERIALNUMBER, 0, 0, TWRC_SUCCESS},
    {"look for a feeder", MSG_GET, CAP_FEEDERENABLED, 0, 0, TWRC_FAILURE}, // a flatbed has none
};

CScanSession::CScanSession(DSEntryProc entry)
    : m_entry(entry), m_application(ApplicationIdentity()), m_source(SourceIdentity()) {}

bool CScanSession::Run() {
    // The manager's open, which carries the application's identity; on macOS without a
    // parent window.
    Send("open the manager", DG_CONTROL, DAT_PARENT, MSG_OPENDSM, nullptr, TWRC_SUCCESS);
    const bool scanned = Scan();
    Send("close the manager", DG_CONTROL, DAT_PARENT, MSG_CLOSEDSM, nullptr, TWRC_SUCCESS);
    return scanned && m_asExpected;
}

bool CScanSession::Scan() {
    if (Send("open the source", DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &m_source, TWRC_SUCCESS) !=
        TWRC_SUCCESS) {
        return false;
    }
    for (const CapabilityStep& step : kNegotiation) {
        Negotiate(step);
    }
    ApplySettings();
    TW_IMAGELAYOUT layout{};
    Send("read the layout", DG_IMAGE, DAT_IMAGELAYOUT, MSG_GET, &layout, TWRC_SUCCESS);
    TW_JPEGCOMPRESSION jpeg{};
    Send("read the JPEG parameters", DG_IMAGE, DAT_JPEGCOMPRESSION, MSG_GET, &jpeg, TWRC_SUCCESS);
    TWXQ_SETTINGFRAME frames{};
    Send("read the setting frames", DG_CONTROL, DAT_XQ_SETTINGFRAME, MSG_GET, &frames,
         TWRC_SUCCESS);
    ReadVendorData();

    TW_USERINTERFACE ui{};
    ui.ShowUI = 1;
    if (Send("enable the source", DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &ui, TWRC_SUCCESS) ==
        TWRC_SUCCESS) {
        if (AwaitEvent(MSG_XFERREADY) && TransferPages()) {
            AwaitEvent(MSG_CLOSEDSREQ);
        }
        Send("disable the source", DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, &ui, TWRC_SUCCESS);
    }
    Send("close the source", DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, &m_source, TWRC_SUCCESS);
    return true;
}

TW_UINT16 CScanSession::Send(const char* what, TW_UINT32 DG, TW_UINT16 DAT, TW_UINT16 MSG,
                             TW_MEMREF pData, TW_UINT16 expected, TW_UINT16 alsoExpected) {
    ++m_calls;
    const TW_UINT16 rc = m_entry(&m_application, DG, DAT, MSG, pData);
    std::string detail;
    if (rc == TWRC_FAILURE) {
        TW_STATUS status{};
        ++m_calls;
        const TW_UINT16 statusRc =
            m_entry(&m_application, DG_CONTROL, DAT_STATUS, MSG_GET, &status);
        detail = statusRc == TWRC_SUCCESS
                     ? ", condition code " + std::to_string(status.ConditionCode)
                     : ", and its status could not be read";
    }
    if (rc != expected && rc != alsoExpected) {
        Unexpected(what, ("returned " + std::to_string(rc) + detail + " instead of " +
                          std::to_string(expected))
                             .c_str());
    }
    return rc;
}

void CScanSession::Negotiate(const CapabilityStep& step) {
    TW_CAPABILITY capability{step.cap, static_cast<TW_UINT16>(TWON_DONTCARE16), nullptr};
    if (step.msg == MSG_SET) {
        capability.ConType = TWON_ONEVALUE;
        capability.hContainer = NewOneValue(step.itemType, step.value);
    }
    Send(step.what, DG_CONTROL, DAT_CAPABILITY, step.msg, &capability, step.expected);
    // Ours after MSG_SET, the source's answer otherwise: the application disposes of both.
    if (capability.hContainer != nullptr) {
        DisposeHandle(capability.hContainer);
    }
}

CScanSession::CScanSession(DSEntryProc entry, const ScanSettings& settings) : CScanSession(entry) {
    m_settings = settings;
}

void CScanSession::ApplySettings() {
    if (m_settings.pixelType != TWPT_GRAY) { // the negotiation chose gray
        Negotiate({"choose the pixel type", MSG_SET, ICAP_PIXELTYPE, TWTY_UINT16,
                   m_settings.pixelType, TWRC_SUCCESS});
    }
    if (m_settings.resolution != 0) {
        const TW_UINT32 dpi = m_settings.resolution; // a TW_FIX32 with no fraction
        Negotiate(
            {"choose the resolution", MSG_SET, ICAP_XRESOLUTION, TWTY_FIX32, dpi, TWRC_SUCCESS});
        Negotiate(
            {"choose the resolution", MSG_SET, ICAP_YRESOLUTION, TWTY_FIX32, dpi, TWRC_SUCCESS});
    }
    if (m_settings.pages != 0) {
        Negotiate({"choose the page count", MSG_SET, CAP_XFERCOUNT, TWTY_INT16,
                   static_cast<TW_UINT16>(m_settings.pages), TWRC_SUCCESS});
    }
}

bool CScanSession::AwaitEvent(TW_UINT16 awaited) {
    // The application's pending OS event: a null event record.
    alignas(8) unsigned char osEvent[32] = {};
    for (int poll = 0; poll < kMaxEventPolls; ++poll) {
        TW_EVENT event{osEvent, MSG_NULL};
        const TW_UINT16 rc = Send("pass an event", DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, &event,
                                  TWRC_NOTDSEVENT, TWRC_DSEVENT);
        if (rc == TWRC_DSEVENT) {
            if (event.TWMessage == awaited) {
                return true;
            }
            Unexpected("pass an event", "the source posted another message");
            return false;
        }
        if (rc != TWRC_NOTDSEVENT) {
            return false; // reported by Send
        }
    }
    Unexpected("pass an event", "the source never posted the awaited message");
    return false;
}

bool CScanSession::TransferPages() {
    for (int page = 0; page < kMaxPages; ++page) {
        const bool transferred = TransferPage();
        TW_PENDINGXFERS pending{};
        if (Send("end the transfer", DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, &pending,
                 TWRC_SUCCESS) != TWRC_SUCCESS ||
            !transferred) {
            return false;
        }
        if (pending.Count == 0) {
            return true;
        }
    }
    Unexpected("end the transfer", "the source kept announcing more pages");
    return false;
}

bool CScanSession::TransferPage() {
    TW_IMAGEINFO info{};
    TW_CIECOLOR colour{};
    TW_SETUPMEMXFER setup{};
    if (Send("read the image info", DG_IMAGE, DAT_IMAGEINFO, MSG_GET, &info, TWRC_SUCCESS) !=
            TWRC_SUCCESS ||
        Send("read the colour description", DG_IMAGE, DAT_CIECOLOR, MSG_GET, &colour,
             TWRC_SUCCESS) != TWRC_SUCCESS ||
        Send("read the buffer sizes", DG_CONTROL, DAT_SETUPMEMXFER, MSG_GET, &setup,
             TWRC_SUCCESS) != TWRC_SUCCESS) {
        return false;
    }
    // The preferred size, but small enough that the page comes in several strips.
    const unsigned long bytesPerRow =
        (static_cast<unsigned long>(info.ImageWidth) * info.BitsPerPixel + 7) / 8;
    const unsigned long imageBytes = bytesPerRow * static_cast<unsigned long>(info.ImageLength);
    const TW_UINT32 size = std::max<TW_UINT32>(
        setup.MinBufSize, std::min<unsigned long>(setup.Preferred, imageBytes / 3));
    std::vector<unsigned char> buffer(std::max<TW_UINT32>(size, 1));
    unsigned long received = 0;
    for (int strip = 0; strip < kMaxStripsPerPage; ++strip) {
        TW_IMAGEMEMXFER xfer{};
        xfer.Memory.Flags = TWMF_APPOWNS | TWMF_POINTER;
        xfer.Memory.Length = static_cast<TW_UINT32>(buffer.size());
        xfer.Memory.TheMem = buffer.data();
        const TW_UINT16 rc = Send("transfer a strip", DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET, &xfer,
                                  TWRC_SUCCESS, TWRC_XFERDONE);
        if (rc != TWRC_SUCCESS && rc != TWRC_XFERDONE) {
            return false;
        }
        ++m_strips;
        received += xfer.BytesWritten;
        if (rc == TWRC_XFERDONE) {
            ++m_pages;
            m_imageBytes += received;
            if (received != imageBytes) {
                Unexpected("transfer a strip", "the strips do not add up to the image");
            }
            return true;
        }
    }
    Unexpected("transfer a strip", "the transfer never ended");
    return false;
}

void CScanSession::Unexpected(const char* what, const char* detail) {
    std::fprintf(stderr, "twain_demo_session: %s: %s\n", what, detail);
    m_asExpected = false;
}

void CScanSession::ReadVendorData() {
    TWXQ_HARDWAREINFO hardware{};
    Send("read the hardware information", DG_CONTROL, DAT_XQ_HARDWAREINFO, MSG_GET, &hardware,
         TWRC_SUCCESS);
    TWXQ_AUTOEXPOSURE exposure{};
    Send("measure the exposure", DG_CONTROL, DAT_XQ_AUTOEXPOSURE, MSG_GET, &exposure, TWRC_SUCCESS);
    TWXQ_RGBMATRIX matrix{};
    Send("read the colour matrix", DG_CONTROL, DAT_XQ_RGBMATRIX, MSG_GET, &matrix, TWRC_SUCCESS);
    TWXQ_COLORSMOOTHING smoothing{};
    Send("read the colour smoothing", DG_CONTROL, DAT_XQ_COLORSMOOTHING, MSG_GET, &smoothing,
         TWRC_SUCCESS);
    TWXQ_LOCATIONDATA location{};
    Send("locate the original", DG_CONTROL, DAT_XQ_SKEWINFO, MSG_GET, &location, TWRC_SUCCESS);
    TWXQ_USMPARAM mask{};
    Send("read the unsharp mask", DG_CONTROL, DAT_XQ_UNSHARPMASKPARAM, MSG_GET, &mask,
         TWRC_SUCCESS);
    TWXQ_USMINFO usm{};
    Send("read the unsharp mask set-up", DG_CONTROL, DAT_XQ_USMINFO, MSG_GET, &usm, TWRC_SUCCESS);
    // Notices without a structure of their own.
    Send("reset the lamp timer", DG_CONTROL, DAT_XQ_EVENT, MSG_XQ_TIMERRESET, nullptr,
         TWRC_SUCCESS);
    Send("pass the red correction", DG_CONTROL, DAT_XQ_REDCORRECTIONMATRIX, MSG_SET, nullptr,
         TWRC_SUCCESS);
    Send("pass a callback message", DG_CONTROL, DAT_XQ_TWAINCALLBACKMSG, MSG_SET, nullptr,
         TWRC_SUCCESS);
}
