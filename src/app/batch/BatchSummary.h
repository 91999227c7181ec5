#pragma once
// The JSON summary of a batch run: one line on standard output with the message that
// stopped the run, every note, and what the window shows and holds at the end.
#include <optional>
#include <string>
#include <vector>

#include "thinfilm/orders/FringeOrders.h"

namespace optc {

class JsonWriter;
class TForm1;
class TForm3;

// What every summary begins with: the stopping message or error (none when nothing
// stopped the run) and the texts of every message and error box, in order.
struct SummaryHead {
    const std::optional<std::string>& message;
    const std::vector<std::string>& notes;
};

// The summaries: the stop and the notes, what the window shows in its texts, the
// counts, and "results", the window's outcome as numbers:
// {"thicknessNm", "thicknessCm", "natNm", "n", "egEv", "egSdEv", "egR2"}, each a
// number or null.
std::string ThinFilmSummary(const SummaryHead& head, const TForm1& window);
std::string BulkSummary(const SummaryHead& head, const TForm3& window);

// The numbers of "results".
struct SummaryResults {
    std::optional<double> thicknessCm;
    std::optional<double> natNm;
    std::optional<double> nAtNat;
    std::optional<double> egEv;
    std::optional<double> egSdEv;
    std::optional<double> egR2;
};

// The "fringeOrders" member of a thin-film summary: null when Calculate did not
// complete, {"reason": ...} when the orders cannot be found, else the result.
void WriteFringeOrders(JsonWriter& json, const std::optional<FringeOrdersOutcome>& outcome);
std::string FringeOrdersJson(const std::optional<FringeOrdersOutcome>& outcome);

}  // namespace optc
