#pragma once
// The labelled data records of a JCAMP-DX file: a line "##LABEL=value" starts one, and
// "$$" starts a comment that runs to the end of its line.
#include <optional>
#include <string>
#include <string_view>

namespace optc {

struct JcampRecord {
    std::string label;       // in the standard's form: upper case, without blanks, -, / and _
    std::string_view value;  // after "=", without blanks around it
};

// The line without its comment.
std::string_view WithoutJcampComment(std::string_view line);

// The record a line starts, or nothing for a line that starts none (data, the
// continuation of a value, a blank line). A line "##..." without "=" starts a record
// with an empty value. "##JCAMP-DX" reads as "JCAMPDX", "##PEAK TABLE" as "PEAKTABLE".
std::optional<JcampRecord> JcampRecordOf(std::string_view line);

}  // namespace optc
