// The subset of CoreFoundation that the module, the sample driver and the test hosts call, for
// platforms without the framework. Every name is declared as the macOS SDK declares it, with
// the same types, so that a type mismatch fails to compile here as it does on macOS; the
// SDK header of each declaration is named beside it.
#ifndef TWAINMON_PLATFORM_COREFOUNDATION_H
#define TWAINMON_PLATFORM_COREFOUNDATION_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

// <MacTypes.h> (LP64)
typedef unsigned char Boolean;
typedef unsigned char UInt8;
typedef unsigned int UInt32;
typedef const unsigned char* ConstStr255Param; // length byte, then the characters

// <CoreFoundation/CFBase.h>
typedef signed long CFIndex;
typedef const void* CFTypeRef;
typedef const struct __CFAllocator* CFAllocatorRef;
typedef const struct __CFString* CFStringRef;
// The default allocator; its value is null. (The visibility only exports it from this layer.)
extern __attribute__((visibility("default"))) const CFAllocatorRef kCFAllocatorDefault;
// Objects are reference counted; every Create/Copy result is released with CFRelease.
extern CFTypeRef CFRetain(CFTypeRef cf);
extern void CFRelease(CFTypeRef cf);

// <CoreFoundation/CFString.h>
typedef UInt32 CFStringEncoding;
#ifdef __cplusplus
enum CFStringBuiltInEncodings : CFStringEncoding {
#else
typedef CFStringEncoding CFStringBuiltInEncodings;
enum {
#endif
    kCFStringEncodingMacRoman = 0,
    kCFStringEncodingUTF8 = 0x08000100,
};
// CFSTR("text") is a constant string that lives for the whole process.
extern CFStringRef __CFStringMakeConstantString(const char* cStr);
#define CFSTR(cStr) __CFStringMakeConstantString("" cStr "")
extern CFStringRef CFStringCreateWithCString(CFAllocatorRef alloc, const char* cStr,
                                             CFStringEncoding encoding);
extern CFStringRef CFStringCreateWithPascalString(CFAllocatorRef alloc, ConstStr255Param pStr,
                                                  CFStringEncoding encoding);
// Copies the text and its NUL into buffer; false (and nothing usable) when it does not fit.
extern Boolean CFStringGetCString(CFStringRef theString, char* buffer, CFIndex bufferSize,
                                  CFStringEncoding encoding);
extern CFIndex CFStringGetLength(CFStringRef theString);
extern CFStringEncoding CFStringGetSystemEncoding(void);

// <CoreFoundation/CFURL.h>
typedef const struct __CFURL* CFURLRef;
#ifdef __cplusplus
enum CFURLPathStyle : CFIndex {
#else
typedef CFIndex CFURLPathStyle;
enum {
#endif
    kCFURLPOSIXPathStyle = 0,
    kCFURLHFSPathStyle = 1,
    kCFURLWindowsPathStyle = 2,
};
extern CFURLRef CFURLCreateWithFileSystemPath(CFAllocatorRef allocator, CFStringRef filePath,
                                              CFURLPathStyle pathStyle, Boolean isDirectory);
extern CFURLRef CFURLCreateFromFileSystemRepresentation(CFAllocatorRef allocator,
                                                        const UInt8* buffer, CFIndex bufLen,
                                                        Boolean isDirectory);
extern CFStringRef CFURLCopyLastPathComponent(CFURLRef url);
extern Boolean CFURLGetFileSystemRepresentation(CFURLRef url, Boolean resolveAgainstBase,
                                                UInt8* buffer, CFIndex maxBufLen);

// <CoreFoundation/CFBundle.h>
// A bundle is a directory; its executable is Contents/MacOS/<bundle name without extension>.
// CFBundleCreate gives null when the directory does not exist. The executable is loaded by the
// first CFBundleGetFunctionPointerForName and unloaded when the last reference is released.
typedef struct __CFBundle* CFBundleRef;
extern CFBundleRef CFBundleCreate(CFAllocatorRef allocator, CFURLRef bundleURL);
extern void* CFBundleGetFunctionPointerForName(CFBundleRef bundle, CFStringRef functionName);

#ifdef __cplusplus
}
#endif

#endif // TWAINMON_PLATFORM_COREFOUNDATION_H
