#include "format/reader/picturestretch.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace bookformat {

namespace {

constexpr int kWeightBits = 14;
constexpr std::int32_t kHalf = 1 << (kWeightBits - 1);

// Along one line: for each output pixel, the first source pixel it reads, how many it reads,
// and where their weights start in `weights` (fixed point, summing to 1 << kWeightBits).
struct Taps
{
    std::vector<int> first;
    std::vector<int> count;
    std::vector<std::size_t> start;
    std::vector<std::int32_t> weights;
};

Taps tapsAlong(int from, int to)
{
    const double scale = double(from) / to;
    const double radius = std::max(1.0, scale);
    Taps taps;
    std::vector<double> raw;
    for (int i = 0; i < to; ++i) {
        const double centre = (i + 0.5) * scale;
        // The pixels whose centres lie within the radius: the others weigh nothing.
        const int first = std::max(0, int(std::floor(centre - radius + 0.5)));
        const int last = std::min(from - 1, int(std::ceil(centre + radius - 0.5)) - 1);
        raw.clear();
        double total = 0;
        for (int x = first; x <= last; ++x) {
            raw.push_back(std::max(0.0, 1.0 - std::abs(x + 0.5 - centre) / radius));
            total += raw.back();
        }
        taps.first.push_back(first);
        taps.count.push_back(last - first + 1);
        taps.start.push_back(taps.weights.size());
        std::int32_t given = 0;
        for (double weight : raw) {
            taps.weights.push_back(std::int32_t(std::lround(weight / total * (1 << kWeightBits))));
            given += taps.weights.back();
        }
        // Rounding must not tint a flat area: the largest weight takes what is left over.
        const auto own = taps.weights.begin() + std::ptrdiff_t(taps.start.back());
        *std::max_element(own, taps.weights.end()) += (1 << kWeightBits) - given;
    }
    return taps;
}

std::uint8_t channel(std::int32_t sum)
{
    return std::uint8_t(std::clamp(sum >> kWeightBits, 0, 255));
}

// One row across, its bytes (four a pixel) weighed into `width` pixels.
void acrossRow(const std::uint8_t* source, const Taps& taps, int width, std::uint8_t* row)
{
    for (int x = 0; x < width; ++x) {
        const std::uint8_t* pixel = source + 4 * std::ptrdiff_t(taps.first[std::size_t(x)]);
        const std::int32_t* weight = taps.weights.data() + taps.start[std::size_t(x)];
        std::int32_t sum[4] = {kHalf, kHalf, kHalf, kHalf};
        for (int k = 0; k < taps.count[std::size_t(x)]; ++k, pixel += 4) {
            for (int c = 0; c < 4; ++c)
                sum[c] += weight[k] * pixel[c];
        }
        for (int c = 0; c < 4; ++c)
            row[4 * x + c] = channel(sum[c]);
    }
}

} // namespace

void StretchPixels(const std::uint32_t* from, int fromWidth, int fromHeight, std::uint32_t* to,
                   int toWidth, int toHeight)
{
    // Across first, into rows of the new width, then down a whole row at a time.
    const Taps across = tapsAlong(fromWidth, toWidth);
    const Taps down = tapsAlong(fromHeight, toHeight);
    const std::size_t rowBytes = 4 * std::size_t(toWidth);
    std::vector<std::uint8_t> rows(rowBytes * std::size_t(fromHeight));
    const auto* source = reinterpret_cast<const std::uint8_t*>(from);
    for (int y = 0; y < fromHeight; ++y)
        acrossRow(source + 4 * std::ptrdiff_t(y) * fromWidth, across, toWidth,
                  rows.data() + rowBytes * std::size_t(y));
    std::vector<std::int32_t> sums(rowBytes);
    auto* target = reinterpret_cast<std::uint8_t*>(to);
    for (int y = 0; y < toHeight; ++y) {
        std::fill(sums.begin(), sums.end(), kHalf);
        const std::int32_t* weight = down.weights.data() + down.start[std::size_t(y)];
        for (int k = 0; k < down.count[std::size_t(y)]; ++k) {
            const std::uint8_t* row =
                rows.data() + rowBytes * std::size_t(down.first[std::size_t(y)] + k);
            for (std::size_t i = 0; i < rowBytes; ++i)
                sums[i] += weight[k] * row[i];
        }
        std::uint8_t* out = target + rowBytes * std::size_t(y);
        for (std::size_t i = 0; i < rowBytes; ++i)
            out[i] = channel(sums[i]);
    }
}

} // namespace bookformat
