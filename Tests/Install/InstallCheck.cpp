// install_check <file> <platform library>: loads file and checks that the platform library
// it brought in is the given one. Exits 0 when so, else prints why and exits 1.
#include <dlfcn.h>
#include <link.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

std::string g_loadedPlatform;

int FindPlatform(struct dl_phdr_info* info, size_t, void*) {
    const char* name = info->dlpi_name;
    const char* base = name != nullptr ? strrchr(name, '/') : nullptr;
    if (base != nullptr && strcmp(base, "/libTwainPlatform.so") == 0) {
        g_loadedPlatform = name;
        return 1;
    }
    return 0;
}

std::string RealPath(const char* path) {
    char resolved[PATH_MAX];
    return realpath(path, resolved) != nullptr ? resolved : path;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: install_check <file> <platform library>\n");
        return 2;
    }
    if (dlopen(argv[1], RTLD_NOW | RTLD_LOCAL) == nullptr) {
        fprintf(stderr, "dlopen: %s\n", dlerror());
        return 1;
    }
    dl_iterate_phdr(FindPlatform, nullptr);
    if (g_loadedPlatform.empty() || RealPath(g_loadedPlatform.c_str()) != RealPath(argv[2])) {
        fprintf(stderr, "platform library loaded from '%s', expected '%s'\n",
                g_loadedPlatform.c_str(), argv[2]);
        return 1;
    }
    return 0;
}
