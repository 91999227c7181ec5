#pragma once
// A synthetic spectrum written as instrument software writes it: text, CSV and
// JCAMP-DX with its data plain or compressed.
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

namespace optc::test {

// 150 points, 400 to 698 nm in steps of 2 nm, transmission in units of 0.0001 %: a
// fringe pattern with a flat stretch and a straight one, so that the compressed forms
// repeat values and differences.
inline std::vector<long> SyntheticOrdinates() {
    std::vector<long> y;
    for (int k = 0; k < 150; ++k) {
        long v = 500000 + std::lround(400000 * std::sin(k / 7.0));
        if (k >= 40 && k < 50) v = 123400;
        if (k >= 60 && k < 70) v = 300000 + 1500 * (k - 60);
        y.push_back(v);
    }
    return y;
}
inline int SyntheticX(std::size_t k) { return 400 + 2 * static_cast<int>(k); }

// A value in the fixed decimals of the ordinates: 561234 -> "56.1234".
inline std::string Decimals(long v, int places, char point = '.') {
    const long scale = places == 4 ? 10000 : 1000000;
    std::string frac = std::to_string(std::labs(v) % scale);
    frac.insert(0, static_cast<std::size_t>(places) - frac.size(), '0');
    return (v < 0 ? "-" : "") + std::to_string(std::labs(v) / scale) + point + frac;
}

enum class Asdf { Affn, Sqz, Dif, SqzDup, DifDup };

// One value in a compressed form: the first digit becomes a letter of the form.
inline std::string Pseudo(long v, char zero, char positive, char negative) {
    const std::string digits = std::to_string(std::labs(v));
    const int first = digits[0] - '0';
    const char lead = v == 0 ? zero : static_cast<char>((v > 0 ? positive : negative) + first - 1);
    return lead + digits.substr(1);
}
inline std::string Sqz(long v) { return Pseudo(v, '@', 'A', 'a'); }
inline std::string Dif(long v) { return Pseudo(v, '%', 'J', 'j'); }
inline std::string Dup(long n) {
    const std::string digits = std::to_string(n);
    return (digits[0] == '9' ? std::string("s") : std::string(1, static_cast<char>('S' + digits[0] - '1'))) +
           digits.substr(1);
}

// The lines of ##XYDATA=(X++(Y..Y)), `perLine` ordinates to a line. In the DIF forms a
// line after one that ended in a difference begins with the check value.
inline std::string XyDataLines(const std::vector<long>& y, Asdf form, std::size_t perLine = 10) {
    const bool dif = form == Asdf::Dif || form == Asdf::DifDup;
    const bool dup = form == Asdf::SqzDup || form == Asdf::DifDup;
    std::string out;
    bool check = false;
    for (std::size_t i = 0; i < y.size();) {
        std::vector<std::string> tokens;
        const std::size_t first = check ? i - 1 : i;
        if (check) tokens.push_back(Sqz(y[i - 1]));
        std::size_t j = i;
        bool lastDifference = false;
        for (; j < y.size() && j < i + perLine; ++j) {
            const bool absolute = !dif || (j == i && !check);
            if (form == Asdf::Affn)
                tokens.push_back(" " + std::to_string(y[j]));
            else
                tokens.push_back(absolute ? Sqz(y[j]) : Dif(y[j] - y[j - 1]));
            lastDifference = !absolute;
        }
        check = lastDifference;
        out += std::to_string(SyntheticX(first));
        for (std::size_t t = 0; t < tokens.size();) {
            std::size_t run = 1;
            while (dup && t + run < tokens.size() && tokens[t + run] == tokens[t]) ++run;
            out += tokens[t] + (run > 1 ? Dup(static_cast<long>(run)) : "");
            t += run;
        }
        out += "\n";
        i = j;
    }
    return out;
}

// A JCAMP-DX file around `data`; `extra` goes before the data record.
inline std::string Jcamp(const std::string& dataRecord, const std::string& data, const std::string& extra = "",
                         const std::string& yUnits = "TRANSMITTANCE", const std::string& yFactor = "0.0001") {
    return "##TITLE=Synthetic film\n##JCAMP-DX=4.24 $$ written by the tests\n##DATA TYPE=UV/VIS SPECTRUM\n"
           "##XUNITS=NANOMETERS\n##YUNITS=" +
           yUnits + "\n##XFACTOR=1\n##YFACTOR=" + yFactor +
           "\n##FIRSTX=400\n"
           "##LASTX=698\n##DELTAX=2\n##NPOINTS=150\n" +
           extra + "##" + dataRecord + "\n" + data + "##END=\n";
}

}  // namespace optc::test
