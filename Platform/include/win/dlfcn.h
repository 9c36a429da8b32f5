// The dynamic loader's calls as <dlfcn.h> declares them, on the Windows loader: dlopen is
// LoadLibraryExW, dlsym GetProcAddress, dlclose FreeLibrary, and dladdr finds the module that
// holds an address with GetModuleHandleExW and names it with GetModuleFileNameW. Paths are
// UTF-8; '/' and '\' both separate folders.
#ifndef TWAINMON_PLATFORM_WIN_DLFCN_H
#define TWAINMON_PLATFORM_WIN_DLFCN_H

#ifdef __cplusplus
extern "C" {
#endif

// Accepted and ignored: a module's symbols are always resolved at load and never global.
#define RTLD_LAZY 0x1
#define RTLD_NOW 0x2
#define RTLD_LOCAL 0x0
#define RTLD_GLOBAL 0x100

// An absolute path's module is loaded with its own folder searched for the DLLs it needs
// (LOAD_WITH_ALTERED_SEARCH_PATH), as the DSM loads a data source.
void* dlopen(const char* file, int mode);
void* dlsym(void* handle, const char* name);
int dlclose(void* handle);
// The last failure of this thread's dlopen or dlsym, once; null when there was none.
char* dlerror(void);

typedef struct {
    const char* dli_fname; // the module's path; valid until this thread's next dladdr
    void* dli_fbase;       // the module's base address (its HMODULE)
    const char* dli_sname; // always null
    void* dli_saddr;       // always null
} Dl_info;
int dladdr(const void* address, Dl_info* info);

#ifdef __cplusplus
}
#endif

#endif // TWAINMON_PLATFORM_WIN_DLFCN_H
