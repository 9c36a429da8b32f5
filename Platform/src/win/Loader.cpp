// Modules and paths on the Windows loader: the <dlfcn.h> calls, and the text conversions of
// paths between the module's UTF-8 and the wide strings of the Windows API.
#include <dlfcn.h>

#include "TwainWindows.h"

#include <windows.h>

#include <cstdio>

namespace {

thread_local char t_error[128];
thread_local bool t_hasError = false;
thread_local std::string t_moduleName;

void SetError(const char* what) {
    std::snprintf(t_error, sizeof t_error, "%s (error %lu)", what, GetLastError());
    t_hasError = true;
}

} // namespace

namespace twainwin {

std::wstring WidePath(const char* utf8) {
    if (utf8 == nullptr) {
        return std::wstring();
    }
    const int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8, -1, nullptr, 0);
    if (length <= 0) {
        return std::wstring();
    }
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8, -1, &wide[0], length);
    wide.resize(static_cast<size_t>(length) - 1); // its NUL
    for (wchar_t& c : wide) {
        if (c == L'/') {
            c = L'\\';
        }
    }
    return wide;
}

std::string Utf8(const wchar_t* wide, size_t length) {
    if (wide == nullptr || length == 0) {
        return std::string();
    }
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide, static_cast<int>(length), nullptr, 0,
                                         nullptr, nullptr);
    if (size <= 0) {
        return std::string();
    }
    std::string text(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, static_cast<int>(length), &text[0], size, nullptr,
                        nullptr);
    return text;
}

} // namespace twainwin

extern "C" void* dlopen(const char* file, int) {
    const std::wstring path = twainwin::WidePath(file);
    if (path.empty()) {
        SetError("dlopen: no path, or one that is not UTF-8");
        return nullptr;
    }
    // An absolute path: its folder is searched for the module's own DLLs first.
    const bool absolute = path.size() > 2 && (path[1] == L':' || path.compare(0, 2, L"\\\\") == 0);
    HMODULE module =
        LoadLibraryExW(path.c_str(), nullptr, absolute ? LOAD_WITH_ALTERED_SEARCH_PATH : 0);
    if (module == nullptr) {
        SetError("dlopen: LoadLibraryExW failed");
    }
    return reinterpret_cast<void*>(module);
}

extern "C" void* dlsym(void* handle, const char* name) {
    FARPROC function = GetProcAddress(static_cast<HMODULE>(handle), name);
    if (function == nullptr) {
        SetError("dlsym: GetProcAddress failed");
    }
    return reinterpret_cast<void*>(function);
}

extern "C" int dlclose(void* handle) {
    return FreeLibrary(static_cast<HMODULE>(handle)) ? 0 : -1;
}

extern "C" char* dlerror(void) {
    if (!t_hasError) {
        return nullptr;
    }
    t_hasError = false;
    return t_error;
}

extern "C" int dladdr(const void* address, Dl_info* info) {
    HMODULE module = nullptr;
    if (info == nullptr || !GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                                   GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                                               static_cast<LPCWSTR>(address), &module)) {
        return 0;
    }
    // The name may be longer than MAX_PATH: the buffer grows until the whole name fits.
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(module, &name[0], static_cast<DWORD>(name.size()));
        if (length == 0) {
            return 0;
        }
        if (length < name.size()) {
            t_moduleName = twainwin::Utf8(name.c_str(), length);
            break;
        }
        if (name.size() >= 32768) {
            return 0;
        }
        name.resize(name.size() * 2);
    }
    if (t_moduleName.empty()) {
        return 0;
    }
    *info = Dl_info{t_moduleName.c_str(), module, nullptr, nullptr};
    return 1;
}
