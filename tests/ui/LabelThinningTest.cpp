// Which labels of crowded marks are drawn: the smallest step whose labels keep apart,
// counted from the marks' ranks so that panning keeps the same marks labelled.
#include "ui/LabelThinning.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace optc {
namespace {

// Labels 40 pixels wide and 12 high above marks spaced `spacing` pixels apart in a row,
// ranks from `first` on.
std::vector<LabelBox> Row(int count, double spacing, int first = 0, double height = 0.0) {
    std::vector<LabelBox> boxes;
    for (int i = 0; i < count; ++i) {
        const double centre = 100.0 + spacing * i;
        const double top = (i % 2) * height;
        boxes.push_back({first + i, centre - 20.0, top, centre + 20.0, top + 12.0});
    }
    return boxes;
}

TEST(LabelStep, TheSmallestStepWhoseLabelsKeepApart) {
    struct Case {
        const char* what;
        std::vector<LabelBox> boxes;
        double gap;
        int step;
    };
    std::vector<LabelBox> reversed = Row(10, 15.0);
    std::reverse(reversed.begin(), reversed.end());
    std::vector<LabelBox> oneWide = Row(3, 50.0);
    oneWide[1].left -= 40.0;  // a longer text reaching back over its left neighbour
    const Case cases[] = {
        {"no marks in view", {}, 4.0, 1},
        {"one mark", Row(1, 0.0), 4.0, 1},
        {"zoomed in: room for every label", Row(10, 44.0), 4.0, 1},
        {"one pixel short of the gap", Row(10, 43.0), 4.0, 2},
        {"touching boxes with no gap asked", Row(10, 40.0), 0.0, 1},
        {"every third at 15 pixels (45 >= 44)", Row(30, 15.0), 4.0, 3},
        {"a hundred marks 2 pixels apart", Row(100, 2.0), 4.0, 22},
        {"the order given does not matter", reversed, 4.0, 3},
        {"the widest label decides", oneWide, 4.0, 2},
        // Labels of neighbouring marks one above the other do not meet.
        {"neighbours at different heights", Row(10, 30.0, 0, 20.0), 4.0, 1},
        {"the same marks at one height", Row(10, 30.0), 4.0, 2},
        // Panned: the marks in view have ranks 7 to 36; every third rank still counts
        // from the first mark of the series.
        {"panned view", Row(30, 15.0, 7), 4.0, 3},
        // All marks in one place: only one label can stand.
        {"marks on one pixel", Row(5, 0.0), 4.0, 5},
    };
    for (const Case& c : cases) {
        const int step = LabelStep(c.boxes, c.gap);
        EXPECT_EQ(step, c.step) << c.what;
        // The labels drawn at that step keep apart.
        for (const LabelBox& a : c.boxes)
            for (const LabelBox& b : c.boxes) {
                if (a.rank < b.rank && LabelShown(a.rank, step) && LabelShown(b.rank, step)) {
                    EXPECT_TRUE(a.right + c.gap <= b.left || b.right + c.gap <= a.left ||
                                a.bottom + c.gap <= b.top || b.bottom + c.gap <= a.top)
                        << c.what << ": ranks " << a.rank << " and " << b.rank;
                }
            }
    }
}

}  // namespace
}  // namespace optc
