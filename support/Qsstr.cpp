#include "Qsstr.h"

#include "QsGrowth.h"
#include "QsMemory.h"
#include "QsStream.h"

#include <cassert>
#include <cstring>

// Every report of this file names the reporting statement's line.
#define QS_HERE(method) QsLocation("unknown module", (method), "Qsstr", __LINE__, -1)

namespace {

char narrowed(QsChar unit) noexcept
{
    return static_cast<char>(unit & 0x7F);
}

QsChar widened(char byte) noexcept
{
    return static_cast<QsChar>(static_cast<std::int16_t>(static_cast<signed char>(byte)));
}

// Writes the text into a report as printOn would show it, in chunks from the
// stack: the report must not depend on the string operation that just failed.
void insertRendered(QsStatus& status, const QsChar* text)
{
    char chunk[64];
    std::size_t used = 0;
    for (; text != nullptr && *text != 0; ++text) {
        const char character = narrowed(*text);
        if (character == '\0') {
            continue;
        }
        chunk[used++] = character;
        if (used == sizeof chunk - 1) {
            chunk[used] = '\0';
            status << chunk;
            used = 0;
        }
    }
    if (used > 0) {
        chunk[used] = '\0';
        status << chunk;
    }
}

} // namespace

std::size_t qsWideLength(const QsChar* text) noexcept
{
    std::size_t length = 0;
    if (text != nullptr) {
        while (text[length] != 0) {
            ++length;
        }
    }
    return length;
}

// ---- QsPhysicalString ----

QsPhysicalString::QsPhysicalString(const QsPhysicalString& other) : QsPhysicalString()
{
    if (other.m_buffer != nullptr) {
        // A constructor cannot report; the holder checks for the missing buffer.
        static_cast<void>(setString(other.m_buffer));
    }
}

QsPhysicalString::~QsPhysicalString()
{
    qsFree(m_buffer);
    m_buffer = nullptr;
    m_length = 0;
    m_capacity = 0;
    m_referenceCount = 0;
}

void QsPhysicalString::retain() noexcept
{
    ++m_referenceCount;
}

void QsPhysicalString::release() noexcept
{
    --m_referenceCount;
    if (m_referenceCount == 0) {
        qsDestroy(this);
    }
}

QsStatus QsPhysicalString::makeSpaceFor(std::int32_t n)
{
    return makeSpace(n);
}

// Takes the request unclipped, so that callers whose sums leave the 32-bit
// range get the same allocation failure instead of a wrapped size.
QsStatus QsPhysicalString::makeSpace(std::int64_t n)
{
    QsStatus status;
    if (m_capacity >= n) {
        return status;
    }
    std::int32_t grownCapacity = 0;
    std::size_t bytes = 0;
    QsChar* grown = nullptr;
    if (qsGrowthFor(n, sizeof(QsChar), grownCapacity, bytes)) {
        grown = static_cast<QsChar*>(qsAllocate(bytes));
    }
    if (grown == nullptr) {
        // The number is the request in units, whatever the message calls them.
        status << "Memory allocation failed. " << "Couldn't make space for " << QsDecimal(n).text()
               << " bytes." << QS_HERE("QsPhysicalString::makeSpaceFor");
        return status;
    }
    grown[0] = 0;
    if (m_buffer != nullptr) {
        std::memcpy(grown, m_buffer, (static_cast<std::size_t>(m_length) + 1) * sizeof(QsChar));
        qsFree(m_buffer);
    }
    m_buffer = grown;
    m_capacity = grownCapacity;
    return status;
}

QsStatus QsPhysicalString::setString(const QsChar* text)
{
    static const QsChar empty[1] = {0};
    if (text == nullptr) {
        text = empty;
    }
    const std::size_t n = qsWideLength(text);
    QsStatus status = makeSpace(qsUnitsNeeded(0, n));
    if (!status.isOK()) {
        status << "Couldn't set string: '";
        insertRendered(status, text);
        status << "'" << QS_HERE("QsPhysicalString::setString");
        return status;
    }
    assert(m_buffer != nullptr); // a request of at least one unit always leaves a buffer
    // memmove: the text may be a tail of this very buffer (which then never grows).
    std::memmove(m_buffer, text, (n + 1) * sizeof(QsChar));
    m_length = static_cast<std::int32_t>(n);
    return status;
}

