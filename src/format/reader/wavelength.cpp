// A WAV's length from its "fmt " chunk's byte rate and its "data" chunk's size.
#include "format/reader/wavelength.h"

namespace bookformat {

namespace {

std::uint32_t littleEndianAt(std::string_view bytes, std::size_t at)
{
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + std::size_t(i)]);
    return value;
}

} // namespace

std::int64_t WaveHeaderDurationMs(std::string_view wav)
{
    std::uint32_t byteRate = 0;
    for (std::size_t at = 12; at + 8 <= wav.size();) {
        const std::string_view id = wav.substr(at, 4);
        const std::uint32_t size = littleEndianAt(wav, at + 4);
        if (id == "fmt " && at + 20 <= wav.size())
            byteRate = littleEndianAt(wav, at + 8 + 8); // after format, channels, rate
        if (id == "data")
            return byteRate > 0 ? std::int64_t(size) * 1000 / byteRate : 0;
        at += 8 + std::size_t(size) + (size & 1);
    }
    return 0;
}

std::int64_t WaveWaitLimitMs(std::string_view wav, std::int64_t playerDurationMs)
{
    constexpr std::int64_t kMarginMs = 3000;
    const std::int64_t length = playerDurationMs > 0 ? playerDurationMs : WaveHeaderDurationMs(wav);
    return length > 0 ? length + kMarginMs : 60000;
}

} // namespace bookformat
