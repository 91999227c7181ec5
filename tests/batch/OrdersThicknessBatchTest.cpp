// A thick film on which Calculate's two-extremum thickness fails: the batch run still
// gives the fringe orders, and with --use-orders-thickness does what the user does
// next, "Use This Thickness" and Calculate, so that alpha and the gap come out.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "../thinfilm/SyntheticFilm.h"
#include "app/batch/BatchRun.h"
#include "numerics/FloatText.h"
#include "support/TempFolder.h"
#include "thinfilm/window/ThinFilmMessages.h"

namespace optc {
namespace {

class OrdersThicknessBatch : public ::testing::Test {
protected:
    OrdersThicknessBatch() {
        SetDecimalSeparator('.');
        // 17 um, n about 1.7 on 1.56, its edge near 400 nm; clear of 0 %T from 470 nm on.
        film.a = 1.66, film.b = 1.5e4, film.thicknessNm = 17000, film.substrate = 1.56, film.edgeEnergy = 3.1,
        film.edgeWidth = 0.12;
        std::ostringstream spectrum, fringes;
        spectrum.precision(17);
        fringes.precision(17);
        for (const auto& [x, y] : synthetic::Spectrum(film, 470, 1200, 731, false)) spectrum << x << ' ' << y << "\n";
        const auto exact = synthetic::ExactExtrema(film, 650, 1199);
        fringes << "lambda T\n";
        for (std::size_t i = 0; i < exact.size(); ++i) {
            // One mark off, the third: its index comes out low, and Calculate's two-extremum
            // thickness, which takes it, negative.
            const double off = i == 2 ? (exact[i].maximum ? -kMarkOff : kMarkOff) : 0.0;
            fringes << exact[i].lambda << ' ' << exact[i].trans + off << "\n";
        }
        spectrumFile = temp.Write("film.txt", spectrum.str());
        fringesFile = temp.Write("fringes.txt", fringes.str());
    }
    int Run(std::vector<std::string> extra) {
        std::vector<std::string> args = {"thinfilm", "--spectrum", spectrumFile, "--fringes", fringesFile, "--ns", "1.56",
                                         "--direct", "--eg", "2.45", "2.62", "--save", temp.File("film")};
        args.insert(args.end(), extra.begin(), extra.end());
        out.str("");
        err.str("");
        return RunBatch(args, out, err);
    }
    // The number after "key": in the summary, from the position `from` on.
    double Number(const std::string& key, std::size_t from = 0) const {
        const std::string s = out.str();
        const std::size_t at = s.find("\"" + key + "\": ", from);
        EXPECT_NE(at, std::string::npos) << key << " in " << s;
        return at == std::string::npos ? std::nan("") : std::stod(s.substr(at + key.size() + 4));
    }

    static constexpr double kMarkOff = 2.0;  // %T
    synthetic::Film film;
    testing::TempFolder temp{"orders_thickness_batch"};
    std::string spectrumFile, fringesFile;
    std::ostringstream out, err;
};

TEST_F(OrdersThicknessBatch, CalculateStopsAtItsThicknessButTheOrdersAndThenAlphaAndEgComeOut) {
    const std::string stop = ThinFilmMessageText(ThinFilmMessage::NoPositiveThickness);
    EXPECT_EQ(Run({}), kBatchStopped);
    const std::string stopped = out.str();
    EXPECT_EQ(stopped.rfind("{\"message\": \"" + stop + "\", ", 0), 0u) << stopped;
    EXPECT_NE(stopped.find("\"results\": {\"thicknessNm\": null"), std::string::npos) << stopped;
    // The orders from the spectrum, the extrema and nS, within 0.5 % of the truth, and
    // the note beside the thickness in the notes.
    const std::size_t orders = stopped.find("\"fringeOrders\": {\"thicknessNm\": ");
    ASSERT_NE(orders, std::string::npos) << stopped;
    const double ordersNm = Number("thicknessNm", orders);
    EXPECT_NEAR(ordersNm / film.thicknessNm, 1.0, 0.005);
    EXPECT_NE(stopped.find("\"Fringe orders: "), std::string::npos) << stopped;
    EXPECT_FALSE(std::filesystem::exists(temp.File("filmAbs.txt")));

    // Use This Thickness, then Calculate, the Tauc plot and the gap.
    ASSERT_EQ(Run({"--use-orders-thickness"}), kBatchDone) << out.str() << err.str();
    const std::string used = out.str();
    EXPECT_EQ(used.rfind("{\"message\": null, \"notes\": [\"" + stop + "\"", 0), 0u) << used;
    const std::size_t results = used.find("\"results\": ");
    ASSERT_NE(results, std::string::npos);
    // The thickness typed in cm to nine decimals: within 0.01 nm of the orders'.
    EXPECT_NEAR(Number("thicknessNm", results), ordersNm, 0.006);
    const double eg = Number("egEv", results);
    EXPECT_GT(eg, 2.0);
    EXPECT_LT(eg, 2.7);
    EXPECT_TRUE(std::filesystem::exists(temp.File("filmAbs.txt")));
    EXPECT_EQ(err.str(), "");
}

}  // namespace
}  // namespace optc
