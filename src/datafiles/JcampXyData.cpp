#include "datafiles/JcampXyData.h"

#include <algorithm>
#include <cmath>

#include "datafiles/FileRefusal.h"
#include "datafiles/QuotedText.h"
#include "numerics/FloatChecks.h"

namespace optc {

namespace {

// Check values are whole numbers in most files; with decimals a sum of differences
// may differ from the written value in its last bits.
bool SameOrdinate(double a, double b) { return std::abs(a - b) <= 1e-9 * std::max({1.0, std::abs(a), std::abs(b)}); }

[[noreturn]] void Refuse(std::int64_t lineNumber, const std::string& fileName, const std::string& what) {
    throw FileRefusal(LineMessage(lineNumber, fileName, what));
}

}  // namespace

JcampXyData::Line JcampXyData::Decode(const std::vector<JcampValue>& values, std::int64_t lineNumber,
                                      const std::string& fileName, const std::function<bool(double)>& take) {
    const auto refuse = [&](const std::string& what) { Refuse(lineNumber, fileName, what); };
    const auto emit = [&](double y) {
        last_ = y;
        haveLast_ = true;
        ++points_;
        return take(y);
    };

    const auto stopped = [](Line& l) {
        l.stopped = true;
        return l;
    };
    Line line;
    if (values.empty() || values.front().form != JcampForm::Affn) refuse("the line does not begin with an X value.");
    line.x = values.front().value;
    line.firstPoint = NextLineFirstPoint();

    bool expectCheck = checkNext_;
    Kind previous = Kind::None;
    for (std::size_t i = 1; i < values.size(); ++i) {
        const JcampValue& v = values[i];
        switch (v.form) {
            case JcampForm::Missing:
                Refuse(lineNumber, fileName, "a missing value ('?') cannot be used.");
            case JcampForm::Unreadable:
                Refuse(lineNumber, fileName, QuotedText(v.text) + " is not a value of the JCAMP-DX forms.");
            case JcampForm::Affn:
            case JcampForm::Sqz:
                previous = Kind::Value;
                if (expectCheck) {
                    if (!SameOrdinate(v.value, last_))
                        refuse("the check value " + ShownNumber(v.value) + " differs from the last value " +
                               ShownNumber(last_) + " of the line before.");
                    expectCheck = false;
                    break;
                }
                if (!emit(v.value)) return stopped(line);
                break;
            case JcampForm::Dif:
                if (expectCheck) refuse("the line does not begin with the check value of the line before.");
                if (!haveLast_) refuse("a difference (DIF) has no value before it.");
                previous = Kind::Difference;
                step_ = v.value;
                if (!emit(Add(last_, step_))) return stopped(line);
                break;
            case JcampForm::Dup:
                if (previous == Kind::None) refuse("a repeat count (DUP) has no value before it.");
                // The count includes the value already taken.
                for (std::uint64_t k = 1; k < v.count; ++k)
                    if (!emit(previous == Kind::Difference ? Add(last_, step_) : last_)) return stopped(line);
                break;
        }
    }
    if (previous == Kind::None) refuse("the line holds an X value without Y values.");
    checkNext_ = previous == Kind::Difference;
    return line;
}

}  // namespace optc
