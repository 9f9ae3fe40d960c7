#include "editor/math/CTextEditModel.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
using M = CTextEditModel;

struct Key
{
    uint32_t code;
    uint32_t modifiers = 0;
};

// An 8-column entry: the limit counts the terminator.
CTextEditModel Entry(const std::string& shown)
{
    CTextEditModel model;
    model.SetLengthLimit(9);
    EXPECT_TRUE(model.Begin(shown));
    return model;
}

std::vector<Key> Typed(const std::string& text)
{
    std::vector<Key> keys;
    for (char c : text)
        keys.push_back({static_cast<uint32_t>(static_cast<unsigned char>(c))});
    return keys;
}

TEST(TextEditModel, TypingTable)
{
    const Key shiftLeft{M::kLeft, M::kShift}, shiftRight{M::kRight, M::kShift};
    const Key shiftUp{M::kUp, M::kShift}, shiftDown{M::kDown, M::kShift};
    struct Case
    {
        const char* name;
        std::string shown;
        std::vector<Key> keys;
        std::string text;
        size_t caret, selectionStart, selectionEnd;
    };
    const Case cases[] = {
        {"a ninth character does nothing", "", Typed("ABCDEFGHI"), "ABCDEFGH", 8, 8, 8},
        {"then Backspace removes the eighth", "",
         []
         {
             auto k = Typed("ABCDEFGHI");
             k.push_back({M::kBackspace});
             return k;
         }(),
         "ABCDEFG", 7, 7, 7},
        {"typing replaces the whole selected text", "Piano", Typed("X"), "X", 1, 1, 1},
        {"Backspace deletes the selection", "Piano", {{M::kBackspace}}, "", 0, 0, 0},
        {"Backspace at the start does nothing",
         "Piano",
         {{M::kUp}, {M::kUp}, {M::kBackspace}},
         "Piano",
         0,
         0,
         0},
        {"Tab types one space", "", {{'A'}, {M::kTab}, {'B'}}, "A B", 3, 3, 3},
        {"Left without Shift only drops the selection", "Piano", {{M::kLeft}}, "Piano", 5, 5, 5},
        {"Left moves and stops at 0",
         "Piano",
         {{M::kLeft}, {M::kLeft}, {M::kUp}, {M::kLeft}},
         "Piano",
         0,
         0,
         0},
        {"Right stops at the end",
         "Piano",
         {{M::kUp}, {M::kUp}, {M::kRight}, {M::kDown}, {M::kRight}},
         "Piano",
         5,
         5,
         5},
        {"Shift-Left selects and typing replaces it",
         "Piano",
         {{M::kLeft}, shiftLeft, shiftLeft, {'Z'}},
         "PiaZ",
         4,
         4,
         4},
        {"Shift-Left twice", "Piano", {{M::kLeft}, shiftLeft, shiftLeft}, "Piano", 3, 3, 5},
        {"Shift-Right back shrinks it",
         "Piano",
         {{M::kLeft}, shiftLeft, shiftLeft, shiftRight},
         "Piano",
         4,
         4,
         5},
        {"Shift-Up selects to the start", "Piano", {{M::kLeft}, {M::kLeft}, shiftUp}, "Piano", 0, 0, 4},
        {"Shift-Down from the start",
         "Piano",
         {{M::kUp}, {M::kUp}, {M::kRight}, shiftDown},
         "Piano",
         5,
         1,
         5},
        {"Shift extends the whole selection", "Piano", {shiftLeft}, "Piano", 4, 0, 4},
        {"insert in the middle", "Piano", {{M::kUp}, {M::kUp}, {M::kRight}, {'-'}}, "P-iano", 2, 2, 2},
        {"characters outside 32..126 are ignored",
         "",
         {{'a'}, {7}, {10}, {12}, {127}, {128}, {200}, {255}, {0}, {'~'}},
         "a~",
         2,
         2,
         2},
        {"a space and a tilde are typed", "", Typed(" ~"), " ~", 2, 2, 2},
        {"a full entry ignores typing over no selection",
         "ABCDEFGH",
         {{M::kDown}, {'X'}},
         "ABCDEFGH",
         8,
         8,
         8},
        {"a full entry accepts typing over a selection",
         "ABCDEFGH",
         {{M::kDown}, shiftLeft, shiftLeft, {'X'}},
         "ABCDEFX",
         7,
         7,
         7},
    };
    for (const Case& c : cases)
    {
        CTextEditModel model = Entry(c.shown);
        for (const Key& k : c.keys)
            model.OnKeyCharacter(k.code, k.modifiers);
        EXPECT_EQ(model.GetText(), c.text) << c.name;
        EXPECT_EQ(model.GetCaret(), c.caret) << c.name;
        EXPECT_EQ(model.GetSelectionStart(), c.selectionStart) << c.name;
        EXPECT_EQ(model.GetSelectionEnd(), c.selectionEnd) << c.name;
        EXPECT_TRUE(model.IsEditing()) << c.name;
    }
}

