// Numbers as the book's files store them in text: "120", "-5", "  7", "$00C0C0C0" (hexadecimal,
// wrapping to 32 bits like a colour), "0x1F".
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace bookformat {

// Leading blanks and a sign are allowed; nothing after the digits. Decimal values must fit 32
// bits; hexadecimal ones wrap.
std::optional<std::int32_t> ParseInteger(std::string_view text);

} // namespace bookformat
