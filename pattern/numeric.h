// Number rules of the rosette: 32-bit wrapping integers, ties-to-even
// rounding to int32, float32 stores. Shared by the drawing step and the
// settings derivation so both round the same way.
#pragma once
#include <cmath>
#include <cstdint>

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
    long double r = std::nearbyint(x);  // default rounding mode: ties to even
    if (!(r >= -9223372036854775808.0L && r < 9223372036854775808.0L)) return 0;
    return Wrap(static_cast<uint32_t>(static_cast<uint64_t>(static_cast<int64_t>(r))));
}

// A value stored as a 32-bit IEEE float. Values beyond the float range
// become infinities, as the hardware store does.
inline float Store32(long double x) { return static_cast<float>(x); }

}  // namespace vireska
