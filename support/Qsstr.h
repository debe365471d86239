// Wide text (16-bit units) over shared, reference-counted, copy-on-write
// storage, with a narrow rendering kept alongside.
#ifndef VELMORA_SUPPORT_QSSTR_H
#define VELMORA_SUPPORT_QSSTR_H

#include "Qscstr.h"
#include "QsObject.h"
#include "QsStatus.h"

#include <cstddef>
#include <cstdint>

using QsChar = char16_t;

// Units before the first zero unit; a null text is empty.
std::size_t qsWideLength(const QsChar* text) noexcept;

class QsPhysicalString {
public:
    QsPhysicalString() noexcept = default;
    // Copies the other's text; cannot report, so a failed copy is left without a buffer.
    QsPhysicalString(const QsPhysicalString& other);
    QsPhysicalString& operator=(const QsPhysicalString&) = delete;
    ~QsPhysicalString();

    QsStatus setString(const QsChar* text);
    // Each byte is widened with sign extension (0xE9 becomes 0xFFE9).
    QsStatus append(const char* text);
    // n counts units, terminator included.
    QsStatus makeSpaceFor(std::int32_t n);

    void retain() noexcept;
    void release() noexcept;

    // Narrow rendering, rebuilt on every call: each unit gives (unit AND 0x7F),
    // and units that give zero are left out. Valid until the next call on this
    // storage or its destruction.
    const char* cString();

    std::int32_t length() const noexcept { return m_length; }
    std::int32_t capacity() const noexcept { return m_capacity; }
    std::int32_t referenceCount() const noexcept { return m_referenceCount; }
    const QsChar* buffer() const noexcept { return m_buffer; }
    const QsCString& narrowCopy() const noexcept { return m_narrow; }

private:
    QsStatus makeSpace(std::int64_t n);

    std::int32_t m_length = 0;
    std::int32_t m_capacity = 0;
    std::int32_t m_referenceCount = 0;
    QsChar* m_buffer = nullptr;
    QsCString m_narrow;
};

class QsString : public QsObject {
public:
    QsString() noexcept = default;
    // Cannot report: on failure the handle holds what could be made.
    explicit QsString(const QsChar* text);
    // Copies share the storage until one of them writes.
    QsString(const QsString& other) noexcept;
    QsString& operator=(const QsString& other) noexcept;
    ~QsString() override;

    QsStatus copy(const QsChar* text);
    QsStatus append(const char* text);
    QsStatus prepareForWrite();

    // Empty text for the null string, else the storage's narrow rendering.
    const char* cString() const;
    // Null for the null string.
    const QsPhysicalString* storage() const noexcept { return m_storage; }

    bool isKindOf(const char* name) const override;
    const char* className() const override;
    void printOn(QsStream& stream) const override;

private:
    QsPhysicalString* m_storage = nullptr;
};

#endif
