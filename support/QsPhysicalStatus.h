// The shared failure record behind QsStatus.
#ifndef VELMORA_SUPPORT_QSPHYSICALSTATUS_H
#define VELMORA_SUPPORT_QSPHYSICALSTATUS_H

#include "Qscstr.h"
#include "QsStatus.h"

#include <cstdint>

class QsPhysicalStatus {
public:
    QsPhysicalStatus() noexcept = default;
    QsPhysicalStatus(const QsPhysicalStatus&) = delete;
    QsPhysicalStatus& operator=(const QsPhysicalStatus&) = delete;
    ~QsPhysicalStatus();

    // A fresh record (count 0), or, when not even that can be allocated, the
    // one static record that stands for "a failure whose report was lost". A
    // failure must never read as success for want of memory.
    static QsPhysicalStatus* create();
    static const QsPhysicalStatus* exhausted() noexcept;

    void retain() noexcept;
    void release() noexcept;
    void addText(const char* text);
    void setLocation(const QsLocation& location);
    void markHandled() noexcept;

    std::int32_t referenceCount() const noexcept { return m_referenceCount; }
    bool isHandled() const noexcept { return m_handled; }
    const QsStatusFrame* newestFrame() const noexcept { return m_newestFrame; }

private:
    bool isExhausted() const noexcept { return this == exhausted(); }
    bool ensureOpenFrame();

    std::int32_t m_referenceCount = 0;
    bool m_newFrame = true;
    bool m_handled = false;
    QsStatusFrame* m_newestFrame = nullptr;
    QsCString m_narrowText;
};

#endif
