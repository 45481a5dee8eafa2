#pragma once
// The program's two roundings: Round is to the nearest integer with exact halves to the even
// neighbour (the default floating-point rounding mode); Trunc is toward zero.

#include <cmath>
#include <cstdint>

namespace tamboro {

inline std::int64_t roundHalfEven(double x) {
    return static_cast<std::int64_t>(std::nearbyint(x));
}
inline std::int64_t truncTowardZero(double x) {
    return static_cast<std::int64_t>(std::trunc(x));
}

} // namespace tamboro
