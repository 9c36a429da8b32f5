// Finds this module's own entry in the dyld image list, the way the data source does.
#include <mach-o/dyld.h>
#include <mach-o/ldsyms.h>

extern "C" __attribute__((visibility("default"))) const char* OwnImageName() {
    const void* const ownHeader = &_mh_bundle_header;
    for (uint32_t i = 1; i < _dyld_image_count(); ++i) {
        if (_dyld_get_image_header(i) == ownHeader)
            return _dyld_get_image_name(i);
    }
    return nullptr;
}
