// Allocation failures: every failure frame in order, state left unchanged,
// nothing leaked, allocator exceptions passed through; the overflow mends.
#include "AllocationScript.h"
#include "Qscstr.h"
#include "QsGrowth.h"
#include "QsReport.h"
#include "Qsstr.h"
#include "QsStream.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <new>
#include <string>
#include <vector>

namespace {

constexpr std::int32_t kMaxInt32 = std::numeric_limits<std::int32_t>::max();

const char* const kNoMemory = "Memory allocation failed. Couldn't prepare string for writing";

Frame narrow(const char* method, const std::string& text)
{
    return {method, "Qscstr", text};
}

Frame wide(const char* method, const std::string& text)
{
    return {method, "Qsstr", text};
}

std::string spaceFor(std::int64_t n)
{
    return "Memory allocation failed. Couldn't make space for " + std::to_string(n) + " bytes.";
}

// Runs `operation` on fresh state with only the n-th allocation refused.
template <class State, class Operation>
QsStatus failingAt(std::size_t n, State& state, Operation operation)
{
    AllocationScript script;
    script.failAt(n);
    return operation(state);
}

// Every allocation of an operation, refused one at a time and then thrown at
// one at a time, and every allocation of the ensuing report thrown at too:
// no combination may leak or leave a broken object.
template <class State>
void sweep(const std::function<void(State&)>& setUp, const std::function<QsStatus(State&)>& operation,
           const std::function<void(const State&)>& check)
{
    const std::size_t before = qsLiveAllocations();
    std::size_t total = 0;
    {
        State state;
        setUp(state);
        AllocationScript script;
        ASSERT_TRUE(operation(state).isOK());
        total = script.count();
    }
    for (std::size_t failAt = 0; failAt <= total; ++failAt) {
        std::size_t reportAllocations = 0;
        {
            State state;
            setUp(state);
            AllocationScript script;
            script.failAt(failAt);
            const QsStatus status = operation(state);
            // Some refusals are absorbed silently (stream, narrow rendering);
            // the others must carry a well-formed report.
            EXPECT_TRUE(failAt != 0 || status.isOK());
            if (!status.isOK()) {
                EXPECT_FALSE(framesOf(status).empty());
            }
            reportAllocations = script.count();
            check(state);
        }
        for (std::size_t throwAt = failAt + 1; throwAt <= reportAllocations; ++throwAt) {
            State state;
            setUp(state);
            {
                AllocationScript script;
                script.failAt(failAt);
                script.throwAt(throwAt);
                EXPECT_THROW(static_cast<void>(operation(state)), std::bad_alloc) << failAt << "/" << throwAt;
            }
            check(state);
        }
        EXPECT_EQ(qsLiveAllocations(), before) << "refused allocation " << failAt;
    }
}

} // namespace

// ---- narrow strings ----

TEST(NarrowFailureTest, MakeSpaceSetStringAndAppendFrames)
{
    QsPhysicalCString storage;
    ASSERT_TRUE(storage.setString("abc").isOK());
    const char* buffer = storage.buffer();

    QsStatus status = failingAt(1, storage, [](QsPhysicalCString& s) { return s.makeSpaceFor(25); });
    EXPECT_EQ(framesOf(status), (std::vector<Frame>{narrow("QsPhysicalCString::makeSpaceFor", spaceFor(25))}));

    status = failingAt(1, storage, [](QsPhysicalCString& s) { return s.setString("a longer text"); });
    EXPECT_EQ(framesOf(status),
              (std::vector<Frame>{narrow("QsPhysicalCString::setString", "Couldn't set string: 'a longer text'"),
                                  narrow("QsPhysicalCString::makeSpaceFor", spaceFor(14))}));

    status = failingAt(1, storage, [](QsPhysicalCString& s) { return s.append("0123456"); });
    EXPECT_EQ(framesOf(status),
              (std::vector<Frame>{narrow("QsPhysicalCString::append", "Couldn't append '0123456' to string."),
                                  narrow("QsPhysicalCString::makeSpaceFor", spaceFor(11))}));

    EXPECT_STREQ(storage.buffer(), "abc");
    EXPECT_EQ(storage.buffer(), buffer);
    EXPECT_EQ(storage.length(), 3);
    EXPECT_EQ(storage.capacity(), 10);
}

