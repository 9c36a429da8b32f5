// The attributes the module's exported and load-time names carry.
#ifndef TWAINMON_TWAINEXPORT_H
#define TWAINMON_TWAINEXPORT_H

#define TWAINMON_EXPORT __attribute__((visibility("default")))

// On a function that rethrows abi::__forced_unwind (glibc's unwind of a cancelled thread): the
// handler binds that foreign exception by reference, which UBSan takes for a null reference.
#define TWAINMON_RETHROWS_FORCED_UNWIND __attribute__((no_sanitize("null")))

// Makes the build fail unless the variable is initialized at compile time, with no code run
// at load.
#if defined(__clang__)
#define TWAINMON_CONSTINIT [[clang::require_constant_initialization]]
#elif defined(__GNUC__) && __GNUC__ >= 10
#define TWAINMON_CONSTINIT __constinit
#else
#define TWAINMON_CONSTINIT
#endif

#endif // TWAINMON_TWAINEXPORT_H
