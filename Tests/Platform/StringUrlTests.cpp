#include <CoreFoundation/CoreFoundation.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

std::string text(CFStringRef s) {
    char buffer[512];
    return CFStringGetCString(s, buffer, sizeof buffer, kCFStringEncodingMacRoman) ? buffer
                                                                                   : "<none>";
}

std::string path(CFURLRef url) {
    UInt8 buffer[512];
    return CFURLGetFileSystemRepresentation(url, true, buffer, sizeof buffer)
               ? reinterpret_cast<char*>(buffer)
               : "<none>";
}

TEST(Strings, ConstantsAreInternedAndImmortal) {
    CFStringRef scan = CFSTR("SCAN");
    char sameText[] = "SCAN";
    EXPECT_EQ(__CFStringMakeConstantString(sameText), scan);
    EXPECT_NE(CFSTR("SCAN2"), scan);
    EXPECT_EQ(CFRetain(scan), scan);
    for (int i = 0; i < 3; ++i)
        CFRelease(scan);
    EXPECT_EQ(text(scan), "SCAN");
}

TEST(Strings, PascalStringsKeepTheirBytes) {
    const std::string bytes255(255, 'x');
    const struct {
        std::string pascal;
        std::string expected;
    } cases[] = {
        {std::string(1, '\0'), ""},
        {"\x04SCANNER", "SCAN"}, // bytes past the length are not part of it
        {"\xFF" + bytes255, bytes255},
        {"\x04\x80\xA5\xE9\xFF", "\x80\xA5\xE9\xFF"},
    };
    for (const auto& c : cases) {
        CFStringRef s = CFStringCreateWithPascalString(
            nullptr, reinterpret_cast<ConstStr255Param>(c.pascal.data()), kCFStringEncodingUTF8);
        EXPECT_EQ(CFStringGetLength(s), static_cast<CFIndex>(c.expected.size()));
        EXPECT_EQ(text(s), c.expected);
        CFRelease(s);
    }
    EXPECT_EQ(CFStringCreateWithPascalString(nullptr, nullptr, kCFStringEncodingMacRoman), nullptr);
}

TEST(Strings, GetCStringNeedsRoomForTheNul) {
    CFStringRef s = CFStringCreateWithCString(nullptr, "TWAIN", CFStringGetSystemEncoding());
    const struct {
        CFIndex size;
        bool fits;
        const char* expected;
    } cases[] = {
        {6, true, "TWAIN"}, {5, false, ""}, {1, false, ""}, {0, false, "#"}, {-1, false, "#"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.size);
        char buffer[8] = "#";
        EXPECT_EQ(CFStringGetCString(s, buffer, c.size, kCFStringEncodingMacRoman), c.fits);
        EXPECT_STREQ(buffer, c.expected);
    }
    char buffer[8] = "#";
    EXPECT_FALSE(CFStringGetCString(s, nullptr, 8, kCFStringEncodingMacRoman));
    EXPECT_FALSE(CFStringGetCString(nullptr, buffer, 8, kCFStringEncodingMacRoman));
    EXPECT_STREQ(buffer, "#");
    CFRelease(s);
}

TEST(Urls, PathAndLastComponent) {
    const struct {
        const char* given;
        const char* path;
        const char* last;
    } cases[] = {
        {"/a/b/TwainWrapper.bundle/", "/a/b/TwainWrapper.bundle", "TwainWrapper.bundle"},
        {"/x/TwainMonitor.ds", "/x/TwainMonitor.ds", "TwainMonitor.ds"},
        {"/Library/Image Capture/Support/TAVIX/Corvantis/Core/TwainWrapper.bundle",
         "/Library/Image Capture/Support/TAVIX/Corvantis/Core/TwainWrapper.bundle",
         "TwainWrapper.bundle"},
        {"/a//", "/a", "a"},
        {"relative.ds", "relative.ds", "relative.ds"},
        {"/", "/", "/"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.given);
        CFStringRef given = CFStringCreateWithCString(nullptr, c.given, kCFStringEncodingUTF8);
        for (CFURLRef url : {
                 CFURLCreateWithFileSystemPath(nullptr, given, kCFURLPOSIXPathStyle, true),
                 CFURLCreateFromFileSystemRepresentation(
                     nullptr, reinterpret_cast<const UInt8*>(c.given), std::strlen(c.given), true),
             }) {
            EXPECT_EQ(path(url), c.path);
            CFStringRef last = CFURLCopyLastPathComponent(url);
            EXPECT_EQ(text(last), c.last);
            CFRelease(last);
            CFRelease(url);
        }
        CFRelease(given);
    }
}

TEST(Urls, BadInput) {
    const auto* bytes = reinterpret_cast<const UInt8*>("/x/abc.ds\0/tail");
    CFURLRef prefix = CFURLCreateFromFileSystemRepresentation(nullptr, bytes, 6, false);
    CFURLRef upToNul = CFURLCreateFromFileSystemRepresentation(nullptr, bytes, 15, false);
    EXPECT_EQ(path(prefix), "/x/abc");
    EXPECT_EQ(path(upToNul), "/x/abc.ds");
    UInt8 small[9] = "#";
    EXPECT_FALSE(CFURLGetFileSystemRepresentation(upToNul, true, small, sizeof small));
    EXPECT_EQ(small[0], '\0');
    // A string where a URL belongs, and the reverse, are rejected by their type.
    EXPECT_EQ(CFURLCopyLastPathComponent(reinterpret_cast<CFURLRef>(CFSTR("/a/b"))), nullptr);
    EXPECT_EQ(text(reinterpret_cast<CFStringRef>(prefix)), "<none>");
    EXPECT_EQ(CFURLCreateFromFileSystemRepresentation(nullptr, nullptr, 4, false), nullptr);
    EXPECT_EQ(CFURLCreateFromFileSystemRepresentation(nullptr, bytes, 0, false), nullptr);
    EXPECT_EQ(CFURLCreateWithFileSystemPath(nullptr, CFSTR(""), kCFURLPOSIXPathStyle, false),
              nullptr);
    CFRelease(prefix);
    CFRelease(upToNul);
}

} // namespace
