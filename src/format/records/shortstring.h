// string[N] of the book's binary records: one length byte and N bytes of text by the encoding
// rule (textencoding.h). Bytes after the length are kept as they stand, so a record read and
// written back is unchanged.
#pragma once

#include "format/text/textencoding.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace bookformat {

template <std::size_t N> struct PString
{
    static_assert(N > 0 && N < 256);
    static constexpr std::size_t capacity = N;

    std::uint8_t length;
    char chars[N];

    // The stored bytes; a length beyond the capacity (a damaged record) reads as the capacity.
    std::string_view bytes() const { return {chars, std::min<std::size_t>(length, N)}; }
    // The text as UTF-8.
    std::string utf8() const { return DecodeField(bytes()); }
    // Stores UTF-8 text by the rule, cut to the capacity between characters.
    void setUtf8(std::string_view text)
    {
        const std::string stored = EncodeField(text, N);
        std::memcpy(chars, stored.data(), stored.size());
        length = static_cast<std::uint8_t>(stored.size());
    }
    bool isEmpty() const { return length == 0; }
};

} // namespace bookformat
