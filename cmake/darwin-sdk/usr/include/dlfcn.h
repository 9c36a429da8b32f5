/* <dlfcn.h> of Darwin (dyld's dlfcn.h). */
#ifndef _DLFCN_H_
#define _DLFCN_H_
#include <sys/cdefs.h>
__BEGIN_DECLS
typedef struct dl_info {
    const char* dli_fname;
    void* dli_fbase;
    const char* dli_sname;
    void* dli_saddr;
} Dl_info;
extern int dladdr(const void*, Dl_info*);
extern int dlclose(void* __handle);
extern char* dlerror(void);
extern void* dlopen(const char* __path, int __mode);
extern void* dlsym(void* __handle, const char* __symbol);
__END_DECLS
#define RTLD_LAZY 0x1
#define RTLD_NOW 0x2
#define RTLD_LOCAL 0x4
#define RTLD_GLOBAL 0x8
#define RTLD_NOLOAD 0x10
#define RTLD_NODELETE 0x80
#define RTLD_FIRST 0x100
#define RTLD_NEXT ((void*)-1)
#define RTLD_DEFAULT ((void*)-2)
#endif
