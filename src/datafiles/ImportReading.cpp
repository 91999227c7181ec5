#include "datafiles/ImportReading.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "datafiles/CsvSpectrum.h"
#include "datafiles/FileRefusal.h"
#include "datafiles/JcampSpectrum.h"
#include "datafiles/TextLines.h"

namespace optc {

namespace {

enum class Format { Text, Csv, Jcamp };

Format FormatOf(const std::string& path) {
    std::string ending = std::filesystem::path(path).extension().string();
    std::transform(ending.begin(), ending.end(), ending.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (ending == ".csv") return Format::Csv;
    if (ending == ".jdx" || ending == ".dx" || ending == ".jcamp") return Format::Jcamp;
    return Format::Text;
}

}  // namespace

SpectrumFileInfo ReadSpectrumFile(const std::string& path, RestartMode mode, SpectrumKind kind, PairTable& into) {
    SpectrumFileInfo info;
    const Format format = FormatOf(path);
    if (format == Format::Text) {
        ReadPairs(path, mode, into);
        return info;
    }
    FileBytes file(path);
    LineReader lines(file);
    if (format == Format::Csv)
        info.moreColumns = ReadCsvSpectrum(lines, FileNameOf(path), into).moreColumns;
    else
        info.fileUnits = ReadJcampSpectrum(lines, FileNameOf(path), kind, into).units;
    into.anyNumberPair = into.count > 0;  // these readers store only pairs of numbers
    return info;
}

std::string ChosenSpectrum::Label(const std::string& shownName) const {
    if (info.fileUnits.empty()) return shownName;
    // The note comes first: a long folder name may not fit the label, the note must.
    return "(units from the file: " + info.fileUnits + ") " + shownName;
}

std::string NoPairsMessage(const std::string& path) {
    return "No pair of numbers was found in " + FileNameOf(path) + ".";
}

}  // namespace optc
