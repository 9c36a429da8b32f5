// fstatvfs as <sys/statvfs.h> declares it, the fields the log's free-space floor reads, on
// GetDiskFreeSpaceExW of the volume that holds the open file (a descriptor of the C library).
#ifndef TWAINMON_PLATFORM_WIN_SYS_STATVFS_H
#define TWAINMON_PLATFORM_WIN_SYS_STATVFS_H

typedef unsigned long long fsblkcnt_t;

struct statvfs {
    unsigned long f_bsize;  // 1: the counts below are bytes
    unsigned long f_frsize; // 1
    fsblkcnt_t f_blocks;    // the volume's size
    fsblkcnt_t f_bfree;     // its free bytes
    fsblkcnt_t f_bavail;    // the free bytes this user may use (quotas)
};

#ifdef __cplusplus
extern "C" {
#endif
int fstatvfs(int fd, struct statvfs* buf);
#ifdef __cplusplus
}
#endif

#endif // TWAINMON_PLATFORM_WIN_SYS_STATVFS_H
