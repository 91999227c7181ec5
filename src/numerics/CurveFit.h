#pragma once
// Polynomial least squares through the normal equations, solved by Gauss-Jordan
// elimination with full pivoting. Shared by every calculation of the program.
#include <vector>

namespace optc {

// Rows of doubles, sized at run time.
using matrix = std::vector<std::vector<double>>;

// Fits NTerms coefficients of y = c0 + c1 x + ... to the points X[0..NPoints-1],
// Y[0..NPoints-1] into Coef[0..NTerms-1]; Coef beyond NTerms-1 is left untouched.
// Raises EMathError "PolyFit called with less than one term" / "... two points".
void PolyFit(const double* X, const double* Y, double* Coef, int NPoints, int NTerms);

// Solves M X = B for an N x N matrix M, which it consumes. Raises EMathError
// "Error in GaussJordan2: matrix is singular" or "Error in GaussJordan: matrix is singular".
void GaussJordan(matrix& M, const double* B, double* X, int N);

}  // namespace optc
