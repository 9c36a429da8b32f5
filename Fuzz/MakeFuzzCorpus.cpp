// Writes the seed corpus of the DS_Entry fuzz target: the sample driver's answers to a scan
// session (identity, capabilities of every container type, status, layout, memory transfer,
// events, the vendor's triplets) and, for every other DAT it does not answer, its refusal
// of a zero-filled structure. One file per call, named after the triplet.
//
//   make_fuzz_corpus <driver executable> <output directory>
#include <CoreServices/CoreServices.h>

#include <dlfcn.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "CTripletOperator.h"
#include "FuzzInput.h"
#include "ParaAnalyze.h"
#include "twaintbl.h"

namespace {

constexpr TW_UINT32 kMemoryMechanism = 2; // TWSX_MEMORY
constexpr TW_UINT32 kAppOwnsPointer = 0x0001 | 0x0008;

class CCorpusWriter {
public:
    CCorpusWriter(CTripletOperator* driver, std::string directory)
        : m_driver(driver), m_directory(std::move(directory)) {}

    // Calls the driver with structure (of the DAT's size) and writes what it answered.
    TW_UINT16 Call(TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, void* structure, size_t size,
                   uint8_t flags = 0) {
        TW_IDENTITY origin{};
        origin.Id = 7;
        const TW_UINT16 rc = m_driver->OperateTriplet(&origin, dg, dat, msg, structure);
        FuzzHeader header{};
        header.dg = dg;
        header.dat = dat;
        header.msg = msg;
        header.rc = rc;
        header.flags = flags | (structure == nullptr ? kFuzzNullData : 0);
        header.state = static_cast<uint8_t>(m_state);
        header.dataLength = static_cast<uint16_t>(size);
        std::vector<uint8_t> bytes(sizeof header + size);
        if (structure != nullptr) {
            memcpy(bytes.data() + sizeof header, structure, size);
        }
        if (dat == DAT_CAPABILITY && structure != nullptr && rc != TWRC_FAILURE) {
            Handle container = static_cast<TW_CAPABILITY*>(structure)->hContainer;
            const Size blockSize = GetHandleSize(container);
            if (blockSize > 0) {
                header.containerSize = static_cast<uint16_t>(blockSize);
                bytes.insert(bytes.end(), *container, *container + blockSize);
            }
            DisposeHandle(container);
        }
        memcpy(bytes.data(), &header, sizeof header);
        Write(header, bytes);
        return rc;
    }

    template <typename S>
    TW_UINT16 Call(TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, S& structure) {
        return Call(dg, dat, msg, &structure, sizeof structure);
    }

    void SetState(int state) { m_state = state; }

private:
    void Write(const FuzzHeader& header, const std::vector<uint8_t>& bytes) {
        char dat[kMacroNameSize];
        char msg[kMacroNameSize];
        GetMacroName(StandardOrVendor(header.dat, MacroRows(dat_macros), MacroRows(dat_xq_macros)),
                     header.dat, dat);
        GetMacroName(StandardOrVendor(header.msg, MacroRows(msg_macros), MacroRows(msg_xq_macros)),
                     header.msg, msg);
        char name[256];
        snprintf(name, sizeof name, "%s/%03d_%s_%s", m_directory.c_str(), ++m_count, dat, msg);
        for (char* c = name + m_directory.size() + 1; *c != '\0'; ++c) {
            if (*c == '(' || *c == ')' || *c == '!') {
                *c = '_';
            }
        }
        if (FILE* file = fopen(name, "wb")) {
            fwrite(bytes.data(), 1, bytes.size(), file);
            fclose(file);
        } else {
            perror(name);
        }
    }

