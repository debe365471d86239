#include "Qsstr.h"

#include "QsGrowth.h"
#include "QsStream.h"
#include "QsTextStorage.h"

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
    qsClearText(m_buffer, m_length, m_capacity, m_referenceCount);
}

void QsPhysicalString::retain() noexcept
{
    ++m_referenceCount;
}

void QsPhysicalString::release() noexcept
{
    qsReleaseStorage(this, m_referenceCount);
}

QsStatus QsPhysicalString::makeSpaceFor(std::int32_t n)
{
    return makeSpace(n);
}

QsStatus QsPhysicalString::makeSpace(std::int64_t n)
{
    return qsMakeSpace(m_buffer, m_length, m_capacity, n, QS_HERE("QsPhysicalString::makeSpaceFor"));
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
    qsStoreText(m_buffer, m_length, text, n);
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
    qsShareStorage(m_storage, other.m_storage);
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
    return qsPrepareForWrite(m_storage, QS_HERE("QsString::prepareForWrite"));
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
    return qsWriteUnshared(*this, [&] { return m_storage->append(text); }, QS_HERE("QsString::append"));
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
