/* <string.h> of Darwin. */
#ifndef _STRING_H_
#define _STRING_H_
#include <sys/cdefs.h>
#include <stddef.h>
__BEGIN_DECLS
void* memchr(const void* s, int c, size_t n);
int memcmp(const void* s1, const void* s2, size_t n);
void* memcpy(void* dst, const void* src, size_t n);
void* memmove(void* dst, const void* src, size_t len);
void* memset(void* b, int c, size_t len);
char* strcat(char* s1, const char* s2);
char* strchr(const char* s, int c);
int strcmp(const char* s1, const char* s2);
int strcoll(const char* s1, const char* s2);
char* strcpy(char* dst, const char* src);
size_t strcspn(const char* s, const char* charset);
char* strerror(int errnum);
size_t strlen(const char* s);
char* strncat(char* s1, const char* s2, size_t n);
int strncmp(const char* s1, const char* s2, size_t n);
char* strncpy(char* dst, const char* src, size_t n);
char* strpbrk(const char* s, const char* charset);
char* strrchr(const char* s, int c);
size_t strspn(const char* s, const char* charset);
char* strstr(const char* big, const char* little);
char* strtok(char* str, const char* sep);
size_t strxfrm(char* s1, const char* s2, size_t n);
int strerror_r(int errnum, char* strerrbuf, size_t buflen);
size_t strnlen(const char* s, size_t maxlen);
__END_DECLS
#endif
