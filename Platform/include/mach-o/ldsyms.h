// _mh_bundle_header: the header of the bundle this code is linked into, declared as
// <mach-o/ldsyms.h> of the macOS SDK declares it (a mach_header_64 on LP64). ld64 defines it
// for every bundle; here it names the module's own ELF header, which the linker defines for
// every module as __ehdr_start. Only its address is used.
#ifndef TWAINMON_PLATFORM_LDSYMS_H
#define TWAINMON_PLATFORM_LDSYMS_H

#include <mach-o/loader.h>

#ifdef __cplusplus
extern "C" {
#endif

#ifdef __LP64__
extern const struct mach_header_64 __ehdr_start __attribute__((visibility("hidden")));
#else
extern const struct mach_header __ehdr_start __attribute__((visibility("hidden")));
#endif
#define _mh_bundle_header __ehdr_start

#ifdef __cplusplus
}
#endif

#endif // TWAINMON_PLATFORM_LDSYMS_H
