// Tone curves for look-up tables.
#pragma once

namespace ZAV {

// Fills the table from control points in percent (-1 unset), linear or
// smooth; entries are clamped to 0..255. Throws on bad arguments.
int InterpolateCurve(const int* controlPercent, int controlCount, int* table, int tableSize, int smooth);

}  // namespace ZAV