QsStatus QsPhysicalString::append(const char* text)
{
    if (text == nullptr) {
        text = "";
    }
    const std::size_t n = std::strlen(text);
    QsStatus status = makeSpace(qsUnitsNeeded(m_length, n));
    if (!status.isOK()) {
        status << "Couldn't append '" << text << "' to string." << QS_HERE("QsPhysicalString::append");
        return status;
    }
    assert(m_buffer != nullptr); // a request of at least one unit always leaves a buffer
    QsChar* const end = m_buffer + m_length;
    for (std::size_t i = 0; i < n; ++i) {
        end[i] = widened(text[i]);
    }
    end[n] = 0;
    m_length += static_cast<std::int32_t>(n);
    return status;
}

const char* QsPhysicalString::cString()
{
    QsCString rendering;
    for (const QsChar* unit = m_buffer; unit != nullptr && *unit != 0; ++unit) {
        // Under memory exhaustion the rendering keeps what could be built.
        QsStatus status = rendering.append(narrowed(*unit));
        status.markHandled();
    }
    static_cast<void>(m_narrow.assign(rendering));
    return m_narrow.cString();
}

// ---- QsString ----

// Delegating, so that the destructor releases the storage if the allocator
// throws part-way through the copy.
QsString::QsString(const QsChar* text) : QsString()
{
    static_cast<void>(copy(text));
}

QsString::QsString(const QsString& other) noexcept : QsObject(other), m_storage(other.m_storage)
{
    if (m_storage != nullptr) {
        m_storage->retain();
    }
}

QsString& QsString::operator=(const QsString& other) noexcept
{
    // Retain before release: assigning from itself or a sharer keeps the storage alive.
    if (other.m_storage != nullptr) {
        other.m_storage->retain();
    }
    if (m_storage != nullptr) {
        m_storage->release();
    }
    m_storage = other.m_storage;
    return *this;
}

QsString::~QsString()
{
    if (m_storage != nullptr) {
        m_storage->release();
    }
}

QsStatus QsString::prepareForWrite()
{
    QsStatus status;
    if (m_storage == nullptr) {
        QsPhysicalString* const fresh = qsCreate<QsPhysicalString>();
        if (fresh != nullptr) {
            fresh->retain();
            m_storage = fresh;
            return status;
        }
    } else if (m_storage->referenceCount() > 1) {
        QsPhysicalString* duplicate = qsCreate<QsPhysicalString>(*m_storage);
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
           << QS_HERE("QsString::prepareForWrite");
    return status;
}

QsStatus QsString::copy(const QsChar* text)
{
    QsStatus status = prepareForWrite();
    if (status.isOK()) {
        assert(m_storage != nullptr); // a successful prepareForWrite leaves a storage
        status = m_storage->setString(text);
    }
    if (!status.isOK()) {
        status << "Couldn't copy string '";
        insertRendered(status, text);
        status << "'" << QS_HERE("QsString::copy");
    }
    return status;
}

QsStatus QsString::append(const char* text)
{
    QsStatus status = prepareForWrite();
    if (status.isOK()) {
        assert(m_storage != nullptr); // a successful prepareForWrite leaves a storage
        status = m_storage->append(text);
    }
    if (!status.isOK()) {
        status << "" << QS_HERE("QsString::append");
    }
    return status;
}

const char* QsString::cString() const
{
    return m_storage != nullptr ? m_storage->cString() : "";
}

bool QsString::isKindOf(const char* name) const
{
    if (name != nullptr && std::strcmp(name, "QsString") == 0) {
        return true;
    }
    return QsObject::isKindOf(name);
}

const char* QsString::className() const
{
    return "QsString";
}

void QsString::printOn(QsStream& stream) const
{
    if (m_storage == nullptr) {
        stream << "(NULL QsString)";
        return;
    }
    for (const QsChar* unit = m_storage->buffer(); unit != nullptr && *unit != 0; ++unit) {
        stream << narrowed(*unit);
    }
}
