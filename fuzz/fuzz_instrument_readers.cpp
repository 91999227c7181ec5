// Fuzzes the readers of instrument files, CSV and JCAMP-DX, with the line reader under
// them.
//
// Input: one option byte, then the file. Bit 0 of the option byte chooses the reader
// (0 CSV, 1 JCAMP-DX), bit 1 the quantity the import reads (transmission or
// reflection), bits 2 to 7 a block size of 1 to 64 bytes. The file is read twice, in
// blocks of that size and in the program's own blocks, and both reads must agree.
//
// A fault is a crash, a sanitizer report, a hang, an exception that is not one of the
// program's errors or refusals, a count outside the table, an inf/NaN among the points
// read, or two reads of the same bytes that differ.
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
    LineReader lines(bytes, block);
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
    for (int k = 0; k < t.count; ++k)
        if (!std::isfinite(t.x[static_cast<std::size_t>(k)]) || !std::isfinite(t.y[static_cast<std::size_t>(k)]))
            Fault("a point is not finite", k);
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
    return 0;
}
