// The Mach-O headers, as <mach-o/loader.h> of the macOS SDK declares them (and
// cpu_type_t/cpu_subtype_t as <mach/machine.h> does). Nothing here reads them: a module's
// header is only compared by address, but with the SDK's types, so that a mismatch between
// the 32-bit and the 64-bit header fails to compile here as it does on macOS.
#ifndef TWAINMON_PLATFORM_LOADER_H
#define TWAINMON_PLATFORM_LOADER_H

#include <stdint.h>

typedef int integer_t;           // <mach/i386/vm_types.h>
typedef integer_t cpu_type_t;    // <mach/machine.h>
typedef integer_t cpu_subtype_t; // <mach/machine.h>

struct mach_header {
    uint32_t magic;
    cpu_type_t cputype;
    cpu_subtype_t cpusubtype;
    uint32_t filetype;
    uint32_t ncmds;
    uint32_t sizeofcmds;
    uint32_t flags;
};

struct mach_header_64 {
    uint32_t magic;
    cpu_type_t cputype;
    cpu_subtype_t cpusubtype;
    uint32_t filetype;
    uint32_t ncmds;
    uint32_t sizeofcmds;
    uint32_t flags;
    uint32_t reserved;
};

#endif // TWAINMON_PLATFORM_LOADER_H
