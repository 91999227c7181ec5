#pragma once
// The four results files of the Thin Films window. Each is named by appending its
// suffix to the chosen name, and holds whatever the workspace holds now.
#include <string>

#include "thinfilm/ThinFilmData.h"

namespace optc {

inline constexpr const char* kRefSuffix = "Ref.txt";
inline constexpr const char* kAbsSuffix = "Abs.txt";
inline constexpr const char* kTaucSuffix = "tauc.txt";
inline constexpr const char* kFreeTransSuffix = "FreeTrans.txt";

// n(lambda) on its 1 nm grid (rows 1..DispCount-1), with n at the extrema beside the
// first ExtCount rows.
void WriteRefractionFile(const ThinFilmData& d, const std::string& path);
// Photon energy and absorption coefficient of every spectrum point.
void WriteThinFilmAbsorptionFile(const ThinFilmData& d, const std::string& path);
// Energy, the Tauc ordinate last shown and the gap line at that energy.
void WriteThinFilmTaucFile(const ThinFilmData& d, const std::string& path);
// The fringes-free transmission at every spectrum point, or the header alone when
// the fringes-free transmission is not in use.
void WriteFringesFreeFile(const ThinFilmData& d, const std::string& path, bool fringesFree);

// All four or none: written in the order Ref, Abs, tauc, FreeTrans, each in full beside
// its final name, then moved into place together; a failure leaves every existing
// results file as it was.
void SaveThinFilmResults(const ThinFilmData& d, const std::string& baseName, bool fringesFree);

}  // namespace optc
