#include "format/reader/picturestretch.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace bookformat {

namespace {

// Weights are fixed point out of 256, so that a channel times its weight, and the sum of a
// pixel's taps, fit in 16 bits: four channels are then weighed at once in one 64-bit word.
constexpr int kWeightBits = 8;
constexpr std::uint32_t kWhole = 1u << kWeightBits;
constexpr std::uint64_t kLanes = 0x00FF00FF00FF00FFull;
constexpr std::uint64_t kHalves = 0x0080008000800080ull;

// The source pixels one output pixel reads along a line, and where their weights start.
struct Tap
{
    int first = 0;
    int count = 0;
    std::size_t start = 0;
};

struct Taps
{
    std::vector<Tap> at;
    std::vector<std::uint16_t> weights;
    int widest = 0;
};

Taps tapsAlong(int from, int to)
{
    const double scale = double(from) / to;
    const double radius = std::max(1.0, scale);
    Taps taps;
    taps.at.reserve(std::size_t(to));
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
        taps.at.push_back(Tap{first, last - first + 1, taps.weights.size()});
        taps.widest = std::max(taps.widest, last - first + 1);
        int given = 0;
        for (double weight : raw) {
            taps.weights.push_back(std::uint16_t(std::lround(weight / total * kWhole)));
            given += taps.weights.back();
        }
        // Rounding must not tint a flat area: the largest weight takes what is left over.
        const auto own = taps.weights.begin() + std::ptrdiff_t(taps.at.back().start);
        *std::max_element(own, taps.weights.end()) += std::uint16_t(int(kWhole) - given);
    }
    return taps;
}

// A pixel's four channels spread into the four 16-bit lanes of a word, and back.
std::uint64_t spread(std::uint32_t pixel)
{
    std::uint64_t lanes = pixel;
    lanes = (lanes | (lanes << 16)) & 0x0000FFFF0000FFFFull;
    return (lanes | (lanes << 8)) & kLanes;
}

std::uint32_t gather(std::uint64_t lanes)
{
    lanes = (lanes >> kWeightBits) & kLanes;
    lanes = (lanes | (lanes >> 8)) & 0x0000FFFF0000FFFFull;
    return std::uint32_t(lanes | (lanes >> 16));
}

// One source row weighed across into the output's width.
void acrossRow(const std::uint32_t* source, int width, const Taps& taps,
               std::vector<std::uint64_t>& lanes, std::uint32_t* row)
{
    for (int x = 0; x < width; ++x)
        lanes[std::size_t(x)] = spread(source[x]);
    for (const Tap& tap : taps.at) {
        const std::uint64_t* pixel = lanes.data() + tap.first;
        const std::uint16_t* weight = taps.weights.data() + tap.start;
        std::uint64_t sum = kHalves;
        for (int k = 0; k < tap.count; ++k)
            sum += weight[k] * pixel[k];
        *row++ = gather(sum);
    }
}

} // namespace

void StretchPixels(const std::uint32_t* from, int fromWidth, int fromHeight, std::uint32_t* to,
                   int toWidth, int toHeight)
{
    const Taps across = tapsAlong(fromWidth, toWidth);
    const Taps down = tapsAlong(fromHeight, toHeight);
    const std::size_t width = std::size_t(toWidth);
    // Source rows weighed across when an output row first reads them, kept while the following
    // output rows read them too.
    const int kept = down.widest + 1;
    std::vector<std::uint32_t> rows(width * std::size_t(kept));
    std::vector<int> held(std::size_t(kept), -1);
    std::vector<std::uint64_t> lanes(static_cast<std::size_t>(fromWidth));
    const auto rowAcross = [&](int y) {
        const std::size_t slot = std::size_t(y % kept);
        std::uint32_t* row = rows.data() + width * slot;
        if (held[slot] != y) {
            acrossRow(from + std::ptrdiff_t(y) * fromWidth, fromWidth, across, lanes, row);
            held[slot] = y;
        }
        return reinterpret_cast<const std::uint8_t*>(row);
    };
    // Down a whole row at a time, each byte on its own in 16 bits.
    const std::size_t bytes = 4 * width;
    std::vector<std::uint16_t> sums(bytes);
    for (int y = 0; y < toHeight; ++y) {
        const Tap& tap = down.at[std::size_t(y)];
        std::fill(sums.begin(), sums.end(), std::uint16_t(kWhole / 2));
        for (int k = 0; k < tap.count; ++k) {
            const std::uint8_t* row = rowAcross(tap.first + k);
            const std::uint16_t weight = down.weights[tap.start + std::size_t(k)];
            for (std::size_t i = 0; i < bytes; ++i)
                sums[i] = std::uint16_t(sums[i] + weight * row[i]);
        }
        auto* out = reinterpret_cast<std::uint8_t*>(to + width * std::size_t(y));
        for (std::size_t i = 0; i < bytes; ++i)
            out[i] = std::uint8_t(sums[i] >> kWeightBits);
    }
}

} // namespace bookformat
