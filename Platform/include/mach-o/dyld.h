// The dyld image list, as <mach-o/dyld.h> of the macOS SDK declares it: index 0 is the host
// executable, then every loaded module.
#ifndef TWAINMON_PLATFORM_DYLD_H
#define TWAINMON_PLATFORM_DYLD_H

#include <stdbool.h>
#include <stdint.h>
#include <mach-o/loader.h>

#ifdef __cplusplus
extern "C" {
#endif

extern uint32_t _dyld_image_count(void);
// The address of the image's header (its first mapped byte); null past the end. The SDK
// declares the 32-bit header type whatever the image is.
extern const struct mach_header* _dyld_get_image_header(uint32_t image_index);
// The image's file path; null past the end.
extern const char* _dyld_get_image_name(uint32_t image_index);

#ifdef __cplusplus
}
#endif

#endif // TWAINMON_PLATFORM_DYLD_H
