#pragma once
// The two results files of the bulk window.
#include <string>

#include "bulk/BulkData.h"

namespace optc {

// "<name>Abs.txt": energy and absorption coefficient of every absorption point.
void WriteBulkAbsorptionFile(const BulkData& d, const std::string& path);
// "<name>tauc.txt": energy, the Tauc ordinate last shown and the gap line's value.
void WriteBulkTaucFile(const BulkData& d, const std::string& path);

}  // namespace optc
