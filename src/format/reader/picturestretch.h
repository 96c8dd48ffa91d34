// A picture stretched over a screen, as the Windows runtime scales it once and keeps it.
#pragma once

#include <cstdint>

namespace bookformat {

// Scales 32-bit pixels (four 8-bit channels, rows top first, no padding) from one size to
// another. Each pixel weighs the source pixels under it through a triangle filter, widened when
// the picture shrinks so that the pixels between those taken count too; only the picture's own
// pixels are read, so no colour creeps in at its edges. Weights are in 256ths, exact in sum, so
// a flat colour stays flat. Sizes are at least 1 by 1.
void StretchPixels(const std::uint32_t* from, int fromWidth, int fromHeight, std::uint32_t* to,
                   int toWidth, int toHeight);

} // namespace bookformat
