// The support library's failure channel. A QsStatus is empty on success; on
// failure it shares a record listing, newest first, one frame per level that
// reported on the way out: the text that level wrote and where it wrote it.
#ifndef VELMORA_SUPPORT_QSSTATUS_H
#define VELMORA_SUPPORT_QSSTATUS_H

#include <cstdint>

class QsObject;
class QsPhysicalStatus;

// Where a report was made. Frames keep these pointers, so the texts must be static.
class QsLocation {
public:
    QsLocation(const char* module, const char* method, const char* file, std::int32_t line,
               std::int32_t code) noexcept
        : m_module(module), m_method(method), m_code(code), m_file(file), m_line(line)
    {
    }

    const char* module() const noexcept { return m_module; }
    const char* method() const noexcept { return m_method; }
    std::int32_t code() const noexcept { return m_code; }
    const char* file() const noexcept { return m_file; }
    std::int32_t line() const noexcept { return m_line; }

private:
    const char* m_module;
    const char* m_method;
    std::int32_t m_code;
    const char* m_file;
    std::int32_t m_line;
};

// One level of a report. Built and owned by QsPhysicalStatus; readers only look.
class QsStatusFrame {
public:
    const QsStatusFrame* next() const noexcept { return m_next; }
    // Null until the level wrote its first piece.
    const char* text() const noexcept { return m_text; }
    std::int32_t code() const noexcept { return m_code; }
    // The location fields stay null when the level never closed its frame.
    const char* module() const noexcept { return m_module; }
    const char* method() const noexcept { return m_method; }
    const char* file() const noexcept { return m_file; }
    std::int32_t line() const noexcept { return m_line; }

private:
    friend class QsPhysicalStatus;

    QsStatusFrame* m_next = nullptr;
    char* m_text = nullptr;
    std::int32_t m_code = 0;
    const char* m_module = nullptr;
    const char* m_method = nullptr;
    const char* m_file = nullptr;
    std::int32_t m_line = 0;
};

// Dropping a status by accident hides a failure; deliberate drops say so.
class [[nodiscard]] QsStatus {
public:
    QsStatus() noexcept = default;
    QsStatus(const QsStatus& other) noexcept;
    QsStatus& operator=(const QsStatus& other) noexcept;
    ~QsStatus();

    bool isOK() const noexcept { return m_record == nullptr; }
    // Marks the shared record, so every copy sees it handled.
    void markHandled() noexcept;
    void addText(const char* text);

    QsStatus& operator<<(const char* text);
    QsStatus& operator<<(std::int32_t number);
    QsStatus& operator<<(const QsObject& object);
    QsStatus& operator<<(const QsLocation& location);

    // Read-back for report formatters and tests.
    const QsPhysicalStatus* record() const noexcept { return m_record; }
    const QsStatusFrame* newestFrame() const noexcept;
    bool isHandled() const noexcept;

private:
    void addLocation(const QsLocation& location);

    QsPhysicalStatus* m_record = nullptr;
};

#endif
