#pragma once
// The ordinates of an ##XYDATA=(X++(Y..Y)) table, line by line: each line holds the X
// of its first point and then ordinates, plain or compressed. A DIF value adds to the
// ordinate before it, a DUP count repeats the value or difference before it, and a
// line that follows one ending in DIF form begins with the last ordinate of that line
// again, the check value, which is compared and not counted.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "datafiles/JcampValues.h"

namespace optc {

class JcampXyData {
public:
    struct Line {
        double x = 0.0;               // as written, before ##XFACTOR
        std::int64_t firstPoint = 0;  // the point, from 0, that the line's X belongs to
        bool stopped = false;         // `take` asked to stop
    };

    // Decodes the values of one line, passing each new ordinate (as written, before
    // ##YFACTOR) to `take`, which returns false to stop. A line that breaks the rules
    // raises FileRefusal naming it; a sum beyond the doubles raises EOverflow.
    Line Decode(const std::vector<JcampValue>& values, std::int64_t lineNumber, const std::string& fileName,
                const std::function<bool(double)>& take);

    std::int64_t Points() const { return points_; }
    // The point, from 0, that the X of the next line belongs to.
    std::int64_t NextLineFirstPoint() const { return checkNext_ ? points_ - 1 : points_; }

private:
    enum class Kind { None, Value, Difference };

    double last_ = 0.0;  // the last ordinate
    double step_ = 0.0;  // the last difference
    bool haveLast_ = false;
    bool checkNext_ = false;  // the next line begins with a check value
    std::int64_t points_ = 0;
};

}  // namespace optc
