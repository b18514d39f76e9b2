#ifndef SIMDSUPPORT_H
#define SIMDSUPPORT_H

// Which vector instructions the hot loops may be compiled with.

// SSE2: every x86-64 processor has it. MSVC does not define __SSE2__, but always has it on
// x64 and says so for 32-bit builds that ask for it.
#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#include <emmintrin.h>
#define LUMORRA_SSE2 1
#endif

// 512-bit kernels are compiled for their functions alone (GCC and Clang's target
// attribute, which MSVC lacks) and chosen at run time, after checking the processor. Not
// with MinGW: its GCC does not keep the stack aligned for 64-byte values on Windows.
#if (defined(__GNUC__) || defined(__clang__)) && defined(__x86_64__) && !defined(__MINGW32__)
#include <immintrin.h>
#define LUMORRA_AVX512 1
#endif

#endif
