// Pieces both support-library fuzz targets use: reading operations out of the fuzzer's bytes,
// and refusing or throwing at one chosen allocation of an operation.
#pragma once

#include "QsMemory.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <string>

namespace fuzzharness {

inline void require(bool condition)
{
    if (!condition) {
        std::abort();
    }
}

class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    bool empty() const { return m_size == 0; }
    // Zero once the bytes are used up, so every sequence ends.
    std::uint8_t byte()
    {
        if (m_size == 0) {
            return 0;
        }
        --m_size;
        return *m_data++;
    }
    // Up to maxLength - 1 characters, ended early by a zero byte.
    std::string narrowText(int maxLength)
    {
        std::string text;
        const int length = byte() % maxLength;
        for (int i = 0; i < length; ++i) {
            const char c = static_cast<char>(byte());
            if (c == '\0') {
                break;
            }
            text += c;
        }
        return text;
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
};

// The allocations of one operation, counted; the one at `at` refused or thrown at.
struct Trap {
    std::size_t count = 0;
    std::size_t at = 0;
    bool throws = false;

    static bool hook(std::size_t, void* context)
    {
        Trap& trap = *static_cast<Trap*>(context);
        if (++trap.count != trap.at) {
            return true;
        }
        if (trap.throws) {
            throw std::bad_alloc();
        }
        return false;
    }
};

// Puts the trap in front of the library's allocations for one operation when
// armed, and gives the previous gate back however the operation ends.
class TrapGate {
public:
    TrapGate(bool armed, Trap& trap) : m_active(armed)
    {
        if (m_active) {
            m_previous = qsSetAllocationGate({&Trap::hook, &trap});
        }
    }
    TrapGate(const TrapGate&) = delete;
    TrapGate& operator=(const TrapGate&) = delete;
    ~TrapGate()
    {
        if (m_active) {
            qsSetAllocationGate(m_previous);
        }
    }

private:
    bool m_active;
    QsAllocationGate m_previous{};
};

// True when the operation let a std::bad_alloc out.
template <class Operation>
bool throwsBadAlloc(Operation operation)
{
    try {
        operation();
    } catch (const std::bad_alloc&) {
        return true;
    }
    return false;
}

}  // namespace fuzzharness
