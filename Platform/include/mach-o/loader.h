#ifndef TWAINMON_PLATFORM_LOADER_H
#define TWAINMON_PLATFORM_LOADER_H

// Only ever used by address.
struct mach_header;

#endif // TWAINMON_PLATFORM_LOADER_H
