// The dyld image list, read from the dynamic loader's list of loaded objects. That list starts
// with the executable, as dyld's does, and its order is stable while nothing is loaded or
// unloaded.
#include <mach-o/dyld.h>

#include "Export.h"

#include <link.h>
#include <unistd.h>

#include <climits>
#include <cstdint>

namespace {

struct ImageQuery {
    uint32_t wanted;
    uint32_t seen = 0;
    bool found = false;
    const struct mach_header* header = nullptr;
    const char* name = nullptr;
};

int visitImage(struct dl_phdr_info* info, size_t, void* data) {
    auto* query = static_cast<ImageQuery*>(data);
    if (query->seen++ != query->wanted)
        return 0;
    query->found = true;
    query->name = info->dlpi_name;
    // The segment mapped from the start of the file holds the ELF header.
    for (ElfW(Half) i = 0; i < info->dlpi_phnum; ++i) {
        const ElfW(Phdr)& segment = info->dlpi_phdr[i];
        if (segment.p_type == PT_LOAD && segment.p_offset == 0) {
            query->header =
                reinterpret_cast<const struct mach_header*>(info->dlpi_addr + segment.p_vaddr);
            break;
        }
    }
    return 1;
}

ImageQuery findImage(uint32_t index) {
    ImageQuery query{index};
    dl_iterate_phdr(visitImage, &query);
    return query;
}

// The loader does not name the executable; /proc does.
const char* executablePath() {
    static char path[PATH_MAX + 1];
    static const bool filled = [] {
        ssize_t length = readlink("/proc/self/exe", path, PATH_MAX);
        path[length > 0 ? length : 0] = '\0';
        return true;
    }();
    (void)filled;
    return path;
}

} // namespace

TWAINMON_EXPORT uint32_t _dyld_image_count(void) {
    return findImage(UINT32_MAX).seen;
}

TWAINMON_EXPORT const struct mach_header* _dyld_get_image_header(uint32_t image_index) {
    return findImage(image_index).header;
}

TWAINMON_EXPORT const char* _dyld_get_image_name(uint32_t image_index) {
    ImageQuery query = findImage(image_index);
    if (!query.found)
        return nullptr;
    if (image_index == 0 && (query.name == nullptr || query.name[0] == '\0'))
        return executablePath();
    return query.name;
}
