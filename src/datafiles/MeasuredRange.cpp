#include "datafiles/MeasuredRange.h"

#include "datafiles/FileRefusal.h"
#include "numerics/FloatText.h"

namespace optc {

namespace {

constexpr const char* kNoteEnd = " %); noise near 0 % and 100 % is real, but check the file.";

const char* Quantity(SpectrumKind kind) { return kind == SpectrumKind::Reflection ? "reflection" : "transmission"; }

}  // namespace

std::optional<std::string> CheckMeasuredRange(const PairTable& table, SpectrumKind kind, const std::string& fileName) {
    int outside = 0;
    std::size_t first = 0;
    for (std::size_t k = 0; k < static_cast<std::size_t>(table.count); ++k) {
        const double y = table.y[k];
        if (y >= 0.0 && y <= 100.0) continue;
        if (y < kLowestMeasurable || y > kHighestMeasurable)
            throw FileRefusal(LineMessage(table.line[k], fileName,
                                          std::string("the ") + Quantity(kind) + " " + FloatToStr(y) +
                                              " % lies far outside 0 to 100 %; check the file and its units."));
        if (outside++ == 0) first = k;
    }
    if (outside == 0) return std::nullopt;
    const bool one = outside == 1;
    return std::to_string(outside) + " " + Quantity(kind) + (one ? " value of " : " values of ") + fileName +
           (one ? " lies outside 0 to 100 % (on line " : " lie outside 0 to 100 % (the first on line ") +
           std::to_string(table.line[first]) + ": " + FloatToStr(table.y[first]) + kNoteEnd;
}

bool IsRangeNote(const std::string& text) {
    const std::string end = kNoteEnd;
    return text.find(" outside 0 to 100 % (") != std::string::npos && text.size() > end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace optc
