/* <math.h> of Darwin: float_t and double_t, the classification macros (Darwin's are inline
   functions of the same meaning; here the compiler's builtins) and the functions. */
#ifndef __MATH_H__
#define __MATH_H__
#include <sys/cdefs.h>
typedef float float_t;
typedef double double_t;
#define HUGE_VAL __builtin_huge_val()
#define HUGE_VALF __builtin_huge_valf()
#define HUGE_VALL __builtin_huge_vall()
#define INFINITY __builtin_inff()
#define NAN __builtin_nanf("0x7fc00000")
#define FP_NAN 1
#define FP_INFINITE 2
#define FP_ZERO 3
#define FP_NORMAL 4
#define FP_SUBNORMAL 5
#define FP_ILOGB0 (-2147483647 - 1)
#define FP_ILOGBNAN (-2147483647 - 1)
#define MATH_ERRNO 1
#define MATH_ERREXCEPT 2
#define math_errhandling (__math_errhandling())
#define fpclassify(x) __builtin_fpclassify(FP_NAN, FP_INFINITE, FP_NORMAL, FP_SUBNORMAL, FP_ZERO, (x))
#define isnormal(x) __builtin_isnormal(x)
#define isfinite(x) __builtin_isfinite(x)
#define isinf(x) __builtin_isinf(x)
#define isnan(x) __builtin_isnan(x)
#define signbit(x) __builtin_signbit(x)
#define isgreater(x, y) __builtin_isgreater((x), (y))
#define isgreaterequal(x, y) __builtin_isgreaterequal((x), (y))
#define isless(x, y) __builtin_isless((x), (y))
#define islessequal(x, y) __builtin_islessequal((x), (y))
#define islessgreater(x, y) __builtin_islessgreater((x), (y))
#define isunordered(x, y) __builtin_isunordered((x), (y))
__BEGIN_DECLS
int __math_errhandling(void);
/* Each function in double, float (suffix f) and long double (suffix l). */
#define __TWAINMON_MATH_FUNCTIONS(T, s) \
    T acos##s(T); \
    T asin##s(T); \
    T atan##s(T); \
    T cos##s(T); \
    T sin##s(T); \
    T tan##s(T); \
    T acosh##s(T); \
    T asinh##s(T); \
    T atanh##s(T); \
    T cosh##s(T); \
    T sinh##s(T); \
    T tanh##s(T); \
    T exp##s(T); \
    T exp2##s(T); \
    T expm1##s(T); \
    T log##s(T); \
    T log10##s(T); \
    T log2##s(T); \
    T log1p##s(T); \
    T logb##s(T); \
    T fabs##s(T); \
    T cbrt##s(T); \
    T sqrt##s(T); \
    T erf##s(T); \
    T erfc##s(T); \
    T lgamma##s(T); \
    T tgamma##s(T); \
    T ceil##s(T); \
    T floor##s(T); \
    T nearbyint##s(T); \
    T rint##s(T); \
    T round##s(T); \
    T trunc##s(T); \
    T atan2##s(T, T); \
    T hypot##s(T, T); \
    T pow##s(T, T); \
    T fmod##s(T, T); \
    T remainder##s(T, T); \
    T copysign##s(T, T); \
    T nextafter##s(T, T); \
    T fdim##s(T, T); \
    T fmax##s(T, T); \
    T fmin##s(T, T); \
    T fma##s(T, T, T); \
    T frexp##s(T, int*); \
    T ldexp##s(T, int); \
    T modf##s(T, T*); \
    T scalbn##s(T, int); \
    T scalbln##s(T, long); \
    int ilogb##s(T); \
    long lrint##s(T); \
    long long llrint##s(T); \
    long lround##s(T); \
    long long llround##s(T); \
    T remquo##s(T, T, int*); \
    T nexttoward##s(T, long double); \
    T nan##s(const char*);
__TWAINMON_MATH_FUNCTIONS(double, )
__TWAINMON_MATH_FUNCTIONS(float, f)
__TWAINMON_MATH_FUNCTIONS(long double, l)
#undef __TWAINMON_MATH_FUNCTIONS
__END_DECLS
#endif
