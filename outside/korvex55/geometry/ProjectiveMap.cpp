#include "outside/korvex55/geometry/ProjectiveMap.h"

#include <cmath>
#include <utility>

namespace KORVEX55 {

namespace {

constexpr int kUnknowns = 8;
using Row = double[kUnknowns + 1];

// Each pair gives two equations in c0..c7 with c8 = 1:
// c0 x + c1 y + c2 - c6 x u - c7 y u = u and the same for v with c3..c5.
void Equations(const PointPair (&pairs)[4], Row (&rows)[kUnknowns])
{
    for (int i = 0; i < 4; ++i) {
        const double x = pairs[i].from.x, y = pairs[i].from.y;
        const double u = pairs[i].to.x, v = pairs[i].to.y;
        const double first[kUnknowns + 1] = {x, y, 1, 0, 0, 0, -x * u, -y * u, u};
        const double second[kUnknowns + 1] = {0, 0, 0, x, y, 1, -x * v, -y * v, v};
        for (int k = 0; k <= kUnknowns; ++k) {
            rows[2 * i][k] = first[k];
            rows[2 * i + 1][k] = second[k];
        }
    }
}

// Gaussian elimination with partial pivoting; false when singular.
bool Solve(Row (&rows)[kUnknowns], double (&solution)[kUnknowns])
{
    double scale = 0;
    for (const Row& row : rows)
        for (int k = 0; k < kUnknowns; ++k)
            scale = std::fmax(scale, std::fabs(row[k]));
    for (int column = 0; column < kUnknowns; ++column) {
        int pivot = column;
        for (int r = column + 1; r < kUnknowns; ++r)
            if (std::fabs(rows[r][column]) > std::fabs(rows[pivot][column]))
                pivot = r;
        if (!(std::fabs(rows[pivot][column]) > 1e-12 * scale))
            return false;
        for (int k = 0; k <= kUnknowns; ++k)
            std::swap(rows[column][k], rows[pivot][k]);
        for (int r = column + 1; r < kUnknowns; ++r) {
            const double factor = rows[r][column] / rows[column][column];
            for (int k = column; k <= kUnknowns; ++k)
                rows[r][k] -= factor * rows[column][k];
        }
    }
    for (int r = kUnknowns - 1; r >= 0; --r) {
        double value = rows[r][kUnknowns];
        for (int k = r + 1; k < kUnknowns; ++k)
            value -= rows[r][k] * solution[k];
        solution[r] = value / rows[r][r];
    }
    return true;
}

}  // namespace

std::string SolveProjectiveMap(const PointPair (&pairs)[4], Matrix3& map)
{
    Row rows[kUnknowns];
    Equations(pairs, rows);
    double solution[kUnknowns];
    if (!Solve(rows, solution))
        return "the corners do not define a perspective map";
    for (int k = 0; k < kUnknowns; ++k) {
        if (!std::isfinite(solution[k]))
            return "the corners do not define a perspective map";
        map.m[k] = solution[k];
    }
    map.m[8] = 1;
    return {};
}

}  // namespace KORVEX55
