#include "app/batch/FitSummary.h"

#include "datafiles/JsonWriter.h"

namespace optc {

void WriteSpectrumFit(JsonWriter& json, const std::optional<SpectrumFitOutcome>& outcome) {
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
    const SpectrumFitResult& r = *outcome->result;
    json.Member("thicknessNm", r.thicknessNm)
        .Member("thicknessSdNm", r.thicknessSdNm)
        .Member("nonUniformityNm", r.spreadNm)
        .Member("nonUniformitySdNm", r.spreadSdNm)
        .Member("n633", r.nAtNat)
        .Member("rmsResidual", r.rmsResidual)
        .Member("noise", r.noise)
        .Member("trusted", r.trusted);
    json.Key("warnings").BeginArray();
    for (const std::string& w : r.warnings) json.String(w);
    json.EndArray();
    json.Member("alternativeNm", r.alternativeNm);
    json.Key("parameters").BeginArray();
    for (const FitParameter& p : r.parameters)
        json.BeginObject().Member("name", p.name).Member("value", p.value).Member("sd", p.sd).EndObject();
    json.EndArray();
    json.Member("iterations", r.iterations).EndObject();
}

std::string SpectrumFitJson(const std::optional<SpectrumFitOutcome>& outcome) {
    std::string text;
    JsonWriter json(text);
    WriteSpectrumFit(json, outcome);
    return text;
}

}  // namespace optc
