#include "QsMemory.h"

#include <cstdlib>

namespace {

QsAllocationGate g_gate;
std::size_t g_live = 0;

} // namespace

QsAllocationGate qsSetAllocationGate(QsAllocationGate gate) noexcept
{
    const QsAllocationGate previous = g_gate;
    g_gate = gate;
    return previous;
}

void* qsAllocate(std::size_t bytes)
{
    if (g_gate.hook != nullptr && !g_gate.hook(bytes, g_gate.context)) {
        return nullptr;
    }
    void* memory = std::malloc(bytes == 0 ? 1 : bytes);
    if (memory != nullptr) {
        ++g_live;
    }
    return memory;
}

void qsFree(void* memory) noexcept
{
    if (memory != nullptr) {
        --g_live;
        std::free(memory);
    }
}

std::size_t qsLiveAllocations() noexcept
{
    return g_live;
}
