// The batch program reads instrument files through the windows' imports: the note on
// extra columns lets a run go on, a refused file stops it, named by its option.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "app/batch/BatchRun.h"
#include "datafiles/CsvSpectrum.h"
#include "support/TempFolder.h"

namespace optc {
namespace {

TEST(InstrumentFilesBatch, ANoteLetsTheRunGoOnARefusalStopsIt) {
    testing::TempFolder temp("instrument_batch");
    const std::string csv = temp.Write("t.csv", "nm;T;sd\n800;80;1\n700;70;1\n600;60;1\n500;20;1\n");
    std::ostringstream out, err;
    EXPECT_EQ(RunBatch({"bulk", "--spectrum", csv, "--constant-r", "9", "--thickness", "0.1", "--save", temp.File("b")},
                       out, err),
              kBatchDone)
        << err.str();
    EXPECT_NE(out.str().find(std::string("\"notes\": [\"") + kMoreColumnsMessage + "\"]"), std::string::npos)
        << out.str();

    const std::string jdx = temp.Write("t.jdx", "##TITLE=t\n##PEAK TABLE=(XY..XY)\n800,80\n##END=\n");
    std::ostringstream out2, err2;
    EXPECT_EQ(RunBatch({"bulk", "--spectrum", jdx, "--constant-r", "9", "--thickness", "0.1", "--save", temp.File("c")},
                       out2, err2),
              kBatchStopped);
    EXPECT_NE(
        err2.str().find("--spectrum " + jdx +
                        ": Line 2 of t.jdx: a peak table is not a spectrum; only ##XYDATA and ##XYPOINTS are read."),
        std::string::npos)
        << err2.str();
}

}  // namespace
}  // namespace optc
