// Root object, status values, stream and the report formatter.
#include "AllocationScript.h"
#include "QsObject.h"
#include "QsPhysicalStatus.h"
#include "QsReport.h"
#include "QsStatus.h"
#include "Qsstr.h"
#include "QsStream.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

class Probe : public QsObject {
public:
    explicit Probe(bool* destroyed = nullptr) : m_destroyed(destroyed) {}
    Probe(const Probe&) = delete;
    Probe& operator=(const Probe&) = delete;
    ~Probe() override
    {
        if (m_destroyed != nullptr) {
            *m_destroyed = true;
        }
    }
    void printOn(QsStream& stream) const override { stream << "probe " << 7; }

private:
    bool* m_destroyed;
};

QsLocation here(const char* method)
{
    return QsLocation("unknown module", method, "status_tests", 11, -1);
}

std::string formatted(const QsStatus& status)
{
    QsCString text;
    EXPECT_TRUE(qsFormatReport(status, text).isOK());
    return text.cString();
}

} // namespace

TEST(QsObjectTest, RootAnswersOnlyForItsOwnNameCaseSensitively)
{
    const Probe probe;
    EXPECT_TRUE(probe.isKindOf("QsObject"));
    EXPECT_FALSE(probe.isKindOf("QsString"));
    EXPECT_FALSE(probe.isKindOf("qsobject"));
    EXPECT_FALSE(probe.isKindOf(nullptr));
    EXPECT_STREQ(probe.className(), "QsObject");

    bool destroyed = false;
    std::unique_ptr<QsObject> owned = std::make_unique<Probe>(&destroyed);
    owned.reset();
    EXPECT_TRUE(destroyed);
}

TEST(QsStatusTest, LocationIntoSuccessMakesOneFrameWithEmptyText)
{
    QsStatus status;
    EXPECT_TRUE(status.isOK());
    status << QsLocation("mod", "M::f", "file", 42, 7);
    ASSERT_FALSE(status.isOK());
    const QsStatusFrame* frame = status.newestFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->next(), nullptr);
    EXPECT_STREQ(frame->text(), "");
    EXPECT_STREQ(frame->module(), "mod");
    EXPECT_STREQ(frame->method(), "M::f");
    EXPECT_STREQ(frame->file(), "file");
    EXPECT_EQ(frame->line(), 42);
    EXPECT_EQ(frame->code(), 7);
    EXPECT_EQ(status.record()->referenceCount(), 1);
}

TEST(QsStatusTest, PiecesJoinIntoFramesNewestFirst)
{
    QsStatus status;
    status << "a" << 5 << "b" << here("first");
    status << -1 << here("second");
    const std::vector<Frame> frames = framesOf(status);
    ASSERT_EQ(frames.size(), 2U);
    EXPECT_EQ(frames[0], (Frame{"second", "status_tests", "-1"}));
    EXPECT_EQ(frames[1], (Frame{"first", "status_tests", "a5b"}));

    // An object prints itself into the open frame, with nothing after it.
    QsStatus objects;
    QsString null;
    QsString abc(u"abc");
    objects << "[" << null << "|" << abc << "|" << Probe() << "]" << here("objects");
    EXPECT_STREQ(objects.newestFrame()->text(), "[(NULL QsString)|abc|probe 7]");
}

TEST(QsStatusTest, CopiesShareOneRecordUntilAssignedSuccess)
{
    QsStatus first;
    first << "x" << here("f");
    QsStatus copy(first);
    EXPECT_EQ(copy.record(), first.record());
    EXPECT_EQ(first.record()->referenceCount(), 2);

    copy.markHandled();
    EXPECT_TRUE(first.isHandled());

    copy = QsStatus();
    EXPECT_TRUE(copy.isOK());
    EXPECT_FALSE(first.isOK());
    EXPECT_EQ(first.record()->referenceCount(), 1);

    const QsStatus& alias = first;
    first = alias;
    EXPECT_EQ(first.record()->referenceCount(), 1);
    EXPECT_STREQ(first.newestFrame()->text(), "x");

    QsStatus success;
    success.markHandled(); // nothing to mark, nothing happens
    EXPECT_TRUE(success.isOK());
    EXPECT_FALSE(success.isHandled());
}

