#pragma once
// Least squares of a small overdetermined system by its normal equations.

#include <optional>
#include <vector>

namespace vsp {

// The x of `columns` unknowns that minimises |A x - b|, A given row by row (each row
// `columns` long): Gaussian elimination with partial pivoting of AᵀA. An unknown whose pivot
// falls below 1e-16 times the largest diagonal entry is not determined by the rows (a term
// that acts on nothing, or one the others already express) and is left at 0; nullopt when no
// unknown is determined.
std::optional<std::vector<double>> SolveLeastSquares(const std::vector<std::vector<double>>& rows,
                                                     const std::vector<double>& rhs, int columns);

}  // namespace vsp
