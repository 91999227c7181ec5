// Fringe Orders in the Thin Films window, driven through the window's logic: when the
// button is available, what the dialog shows and writes, that Calculate's results
// stay as they were, and "Use This Thickness".
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "support/DiskFull.h"
#include "support/SourceTree.h"
#include "thinfilm/orders/FringeOrdersText.h"
#include "thinfilm/window/Main_4.h"
#include "thinfilm/ThinFilmFixture.h"
#include "thinfilm/envelope/ThinFilmResults.h"

namespace optc::testing {
namespace {

class FringeOrdersWindowTest : public ThinFilmWindowTest {
protected:
    FringeOrdersWindowTest() { form.SetMinimaForm(minima); }

    void ImportExample(const char* fringes = "thinfilm-fringes.txt") {
        platform.openAnswers.push_back((kExamples / "thinfilm-transmission.txt").string());
        User([&] { form.import1.Click(); });
        platform.openAnswers.push_back((kExamples / fringes).string());
        User([&] { form.Import2.Click(); });
        Type(form.Const2, "1.52");
    }
    // Opens the dialog; `inside` is what the user does there before Close.
    void OpenOrders(const std::function<void()>& inside) {
        platform.modalScripts.push_back([this, inside](Form& shown) {
            ASSERT_EQ(&shown, &form.Orders);
            inside();
            form.Orders.Dispatch([&] { form.Orders.CloseButton.Click(); });
        });
        User([&] { form.FringeOrders.Click(); });
        EXPECT_TRUE(platform.modalScripts.empty());
    }
    void InOrders(const std::function<void()>& event) { form.Orders.Dispatch(event); }
    std::string Saved(const std::string& base) {
        platform.saveAnswers.push_back((dir / base).string());
        User([&] { form.Button1.Click(); });
        std::string all;
        for (const char* suffix : {"Ref.txt", "Abs.txt", "tauc.txt", "FreeTrans.txt"})
            all += ReadFile((dir / base).string() + suffix);
        return all;
    }

