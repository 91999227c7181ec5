#pragma once
// The Fringe Orders dialog of the Thin Films window: the result line, the table of
// the extrema with their orders, a chart of n1 and n2 with both dispersion curves,
// and its buttons. It shows what it is given and changes no result of Calculate.
#include <functional>
#include <string>
#include <vector>

#include "numerics/Arrays.h"
#include "thinfilm/orders/FringeIndex.h"
#include "thinfilm/orders/FringeOrders.h"
#include "ui/ChartModel.h"
#include "ui/Controls.h"
#include "ui/Form.h"

namespace optc {

// What Calculate used, kept for the orders: the extrema and the order of its
// dispersion fit, and its n(lambda) over its n range for comparison.
struct CalculatedFringes {
    std::vector<FringeExtremum> extrema;
    int fitTerms = 0;
    CoefVector dispCoef{};  // n against 1/lambda^2 in nm^-2
    double dispStart = 0.0;
    double dispEnd = 0.0;
    // Calculate's envelopes at every extremum.
    std::vector<EnvelopePair> envelopes;
};

// The rows of the table as the dialog shows them; a view mirrors it.
class OrdersTable : public Control {
public:
    using Control::Control;
    struct Row {
        std::vector<std::string> cells;
        bool leftOut = false;  // d1 or d2 of this row is not in its mean
    };
    const std::vector<Row>& Rows() const { return rows_; }
    void SetRows(std::vector<Row> rows) {
        rows_ = std::move(rows);
        Notify();
    }

private:
    std::vector<Row> rows_;
};

class FringeOrdersForm : public Form {
public:
    explicit FringeOrdersForm(Platform& platform);

    StaticText ResultLine{"ResultLine", ""};
    OrdersTable Table{"Table"};
    ChartModel Chart1{"Refractive index at the extrema"};
    ChartSeries& Series1;  // n1 (green markers)
    ChartSeries& Series2;  // n2 (blue markers)
    ChartSeries& Series3;  // n(lambda) of Calculate (red line)
    ChartSeries& Series4;  // n(lambda) fitted to n2 (blue line)
    StaticText Legend{"Legend", ""};
    Button Copy{"Copy", "Copy"};
    Button SaveTable{"SaveTable", "Save Table..."};
    Button UseThickness{"UseThickness", "Use This Thickness"};
    Button CloseButton{"CloseButton", "Close"};

    // Fills the dialog from the orders of what Calculate used.
    void ShowOutcome(const FringeOrdersOutcome& outcome, const CalculatedFringes& calculated);
    const FringeOrdersOutcome& Outcome() const { return outcome_; }

    // Run by "Use This Thickness" with the mean thickness in nm.
    std::function<void(double nm)> OnUseThickness;

    void CopyClick();
    void SaveTableClick();
    void UseThicknessClick();

private:
    void DrawChart(const CalculatedFringes& calculated);
    FringeOrdersOutcome outcome_;
};

// Writes the table (heading and rows, tab-separated, every digit) to a text file with
// CR LF line ends. File errors raise.
void WriteOrdersTable(const FringeOrdersResult& result, const std::string& path);

}  // namespace optc
