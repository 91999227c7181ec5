#pragma once
// Which marks of a chart carry their label: where a hundred marks crowd the plot area
// their labels would run into one another, so only every k-th label is drawn, the
// smallest k that leaves no two of the drawn labels touching. Zoomed in far enough, k is
// 1 and every mark in view has its label. Toolkit-free: boxes in pixels.
#include <span>

namespace optc {

// The label of one mark in view, where it would be drawn (pixels, y downwards).
struct LabelBox {
    int rank;  // the mark's place among all marks of its series in ascending x, from 0
    double left, top, right, bottom;
};

// The smallest step k >= 1 for which the labels whose rank is a multiple of k keep at
// least gap pixels between any two of them. The step counts from the marks' ranks, not
// from the first mark in view, so that panning does not make labels jump from one mark
// to the next. Boxes in any order.
int LabelStep(std::span<const LabelBox> boxes, double gap);

// Whether the label of the mark of this rank is drawn at that step.
inline bool LabelShown(int rank, int step) { return step > 0 && rank % step == 0; }

}  // namespace optc
