// The bridge to any TWAIN data source: a driver bundle whose operator loads a data source
// module (anything that exports DS_Entry) and hands it every triplet unchanged. Put the
// monitor in front of a data source by pointing its driver bundle path at this bundle.
//
// The source is the absolute path on the first line of Contents/Resources/DataSource.txt in
// this bundle: a module file, or a bundle directory whose executable is
// Contents/MacOS/<name without extension>. When it cannot be loaded the factory hands out no
// operator, so the monitor fails every call with TWRC_FAILURE and logs it, as it does when
// its driver is missing.
//
// On Windows the bridge is DsBridge.dll, DataSource.txt lies in the DLL's own folder, and the
// source is a DLL (a .ds), loaded with its own folder searched for the DLLs it needs, as the
// DSM loads it.
// dladdr, which finds this bundle, is an extension of both platforms' loaders, not POSIX.
#if defined(__APPLE__) && !defined(_DARWIN_C_SOURCE)
#define _DARWIN_C_SOURCE 1
#endif
#include <dlfcn.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <new>

#include "CTripletOperator.h"

#define DSBRIDGE_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

typedef TW_UINT16 (*DsEntryProc)(TW_IDENTITY* pOrigin, TW_UINT32 DG, TW_UINT16 DAT, TW_UINT16 MSG,
                                 TW_MEMREF pData);

constexpr size_t kPathSize = 4096;
constexpr char kExecutableDir[] = "/Contents/MacOS/";
#ifdef _WIN32
constexpr char kDataSourceFile[] = "\\DataSource.txt";
#else
constexpr char kDataSourceFile[] = "/Contents/Resources/DataSource.txt";
#endif

// This bundle's directory: the executable's path less "/Contents/MacOS/<name>" (on Windows
// the DLL's folder).
bool OwnBundle(char (&out)[kPathSize]) {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&OwnBundle), &info) == 0 || info.dli_fname == nullptr) {
        return false;
    }
#ifdef _WIN32
    const char* cut = strrchr(info.dli_fname, '\\');
#else
    const char* cut = strstr(info.dli_fname, kExecutableDir);
#endif
    const size_t length = cut != nullptr ? static_cast<size_t>(cut - info.dli_fname) : 0;
    if (length == 0 || length >= sizeof out) {
        return false;
    }
    memcpy(out, info.dli_fname, length);
    out[length] = '\0';
    return true;
}

// The first line of DataSource.txt: an absolute path, without its line end.
bool DataSourcePath(char (&out)[kPathSize]) {
    char file[kPathSize];
    if (!OwnBundle(file) || strlen(file) + sizeof kDataSourceFile > sizeof file) {
        return false;
    }
    strcat(file, kDataSourceFile);
    FILE* stream = fopen(file, "r");
    if (stream == nullptr) {
        return false;
    }
    const bool read = fgets(out, sizeof out, stream) != nullptr;
    fclose(stream);
    if (!read) {
        return false;
    }
    out[strcspn(out, "\r\n")] = '\0';
#ifdef _WIN32
    const bool drive = out[0] != '\0' && out[1] == ':' && (out[2] == '\\' || out[2] == '/');
    return drive || (out[0] == '\\' && out[1] == '\\');
#else
    return out[0] == '/';
#endif
}

// A bundle directory stands for its executable, Contents/MacOS/<name without extension>.
bool ModuleFile(const char* path, char (&out)[kPathSize]) {
#ifdef _WIN32
    return snprintf(out, sizeof out, "%s", path) < static_cast<int>(sizeof out);
#else
    struct stat status {};
    if (stat(path, &status) != 0) {
        return false;
    }
    if (!S_ISDIR(status.st_mode)) {
        return snprintf(out, sizeof out, "%s", path) < static_cast<int>(sizeof out);
    }
    size_t end = strlen(path);
    while (end > 1 && path[end - 1] == '/') {
        --end;
    }
    size_t start = end;
    while (start > 0 && path[start - 1] != '/') {
        --start;
    }
    size_t stem = start;
    while (stem < end && path[stem] != '.') {
        ++stem;
    }
    const int written = snprintf(out, sizeof out, "%.*s%s%.*s", static_cast<int>(end), path,
                                 kExecutableDir, static_cast<int>(stem - start), path + start);
    return written > 0 && written < static_cast<int>(sizeof out);
#endif
}

class CDsBridge final : public CTripletOperator {
public:
    CDsBridge(void* module, DsEntryProc entry) : m_module(module), m_entry(entry) {}
    ~CDsBridge() override { dlclose(m_module); }
    CDsBridge(const CDsBridge&) = delete;
    CDsBridge& operator=(const CDsBridge&) = delete;

    void Reserved1() override {}
    void Reserved2() override {}
    // Everything passes as it came, DAT_ENTRYPOINT included; the source's callbacks go to
    // the DSM's entry point it was given, not through here.
    TW_UINT16 OperateTriplet(TW_IDENTITY* pOrigin, TW_UINT32 DG, TW_UINT16 DAT, TW_UINT16 MSG,
                             TW_MEMREF pData) override {
        return m_entry(pOrigin, DG, DAT, MSG, pData);
    }

private:
    void* m_module;
    DsEntryProc m_entry;
};

} // namespace

DSBRIDGE_EXPORT void CreateTwainWrapper(CFStringRef, CTripletOperator** ppOperator) {
    if (ppOperator == nullptr) {
        return;
    }
    char source[kPathSize];
    char file[kPathSize];
    if (!DataSourcePath(source) || !ModuleFile(source, file)) {
        return;
    }
    void* module = dlopen(file, RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr) {
        return;
    }
    const auto entry = reinterpret_cast<DsEntryProc>(dlsym(module, "DS_Entry"));
    CTripletOperator* bridge =
        entry != nullptr ? new (std::nothrow) CDsBridge(module, entry) : nullptr;
    if (bridge == nullptr) {
        dlclose(module);
        return;
    }
    *ppOperator = bridge;
}
