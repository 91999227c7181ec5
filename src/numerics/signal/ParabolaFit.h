#pragma once
// The least-squares parabola y = a0 + a1 u + a2 u^2 through points given one at a
// time, u being the abscissa in a window's own unit (centred and scaled by the caller,
// so the normal equations stay well conditioned). Used to place an extremum between
// samples and to bridge a glitch.
#include <array>
#include <cmath>
#include <optional>

namespace optc {

class ParabolaFit {
public:
    void Add(double u, double y) {
        const double uu = u * u;
        s0_ += 1.0, s1_ += u, s2_ += uu, s3_ += uu * u, s4_ += uu * uu;
        t0_ += y, t1_ += y * u, t2_ += y * uu;
    }

    // a0, a1, a2 by Cramer's rule on the normal equations; none when the points do not
    // fix a parabola (fewer than three distinct abscissae, or nearly so).
    std::optional<std::array<double, 3>> Coefficients() const {
        const double det =
            s0_ * (s2_ * s4_ - s3_ * s3_) - s1_ * (s1_ * s4_ - s3_ * s2_) + s2_ * (s1_ * s3_ - s2_ * s2_);
        if (!(std::fabs(det) > 1e-12 * s0_ * s0_ * s0_)) return std::nullopt;
        const double a1 =
            (s0_ * (t1_ * s4_ - s3_ * t2_) - t0_ * (s1_ * s4_ - s3_ * s2_) + s2_ * (s1_ * t2_ - t1_ * s2_)) / det;
        const double a2 =
            (s0_ * (s2_ * t2_ - t1_ * s3_) - s1_ * (s1_ * t2_ - t1_ * s2_) + t0_ * (s1_ * s3_ - s2_ * s2_)) / det;
        return std::array<double, 3>{(t0_ - a1 * s1_ - a2 * s2_) / s0_, a1, a2};
    }

private:
    double s0_ = 0, s1_ = 0, s2_ = 0, s3_ = 0, s4_ = 0, t0_ = 0, t1_ = 0, t2_ = 0;
};

}  // namespace optc
