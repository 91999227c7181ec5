#pragma once
// The fringe orders as text: the result line of the dialog, the table as the dialog
// shows it (rounded) and as Copy and Save Table write it (every digit), with the
// program's decimal separator.
#include <optional>
#include <string>
#include <vector>

#include "thinfilm/orders/FringeOrders.h"

namespace optc {

// "d = 999.2 ± 1.3 nm, 9.992E-5 cm (23 extrema, 2 pairs left out)", with notes on
// extrema left out, swapped kinds, an ambiguous order and a thickness spread the index
// was corrected for, then one line "Warning: ..." for each doubt; or the reason.
std::string OrdersResultLine(const FringeOrdersOutcome& outcome);

// The note beside the Thin Films window's thickness: "Fringe orders: 18.64 ± 0.10 µm
// (see Fringe Orders...)" when the orders' thickness differs from Calculate's (cm) by
// more than three of its spreads, or Calculate has none; else, where the wavelength of
// "n at" lies outside the extrema, that n is extrapolated; empty otherwise.
std::string OrdersNoteText(const FringeOrdersOutcome& outcome, const std::optional<double>& calculateCm);

// A value with a fixed number of decimals ("3.0", not "3") and the decimal separator;
// an absurdly large one in the program's general form rather than hundreds of digits.
std::string FixedDecimalsText(double value, int decimals);

// A thickness in cm as the Thin Films window shows it: nine decimals, rounded.
std::string ThicknessCmText(double nm);

// Column headings and cells of one row, rounded for reading or with every digit.
const std::vector<std::string>& OrdersTableHeadings();
std::vector<std::string> OrdersTableCells(const FringeOrderRow& row, bool everyDigit);

// The table with its heading line, tab-separated, every digit, one line per row.
std::vector<std::string> OrdersTableLines(const FringeOrdersResult& result);

}  // namespace optc
