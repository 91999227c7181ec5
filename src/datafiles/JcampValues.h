#pragma once
// The values of one data line of a JCAMP-DX file, in the forms of the standard:
// AFFN, free-format decimal numbers (blanks or commas between them, or only the sign
// of the next, PAC), and the compressed ASDF forms, in which a letter or symbol
// stands for the first digit and its sign: SQZ a value (@ A-I, a-i), DIF a difference
// from the value before (% J-R, j-r), DUP a repeat count (S-Z, s).
#include <cstdint>
#include <string_view>
#include <vector>

namespace optc {

enum class JcampForm { Affn, Sqz, Dif, Dup, Missing, Unreadable };

struct JcampValue {
    JcampForm form = JcampForm::Affn;
    double value = 0.0;       // Affn, Sqz, Dif
    std::uint64_t count = 0;  // Dup
    std::string_view text;    // as written, for messages
};

// The values of a line, in order. With `compressedForms` false only AFFN is read and
// any letter other than an exponent's is Unreadable. With it true, E and e, which
// are both an exponent and the SQZ digit 5, are taken as exponents only in a line
// that reads wholly as AFFN. "?" is a missing value. A value beyond the doubles
// raises EOverflow.
std::vector<JcampValue> ReadJcampValues(std::string_view line, bool compressedForms);

}  // namespace optc
