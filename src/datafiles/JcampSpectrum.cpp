#include "datafiles/JcampSpectrum.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <span>

#include "datafiles/DecimalText.h"
#include "datafiles/FileRefusal.h"
#include "datafiles/JcampRecords.h"
#include "datafiles/JcampUnits.h"
#include "datafiles/JcampValues.h"
#include "datafiles/JcampXyData.h"
#include "datafiles/PointTable.h"
#include "datafiles/QuotedText.h"
#include "numerics/FloatChecks.h"
#include "numerics/Index.h"

namespace optc {

namespace {

bool IsBlank(std::string_view s) { return s.find_first_not_of(" \t") == std::string_view::npos; }

std::string Upper(std::string_view s) {
    std::string u(s);
    std::transform(u.begin(), u.end(), u.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return u;
}

// A table's form as the standard writes it: upper case, no blanks.
std::string FormOf(std::string_view value) {
    std::string form;
    for (char c : Upper(value))
        if (c != ' ' && c != '\t') form += c;
    return form;
}

// A value as written times its factor. For a factor of 10^-k, dividing by 10^k gives
// the correctly rounded result: the very double that the value's decimal text would
// give, so a file with ##YFACTOR=0.0001 reads as the same numbers written out do.
double Scaled(double v, double factor) {
    if (factor > 0.0 && factor < 1.0) {
        double power = 1.0;
        for (int k = 1; k <= 22; ++k) {  // powers of ten are exact up to 1e22
            power *= 10.0;
            if (std::abs(factor * power - 1.0) < 1e-12) return Div(v, power);
        }
    }
    return Mul(v, factor);
}

// A number given in a record, with the line that gave it.
struct Given {
    double value = 0.0;
    std::int64_t line = 0;
};

class JcampReader {
public:
    JcampReader(LineReader& lines, const std::string& fileName, SpectrumKind kind, PairTable& into)
        : lines_(lines), fileName_(fileName), kind_(kind), into_(into), points_(into) {}

    JcampOutcome Read() {
        TextLine line;
        while (lines_.Next(line)) {
            if (line.cut)
                Refuse(line.number,
                       "the line is longer than " + std::to_string(LineReader::kMaxLineLength) + " characters.");
            try {
                if (!Line(WithoutJcampComment(line.text), line.number)) break;  // the table is full
            } catch (const EOverflow&) {
                Refuse(line.number, kNumberTooLarge);
            }
        }
        if (!into_.truncated) {
            if (stage_ == Stage::BeforeTitle) NotJcamp();
            if (stage_ != Stage::AfterEnd)
                throw FileRefusal(fileName_ + " ends before ##END=: the file is incomplete.");
        }
        if (!xUnit_) throw FileRefusal(fileName_ + " has no ##XUNITS: the units of its data are unknown.");
        if (!yUnit_) throw FileRefusal(fileName_ + " has no ##YUNITS: the units of its data are unknown.");
        const auto n = static_cast<std::size_t>(points_.Count());
        return JcampOutcome{ConvertJcampUnits(std::span<double>(into_.x.get(), n), std::span<double>(into_.y.get(), n),
                                              *xUnit_, *yUnit_)};
    }

private:
    enum class Stage { BeforeTitle, Header, XyData, XyPoints, AfterEnd };

    // False when the table is full.
    bool Line(std::string_view text, std::int64_t number) {
        if (const auto record = JcampRecordOf(text)) {
            Record(*record, number);
        } else if (stage_ == Stage::BeforeTitle) {
            if (!IsBlank(text)) NotJcamp();
        } else if (stage_ == Stage::XyData) {
            return XyDataLine(text, number);
        } else if (stage_ == Stage::XyPoints) {
            return XyPointsLine(text, number);
        }
        // Any other line continues a record's value, or follows ##END=.
        return true;
    }

    [[noreturn]] void Refuse(std::int64_t line, const std::string& what) const {
        throw FileRefusal(LineMessage(line, fileName_, what));
    }
    [[noreturn]] void NotJcamp() const {
        throw FileRefusal(fileName_ + " is not a JCAMP-DX file: it does not begin with ##TITLE=.");
    }
    [[noreturn]] void SeveralBlocks(std::int64_t line) const {
        Refuse(line, "the file holds several blocks; only files of one spectrum are read.");
    }

    void Record(const JcampRecord& r, std::int64_t line) {
        if (stage_ == Stage::AfterEnd) {
            if (r.label == "TITLE") SeveralBlocks(line);
            return;
        }
        if (stage_ == Stage::BeforeTitle) {
            if (r.label != "TITLE") NotJcamp();
            stage_ = Stage::Header;
            return;
        }
        if (stage_ == Stage::XyData || stage_ == Stage::XyPoints) EndOfTable();

        const std::string& l = r.label;
        if (l == "TITLE" || l == "BLOCKS" || (l == "DATATYPE" && Upper(r.value).find("LINK") != std::string::npos)) {
            SeveralBlocks(line);
        } else if (l == "JCAMPDX") {
            const auto version = ParseDecimal(r.value.substr(0, r.value.find_first_of(" \t(")), false);
            if (!version || *version < 4.0 || *version >= 6.0)
                Refuse(line, "JCAMP-DX version " + ShownText(r.value) + " is not read; versions 4.24 and 5.01 are.");
        } else if (l == "NTUPLES") {
            Refuse(line, "##NTUPLES tables are not read; only ##XYDATA and ##XYPOINTS are.");
        } else if (l == "PEAKTABLE") {
            Refuse(line, "a peak table is not a spectrum; only ##XYDATA and ##XYPOINTS are read.");
        } else if (l == "XUNITS") {
            xUnit_ = JcampXUnitOf(r.value);
            if (!xUnit_)
                Refuse(line,
                       "the X units " + QuotedText(r.value) + " are not read; NANOMETERS, MICROMETERS and 1/CM are.");
        } else if (l == "YUNITS") {
            YUnits(r.value, line);
        } else if (l == "XFACTOR" || l == "YFACTOR") {
            const Given factor = Number(r, line);
            if (factor.value == 0.0) Refuse(line, "##" + l + " must not be 0.");
            (l == "XFACTOR" ? xFactor_ : yFactor_) = factor.value;
        } else if (l == "FIRSTX") {
            firstX_ = Number(r, line);
        } else if (l == "LASTX") {
            lastX_ = Number(r, line);
        } else if (l == "DELTAX") {
            deltaX_ = Number(r, line);
        } else if (l == "NPOINTS") {
            const Given n = Number(r, line);
            if (!(n.value >= 1.0 && n.value <= 1e15 && n.value == std::floor(n.value)))
                Refuse(line, "##NPOINTS must be a whole number of 1 or more.");
            nPoints_ = n;
        } else if (l == "XYDATA") {
            StartXyData(r.value, line);
        } else if (l == "XYPOINTS") {
            StartTable(line);
            if (FormOf(r.value) != "(XY..XY)")
                Refuse(line, "##XYPOINTS=" + ShownText(r.value) + " is not read; only (XY..XY) is.");
            stage_ = Stage::XyPoints;
        } else if (l == "END") {
            if (!dataSeen_) throw FileRefusal(fileName_ + " holds no ##XYDATA or ##XYPOINTS table.");
            stage_ = Stage::AfterEnd;
        }
    }

    Given Number(const JcampRecord& r, std::int64_t line) const {
        const auto v = ParseDecimal(r.value, false);
        if (!v) Refuse(line, "##" + ShownText(r.label) + "=" + ShownText(r.value) + " is not a number.");
        return Given{*v, line};
    }

    void YUnits(std::string_view value, std::int64_t line) {
        yUnit_ = JcampYUnitOf(value);
        if (!yUnit_)
            Refuse(line, "the Y units " + QuotedText(value) +
                             " are not read; TRANSMITTANCE, REFLECTANCE and ABSORBANCE are.");
        // A file that says what it holds must hold what the import reads.
        const bool reflectance = *yUnit_ == JcampYUnit::Reflectance;
        if (kind_ == SpectrumKind::Transmission && reflectance)
            Refuse(line, "the file holds REFLECTANCE; this import reads TRANSMITTANCE or ABSORBANCE.");
        if (kind_ == SpectrumKind::Reflection && !reflectance)
            Refuse(line, "the file holds " + ShownText(Upper(value)) + "; this import reads REFLECTANCE.");
    }

    void StartTable(std::int64_t line) {
        if (dataSeen_) Refuse(line, "a second data table; only files of one spectrum are read.");
        dataSeen_ = true;
    }

    // The abscissa of point k (from 0) by ##FIRSTX, ##LASTX and ##NPOINTS.
    double Abscissa(std::int64_t k) const {
        const double n = nPoints_->value;
        if (n == 1.0) return firstX_->value;
        return Add(firstX_->value, Div(Mul(Sub(lastX_->value, firstX_->value), static_cast<double>(k)), n - 1.0));
    }

    void StartXyData(std::string_view form, std::int64_t line) {
        StartTable(line);
        if (FormOf(form) != "(X++(Y..Y))")
            Refuse(line, "##XYDATA=" + ShownText(form) + " is not read; only (X++(Y..Y)) is.");
        for (const auto& [given, name] : {std::pair{&firstX_, "FIRSTX"}, {&lastX_, "LASTX"}, {&nPoints_, "NPOINTS"}})
            if (!*given) Refuse(line, "##XYDATA needs ##" + std::string(name) + " before it.");
        const double n = nPoints_->value;
        step_ = n > 1.0 ? Div(Sub(lastX_->value, firstX_->value), n - 1.0) : 0.0;
        // Rounding in ##DELTAX may not add up to half a step over the whole spectrum.
        if (deltaX_ && n > 1.0 && !(std::abs(deltaX_->value - step_) * (n - 1.0) <= 0.5 * std::abs(step_)))
            Refuse(deltaX_->line, "##DELTAX=" + ShownNumber(deltaX_->value) +
                                      " does not agree with ##FIRSTX, ##LASTX and ##NPOINTS, which give a step of " +
                                      ShownNumber(step_) + ".");
        stage_ = Stage::XyData;
    }

    // False when the table is full.
    bool XyDataLine(std::string_view text, std::int64_t line) {
        const std::vector<JcampValue> values =
            ReadJcampValues(text, compressedTable_ ? JcampLetters::Compressed : JcampLetters::Either);
        if (values.empty()) return true;
        compressedTable_ = compressedTable_ || HoldsCompressedForm(values);
        // The X of a line tells which point it begins with: a point missing or doubled
        // would shift every abscissa after it.
        const std::int64_t first = xy_.NextLineFirstPoint();
        if (values.front().form == JcampForm::Affn && first < nPoints_->value) {
            const double expected = Abscissa(first);
            const double x = Scaled(values.front().value, xFactor_);
            // Half a step either way: a line further off would shift its points by one.
            const double tolerance = 0.5 * std::abs(step_) + 1e-9 * std::abs(expected);
            if (!(std::abs(x - expected) <= tolerance))
                Refuse(line, "the line begins at X = " + ShownNumber(x) + ", but its first point lies at " +
                                 ShownNumber(expected) + " by ##FIRSTX, ##LASTX and ##NPOINTS.");
        }
        return !xy_.Decode(values, line, fileName_,
                           [&](double y) {
                               const int k = points_.Count();
                               if (k >= nPoints_->value)
                                   Refuse(line, "the data hold more points than ##NPOINTS=" +
                                                    ShownNumber(nPoints_->value) + ".");
                               return points_.Add(Abscissa(k), Scaled(y, yFactor_), line);
                           })
                    .stopped;
    }

    // False when the table is full.
    bool XyPointsLine(std::string_view text, std::int64_t line) {
        for (const JcampValue& v : ReadJcampValues(text, JcampLetters::AffnOnly)) {
            if (v.form == JcampForm::Missing) Refuse(line, "a missing value ('?') cannot be used.");
            if (v.form != JcampForm::Affn) Refuse(line, QuotedText(v.text) + " is not a number.");
            if (!pendingX_) {
                pendingX_ = v.value;
                continue;
            }
            if (nPoints_ && points_.Count() >= nPoints_->value)
                Refuse(line, "the data hold more points than ##NPOINTS=" + ShownNumber(nPoints_->value) + ".");
            if (!points_.Add(Scaled(*pendingX_, xFactor_), Scaled(v.value, yFactor_), line)) return false;
            pendingX_.reset();
        }
        lastDataLine_ = line;
        return true;
    }

    // A new record ends the table: its count and ends must agree with the header.
    void EndOfTable() {
        const int count = points_.Count();
        if (stage_ == Stage::XyPoints && pendingX_) Refuse(lastDataLine_, "the last X has no Y value.");
        if (nPoints_ && count != nPoints_->value)
            Refuse(nPoints_->line, "##NPOINTS=" + ShownNumber(nPoints_->value) + ", but the data hold " +
                                       std::to_string(count) + " points.");
        if (stage_ == Stage::XyPoints && count > 0) {
            const double tolerance = 0.5 * std::abs(xFactor_);
            for (const auto& [given, x, name] : {std::tuple{&firstX_, into_.x[0], "FIRSTX"},
                                                 {&lastX_, At(into_.x, count - 1), "LASTX"}}) {
                const auto& g = *given;
                if (g && !(std::abs(g->value - x) <= std::max(tolerance, 1e-6 * std::abs(x))))
                    Refuse(g->line, "##" + std::string(name) + "=" + ShownNumber(g->value) +
                                        " does not agree with the data, where X = " + ShownNumber(x) + ".");
            }
        }
        stage_ = Stage::Header;
    }

    LineReader& lines_;
    const std::string& fileName_;
    SpectrumKind kind_;
    PairTable& into_;
    PointTable points_;
    Stage stage_ = Stage::BeforeTitle;
    bool dataSeen_ = false;
    bool compressedTable_ = false;  // the ##XYDATA table has shown a compressed form

    std::optional<JcampXUnit> xUnit_;
    std::optional<JcampYUnit> yUnit_;
    double xFactor_ = 1.0, yFactor_ = 1.0;  // 1 when the file gives none
    std::optional<Given> firstX_, lastX_, deltaX_, nPoints_;

    double step_ = 0.0;
    JcampXyData xy_;
    std::optional<double> pendingX_;  // an X of ##XYPOINTS still without its Y
    std::int64_t lastDataLine_ = 0;
};

}  // namespace

JcampOutcome ReadJcampSpectrum(LineReader& lines, const std::string& fileName, SpectrumKind kind, PairTable& into) {
    return JcampReader(lines, fileName, kind, into).Read();
}

}  // namespace optc
