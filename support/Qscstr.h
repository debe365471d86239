// Narrow (8-bit) text over shared, reference-counted, copy-on-write storage.
#ifndef VELMORA_SUPPORT_QSCSTR_H
#define VELMORA_SUPPORT_QSCSTR_H

#include "QsStatus.h"

#include <cstdint>

class QsPhysicalCString {
public:
    QsPhysicalCString() noexcept = default;
    // Copies the other's text; cannot report, so a failed copy is left without a buffer.
    QsPhysicalCString(const QsPhysicalCString& other);
    QsPhysicalCString& operator=(const QsPhysicalCString&) = delete;
    ~QsPhysicalCString();

    QsStatus setString(const char* text);
    QsStatus append(const char* text);
    QsStatus append(char character);
    // n counts bytes, terminator included.
    QsStatus makeSpaceFor(std::int32_t n);

    void retain() noexcept;
    // Destroys and frees the storage when the last holder lets go.
    void release() noexcept;

    std::int32_t length() const noexcept { return m_length; }
    std::int32_t capacity() const noexcept { return m_capacity; }
    std::int32_t referenceCount() const noexcept { return m_referenceCount; }
    // Null until the first growth.
    const char* buffer() const noexcept { return m_buffer; }

private:
    QsStatus makeSpace(std::int64_t n);

    std::int32_t m_length = 0;
    std::int32_t m_capacity = 0;
    std::int32_t m_referenceCount = 0;
    char* m_buffer = nullptr;
};

class QsCString {
public:
    constexpr QsCString() noexcept = default;
    QsCString(const QsCString& other) noexcept;
    // Shares the other's storage. Hands back a further handle on it rather
    // than a reference, as callers of this class have always expected.
    QsCString operator=(const QsCString& other) noexcept; // NOLINT(misc-unconventional-assign-operator)
    ~QsCString();

    // Shares the other's storage; cannot fail.
    QsStatus assign(const QsCString& other) noexcept;
    QsStatus append(char character);
    QsStatus append(const char* text);
    QsStatus prepareForWrite();

    // Empty text for the null string or a storage without a buffer.
    const char* cString() const noexcept;
    // Null for the null string.
    const QsPhysicalCString* storage() const noexcept { return m_storage; }

private:
    QsPhysicalCString* m_storage = nullptr;
};

#endif
