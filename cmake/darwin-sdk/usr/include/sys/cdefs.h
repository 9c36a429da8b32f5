/* <sys/cdefs.h> of Darwin: the C linkage brackets and the symbol variants of x86_64, where
   the calls on struct stat with a 64-bit st_ino are the $INODE64 ones (arm64 has no other). */
#ifndef _CDEFS_H_
#define _CDEFS_H_
#ifdef __cplusplus
#define __BEGIN_DECLS extern "C" {
#define __END_DECLS }
#else
#define __BEGIN_DECLS
#define __END_DECLS
#endif
#if defined(__x86_64__)
#define __DARWIN_INODE64(sym) __asm("_" #sym "$INODE64")
#else
#define __DARWIN_INODE64(sym)
#endif
#define __DARWIN_ALIAS(sym)
#define __DARWIN_C_LEVEL 900000L
#define __restrict restrict
#endif
