// The composed line counts and deletes code units, whatever was appended, and undoes and
// redoes every change, as far back as its history reaches.
#include "keyboard/composed_line.h"
#include "keyboard/constants.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

// A step is its operation and the line after it: A appends (what makes the line), D deletes the
// last character, C clears, U undoes, R redoes; in lower case when it must change nothing.
bool Perform(ComposedLine& line, char op, const u16string& after) {
    switch (op & ~0x20) {
    case 'A': line.Append(std::u16string_view(after).substr(line.Length())); return true;
    case 'D': return line.DeleteLast();
    case 'C': return line.Clear();
    case 'U': return line.Undo();
    default: return line.Redo();
    }
}

TEST(ComposedLine, UndoAndRedoLeaveTheLineOfEveryStepOfAScript) {
    const std::vector<std::vector<std::string>> scripts = {
        {"Aab", "Aabc", "C", "Uabc", "Uab", "Rabc", "R", "r"},    // a clear comes back whole
        {"A!", "A!  ", "D! ", "D!", "U! ", "U!  ", "U!", "R!  "}, // two spaces are one change
        {"Aa", "Aab", "Ua", "D", "r", "Ua", "U", "u"},            // a new change drops the redo
        {"d", "c", "u", "Ax", "U", "d", "c", "Rx"},               // removing nothing is no change
        {"Apq", "C", "Ar", "U", "Upq", "Apqs", "Upq", "Rpqs"},    // edits after a clear, undone over it
    };
    for (const auto& script : scripts) {
        ComposedLine line;
        for (const std::string& step : script) {
            u16string after(step.begin() + 1, step.end());
            EXPECT_EQ(Perform(line, step[0], after), step[0] < 'a') << step;
            EXPECT_EQ(u16string(line.Text()), after) << step;
        }
    }
}

TEST(ComposedLine, UndoReachesBackOverTheHistorysDepthOfChangesAndNoFurther) {
    ComposedLine line;
    for (std::size_t i = 0; i < LineHistoryDepth + 1; ++i) line.Append(u"x");
    line.Clear(); // two changes more than the depth: the first two appends stay done
    std::size_t undone = 0;
    while (line.Undo()) ++undone;
    EXPECT_EQ(undone, LineHistoryDepth);
    EXPECT_EQ(u16string(line.Text()), u"xx");
}

} // namespace
} // namespace wexa
