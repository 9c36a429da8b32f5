// <mach/mach_vm.h> of the macOS SDK: the one call the handle check uses.
#ifndef TWAINMON_APPLE_SDK_MACH_VM_H
#define TWAINMON_APPLE_SDK_MACH_VM_H

#include <mach/mach.h>

#ifdef __cplusplus
extern "C" {
#endif

extern kern_return_t mach_vm_read_overwrite(vm_map_t target_task, mach_vm_address_t address,
                                            mach_vm_size_t size, mach_vm_address_t data,
                                            mach_vm_size_t* outsize);

#ifdef __cplusplus
}
#endif

#endif // TWAINMON_APPLE_SDK_MACH_VM_H
