#pragma once
// The table of --summary: one CSV row for each spectrum of a run, read from the
// windows' outcomes (never from their texts), numbers unrounded in the windows' format.
#include <optional>
#include <string>
#include <vector>

namespace optc {

class BatchSession;

struct SummaryRow {
    std::string file;
    std::string status;   // "done", "stopped", or "failed" for a run that could not be made
    std::string message;  // what stopped it, after the option or file it is about
    std::optional<double> thicknessNm;  // the thickness of the complete Calculate
    // The fringe orders' thickness with its spread and its non-uniformity Δd.
    std::optional<double> ordersNm, ordersSdNm, ordersDeltaNm;
    // The whole-spectrum fit's thickness with its spread and Δd.
    std::optional<double> fitNm, fitSdNm, fitDeltaNm;
    std::optional<double> natNm, n;
    std::optional<double> egEv, egSdEv, egR2;
    std::vector<std::string> warnings;
};

// The row of a spectrum's session after its run.
SummaryRow RowOf(const std::string& file, const BatchSession& session, bool thin);

// The table's lines: a header, then the rows; fields with a comma, a quote or a line
// end quoted, quotes doubled.
std::vector<std::string> SummaryTableLines(const std::vector<SummaryRow>& rows);

// Writes the lines to the file of --summary, all or none, "\r\n" after each line.
void WriteSummaryTable(const std::string& path, const std::vector<SummaryRow>& rows);

}  // namespace optc
