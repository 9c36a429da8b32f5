// Strings, file URLs and bundles. Every object starts with the same header: a type tag, which
// lets a call reject an object of the wrong type, and a reference count. Text is kept as
// bytes: every encoding is treated as byte-preserving, so a string's length is its byte count.
#include <CoreFoundation/CoreFoundation.h>

#include "Export.h"

#include <dlfcn.h>
#include <sys/stat.h>
#ifdef _WIN32
#include "TwainWindows.h"
#include <windows.h>
#endif

#include <atomic>
#include <cstring>
#include <mutex>
#include <new>
#include <string>
#include <unordered_map>
#include <utility>

namespace {

enum class Kind { String, Url, Bundle };

struct Object {
    Object(Kind k, bool isConstant) : kind(k), immortal(isConstant) {}
    virtual ~Object() = default;
    const Kind kind;
    const bool immortal; // constant strings: retain and release do nothing
    mutable std::atomic<long> refs{1};
};

struct String final : Object {
    static constexpr Kind kKind = Kind::String;
    String(const char* bytes, size_t length, bool isConstant = false)
        : Object(kKind, isConstant), text(bytes, length) {}
    std::string text;
};

// A file system path without trailing slashes (except for the root itself).
struct Url final : Object {
    static constexpr Kind kKind = Kind::Url;
    Url(const char* bytes, size_t length) : Object(kKind, false), path(bytes, length) {}
    std::string path;
};

#ifdef _WIN32
constexpr char kSeparators[] = "/\\";
#else
constexpr char kSeparators[] = "/";
#endif

std::string lastComponent(const std::string& path) {
    return path == "/" ? path : path.substr(path.find_last_of(kSeparators) + 1);
}

// The executable of the bundle at path, or "" when there is none. A bundle is a directory
// whose executable is Contents/MacOS/<name without extension>; on Windows it is the driver's
// DLL itself.
std::string bundleExecutable(const std::string& path) {
#ifdef _WIN32
    const DWORD attributes = GetFileAttributesW(twainwin::WidePath(path.c_str()).c_str());
    const bool file =
        attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    return file ? path : std::string();
#else
    struct stat status;
    if (stat(path.c_str(), &status) != 0 || !S_ISDIR(status.st_mode))
        return std::string();
    std::string name = lastComponent(path);
    size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0)
        name.erase(dot);
    return path + "/Contents/MacOS/" + name;
#endif
}

struct Bundle final : Object {
    static constexpr Kind kKind = Kind::Bundle;
    explicit Bundle(std::string file) : Object(kKind, false), executable(std::move(file)) {}
    ~Bundle() override {
        if (library != nullptr)
            dlclose(library);
    }
    std::string executable;
    std::mutex mutex;
    void* library = nullptr; // loaded by the first lookup
};

template <class T>
T* as(CFTypeRef ref) {
    auto* object = static_cast<const Object*>(ref);
    if (object == nullptr || object->kind != T::kKind)
        return nullptr;
    return static_cast<T*>(const_cast<Object*>(object));
}

// Objects are handed out through the opaque types of the header and come back as CFTypeRef.
template <class Ref>
Ref handOut(Object* object) {
    return reinterpret_cast<Ref>(object);
}

