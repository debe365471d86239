// Random sequences of operations on a few wide and narrow string handles,
// checked against plain std::string models. Some operations run with one
// allocation refused or thrown at, to walk the failure paths too.
#include "fuzz/fuzz_harness.h"
#include "Qscstr.h"
#include "QsMemory.h"
#include "QsReport.h"
#include "Qsstr.h"
#include "QsStream.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>
#include <new>
#include <string>

namespace {

using fuzzharness::Input;
using fuzzharness::require;
using fuzzharness::Trap;

constexpr int kHandles = 3;

// Wide text: up to 23 units of two bytes each, ended early by a zero unit.
std::u16string wideText(Input& in)
{
    std::u16string text;
    const int length = in.byte() % 24;
    for (int i = 0; i < length; ++i) {
        const auto unit = static_cast<char16_t>(in.byte() | (in.byte() << 8));
        if (unit == 0) {
            break;
        }
        text += unit;
    }
    return text;
}

struct WideModel {
    bool null = true;
    std::u16string text;
};

struct NarrowModel {
    bool null = true;
    std::string text;
};

std::string rendered(const std::u16string& text)
{
    std::string narrow;
    for (const char16_t unit : text) {
        if ((unit & 0x7F) != 0) {
            narrow += static_cast<char>(unit & 0x7F);
        }
    }
    return narrow;
}

std::u16string widened(const std::string& text)
{
    std::u16string wide;
    for (const char c : text) {
        wide += static_cast<char16_t>(static_cast<std::int16_t>(static_cast<signed char>(c)));
    }
    return wide;
}

template <class Storage>
void checkGrowth(const Storage* storage, std::size_t modelLength)
{
    if (storage->buffer() == nullptr) {
        require(storage->capacity() == 0 && storage->length() == 0 && modelLength == 0);
        return;
    }
    require(storage->capacity() % 10 == 0);
    require(storage->length() < storage->capacity());
    require(static_cast<std::size_t>(storage->length()) == modelLength);
    require(storage->buffer()[storage->length()] == 0);
}

struct World {
    QsString wide[kHandles];
    WideModel wideModel[kHandles];
    QsCString narrow[kHandles];
    NarrowModel narrowModel[kHandles];

    void check() const
    {
        std::map<const void*, int> holders;
        for (int i = 0; i < kHandles; ++i) {
            const QsPhysicalString* storage = wide[i].storage();
            require((storage == nullptr) == wideModel[i].null);
            if (storage != nullptr) {
                ++holders[storage];
                checkGrowth(storage, wideModel[i].text.size());
                if (storage->buffer() != nullptr) {
                    require(std::u16string(storage->buffer()) == wideModel[i].text);
                }
            }
            const QsPhysicalCString* narrowStorage = narrow[i].storage();
            require((narrowStorage == nullptr) == narrowModel[i].null);
            if (narrowStorage != nullptr) {
                ++holders[narrowStorage];
                checkGrowth(narrowStorage, narrowModel[i].text.size());
            }
            require(narrowModel[i].text == narrow[i].cString());
        }
        for (int i = 0; i < kHandles; ++i) {
            if (wide[i].storage() != nullptr) {
                require(wide[i].storage()->referenceCount() == holders[wide[i].storage()]);
            }
            if (narrow[i].storage() != nullptr) {
                require(narrow[i].storage()->referenceCount() == holders[narrow[i].storage()]);
            }
        }
    }
};

void checkReport(const QsStatus& status)
{
    require(!status.isOK());
    QsCString text;
    if (qsFormatReport(status, text).isOK()) {
        require(std::strlen(text.cString()) > 0);
    }
}

// A failed or thrown-through write leaves the text as it was; a null handle
// may have gained an empty storage on the way.
template <class Handle, class Model>
void afterFailure(const Handle& handle, Model& model)
{
    if (model.null && handle.storage() != nullptr) {
        model.null = false;
    }
}

// A write's outcome: on success the model takes the change; on failure the
// report must format and the text stays as it was.
template <class Handle, class Model, class Change>
void settle(const QsStatus& status, const Handle& handle, Model& model, Change change)
{
    if (status.isOK()) {
        model.null = false;
        change(model.text);
    } else {
        checkReport(status);
        afterFailure(handle, model);
    }
}

void step(World& world, Input& input, bool& armed, Trap& trap)
{
    const int op = input.byte() % 12;
    const int i = input.byte() % kHandles;
    const int j = input.byte() % kHandles;
    QsString& w = world.wide[i];
    WideModel& wm = world.wideModel[i];
    QsCString& n = world.narrow[i];
    NarrowModel& nm = world.narrowModel[i];

    const bool trapped = armed;
    const fuzzharness::TrapGate gate(trapped, trap);
    armed = false;

    try {
        switch (op) {
        case 0: {
            const std::u16string text = wideText(input);
            settle(w.copy(text.c_str()), w, wm, [&](std::u16string& model) { model = text; });
            break;
        }
        case 1: {
            const std::string text = input.narrowText(24);
            settle(w.append(text.c_str()), w, wm, [&](std::u16string& model) { model += widened(text); });
            break;
        }
        case 2:
            w = world.wide[j];
            wm = world.wideModel[j];
            break;
        case 3: {
            const QsString temporary(world.wide[j]);
            w = temporary;
            wm = world.wideModel[j];
            break;
        }
        case 4: {
            const char* text = w.cString();
            require(trapped || rendered(wm.text) == text);
            break;
        }
        case 5: {
            QsStatus status;
            status << w << QsLocation("unknown module", "fuzz", "fuzz", 1, -1);
            const QsStatusFrame* frame = status.newestFrame();
            if (!trapped) {
                require(frame != nullptr);
                require((wm.null ? std::string("(NULL QsString)") : rendered(wm.text)) == frame->text());
            }
            break;
        }
        case 6: {
            const char c = static_cast<char>(input.byte());
            settle(n.append(c), n, nm, [&](std::string& model) {
                if (c != '\0') {
                    model += c;
                }
            });
            break;
        }
        case 7: {
            const std::string text = input.narrowText(24);
            settle(n.append(text.c_str()), n, nm, [&](std::string& model) { model += text; });
            break;
        }
        case 8:
            n = world.narrow[j];
            nm = world.narrowModel[j];
            break;
        case 9: {
            // Appending its own text, or a sharer's; doubling is capped to keep runs small.
            const std::string text = world.narrow[j].cString();
            if (nm.text.size() + text.size() > 4096) {
                break;
            }
            settle(n.append(world.narrow[j].cString()), n, nm, [&](std::string& model) { model += text; });
            break;
        }
        case 10: {
            const std::u16string text = wideText(input);
            const QsString made(text.c_str());
            if (!trapped) {
                w = made;
                wm = {false, text};
            }
            break;
        }
        default:
            armed = true;
            trap = Trap{0, static_cast<std::size_t>(input.byte() % 8) + 1, (input.byte() & 1) != 0};
            break;
        }
    } catch (const std::bad_alloc&) {
        require(trapped && trap.throws);
        afterFailure(w, wm);
        afterFailure(n, nm);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::size_t before = qsLiveAllocations();
    {
        Input input(data, size);
        World world;
        bool armed = false;
        Trap trap;
        for (int steps = 0; steps < 64 && !input.empty(); ++steps) {
            step(world, input, armed, trap);
            world.check();
        }
    }
    require(qsLiveAllocations() == before);
    return 0;
}
