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

// How a line's letters are read: AFFN only (any letter other than an exponent's is
// Unreadable); either form, where E and e, which are both an exponent and the SQZ
// digit 5, are taken as exponents only in a line that reads wholly as AFFN; or the
// compressed forms of a table that has already shown them, where E and e are always
// the digit 5 (the last line of a DIF table, "305E5", holds only an X and a check
// value of 55).
enum class JcampLetters { AffnOnly, Either, Compressed };

// The values of a line, in order. "?" is a missing value. A value beyond the doubles
// raises EOverflow.
std::vector<JcampValue> ReadJcampValues(std::string_view line, JcampLetters letters);

// Whether a line's values hold a compressed form (SQZ, DIF or DUP).
bool HoldsCompressedForm(const std::vector<JcampValue>& values);

}  // namespace optc
