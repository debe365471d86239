#include "Qscstr.h"

#include "QsGrowth.h"
#include "QsTextStorage.h"

#include <cassert>
#include <cstring>
#include <functional>

// Every report of this file names the reporting statement's line.
#define QS_HERE(method) QsLocation("unknown module", (method), "Qscstr", __LINE__, -1)

// ---- QsPhysicalCString ----

// Delegating, so that a buffer made before an allocator exception is freed.
QsPhysicalCString::QsPhysicalCString(const QsPhysicalCString& other) : QsPhysicalCString()
{
    if (other.m_buffer != nullptr) {
        // A constructor cannot report; the holder checks for the missing buffer.
        static_cast<void>(setString(other.m_buffer));
    }
}

QsPhysicalCString::~QsPhysicalCString()
{
    qsClearText(m_buffer, m_length, m_capacity, m_referenceCount);
}

void QsPhysicalCString::retain() noexcept
{
    ++m_referenceCount;
}

void QsPhysicalCString::release() noexcept
{
    qsReleaseStorage(this, m_referenceCount);
}

QsStatus QsPhysicalCString::makeSpaceFor(std::int32_t n)
{
    return makeSpace(n);
}

QsStatus QsPhysicalCString::makeSpace(std::int64_t n)
{
    return qsMakeSpace(m_buffer, m_length, m_capacity, n, QS_HERE("QsPhysicalCString::makeSpaceFor"));
}

QsStatus QsPhysicalCString::setString(const char* text)
{
    if (text == nullptr) {
        text = "";
    }
    const std::size_t n = std::strlen(text);
    QsStatus status = makeSpace(qsUnitsNeeded(0, n));
    if (!status.isOK()) {
        status << "Couldn't set string: '" << text << "'" << QS_HERE("QsPhysicalCString::setString");
        return status;
    }
    qsStoreText(m_buffer, m_length, text, n);
    return status;
}

QsStatus QsPhysicalCString::append(const char* text)
{
    if (text == nullptr) {
        text = "";
    }
    const std::size_t n = std::strlen(text);
    // Text taken from this buffer moves with it when the buffer grows.
    const std::less<const char*> before;
    const bool inside = m_buffer != nullptr && !before(text, m_buffer) && before(text, m_buffer + m_capacity);
    const std::ptrdiff_t offset = inside ? text - m_buffer : 0;
    QsStatus status = makeSpace(qsUnitsNeeded(m_length, n));
    if (!status.isOK()) {
        status << "Couldn't append '" << text << "' to string." << QS_HERE("QsPhysicalCString::append");
        return status;
    }
    assert(m_buffer != nullptr); // a request of at least one unit always leaves a buffer
    if (inside) {
        text = m_buffer + offset;
    }
    std::memmove(m_buffer + m_length, text, n + 1);
    m_length += static_cast<std::int32_t>(n);
    return status;
}

QsStatus QsPhysicalCString::append(char character)
{
    const char text[2] = {character, '\0'};
    QsStatus status = append(text);
    if (!status.isOK()) {
        // The code, not the character: unprintable bytes stay readable in a report.
        status << "Couldn't append '" << static_cast<std::int32_t>(static_cast<signed char>(character))
               << "' to string." << QS_HERE("QsPhysicalCString::append");
    }
    return status;
}

// ---- QsCString ----

QsCString::QsCString(const QsCString& other) noexcept
{
    static_cast<void>(assign(other));
}

QsCString QsCString::operator=(const QsCString& other) noexcept // NOLINT(misc-unconventional-assign-operator)
{
    static_cast<void>(assign(other));
    return *this;
}

QsCString::~QsCString()
{
    if (m_storage != nullptr) {
        m_storage->release();
    }
}

QsStatus QsCString::assign(const QsCString& other) noexcept
{
    qsShareStorage(m_storage, other.m_storage);
    return QsStatus();
}

QsStatus QsCString::prepareForWrite()
{
    return qsPrepareForWrite(m_storage, QS_HERE("QsCString::prepareForWrite"));
}

QsStatus QsCString::append(char character)
{
    return qsWriteUnshared(*this, [&] { return m_storage->append(character); }, QS_HERE("QsCString::append"));
}

QsStatus QsCString::append(const char* text)
{
    return qsWriteUnshared(*this, [&] { return m_storage->append(text); }, QS_HERE("QsCString::append"));
}

const char* QsCString::cString() const noexcept
{
    if (m_storage == nullptr || m_storage->buffer() == nullptr) {
        return "";
    }
    return m_storage->buffer();
}
