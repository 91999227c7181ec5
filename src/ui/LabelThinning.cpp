#include "ui/LabelThinning.h"

#include <algorithm>
#include <vector>

namespace optc {

namespace {

bool Apart(const LabelBox& a, const LabelBox& b, double gap) {
    return a.right + gap <= b.left || b.right + gap <= a.left || a.bottom + gap <= b.top || b.bottom + gap <= a.top;
}

// Whether the chosen labels, in ascending left edge, keep apart from each other. Only
// labels whose left edge lies within the widest label (and the gap) of another's left
// edge can meet it.
bool AllApart(const std::vector<LabelBox>& chosen, double widest, double gap) {
    for (std::size_t i = 0; i < chosen.size(); ++i)
        for (std::size_t j = i + 1; j < chosen.size() && chosen[j].left < chosen[i].left + widest + gap; ++j)
            if (!Apart(chosen[i], chosen[j], gap)) return false;
    return true;
}

}  // namespace

int LabelStep(std::span<const LabelBox> boxes, double gap) {
    std::vector<LabelBox> sorted(boxes.begin(), boxes.end());
    std::sort(sorted.begin(), sorted.end(), [](const LabelBox& a, const LabelBox& b) { return a.left < b.left; });
    double widest = 0.0;
    int highest = 0;
    for (const LabelBox& box : sorted) {
        widest = std::max(widest, box.right - box.left);
        highest = std::max(highest, box.rank);
    }
    std::vector<LabelBox> chosen;
    for (int step = 1;; ++step) {
        chosen.clear();
        for (const LabelBox& box : sorted)
            if (LabelShown(box.rank, step)) chosen.push_back(box);
        // Beyond the highest rank only the first mark keeps its label.
        if (chosen.size() <= 1 || step > highest || AllApart(chosen, widest, gap)) return step;
    }
}

}  // namespace optc
