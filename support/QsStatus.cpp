#include "QsStatus.h"

#include "QsMemory.h"
#include "QsObject.h"
#include "QsPhysicalStatus.h"
#include "QsStream.h"

#include <cstdio>
#include <cstring>

// ---- QsPhysicalStatus ----

QsPhysicalStatus::~QsPhysicalStatus()
{
    while (m_newestFrame != nullptr) {
        QsStatusFrame* const older = m_newestFrame->m_next;
        qsFree(m_newestFrame->m_text);
        qsDestroy(m_newestFrame);
        m_newestFrame = older;
    }
}

const QsPhysicalStatus* QsPhysicalStatus::exhausted() noexcept
{
    // Static storage that is never destroyed: handles may still release it
    // while other statics are torn down at exit.
    alignas(QsPhysicalStatus) static unsigned char storage[sizeof(QsPhysicalStatus)];
    static const QsPhysicalStatus* const record = ::new (static_cast<void*>(storage)) QsPhysicalStatus();
    return record;
}

QsPhysicalStatus* QsPhysicalStatus::create()
{
    QsPhysicalStatus* const record = qsCreate<QsPhysicalStatus>();
    if (record != nullptr) {
        return record;
    }
    // Its count and handled flag change as handles come and go; it never holds frames.
    return const_cast<QsPhysicalStatus*>(exhausted()); // NOLINT(cppcoreguidelines-pro-type-const-cast)
}

void QsPhysicalStatus::retain() noexcept
{
    ++m_referenceCount;
}

void QsPhysicalStatus::release() noexcept
{
    --m_referenceCount;
    if (m_referenceCount == 0 && !isExhausted()) {
        qsDestroy(this);
    }
}

void QsPhysicalStatus::markHandled() noexcept
{
    m_handled = true;
}

bool QsPhysicalStatus::ensureOpenFrame()
{
    if (isExhausted()) {
        return false;
    }
    if (m_newFrame) {
        QsStatusFrame* const frame = qsCreate<QsStatusFrame>();
        if (frame == nullptr) {
            // The level's text and location are lost; the record still says "failed".
            return false;
        }
        frame->m_next = m_newestFrame;
        m_newestFrame = frame;
        m_newFrame = false;
    }
    return true;
}

void QsPhysicalStatus::addText(const char* text)
{
    if (!ensureOpenFrame()) {
        return;
    }
    if (text == nullptr) {
        text = "";
    }
    QsStatusFrame& frame = *m_newestFrame;
    const std::size_t oldLength = frame.m_text != nullptr ? std::strlen(frame.m_text) : 0;
    const std::size_t addedLength = std::strlen(text);
    char* const joined = static_cast<char*>(qsAllocate(oldLength + addedLength + 1));
    if (joined == nullptr) {
        return; // the piece is lost, the frame keeps what it had
    }
    if (frame.m_text != nullptr) {
        std::memcpy(joined, frame.m_text, oldLength);
    }
    std::memcpy(joined + oldLength, text, addedLength + 1);
    qsFree(frame.m_text);
    frame.m_text = joined;
}

void QsPhysicalStatus::setLocation(const QsLocation& location)
{
    if (ensureOpenFrame()) {
        QsStatusFrame& frame = *m_newestFrame;
        frame.m_code = location.code();
        frame.m_module = location.module();
        frame.m_method = location.method();
        frame.m_file = location.file();
        frame.m_line = location.line();
    }
    // Even a lost frame is closed: the next level's text must not land in it.
    if (!isExhausted()) {
        m_newFrame = true;
    }
}

// ---- QsStatus ----

QsStatus::QsStatus(const QsStatus& other) noexcept : m_record(other.m_record)
{
    if (m_record != nullptr) {
        m_record->retain();
    }
}

QsStatus& QsStatus::operator=(const QsStatus& other) noexcept
{
    // Retain first, so assigning a status to itself or to a sharer keeps the record.
    if (other.m_record != nullptr) {
        other.m_record->retain();
    }
    if (m_record != nullptr) {
        m_record->release();
    }
    m_record = other.m_record;
    return *this;
}

QsStatus::~QsStatus()
{
    if (m_record != nullptr) {
        m_record->release();
    }
}

void QsStatus::markHandled() noexcept
{
    if (m_record != nullptr) {
        m_record->markHandled();
    }
}

void QsStatus::addText(const char* text)
{
    if (m_record == nullptr) {
        QsPhysicalStatus* const created = QsPhysicalStatus::create();
        created->retain();
        m_record = created;
    }
    m_record->addText(text);
}

void QsStatus::addLocation(const QsLocation& location)
{
    if (m_record == nullptr) {
        addText("");
    }
    m_record->setLocation(location);
}

QsStatus& QsStatus::operator<<(const char* text)
{
    addText(text);
    return *this;
}

QsStatus& QsStatus::operator<<(std::int32_t number)
{
    char text[20];
    std::snprintf(text, sizeof text, "%d", static_cast<int>(number));
    addText(text);
    return *this;
}

QsStatus& QsStatus::operator<<(const QsObject& object)
{
    QsStream stream;
    object.printOn(stream);
    addText(stream.cString());
    return *this;
}

QsStatus& QsStatus::operator<<(const QsLocation& location)
{
    addLocation(location);
    return *this;
}

const QsStatusFrame* QsStatus::newestFrame() const noexcept
{
    return m_record != nullptr ? m_record->newestFrame() : nullptr;
}

bool QsStatus::isHandled() const noexcept
{
    return m_record != nullptr && m_record->isHandled();
}
