// Reading fixed-size records out of a block of bytes: the compiled book, the compiled sections and
// the runtimes' own executable headers. Every read is checked against the block's end, so a
// damaged or hostile offset or count can never reach outside it.
#pragma once

#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>
#include <type_traits>
#include <vector>

namespace bookformat {

class BinaryReader
{
public:
    // The reader does not own the bytes; they must outlive it.
    explicit BinaryReader(std::string_view bytes) : m_bytes(bytes) {}

    std::int64_t size() const { return static_cast<std::int64_t>(m_bytes.size()); }

    // Whether `count` items of `itemSize` bytes fit from `offset` to the end.
    bool fits(std::int64_t offset, std::int64_t count, std::int64_t itemSize) const
    {
        if (offset < 0 || count < 0 || offset > size())
            return false;
        return itemSize == 0 || count <= (size() - offset) / itemSize;
    }

    // The value whose bytes start at `offset`; nothing when they do not lie wholly in the block.
    template <class T> std::optional<T> at(std::int64_t offset) const
    {
        static_assert(std::is_trivially_copyable_v<T>);
        if (!fits(offset, 1, sizeof(T)))
            return std::nullopt;
        T value;
        std::memcpy(&value, m_bytes.data() + offset, sizeof(T));
        return value;
    }

    // `count` consecutive values from `offset`; nothing when they do not all lie in the block.
    template <class T>
    std::optional<std::vector<T>> array(std::int64_t offset, std::int64_t count) const
    {
        static_assert(std::is_trivially_copyable_v<T>);
        if (!fits(offset, count, sizeof(T)))
            return std::nullopt;
        std::vector<T> values(static_cast<std::size_t>(count));
        if (count > 0)
            std::memcpy(values.data(), m_bytes.data() + offset,
                        static_cast<std::size_t>(count) * sizeof(T));
        return values;
    }

private:
    std::string_view m_bytes;
};

} // namespace bookformat
