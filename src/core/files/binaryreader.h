// Reading fixed-size records out of a block of bytes: the book's record files, the compiled book,
// the compiled sections and the runtime's own ELF headers. Every read is checked against the
// block's end, so a damaged or hostile offset or count can never reach outside it.
#pragma once

#include <QByteArrayView>
#include <QList>

#include <cstring>
#include <optional>
#include <type_traits>

class BinaryReader
{
public:
    // The reader does not own the bytes; they must outlive it.
    explicit BinaryReader(QByteArrayView bytes) : m_bytes(bytes) {}

    qint64 size() const { return m_bytes.size(); }

    // Whether `count` items of `itemSize` bytes fit from `offset` to the end.
    bool fits(qint64 offset, qint64 count, qint64 itemSize) const
    {
        if (offset < 0 || count < 0 || offset > size())
            return false;
        return itemSize == 0 || count <= (size() - offset) / itemSize;
    }

    // The value whose bytes start at `offset`; nothing when they do not lie wholly in the block.
    template <class T> std::optional<T> at(qint64 offset) const
    {
        static_assert(std::is_trivially_copyable_v<T>);
        if (!fits(offset, 1, sizeof(T)))
            return std::nullopt;
        T value;
        std::memcpy(&value, m_bytes.data() + offset, sizeof(T));
        return value;
    }

    // `count` consecutive values from `offset`; nothing when they do not all lie in the block.
    template <class T> std::optional<QList<T>> array(qint64 offset, qint64 count) const
    {
        static_assert(std::is_trivially_copyable_v<T>);
        if (!fits(offset, count, sizeof(T)))
            return std::nullopt;
        QList<T> values(count);
        if (count > 0)
            std::memcpy(values.data(), m_bytes.data() + offset, count * sizeof(T));
        return values;
    }

private:
    QByteArrayView m_bytes;
};
