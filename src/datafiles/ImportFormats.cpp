#include "datafiles/ImportFormats.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>

#include "datafiles/CsvSpectrum.h"
#include "datafiles/FileRefusal.h"
#include "datafiles/JcampSpectrum.h"
#include "datafiles/TextEncoding.h"
#include "datafiles/TextLines.h"

namespace optc {

namespace {

SpectrumFileInfo ReadText(ByteSource& bytes, const SpectrumRequest& request, PairTable& into) {
    ReadPairs(bytes, request.mode, into);
    return {};
}

SpectrumFileInfo ReadCsv(ByteSource& bytes, const SpectrumRequest& request, PairTable& into) {
    LineReader lines(bytes, LineReader::kBlockSize, EndOfFileByte::InLine);
    SpectrumFileInfo info;
    info.moreColumns = ReadCsvSpectrum(lines, request.fileName, into).moreColumns;
    into.anyNumberPair = into.count > 0;  // the reader stores only pairs of numbers
    return info;
}

SpectrumFileInfo ReadJcamp(ByteSource& bytes, const SpectrumRequest& request, PairTable& into) {
    LineReader lines(bytes);
    SpectrumFileInfo info;
    info.fileUnits = ReadJcampSpectrum(lines, request.fileName, request.kind, into).units;
    into.anyNumberPair = into.count > 0;
    return info;
}

constexpr std::array<std::string_view, 1> kTextEndings{".txt"};
constexpr std::array<std::string_view, 1> kCsvEndings{".csv"};
constexpr std::array<std::string_view, 3> kJcampEndings{".jdx", ".dx", ".jcamp"};

constexpr std::array<SpectrumFormat, 3> kFormats{{
    {"Text", kTextEndings, ReadText},
    {"CSV", kCsvEndings, ReadCsv},
    {"JCAMP-DX", kJcampEndings, ReadJcamp},
}};

// Appends "*.a *.b" to text.
void AddPatterns(std::span<const std::string_view> endings, std::string& text) {
    for (const std::string_view ending : endings) {
        if (!text.empty() && text.back() != '(') text += ' ';
        text += '*';
        text += ending;
    }
}

}  // namespace

std::span<const SpectrumFormat> SpectrumFormats() { return kFormats; }

const SpectrumFormat& SpectrumFormatOf(const std::string& path) {
    std::string ending = std::filesystem::path(path).extension().string();
    std::transform(ending.begin(), ending.end(), ending.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (const SpectrumFormat& format : kFormats)
        if (std::find(format.endings.begin(), format.endings.end(), ending) != format.endings.end()) return format;
    return kFormats.front();
}

SpectrumFileInfo ReadSpectrum(const SpectrumFormat& format, ByteSource& bytes, const SpectrumRequest& request,
                              PairTable& into) {
    LookedAtBytes looked(bytes);
    if (looked.IsUtf16()) throw FileRefusal(Utf16Message(request.fileName));
    return format.read(looked, request, into);
}

std::string SpectrumFilter() {
    std::string filter = "Spectra (";
    for (const SpectrumFormat& format : kFormats) AddPatterns(format.endings, filter);
    filter += ")";
    for (const SpectrumFormat& format : kFormats) {
        filter += ";;";
        filter += format.name;
        filter += " files (";
        AddPatterns(format.endings, filter);
        filter += ")";
    }
    return filter + ";;All files (*)";
}

}  // namespace optc