TEST(NarrowFailureTest, CharacterAppendReportsTheCodeThenTheCharacter)
{
    QsCString text;
    QsStatus status = failingAt(1, text, [](QsCString& s) { return s.append('A'); });
    EXPECT_EQ(framesOf(status),
              (std::vector<Frame>{narrow("QsCString::append", ""), narrow("QsCString::prepareForWrite", kNoMemory)}));
    EXPECT_EQ(text.storage(), nullptr);

    status = failingAt(2, text, [](QsCString& s) { return s.append('A'); });
    EXPECT_EQ(framesOf(status),
              (std::vector<Frame>{narrow("QsCString::append", ""),
                                  narrow("QsPhysicalCString::append", "Couldn't append '65' to string."),
                                  narrow("QsPhysicalCString::append", "Couldn't append 'A' to string."),
                                  narrow("QsPhysicalCString::makeSpaceFor", spaceFor(2))}));
    ASSERT_NE(text.storage(), nullptr);
    EXPECT_EQ(text.storage()->buffer(), nullptr);

    QsPhysicalCString storage;
    status = failingAt(1, storage, [](QsPhysicalCString& s) { return s.append(static_cast<char>(0xE9)); });
    const std::vector<Frame> frames = framesOf(status);
    ASSERT_EQ(frames.size(), 3U);
    EXPECT_EQ(frames[0].text, "Couldn't append '-23' to string.");
    EXPECT_EQ(frames[1].text, "Couldn't append '\xE9' to string.");
}

TEST(NarrowFailureTest, SharedCopyThatCannotBeMadeKeepsSharing)
{
    QsCString a;
    ASSERT_TRUE(a.append("abc").isOK());
    QsCString b(a);
    for (std::size_t n : {1U, 2U}) { // the storage object, then its copy of the text
        const QsStatus status = failingAt(n, b, [](QsCString& s) { return s.append('d'); });
        EXPECT_EQ(framesOf(status), (std::vector<Frame>{narrow("QsCString::append", ""),
                                                         narrow("QsCString::prepareForWrite", kNoMemory)}))
            << n;
        EXPECT_EQ(b.storage(), a.storage());
        EXPECT_EQ(a.storage()->referenceCount(), 2);
        EXPECT_STREQ(b.cString(), "abc");
    }
}

TEST(NarrowFailureTest, SweepLeavesNothingBehind)
{
    struct Pair {
        QsCString a;
        QsCString b;
    };
    sweep<Pair>(
        [](Pair& p) {
            static_cast<void>(p.a.append("0123456789"));
            p.b = p.a;
        },
        [](Pair& p) {
            QsStatus status = p.b.append('x');
            if (status.isOK()) {
                status = p.b.append(p.b.cString());
            }
            return status;
        },
        [](const Pair& p) {
            EXPECT_STREQ(p.a.cString(), "0123456789");
            const std::string b = p.b.cString();
            EXPECT_TRUE(b == "0123456789" || b == "0123456789x" || b == "0123456789x0123456789x") << b;
        });
}

// ---- wide strings ----

TEST(WideFailureTest, CopyOnTheNullStringFrames)
{
    QsString text;
    QsStatus status = failingAt(1, text, [](QsString& s) { return s.copy(u"abc"); });
    EXPECT_EQ(framesOf(status), (std::vector<Frame>{wide("QsString::copy", "Couldn't copy string 'abc'"),
                                                     wide("QsString::prepareForWrite", kNoMemory)}));
    EXPECT_EQ(text.storage(), nullptr);

    status = failingAt(2, text, [](QsString& s) { return s.copy(u"abc"); });
    EXPECT_EQ(framesOf(status), (std::vector<Frame>{wide("QsString::copy", "Couldn't copy string 'abc'"),
                                                     wide("QsPhysicalString::setString", "Couldn't set string: 'abc'"),
                                                     wide("QsPhysicalString::makeSpaceFor", spaceFor(4))}));
    // A storage but no text: prints nothing rather than the null marker.
    ASSERT_NE(text.storage(), nullptr);
    QsStream stream;
    text.printOn(stream);
    EXPECT_STREQ(stream.cString(), "");
}

