// Flag sets that twain.h does not carry: the operations a capability answers to
// (MSG_QUERYSUPPORT) and who owns a transfer buffer and how it is passed (TW_MEMORY::Flags).
#ifndef TWAINMON_TWAINFLAGS_H
#define TWAINMON_TWAINFLAGS_H

#include "twain.h"

inline constexpr TW_INT32 TWQC_GET = 0x0001;
inline constexpr TW_INT32 TWQC_SET = 0x0002;
inline constexpr TW_INT32 TWQC_GETDEFAULT = 0x0004;
inline constexpr TW_INT32 TWQC_GETCURRENT = 0x0008;
inline constexpr TW_INT32 TWQC_RESET = 0x0010;

inline constexpr TW_UINT32 TWMF_APPOWNS = 0x0001;
inline constexpr TW_UINT32 TWMF_DSMOWNS = 0x0002;
inline constexpr TW_UINT32 TWMF_DSOWNS = 0x0004;
inline constexpr TW_UINT32 TWMF_POINTER = 0x0008;
inline constexpr TW_UINT32 TWMF_HANDLE = 0x0010;

#endif // TWAINMON_TWAINFLAGS_H
