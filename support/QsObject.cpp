#include "QsObject.h"

#include <cstring>

QsObject::~QsObject() = default;

bool QsObject::isKindOf(const char* name) const
{
    return name != nullptr && std::strcmp(name, "QsObject") == 0;
}

const char* QsObject::className() const
{
    return "QsObject";
}
