#include <mach-o/dyld.h>
#include <mach-o/ldsyms.h>

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <unistd.h>

#include <climits>
#include <cstring>

namespace {

TEST(Dyld, ImagesStartWithTheExecutable) {
    char exe[PATH_MAX + 1] = {};
    ASSERT_GT(readlink("/proc/self/exe", exe, PATH_MAX), 0);
    EXPECT_STREQ(_dyld_get_image_name(0), exe);
    EXPECT_EQ(static_cast<const void*>(_dyld_get_image_header(0)), &_mh_bundle_header);

    const uint32_t count = _dyld_image_count();
    for (uint32_t i = 0; i < count; ++i) {
        SCOPED_TRACE(i);
        ASSERT_NE(_dyld_get_image_name(i), nullptr);
        ASSERT_NE(_dyld_get_image_header(i), nullptr);
        EXPECT_EQ(std::memcmp(_dyld_get_image_header(i),
                              "\x7f"
                              "ELF",
                              4),
                  0);
    }
    for (uint32_t past : {count, UINT32_MAX}) {
        EXPECT_EQ(_dyld_get_image_header(past), nullptr);
        EXPECT_EQ(_dyld_get_image_name(past), nullptr);
    }
}

TEST(Dyld, ModuleFindsItsOwnImage) {
    const uint32_t before = _dyld_image_count();
    void* module = dlopen(TEST_IMAGE_MODULE, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(module, nullptr) << dlerror();
    EXPECT_EQ(_dyld_image_count(), before + 1);
    auto ownImageName = reinterpret_cast<const char* (*)()>(dlsym(module, "OwnImageName"));
    ASSERT_NE(ownImageName, nullptr);
    EXPECT_STREQ(ownImageName(), TEST_IMAGE_MODULE);

    // Its header is where the loader says the module begins.
    Dl_info info{};
    ASSERT_NE(dladdr(reinterpret_cast<void*>(ownImageName), &info), 0);
    uint32_t i = 1;
    while (i < _dyld_image_count() && _dyld_get_image_header(i) != info.dli_fbase)
        ++i;
    EXPECT_STREQ(_dyld_get_image_name(i), TEST_IMAGE_MODULE);
    dlclose(module);
}

} // namespace
