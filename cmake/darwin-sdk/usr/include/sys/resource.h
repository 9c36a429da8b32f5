/* <sys/resource.h> of Darwin. */
#ifndef _SYS_RESOURCE_H_
#define _SYS_RESOURCE_H_
#include <sys/types.h>
typedef __uint64_t rlim_t;
#define RLIM_INFINITY (((__uint64_t)1 << 63) - 1)
#define RLIM_SAVED_MAX RLIM_INFINITY
#define RLIM_SAVED_CUR RLIM_INFINITY
#define RLIMIT_CPU 0
#define RLIMIT_FSIZE 1
#define RLIMIT_DATA 2
#define RLIMIT_STACK 3
#define RLIMIT_CORE 4
#define RLIMIT_AS 5
#define RLIMIT_NOFILE 8
struct rlimit {
    rlim_t rlim_cur;
    rlim_t rlim_max;
};
__BEGIN_DECLS
int getrlimit(int, struct rlimit*);
int setrlimit(int, const struct rlimit*);
__END_DECLS
#endif
