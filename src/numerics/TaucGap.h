#pragma once
// The arithmetic of the optical gap that both windows share: how a typed bound is
// matched against the Tauc curve, and the gap as it is shown.
namespace optc {

// How a typed ordinate (Ytauc1, Ytauc2) is matched against the curve.
enum class OrdinateMatch {
    Tens,    // integer parts of v/10 and x/10
    Banded,  // by the typed value: x <= 10 tenths, 10 < x < 100 units, x >= 100 tens;
             // Ytauc2 puts a typed 10 exactly into the tens band
};

// Which of the two ordinate edits is being matched.
enum class OrdinateEdit { Ytauc1, Ytauc2 };

// Matching of a curve value v against a typed value x, both truncated toward zero in
// extended precision at the resolution of the edit.
bool EnergyMatches(double v, double x);
bool OrdinateMatches(double v, double x, OrdinateMatch match, OrdinateEdit edit);

// The shown gap: truncated toward zero to four decimals.
long double TruncatedGap(double eg);

}  // namespace optc
