// What the narrow and wide strings do alike, written once over the unit type.
// Private to Qscstr.cpp and Qsstr.cpp: the public classes keep their own
// members and hand them in. Each caller passes the location its reports name,
// so a report still shows the class, file and line of the call that failed.
#ifndef VELMORA_SUPPORT_QSTEXTSTORAGE_H
#define VELMORA_SUPPORT_QSTEXTSTORAGE_H

#include "QsGrowth.h"
#include "QsMemory.h"
#include "QsStatus.h"

#include <cassert>
#include <cstdint>
#include <cstring>

// Frees a storage's buffer and leaves its fields as a fresh storage has them.
template <class Unit>
void qsClearText(Unit*& buffer, std::int32_t& length, std::int32_t& capacity, std::int32_t& referenceCount) noexcept
{
    qsFree(buffer);
    buffer = nullptr;
    length = 0;
    capacity = 0;
    referenceCount = 0;
}

// Destroys the storage when its last holder lets go.
template <class Storage>
void qsReleaseStorage(Storage* storage, std::int32_t& referenceCount) noexcept
{
    --referenceCount;
    if (referenceCount == 0) {
        qsDestroy(storage);
    }
}

// Grows the buffer to hold at least n units, keeping its text. Takes the
// request unclipped, so that callers whose sums leave the 32-bit range get the
// same allocation failure instead of a wrapped size.
template <class Unit>
QsStatus qsMakeSpace(Unit*& buffer, std::int32_t length, std::int32_t& capacity, std::int64_t n,
                     const QsLocation& here)
{
    QsStatus status;
    if (capacity >= n) {
        return status;
    }
    std::int32_t grownCapacity = 0;
    std::size_t bytes = 0;
    Unit* grown = nullptr;
    if (qsGrowthFor(n, sizeof(Unit), grownCapacity, bytes)) {
        grown = static_cast<Unit*>(qsAllocate(bytes));
    }
    if (grown == nullptr) {
        // The number is the request in units, whatever the message calls them.
        status << "Memory allocation failed. " << "Couldn't make space for " << QsDecimal(n).text()
               << " bytes." << here;
        return status;
    }
    grown[0] = Unit(0);
    if (buffer != nullptr) {
        std::memcpy(grown, buffer, (static_cast<std::size_t>(length) + 1) * sizeof(Unit));
        qsFree(buffer);
    }
    buffer = grown;
    capacity = grownCapacity;
    return status;
}

// Puts n units and a terminator at the start of a buffer already big enough.
// memmove: the text may be a tail of this very buffer (which then never grows).
template <class Unit>
void qsStoreText(Unit* buffer, std::int32_t& length, const Unit* text, std::size_t n) noexcept
{
    assert(buffer != nullptr); // a request of at least one unit always leaves a buffer
    std::memmove(buffer, text, (n + 1) * sizeof(Unit));
    length = static_cast<std::int32_t>(n);
}

// Makes a handle share another's storage. Retain before release: sharing with
// itself or a sharer keeps the storage alive.
template <class Storage>
void qsShareStorage(Storage*& mine, Storage* theirs) noexcept
{
    if (theirs != nullptr) {
        theirs->retain();
    }
    if (mine != nullptr) {
        mine->release();
    }
    mine = theirs;
}

// Gives a handle a storage of its own to write in: a fresh one for the null
// string, a copy while the storage is shared. On failure the handle keeps
// what it had.
template <class Storage>
QsStatus qsPrepareForWrite(Storage*& storage, const QsLocation& here)
{
    QsStatus status;
    if (storage == nullptr) {
        Storage* const fresh = qsCreate<Storage>();
        if (fresh != nullptr) {
            fresh->retain();
            storage = fresh;
            return status;
        }
    } else if (storage->referenceCount() > 1) {
        Storage* duplicate = qsCreate<Storage>(*storage);
        if (duplicate != nullptr && storage->buffer() != nullptr && duplicate->buffer() == nullptr) {
            qsDestroy(duplicate); // the text could not be copied: keep sharing rather than lose it
            duplicate = nullptr;
        }
        if (duplicate != nullptr) {
            storage->release();
            duplicate->retain();
            storage = duplicate;
            return status;
        }
    } else {
        return status;
    }
    status << "Memory allocation failed. " << "Couldn't prepare string for writing" << here;
    return status;
}

// A handle's write: unshares its storage, then lets `write` change it. A
// failure at either step gets the handle's own (empty) frame at `here`.
template <class Handle, class Write>
QsStatus qsWriteUnshared(Handle& handle, Write write, const QsLocation& here)
{
    QsStatus status = handle.prepareForWrite();
    if (status.isOK()) {
        assert(handle.storage() != nullptr); // a successful prepareForWrite leaves a storage
        status = write();
    }
    if (!status.isOK()) {
        status << "" << here;
    }
    return status;
}

#endif
