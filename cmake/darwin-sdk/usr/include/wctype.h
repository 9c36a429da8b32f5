/* <wctype.h> of Darwin. */
#ifndef _WCTYPE_H_
#define _WCTYPE_H_
#include <sys/_types.h>
#include <ctype.h>
typedef __darwin_wint_t wint_t;
typedef __uint32_t wctype_t;
typedef int wctrans_t;
#ifndef WEOF
#define WEOF ((wint_t)-1)
#endif
__BEGIN_DECLS
int iswalnum(wint_t);
int iswalpha(wint_t);
int iswblank(wint_t);
int iswcntrl(wint_t);
int iswctype(wint_t, wctype_t);
int iswdigit(wint_t);
int iswgraph(wint_t);
int iswlower(wint_t);
int iswprint(wint_t);
int iswpunct(wint_t);
int iswspace(wint_t);
int iswupper(wint_t);
int iswxdigit(wint_t);
wint_t towctrans(wint_t, wctrans_t);
wint_t towlower(wint_t);
wint_t towupper(wint_t);
wctrans_t wctrans(const char*);
wctype_t wctype(const char*);
__END_DECLS
#endif
