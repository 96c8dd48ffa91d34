// Reading fixed-size records out of a block of bytes: the book's record files, the compiled book,
// the compiled sections and the runtime's own ELF headers. Every read is checked against the
// block's end, so a damaged or hostile offset or count can never reach outside it.
#pragma once

#include "format/records/blockreader.h"

#include <QByteArrayView>
#include <QList>

#include <cstring>
#include <optional>
#include <type_traits>

// The format library's reader (format/records/blockreader.h) over a QByteArrayView, with QList
// arrays.
class BinaryReader
{
public:
    // The reader does not own the bytes; they must outlive it.
    explicit BinaryReader(QByteArrayView bytes)
        : m_reader(std::string_view(bytes.data(), static_cast<std::size_t>(bytes.size())))
    {}

    qint64 size() const { return m_reader.size(); }

    // Whether `count` items of `itemSize` bytes fit from `offset` to the end.
    bool fits(qint64 offset, qint64 count, qint64 itemSize) const
    {
        return m_reader.fits(offset, count, itemSize);
    }

    // The value whose bytes start at `offset`; nothing when they do not lie wholly in the block.
    template <class T> std::optional<T> at(qint64 offset) const { return m_reader.at<T>(offset); }

    // `count` consecutive values from `offset`; nothing when they do not all lie in the block.
    template <class T> std::optional<QList<T>> array(qint64 offset, qint64 count) const
    {
        const std::optional<std::vector<T>> values = m_reader.array<T>(offset, count);
        if (!values)
            return std::nullopt;
        return QList<T>(values->begin(), values->end());
    }

private:
    bookformat::BinaryReader m_reader;
};
