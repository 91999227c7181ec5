#pragma once
// A report of one analysis, without a toolkit: titled sections of lines (a label and
// its value, as typed or as found), the warnings, and the charts as plain curves. A
// window fills it from its outcome and its edits; a renderer lays it out on paper.
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "numerics/Arrays.h"
#include "ui/Controls.h"

namespace optc {

struct ReportLine {
    std::string label;
    std::string value;
};

struct ReportSection {
    std::string title;
    std::vector<ReportLine> lines;
};

struct ReportCurve {
    std::vector<std::pair<double, double>> points;
    bool markers = false;  // markers only, else a line
    Color colour;
};

struct ReportChart {
    std::string title, bottomTitle, leftTitle;
    std::vector<ReportCurve> curves;
};

struct Report {
    std::string title;
    std::vector<ReportSection> sections;
    std::vector<std::string> warnings;
    std::vector<ReportChart> charts;  // those with points only
};

// "1.0E-5"-free numbers for people: FloatToStr of the value, then the unit.
std::string ReportNumber(double value, const std::string& unit);

// "yes" or "no", for a box's state.
const char* ReportYesNo(bool yes);

// The points of two workspace arrays, 1 to count, skipping what is not finite.
ReportCurve ReportCurveOf(const SpectrumArray& x, const SpectrumArray& y, int count, bool markers, Color colour);

// The optical gap's lines, when there is a gap: Eg with its deviation and the energies it
// was fitted between (either order), and the R² of the Tauc line.
void AddGapLines(ReportSection& section, const std::optional<double>& egEv, const std::optional<double>& egSdEv,
                 const std::optional<double>& egR2, double fromEv, double toEv);

// Adds the chart when one of its curves has a point.
void AddReportChart(Report& report, ReportChart chart);

}  // namespace optc
