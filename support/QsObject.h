// Root of the support library's polymorphic classes: which class an object
// is, and how it prints itself.
#ifndef VELMORA_SUPPORT_QSOBJECT_H
#define VELMORA_SUPPORT_QSOBJECT_H

class QsStream;

class QsObject {
public:
    QsObject() = default;
    QsObject(const QsObject&) = default;
    QsObject& operator=(const QsObject&) = default;

    // Slot order matters to code that reaches these through the dispatch
    // table: destructor, isKindOf, className, printOn.
    virtual ~QsObject();
    // True for the name of the object's class and of every base; case-sensitive.
    virtual bool isKindOf(const char* name) const;
    virtual const char* className() const;
    virtual void printOn(QsStream& stream) const = 0;
};

#endif