TEST(WideFailureTest, MessagesRenderTheTextAsPrinted)
{
    QsString text(u"kept");
    // Long enough to be written in more than one piece; 0x0100 vanishes, 0xFFE9 becomes 'i'.
    std::u16string source(70, u'z');
    source += u"\u0100\uFFE9!";
    const std::string rendered = std::string(70, 'z') + "i!";
    const QsStatus status = failingAt(1, text, [&](QsString& s) { return s.copy(source.c_str()); });
    EXPECT_EQ(framesOf(status),
              (std::vector<Frame>{wide("QsString::copy", "Couldn't copy string '" + rendered + "'"),
                                  wide("QsPhysicalString::setString", "Couldn't set string: '" + rendered + "'"),
                                  wide("QsPhysicalString::makeSpaceFor", spaceFor(74))}));
    EXPECT_STREQ(text.cString(), "kept");
    EXPECT_EQ(text.storage()->length(), 4);
}

TEST(WideFailureTest, AppendFrames)
{
    QsString text;
    QsStatus status = failingAt(1, text, [](QsString& s) { return s.append("xy"); });
    EXPECT_EQ(framesOf(status), (std::vector<Frame>{wide("QsString::append", ""),
                                                     wide("QsString::prepareForWrite", kNoMemory)}));

    ASSERT_TRUE(text.append("123456").isOK());
    status = failingAt(1, text, [](QsString& s) { return s.append("\xE9xyz"); });
    EXPECT_EQ(framesOf(status),
              (std::vector<Frame>{wide("QsString::append", ""),
                                  wide("QsPhysicalString::append", "Couldn't append '\xE9xyz' to string."),
                                  wide("QsPhysicalString::makeSpaceFor", spaceFor(11))}));
    EXPECT_STREQ(text.cString(), "123456");

    // A sharer whose private copy cannot be made keeps sharing.
    QsString sharer(text);
    for (std::size_t n : {1U, 2U}) {
        status = failingAt(n, sharer, [](QsString& s) { return s.append("!"); });
        EXPECT_EQ(framesOf(status), (std::vector<Frame>{wide("QsString::append", ""),
                                                         wide("QsString::prepareForWrite", kNoMemory)}))
            << n;
        EXPECT_EQ(sharer.storage(), text.storage());
        EXPECT_EQ(text.storage()->referenceCount(), 2);
    }
}

TEST(WideFailureTest, RenderingUnderExhaustionKeepsWhatItBuilt)
{
    QsString text(u"abcdefghijkl");
    AllocationScript script;
    script.failFrom(3); // from the narrow buffer's growth from 10 to 20 on
    EXPECT_STREQ(text.cString(), "abcdefghi");
}

TEST(WideFailureTest, SweepLeavesNothingBehind)
{
    struct Pair {
        QsString a;
        QsString b;
    };
    sweep<Pair>(
        [](Pair& p) {
            static_cast<void>(p.a.copy(u"0123456789"));
            p.b = p.a;
        },
        [](Pair& p) {
            QsStatus status = p.b.append("x");
            if (status.isOK()) {
                status = p.b.copy(u"a longer text than before");
            }
            QsString fresh;
            if (status.isOK()) {
                status = fresh.append(p.b.cString());
            }
            if (status.isOK()) {
                status << fresh << QsLocation("unknown module", "test", "test", 1, -1);
                status = QsStatus();
            }
            return status;
        },
        [](const Pair& p) {
            EXPECT_STREQ(p.a.cString(), "0123456789");
            EXPECT_EQ(p.a.storage()->length(), 10);
        });
}

