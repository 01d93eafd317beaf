#pragma once

#include <cstdint>
#include <initializer_list>

// A small set of the values of an enumeration (at most 32 of them), held as bits.
template <typename E> class TEnumSet
{
public:
    constexpr TEnumSet() = default;
    constexpr TEnumSet(std::initializer_list<E> items)
    {
        for (E item : items)
            Include(item);
    }

    constexpr bool Contains(E item) const { return (FBits & Bit(item)) != 0; }
    constexpr void Include(E item) { FBits |= Bit(item); }
    constexpr void Clear() { FBits = 0; }

    constexpr bool operator==(const TEnumSet&) const = default;

private:
    static constexpr std::uint32_t Bit(E item)
    {
        return std::uint32_t{1} << static_cast<unsigned>(item);
    }

    std::uint32_t FBits = 0;
};
