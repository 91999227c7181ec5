#include "datafiles/Ordering.h"

namespace optc {

void CopyLongestFirst(const SpectrumArray& SX, const SpectrumArray& SY, SpectrumArray& TX,
                      SpectrumArray& TY, int count) {
    if (SX[1] >= SX[2]) {
        for (int k = 1; k <= count; ++k) {
            TX[k] = SX[k];
            TY[k] = SY[k];
        }
    } else {
        for (int k = 1; k <= count; ++k) {
            TX[count + 1 - k] = SX[k];
            TY[count + 1 - k] = SY[k];
        }
    }
}

int AscendingFlag(const SpectrumArray& X) { return X[1] < X[2] ? 1 : 0; }

}  // namespace optc