TEST(WideFailureTest, ConstructionFromTextThatThrowsLeaksNothing)
{
    const std::size_t before = qsLiveAllocations();
    for (std::size_t throwAt : {1U, 2U}) {
        AllocationScript script;
        script.throwAt(throwAt);
        EXPECT_THROW(QsString text(u"abc"), std::bad_alloc);
    }
    EXPECT_EQ(qsLiveAllocations(), before);
    {
        AllocationScript script;
        script.failAt(2);
        const QsString partial(u"abc"); // cannot report: holds an empty storage
        ASSERT_NE(partial.storage(), nullptr);
        EXPECT_EQ(partial.storage()->buffer(), nullptr);
    }
    EXPECT_EQ(qsLiveAllocations(), before);
}

// ---- sizes near the top of the 32-bit range ----

TEST(GrowthOverflowTest, ArithmeticRefusesWhatDoesNotFit)
{
    std::int32_t capacity = 0;
    std::size_t bytes = 0;
    ASSERT_TRUE(qsGrowthFor(2147483639, 2, capacity, bytes));
    EXPECT_EQ(capacity, 2147483640);
    EXPECT_EQ(bytes, 4294967280ULL);
    EXPECT_FALSE(qsGrowthFor(2147483640, 1, capacity, bytes)); // next multiple is 2147483650
    EXPECT_FALSE(qsGrowthFor(kMaxInt32, 1, capacity, bytes));
    EXPECT_FALSE(qsGrowthFor(std::numeric_limits<std::int64_t>::max(), 1, capacity, bytes));
    EXPECT_FALSE(qsGrowthFor(1000, std::numeric_limits<std::size_t>::max() / 100, capacity, bytes));

    // length + n + 1 as append computes it, which 32 bits cannot hold.
    EXPECT_EQ(qsUnitsNeeded(kMaxInt32, 1), 2147483649LL);
    EXPECT_EQ(qsUnitsNeeded(5, 4), 10);
    EXPECT_EQ(qsUnitsNeeded(0, std::numeric_limits<std::size_t>::max()), std::numeric_limits<std::int64_t>::max());
}

TEST(GrowthOverflowTest, HugeRequestsAreAllocationFailuresAndWriteNothing)
{
    QsPhysicalCString narrowStorage;
    ASSERT_TRUE(narrowStorage.setString("kept").isOK());
    QsPhysicalString wideStorage;
    ASSERT_TRUE(wideStorage.setString(u"kept").isOK());

    for (std::int32_t n : {kMaxInt32, kMaxInt32 - 5, 2147483640}) {
        AllocationScript script;
        const QsStatus narrowStatus = narrowStorage.makeSpaceFor(n);
        const QsStatus wideStatus = wideStorage.makeSpaceFor(n);
        EXPECT_EQ(framesOf(narrowStatus),
                  (std::vector<Frame>{narrow("QsPhysicalCString::makeSpaceFor", spaceFor(n))}));
        EXPECT_EQ(framesOf(wideStatus), (std::vector<Frame>{wide("QsPhysicalString::makeSpaceFor", spaceFor(n))}));
        // No buffer was even asked for: every request was a small report block.
        for (std::size_t size : script.sizes()) {
            EXPECT_LT(size, 1000U);
        }
    }

    // The largest request that fits asks for its full byte size, unwrapped.
    AllocationScript script;
    script.failAt(1);
    const QsStatus status = wideStorage.makeSpaceFor(2147483639);
    EXPECT_EQ(script.sizes().front(), 4294967280ULL);
    EXPECT_EQ(framesOf(status).front().text, spaceFor(2147483639));

    EXPECT_STREQ(narrowStorage.buffer(), "kept");
    EXPECT_EQ(narrowStorage.capacity(), 10);
    EXPECT_STREQ(wideStorage.cString(), "kept");
    EXPECT_EQ(wideStorage.capacity(), 10);
}
