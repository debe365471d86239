// Random sequences of operations on a few status handles (copy, assign, text, numbers,
// locations, handled marks, formatting), checked against a plain model of the shared
// records. Any single allocation of an operation may be refused or thrown at; the model
// says exactly which piece is lost then, and nothing may leak.
#include "fuzz/fuzz_harness.h"
#include "Qscstr.h"
#include "QsMemory.h"
#include "QsPhysicalStatus.h"
#include "QsReport.h"
#include "QsStatus.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <vector>

namespace {

using fuzzharness::Input;
using fuzzharness::require;
using fuzzharness::Trap;

constexpr int kHandles = 4;



// The model's view of the same allocations: true when granted, throws like the gate.
struct Budget {
    const Trap* trap = nullptr;
    std::size_t count = 0;
    bool grant()
    {
        ++count;
        if (trap == nullptr || count != trap->at) {
            return true;
        }
        if (trap->throws) {
            throw std::bad_alloc();
        }
        return false;
    }
};

const char* const kModules[] = {"unknown module", "fuzz"};
const char* const kMethods[] = {"open", "read", "close"};

struct FrameModel {
    std::optional<std::string> text;
    bool located = false;
    std::int32_t code = 0;
    const char* method = nullptr;
    std::int32_t line = 0;
};

struct RecordModel {
    bool exhausted = false;
    bool newFrame = true;
    bool handled = false;
    std::vector<FrameModel> frames;  // oldest first
};

using Record = std::shared_ptr<RecordModel>;

struct World {
    QsStatus status[kHandles];
    Record model[kHandles];
    std::map<const QsPhysicalStatus*, Record> seen;  // real record -> its model

    // Adding text as QsStatus::addText does it, spending the model's allocations.
    void addText(int i, const std::string& text, Budget& budget, const Record& exhausted)
    {
        if (!model[i]) {
            model[i] = budget.grant() ? std::make_shared<RecordModel>() : exhausted;
        }
        RecordModel& r = *model[i];
        if (r.exhausted) {
            return;
        }
        if (r.newFrame) {
            if (!budget.grant()) {
                return;
            }
            r.frames.emplace_back();
            r.newFrame = false;
        }
        if (!budget.grant()) {
            return;
        }
        r.frames.back().text = r.frames.back().text.value_or("") + text;
    }

    void addLocation(int i, const QsLocation& location, Budget& budget, const Record& exhausted)
    {
        if (!model[i]) {
            addText(i, "", budget, exhausted);
        }
        RecordModel& r = *model[i];
        if (r.exhausted) {
            return;
        }
        bool open = true;
        if (r.newFrame) {
            open = budget.grant();
            if (open) {
                r.frames.emplace_back();
            }
        }
        if (open) {
            FrameModel& f = r.frames.back();
            f.located = true;
            f.code = location.code();
            f.method = location.method();
            f.line = location.line();
        }
        r.newFrame = true;
    }

