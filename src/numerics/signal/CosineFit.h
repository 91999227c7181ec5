#pragma once
// The least-squares curve y = a + b cos(w u) + c sin(w u) of a known angular frequency
// w through points given one at a time (u centred by the caller). The reciprocal of a
// film's transmission is such a curve in 1/lambda over a fringe, whatever its contrast,
// where a parabola in T reads a sharp maximum low.
#include <array>
#include <cmath>
#include <optional>

namespace optc {

class CosineFit {
public:
    explicit CosineFit(double w) : w_(w) {}

    void Add(double u, double y) {
        const double c = std::cos(w_ * u), s = std::sin(w_ * u);
        const double row[3] = {1.0, c, s};
        for (int i = 0; i < 3; ++i) {
            for (int j = 0; j < 3; ++j) m_[i][j] += row[i] * row[j];
            v_[i] += row[i] * y;
        }
    }

    // a, b, c by Cramer's rule on the normal equations; none when the points do not fix
    // them (too few, or spanning too little of a period).
    std::optional<std::array<double, 3>> Coefficients() const {
        const auto det3 = [](const double m[3][3]) {
            return m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) - m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
                   m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
        };
        const double det = det3(m_);
        if (!(std::fabs(det) > 1e-12 * m_[0][0] * m_[0][0] * m_[0][0])) return std::nullopt;
        std::array<double, 3> x{};
        for (int k = 0; k < 3; ++k) {
            double t[3][3];
            for (int i = 0; i < 3; ++i)
                for (int j = 0; j < 3; ++j) t[i][j] = j == k ? v_[i] : m_[i][j];
            x[static_cast<std::size_t>(k)] = det3(t) / det;
        }
        return x;
    }

private:
    double w_;
    double m_[3][3] = {};
    double v_[3] = {};
};

}  // namespace optc
