// The report of the Thin Films window on paper: the PDF read back with pdftotext holds
// the spectrum's file name, every edit as typed and the thickness, and has one or two
// A4 pages with the charts.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "bulk/BulkData.h"
#include "bulk/BulkReport.h"
#include "bulk/Main_3.h"
#include "numerics/FloatText.h"
#include "support/CommandOutput.h"
#include "support/SourceTree.h"
#include "support/TempFolder.h"
#include "thinfilm/ThinFilmData.h"
#include "thinfilm/window/Main_1.h"
#include "thinfilm/window/ThinFilmReport.h"
#include "ui/ScriptedPlatform.h"
#include "ui/qt/ReportPdf.h"

namespace optc {
namespace {

using testing::CommandOutput;
using testing::PdfText;

TEST(ReportPdfTest, TheReportReadsBackWithTheFileTheTypedValuesAndTheThickness) {
    SetDecimalSeparator('.');
    ScriptedPlatform platform;
    auto data = ThinFilmData::Create();
    TForm1 form(platform, *data, [] { return UnitChoices{}; });
    const auto click = [&form](auto& control) { form.Dispatch([&control] { control.Click(); }); };
    const auto type = [&form](Edit& edit, const std::string& text) {
        form.Dispatch([&] { edit.SetFocused(true); });
        form.Dispatch([&] { edit.SetText(text); });
        form.Dispatch([&] { edit.SetFocused(false); });
    };
    const testing::TempFolder temp("report_pdf");
    const std::string pdf = temp.File("film.pdf");
    // Before any spectrum: a report of nothing calculated still writes.
    qt::WriteReportPdf(ThinFilmReport(form), pdf);
    EXPECT_NE(PdfText(pdf, false).find("not calculated"), std::string::npos);

    platform.openAnswers.push_back((testing::kExamples / "thinfilm-transmission.txt").string());
    click(form.import1);
    platform.openAnswers.push_back((testing::kExamples / "thinfilm-fringes.txt").string());
    click(form.Import2);
    type(form.Const2, "1.52");
    click(form.Calculate);
    click(form.Direct);
    click(form.RadioButton3);
    type(form.Estart, "2.45");
    type(form.Eend, "2.7");
    click(form.CalculatEg);
    click(form.FringeOrders);  // the dialog opens and is closed
    ASSERT_TRUE(form.Outcome().thicknessCm && form.Outcome().egEv && form.Outcome().fringeOrders &&
                form.Outcome().fringeOrders->result);

    const Report report = ThinFilmReport(form);
    EXPECT_EQ(report.charts.size(), 4u);
    // The example film is uniform: a spread its envelopes show and the orders did not
    // take is not given as the film's.
    const FringeOrdersResult& orders = *form.Outcome().fringeOrders->result;
    std::string spread;
    for (const ReportSection& section : report.sections)
        for (const ReportLine& line : section.lines)
            if (line.label == "Thickness spread \u0394d") spread = line.value;
    ASSERT_TRUE(orders.nonUniformityNm.has_value());
    EXPECT_FALSE(orders.spreadCorrected);
    EXPECT_EQ(spread.rfind("not resolved (the envelopes give " + FloatToStr(*orders.nonUniformityNm) + " nm", 0), 0u)
        << spread;
    qt::WriteReportPdf(report, pdf);
    const std::string text = PdfText(pdf);
    EXPECT_NE(text.find("thinfilm-transmission.txt"), std::string::npos) << text;
    EXPECT_NE(text.find("nS: 1.52"), std::string::npos) << text;
    EXPECT_NE(text.find(FloatToStr(*form.Outcome().thicknessCm * 1e7) + " nm"), std::string::npos) << text;
    EXPECT_NE(text.find(FloatToStr(*form.Outcome().egEv) + " eV"), std::string::npos) << text;
    EXPECT_NE(text.find(FloatToStr(form.Outcome().fringeOrders->result->thicknessNm) + " nm"), std::string::npos);
    const std::string info = CommandOutput("pdfinfo '" + pdf + "'");
    EXPECT_TRUE(info.find("Pages:           1\n") != std::string::npos ||
                info.find("Pages:           2\n") != std::string::npos)
        << info;
    EXPECT_NE(info.find("pts (A4)"), std::string::npos) << info;

    // Save Report...: the save dialog's name gets its ending and the report is written.
    platform.saveAnswers.push_back(temp.File("spot"));
    platform.reportWriter = [](const Report& r, const std::string& path) { qt::WriteReportPdf(r, path); };
    click(form.SaveReport);
    EXPECT_EQ(platform.dialogFilters.back(), "PDF files (*.pdf)");
    EXPECT_NE(PdfText(temp.File("spot.pdf"), false).find("thinfilm-fringes.txt"), std::string::npos);
}

// The Bulk window's report: the button waits for a spectrum; the PDF holds both file
// names, the typed thickness, Eg with its spread and R², and the four graphs.
TEST(ReportPdfTest, TheBulkReportReadsBackWithBothFilesTheThicknessAndTheGap) {
    SetDecimalSeparator('.');
    ScriptedPlatform platform;
    auto data = BulkData::Create();
    TForm3 form(platform, *data, [] { return UnitChoices{}; });
    const auto click = [&form](auto& control) { form.Dispatch([&control] { control.Click(); }); };
    const auto type = [&form](Edit& edit, const std::string& text) {
        form.Dispatch([&] { edit.SetFocused(true); });
        form.Dispatch([&] { edit.SetText(text); });
        form.Dispatch([&] { edit.SetFocused(false); });
    };
    const testing::TempFolder temp("bulk_report_pdf");
    EXPECT_FALSE(form.SaveReport.Enabled());
    platform.openAnswers.push_back(std::nullopt);
    click(form.import1);  // a cancelled import leaves nothing to report
    EXPECT_FALSE(form.SaveReport.Enabled());
    platform.openAnswers.push_back((testing::kExamples / "bulk-transmission.txt").string());
    click(form.import1);
    EXPECT_TRUE(form.SaveReport.Enabled());
    // A spectrum only: its graph, nothing calculated.
    EXPECT_EQ(BulkReport(form).charts.size(), 1u);

    platform.openAnswers.push_back((testing::kExamples / "bulk-reflection.txt").string());
    click(form.Button2);
    type(form.Thickness, "0.1");
    click(form.Calculate);
    click(form.RadioButton3);
    type(form.Estart, "3.55");
    type(form.Eend, "3.8");
    click(form.CalculatEg);
    ASSERT_TRUE(platform.log.empty()) << platform.log.front();
    ASSERT_TRUE(form.Outcome().egEv && form.Outcome().egSdEv && form.Outcome().egR2);

    const Report report = BulkReport(form);
    ASSERT_EQ(report.charts.size(), 4u);
    // The Tauc line meets the energy axis at Eg.
    ASSERT_EQ(report.charts[3].curves.size(), 2u);
    EXPECT_DOUBLE_EQ(report.charts[3].curves[1].points.front().first, *form.Outcome().egEv);
    EXPECT_TRUE(report.warnings.empty());

    platform.saveAnswers.push_back(temp.File("plate"));
    platform.reportWriter = [](const Report& r, const std::string& path) { qt::WriteReportPdf(r, path); };
    click(form.SaveReport);
    EXPECT_EQ(platform.dialogFilters.back(), "PDF files (*.pdf)");
    const std::string pdf = temp.File("plate.pdf");
    const std::string text = PdfText(pdf);
    EXPECT_NE(text.find("bulk-transmission.txt"), std::string::npos) << text;
    EXPECT_NE(text.find("bulk-reflection.txt"), std::string::npos) << text;
    EXPECT_NE(text.find("Sample Thickness, cm: 0.1"), std::string::npos) << text;
    EXPECT_NE(text.find(FloatToStr(*form.Outcome().egEv) + " eV \u00B1 " + FloatToStr(*form.Outcome().egSdEv) + " eV"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find(FloatToStr(*form.Outcome().egR2)), std::string::npos) << text;
    EXPECT_NE(CommandOutput("pdfinfo '" + pdf + "'").find("pts (A4)"), std::string::npos);
}

}  // namespace
}  // namespace optc
