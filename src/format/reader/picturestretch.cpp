#include "format/reader/picturestretch.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace bookformat {

namespace {

constexpr int kWeightBits = 14;

// For one output pixel along a line: the first source pixel it reads and the weight of each
// source pixel from there, in fixed point, summing to 1 << kWeightBits.
struct Taps
{
    int first = 0;
    std::vector<std::int32_t> weights;
};

std::vector<Taps> tapsAlong(int from, int to)
{
    const double scale = double(from) / to;
    const double radius = std::max(1.0, scale);
    std::vector<Taps> line(std::size_t(to), Taps{});
    std::vector<double> raw;
    for (int i = 0; i < to; ++i) {
        const double centre = (i + 0.5) * scale;
        const int first = std::max(0, int(std::floor(centre - radius)));
        const int last = std::min(from - 1, int(std::ceil(centre + radius)));
        raw.clear();
        double total = 0;
        for (int x = first; x <= last; ++x) {
            const double weight = std::max(0.0, 1.0 - std::abs(x + 0.5 - centre) / radius);
            raw.push_back(weight);
            total += weight;
        }
        Taps& taps = line[std::size_t(i)];
        taps.first = first;
        std::int32_t given = 0;
        for (double weight : raw) {
            taps.weights.push_back(std::int32_t(std::lround(weight / total * (1 << kWeightBits))));
            given += taps.weights.back();
        }
        // Rounding must not tint a flat area: the largest weight takes what is left over.
        *std::max_element(taps.weights.begin(), taps.weights.end()) += (1 << kWeightBits) - given;
    }
    return line;
}

// One output pixel: the source pixels `step` apart that `taps` weighs.
std::uint32_t weighed(const std::uint32_t* source, std::ptrdiff_t step, const Taps& taps)
{
    std::int32_t sum[4] = {1 << (kWeightBits - 1), 1 << (kWeightBits - 1), 1 << (kWeightBits - 1),
                           1 << (kWeightBits - 1)};
    const std::uint32_t* pixel = source + taps.first * step;
    for (std::int32_t weight : taps.weights) {
        for (int channel = 0; channel < 4; ++channel)
            sum[channel] += weight * std::int32_t((*pixel >> (8 * channel)) & 0xff);
        pixel += step;
    }
    std::uint32_t result = 0;
    for (int channel = 0; channel < 4; ++channel) {
        const std::int32_t value = std::clamp(sum[channel] >> kWeightBits, 0, 255);
        result |= std::uint32_t(value) << (8 * channel);
    }
    return result;
}

} // namespace

void StretchPixels(const std::uint32_t* from, int fromWidth, int fromHeight, std::uint32_t* to,
                   int toWidth, int toHeight)
{
    // Across first, into rows of the new width, then down.
    const std::vector<Taps> across = tapsAlong(fromWidth, toWidth);
    const std::vector<Taps> down = tapsAlong(fromHeight, toHeight);
    std::vector<std::uint32_t> rows(std::size_t(toWidth) * std::size_t(fromHeight));
    for (int y = 0; y < fromHeight; ++y) {
        const std::uint32_t* source = from + std::ptrdiff_t(y) * fromWidth;
        std::uint32_t* row = rows.data() + std::ptrdiff_t(y) * toWidth;
        for (int x = 0; x < toWidth; ++x)
            row[x] = weighed(source, 1, across[std::size_t(x)]);
    }
    for (int y = 0; y < toHeight; ++y) {
        std::uint32_t* row = to + std::ptrdiff_t(y) * toWidth;
        for (int x = 0; x < toWidth; ++x)
            row[x] = weighed(rows.data() + x, toWidth, down[std::size_t(y)]);
    }
}

} // namespace bookformat
