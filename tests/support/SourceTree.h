#pragma once
// The source tree the tests were built from, wherever they run: the example spectra
// and the manual page they read lie there.
#include <filesystem>

namespace optc::testing {

inline const std::filesystem::path kSourceTree = OPTC_TEST_SOURCE_DIR;
inline const std::filesystem::path kExamples = kSourceTree / "examples";

}  // namespace optc::testing
