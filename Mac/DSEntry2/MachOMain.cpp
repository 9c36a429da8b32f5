// Load and unload of the data source: open the driver bundle, obtain its triplet operator,
// set up the log; at unload release all of it in reverse order.
#include <cstring>

#include <CoreFoundation/CoreFoundation.h>
#ifdef _WIN32
#include <dlfcn.h>
#else
#include <mach-o/dyld.h>
#include <mach-o/ldsyms.h>
#endif

#include "CTripletOperator.h"
#include "TwainExport.h"
#include "TwainLog.h"
#include "TwainLogPaths.h"

#ifdef __GLIBC__
#include <cxxabi.h>
#endif

extern "C" {
TWAINMON_EXPORT CFBundleRef g_TwainWrapperBundleRef = nullptr;
TWAINMON_EXPORT CreateTwainWrapperProc g_fnDsCreate = nullptr;
TWAINMON_EXPORT CTripletOperator* g_pcTripletOperator = nullptr;

TWAINMON_EXPORT void MachO_Initialization();
TWAINMON_EXPORT void MachO_Termination();
}

// A new URL of this module's own executable file, or null.
static CFURLRef CreateMyMachOBundleURL() {
#ifdef _WIN32
    // The module that holds this function (GetModuleHandleExW, GetModuleFileNameW).
    Dl_info own{};
    if (dladdr(reinterpret_cast<const void*>(&CreateMyMachOBundleURL), &own) == 0) {
        return nullptr;
    }
    return CFURLCreateFromFileSystemRepresentation(
        nullptr, reinterpret_cast<const UInt8*>(own.dli_fname),
        static_cast<CFIndex>(strlen(own.dli_fname)), false);
#else
    // dyld gives every image's header as a mach_header; this bundle's own is declared as a
    // mach_header_64 on 64-bit systems. Only the addresses are compared.
    const void* const ownHeader = &_mh_bundle_header;
    const uint32_t count = _dyld_image_count();
    // Index 0 is the host executable, never this module.
    for (uint32_t index = 1; index < count; ++index) {
        if (_dyld_get_image_header(index) != ownHeader) {
            continue;
        }
        const char* path = _dyld_get_image_name(index);
        if (path == nullptr) {
            return nullptr;
        }
        return CFURLCreateFromFileSystemRepresentation(nullptr,
                                                       reinterpret_cast<const UInt8*>(path),
                                                       static_cast<CFIndex>(strlen(path)), false);
    }
    return nullptr;
#endif
}

// Runs at load. g_cParaAnalyze needs no initializer of its own, so no order among the
// module's initializers is needed.
__attribute__((constructor)) TWAINMON_RETHROWS_FORCED_UNWIND void MachO_Initialization() {
    CFStringRef moduleName = nullptr;
    if (CFURLRef myURL = CreateMyMachOBundleURL()) {
        moduleName = CFURLCopyLastPathComponent(myURL);
        CFRelease(myURL);
    }

    CFURLRef driverURL = CFURLCreateWithFileSystemPath(
        kCFAllocatorDefault, CFSTR(TWAINMON_DRIVER_BUNDLE_PATH), kCFURLPOSIXPathStyle, true);
    if (driverURL != nullptr) {
        g_TwainWrapperBundleRef = CFBundleCreate(nullptr, driverURL);
        CFRelease(driverURL);
    }

    if (g_TwainWrapperBundleRef != nullptr && moduleName != nullptr) {
        g_fnDsCreate = reinterpret_cast<CreateTwainWrapperProc>(CFBundleGetFunctionPointerForName(
            g_TwainWrapperBundleRef, CFSTR("CreateTwainWrapper")));
        if (g_fnDsCreate != nullptr) {
            // An exception must not leave the loader's initializer: the host would end. The
            // load then has no operator, even if the factory stored one before it threw.
            try {
                g_fnDsCreate(moduleName, &g_pcTripletOperator);
#ifdef __GLIBC__
            } catch (abi::__forced_unwind&) {
                throw; // a cancelled thread ends as it would without the monitor
#endif
            } catch (...) {
                g_pcTripletOperator = nullptr;
            }
        }
    }
    // A factory that keeps the name has taken its own reference.
    if (moduleName != nullptr) {
        CFRelease(moduleName);
    }
    setupTwainLog();
}

// The module's only terminator. A second call finds everything released and does nothing.
__attribute__((destructor)) void MachO_Termination() {
    // The operator's code lives in the driver bundle: delete it before releasing the bundle.
    if (g_pcTripletOperator != nullptr) {
        delete g_pcTripletOperator;
        g_pcTripletOperator = nullptr;
    }
    if (g_TwainWrapperBundleRef != nullptr) {
        CFRelease(g_TwainWrapperBundleRef);
        g_TwainWrapperBundleRef = nullptr;
    }
    cleanupTwainLog();
}
