// Narrow strings: growth, sharing, copy on write, assignment order.
#include "AllocationScript.h"
#include "Qscstr.h"

#include <gtest/gtest.h>

#include <string>

TEST(QsPhysicalCStringTest, GrowsToTheNextMultipleOfTenAboveTheRequest)
{
    QsPhysicalCString storage;
    ASSERT_TRUE(storage.makeSpaceFor(0).isOK());
    EXPECT_EQ(storage.buffer(), nullptr);
    EXPECT_EQ(storage.capacity(), 0);
    ASSERT_TRUE(storage.makeSpaceFor(-5).isOK());
    EXPECT_EQ(storage.buffer(), nullptr);

    const struct {
        std::int32_t request;
        std::int32_t capacity;
    } steps[] = {{1, 10}, {9, 10}, {10, 20}, {19, 20}, {20, 30}};
    for (const auto& step : steps) {
        QsPhysicalCString fresh;
        ASSERT_TRUE(fresh.makeSpaceFor(step.request).isOK());
        EXPECT_EQ(fresh.capacity(), step.capacity) << step.request;
        EXPECT_STREQ(fresh.buffer(), "");
    }

    // Growth keeps the text; a request the capacity already covers keeps the buffer.
    ASSERT_TRUE(storage.setString("12345678").isOK());
    EXPECT_EQ(storage.capacity(), 10);
    const char* buffer = storage.buffer();
    ASSERT_TRUE(storage.makeSpaceFor(10).isOK());
    EXPECT_EQ(storage.buffer(), buffer);
    ASSERT_TRUE(storage.makeSpaceFor(11).isOK());
    EXPECT_EQ(storage.capacity(), 20);
    EXPECT_STREQ(storage.buffer(), "12345678");
    EXPECT_EQ(storage.length(), 8);
}

TEST(QsPhysicalCStringTest, SetAppendAndCopyConstruct)
{
    QsPhysicalCString storage;
    ASSERT_TRUE(storage.setString("abc").isOK());
    ASSERT_TRUE(storage.append("def").isOK());
    ASSERT_TRUE(storage.append('g').isOK());
    EXPECT_STREQ(storage.buffer(), "abcdefg");
    EXPECT_EQ(storage.length(), 7);
    ASSERT_TRUE(storage.setString("x").isOK());
    EXPECT_STREQ(storage.buffer(), "x");
    EXPECT_EQ(storage.length(), 1);

    const QsPhysicalCString copy(storage);
    EXPECT_STREQ(copy.buffer(), "x");
    EXPECT_EQ(copy.referenceCount(), 0);
    const QsPhysicalCString empty;
    const QsPhysicalCString copyOfEmpty(empty);
    EXPECT_EQ(copyOfEmpty.buffer(), nullptr);
}

TEST(QsCStringTest, NullStringAndTheZeroCharacter)
{
    QsCString text;
    EXPECT_STREQ(text.cString(), "");
    EXPECT_EQ(text.storage(), nullptr);
    ASSERT_TRUE(text.append('\0').isOK());
    EXPECT_STREQ(text.cString(), "");
    ASSERT_NE(text.storage(), nullptr);
    EXPECT_EQ(text.storage()->capacity(), 10);
    EXPECT_EQ(text.storage()->length(), 0);
}

TEST(QsCStringTest, CharacterAppendsGrowAtTheFirstAndTenth)
{
    QsCString text;
    std::string expected;
    for (char c = 'a'; c < 'a' + 10; ++c) {
        ASSERT_TRUE(text.append(c).isOK());
        expected += c;
        EXPECT_EQ(text.storage()->capacity(), c < 'a' + 9 ? 10 : 20) << expected;
    }
    EXPECT_EQ(text.cString(), expected);
}

TEST(QsCStringTest, CopiesShareUntilOneWrites)
{
    QsCString a;
    ASSERT_TRUE(a.append("base").isOK());
    QsCString b;
    b = a;
    EXPECT_EQ(b.storage(), a.storage());
    EXPECT_EQ(a.storage()->referenceCount(), 2);

    ASSERT_TRUE(b.append('!').isOK());
    EXPECT_NE(b.storage(), a.storage());
    EXPECT_STREQ(a.cString(), "base");
    EXPECT_STREQ(b.cString(), "base!");
    EXPECT_EQ(a.storage()->referenceCount(), 1);
    EXPECT_EQ(b.storage()->referenceCount(), 1);

    {
        // Assignment hands back one more handle on the same storage.
        const QsCString c = (b = a);
        EXPECT_EQ(a.storage()->referenceCount(), 3);
        const QsCString d(c);
        EXPECT_EQ(a.storage()->referenceCount(), 4);
    }
    EXPECT_EQ(a.storage()->referenceCount(), 2);

    // Null assigned over a holder releases it.
    b = QsCString();
    EXPECT_EQ(b.storage(), nullptr);
    EXPECT_EQ(a.storage()->referenceCount(), 1);
}

TEST(QsCStringTest, SelfAssignmentKeepsTextAndCount)
{
    QsCString a;
    ASSERT_TRUE(a.append("self").isOK());
    const QsCString& alias = a;
    a = alias;
    ASSERT_TRUE(a.assign(alias).isOK());
    EXPECT_STREQ(a.cString(), "self");
    EXPECT_EQ(a.storage()->referenceCount(), 1);

    QsCString sharer(a);
    a = sharer;
    EXPECT_EQ(a.storage()->referenceCount(), 2);
    EXPECT_STREQ(sharer.cString(), "self");
}

TEST(QsCStringTest, AppendingItsOwnTextSurvivesGrowth)
{
    QsCString text;
    ASSERT_TRUE(text.append("0123456").isOK());
    ASSERT_TRUE(text.append(text.cString()).isOK()); // grows from 10 to 20 underneath
    EXPECT_STREQ(text.cString(), "01234560123456");
    ASSERT_TRUE(text.append(text.cString() + 10).isOK());
    EXPECT_STREQ(text.cString(), "012345601234563456");
}
