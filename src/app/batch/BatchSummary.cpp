#include "app/batch/BatchSummary.h"

#include "bulk/BulkData.h"
#include "bulk/Main_3.h"
#include "datafiles/JsonWriter.h"
#include "thinfilm/ThinFilmData.h"
#include "thinfilm/window/Main_1.h"

namespace optc {

namespace {

void WriteHead(JsonWriter& json, const SummaryHead& head) {
    json.Member("message", head.message);
    json.Key("notes").BeginArray();
    for (const std::string& note : head.notes) json.String(note);
    json.EndArray();
}

}  // namespace

std::string ThinFilmSummary(const SummaryHead& head, TForm1& window,
                            const std::optional<FringeOrdersOutcome>& orders) {
    const ThinFilmData& d = window.Data();
    std::string text;
    JsonWriter json(text);
    json.BeginObject();
    WriteHead(json, head);
    json.Member("thickness", window.thickness.Text())
        .Member("n633show", window.n633show.Text())
        .Member("EgOutput", window.EgOutput.Text())
        .Member("SpecCount", d.SpecCount)
        .Member("ExtCount", d.ExtCount)
        .Member("DispCount", d.DispCount)
        .Member("RangeCount", d.RangeCount)
        .Member("FitCount", d.FitCount)
        .Member("Wstart", window.Wstart.Text())
        .Member("Wend", window.Wend.Text())
        .Member("not633", window.not633.Checked());
    json.Key("fringeOrders");
    WriteFringeOrders(json, orders);
    json.EndObject();
    return text;
}

std::string BulkSummary(const SummaryHead& head, TForm3& window) {
    const BulkData& d = window.Data();
    std::string text;
    JsonWriter json(text);
    json.BeginObject();
    WriteHead(json, head);
    json.Member("thickness", window.Thickness.Text())
        .Member("n633show", nullptr)
        .Member("EgOutput", window.EgOutput.Text())
        .Member("SpecCount", d.SpecCount)
        .Member("ExtCount", nullptr)
        .Member("DispCount", nullptr)
        .Member("AbsCount", d.AbsCount)
        .Member("ReflCount", d.ReflCount);
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
    json.EndArray().EndObject();
}

std::string FringeOrdersJson(const std::optional<FringeOrdersOutcome>& outcome) {
    std::string text;
    JsonWriter json(text);
    WriteFringeOrders(json, outcome);
    return text;
}

}  // namespace optc
