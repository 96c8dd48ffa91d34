// string[N] for Qt code: the format's string[N] (format/records/shortstring.h), the same bytes,
// with its text as QString.
#pragma once

#include "core/files/textcodec.h"
#include "format/records/shortstring.h"

#include <QString>

#include <cstring>

template <std::size_t N> struct PString : bookformat::PString<N>
{
    // The field's text by the encoding rule.
    QString text() const
    {
        const std::string_view stored = this->bytes();
        return textcodec::decodeField(stored.data(), qsizetype(stored.size()));
    }

    // Stored by the encoding rule: Windows-1252 when it can, else UTF-8; text longer than the
    // capacity is cut to it between characters.
    void setText(const QString& value)
    {
        const QByteArray bytes = textcodec::encodeField(value, N);
        std::memcpy(this->chars, bytes.constData(), static_cast<std::size_t>(bytes.size()));
        this->length = static_cast<std::uint8_t>(bytes.size());
    }
};
static_assert(sizeof(PString<80>) == sizeof(bookformat::PString<80>));
