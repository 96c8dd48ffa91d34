// string[N] of the book's binary records: one length byte and N character bytes.
// Bytes after the length are kept as they stand, so a record read and written back is unchanged.
#pragma once

#include "core/files/textcodec.h"

#include <QString>

#include <algorithm>
#include <cstdint>
#include <cstring>

template <std::size_t N> struct PString
{
    static_assert(N > 0 && N < 256);
    static constexpr std::size_t capacity = N;

    std::uint8_t length;
    char chars[N];

    // The field's text by the encoding rule (textcodec::decodeField).
    QString text() const { return textcodec::decodeField(chars, std::min<std::size_t>(length, N)); }

    // Stored by the encoding rule: Windows-1252 when it can, else UTF-8; text longer than the
    // capacity is cut to it between characters.
    void setText(const QString& value)
    {
        const QByteArray bytes = textcodec::encodeField(value, N);
        const auto n = std::min<std::size_t>(static_cast<std::size_t>(bytes.size()), N);
        std::memcpy(chars, bytes.constData(), n);
        length = static_cast<std::uint8_t>(n);
    }

    bool isEmpty() const { return length == 0; }
};
