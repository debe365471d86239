// The support library's text output stream: objects print themselves into it.
// It loses, silently, whatever it cannot store.
#ifndef VELMORA_SUPPORT_QSSTREAM_H
#define VELMORA_SUPPORT_QSSTREAM_H

#include <cstdint>

class QsString;

class QsStream {
public:
    QsStream();
    QsStream(const QsStream&) = delete;
    QsStream& operator=(const QsStream&) = delete;
    ~QsStream();

    QsStream& operator<<(char character);
    QsStream& operator<<(std::int32_t number);
    QsStream& operator<<(const char* text);

    // Narrow text written so far; empty when nothing could be stored.
    const char* cString() const;

private:
    void write(const char* text);

    QsString* m_string; // null when its allocation failed
};

// The process-wide stream: made during static initialisation, gone at exit.
// The library itself never writes to it.
extern QsStream qsStream;

#endif
