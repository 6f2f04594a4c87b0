// Undo and redo of the composed line: each step of a script of edits leaves the line it
// should, and says whether it changed anything; the history keeps as many changes as promised.
#include "keyboard/composed_line.h"
#include "keyboard/constants.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace wexa {
namespace {

using std::u16string;

enum class Op { Append, Delete, Clear, Undo, Redo };

struct Step {
    Op op;
    u16string text; // appended by Append; the line after the step for all
    u16string line;
    bool changed = true;
};

struct Script {
    const char* name;
    std::vector<Step> steps;
};

bool Perform(ComposedLine& line, const Step& step) {
    switch (step.op) {
    case Op::Append:
        line.Append(step.text);
        return true;
    case Op::Delete:
        return line.DeleteLast();
    case Op::Clear:
        return line.Clear();
    case Op::Undo:
        return line.Undo();
    case Op::Redo:
        return line.Redo();
    }
    return false;
}

const Script Scripts[] = {
    {"a clear comes back whole and goes again",
     {{Op::Append, u"ab", u"ab"},
      {Op::Append, u"c", u"abc"},
      {Op::Clear, {}, u""},
      {Op::Undo, {}, u"abc"},
      {Op::Undo, {}, u"ab"},
      {Op::Redo, {}, u"abc"},
      {Op::Redo, {}, u""},
      {Op::Redo, {}, u"", false}}},
    {"two spaces are one change, a deletion takes one of them",
     {{Op::Append, u"!", u"!"},
      {Op::Append, u"  ", u"!  "},
      {Op::Delete, {}, u"! "},
      {Op::Delete, {}, u"!"},
      {Op::Undo, {}, u"! "},
      {Op::Undo, {}, u"!  "},
      {Op::Undo, {}, u"!"},
      {Op::Redo, {}, u"!  "}}},
    {"a new change drops what could be redone",
     {{Op::Append, u"a", u"a"},
      {Op::Append, u"b", u"ab"},
      {Op::Undo, {}, u"a"},
      {Op::Delete, {}, u""},
      {Op::Redo, {}, u"", false},
      {Op::Undo, {}, u"a"},
      {Op::Undo, {}, u""},
      {Op::Undo, {}, u"", false}}},
    {"removing from an empty line changes nothing and keeps what could be redone",
     {{Op::Delete, {}, u"", false},
      {Op::Clear, {}, u"", false},
      {Op::Undo, {}, u"", false},
      {Op::Append, u"x", u"x"},
      {Op::Undo, {}, u""},
      {Op::Delete, {}, u"", false},
      {Op::Clear, {}, u"", false},
      {Op::Redo, {}, u"x"}}},
    {"undo after a clear, then edits, then undo back over the clear",
     {{Op::Append, u"pq", u"pq"},
      {Op::Clear, {}, u""},
      {Op::Append, u"r", u"r"},
      {Op::Undo, {}, u""},
      {Op::Undo, {}, u"pq"},
      {Op::Append, u"s", u"pqs"},
      {Op::Undo, {}, u"pq"},
      {Op::Redo, {}, u"pqs"}}},
};

TEST(LineHistory, EveryStepOfAScriptLeavesItsLine) {
    for (const Script& script : Scripts) {
        ComposedLine line;
        for (std::size_t i = 0; i < script.steps.size(); ++i) {
            const Step& step = script.steps[i];
            bool changed = Perform(line, step);
            EXPECT_EQ(changed, step.changed) << script.name << ", step " << i;
            EXPECT_EQ(u16string(line.Text()), step.line) << script.name << ", step " << i;
        }
    }
}

TEST(LineHistory, KeepsTheLastChangesUpToItsDepthAndForgetsTheOlder) {
    ComposedLine line;
    line.Append(u"!"); // with the first "x" and the clear, two changes more than the depth
    for (std::size_t i = 0; i < LineHistoryDepth; ++i) line.Append(u"x");
    line.Clear();
    line.Undo(); // the clear
    std::size_t undone = 1;
    while (line.Undo()) ++undone;
    EXPECT_EQ(undone, LineHistoryDepth);
    EXPECT_EQ(u16string(line.Text()), u"!x"); // the two oldest changes are left done
}

} // namespace
} // namespace wexa
