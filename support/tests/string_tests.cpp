// Wide strings: conversions, growth, sharing, rendering and printing.
#include "AllocationScript.h"
#include "QsStatus.h"
#include "Qsstr.h"
#include "QsStream.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

std::string printed(const QsObject& object)
{
    QsStream stream;
    object.printOn(stream);
    return stream.cString();
}

std::u16string units(const QsString& text)
{
    const QsPhysicalString* storage = text.storage();
    if (storage == nullptr || storage->buffer() == nullptr) {
        return {};
    }
    return std::u16string(storage->buffer(), static_cast<std::size_t>(storage->length()));
}

} // namespace

TEST(QsStringTest, NullStringPrintsItsMarkerAndRendersEmpty)
{
    const QsString null;
    EXPECT_EQ(printed(null), "(NULL QsString)");
    EXPECT_STREQ(null.cString(), "");
    EXPECT_STREQ(null.className(), "QsString");
    EXPECT_TRUE(null.isKindOf("QsString"));
    EXPECT_TRUE(null.isKindOf("QsObject"));
    EXPECT_FALSE(null.isKindOf("qsstring"));
    EXPECT_FALSE(null.isKindOf("QSOBJECT"));
    EXPECT_FALSE(null.isKindOf("QsCString"));

    std::unique_ptr<QsObject> owned = std::make_unique<QsString>(u"owned");
    EXPECT_STREQ(owned->className(), "QsString");
    EXPECT_EQ(printed(*owned), "owned");
}

TEST(QsStringTest, EmptyAppendToNullGivesAnEmptyBuffer)
{
    QsString text;
    ASSERT_TRUE(text.append("").isOK());
    ASSERT_NE(text.storage(), nullptr);
    EXPECT_EQ(text.storage()->capacity(), 10);
    EXPECT_EQ(text.storage()->length(), 0);
    EXPECT_EQ(printed(text), "");
    EXPECT_STREQ(text.cString(), "");
}

TEST(QsStringTest, WideningSignExtendsAndNarrowingKeepsLowSevenBits)
{
    QsString text;
    ASSERT_TRUE(text.append("A\xE9\x80\xFF").isOK());
    EXPECT_EQ(units(text), (std::u16string{u'A', 0xFFE9, 0xFF80, 0xFFFF}));
    // 0xFF80 has no low bits and vanishes; 0xFFFF keeps 0x7F.
    EXPECT_STREQ(text.cString(), "Ai\x7F");
    EXPECT_EQ(printed(text), "Ai\x7F");

    const QsChar mixed[] = {u'x', 0x0100, 0x0080, 0x01E9, u'y', 0};
    ASSERT_TRUE(text.copy(mixed).isOK());
    EXPECT_EQ(text.storage()->length(), 5);
    EXPECT_STREQ(text.cString(), "xiy");
    EXPECT_EQ(printed(text), "xiy");
}

TEST(QsPhysicalStringTest, GrowthStepsCountUnitsWithTheTerminator)
{
    QsPhysicalString storage;
    ASSERT_TRUE(storage.makeSpaceFor(0).isOK());
    EXPECT_EQ(storage.buffer(), nullptr);
    ASSERT_TRUE(storage.makeSpaceFor(9).isOK());
    EXPECT_EQ(storage.capacity(), 10);
    const QsChar* buffer = storage.buffer();
    ASSERT_TRUE(storage.makeSpaceFor(10).isOK());
    EXPECT_EQ(storage.buffer(), buffer);
    QsPhysicalString other;
    ASSERT_TRUE(other.makeSpaceFor(10).isOK());
    EXPECT_EQ(other.capacity(), 20);

    QsPhysicalString eight;
    ASSERT_TRUE(eight.setString(u"12345678").isOK());
    EXPECT_EQ(eight.capacity(), 10);
    ASSERT_TRUE(eight.append("9").isOK());
    EXPECT_EQ(eight.capacity(), 10);
    ASSERT_TRUE(eight.append("0").isOK());
    EXPECT_EQ(eight.capacity(), 20);
    EXPECT_STREQ(eight.cString(), "1234567890");

    QsPhysicalString nine;
    ASSERT_TRUE(nine.setString(u"123456789").isOK());
    EXPECT_EQ(nine.capacity(), 20);
    const QsPhysicalString copy(nine);
    EXPECT_EQ(copy.length(), 9);
    EXPECT_EQ(copy.referenceCount(), 0);
}

TEST(QsStringTest, CopiesShareUntilOneWrites)
{
    QsString a(u"shared");
    QsString b(a);
    EXPECT_EQ(a.storage(), b.storage());
    EXPECT_EQ(a.storage()->referenceCount(), 2);

    ASSERT_TRUE(b.copy(u"mine").isOK());
    EXPECT_NE(a.storage(), b.storage());
    EXPECT_STREQ(a.cString(), "shared");
    EXPECT_STREQ(b.cString(), "mine");
    EXPECT_EQ(a.storage()->referenceCount(), 1);

    QsString c;
    c = a;
    ASSERT_TRUE(c.append("+").isOK());
    EXPECT_STREQ(a.cString(), "shared");
    EXPECT_STREQ(c.cString(), "shared+");

    const QsString& alias = c;
    c = alias;
    EXPECT_EQ(c.storage()->referenceCount(), 1);
    EXPECT_STREQ(c.cString(), "shared+");

    // Writing through a sole holder keeps its storage.
    const QsPhysicalString* own = c.storage();
    ASSERT_TRUE(c.append("!").isOK());
    EXPECT_EQ(c.storage(), own);
}

TEST(QsStringTest, NarrowCopyIsRebuiltOnEveryCallAndShared)
{
    QsString a(u"one");
    const QsString b(a);
    EXPECT_STREQ(a.cString(), "one");
    // Sharers see one narrow copy, and every call makes a new one.
    const char* first = b.cString();
    EXPECT_EQ(first, a.storage()->narrowCopy().cString());
    const char* second = a.cString();
    EXPECT_EQ(second, a.storage()->narrowCopy().cString());
    EXPECT_NE(first, second);

    QsPhysicalString storage;
    ASSERT_TRUE(storage.setString(u"ab").isOK());
    EXPECT_STREQ(storage.cString(), "ab");
    ASSERT_TRUE(storage.append("c").isOK());
    EXPECT_STREQ(storage.cString(), "abc");
    EXPECT_EQ(storage.narrowCopy().storage()->referenceCount(), 1);

    QsPhysicalString empty;
    EXPECT_STREQ(empty.cString(), "");
}

TEST(QsStringTest, CopyingItsOwnTextIsSafe)
{
    QsString text(u"abcdef");
    ASSERT_TRUE(text.copy(text.storage()->buffer() + 2).isOK());
    EXPECT_STREQ(text.cString(), "cdef");
    ASSERT_TRUE(text.append(text.cString()).isOK());
    EXPECT_STREQ(text.cString(), "cdefcdef");
}
