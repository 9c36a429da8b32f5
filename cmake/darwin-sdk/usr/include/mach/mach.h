// Declarations of the macOS SDK's Mach headers that the handle check uses, with the SDK's
// types, so that its macOS branch can be compiled (not run) here.
#ifndef TWAINMON_APPLE_SDK_MACH_H
#define TWAINMON_APPLE_SDK_MACH_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef int kern_return_t;                 // <mach/i386/kern_return.h>
#define KERN_SUCCESS 0                     // <mach/kern_return.h>
typedef unsigned int __darwin_mach_port_t; // <sys/_types.h>
typedef __darwin_mach_port_t mach_port_t;  // <mach/port.h>
typedef mach_port_t vm_map_t;              // <mach/mach_types.h>
typedef uint64_t mach_vm_address_t;        // <mach/i386/vm_types.h>
typedef uint64_t mach_vm_size_t;           // <mach/i386/vm_types.h>
extern mach_port_t mach_task_self_;        // <mach/mach_init.h>
#define mach_task_self() mach_task_self_   // <mach/mach_init.h>

#ifdef __cplusplus
}
#endif

#endif // TWAINMON_APPLE_SDK_MACH_H
