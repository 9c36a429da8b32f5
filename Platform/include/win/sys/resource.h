// getrlimit as <sys/resource.h> declares it, for RLIMIT_FSIZE only. Windows has no file-size
// limit of a process (and no SIGXFSZ): the limit is always RLIM_INFINITY.
#ifndef TWAINMON_PLATFORM_WIN_SYS_RESOURCE_H
#define TWAINMON_PLATFORM_WIN_SYS_RESOURCE_H

typedef unsigned long long rlim_t;
#define RLIM_INFINITY (~(rlim_t)0)
#define RLIMIT_FSIZE 1

struct rlimit {
    rlim_t rlim_cur;
    rlim_t rlim_max;
};

#ifdef __cplusplus
extern "C" {
#endif
int getrlimit(int resource, struct rlimit* rlim);
#ifdef __cplusplus
}
#endif

#endif // TWAINMON_PLATFORM_WIN_SYS_RESOURCE_H
