// Runs of many spectra: a day of synthetic spectra with a failing one among them gives
// each spectrum exactly what a run of it alone gives, whatever the number of jobs; the
// table holds a row for each, and what would overwrite a file is refused.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "app/batch/BatchRun.h"
#include "app/batch/Progress.h"
#include "app/batch/InputSpectra.h"
#include "batch/SyntheticSpectra.h"
#include "numerics/FloatText.h"
#include "support/SourceTree.h"
#include "support/TempFolder.h"

namespace optc {
namespace {

namespace fs = std::filesystem;
using Args = std::vector<std::string>;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// The rows of a CSV text, each a list of fields (quoted fields may hold line ends).
std::vector<std::vector<std::string>> CsvRows(const std::string& text) {
    std::vector<std::vector<std::string>> rows(1, std::vector<std::string>(1));
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        std::string& field = rows.back().back();
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            rows.back().emplace_back();
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            rows.emplace_back(1);
            ++i;
        } else {
            field += c;
        }
    }
    rows.pop_back();  // after the last line end
    return rows;
}

struct Ran {
    int status;
    std::string out, err;
};

Ran Batch(const Args& args, bool progress = false) {
    std::ostringstream out, err;
    const int status = RunBatch(args, out, err, progress);
    return {status, out.str(), err.str()};
}

const std::vector<std::string> kThinFilmEndings = {"Ref.txt", "Abs.txt", "tauc.txt", "FreeTrans.txt"};

TEST(ManySpectraBatch, EachSpectrumOfADayGetsWhatItsRunAloneGivesWhateverTheJobs) {
    SetDecimalSeparator('.');
    testing::TempFolder temp("many_spectra");
    const fs::path in = temp.Path() / "in", out = temp.Path() / "out", alone = temp.Path() / "alone";
    for (const fs::path& folder : {in, out, alone}) fs::create_directory(folder);
    const std::vector<synthetic::SpotFile> spots = synthetic::WriteSpotSpectra(in, 50);
    // A bare substrate among them, first in name order: it has no fringes.
    std::string flat;
    for (int w = 400; w <= 1000; ++w) flat += std::to_string(w) + " 91.83\n";
    const std::string bare = temp.Write("in/bare.txt", flat);
    const Args options = {"--find-extrema", "--ns", "1.52"};

    Args many = {"thinfilm", "--folder", in.string(), "--save-dir", out.string(), "--summary",
                 (out / "day.csv").string(), "--jobs", "3"};
    many.insert(many.end(), options.begin(), options.end());
    const Ran day = Batch(many);
    EXPECT_EQ(day.status, kBatchStopped);
    const std::string stop = "No interference fringes were found in the spectrum.";
    EXPECT_EQ(day.err, "optical-constants-batch: " + bare + ": --find-extrema: " + stop + "\n");

    std::vector<std::string> files = {bare};
    for (const synthetic::SpotFile& spot : spots) files.push_back(spot.path);
    const std::vector<std::string> lines = Lines(day.out);
    ASSERT_EQ(lines.size(), files.size());
    for (std::size_t i = 0; i < files.size(); ++i) {
        SCOPED_TRACE(files[i]);
        const std::string name = fs::path(files[i]).stem().string();
        Args one = {"thinfilm", "--spectrum", files[i], "--save", (alone / name).string()};
        one.insert(one.end(), options.begin(), options.end());
        const Ran single = Batch(one);
        EXPECT_EQ(single.status, i == 0 ? kBatchStopped : kBatchDone);
        // The line is the run's own summary with the spectrum's file first.
        EXPECT_EQ(lines[i], "{\"file\": \"" + files[i] + "\", " + single.out.substr(1, single.out.size() - 2));
        for (const std::string& ending : kThinFilmEndings)
            EXPECT_EQ(testing::ReadBytes((out / name).string() + ending),
                      testing::ReadBytes((alone / name).string() + ending))
                << ending;
    }

    // The table: a row for each spectrum in the order given, read from the outcomes.
    const std::string table = testing::ReadFile((out / "day.csv").string());
    const auto rows = CsvRows(table);
    ASSERT_EQ(rows.size(), files.size() + 1);
    const std::vector<std::string>& head = rows[0];
    const auto column = [&head](const std::string& name) {
        return static_cast<std::size_t>(std::find(head.begin(), head.end(), name) - head.begin());
    };
    for (const char* name : {"file", "status", "message", "thicknessNm", "ordersThicknessNm", "ordersSdNm", "n",
                             "egEv", "egSdEv", "warnings"})
        EXPECT_LT(column(name), head.size()) << name;
    EXPECT_EQ(rows[1][column("file")], bare);
    EXPECT_EQ(rows[1][column("status")], "stopped");
    EXPECT_EQ(rows[1][column("message")], "--find-extrema: " + stop);
    EXPECT_EQ(rows[1][column("thicknessNm")], "");
    for (std::size_t k = 0; k < spots.size(); ++k) {
        const std::vector<std::string>& row = rows[k + 2];
        SCOPED_TRACE(spots[k].path);
        ASSERT_EQ(row.size(), head.size());
        EXPECT_EQ(row[column("file")], spots[k].path);
        EXPECT_EQ(row[column("status")], "done");
        const nlohmann::json summary = nlohmann::json::parse(lines[k + 1]);
        EXPECT_EQ(std::stod(row[column("thicknessNm")]), summary["results"]["thicknessNm"].get<double>());
        EXPECT_EQ(std::stod(row[column("ordersThicknessNm")]), summary["fringeOrders"]["thicknessNm"].get<double>());
        EXPECT_EQ(std::stod(row[column("n")]), summary["results"]["n"].get<double>());
        // The spread only where the orders took it: otherwise it is the envelopes' and
        // not the film's.
        const nlohmann::json& spread = summary["fringeOrders"]["nonUniformityNm"];
        if (spread.is_null() || !summary["fringeOrders"]["spreadCorrected"].get<bool>()) {
            EXPECT_EQ(row[column("ordersDeltaDNm")], "");
        } else {
            EXPECT_EQ(std::stod(row[column("ordersDeltaDNm")]), spread.get<double>());
        }
        // Each row is its own film's: the orders find each within 0.6 %, and the spots,
        // 12 nm apart, follow one another.
        const double orders = std::stod(row[column("ordersThicknessNm")]);
        EXPECT_NEAR(orders, spots[k].thicknessNm, 0.006 * spots[k].thicknessNm);
        if (k > 0) { EXPECT_NEAR(orders - std::stod(rows[k + 1][column("ordersThicknessNm")]), 12.0, 6.0); }
    }

    // One job at a time gives the same, byte for byte.
    many[many.size() - options.size() - 1] = "1";
    const std::string first = table;
    const Ran serial = Batch(many);
    EXPECT_EQ(serial.status, kBatchStopped);
    EXPECT_EQ(serial.out, day.out);
    EXPECT_EQ(testing::ReadFile((out / "day.csv").string()), first);
}

