// The subset of CoreFoundation that the module, the sample driver and the test hosts call,
// with the macOS names and signatures, for platforms without the framework.
#ifndef TWAINMON_PLATFORM_COREFOUNDATION_H
#define TWAINMON_PLATFORM_COREFOUNDATION_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef unsigned char Boolean;
typedef uint8_t UInt8;
typedef uint32_t UInt32;
typedef long CFIndex;
typedef UInt32 CFStringEncoding;
typedef const unsigned char* ConstStr255Param; // length byte, then the characters

typedef const void* CFTypeRef;
typedef const struct __CFAllocator* CFAllocatorRef;
typedef const struct __CFString* CFStringRef;
typedef const struct __CFURL* CFURLRef;
typedef struct __CFBundle* CFBundleRef;

#define kCFAllocatorDefault ((CFAllocatorRef)0)

typedef enum { kCFURLPOSIXPathStyle = 0 } CFURLPathStyle;

enum {
    kCFStringEncodingMacRoman = 0,
    kCFStringEncodingUTF8 = 0x08000100,
};

// Objects are reference counted; every Create/Copy result is released with CFRelease.
CFTypeRef CFRetain(CFTypeRef cf);
void CFRelease(CFTypeRef cf);

// CFSTR("text") is a constant string that lives for the whole process.
CFStringRef __CFStringMakeConstantString(const char* cStr);
#define CFSTR(cStr) __CFStringMakeConstantString("" cStr "")

CFStringRef CFStringCreateWithCString(CFAllocatorRef alloc, const char* cStr,
                                      CFStringEncoding encoding);
CFStringRef CFStringCreateWithPascalString(CFAllocatorRef alloc, ConstStr255Param pStr,
                                           CFStringEncoding encoding);
// Copies the text and its NUL into buffer; false (and nothing usable) when it does not fit.
Boolean CFStringGetCString(CFStringRef theString, char* buffer, CFIndex bufferSize,
                           CFStringEncoding encoding);
CFIndex CFStringGetLength(CFStringRef theString);
CFStringEncoding CFStringGetSystemEncoding(void);

CFURLRef CFURLCreateWithFileSystemPath(CFAllocatorRef allocator, CFStringRef filePath,
                                       CFURLPathStyle pathStyle, Boolean isDirectory);
CFURLRef CFURLCreateFromFileSystemRepresentation(CFAllocatorRef allocator, const UInt8* buffer,
                                                 CFIndex bufLen, Boolean isDirectory);
CFStringRef CFURLCopyLastPathComponent(CFURLRef url);
Boolean CFURLGetFileSystemRepresentation(CFURLRef url, Boolean resolveAgainstBase, UInt8* buffer,
                                         CFIndex maxBufLen);

// A bundle is a directory; its executable is Contents/MacOS/<bundle name without extension>.
// CFBundleCreate gives null when the directory does not exist. The executable is loaded by the
// first CFBundleGetFunctionPointerForName and unloaded when the last reference is released.
CFBundleRef CFBundleCreate(CFAllocatorRef allocator, CFURLRef bundleURL);
void* CFBundleGetFunctionPointerForName(CFBundleRef bundle, CFStringRef functionName);

#ifdef __cplusplus
}
#endif

#endif // TWAINMON_PLATFORM_COREFOUNDATION_H
