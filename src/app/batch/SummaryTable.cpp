#include "app/batch/SummaryTable.h"

#include <cmath>

#include "app/batch/BatchSession.h"
#include "datafiles/ResultsFileSet.h"
#include "datafiles/TextFileWriter.h"
#include "numerics/FloatText.h"

namespace optc {

namespace {

constexpr const char* kColumns[] = {
    "file",          "status",          "message",          "thicknessNm",     "ordersThicknessNm",
    "ordersSdNm",    "ordersDeltaDNm",  "fitThicknessNm",   "fitSdNm",         "fitDeltaDNm",
    "natNm",         "n",               "egEv",             "egSdEv",          "egR2",
    "warnings"};

void AppendField(std::string& out, const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        out += text;
        return;
    }
    out += '"';
    for (const char c : text) out += c == '"' ? std::string("\"\"") : std::string(1, c);
    out += '"';
}

// Empty when there is no number, or none that a table can hold.
std::string Number(const std::optional<double>& value) {
    return value && std::isfinite(*value) ? FloatToStr(*value) : "";
}

// What a person should know of a spectrum's run besides its stop: the messages that let
// it go on, why the fringe orders give no thickness, and their doubts.
std::vector<std::string> Warnings(const BatchSession& session, const std::optional<FringeOrdersOutcome>& orders) {
    std::vector<std::string> warnings;
    bool stopSkipped = false;
    for (const std::string& note : session.Notes()) {
        if (!stopSkipped && session.StopText() && note == *session.StopText()) {
            stopSkipped = true;
            continue;
        }
        warnings.push_back(note);
    }
    if (orders && !orders->result) warnings.push_back("Fringe orders: " + orders->reason);
    if (orders && orders->result)
        for (const std::string& warning : orders->result->warnings) warnings.push_back("Fringe orders: " + warning);
    return warnings;
}

}  // namespace

SummaryRow RowOf(const std::string& file, const BatchSession& session, bool thin) {
    SummaryRow row;
    row.file = file;
    row.status = session.StopText() ? "stopped" : "done";
    if (session.StopText()) row.message = session.StopSubject() + ": " + *session.StopText();
    const auto nanometres = [](const std::optional<double>& cm) {
        return cm ? std::optional<double>(*cm * 1e7) : std::nullopt;
    };
    if (thin) {
        const ThinFilmOutcome& d = session.Windows().Form1.Outcome();
        row.thicknessNm = nanometres(d.thicknessCm);
        if (d.fringeOrders && d.fringeOrders->result) {
            row.ordersNm = d.fringeOrders->result->thicknessNm;
            row.ordersSdNm = d.fringeOrders->result->thicknessSdNm;
            // A spread the orders did not take is not the film's (see the report).
            if (d.fringeOrders->result->spreadCorrected) row.ordersDeltaNm = d.fringeOrders->result->nonUniformityNm;
        }
        if (d.nAtNat) {
            row.natNm = d.natNm;
            row.n = d.nAtNat;
        }
        row.egEv = d.egEv;
        row.egSdEv = d.egSdEv;
        row.egR2 = d.egR2;
        row.warnings = Warnings(session, d.fringeOrders);
        if (d.spectrumFit && d.spectrumFit->result) {
            const SpectrumFitResult& fit = *d.spectrumFit->result;
            row.fitNm = fit.thicknessNm;
            row.fitSdNm = fit.thicknessSdNm;
            row.fitDeltaNm = fit.spreadNm;
            for (const std::string& warning : fit.warnings) row.warnings.push_back("Fit Spectrum: " + warning);
        } else if (d.spectrumFit) {
            row.warnings.push_back("Fit Spectrum: " + d.spectrumFit->reason);
        }
    } else {
        const BulkOutcome& d = session.Windows().Form3.Outcome();
        row.thicknessNm = nanometres(d.thicknessCm);
        row.egEv = d.egEv;
        row.egSdEv = d.egSdEv;
        row.egR2 = d.egR2;
        row.warnings = Warnings(session, std::nullopt);
    }
    return row;
}

std::vector<std::string> SummaryTableLines(const std::vector<SummaryRow>& rows) {
    std::vector<std::string> lines(1);
    for (const char* column : kColumns) lines[0] += std::string(column == kColumns[0] ? "" : ",") + column;
    for (const SummaryRow& r : rows) {
        std::string warnings;
        for (const std::string& w : r.warnings) warnings += (warnings.empty() ? "" : " | ") + w;
        const std::string fields[] = {r.file,           r.status,         r.message,          Number(r.thicknessNm),
                                      Number(r.ordersNm), Number(r.ordersSdNm), Number(r.ordersDeltaNm),
                                      Number(r.fitNm),  Number(r.fitSdNm), Number(r.fitDeltaNm),
                                      Number(r.natNm),  Number(r.n),      Number(r.egEv),     Number(r.egSdEv),
                                      Number(r.egR2),   warnings};
        static_assert(sizeof fields / sizeof fields[0] == std::size(kColumns));
        std::string& line = lines.emplace_back();
        for (const std::string& field : fields) {
            if (&field != fields) line += ',';
            AppendField(line, field);
        }
    }
    return lines;
}

void WriteSummaryTable(const std::string& path, const std::vector<SummaryRow>& rows) {
    const std::vector<std::string> lines = SummaryTableLines(rows);
    WriteFileAllOrNone(path, [&lines](const std::string& part) {
        TextFileWriter file;
        file.Create(part);
        for (const std::string& line : lines) file.WriteLine(line);
        file.Close();
    });
}

}  // namespace optc
