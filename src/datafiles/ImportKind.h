#pragma once
// What an import reads: a file that declares its quantity (JCAMP-DX) must hold it.
namespace optc {

enum class SpectrumKind {
    Transmission,  // Import Spectrum, Import Fringes, Import T Spectrum
    Reflection,    // Import R spectrum
};

}  // namespace optc
