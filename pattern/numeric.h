// Number rules of the rosette: 32-bit wrapping integers, ties-to-even
// rounding to int32, float32 stores. Shared by the drawing step and the
// settings derivation so both round the same way.
#pragma once
#include <cmath>
#include <cstdint>
#include <cstring>
#if defined(_WIN32) && defined(__i386__)
#include <float.h>
#endif

namespace vireska {

// 32-bit signed arithmetic that wraps like the machine does, without the
// undefined behaviour of signed overflow in C++.
inline int32_t Wrap(uint32_t v) { return static_cast<int32_t>(v); }
inline int32_t Add32(int32_t a, int32_t b) { return Wrap(static_cast<uint32_t>(a) + static_cast<uint32_t>(b)); }
inline int32_t Sub32(int32_t a, int32_t b) { return Wrap(static_cast<uint32_t>(a) - static_cast<uint32_t>(b)); }
inline int32_t Mul32(int32_t a, int32_t b) { return Wrap(static_cast<uint32_t>(a) * static_cast<uint32_t>(b)); }
// Integer division truncating toward zero; the one overflowing case
// (INT32_MIN / -1) wraps to INT32_MIN.
inline int32_t Div32(int32_t a, int32_t b) {
    if (b == -1) return Sub32(0, a);
    return a / b;
}

// Round to nearest, ties to even, giving an int32. The value is rounded to a
// 64-bit integer first and its low 32 bits are kept, as an x87 FISTP to a
// 64-bit integer followed by an int32 store does; a value beyond the 64-bit
// range (or NaN) gives the x87 "integer indefinite", whose low half is 0.
inline int32_t Round32(long double x) {
    // llrint rounds in the current mode, which is always the default one:
    // ties to even. It is the x87's own FISTP, not a call that saves and
    // restores the floating-point environment as nearbyint does.
    if (!(x >= -9223372036854775808.0L && x < 9223372036854775808.0L)) return 0;
    return Wrap(static_cast<uint32_t>(static_cast<uint64_t>(std::llrint(x))));
}

// A value stored as a 32-bit IEEE float. Values beyond the float range
// become infinities, as the hardware store does.
inline float Store32(long double x) { return static_cast<float>(x); }

// The x87 computes long double with its full 64-bit mantissa. A 32-bit
// Windows process may start with the precision set to 53 bits; a program sets
// it at its start, on the thread that runs the steps (the precision is per thread).
inline void UseExtendedPrecision() {
#if defined(_WIN32) && defined(__i386__)
    _controlfp(_PC_64, _MCW_PC);
#endif
}

// floor(n / d) for d > 0.
inline int64_t FloorDiv(int64_t n, int64_t d) {
    int64_t q = n / d;
    if (n % d != 0 && n < 0) --q;
    return q;
}

// ceil((2ab - c) / d), exactly, for d > 0, |a|, |b| <= 2^32 and |c| <= 2^33,
// whose 2ab may need 66 bits. The extended-precision quotient is within 2 of
// the result, so the remainder of that estimate is small and exact in 64-bit
// wrapping arithmetic; it corrects the estimate.
inline int64_t CeilOfTwiceProductMinus(int64_t a, int64_t b, int64_t c, int64_t d) {
    const long double n = 2.0L * static_cast<long double>(a) * static_cast<long double>(b) - static_cast<long double>(c);
    const int64_t estimate = static_cast<int64_t>(std::ceil(n / static_cast<long double>(d)));
    // estimate * d - (2ab - c), modulo 2^64; its true value is far inside the int64 range.
    const uint64_t wrapped = static_cast<uint64_t>(estimate) * static_cast<uint64_t>(d) -
                             2u * static_cast<uint64_t>(a) * static_cast<uint64_t>(b) + static_cast<uint64_t>(c);
    int64_t remainder;
    std::memcpy(&remainder, &wrapped, sizeof remainder);
    // The result is the k whose k * d - (2ab - c) lies in [0, d).
    return estimate - FloorDiv(remainder, d);
}

}  // namespace vireska
