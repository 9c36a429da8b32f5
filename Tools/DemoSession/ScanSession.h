// A scanning application's session with a data source, driven through the source's
// DS_Entry the way the Data Source Manager passes the application's triplets on.
#ifndef TWAINMON_SCANSESSION_H
#define TWAINMON_SCANSESSION_H

#include "twain.h"

typedef TW_UINT16 (*DSEntryProc)(TW_IDENTITY* pOrigin, TW_UINT32 DG, TW_UINT16 DAT, TW_UINT16 MSG,
                                 TW_MEMREF pData);

// What the application asks the source for, besides the session's fixed negotiation.
struct ScanSettings {
    TW_UINT16 pixelType = TWPT_GRAY;
    TW_UINT16 resolution = 0; // dots per inch; 0 keeps the source's
    TW_INT16 pages = 0;       // CAP_XFERCOUNT; 0 keeps the source's
};

class CScanSession {
public:
    CScanSession(DSEntryProc entry, const ScanSettings& settings);
    explicit CScanSession(DSEntryProc entry);

    // Opens the manager and the source, negotiates, scans every page with memory transfers
    // and closes the source and the manager. False when a triplet returned what the session
    // did not expect (each one is reported on stderr).
    bool Run();

    unsigned long Calls() const { return m_calls; }
    unsigned long Pages() const { return m_pages; }
    unsigned long Strips() const { return m_strips; }
    unsigned long ImageBytes() const { return m_imageBytes; }

private:
    struct CapabilityStep;
    static const CapabilityStep kNegotiation[];

    // Sends a triplet, asks for the condition code after a failure, as an application does,
    // and reports an rc other than expected (or alsoExpected).
    TW_UINT16 Send(const char* what, TW_UINT32 DG, TW_UINT16 DAT, TW_UINT16 MSG, TW_MEMREF pData,
                   TW_UINT16 expected, TW_UINT16 alsoExpected);
    TW_UINT16 Send(const char* what, TW_UINT32 DG, TW_UINT16 DAT, TW_UINT16 MSG, TW_MEMREF pData,
                   TW_UINT16 expected) {
        return Send(what, DG, DAT, MSG, pData, expected, expected);
    }
    // The part of Run with the source open: false when it could not be opened.
    bool Scan();
    void Negotiate(const CapabilityStep& step);
    // Reads what the vendor's own triplets tell about the scanner.
    void ReadVendorData();
    // Passes events to the source until it posts awaited; false when it does not.
    bool AwaitEvent(TW_UINT16 awaited);
    // Transfers the pending pages; false when a transfer failed.
    bool TransferPages();
    bool TransferPage();
    void Unexpected(const char* what, const char* detail);
    // Sets what the settings ask for beyond the session's fixed negotiation.
    void ApplySettings();

    DSEntryProc m_entry;
    ScanSettings m_settings;
    TW_IDENTITY m_application;
    TW_IDENTITY m_source;
    unsigned long m_calls = 0;
    unsigned long m_pages = 0;
    unsigned long m_strips = 0;
    unsigned long m_imageBytes = 0;
    bool m_asExpected = true;
};

#endif // TWAINMON_SCANSESSION_H