    CTripletOperator* m_driver;
    std::string m_directory;
    int m_state = 3;
    int m_count = 0;
};

// A TW_ONEVALUE container of a 16-bit item, as an application sends it with MSG_SET.
Handle OneValue(TW_UINT16 itemType, TW_UINT32 item) {
    Handle handle = NewHandleClear(sizeof(TW_ONEVALUE));
    auto* one = reinterpret_cast<TW_ONEVALUE*>(*handle);
    one->ItemType = itemType;
    one->Item = item;
    return handle;
}

void WriteSession(CCorpusWriter& out) {
    TW_IDENTITY identity{};
    out.Call(DG_CONTROL, DAT_PARENT, MSG_OPENDSM, nullptr, 0);
    out.Call(DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, identity);
    out.SetState(4);

    // Every capability the driver has, and one of each container type and message.
    const TW_UINT16 capabilities[] = {CAP_SUPPORTEDCAPS, CAP_XFERCOUNT,      ICAP_PIXELTYPE,
                                      ICAP_XFERMECH,     ICAP_UNITS,         ICAP_XRESOLUTION,
                                      ICAP_YRESOLUTION,  ICAP_BRIGHTNESS,    ICAP_BITDEPTH,
                                      ICAP_COMPRESSION,  ICAP_PHYSICALWIDTH, ICAP_PHYSICALHEIGHT,
                                      CAP_XQ_VERSION,    ICAP_XQ_FILMTYPE,   CAP_XQ_UIMODE};
    for (TW_UINT16 cap : capabilities) {
        TW_CAPABILITY capability{cap, 0, nullptr};
        out.Call(DG_CONTROL, DAT_CAPABILITY, MSG_GET, capability);
    }
    for (TW_UINT16 msg : {MSG_GETCURRENT, MSG_GETDEFAULT, MSG_QUERYSUPPORT, MSG_RESET}) {
        TW_CAPABILITY capability{ICAP_PIXELTYPE, 0, nullptr};
        out.Call(DG_CONTROL, DAT_CAPABILITY, msg, capability);
    }
    TW_CAPABILITY unknown{0x1234, 0, nullptr};
    out.Call(DG_CONTROL, DAT_CAPABILITY, MSG_GET, unknown);

    // The application's own container: memory transfer from now on.
    TW_CAPABILITY mechanism{ICAP_XFERMECH, TWON_ONEVALUE, OneValue(TWTY_UINT16, kMemoryMechanism)};
    out.Call(DG_CONTROL, DAT_CAPABILITY, MSG_SET, mechanism); // disposes the container

    TW_STATUS status{};
    out.Call(DG_CONTROL, DAT_STATUS, MSG_GET, status);
    TW_IMAGELAYOUT layout{};
    out.Call(DG_IMAGE, DAT_IMAGELAYOUT, MSG_GET, layout);
    TW_SETUPMEMXFER setup{};
    out.Call(DG_CONTROL, DAT_SETUPMEMXFER, MSG_GET, setup);
    TW_UINT16 frames[2] = {};
    out.Call(DG_CONTROL, DAT_XQ_SETTINGFRAME, MSG_GET, frames,
             DatStructureSize(DAT_XQ_SETTINGFRAME));
    out.Call(DG_CONTROL, DAT_XQ_EVENT, MSG_XQ_TIMERRESET, nullptr, 0);

    TW_USERINTERFACE ui{};
    out.Call(DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, ui);
    out.SetState(5);
    TW_EVENT event{};
    out.Call(DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, event);
    out.SetState(6);
    TW_IMAGEINFO info{};
    out.Call(DG_IMAGE, DAT_IMAGEINFO, MSG_GET, info);

    static uint8_t strip[1 << 16];
    TW_IMAGEMEMXFER xfer{};
    xfer.Memory.Flags = kAppOwnsPointer;
    xfer.Memory.Length = sizeof strip;
    xfer.Memory.TheMem = strip;
    out.Call(DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET, xfer);
    out.SetState(7);
    TW_PENDINGXFERS pending{};
    out.Call(DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, pending);
    out.SetState(5);
    out.Call(DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, event);
    out.Call(DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, ui);
    out.SetState(4);

    // Every other DAT the tables name, standard and vendor, and two without a name: the
    // driver's refusal of a zero-filled structure of the DAT's size. A DAT gets its seed as
    // soon as it is named.
    const TW_UINT16 inSession[] = {
        DAT_PARENT,       DAT_IDENTITY,     DAT_CAPABILITY,      DAT_STATUS,        DAT_IMAGELAYOUT,
        DAT_SETUPMEMXFER, DAT_XQ_EVENT,     DAT_XQ_SETTINGFRAME, DAT_USERINTERFACE, DAT_EVENT,
        DAT_IMAGEINFO,    DAT_IMAGEMEMXFER, DAT_PENDINGXFERS,    DAT_CUSTOMBASE};
    std::vector<TW_UINT16> others;
    for (const MacroTable table : {MacroRows(dat_macros), MacroRows(dat_xq_macros)}) {
        for (size_t i = 0; i < table.count; ++i) {
            const auto dat = static_cast<TW_UINT16>(table.rows[i].value);
            if (std::find(std::begin(inSession), std::end(inSession), dat) == std::end(inSession)) {
                others.push_back(dat);
            }
        }
    }
    others.push_back(0x0400);
    others.push_back(0xffff);
    for (TW_UINT16 dat : others) {
        const size_t size = DatStructureSize(dat) != 0 ? DatStructureSize(dat) : 8;
        std::vector<uint8_t> structure(size);
        out.Call(dat >= DAT_IMAGEINFO && dat <= DAT_EXTIMAGEINFO ? DG_IMAGE : DG_CONTROL, dat,
                 MSG_GET, structure.data(), size);
    }

    out.Call(DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, identity);
    out.SetState(3);
    out.Call(DG_CONTROL, DAT_PARENT, MSG_CLOSEDSM, nullptr, 0);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: %s <driver executable> <output directory>\n", argv[0]);
        return 2;
    }
    void* module = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
    auto create =
        module ? reinterpret_cast<CreateTwainWrapperProc>(dlsym(module, "CreateTwainWrapper"))
               : nullptr;
    CTripletOperator* driver = nullptr;
    if (create != nullptr) {
        create(nullptr, &driver);
    }
    if (driver == nullptr) {
        fprintf(stderr, "%s: no driver operator (%s)\n", argv[1], module ? "" : dlerror());
        return 1;
    }
    CCorpusWriter out(driver, argv[2]);
    WriteSession(out);
    delete driver;
    dlclose(module);
    return 0;
}
