#include <CoreFoundation/CoreFoundation.h>
#include <CoreServices/CoreServices.h>

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

using TwicePlusOne = int (*)(int);
using NewHandleInBundle = Handle (*)(Size);

CFBundleRef bundleAt(const std::string& dir) {
    CFURLRef url = CFURLCreateFromFileSystemRepresentation(
        nullptr, reinterpret_cast<const UInt8*>(dir.data()), dir.size(), true);
    CFBundleRef bundle = CFBundleCreate(nullptr, url);
    CFRelease(url);
    return bundle;
}

bool executableLoaded() {
    void* library = dlopen(TEST_BUNDLE_EXECUTABLE, RTLD_NOW | RTLD_NOLOAD);
    if (library != nullptr)
        dlclose(library);
    return library != nullptr;
}

TEST(Bundles, OnlyExistingDirectoriesAreBundles) {
    EXPECT_EQ(bundleAt("/nonexistent/TwainWrapper.bundle"), nullptr);
    EXPECT_EQ(bundleAt(TEST_BUNDLE_EXECUTABLE), nullptr); // a file
    EXPECT_EQ(CFBundleCreate(nullptr, nullptr), nullptr);
    EXPECT_EQ(CFBundleGetFunctionPointerForName(nullptr, CFSTR("TestBundleTwicePlusOne")), nullptr);
}

TEST(Bundles, ResolvesFromTheExecutableUntilTheLastRelease) {
    CFBundleRef bundle = bundleAt(TEST_BUNDLE_DIR "/");
    ASSERT_NE(bundle, nullptr);
    EXPECT_FALSE(executableLoaded());
    auto twicePlusOne = reinterpret_cast<TwicePlusOne>(
        CFBundleGetFunctionPointerForName(bundle, CFSTR("TestBundleTwicePlusOne")));
    ASSERT_NE(twicePlusOne, nullptr);
    EXPECT_EQ(twicePlusOne(20), 41);
    EXPECT_EQ(CFBundleGetFunctionPointerForName(bundle, CFSTR("NoSuchFunction")), nullptr);
    EXPECT_EQ(CFBundleGetFunctionPointerForName(bundle, nullptr), nullptr);

    // A handle made in the bundle is a handle to the host too.
    auto newHandle = reinterpret_cast<NewHandleInBundle>(
        CFBundleGetFunctionPointerForName(bundle, CFSTR("TestBundleNewHandle")));
    ASSERT_NE(newHandle, nullptr);
    Handle h = newHandle(3);
    EXPECT_EQ(GetHandleSize(h), 3);
    EXPECT_EQ(std::memcmp(*h, "\x5A\x5A\x5A", 3), 0);
    DisposeHandle(h);

    EXPECT_EQ(CFRetain(bundle), bundle);
    CFRelease(bundle);
    EXPECT_TRUE(executableLoaded());
    CFRelease(bundle);
    EXPECT_FALSE(executableLoaded());
}

// The executable is named after the bundle without its extension, and a bundle whose
// executable is missing finds it once it has been installed.
TEST(Bundles, ExecutableInstalledLater) {
    const fs::path root = fs::path(testing::TempDir()) / ("bundles-" + std::to_string(getpid()));
    const struct {
        const char* dir;
        const char* executable;
    } cases[] = {
        {"Late.bundle", "Late"},
        {"Two.Dots.bundle", "Two.Dots"},
        {"NoExtension", "NoExtension"},
        {".hidden", ".hidden"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dir);
        const fs::path macos = root / c.dir / "Contents" / "MacOS";
        fs::create_directories(macos);
        CFBundleRef bundle = bundleAt((root / c.dir).string());
        ASSERT_NE(bundle, nullptr);
        CFStringRef name = CFSTR("TestBundleTwicePlusOne");
        EXPECT_EQ(CFBundleGetFunctionPointerForName(bundle, name), nullptr);
        fs::create_symlink(TEST_BUNDLE_EXECUTABLE, macos / c.executable);
        auto twicePlusOne =
            reinterpret_cast<TwicePlusOne>(CFBundleGetFunctionPointerForName(bundle, name));
        ASSERT_NE(twicePlusOne, nullptr);
        EXPECT_EQ(twicePlusOne(-3), -5);
        CFRelease(bundle);
    }
    fs::remove_all(root);
}

} // namespace
