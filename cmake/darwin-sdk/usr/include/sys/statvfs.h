/* <sys/statvfs.h> of Darwin: its block and file counts are 32-bit. */
#ifndef _SYS_STATVFS_H_
#define _SYS_STATVFS_H_
#include <sys/types.h>
struct statvfs {
    unsigned long f_bsize;
    unsigned long f_frsize;
    fsblkcnt_t f_blocks;
    fsblkcnt_t f_bfree;
    fsblkcnt_t f_bavail;
    fsfilcnt_t f_files;
    fsfilcnt_t f_ffree;
    fsfilcnt_t f_favail;
    unsigned long f_fsid;
    unsigned long f_flag;
    unsigned long f_namemax;
};
#define ST_RDONLY 0x00000001
#define ST_NOSUID 0x00000002
__BEGIN_DECLS
int fstatvfs(int, struct statvfs*);
int statvfs(const char*, struct statvfs*);
__END_DECLS
#endif