TEST(QsStreamTest, InsertionsAppendFormattedText)
{
    QsStream stream;
    EXPECT_STREQ(stream.cString(), "");
    stream << 'a' << '\0' << -1 << " b" << static_cast<char>(0xE9);
    // 0xE9 widens to 0xFFE9 and renders as 0x69.
    EXPECT_STREQ(stream.cString(), "a-1 bi");

    qsStream << "process-wide";
    EXPECT_NE(std::string(qsStream.cString()).find("process-wide"), std::string::npos);
}

TEST(QsStreamTest, LosesWhatItCannotStoreSilently)
{
    const std::size_t before = qsLiveAllocations();
    {
        AllocationScript script;
        script.failFrom(1);
        QsStream stream;
        stream << "lost" << 'c' << 3;
        EXPECT_STREQ(stream.cString(), "");
    }
    EXPECT_EQ(qsLiveAllocations(), before);
}

TEST(QsReportTest, FormatsFramesNewestFirst)
{
    EXPECT_EQ(formatted(QsStatus()), "");

    QsStatus status;
    status << "inner " << 1 << QsLocation("m", "Inner::f", "in", 10, -1);
    status << "outer" << QsLocation("m", "Outer::g", "out", 20, 3);
    status << "open";
    EXPECT_EQ(formatted(status), "(no location) (-:0, code 0): open\n"
                                 "Outer::g (out:20, code 3): outer\n"
                                 "Inner::f (in:10, code -1): inner 1\n");

    // The formatter reports its own failure and leaves the text alone.
    QsCString text;
    static_cast<void>(text.append('k'));
    AllocationScript script;
    script.failAt(1);
    const QsStatus failed = qsFormatReport(status, text);
    EXPECT_EQ(framesOf(failed).front(), (Frame{"qsFormatReport", "QsReport", "Couldn't format report"}));
    EXPECT_STREQ(text.cString(), "k");
}

// Without memory for the record itself a failure must still read as a failure.
TEST(QsStatusTest, ReportWithoutMemoryStaysAFailure)
{
    const std::size_t before = qsLiveAllocations();
    {
        AllocationScript script;
        script.failFrom(1);
        QsStatus status;
        status << "lost" << here("lost");
        QsStatus other;
        other << here("also lost");
        EXPECT_FALSE(status.isOK());
        EXPECT_EQ(status.newestFrame(), nullptr);
        EXPECT_EQ(status.record(), QsPhysicalStatus::exhausted());
        EXPECT_EQ(other.record(), status.record());
        script.failFrom(0);
        EXPECT_EQ(formatted(status), "(report lost for want of memory)\n");
    }
    EXPECT_EQ(qsLiveAllocations(), before);
}

TEST(QsStatusTest, LostFrameOrTextKeepsLaterLevelsApart)
{
    {
        AllocationScript script;
        script.failAt(2); // the first frame
        QsStatus status;
        status << "first" << here("first");
        status << "second" << here("second");
        // The location still finds a frame; only the piece is lost.
        const QsStatusFrame* newest = status.newestFrame();
        ASSERT_NE(newest, nullptr);
        EXPECT_STREQ(newest->text(), "second");
        ASSERT_NE(newest->next(), nullptr);
        EXPECT_EQ(newest->next()->text(), nullptr);
        EXPECT_STREQ(newest->next()->method(), "first");
        EXPECT_EQ(newest->next()->next(), nullptr);
    }
    {
        AllocationScript script;
        script.failAt(4); // the second piece's joined text
        QsStatus status;
        status << "a" << "b" << "c" << here("f");
        EXPECT_STREQ(status.newestFrame()->text(), "ac");
    }
}