    TForm4 minima{platform, d};
};

TEST_F(FringeOrdersWindowTest, ButtonFollowsASpectrumWithExtremaAndCalculateResultsGoWithWhateverClearsThem) {
    EXPECT_FALSE(form.FringeOrders.Enabled());
    struct Step {
        const char* what;
        std::function<void()> act;
        bool available;  // a spectrum, three extrema within it and nS are still there
    };
    for (const Step& s : std::vector<Step>{
             {"Import Spectrum", [&] { platform.openAnswers.push_back((kExamples / "thinfilm-transmission.txt").string());
                                       User([&] { form.import1.Click(); }); }, false},
             {"Import Spectrum and Fringes", [&] { ImportExample(); platform.openAnswers.push_back(std::nullopt);
                                                   User([&] { form.import1.Click(); }); }, true},
             {"Import Fringes", [&] { platform.openAnswers.push_back((kExamples / "thinfilm-fringes.txt").string());
                                      User([&] { form.Import2.Click(); }); }, true},
             {"Determine Fringes", [&] {
                  platform.modalScripts.push_back([&](Form&) { minima.Dispatch([&] { minima.BitBtn1.Click(); }); });
                  User([&] { form.Button2.Click(); });
              }, false},
             {"a Calculate that stops", [&] { Type(form.Order, "11"); Calculate(); Type(form.Order, "2"); }, true},
         }) {
        ImportExample();
        Calculate();
        ASSERT_TRUE(platform.log.empty()) << platform.log.front();
        EXPECT_TRUE(form.FringeOrders.Enabled()) << s.what;
        s.act();
        EXPECT_FALSE(form.Outcome().thicknessCm) << s.what;
        EXPECT_EQ(form.FringeOrders.Enabled(), s.available) << s.what;
        platform.log.clear();
    }
    // Without a complete Calculate the button also goes with nS.
    ImportExample();
    Type(form.Const2, "0");
    EXPECT_FALSE(form.FringeOrders.Enabled());
    Type(form.Const2, "1.52");
    EXPECT_TRUE(form.FringeOrders.Enabled());
    // A cancelled import changes nothing, so the orders stay available.
    Calculate();
    platform.openAnswers.push_back(std::nullopt);
    User([&] { form.Import2.Click(); });
    EXPECT_TRUE(form.FringeOrders.Enabled());
    EXPECT_TRUE(form.Outcome().thicknessCm);
}

// The note beside the thickness: the orders' thickness where Calculate's lies more
// than three of its spreads away; with the orders' own thickness typed in, none, unless
// n is reported at a wavelength beyond the extrema.
TEST_F(FringeOrdersWindowTest, NoteBesideTheThicknessFollowsEachCalculate) {
    ImportExample();
    Calculate();
    EXPECT_EQ(form.OrdersNote.Text(), "Fringe orders: 1998.1 \u00B1 3.0 nm (see Fringe Orders...)");
    User([&] { form.FixThickness.Click(); });
    Type(form.thickness, "0.000199814");
    Calculate();
    EXPECT_EQ(form.OrdersNote.Text(), "");
    Type(form.Wstart, "500");
    Type(form.natx, "520");
    Calculate();
    ASSERT_TRUE(platform.log.empty()) << platform.log.front();
    EXPECT_EQ(form.OrdersNote.Text(), "n at the chosen wavelength is extrapolated beyond the extrema (see Fringe Orders...)");
    // Whatever clears Calculate's results clears the note.
    platform.openAnswers.push_back((kExamples / "thinfilm-fringes.txt").string());
    User([&] { form.Import2.Click(); });
    EXPECT_EQ(form.OrdersNote.Text(), "");
}

TEST_F(FringeOrdersWindowTest, DialogShowsCopiesAndSavesTheOrdersAndCalculateStaysAsItWas) {
    ImportExample();
    Calculate();
    const std::string before = Saved("before");
    const std::string thickness = form.thickness.Text(), n633 = form.n633show.Text();

    OpenOrders([&] {
        const FringeOrdersOutcome& o = form.Orders.Outcome();
        ASSERT_TRUE(o.result);
        EXPECT_EQ(form.Orders.ResultLine.Text(), OrdersResultLine(o));
        EXPECT_EQ(form.Orders.Table.Rows().size(), 18u);
        // The rows left out of a mean are marked.
        for (std::size_t i = 0; i < 18; ++i) {
            const FringeOrderRow& row = o.result->rows[i];
            EXPECT_EQ(form.Orders.Table.Rows()[i].leftOut, !row.used || (row.pairThickness && !row.pairUsed)) << i;
        }
        // n1 and n2 at every extremum, Calculate's curve on its grid and the n2 curve.
        EXPECT_EQ(form.Orders.Series1.Count(), 18);
        EXPECT_EQ(form.Orders.Series2.Count(), 18);
        EXPECT_EQ(form.Orders.Series3.Count(), d.DispCount - 1);
        EXPECT_EQ(form.Orders.Series3.YValue(0), d.DispRefraction[1]);
        EXPECT_GT(form.Orders.Series4.Count(), 100);
        EXPECT_TRUE(form.Orders.Copy.Enabled() && form.Orders.SaveTable.Enabled() && form.Orders.UseThickness.Enabled());

        InOrders([&] { form.Orders.Copy.Click(); });
        platform.saveAnswers.push_back((dir / "orders.txt").string());
        InOrders([&] { form.Orders.SaveTable.Click(); });
        // The same lines: heading first, tab-separated, every digit.
        std::string copied, saved;
        for (const std::string& line : OrdersTableLines(*o.result)) {
            copied += line + "\n";
            saved += line + "\r\n";
        }
        EXPECT_EQ(platform.clipboard, copied);
        EXPECT_EQ(ReadFile((dir / "orders.txt").string()), saved);
        EXPECT_EQ(platform.clipboard.substr(0, platform.clipboard.find('\n')),
                  "Lambda (nm)\tType\tT (%)\tn1\td1 (nm)\tm\td2 (nm)\tn2\tLeft out");
    });
    EXPECT_TRUE(platform.log.empty()) << platform.log.front();
    EXPECT_EQ(form.thickness.Text(), thickness);
    EXPECT_EQ(form.n633show.Text(), n633);
    EXPECT_FALSE(form.FixThickness.Checked());
    EXPECT_EQ(Saved("after"), before);
}

TEST_F(FringeOrdersWindowTest, UseThisThicknessFillsTheEntryAndTheNextCalculateTakesIt) {
    ImportExample();
    Calculate();
    User([&] { form.Direct.Click(); });
    User([&] { form.RadioButton3.Click(); });
    User([&] { form.CalculatEg.Click(); });
    const double calculated = d.FilmThickness;
    double refinedNm = 0;
    OpenOrders([&] {
        refinedNm = form.Orders.Outcome().result->thicknessNm;
        InOrders([&] { form.Orders.UseThickness.Click(); });
    });
    // Nothing recalculated: only the box is checked and the entry filled, which also
    // empties the gap as that box always does.
    EXPECT_TRUE(form.FixThickness.Checked());
    EXPECT_TRUE(form.thickness.Enabled());
    EXPECT_EQ(form.thickness.Text(), ThicknessCmText(refinedNm));
    EXPECT_EQ(form.EgOutput.Text(), "");
    EXPECT_EQ(d.FilmThickness, calculated);

    Calculate();
    EXPECT_TRUE(platform.log.empty()) << platform.log.front();
    EXPECT_NEAR(d.FilmThickness * 1e7, refinedNm, 1e-2);
    EXPECT_TRUE(form.FringeOrders.Enabled());
}

TEST_F(FringeOrdersWindowTest, OrdersThatCannotBeFoundShowTheReasonAndNothingToUse) {
    // Envelope indices falling faster than the wavelength toward the short end: every
    // first-pass pair comes out negative. Calculate would refuse such extrema's
    // thickness, so it completes with a thickness typed in.
    const Points fringes = {{1000, 92.3}, {990, 60}, {980, 92.3}, {970, 70}, {960, 92.3}, {950, 80}};
    ImportExample();
    ImportFringes(fringes);
    Type(form.Const2, "1.5");
    Type(form.natx, "970");
    User([&] { form.FixThickness.Click(); });
    Type(form.thickness, "0.0001");
    Calculate();
    ASSERT_TRUE(platform.log.empty()) << platform.log.front();
    OpenOrders([&] {
        EXPECT_EQ(form.Orders.ResultLine.Text(), kOrdersNoConsistentThickness);
        EXPECT_TRUE(form.Orders.Table.Rows().empty());
        EXPECT_FALSE(form.Orders.Copy.Enabled() || form.Orders.SaveTable.Enabled() ||
                     form.Orders.UseThickness.Enabled());
        EXPECT_EQ(form.Orders.Series1.Count(), 6);  // n1 still shown
        EXPECT_EQ(form.Orders.Series2.Count(), 0);
    });
}

// A table that cannot be written is reported, leaves an older table as it was and
// no partial file, and its folder is remembered only after a save that succeeded.
TEST_F(FringeOrdersWindowTest, TableThatCannotBeWrittenIsReportedAndAnOlderTableStaysAsItWas) {
    ImportExample();
    Calculate();
    std::filesystem::create_directories(dir / "orders.txt");
    const std::string older = WriteFile("older.txt", "an older table\r\n");
    const std::size_t remembered = platform.rememberedFiles.size();
    OpenOrders([&] {
        platform.saveAnswers.push_back((dir / "orders.txt").string());
        InOrders([&] { form.Orders.SaveTable.Click(); });
        {
            DiskFullAtFile full(1);
            platform.saveAnswers.push_back(older);
            InOrders([&] { form.Orders.SaveTable.Click(); });
        }
        EXPECT_EQ(platform.errors, (std::vector<std::string>{"File access denied", "Disk full"}));
        EXPECT_EQ(ReadFile(older), "an older table\r\n");
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), std::filesystem::directory_iterator()),
                  2);  // the folder and the older table
        EXPECT_EQ(platform.rememberedFiles.size(), remembered);

        platform.saveAnswers.push_back(older);
        InOrders([&] { form.Orders.SaveTable.Click(); });
        EXPECT_EQ(ReadFile(older).substr(0, 11), "Lambda (nm)");
        EXPECT_EQ(platform.rememberedFiles.back(), older);
    });
}

}  // namespace
}  // namespace optc::testing
