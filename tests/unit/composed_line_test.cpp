// The composed line counts and deletes code units, whatever was appended.
#include "keyboard/composed_line.h"

#include <gtest/gtest.h>

#include <string>

namespace wexa {
namespace {

using std::u16string;

TEST(ComposedLine, AppendsWholeTextsAndCountsCodeUnits) {
    ComposedLine line;
    EXPECT_EQ(line.Length(), 0u);
    line.Append(u"!");
    line.Append(u"!");
    line.Append(u"  ");
    line.Append(u"\u00FD");
    EXPECT_EQ(u16string(line.Text()), u"!!  \u00FD");
    EXPECT_EQ(line.Length(), 5u);
}

TEST(ComposedLine, DeleteLastRemovesOneCodeUnitAndLeavesAnEmptyLineEmpty) {
    ComposedLine line;
    line.DeleteLast();
    EXPECT_EQ(line.Length(), 0u);
    line.Append(u"  "); // the spaces button: one deletion leaves one space
    line.DeleteLast();
    EXPECT_EQ(u16string(line.Text()), u" ");
    line.Append(u"\u007F\u00AD");
    line.DeleteLast();
    EXPECT_EQ(u16string(line.Text()), u" \u007F");
    line.DeleteLast();
    line.DeleteLast();
    line.DeleteLast();
    EXPECT_EQ(line.Length(), 0u);
}

TEST(ComposedLine, ClearEmptiesTheLine) {
    ComposedLine line;
    line.Clear();
    EXPECT_EQ(line.Length(), 0u);
    line.Append(u"abc");
    line.Clear();
    EXPECT_TRUE(line.Text().empty());
    line.Append(u"d");
    EXPECT_EQ(u16string(line.Text()), u"d");
}

TEST(ComposedLine, AHundredThousandCharactersStillEditOneByOne) {
    ComposedLine line;
    u16string expected;
    for (int i = 0; i < 100000; ++i) {
        char16_t c = static_cast<char16_t>(0x21 + i % 90);
        line.Append(std::u16string_view(&c, 1));
        expected += c;
    }
    ASSERT_EQ(line.Length(), 100000u);
    EXPECT_EQ(u16string(line.Text()), expected);
    line.DeleteLast();
    expected.pop_back();
    EXPECT_EQ(line.Length(), 99999u);
    EXPECT_EQ(u16string(line.Text()), expected);
    line.Append(u"  ");
    EXPECT_EQ(line.Length(), 100001u);
    line.Clear();
    EXPECT_EQ(line.Length(), 0u);
}

} // namespace
} // namespace wexa