TEST(TextEditModel, EnterCommitsOnceAndEscapeRestores)
{
    CTextEditModel model = Entry("Piano");
    model.OnKeyCharacter('X', 0);
    EXPECT_EQ(model.OnKeyCharacter(M::kEnter, 0), CTextEditResult::Commit);
    EXPECT_FALSE(model.IsEditing());
    EXPECT_EQ(model.GetText(), "X");
    // Editing has ended: nothing more is reported or changed.
    EXPECT_EQ(model.OnKeyCharacter(M::kEnter, 0), CTextEditResult::Ignored);
    EXPECT_EQ(model.OnKeyCharacter('Y', 0), CTextEditResult::Ignored);
    EXPECT_EQ(model.GetText(), "X");

    model = Entry("Piano");
    model.OnKeyCharacter('X', 0);
    model.OnKeyCharacter('Y', 0);
    EXPECT_EQ(model.OnKeyCharacter(M::kEscape, 0), CTextEditResult::Cancel);
    EXPECT_FALSE(model.IsEditing());
    EXPECT_EQ(model.GetText(), "Piano");
    EXPECT_EQ(model.GetOriginalText(), "Piano");
    EXPECT_EQ(model.OnKeyCharacter(M::kEscape, 0), CTextEditResult::Ignored);
}

TEST(TextEditModel, ResultsTellWhetherAnythingChanged)
{
    CTextEditModel model = Entry("Piano");
    EXPECT_EQ(model.OnKeyCharacter('A', 0), CTextEditResult::Changed);
    EXPECT_EQ(model.OnKeyCharacter(200, 0), CTextEditResult::Ignored);
    EXPECT_EQ(model.OnKeyCharacter(M::kRight, 0), CTextEditResult::Ignored); // at the end already
    EXPECT_EQ(model.OnKeyCharacter(M::kLeft, 0), CTextEditResult::Changed);
    EXPECT_FALSE(model.Begin("again")); // already editing
    model.SetLengthLimit(2);
    EXPECT_EQ(model.OnKeyCharacter('B', 0), CTextEditResult::Ignored); // full
    EXPECT_EQ(model.GetText(), "A");
}

TEST(TextEditModel, KeyDownsAndDelete)
{
    CTextEditModel model = Entry("Piano");
    EXPECT_EQ(model.OnKeyDown(0x26, 0), CTextEditResult::Changed); // up: drops the selection
    model.OnKeyDown(0x26, 0);
    model.OnKeyDown(0x27, 0); // right
    EXPECT_EQ(model.GetCaret(), 1u);
    EXPECT_EQ(model.OnKeyDown(0x2E, 0), CTextEditResult::Changed); // Delete: the character at the caret
    EXPECT_EQ(model.GetText(), "Pano");
    model.OnKeyDown(0x27, M::kShift);
    model.OnKeyDown(0x27, M::kShift);
    model.OnKeyDown(0x2E, 0); // Delete: the selection
    EXPECT_EQ(model.GetText(), "Po");
    model.OnKeyDown(0x28, 0);                                      // down
    EXPECT_EQ(model.OnKeyDown(0x2E, 0), CTextEditResult::Ignored); // nothing after the caret
    model.OnKeyDown(0x25, 0);                                      // left
    EXPECT_EQ(model.GetCaret(), 1u);
    EXPECT_EQ(model.OnKeyDown('A', 0), CTextEditResult::Ignored);
    EXPECT_EQ(model.GetText(), "Po");
}

TEST(TextEditModel, MouseSetsCaretAndSelection)
{
    CTextEditModel model = Entry("Piano");
    model.Press(14, 6); // (14 + 3) / 6
    EXPECT_EQ(model.GetCaret(), 2u);
    EXPECT_FALSE(model.HasSelection());
    model.Drag(26, 6); // (26 + 3) / 6 = 4
    EXPECT_EQ(model.GetSelectionStart(), 2u);
    EXPECT_EQ(model.GetSelectionEnd(), 4u);
    model.Drag(2, 6); // back before the anchor
    EXPECT_EQ(model.GetSelectionStart(), 0u);
    EXPECT_EQ(model.GetSelectionEnd(), 2u);
    model.Press(500, 6); // limited to the text
    EXPECT_EQ(model.GetCaret(), 5u);
    model.Press(-40, 6);
    EXPECT_EQ(model.GetCaret(), 0u);
    EXPECT_EQ(model.Press(10, 0), CTextEditResult::Ignored);
    // A double click selects everything; typing then replaces it all.
    model.SelectAll();
    model.OnKeyCharacter('Q', 0);
    EXPECT_EQ(model.GetText(), "Q");
}

TEST(TextEditModel, LengthLimit)
{
    CTextEditModel model;
    EXPECT_EQ(model.GetLengthLimit(), 1024);
    model.SetLengthLimit(9);
    ASSERT_TRUE(model.Begin("A much longer name"));
    EXPECT_EQ(model.GetText(), "A much l");
    EXPECT_EQ(model.GetSelectionEnd(), 8u);
    // Shrinking the limit cuts the text and keeps caret and selection inside it.
    model.SetLengthLimit(4);
    EXPECT_EQ(model.GetText(), "A m");
    EXPECT_EQ(model.GetCaret(), 3u);
    EXPECT_EQ(model.GetSelectionEnd(), 3u);
    model.SetLengthLimit(0);
    EXPECT_EQ(model.GetLengthLimit(), 1);
    EXPECT_EQ(model.GetText(), "");
    model.OnKeyCharacter('x', 0);
    EXPECT_EQ(model.GetText(), "");
    model.SetLengthLimit(5000);
    EXPECT_EQ(model.GetLengthLimit(), 1024);
    // Escape restores the old text within the limit.
    model.SetLengthLimit(3);
    model.OnKeyCharacter(M::kEscape, 0);
    EXPECT_EQ(model.GetText(), "A ");
}
} // namespace