template <class T, class... Args>
T* create(Args&&... args) {
    try {
        return new T(std::forward<Args>(args)...);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

// Copies text and its NUL; when it does not fit, leaves "" in the buffer and gives false.
Boolean copyOut(const std::string& text, char* buffer, CFIndex bufferSize) {
    if (buffer == nullptr || bufferSize <= 0)
        return false;
    if (text.size() >= static_cast<size_t>(bufferSize)) {
        buffer[0] = '\0';
        return false;
    }
    std::memcpy(buffer, text.data(), text.size());
    buffer[text.size()] = '\0';
    return true;
}

CFURLRef createUrl(const char* path, size_t length) {
    while (length > 1 && path[length - 1] == '/')
        --length;
    if (length == 0)
        return nullptr;
    return handOut<CFURLRef>(create<Url>(path, length));
}

std::mutex constantsMutex;

} // namespace

// The default allocator is null, as on macOS: every function here takes null for it.
const CFAllocatorRef kCFAllocatorDefault = nullptr;

TWAINMON_EXPORT CFTypeRef CFRetain(CFTypeRef cf) {
    auto* object = static_cast<const Object*>(cf);
    if (object != nullptr && !object->immortal)
        object->refs.fetch_add(1, std::memory_order_relaxed);
    return cf;
}

TWAINMON_EXPORT void CFRelease(CFTypeRef cf) {
    auto* object = static_cast<const Object*>(cf);
    if (object == nullptr || object->immortal)
        return;
    if (object->refs.fetch_sub(1, std::memory_order_acq_rel) == 1)
        delete object;
}

TWAINMON_EXPORT CFStringRef __CFStringMakeConstantString(const char* cStr) {
    if (cStr == nullptr)
        return nullptr;
    std::lock_guard<std::mutex> lock(constantsMutex);
    // Never destroyed, like the constants it holds.
    static auto* constants = new std::unordered_map<std::string, String*>;
    try {
        String*& constant = (*constants)[cStr];
        if (constant == nullptr)
            constant = new String(cStr, std::strlen(cStr), true);
        return handOut<CFStringRef>(constant);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

TWAINMON_EXPORT CFStringRef CFStringCreateWithCString(CFAllocatorRef, const char* cStr,
                                                      CFStringEncoding) {
    if (cStr == nullptr)
        return nullptr;
    return handOut<CFStringRef>(create<String>(cStr, std::strlen(cStr)));
}

TWAINMON_EXPORT CFStringRef CFStringCreateWithPascalString(CFAllocatorRef, ConstStr255Param pStr,
                                                           CFStringEncoding) {
    if (pStr == nullptr)
        return nullptr;
    return handOut<CFStringRef>(create<String>(reinterpret_cast<const char*>(pStr + 1), pStr[0]));
}

TWAINMON_EXPORT Boolean CFStringGetCString(CFStringRef theString, char* buffer, CFIndex bufferSize,
                                           CFStringEncoding) {
    const String* string = as<String>(theString);
    return string != nullptr && copyOut(string->text, buffer, bufferSize);
}

TWAINMON_EXPORT CFIndex CFStringGetLength(CFStringRef theString) {
    const String* string = as<String>(theString);
    return string != nullptr ? static_cast<CFIndex>(string->text.size()) : 0;
}

TWAINMON_EXPORT CFStringEncoding CFStringGetSystemEncoding(void) {
    return kCFStringEncodingMacRoman;
}

TWAINMON_EXPORT CFURLRef CFURLCreateWithFileSystemPath(CFAllocatorRef, CFStringRef filePath,
                                                       CFURLPathStyle pathStyle, Boolean) {
    const String* path = as<String>(filePath);
    if (path == nullptr || pathStyle != kCFURLPOSIXPathStyle)
        return nullptr;
    return createUrl(path->text.data(), path->text.size());
}

TWAINMON_EXPORT CFURLRef CFURLCreateFromFileSystemRepresentation(CFAllocatorRef,
                                                                 const UInt8* buffer,
                                                                 CFIndex bufLen, Boolean) {
    if (buffer == nullptr || bufLen <= 0)
        return nullptr;
    // A path ends at its first NUL, should the length include one.
    auto* path = reinterpret_cast<const char*>(buffer);
    return createUrl(path, strnlen(path, static_cast<size_t>(bufLen)));
}

TWAINMON_EXPORT CFStringRef CFURLCopyLastPathComponent(CFURLRef url) {
    const Url* u = as<Url>(url);
    if (u == nullptr)
        return nullptr;
    std::string name = lastComponent(u->path);
    return handOut<CFStringRef>(create<String>(name.data(), name.size()));
}

TWAINMON_EXPORT Boolean CFURLGetFileSystemRepresentation(CFURLRef url, Boolean, UInt8* buffer,
                                                         CFIndex maxBufLen) {
    const Url* u = as<Url>(url);
    return u != nullptr && copyOut(u->path, reinterpret_cast<char*>(buffer), maxBufLen);
}

TWAINMON_EXPORT CFBundleRef CFBundleCreate(CFAllocatorRef, CFURLRef bundleURL) {
    const Url* url = as<Url>(bundleURL);
    const std::string executable = url != nullptr ? bundleExecutable(url->path) : std::string();
    if (executable.empty())
        return nullptr;
    return handOut<CFBundleRef>(create<Bundle>(executable));
}

TWAINMON_EXPORT void* CFBundleGetFunctionPointerForName(CFBundleRef bundle,
                                                        CFStringRef functionName) {
    Bundle* b = as<Bundle>(bundle);
    const String* name = as<String>(functionName);
    if (b == nullptr || name == nullptr)
        return nullptr;
    std::lock_guard<std::mutex> lock(b->mutex);
    // A failed load is not remembered: the executable may be installed later.
    if (b->library == nullptr)
        b->library = dlopen(b->executable.c_str(), RTLD_NOW | RTLD_LOCAL);
    return b->library != nullptr ? dlsym(b->library, name->text.c_str()) : nullptr;
}
