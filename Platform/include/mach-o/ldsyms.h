// _mh_bundle_header: the header of the image this code is linked into. The linker defines
// it for every module; on ELF it is the module's own ELF header.
#ifndef TWAINMON_PLATFORM_LDSYMS_H
#define TWAINMON_PLATFORM_LDSYMS_H

#include <mach-o/loader.h>

#ifdef __cplusplus
extern "C" {
#endif

extern const struct mach_header __ehdr_start __attribute__((visibility("hidden")));
#define _mh_bundle_header __ehdr_start

#ifdef __cplusplus
}
#endif

#endif // TWAINMON_PLATFORM_LDSYMS_H
