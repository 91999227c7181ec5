// Fuzzes the readers of instrument files, CSV and JCAMP-DX, with the line reader under
// them.
//
// Input: one option byte, then the file. Bit 0 of the option byte chooses the reader
// (0 CSV, 1 JCAMP-DX), bit 1 the quantity the import reads (transmission or
// reflection), bits 2 to 7 a block size of 1 to 64 bytes. The file is read twice, in
// blocks of that size and in the program's own blocks, and both reads must agree; then
// once more as an import reads it, through the table of formats (which refuses UTF-16
// text), with the check of the measured range after it.
//
// A fault is a crash, a sanitizer report, a hang, an exception that is not one of the
// program's errors or refusals, a count outside the table, an inf/NaN among the points
// read, a point without the line it was read on, or two reads of the same bytes that
// differ.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "datafiles/CsvSpectrum.h"
#include "datafiles/FileRefusal.h"
#include "datafiles/JcampSpectrum.h"
#include "datafiles/MeasuredRange.h"
#include "datafiles/ImportFormats.h"
#include "datafiles/TextEncoding.h"
#include "datafiles/TextLines.h"
#include "numerics/Errors.h"

namespace {

using namespace optc;

[[noreturn]] void Fault(const char* what, long index = 0) {
    std::fprintf(stderr, "instrument reader fault: %s (%ld)\n", what, index);
    std::abort();
}

// What one read gave: the points, or the text of the error or refusal that ended it.
struct Read {
    PairTable table;
    std::string stop;
    std::string units;
    bool moreColumns = false;
};

void ReadOnce(std::string_view file, bool jcamp, SpectrumKind kind, std::size_t block, Read& r) {
    MemoryBytes bytes(file);
    // The byte 26 ends nothing in a CSV file: the reader judges its line.
    LineReader lines(bytes, block, jcamp ? EndOfFileByte::EndsText : EndOfFileByte::InLine);
    r.stop.clear();
    try {
        if (jcamp)
            r.units = ReadJcampSpectrum(lines, "fuzz.jdx", kind, r.table).units;
        else
            r.moreColumns = ReadCsvSpectrum(lines, "fuzz.csv", r.table).moreColumns;
    } catch (const FileRefusal& refusal) {
        r.stop = std::string("refused: ") + refusal.what();
    } catch (const Error& error) {
        r.stop = std::string("error: ") + error.what();
    }
}

void Check(const Read& r) {
    if (!r.stop.empty()) return;
    const PairTable& t = r.table;
    if (t.count < 0 || t.count > kCapacity || t.written != t.count) Fault("count outside the table", t.count);
    for (int k = 0; k < t.count; ++k) {
        const auto i = static_cast<std::size_t>(k);
        if (!std::isfinite(t.x[i]) || !std::isfinite(t.y[i])) Fault("a point is not finite", k);
        if (t.line[i] < 1 || (k > 0 && t.line[i] < t.line[i - 1])) Fault("a point's line is out of order", k);
    }
}

// The import's own path: the table of formats over the bytes, then the range check.
// It agrees with the plain read, or refuses UTF-16 text, or a value far out of range.
void ReadAsImport(std::string_view file, bool jcamp, SpectrumKind kind, const Read& plain) {
    static PairTable table;
    MemoryBytes bytes(file);
    const char* name = jcamp ? "fuzz.jdx" : "fuzz.csv";
    std::string stop;
    try {
        ReadSpectrum(SpectrumFormatOf(name), bytes, SpectrumRequest{name, RestartMode::Below100, kind}, table);
        const auto note = CheckMeasuredRange(table, kind, name);
        if (note && !IsRangeNote(*note)) Fault("a range note the batch would not know");
    } catch (const FileRefusal& refusal) {
        stop = std::string("refused: ") + refusal.what();
    } catch (const Error& error) {
        stop = std::string("error: ") + error.what();
    }
    if (stop == "refused: " + Utf16Message(name) || stop.find("lies far outside 0 to 100 %") != std::string::npos)
        return;
    if (stop != plain.stop) Fault("the import's read ended otherwise than the reader's");
    if (stop.empty() && table.count != plain.table.count) Fault("the import read another count", table.count);
}

void Agree(const Read& a, const Read& b) {
    if (a.stop != b.stop) Fault("the block size changed how the file ended");
    if (!a.stop.empty()) return;
    if (a.table.count != b.table.count || a.table.truncated != b.table.truncated || a.units != b.units ||
        a.moreColumns != b.moreColumns)
        Fault("the block size changed what was read", a.table.count);
    for (int k = 0; k < a.table.count; ++k) {
        const auto i = static_cast<std::size_t>(k);
        // -0.0 and 0.0 are the same point.
        if (!(a.table.x[i] == b.table.x[i]) || !(a.table.y[i] == b.table.y[i]))
            Fault("the block size changed a point", k);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::uint8_t options = data[0];
    const std::string_view file(reinterpret_cast<const char*>(data + 1), size - 1);
    const bool jcamp = (options & 1) != 0;
    const SpectrumKind kind = (options & 2) ? SpectrumKind::Reflection : SpectrumKind::Transmission;
    const std::size_t block = static_cast<std::size_t>(options >> 2) + 1;

    // Tables made once for the process, as the imports' one table is.
    static Read small, whole;
    ReadOnce(file, jcamp, kind, block, small);
    ReadOnce(file, jcamp, kind, LineReader::kBlockSize, whole);
    Check(small);
    Check(whole);
    Agree(small, whole);
    ReadAsImport(file, jcamp, kind, whole);
    return 0;
}
