// What the fringe orders and the fit read from a box: a finite number, or nothing
// (never an infinity, never an error raised for the box).
#include "ui/TypedNumber.h"

#include <gtest/gtest.h>

#include <optional>

#include "numerics/FloatText.h"

namespace optc {
namespace {

TEST(TypedNumber, AFiniteNumberOrNothing) {
    SetDecimalSeparator('.');
    const struct {
        const char* text;
        std::optional<double> value;
    } cases[] = {
        {"1.52", 1.52}, {"-3", -3.0}, {"2e3", 2000.0}, {"", std::nullopt}, {"abc", std::nullopt},
        {"1e400", std::nullopt}, {"1.5.2", std::nullopt},
    };
    for (const auto& c : cases) {
        const Edit box("Const2", c.text);
        EXPECT_EQ(TypedNumber(box), c.value) << '"' << c.text << '"';
    }
}

}  // namespace
}  // namespace optc