TEST(ManySpectraBatch, SpectraAndTheirFilesAreNamedAndWhatWouldOverwriteIsRefused) {
    SetDecimalSeparator('.');
    testing::TempFolder temp("many_spectra_names");
    const std::string d = temp.Path().string();
    const std::string a = temp.Write("a.txt", testing::ReadFile((testing::kExamples / "thinfilm-transmission.txt").string()));
    fs::create_directories(temp.Path() / "sub");
    fs::create_directories(temp.Path() / "out");
    fs::create_directories(temp.Path() / "empty");
    const std::string subA = temp.Write("sub/a.csv", "");
    const std::string aRef = temp.Write("aRef.txt", "");
    const std::string b = temp.Write("b.txt", "");
    const std::string out = d + "/out";
    const Args film = {"thinfilm", "--find-extrema", "--ns", "1.52"};
    struct Case {
        Args more;
        std::string error;
    };
    const Case refused[] = {
        {{"--spectrum", a, "--spectrum", subA, "--save", d + "/x"},
         "a run of several spectra saves their results with --save-dir DIR, not --save BASE"},
        {{"--spectrum", a, "--save", d + "/x", "--save-dir", out}, "--save and --save-dir exclude each other"},
        {{"--spectrum", a, "--spectrum", subA, "--save-dir", out},
         "results file " + out + "/aAbs.txt (the --save file of --spectrum " + subA +
             ") would overwrite the --save file of --spectrum " + a},
        {{"--spectrum", a, "--spectrum", aRef, "--save-dir", d},
         "results file " + aRef + " (the --save file of --spectrum " + a + ") would overwrite the --spectrum " +
             aRef + " file"},
        {{"--spectrum", a, "--spectrum", d + "/./a.txt", "--save-dir", out},
         "--spectrum " + d + "/./a.txt: the same file as the --spectrum " + a + " file"},
        {{"--spectrum", a, "--spectrum", b, "--summary", a, "--save-dir", out},
         "results file " + a + " (the --summary file) would overwrite the --spectrum " + a + " file"},
        {{"--spectrum", a, "--summary", a, "--save-dir", out},
         "results file " + a + " (the --summary file) would overwrite the --spectrum " + a + " file"},
        {{"--spectrum", a, "--spectrum", d + "/none.txt", "--save-dir", out}, "no such file: " + d + "/none.txt"},
        {{"--spectrum", a, "--jobs", "0", "--save-dir", out}, "--jobs takes a whole number from 1 to 9999"},
        {{"--spectrum", a, "--jobs", "two", "--save-dir", out}, "--jobs takes a whole number from 1 to 9999"},
        {{"--folder", d + "/none", "--save-dir", out}, "--folder " + d + "/none: there is no such folder"},
        {{"--folder", a, "--save-dir", out}, "--folder " + a + ": it is not a folder"},
        {{"--folder", d + "/empty", "--save-dir", out},
         "--folder " + d + "/empty holds no spectrum files (.txt, .csv, .jdx, .dx, .jcamp)"},
        {{"--spectrum", a, "--save-dir", d + "/none"}, "--save-dir " + d + "/none: there is no such folder"},
        {{"--spectrum", a, "--orders", "sub/o.txt", "--save-dir", out},
         "with --save-dir, --orders takes the ending of each spectrum's file (such as Orders.txt), not a path"},
        {{"--save-dir", out}, "--spectrum FILE is required"},
    };
    for (const Case& c : refused) {
        SCOPED_TRACE(c.error);
        Args args = film;
        args.insert(args.end(), c.more.begin(), c.more.end());
        const Ran ran = Batch(args);
        EXPECT_EQ(ran.status, kBatchWrongUsage);
        EXPECT_EQ(ran.err.substr(0, ran.err.find('\n')), "optical-constants-batch: " + c.error);
        EXPECT_EQ(ran.out, "");
    }

    // A folder's spectra: the files an import reads, not hidden ones, not the results
    // of another spectrum there, not a file the run names otherwise.
    temp.Write("atauc.txt", "");
    temp.Write("c.JDX", "");
    temp.Write(".c.txt", "");
    temp.Write("notes.pdf", "");
    temp.Write("day.csv", "");
    BatchOptions o;
    o.orders = "Orders.txt";
    temp.Write("aOrders.txt", "");
    EXPECT_EQ(FolderSpectra(d, o, {d + "/day.csv"}), (std::vector<std::string>{a, b, d + "/c.JDX"}));

    // One spectrum with --save-dir: named after it there, the summary as a --save run's;
    // --summary adds its table and changes nothing else.
    const Ran saved = Batch({"thinfilm", "--spectrum", a, "--find-extrema", "--ns", "1.52", "--save", d + "/base"});
    const Ran named = Batch({"thinfilm", "--spectrum", a, "--find-extrema", "--ns", "1.52", "--save-dir", out,
                           "--orders", "Orders.txt", "--summary", out + "/one.csv"});
    EXPECT_EQ(named.status, kBatchDone) << named.err;
    EXPECT_EQ(named.out, saved.out);
    for (const std::string& ending : kThinFilmEndings)
        EXPECT_EQ(testing::ReadBytes(out + "/a" + ending), testing::ReadBytes(d + "/base" + ending)) << ending;
    EXPECT_TRUE(fs::is_regular_file(out + "/aOrders.txt"));
    EXPECT_EQ(CsvRows(testing::ReadFile(out + "/one.csv")).size(), 2u);
}

