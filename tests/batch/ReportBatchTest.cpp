// --report: the built program writes the report of Save Report... for each spectrum,
// whose text read back (pdftotext) names the spectrum file and holds the thickness the
// JSON summary gives; a report that cannot be written is said, naming the file, and a
// file that is not a report is never replaced.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <nlohmann/json.hpp>

#include "app/batch/BatchRun.h"
#include "batch/SyntheticSpectra.h"
#include "numerics/Errors.h"
#include "numerics/FloatText.h"
#include "support/CommandOutput.h"
#include "support/SourceTree.h"
#include "support/TempFolder.h"

namespace optc {
namespace {

namespace fs = std::filesystem;
using Args = std::vector<std::string>;

std::string Example(const char* name) { return (testing::kExamples / name).string(); }

using testing::PdfText;

// The number after "label: " in the report's text, or NaN.
double NumberAfter(const std::string& text, const std::string& label) {
    const std::size_t at = text.find(label + ": ");
    if (at == std::string::npos) return std::nan("");
    return std::strtod(text.c_str() + at + label.size() + 2, nullptr);
}

#ifdef OPTC_BATCH_PROGRAM
struct Ran {
    int status;
    std::string out, err;
};

Ran Program(const Args& args, const testing::TempFolder& temp) {
    std::string command = OPTC_BATCH_PROGRAM;
    for (const std::string& a : args) command += " '" + a + "'";
    const std::string errFile = temp.File("stderr.txt");
    std::string out;
    FILE* pipe = ::popen((command + " 2>'" + errFile + "'").c_str(), "r");
    if (!pipe) return {-1, "", ""};
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
    const int status = ::pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out, testing::ReadFile(errFile)};
}

TEST(ReportBatch, EachSpectrumsReportNamesItsFileAndHoldsItsThickness) {
    SetDecimalSeparator('.');
    const testing::TempFolder temp("report_batch");

    // The walk-through examples, one run each.
    struct Example1 {
        Args args;
        const char* file;
        const char* thicknessLabel;  // the report's line of the thickness
        const char* jsonKey;         // the summary's, in nm or cm
    };
    const Example1 examples[] = {
        {{"thinfilm", "--spectrum", Example("thinfilm-transmission.txt"), "--fringes",
          Example("thinfilm-fringes.txt"), "--ns", "1.52", "--wstart", "740", "--wend", "900", "--natx", "800"},
         "thinfilm-transmission.txt", "Thickness", "thicknessNm"},
        {{"bulk", "--spectrum", Example("bulk-transmission.txt"), "--reflection", Example("bulk-reflection.txt"),
          "--reflection-spectrum", "--thickness", "0.1", "--eg", "3.55", "3.8"},
         "bulk-transmission.txt", "Sample thickness used", "thicknessCm"},
    };
    for (const Example1& e : examples) {
        SCOPED_TRACE(e.file);
        const std::string pdf = temp.File(std::string(e.file) + ".pdf");
        Args args = e.args;
        for (const char* more : {"--save", "", "--report", ""}) args.push_back(more);
        args[args.size() - 3] = temp.File("results");
        args.back() = pdf;
        const Ran ran = Program(args, temp);
        ASSERT_EQ(ran.status, kBatchDone) << ran.err;
        EXPECT_EQ(ran.err, "");
        const std::string text = PdfText(pdf);
        EXPECT_NE(text.find(e.file), std::string::npos) << text;
        const nlohmann::json summary = nlohmann::json::parse(ran.out);
        ASSERT_TRUE(summary["results"][e.jsonKey].is_number()) << ran.out;
        const double expected = summary["results"][e.jsonKey].get<double>() ;
        EXPECT_NEAR(NumberAfter(text, e.thicknessLabel), expected, 1e-9 * expected) << text;
    }

    // A day of spectra: each spot's report in --save-dir, named after it, with its own
    // film; the bare substrate stops, and no report is written for it.
    const fs::path in = temp.Path() / "in", out = temp.Path() / "out";
    fs::create_directory(in);
    fs::create_directory(out);
    const std::vector<synthetic::SpotFile> spots = synthetic::WriteSpotSpectra(in, 3);
    std::string flat;
    for (int w = 400; w <= 1000; ++w) flat += std::to_string(w) + " 91.83\n";
    temp.Write("in/bare.txt", flat);
    const Ran day = Program({"thinfilm", "--folder", in.string(), "--save-dir", out.string(), "--report", ".pdf",
                             "--find-extrema", "--ns", "1.52", "--jobs", "2"},
                            temp);
    EXPECT_EQ(day.status, kBatchStopped);
    EXPECT_FALSE(fs::exists(out / "bare.pdf"));
    std::istringstream lines(day.out);
    std::string line;
    std::getline(lines, line);  // the bare substrate's
    for (const synthetic::SpotFile& spot : spots) {
        SCOPED_TRACE(spot.path);
        ASSERT_TRUE(std::getline(lines, line));
        const nlohmann::json summary = nlohmann::json::parse(line);
        const std::string name = fs::path(spot.path).filename().string();
        const std::string text = PdfText((out / fs::path(spot.path).stem()).string() + ".pdf");
        EXPECT_NE(text.find(name), std::string::npos) << text;
        const double thickness = summary["results"]["thicknessNm"].get<double>();
        EXPECT_NEAR(NumberAfter(text, "Thickness"), thickness, 1e-9 * thickness);
        // The fringe orders' thickness, which finds each film within 0.6 %.
        const double orders = summary["fringeOrders"]["thicknessNm"].get<double>();
        EXPECT_NEAR(NumberAfter(text, "Thickness from the fringe orders"), orders, 1e-9 * orders) << text;
        EXPECT_NEAR(orders, spot.thicknessNm, 0.006 * spot.thicknessNm);
    }
}

TEST(ReportBatch, AReportThatCannotBeWrittenIsSaidAndWhatIsNotAReportIsKept) {
    const testing::TempFolder temp("report_batch_faults");
    const Args run = {"bulk", "--spectrum", Example("bulk-transmission.txt"), "--constant-r", "18", "--save",
                      temp.File("bulk")};
    const std::string notes = temp.Write("notes.txt", "my notes\n");
    const std::string earlier = temp.Write("earlier.pdf", "%PDF-1.4 an earlier report\n");
    struct Case {
        std::string report;
        int status;
        std::string err;  // a part of standard error
        bool written;
    };
    const Case cases[] = {
        {temp.File("no/such/folder/r.pdf"), kBatchStopped, "--report " + temp.File("no/such/folder/r.pdf") + ": ",
         false},
        {notes, kBatchWrongUsage, "--report " + notes + ": the file exists and is not a PDF, so it is not replaced",
         false},
        {Example("bulk-transmission.txt"), kBatchWrongUsage, "would overwrite the --spectrum file", false},
        {temp.Path().string(), kBatchWrongUsage, "it is a folder, not a file", false},
        {"/dev/null", kBatchWrongUsage, "--report /dev/null: it is a pipe or a device, not a file", false},
        {earlier, kBatchDone, "", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.report);
        const std::string before = fs::is_regular_file(c.report) ? testing::ReadFile(c.report) : "";
        Args args = run;
        args.insert(args.end(), {"--report", c.report});
        const Ran ran = Program(args, temp);
        EXPECT_EQ(ran.status, c.status) << ran.err;
        if (c.err.empty()) {
            EXPECT_EQ(ran.err, "");
        } else {
            EXPECT_NE(ran.err.find(c.err), std::string::npos) << ran.err;
        }
        if (c.written) {
            EXPECT_NE(PdfText(c.report).find("bulk-transmission.txt"), std::string::npos);
        } else if (!before.empty()) {
            EXPECT_EQ(testing::ReadFile(c.report), before) << "replaced";
        }
    }
    // Nothing left half-written beside the missing folder's parent.
    for (const fs::directory_entry& entry : fs::directory_iterator(temp.Path()))
        EXPECT_EQ(entry.path().filename().string().find(".part"), std::string::npos) << entry.path();
}
#endif

// A run of many spectra with a renderer that notes each report: all are drawn on the
// thread that started the run, one after another in the order of the spectra, while
// the sessions run on three workers; one that fails is told and stops its row only.
TEST(ReportBatch, ReportsOfManySpectraAreDrawnOnTheRunsThreadInOrder) {
    SetDecimalSeparator('.');
    const testing::TempFolder temp("report_batch_many");
    const fs::path in = temp.Path() / "in", out = temp.Path() / "out";
    fs::create_directory(in);
    fs::create_directory(out);
    const std::vector<synthetic::SpotFile> spots = synthetic::WriteSpotSpectra(in, 5);
    int starts = 0;
    std::vector<std::string> drawn;
    bool otherThread = false;
    const std::thread::id runner = std::this_thread::get_id();
    const std::string failing = (out / "spot03.pdf").string();
    ReportRenderer renderer{[&] { ++starts; },
                            [&](const Report& report, const std::string& path) {
                                otherThread = otherThread || std::this_thread::get_id() != runner;
                                drawn.push_back(report.sections.at(0).lines.at(0).value);
                                if (path.rfind(failing, 0) == 0) throw EInOutError(5, "I/O error 5");
                                std::ofstream(path) << "%PDF-1.4 noted\n";
                            }};
    const std::string table = (out / "day.csv").string();
    std::ostringstream json, err;
    const int status = RunBatch({"thinfilm", "--folder", in.string(), "--save-dir", out.string(), "--report", ".pdf",
                                 "--find-extrema", "--ns", "1.52", "--jobs", "3", "--summary", table},
                                json, err, false, &renderer);
    EXPECT_EQ(status, kBatchStopped);
    EXPECT_EQ(starts, 1);
    EXPECT_FALSE(otherThread);
    ASSERT_EQ(drawn.size(), spots.size());
    const std::string tableText = testing::ReadFile(table);
    for (std::size_t k = 0; k < spots.size(); ++k) {
        SCOPED_TRACE(spots[k].path);
        EXPECT_NE(drawn[k].find(fs::path(spots[k].path).filename().string()), std::string::npos) << drawn[k];
        const std::string pdf = (out / fs::path(spots[k].path).stem()).string() + ".pdf";
        EXPECT_EQ(fs::exists(pdf), pdf != failing);
        const std::string row = spots[k].path + (pdf == failing ? ",stopped,--report " + failing : ",done,");
        EXPECT_NE(tableText.find("\n" + row), std::string::npos) << tableText;
    }
    EXPECT_EQ(err.str(), "optical-constants-batch: " + spots[2].path + ": --report " + failing + ": I/O error 5\n");
}

// The library run without a renderer (a build without Qt) refuses --report.
TEST(ReportBatch, WithoutARendererReportIsRefused) {
    const testing::TempFolder temp("report_batch_none");
    std::ostringstream out, err;
    const int status = RunBatch({"bulk", "--spectrum", Example("bulk-transmission.txt"), "--constant-r", "18",
                                 "--save", temp.File("bulk"), "--report", temp.File("r.pdf")},
                                out, err);
    EXPECT_EQ(status, kBatchWrongUsage);
    EXPECT_NE(err.str().find("--report: this installation writes no reports"), std::string::npos);
    EXPECT_FALSE(fs::exists(temp.File("r.pdf")));
    EXPECT_FALSE(fs::exists(temp.File("bulkAbs.txt")));
}

}  // namespace
}  // namespace optc
