#include "app/batch/BatchSummary.h"

#include "app/batch/FitSummary.h"
#include "bulk/Main_3.h"
#include "datafiles/JsonWriter.h"
#include "thinfilm/window/Main_1.h"

namespace optc {

namespace {

void WriteHead(JsonWriter& json, const SummaryHead& head) {
    json.Member("message", head.message);
    json.Key("notes").BeginArray();
    for (const std::string& note : head.notes) json.String(note);
    json.EndArray();
}

std::optional<double> Nanometres(const std::optional<double>& cm) {
    return cm ? std::optional<double>(*cm * 1e7) : std::nullopt;
}

// The numbers the windows' texts show, unrounded, each null when there is none.
void WriteResults(JsonWriter& json, const SummaryResults& results) {
    json.Key("results")
        .BeginObject()
        .Member("thicknessNm", Nanometres(results.thicknessCm))
        .Member("thicknessCm", results.thicknessCm)
        .Member("natNm", results.natNm)
        .Member("n", results.nAtNat)
        .Member("egEv", results.egEv)
        .Member("egSdEv", results.egSdEv)
        .Member("egR2", results.egR2)
        .EndObject();
}

}  // namespace

std::string ThinFilmSummary(const SummaryHead& head, const TForm1& window) {
    const ThinFilmOutcome& d = window.Outcome();
    std::string text;
    JsonWriter json(text);
    json.BeginObject();
    WriteHead(json, head);
    json.Member("thickness", window.thickness.Text())
        .Member("n633show", window.n633show.Text())
        .Member("EgOutput", window.EgOutput.Text())
        .Member("SpecCount", d.specCount)
        .Member("ExtCount", d.extCount)
        .Member("DispCount", d.dispCount)
        .Member("RangeCount", d.rangeCount)
        .Member("FitCount", d.fitCount)
        .Member("Wstart", window.Wstart.Text())
        .Member("Wend", window.Wend.Text())
        .Member("not633", window.not633.Checked());
    WriteResults(json, {d.thicknessCm, d.nAtNat ? std::optional<double>(d.natNm) : std::nullopt, d.nAtNat, d.egEv, d.egSdEv, d.egR2});
    json.Key("fringeOrders");
    WriteFringeOrders(json, d.fringeOrders);
    json.Key("spectrumFit");
    WriteSpectrumFit(json, d.spectrumFit);
    json.EndObject();
    return text;
}

std::string BulkSummary(const SummaryHead& head, const TForm3& window) {
    const BulkOutcome& d = window.Outcome();
    std::string text;
    JsonWriter json(text);
    json.BeginObject();
    WriteHead(json, head);
    json.Member("thickness", window.Thickness.Text())
        .Member("n633show", nullptr)
        .Member("EgOutput", window.EgOutput.Text())
        .Member("SpecCount", d.specCount)
        .Member("ExtCount", nullptr)
        .Member("DispCount", nullptr)
        .Member("AbsCount", d.absCount)
        .Member("ReflCount", d.reflCount);
    WriteResults(json, {d.thicknessCm, std::nullopt, std::nullopt, d.egEv, d.egSdEv, d.egR2});
    json.EndObject();
    return text;
}

void WriteFringeOrders(JsonWriter& json, const std::optional<FringeOrdersOutcome>& outcome) {
    if (!outcome) {
        json.Null();
        return;
    }
    json.BeginObject();
    if (!outcome->result) {
        json.Member("reason", outcome->reason).EndObject();
        return;
    }
    // Every number of the result is finite; FloatToStr writes "." in batch runs.
    const FringeOrdersResult& r = *outcome->result;
    json.Member("thicknessNm", r.thicknessNm)
        .Member("thicknessSdNm", r.thicknessSdNm)
        .Member("firstPassNm", r.firstPassNm)
        .Member("used", r.used)
        .Member("orderAmbiguous", r.orderAmbiguous)
        .Member("alternativeNm", r.orderAmbiguous ? std::optional<double>(r.alternativeNm) : std::nullopt)
        .Member("kindsSwapped", r.kindsSwapped);
    json.Key("rows").BeginArray();
    for (const FringeOrderRow& row : r.rows) {
        json.BeginObject()
            .Member("lambdaNm", row.extremum.lambda)
            .Member("type", row.extremum.kind == ExtremumKind::Maximum ? "max" : "min")
            .Member("n1", row.extremum.n1)
            .Member("order", row.order)
            .Member("d2Nm", row.thickness)
            .Member("n2", row.n2)
            .Member("used", row.used)
            .EndObject();
    }
    json.EndArray();
    // What the film's envelopes add: the thickness spread and the doubts.
    json.Member("nonUniformityNm", r.nonUniformityNm)
        .Member("nonUniformitySdNm", r.nonUniformitySdNm)
        .Member("spreadCorrected", r.spreadCorrected)
        .Member("lowerIndex", r.lowerIndex);
    json.Key("warnings").BeginArray();
    for (const std::string& warning : r.warnings) json.String(warning);
    json.EndArray().EndObject();
}

std::string FringeOrdersJson(const std::optional<FringeOrdersOutcome>& outcome) {
    std::string text;
    JsonWriter json(text);
    WriteFringeOrders(json, outcome);
    return text;
}

}  // namespace optc
