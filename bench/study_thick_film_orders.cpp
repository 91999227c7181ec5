// A study, not a timing: how often the fringe orders of a thick film are confidently
// wrong. An 18 um film (n about 1.7 on 1.56), 550 to 1100 nm at 1.25 nm steps (4 to
// 14 samples per fringe), 0.1 %T of noise, the extrema found by "Find Extrema"; on each
// noise draw the orders as they were found from Calculate's indices alone (before) and
// as the dialog finds them now, with the doubts it raises. Prints, for each, the draws
// more than 0.5 % off, and how many of those came without a word.
//
//   study_thick_film_orders [draws] [spread fraction] [shortest nm]
//   (default 300 draws, 0, 550 nm)
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "../tests/thinfilm/SyntheticFilm.h"
#include "thinfilm/ThinFilmData.h"
#include "thinfilm/envelope/Envelope.h"
#include "thinfilm/extrema/ExtremumFinder.h"
#include "thinfilm/orders/FilmOrders.h"

namespace {

using namespace optc;

struct Tally {
    int results = 0, off = 0, offSilent = 0, none = 0;
    double worst = 0;
    void Add(const std::optional<double>& nm, bool warned, double truth) {
        if (!nm) {
            ++none;
            return;
        }
        ++results;
        const double e = std::fabs(*nm / truth - 1);
        worst = std::max(worst, e);
        if (e > 0.005) {
            ++off;
            if (!warned) ++offSilent;
        }
    }
    void Print(const char* name, int draws) const {
        std::printf("%-28s %4d results of %d, %3d more than 0.5 %% off, %3d of them without a warning; "
                    "%d without a result; worst %.2f %%\n",
                    name, results, draws, off, offSilent, none, 100 * worst);
    }
};

}  // namespace

int main(int argc, char** argv) {
    const int draws = argc > 1 ? std::atoi(argv[1]) : 300;
    const double spread = argc > 2 ? std::atof(argv[2]) : 0.0;
    const double shortest = argc > 3 ? std::atof(argv[3]) : 550.0;
    synthetic::Film film;
    film.a = 1.66, film.b = 1.5e4, film.thicknessNm = 18000, film.substrate = 1.56, film.edgeEnergy = 4.5,
    film.edgeWidth = 0.2;
    film.spreadNm = spread * film.thicknessNm;
    const double nS = 1.56;
    const int points = static_cast<int>(std::lround((1100 - shortest) / 1.25)) + 1;
    const synthetic::Points clean = synthetic::Spectrum(film, shortest, 1100, points, false);
    auto data = ThinFilmData::Create();
    Tally before, after, afterOwn;
    for (int draw = 1; draw <= draws; ++draw) {
        const synthetic::Points noisy = synthetic::WithNoise(clean, 0.1, static_cast<std::uint64_t>(draw));
        std::vector<double> lambda, trans;
        for (const auto& [x, y] : noisy) lambda.push_back(x), trans.push_back(y);
        const ExtremaSearch search = FindFringeExtrema(lambda, trans);
        if (search.verdict != ExtremaVerdict::Found || search.extrema.size() < 4) {
            before.Add(std::nullopt, false, 0), after.Add(std::nullopt, false, 0), afterOwn.Add(std::nullopt, false, 0);
            continue;
        }
        // Calculate's envelopes and indices at the extrema, longest wavelength first.
        ThinFilmData& d = *data;
        d.ExtCount = static_cast<int>(search.extrema.size());
        for (int i = 1; i <= d.ExtCount; ++i) {
            d.ExtLambda[i] = search.extrema[static_cast<std::size_t>(i - 1)].lambda;
            d.ExtTrans[i] = search.extrema[static_cast<std::size_t>(i - 1)].trans;
        }
        const ExtremaSplit split = SplitExtrema(d);
        bool calculated = false;
        try {
            calculated = BuildEnvelopes(d, split, 4);
            if (calculated) RefractionAtExtrema(d, nS, 1.0);
        } catch (const std::exception&) {
            calculated = false;
        }
        std::vector<FringeExtremum> extrema;
        std::vector<EnvelopePair> envelopes;
        const bool firstMax = FirstIsMaximum(d);
        for (int i = 1; i <= d.ExtCount; ++i) {
            const bool maximum = ((i % 2) == 1) == firstMax;
            extrema.push_back({d.ExtLambda[i], maximum ? ExtremumKind::Maximum : ExtremumKind::Minimum, d.ExtTrans[i],
                               calculated ? d.RefractionExp[i] : 0.0});
            envelopes.push_back({d.EnvMaxTrans[i], d.EnvMinTrans[i]});
        }
        if (calculated) {
            const FringeOrdersOutcome old = FindFringeOrders(extrema, 3);
            before.Add(old.result ? std::optional<double>(old.result->thicknessNm) : std::nullopt,
                       old.result && old.result->orderAmbiguous, film.thicknessNm);
            FilmFringes given{extrema, envelopes, true, nS, 1.0, 3, std::nullopt};
            const FringeOrdersOutcome now = FindFilmFringeOrders(given);
            after.Add(now.result ? std::optional<double>(now.result->thicknessNm) : std::nullopt,
                      now.result && !now.result->warnings.empty(), film.thicknessNm);
        } else {
            before.Add(std::nullopt, false, 0), after.Add(std::nullopt, false, 0);
        }
        FilmFringes own{extrema, {}, false, nS, 1.0, 3, std::nullopt};
        const FringeOrdersOutcome mine = FindFilmFringeOrders(own);
        afterOwn.Add(mine.result ? std::optional<double>(mine.result->thicknessNm) : std::nullopt,
                     mine.result && !mine.result->warnings.empty(), film.thicknessNm);
    }
    std::printf("18 um film, dd = %g %% of d, %g to 1100 nm, %d noise draws of 0.1 %%T, extrema by Find Extrema\n",
                100 * spread, shortest, draws);
    before.Print("before (Calculate's n1)", draws);
    after.Print("now (Calculate's n1)", draws);
    afterOwn.Print("now (own envelopes)", draws);
    return 0;
}
