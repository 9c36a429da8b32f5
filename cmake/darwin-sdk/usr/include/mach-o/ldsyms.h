// <mach-o/ldsyms.h> of the macOS SDK (cctools), the one name the product uses: the header of
// the bundle being linked, which the static linker defines for every MH_BUNDLE.
#ifndef TWAINMON_DARWIN_LDSYMS_H
#define TWAINMON_DARWIN_LDSYMS_H

#include <mach-o/loader.h>

#ifdef __cplusplus
extern "C" {
#endif

#ifdef __LP64__
extern const struct mach_header_64 _mh_bundle_header;
#else
extern const struct mach_header _mh_bundle_header;
#endif

#ifdef __cplusplus
}
#endif

#endif // TWAINMON_DARWIN_LDSYMS_H
