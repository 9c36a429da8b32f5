/* <sys/time.h> of Darwin: tv_usec is a 32-bit suseconds_t. */
#ifndef _SYS_TIME_H_
#define _SYS_TIME_H_
#include <sys/types.h>
#include <time.h>
struct timeval {
    __darwin_time_t tv_sec;
    __darwin_suseconds_t tv_usec;
};
__BEGIN_DECLS
int gettimeofday(struct timeval*, void*);
__END_DECLS
#endif
