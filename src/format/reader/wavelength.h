// How long a WAV sound lasts by its header, and how long the reader waits for one to end.
#pragma once

#include <cstdint>
#include <string_view>

namespace bookformat {

// The length the header of a WAV claims, in milliseconds; 0 when it does not say.
std::int64_t WaveHeaderDurationMs(std::string_view wav);

// How long playing a WAV may take before it is stopped: its length (from the player, else from
// the header's data size and byte rate) plus a margin; 60 s when neither tells.
std::int64_t WaveWaitLimitMs(std::string_view wav, std::int64_t playerDurationMs);

} // namespace bookformat
