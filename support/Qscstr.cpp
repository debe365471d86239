#include "Qscstr.h"

#include "QsGrowth.h"
#include "QsMemory.h"

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
    qsFree(m_buffer);
    m_buffer = nullptr;
    m_length = 0;
    m_capacity = 0;
    m_referenceCount = 0;
}

void QsPhysicalCString::retain() noexcept
{
    ++m_referenceCount;
}

void QsPhysicalCString::release() noexcept
{
    --m_referenceCount;
    if (m_referenceCount == 0) {
        qsDestroy(this);
    }
}

QsStatus QsPhysicalCString::makeSpaceFor(std::int32_t n)
{
    return makeSpace(n);
}

// Takes the request unclipped, so that callers whose sums leave the 32-bit
// range get the same allocation failure instead of a wrapped size.
QsStatus QsPhysicalCString::makeSpace(std::int64_t n)
{
    QsStatus status;
    if (m_capacity >= n) {
        return status;
    }
    std::int32_t grownCapacity = 0;
    std::size_t bytes = 0;
    char* grown = nullptr;
    if (qsGrowthFor(n, sizeof(char), grownCapacity, bytes)) {
        grown = static_cast<char*>(qsAllocate(bytes));
    }
    if (grown == nullptr) {
        status << "Memory allocation failed. " << "Couldn't make space for " << QsDecimal(n).text()
               << " bytes." << QS_HERE("QsPhysicalCString::makeSpaceFor");
        return status;
    }
    grown[0] = '\0';
    if (m_buffer != nullptr) {
        std::memcpy(grown, m_buffer, static_cast<std::size_t>(m_length) + 1);
        qsFree(m_buffer);
    }
    m_buffer = grown;
    m_capacity = grownCapacity;
    return status;
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
    assert(m_buffer != nullptr); // a request of at least one unit always leaves a buffer
    // memmove: the text may be a tail of this very buffer (which then never grows).
    std::memmove(m_buffer, text, n + 1);
    m_length = static_cast<std::int32_t>(n);
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
    // Retain before release: assigning from itself or a sharer keeps the storage alive.
    if (other.m_storage != nullptr) {
        other.m_storage->retain();
    }
    if (m_storage != nullptr) {
        m_storage->release();
    }
    m_storage = other.m_storage;
    return QsStatus();
}

QsStatus QsCString::prepareForWrite()
{
    QsStatus status;
    if (m_storage == nullptr) {
        QsPhysicalCString* const fresh = qsCreate<QsPhysicalCString>();
        if (fresh != nullptr) {
            fresh->retain();
            m_storage = fresh;
            return status;
        }
    } else if (m_storage->referenceCount() > 1) {
        QsPhysicalCString* duplicate = qsCreate<QsPhysicalCString>(*m_storage);
        if (duplicate != nullptr && m_storage->buffer() != nullptr && duplicate->buffer() == nullptr) {
            qsDestroy(duplicate); // the text could not be copied: keep sharing rather than lose it
            duplicate = nullptr;
        }
        if (duplicate != nullptr) {
            m_storage->release();
            duplicate->retain();
            m_storage = duplicate;
            return status;
        }
    } else {
        return status;
    }
    status << "Memory allocation failed. " << "Couldn't prepare string for writing"
           << QS_HERE("QsCString::prepareForWrite");
    return status;
}

QsStatus QsCString::append(char character)
{
    QsStatus status = prepareForWrite();
    if (status.isOK()) {
        assert(m_storage != nullptr); // a successful prepareForWrite leaves a storage
        status = m_storage->append(character);
    }
    if (!status.isOK()) {
        status << "" << QS_HERE("QsCString::append");
    }
    return status;
}

QsStatus QsCString::append(const char* text)
{
    QsStatus status = prepareForWrite();
    if (status.isOK()) {
        assert(m_storage != nullptr); // a successful prepareForWrite leaves a storage
        status = m_storage->append(text);
    }
    if (!status.isOK()) {
        status << "" << QS_HERE("QsCString::append");
    }
    return status;
}

const char* QsCString::cString() const noexcept
{
    if (m_storage == nullptr || m_storage->buffer() == nullptr) {
        return "";
    }
    return m_storage->buffer();
}