    void check()
    {
        std::map<const QsPhysicalStatus*, int> holders;
        for (int i = 0; i < kHandles; ++i) {
            const QsPhysicalStatus* record = status[i].record();
            require((record == nullptr) == !model[i]);
            require(status[i].isOK() == (record == nullptr));
            if (record == nullptr) {
                continue;
            }
            ++holders[record];
            // One real record per model record, both ways.
            auto known = seen.find(record);
            if (known == seen.end()) {
                for (const auto& entry : seen) {
                    require(entry.second != model[i]);
                }
                seen.emplace(record, model[i]);
            } else {
                require(known->second == model[i]);
            }
            const RecordModel& r = *model[i];
            require((record == QsPhysicalStatus::exhausted()) == r.exhausted);
            if (!r.exhausted) {
                require(status[i].isHandled() == r.handled);
            }
            const QsStatusFrame* frame = status[i].newestFrame();
            for (auto f = r.frames.rbegin(); f != r.frames.rend(); ++f, frame = frame->next()) {
                require(frame != nullptr);
                require((frame->text() != nullptr) == f->text.has_value());
                require(!f->text || *f->text == frame->text());
                require((frame->method() != nullptr) == f->located);
                if (f->located) {
                    require(frame->method() == f->method && frame->code() == f->code && frame->line() == f->line);
                }
            }
            require(frame == nullptr);
        }
        for (const auto& entry : holders) {
            require(entry.first->referenceCount() == entry.second);
        }
        // Forget records nobody holds any more: their addresses may come back for new ones.
        for (auto it = seen.begin(); it != seen.end();) {
            it = holders.count(it->first) ? std::next(it) : seen.erase(it);
        }
    }
};

std::string expectedReport(const RecordModel& r)
{
    if (r.frames.empty()) {
        return "(report lost for want of memory)\n";
    }
    std::string out;
    for (auto f = r.frames.rbegin(); f != r.frames.rend(); ++f) {
        char numbers[64];
        std::snprintf(numbers, sizeof numbers, ":%d, code %d): ", static_cast<int>(f->line), static_cast<int>(f->code));
        out += f->located ? f->method : "(no location)";
        out += " (";
        out += f->located ? "fuzz.cpp" : "-";
        out += numbers;
        out += f->text.value_or("");
        out += "\n";
    }
    return out;
}

// The model runs first; the real operation must end the same way, thrown through or not.
template <class Model, class Real>
void requireSameEnd(Model model, Real real)
{
    const bool modelThrew = fuzzharness::throwsBadAlloc(model);
    require(modelThrew == fuzzharness::throwsBadAlloc(real));
}

void step(World& world, Input& input, Trap& trap, bool& armed, const Record& exhausted)
{
    const int op = input.byte() % 10;
    const int i = input.byte() % kHandles;
    const int j = input.byte() % kHandles;

    const bool trapped = armed;
    armed = false;
    Budget budget;
    if (trapped) {
        budget.trap = &trap;
    }
    // A formatter's target, filled before any allocation can be refused.
    QsCString report;
    static_cast<void>(report.append("before"));
    const fuzzharness::TrapGate gate(trapped, trap);

    // The model runs first; the real operation must end the same way.
    World& w = world;
    switch (op) {
    case 0:
    case 1: {
        const std::string text = input.narrowText(16);
        requireSameEnd([&] { w.addText(i, text, budget, exhausted); }, [&] { w.status[i] << text.c_str(); });
        break;
    }
    case 2: {
        const auto number = static_cast<std::int32_t>(input.byte() | (input.byte() << 8) | (input.byte() << 16) |
                                                      (static_cast<std::uint32_t>(input.byte()) << 24));
        char text[20];
        std::snprintf(text, sizeof text, "%d", static_cast<int>(number));
        requireSameEnd([&] { w.addText(i, text, budget, exhausted); }, [&] { w.status[i] << number; });
        break;
    }
    case 3: {
        const QsLocation location(kModules[input.byte() % 2], kMethods[input.byte() % 3], "fuzz.cpp",
                                  static_cast<std::int32_t>(input.byte()),
                                  static_cast<std::int32_t>(static_cast<std::int8_t>(input.byte())));
        requireSameEnd([&] { w.addLocation(i, location, budget, exhausted); }, [&] { w.status[i] << location; });
        break;
    }
    case 4:
        w.status[i] = w.status[j];
        w.model[i] = w.model[j];
        break;
    case 5: {
        const QsStatus copy(w.status[j]);
        w.status[i] = copy;
        w.model[i] = w.model[j];
        break;
    }
    case 6:
        w.status[i] = QsStatus();
        w.model[i] = nullptr;
        break;
    case 7:
        w.status[i].markHandled();
        if (w.model[i]) {
            w.model[i]->handled = true;
        }
        break;
    case 8: {
        bool threw = false;
        bool ok = false;
        try {
            const QsStatus result = qsFormatReport(w.status[i], report);
            ok = result.isOK();
        } catch (const std::bad_alloc&) {
            threw = true;
        }
        if (!w.model[i]) {
            // Success formats as empty text.
            require(threw || ok);
            require(trapped || std::string(report.cString()).empty());
        } else if (ok) {
            require(std::string(report.cString()) == expectedReport(*w.model[i]));
        } else {
            require(trapped);
            require(std::string(report.cString()) == "before");
        }
        break;
    }
    default:
        armed = true;
        trap = Trap{0, static_cast<std::size_t>(input.byte() % 4) + 1, (input.byte() & 1) != 0};
        break;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::size_t before = qsLiveAllocations();
    {
        // The static record outlives every run; the model's stand-in for it lives per run.
        const Record exhausted = std::make_shared<RecordModel>();
        exhausted->exhausted = true;
        Input input(data, size);
        World world;
        Trap trap;
        bool armed = false;
        for (int steps = 0; steps < 96 && !input.empty(); ++steps) {
            step(world, input, trap, armed, exhausted);
            world.check();
        }
    }
    require(qsLiveAllocations() == before);
    return 0;
}
