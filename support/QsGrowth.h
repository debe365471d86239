// Capacity arithmetic shared by the narrow and wide storages. Done in 64 bits
// so that requests near the top of the 32-bit range are refused instead of
// wrapping into a small (or negative) buffer size.
#ifndef VELMORA_SUPPORT_QSGROWTH_H
#define VELMORA_SUPPORT_QSGROWTH_H

#include <cstddef>
#include <cstdint>

// Units to hold `length` units, `added` more and a terminator; saturates
// instead of wrapping.
std::int64_t qsUnitsNeeded(std::int64_t length, std::size_t added) noexcept;

// The growth rule: the next multiple of ten strictly above `request`, and that
// many units of `unitSize` in bytes. False when the capacity does not fit in
// 32 signed bits or the byte count in size_t.
bool qsGrowthFor(std::int64_t request, std::size_t unitSize, std::int32_t& capacity,
                 std::size_t& bytes) noexcept;

// Decimal text of a request, as "%d" would write it when it fits in 32 bits.
struct QsDecimal {
    explicit QsDecimal(std::int64_t value) noexcept;
    const char* text() const noexcept { return m_text; }

private:
    char m_text[24];
};

#endif
