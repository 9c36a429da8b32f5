// Plays the Linux DSM in front of a data source module built in the linux layout: every
// structure it passes is followed by guard bytes, which no call may change. The session:
// identity, entry point, open, every supported capability with every message that reads it,
// status, layout, one native transfer, close.
//   guard_host MODULE           exit 0 when no guard byte changed
//   guard_host MODULE missing   exit 0 when every call fails (the bridge's source is missing)
#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "twain.h"

namespace {

typedef TW_UINT16 (*DsEntryProc)(TW_IDENTITY*, TW_UINT32, TW_UINT16, TW_UINT16, TW_MEMREF);

TW_PACK_BEGIN
struct EntryPoint { // TW_ENTRYPOINT
    TW_UINT32 Size;
    void* DSM_Entry;
    void* DSM_MemAllocate;
    void* DSM_MemFree;
    void* DSM_MemLock;
    void* DSM_MemUnlock;
};
TW_PACK_END
static_assert(sizeof(EntryPoint) == 44 && offsetof(EntryPoint, DSM_MemUnlock) == 36,
              "TW_ENTRYPOINT");

constexpr TW_UINT16 kDatEntryPoint = 0x0403;
constexpr size_t kGuard = 64;
constexpr unsigned char kPattern = 0xA5;

DsEntryProc g_entry = nullptr;
TW_IDENTITY g_app = {};
int g_calls = 0;
int g_transferReady = 0;

TW_UINT16 DsmEntry(TW_IDENTITY*, TW_IDENTITY*, TW_UINT32, TW_UINT16, TW_UINT16 msg, TW_MEMREF) {
    g_transferReady += msg == MSG_XFERREADY;
    return TWRC_SUCCESS;
}
TW_HANDLE MemAllocate(TW_UINT32 size) {
    return static_cast<TW_HANDLE>(calloc(size, 1));
}
void MemFree(TW_HANDLE handle) {
    free(handle);
}
TW_MEMREF MemLock(TW_HANDLE handle) {
    return handle;
}
void MemUnlock(TW_HANDLE) {}

// One triplet on a copy of value followed by guard bytes; value receives the answer.
template <typename T>
TW_UINT16 Call(TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, T& value) {
    unsigned char buffer[sizeof(T) + kGuard];
    memcpy(buffer, &value, sizeof(T));
    memset(buffer + sizeof(T), kPattern, kGuard);
    const TW_UINT16 rc = g_entry(&g_app, dg, dat, msg, buffer);
    for (size_t i = sizeof(T); i < sizeof buffer; ++i) {
        if (buffer[i] != kPattern) {
            fprintf(stderr, "DG %u DAT 0x%04x MSG 0x%04x wrote byte %zu of a %zu-byte structure\n",
                    dg, dat, msg, i, sizeof(T));
            exit(1);
        }
    }
    memcpy(&value, buffer, sizeof(T));
    ++g_calls;
    return rc;
}

void Expect(bool ok, const char* what) {
    if (!ok) {
        fprintf(stderr, "%s\n", what);
        exit(1);
    }
}

} // namespace

int main(int argc, char** argv) {
    void* module = argc >= 2 ? dlopen(argv[1], RTLD_NOW | RTLD_LOCAL) : nullptr;
    g_entry =
        module != nullptr ? reinterpret_cast<DsEntryProc>(dlsym(module, "DS_Entry")) : nullptr;
    Expect(g_entry != nullptr, "usage: guard_host MODULE (a module exporting DS_Entry)");
    g_app.Id = 1;
    g_app.ProtocolMajor = 2;
    g_app.SupportedGroups = DG_CONTROL | DG_IMAGE;
    strcpy(g_app.ProductName, "guard_host");

    TW_IDENTITY source = {};
    if (argc == 3) {
        Expect(Call(DG_CONTROL, DAT_IDENTITY, MSG_GET, source) == TWRC_FAILURE &&
                   Call(DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, source) == TWRC_FAILURE,
               "a source that cannot be loaded must fail every call");
        printf("a source that cannot be loaded: every call fails\n");
        return 0;
    }
    Expect(Call(DG_CONTROL, DAT_IDENTITY, MSG_GET, source) == TWRC_SUCCESS, "identity");
    EntryPoint entry = {sizeof(EntryPoint),
                        reinterpret_cast<void*>(&DsmEntry),
                        reinterpret_cast<void*>(&MemAllocate),
                        reinterpret_cast<void*>(&MemFree),
                        reinterpret_cast<void*>(&MemLock),
                        reinterpret_cast<void*>(&MemUnlock)};
    Call(DG_CONTROL, kDatEntryPoint, MSG_SET, entry);
    source.Id = 2;
    Expect(Call(DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, source) == TWRC_SUCCESS, "open");

    TW_CAPABILITY supported = {CAP_SUPPORTEDCAPS, TWON_DONTCARE16, nullptr};
    Expect(Call(DG_CONTROL, DAT_CAPABILITY, MSG_GET, supported) == TWRC_SUCCESS &&
               supported.ConType == TWON_ARRAY && supported.hContainer != nullptr,
           "CAP_SUPPORTEDCAPS");
    const auto* list = reinterpret_cast<const TW_ARRAY*>(supported.hContainer);
    const TW_UINT32 capabilities = list->NumItems;
    for (TW_UINT32 i = 0; i < capabilities; ++i) {
        TW_UINT16 cap = 0;
        memcpy(&cap, list->ItemList + i * sizeof cap, sizeof cap);
        for (TW_UINT16 msg : {MSG_GET, MSG_GETCURRENT, MSG_GETDEFAULT, MSG_QUERYSUPPORT}) {
            TW_CAPABILITY capability = {cap, TWON_DONTCARE16, nullptr};
            Call(DG_CONTROL, DAT_CAPABILITY, msg, capability);
            free(capability.hContainer);
        }
    }
    free(supported.hContainer);
    TW_STATUS status = {};
    Call(DG_CONTROL, DAT_STATUS, MSG_GET, status);
    TW_IMAGELAYOUT layout = {};
    Call(DG_IMAGE, DAT_IMAGELAYOUT, MSG_GET, layout);

    TW_USERINTERFACE ui = {0, 0, nullptr};
    Expect(Call(DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, ui) == TWRC_SUCCESS &&
               g_transferReady == 1,
           "enable and MSG_XFERREADY");
    TW_IMAGEINFO info = {};
    Call(DG_IMAGE, DAT_IMAGEINFO, MSG_GET, info);
    TW_HANDLE image = nullptr;
    Expect(Call(DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, image) == TWRC_XFERDONE, "transfer");
    free(image);
    TW_PENDINGXFERS pending = {};
    Call(DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, pending);
    if (pending.Count != 0) {
        Call(DG_CONTROL, DAT_PENDINGXFERS, MSG_RESET, pending);
    }
    Call(DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, ui);
    Expect(Call(DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, source) == TWRC_SUCCESS, "close");
    dlclose(module);
    printf("guard bytes: %d calls (%u capabilities), none wrote past its structure\n", g_calls,
           static_cast<unsigned>(capabilities));
    return 0;
}
