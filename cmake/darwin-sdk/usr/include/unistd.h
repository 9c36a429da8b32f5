/* <unistd.h> of Darwin. */
#ifndef _UNISTD_H_
#define _UNISTD_H_
#include <sys/types.h>
#define STDIN_FILENO 0
#define STDOUT_FILENO 1
#define STDERR_FILENO 2
#define F_OK 0
#define X_OK (1 << 0)
#define W_OK (1 << 1)
#define R_OK (1 << 2)
__BEGIN_DECLS
int access(const char*, int);
int close(int);
gid_t getegid(void);
uid_t geteuid(void);
gid_t getgid(void);
pid_t getpid(void);
uid_t getuid(void);
off_t lseek(int, off_t, int);
ssize_t read(int, void*, size_t);
int unlink(const char*);
ssize_t write(int, const void*, size_t);
long sysconf(int);
__END_DECLS
#endif
