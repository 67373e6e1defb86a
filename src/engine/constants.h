#pragma once
// The geometric constants of the figure plane. Tolerances are absolute world units and do
// not follow the zoom. pi is the 15-digit value every degree/radian conversion uses, so that
// measured angles match those of stored figures digit for digit.

namespace kv {

constexpr double kPi = 3.14159265358979;
constexpr double kTwoPi = 6.28318530717958;
constexpr double kFourPi = 12.56637061435916;
constexpr double kHalfPi = kPi / 2;

constexpr double kShortVector = 0.01;  // normalising, 2x2 determinant, near-zero divisor, parallels
constexpr double kCoincidence = 0.001;     // PointsCoincide: sum of absolute coordinate differences
constexpr double kDiscriminant = 0.0001;   // line-circle and circle-circle intersections
constexpr double kCosineClamp = 0.000001;  // AngleFromCosine

inline double DegToRad(double deg) {
    return deg * kPi / 180;
}
inline double RadToDeg(double rad) {
    return rad * 180 / kPi;
}

}  // namespace kv
