#include "thinfilm/extrema/FringesFile.h"

#include <charconv>

#include "datafiles/ResultsTable.h"

namespace optc {

namespace {

// Two words, so that the import skips the line as a whole.
constexpr const char* kFringesHeader = "Wavelength  Transmission";

std::string ShortestText(double value) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    return std::string(text, end);
}

}  // namespace

void WriteFringesFile(const ThinFilmData& d, const std::string& path) {
    WriteResultsFile(path, kFringesHeader, d.ExtCount, [&d](int k, ResultsRow& row) {
        row.Text(ShortestText(d.ExtLambda[k])).Text(ShortestText(d.ExtTrans[k]));
    });
}

}  // namespace optc
