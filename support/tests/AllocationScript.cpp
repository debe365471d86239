#include "AllocationScript.h"

#include <gtest/gtest.h>

#include <new>
#include <ostream>

AllocationScript::AllocationScript() : m_previous(qsSetAllocationGate({&AllocationScript::hook, this}))
{
}

AllocationScript::~AllocationScript()
{
    qsSetAllocationGate(m_previous);
}

bool AllocationScript::hook(std::size_t bytes, void* context)
{
    AllocationScript& script = *static_cast<AllocationScript*>(context);
    script.m_sizes.push_back(bytes);
    const std::size_t n = script.m_sizes.size();
    if (n == script.m_throwAt) {
        throw std::bad_alloc();
    }
    return n != script.m_failAt && (script.m_failFrom == 0 || n < script.m_failFrom);
}

std::vector<Frame> framesOf(const QsStatus& status)
{
    std::vector<Frame> frames;
    for (const QsStatusFrame* frame = status.newestFrame(); frame != nullptr; frame = frame->next()) {
        EXPECT_STREQ(frame->module(), "unknown module");
        EXPECT_EQ(frame->code(), -1);
        EXPECT_GT(frame->line(), 0);
        EXPECT_NE(frame->text(), nullptr);
        frames.push_back({frame->method() != nullptr ? frame->method() : "",
                          frame->file() != nullptr ? frame->file() : "",
                          frame->text() != nullptr ? frame->text() : ""});
    }
    return frames;
}

bool operator==(const Frame& left, const Frame& right)
{
    return left.method == right.method && left.file == right.file && left.text == right.text;
}

void PrintTo(const Frame& frame, std::ostream* out)
{
    *out << "{" << frame.method << ", " << frame.file << ", \"" << frame.text << "\"}";
}
