// The splitting of a row into fields (quotes, doubled quotes, blanks around fields) is
// libcsv's. It is given one line at a time, so every row is one line of the file and
// a message can name it; a quoted field left open at the end of its line is refused.
#include "datafiles/CsvSpectrum.h"

#include <csv.h>

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>

#include "datafiles/CsvRowChecks.h"
#include "datafiles/DecimalText.h"
#include "datafiles/FileRefusal.h"
#include "datafiles/PointTable.h"
#include "datafiles/QuotedText.h"
#include "numerics/Errors.h"
#include "numerics/Index.h"

namespace optc {

namespace {

bool IsBlankText(std::string_view s) { return s.find_first_not_of(" \t") == std::string_view::npos; }

std::string Quoted(std::string_view text) { return QuotedText(text); }

// "1,048.0": a whole number of one to three digits, then three digits with a leading 0,
// as a comma written as a thousands separator splits a wavelength.
bool SplitByThousandsSeparator(std::string_view before, std::string_view after) {
    const auto digits = [](std::string_view s) {
        return std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    const std::size_t point = after.find('.');
    const std::string_view whole = after.substr(0, point);
    return !before.empty() && before.size() <= 3 && digits(before) && whole.size() == 3 && whole[0] == '0' &&
           digits(whole) && (point == std::string_view::npos || digits(after.substr(point + 1)));
}

// What the reader needs of one row, gathered field by field while libcsv splits it:
// a row of a million fields costs no more memory than one of three.
struct RowSummary {
    struct Field {
        int column = 0;  // from 0
        std::string text;
    };
    std::array<int, 2> wanted{-1, -1};  // the data's two columns, once they are known
    std::array<std::optional<std::string>, 2> atWanted;
    std::array<Field, 2> firstFilled;  // the first two fields that are not empty
    int filledCount = 0;
    int column = 0;
    int lastFilled = -1;  // the column of the last field that is not empty

    void Start() {
        atWanted = {};
        filledCount = 0;
        column = 0;
        lastFilled = -1;
    }
    // The fields up to the last that is not empty: empty ones after it change nothing.
    int Fields() const { return lastFilled + 1; }
    void Add(std::string_view text) {
        for (std::size_t k = 0; k < 2; ++k)
            if (column == wanted[k]) atWanted[k] = std::string(text);
        if (!IsBlankText(text)) {
            lastFilled = column;
            if (filledCount < 2) At(firstFilled, filledCount) = Field{column, std::string(text)};
            ++filledCount;
        }
        ++column;
    }
};

// One libcsv parser with its separator, fed one line at a time.
class RowSplitter {
public:
    enum class Outcome { Row, Empty, MisplacedQuote, OpenQuote };

    explicit RowSplitter(char separator) : separator_(separator) { Init(); }
    ~RowSplitter() { csv_free(&parser_); }
    RowSplitter(const RowSplitter&) = delete;
    RowSplitter& operator=(const RowSplitter&) = delete;

    char Separator() const { return separator_; }

    Outcome Split(std::string_view line, RowSummary& row) {
        row.Start();
        const std::size_t used = csv_parse(&parser_, line.data(), line.size(), OnField, nullptr, &row);
        if (used != line.size() || csv_error(&parser_) != CSV_SUCCESS) {
            // Strict mode stops at a quote inside a field or text after a closing one.
            Restart();
            return Outcome::MisplacedQuote;
        }
        if (csv_fini(&parser_, OnField, nullptr, &row) != 0) {
            Restart();  // csv_fini keeps the open field when it refuses it
            return Outcome::OpenQuote;
        }
        return row.filledCount == 0 ? Outcome::Empty : Outcome::Row;
    }

private:
    static void OnField(void* text, std::size_t size, void* row) noexcept {
        static_cast<RowSummary*>(row)->Add(std::string_view(static_cast<const char*>(text), size));
    }
    // With tab as the separator only the blank surrounds a field.
    static int IsBlankOnly(unsigned char c) { return c == ' '; }

    void Init() {
        if (csv_init(&parser_, CSV_STRICT | CSV_STRICT_FINI) != 0) throw std::bad_alloc();
        csv_set_delim(&parser_, static_cast<unsigned char>(separator_));
        if (separator_ == '\t') csv_set_space_func(&parser_, IsBlankOnly);
        csv_set_blk_size(&parser_, 4096);
    }
    void Restart() {
        csv_free(&parser_);
        Init();
    }

    csv_parser parser_{};
    char separator_;
};

// The two numbers of a row at the data's columns, when both are there.
std::optional<std::array<double, 2>> NumbersAt(const RowSummary& row, bool commaDecimal) {
    std::array<double, 2> v{};
    for (std::size_t k = 0; k < 2; ++k) {
        if (!row.atWanted[k]) return std::nullopt;
        const auto n = ParseDecimal(*row.atWanted[k], commaDecimal);
        if (!n) return std::nullopt;
        v[k] = *n;
    }
    return v;
}

class CsvReader {
public:
    CsvReader(LineReader& lines, const std::string& fileName, PairTable& into)
        : lines_(lines), fileName_(fileName), points_(into) {}

    CsvOutcome Read() {
        TextLine line;
        while (lines_.Next(line)) {
            if (line.text.find(kDosEndOfFile) != std::string_view::npos) {
                if (HoldsOnlyEndOfFileBytes(line.text)) continue;
                Refuse(line, "the byte 26 (the end of a DOS text) stands inside the line; it ends nothing in a CSV "
                             "file.");
            }
            try {
                if (!chosen_) {
                    if (!line.cut) FindData(line);
                } else if (!trailerLine_) {
                    if (!DataRow(line)) break;
                } else {
                    TrailerRow(line);
                }
            } catch (const EOverflow&) {
                Refuse(line, kNumberTooLarge);
            }
        }
        return outcome_;
    }

private:
    [[noreturn]] void Refuse(const TextLine& line, const std::string& what) const {
        throw FileRefusal(LineMessage(line.number, fileName_, what));
    }

    bool CommaDecimal() const { return chosen_->Separator() != ','; }

    // A header line, or the first row of the data: the separator that splits it into
    // two numbers wins, the semicolon and the tab before the comma (files with a
    // decimal comma hold commas in every number).
    void FindData(const TextLine& line) {
        for (RowSplitter& s : splitters_) {
            if (s.Split(line.text, row_) != RowSplitter::Outcome::Row || row_.filledCount < 2) continue;
            const bool commaDecimal = s.Separator() != ',';
            const auto x = ParseDecimal(row_.firstFilled[0].text, commaDecimal);
            if (!x) continue;
            const auto y = ParseDecimal(row_.firstFilled[1].text, commaDecimal);
            if (!y) continue;
            chosen_ = &s;
            row_.wanted = {row_.firstFilled[0].column, row_.firstFilled[1].column};
            fields_ = row_.Fields();
            CheckRow(line, {row_.firstFilled[0].text, row_.firstFilled[1].text});
            Store(*x, *y, row_, line);
            return;
        }
        for (const RowSplitter& s : splitters_)
            if (const auto fault = BrokenFirstRow(line.text, s.Separator())) Refuse(line, *fault);
    }

    // What no single field shows: a comma written as a thousands separator, and numbers
    // with another decimal mark than the rows above.
    void CheckRow(const TextLine& line, const std::array<std::string_view, 2>& numbers) {
        if (row_.Fields() != fields_)
            Refuse(line, "the row has " + std::to_string(row_.Fields()) + " fields where the rows above have " +
                             std::to_string(fields_) +
                             (chosen_->Separator() == ',' ? "; is a comma a thousands separator here?" : "."));
        if (chosen_->Separator() == ',' && row_.wanted[1] == row_.wanted[0] + 1 &&
            SplitByThousandsSeparator(numbers[0], numbers[1]))
            Refuse(line, Quoted(std::string(numbers[0]) + "," + std::string(numbers[1])) +
                             " is not read: a thousands separator is not a decimal mark.");
        if (!CommaDecimal()) return;
        for (const std::string_view number : numbers) {
            const DecimalMark mark = DecimalMarkOf(number);
            if (mark == DecimalMark::None) continue;
            if (mark_ == DecimalMark::None) mark_ = mark;
            if (mark != mark_)
                Refuse(line, Quoted(number) + " has a decimal " + (mark == DecimalMark::Point ? "point" : "comma") +
                                 " where the rows above have a decimal " +
                                 (mark_ == DecimalMark::Point ? "point" : "comma") + ".");
        }
    }

    // False when the table is full.
    bool DataRow(const TextLine& line) {
        if (line.cut)
            Refuse(line, "the line is longer than " + std::to_string(LineReader::kMaxLineLength) + " characters.");
        const RowSplitter::Outcome split = chosen_->Split(line.text, row_);
        if (split == RowSplitter::Outcome::Empty) {
            afterEmptyLine_ = true;
            return true;
        }
        const bool numbers = split == RowSplitter::Outcome::Row && NumbersAt(row_, CommaDecimal());
        if (!numbers && afterEmptyLine_) {
            trailerLine_ = line.number;
            return true;
        }
        afterEmptyLine_ = false;
        if (split == RowSplitter::Outcome::MisplacedQuote) Refuse(line, "a quotation mark is out of place.");
        if (split == RowSplitter::Outcome::OpenQuote) Refuse(line, "a quoted field is not closed.");
        std::array<double, 2> v{};
        for (std::size_t k = 0; k < 2; ++k) {
            const auto& text = row_.atWanted[k];
            if (!text || IsBlankText(*text))
                Refuse(line, "column " + std::to_string(row_.wanted[k] + 1) + " is empty.");
            const auto n = ParseDecimal(*text, CommaDecimal());
            if (!n) Refuse(line, Quoted(*text) + " is not a number.");
            v[k] = *n;
        }
        CheckRow(line, {*row_.atWanted[0], *row_.atWanted[1]});
        return Store(v[0], v[1], row_, line);
    }

    // Below the data: notes are passed over, numbers would be lost.
    void TrailerRow(const TextLine& line) {
        if (line.cut) return;
        if (chosen_->Split(line.text, row_) == RowSplitter::Outcome::Row && NumbersAt(row_, CommaDecimal()))
            Refuse(line, "more data after line " + std::to_string(*trailerLine_) + ", where the data ended.");
    }

    bool Store(double x, double y, const RowSummary& row, const TextLine& line) {
        if (!points_.Add(x, y, line.number)) return false;
        if (row.filledCount > 2) outcome_.moreColumns = true;
        return true;
    }

    LineReader& lines_;
    const std::string& fileName_;
    PointTable points_;
    RowSplitter splitters_[3] = {RowSplitter(';'), RowSplitter('\t'), RowSplitter(',')};
    RowSplitter* chosen_ = nullptr;
    RowSummary row_;
    int fields_ = 0;                     // the fields of the first row of the data
    DecimalMark mark_ = DecimalMark::None;  // the decimal mark of the rows so far
    bool afterEmptyLine_ = false;
    std::optional<std::int64_t> trailerLine_;  // the row that ended the data
    CsvOutcome outcome_;
};

}  // namespace

CsvOutcome ReadCsvSpectrum(LineReader& lines, const std::string& fileName, PairTable& into) {
    return CsvReader(lines, fileName, into).Read();
}

}  // namespace optc
