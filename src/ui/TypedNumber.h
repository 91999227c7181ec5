#pragma once
// A number typed into an edit, or nothing when it holds none (for stages that read a
// box without raising the box's own error).
#include <cmath>
#include <optional>

#include "numerics/Errors.h"
#include "numerics/FloatText.h"
#include "ui/Controls.h"

namespace optc {

inline std::optional<double> TypedNumber(const Edit& edit) {
    try {
        const double v = StrToFloat(edit.Text());
        if (std::isfinite(v)) return v;
    } catch (const Error&) {
    }
    return std::nullopt;
}

}  // namespace optc
