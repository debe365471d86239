#include "QsGrowth.h"

#include <charconv>
#include <cstdint>
#include <limits>

std::int64_t qsUnitsNeeded(std::int64_t length, std::size_t added) noexcept
{
    constexpr std::int64_t most = std::numeric_limits<std::int64_t>::max();
    if (length < 0) {
        length = 0;
    }
    if (added >= static_cast<std::uint64_t>(most - length)) {
        return most;
    }
    return length + static_cast<std::int64_t>(added) + 1;
}

bool qsGrowthFor(std::int64_t request, std::size_t unitSize, std::int32_t& capacity,
                 std::size_t& bytes) noexcept
{
    constexpr std::int64_t most = std::numeric_limits<std::int32_t>::max();
    if (request > most) {
        return false;
    }
    if (request < 0) {
        request = 0;
    }
    const std::int64_t grown = request - request % 10 + 10;
    if (grown > most) {
        return false;
    }
    if (static_cast<std::uint64_t>(grown) > std::numeric_limits<std::size_t>::max() / unitSize) {
        return false;
    }
    capacity = static_cast<std::int32_t>(grown);
    bytes = static_cast<std::size_t>(grown) * unitSize;
    return true;
}

QsDecimal::QsDecimal(std::int64_t value) noexcept : m_text{}
{
    // 24 bytes hold any 64-bit value with its sign and terminator.
    const std::to_chars_result result = std::to_chars(m_text, m_text + sizeof m_text - 1, value);
    *result.ptr = '\0';
}
