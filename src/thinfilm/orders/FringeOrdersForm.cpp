#include "thinfilm/orders/FringeOrdersForm.h"

#include <cmath>

#include "datafiles/ResultsFileSet.h"
#include "datafiles/TextFileWriter.h"
#include "thinfilm/envelope/CoefEval.h"
#include "thinfilm/orders/FringeOrdersText.h"

namespace optc {

namespace {
constexpr const char* kTextFiles = "*.txt";
constexpr const char* kLegend =
    "Markers: n1 from the envelopes (green), n2 from the orders (blue). "
    "Lines: n(\u03BB) of Calculate (red), fitted to n2 (blue).";
// Points of the fitted n2 curve across the extrema.
constexpr int kCurvePoints = 400;
}  // namespace

FringeOrdersForm::FringeOrdersForm(Platform& platform)
    : Form(platform, "Fringe Orders"),
      Series1(Chart1.AddSeries(SeriesStyle::Markers, false)),
      Series2(Chart1.AddSeries(SeriesStyle::Markers, false)),
      Series3(Chart1.AddSeries(SeriesStyle::Line, false)),
      Series4(Chart1.AddSeries(SeriesStyle::Line, false)) {
    AddChart(Chart1);
    Chart1.BottomAxis().title = "Wavelengths, nm";
    Chart1.LeftAxis().title = "n";
    Legend.SetText(kLegend);
    Copy.OnClick = [this] { CopyClick(); };
    SaveTable.OnClick = [this] { SaveTableClick(); };
    UseThickness.OnClick = [this] { UseThicknessClick(); };
    CloseButton.OnClick = [this] { Close(); };
}

void FringeOrdersForm::ShowOutcome(const FringeOrdersOutcome& outcome, const CalculatedFringes& calculated) {
    outcome_ = outcome;
    ResultLine.SetText(OrdersResultLine(outcome));
    std::vector<OrdersTable::Row> rows;
    if (outcome.result) {
        for (const FringeOrderRow& row : outcome.result->rows)
            rows.push_back({OrdersTableCells(row, false), !row.used || (row.pairThickness && !row.pairUsed)});
    }
    Table.SetRows(std::move(rows));
    const bool found = outcome.result.has_value();
    Copy.SetEnabled(found);
    SaveTable.SetEnabled(found);
    UseThickness.SetEnabled(found);
    DrawChart(calculated);
}

void FringeOrdersForm::DrawChart(const CalculatedFringes& calculated) {
    Chart1.ClearAll();
    Chart1.BottomAxis().SetAutomatic();
    Chart1.LeftAxis().SetAutomatic();
    for (const FringeExtremum& e : calculated.extrema)
        if (e.n1 > 0.0) Series1.AddXY(e.lambda, e.n1, clGreen);  // none where no index was had
    // Calculate's n(lambda) on its own 1 nm grid over its n range.
    for (double lambda = calculated.dispStart; lambda < calculated.dispEnd; lambda += 1.0)
        Series3.AddXY(lambda, EvaluateCoef(calculated.dispCoef, 1.0 / (lambda * lambda)), clRed);
    if (!outcome_.result) return;
    const FringeOrdersResult& r = *outcome_.result;
    for (const FringeOrderRow& row : r.rows) Series2.AddXY(row.extremum.lambda, row.n2, clBlue);
    if (r.fitTerms == 0) return;
    const double longest = r.rows.front().extremum.lambda, shortest = r.rows.back().extremum.lambda;
    for (int k = 0; k <= kCurvePoints; ++k) {
        const double lambda = shortest + (longest - shortest) * k / kCurvePoints;
        const double n = OrdersDispersionIndex(r, lambda);
        if (std::isfinite(n)) Series4.AddXY(lambda, n, clBlue);
    }
}

void FringeOrdersForm::CopyClick() {
    if (!outcome_.result) return;
    std::string text;
    for (const std::string& line : OrdersTableLines(*outcome_.result)) text += line + "\n";
    GetPlatform().SetClipboardText(text);
}

void FringeOrdersForm::SaveTableClick() {
    if (!outcome_.result) return;
    const auto path = GetPlatform().SaveFileDialog(kTextFiles);
    if (!path) return;
    // Written in full beside its name first: a failure leaves an older table as it was.
    WriteFileAllOrNone(*path, [this](const std::string& part) { WriteOrdersTable(*outcome_.result, part); });
    GetPlatform().RememberFolder(*path);
}

void FringeOrdersForm::UseThicknessClick() {
    if (!outcome_.result) return;
    if (OnUseThickness) OnUseThickness(outcome_.result->thicknessNm);
    Close();
}

void WriteOrdersTable(const FringeOrdersResult& result, const std::string& path) {
    TextFileWriter file;
    file.Create(path);
    for (const std::string& line : OrdersTableLines(result)) file.WriteLine(line);
    file.Close();
}

}  // namespace optc
