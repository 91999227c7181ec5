#pragma once
// Numbers as text: the conversions between numbers and the texts of controls and
// results files, under the program's decimal separator.
#include <cstdint>
#include <string>

namespace optc {

static_assert(sizeof(long double) >= 10 && __LDBL_MANT_DIG__ == 64,
              "long double must be the 80-bit extended type");

// The decimal separator used by FloatToStr and StrToFloat. Taken from the system
// locale at start; tests set it to '.' or ','.
char DecimalSeparator();
void SetDecimalSeparator(char separator);

// General format: 15 significant digits, trailing zeros dropped, fixed notation for
// magnitudes in [0.0001, 1e15), else d.dddE[-]x. Uses the decimal separator.
std::string FloatToStr(long double value);
// The same text of a double appended to out, without a string of its own.
void AppendFloatToStr(std::string& out, double value);

// Reads a typed number with the decimal separator; surrounding blanks are allowed.
// Raises EConvertError "'<text>' is not a valid floating point value".
double StrToFloat(const std::string& text);

// Reads a typed integer. Raises EConvertError "'<text>' is not a valid integer value".
int StrToInt(const std::string& text);

// The 23-character real form of the results files' Fit column:
// sign or blank, d.dddddddddddddd, "E", exponent sign, four exponent digits.
// Always with '.', whatever the decimal separator.
std::string RealToText23(double value);

// Rounding to the nearest 64-bit integer with halves to even, and truncation toward
// zero, both in extended precision. Out-of-range values raise EInvalidOp.
std::int64_t Round(long double value);
std::int64_t Trunc(long double value);

}  // namespace optc
