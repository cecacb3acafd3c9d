#include "scope/LeastSquares.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace vsp {
namespace {

constexpr double kSingularRatio = 1e-16;
constexpr int kUndetermined = -1;

using Matrix = std::vector<std::vector<double>>;

// The augmented normal equations [AᵀA | Aᵀb].
Matrix NormalEquations(const Matrix& rows, const std::vector<double>& rhs, int columns) {
    Matrix normal(columns, std::vector<double>(columns + 1, 0.0));
    for (size_t r = 0; r < rows.size(); ++r)
        for (int i = 0; i < columns; ++i) {
            for (int j = 0; j < columns; ++j) normal[i][j] += rows[r][i] * rows[r][j];
            normal[i][columns] += rows[r][i] * rhs[r];
        }
    return normal;
}

// Brings `m` to row echelon form; per column the row that holds its pivot, or kUndetermined.
std::vector<int> Eliminate(Matrix& m, int columns) {
    double largest = 0;
    for (int i = 0; i < columns; ++i) largest = std::max(largest, std::fabs(m[i][i]));
    std::vector<int> pivotRow(columns, kUndetermined);
    int row = 0;
    for (int k = 0; k < columns; ++k) {
        int pivot = row;
        for (int i = row + 1; i < columns; ++i)
            if (std::fabs(m[i][k]) > std::fabs(m[pivot][k])) pivot = i;
        if (std::fabs(m[pivot][k]) <= kSingularRatio * largest) continue;
        std::swap(m[row], m[pivot]);
        for (int i = row + 1; i < columns; ++i) {
            const double factor = m[i][k] / m[row][k];
            for (int j = k; j <= columns; ++j) m[i][j] -= factor * m[row][j];
        }
        pivotRow[k] = row++;
    }
    return pivotRow;
}

}  // namespace

std::optional<std::vector<double>> SolveLeastSquares(const Matrix& rows, const std::vector<double>& rhs,
                                                     int columns) {
    Matrix m = NormalEquations(rows, rhs, columns);
    const std::vector<int> pivotRow = Eliminate(m, columns);
    if (std::all_of(pivotRow.begin(), pivotRow.end(), [](int r) { return r == kUndetermined; })) return std::nullopt;
    std::vector<double> x(columns, 0.0);
    for (int k = columns - 1; k >= 0; --k) {
        const int r = pivotRow[k];
        if (r == kUndetermined) continue;
        double sum = m[r][columns];
        for (int j = k + 1; j < columns; ++j) sum -= m[r][j] * x[j];
        x[k] = sum / m[r][k];
    }
    return x;
}

}  // namespace vsp
