// The library is built with hidden visibility; only the functions marked with this are
// exported, so every module of the process shares this one copy of the state below them.
#ifndef TWAINMON_PLATFORM_EXPORT_H
#define TWAINMON_PLATFORM_EXPORT_H

#define TWAINMON_EXPORT __attribute__((visibility("default")))

#endif // TWAINMON_PLATFORM_EXPORT_H