TEST(ManySpectraBatch, ProgressIsDrawnOnlyWhereAskedAndLeavesNothingBehind) {
    SetDecimalSeparator('.');
    EXPECT_EQ(ProgressLine(17, 72, "/data/day/spot17.txt"), "[####................]  17 of 72  spot17.txt");
    EXPECT_EQ(ProgressLine(0, 3, ""), "[....................]  0 of 3");
    EXPECT_EQ(ProgressLine(3, 3, std::string(50, 'x') + ".txt"),
              "[####################]  3 of 3  " + std::string(37, 'x') + "...");

    testing::TempFolder temp("many_spectra_progress");
    synthetic::WriteSpotSpectra(temp.Path(), 3);
    const Args args = {"thinfilm", "--folder", temp.Path().string(), "--find-extrema", "--ns", "1.52",
                       "--save-dir", temp.Path().string()};
    const Ran quiet = Batch(args);
    EXPECT_EQ(quiet.status, kBatchDone);
    EXPECT_EQ(quiet.err, "");
    const Ran shown = Batch(args, true);
    EXPECT_EQ(shown.out, quiet.out);
    EXPECT_NE(shown.err.find("\r[####################]  3 of 3  spot0"), std::string::npos) << shown.err;
    EXPECT_TRUE(shown.err.ends_with("\r\033[K")) << shown.err;
    EXPECT_EQ(shown.err.find('\n'), std::string::npos);
}

}  // namespace
}  // namespace optc
