// Test control of the library's allocation seam: counts the allocations an
// operation asks for and makes chosen ones fail or throw.
#ifndef VELMORA_SUPPORT_TESTS_ALLOCATIONSCRIPT_H
#define VELMORA_SUPPORT_TESTS_ALLOCATIONSCRIPT_H

#include "QsMemory.h"
#include "QsStatus.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class AllocationScript {
public:
    AllocationScript();
    AllocationScript(const AllocationScript&) = delete;
    AllocationScript& operator=(const AllocationScript&) = delete;
    ~AllocationScript();

    // Numbers count allocations from the script's installation, from 1.
    void failAt(std::size_t n) { m_failAt = n; }
    void failFrom(std::size_t n) { m_failFrom = n; }
    void throwAt(std::size_t n) { m_throwAt = n; }

    std::size_t count() const { return m_sizes.size(); }
    const std::vector<std::size_t>& sizes() const { return m_sizes; }

private:
    static bool hook(std::size_t bytes, void* context);

    QsAllocationGate m_previous;
    std::vector<std::size_t> m_sizes;
    std::size_t m_failAt = 0;
    std::size_t m_failFrom = 0;
    std::size_t m_throwAt = 0;
};

struct Frame {
    std::string method;
    std::string file;
    std::string text;
};

// The frames of a report, newest first; also checks what every frame of the
// string classes must carry (module, code -1, a line).
std::vector<Frame> framesOf(const QsStatus& status);

bool operator==(const Frame& left, const Frame& right);
void PrintTo(const Frame& frame, std::ostream* out);

#endif
