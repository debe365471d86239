#include "QsStream.h"

#include "QsMemory.h"
#include "QsStatus.h"
#include "Qsstr.h"

#include <cstdio>

QsStream qsStream;

QsStream::QsStream() : m_string(qsCreate<QsString>())
{
}

QsStream::~QsStream()
{
    if (m_string != nullptr) {
        // Through the root's virtual destructor; free the whole object's block.
        QsObject* const object = m_string;
        void* const block = dynamic_cast<void*>(object);
        object->~QsObject();
        qsFree(block);
    }
}

void QsStream::write(const char* text)
{
    if (m_string != nullptr) {
        m_string->append(text).markHandled();
    }
}

QsStream& QsStream::operator<<(char character)
{
    char text[20];
    // "%c" of the zero character ends the text at once: it writes nothing.
    std::snprintf(text, sizeof text, "%c", character);
    write(text);
    return *this;
}

QsStream& QsStream::operator<<(std::int32_t number)
{
    char text[20];
    std::snprintf(text, sizeof text, "%d", static_cast<int>(number));
    write(text);
    return *this;
}

QsStream& QsStream::operator<<(const char* text)
{
    write(text);
    return *this;
}

const char* QsStream::cString() const
{
    return m_string != nullptr ? m_string->cString() : "";
}
