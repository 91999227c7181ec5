#include "thinfilm/orders/FringeOrdersText.h"

#include <cmath>
#include <cstdio>

#include "numerics/FloatText.h"

namespace optc {

std::string FixedDecimalsText(double value, int decimals) {
    if (!(std::fabs(value) < 1e15)) return FloatToStr(value);
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    std::string out = text;
    for (char& c : out)
        if (c == '.') c = DecimalSeparator();
    return out;
}

namespace {

std::string Nm(double value) { return FixedDecimalsText(value, 1); }

std::string Plural(int count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

}  // namespace

// Rounded half to even in extended precision, as Calculate writes the thickness.
std::string ThicknessCmText(double nm) {
    const long double scaled = static_cast<long double>(nm / 1e7) * 1e9L;
    return FloatToStr(static_cast<long double>(Round(scaled)) / 1e9L);
}

std::string OrdersResultLine(const FringeOrdersOutcome& outcome) {
    if (!outcome.result) return outcome.reason;
    const FringeOrdersResult& r = *outcome.result;
    const int count = static_cast<int>(r.rows.size());
    std::string line = "d = " + Nm(r.thicknessNm) + " \u00B1 " + Nm(r.thicknessSdNm) + " nm, " +
                       ThicknessCmText(r.thicknessNm) + " cm (";
    line += r.used == count ? Plural(count, "extremum", "extrema")
                            : std::to_string(r.used) + " of " + Plural(count, "extremum", "extrema");
    if (r.pairsLeftOut > 0) line += ", " + Plural(r.pairsLeftOut, "pair", "pairs") + " left out";
    line += ")";
    if (r.kindsSwapped) line += "; maxima at half orders";
    if (r.orderAmbiguous) line += "; orders ambiguous: " + Nm(r.alternativeNm) + " nm fits almost as well";
    if (r.spreadCorrected && r.nonUniformityNm && r.nonUniformitySdNm)
        line += "; thickness varies by \u0394d = " + Nm(*r.nonUniformityNm) + " \u00B1 " + Nm(*r.nonUniformitySdNm) +
                " nm, index corrected for it";
    for (const std::string& warning : r.warnings) line += "\nWarning: " + warning;
    return line;
}

std::string OrdersNoteText(const FringeOrdersOutcome& outcome, const std::optional<double>& calculateCm) {
    if (!outcome.result) return "";
    const FringeOrdersResult& r = *outcome.result;
    if (calculateCm && std::fabs(*calculateCm * 1e7 - r.thicknessNm) <= 3.0 * r.thicknessSdNm)
        return r.natExtrapolated ? "n at the chosen wavelength is extrapolated beyond the extrema (see Fringe Orders...)"
                                 : "";
    // Thick films in um, where a tenth of a nm says nothing.
    const bool micrometres = r.thicknessNm >= 10000.0;
    const std::string value = micrometres ? FixedDecimalsText(r.thicknessNm / 1000.0, 2) + " \u00B1 " +
                                                FixedDecimalsText(r.thicknessSdNm / 1000.0, 2) + " \u00B5m"
                                          : Nm(r.thicknessNm) + " \u00B1 " + Nm(r.thicknessSdNm) + " nm";
    std::string note = "Fringe orders: " + value;
    if (!r.warnings.empty()) note += ", " + Plural(static_cast<int>(r.warnings.size()), "warning", "warnings");
    return note + " (see Fringe Orders...)";
}

const std::vector<std::string>& OrdersTableHeadings() {
    static const std::vector<std::string> headings = {"Lambda (nm)", "Type", "T (%)",   "n1",      "d1 (nm)",
                                                      "m",           "d2 (nm)", "n2", "Left out"};
    return headings;
}

std::vector<std::string> OrdersTableCells(const FringeOrderRow& row, bool everyDigit) {
    const FringeExtremum& e = row.extremum;
    auto number = [everyDigit](double value, int decimals) {
        return everyDigit ? FloatToStr(value) : FixedDecimalsText(value, decimals);
    };
    std::string leftOut;
    const bool hasPair = row.pairThickness.has_value();
    if (hasPair && !row.pairUsed) leftOut = "d1";
    if (!row.used) leftOut += leftOut.empty() ? "d2" : ", d2";
    return {FloatToStr(e.lambda),
            e.kind == ExtremumKind::Maximum ? "max" : "min",
            FloatToStr(e.trans),
            number(e.n1, 4),
            hasPair ? number(*row.pairThickness, 1) : "",
            FloatToStr(row.order),
            number(row.thickness, 1),
            number(row.n2, 4),
            leftOut};
}

std::vector<std::string> OrdersTableLines(const FringeOrdersResult& result) {
    auto join = [](const std::vector<std::string>& cells) {
        std::string line;
        for (std::size_t i = 0; i < cells.size(); ++i) line += (i ? "\t" : "") + cells[i];
        return line;
    };
    std::vector<std::string> lines{join(OrdersTableHeadings())};
    for (const FringeOrderRow& row : result.rows) lines.push_back(join(OrdersTableCells(row, true)));
    return lines;
}

}  // namespace optc
