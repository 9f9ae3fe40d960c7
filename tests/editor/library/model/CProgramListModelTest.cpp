#include "editor/library/model/CProgramListModel.h"

#include "foundation/CQ3580StringTable.h"
#include "synthdata/CLibraryData.h"
#include "synthdata/CQ3580ProgramAccessor.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{
using Selection = std::vector<uint32_t>;

const CZmParameterId kCategory = {0, 12, 0};
const CZmParameterId kVoiceMode = {0, 35, 0};

class CProgramListModelTest : public testing::Test
{
protected:
    CProgramListModelTest()
    {
        m_library.AddEntry(CLibraryEntry::kKindProgramSet);
        m_library.AddEntry(CLibraryEntry::kKindGlobal);
        m_model = std::make_unique<CProgramListModel>(m_library);
    }

    CProgram& Program(uint32_t n) { return m_library.GetProgramSet()->GetProgram(n); }
    void SetValue(uint32_t n, const CZmParameterId& id, int32_t value)
    {
        CZmProgramAccessorSingleton::Get()->SetValue(&Program(n), id, value);
    }
    std::vector<uint32_t> Held() const
    {
        std::vector<uint32_t> held;
        for (uint32_t n = 0; n < 128; ++n)
            if (m_model->IsHeld(n))
                held.push_back(n);
        return held;
    }
    void Click(uint32_t n, bool shift = false, bool control = false)
    {
        m_model->PressLeft(n, shift, control, 0, 0);
        m_model->ReleaseLeft(static_cast<int32_t>(n));
    }

    CLibraryData m_library;
    std::unique_ptr<CProgramListModel> m_model;
};

TEST_F(CProgramListModelTest, ANewLibraryShowsModeZeroWithThreeFieldsAndNoHold)
{
    EXPECT_EQ(m_library.GetListMode(), 0u);
    EXPECT_EQ(m_library.GetCategoryHold(), 0u);
    EXPECT_EQ(m_library.GetMode1Fields(), 1u);
    EXPECT_EQ(m_library.GetMode0Fields(), 7u);
    EXPECT_EQ(m_model->GetListMode(), 0u);
    EXPECT_EQ(m_model->GetCategoryHold(), 0u);
    EXPECT_EQ(m_model->GetInfoFields(), 7u);
    EXPECT_EQ(m_model->GetBank(), 0u);
    EXPECT_EQ(m_model->GetSelectedCount(), 0u);
    EXPECT_EQ(m_model->GetSelectionNumberText(), "------------");
}

TEST_F(CProgramListModelTest, TheModelTakesTheLibrarysViewSettings)
{
    m_library.SetListMode(1);
    m_library.SetCategoryHold(3);
    m_library.SetMode1Fields(16);
    CProgramListModel model(m_library);
    EXPECT_EQ(model.GetListMode(), 1u);
    EXPECT_EQ(model.GetCategoryHold(), 3u);
    EXPECT_EQ(model.GetInfoFields(), 16u);
}

TEST_F(CProgramListModelTest, EachModeShowsItsOwnFieldsAndBanks)
{
    m_model->SelectOnly(100);
    m_model->SetListMode(0);
    EXPECT_EQ(m_model->GetBank(), 1u) << "the bank of the first selected program";
    EXPECT_EQ(m_model->GetBankCount(), 2u);
    m_model->SetListMode(1);
    EXPECT_EQ(m_library.GetListMode(), 1u);
    EXPECT_EQ(m_model->GetBank(), 0u);
    EXPECT_EQ(m_model->GetBankCount(), 1u);
    EXPECT_EQ(m_model->GetInfoFields(), 1u);
    EXPECT_FALSE(m_model->ShowBank(1));
    m_model->SetListMode(2);
    EXPECT_EQ(m_model->GetInfoFields(), 0u);
    m_model->SetListMode(3);
    EXPECT_EQ(m_model->GetListMode(), 2u) << "an unknown mode is ignored";
    m_model->SetListMode(0);
    EXPECT_EQ(m_model->GetInfoFields(), 7u);
    EXPECT_TRUE(m_model->ShowBank(0));
    EXPECT_FALSE(m_model->ShowBank(2));
    EXPECT_EQ(m_model->GetBank(), 0u);
}

TEST_F(CProgramListModelTest, ModeZeroKeepsTheLowestTwoFieldsWhenAThirdJoins)
{
    const struct
    {
        uint32_t before;
        uint32_t field;
        uint32_t after;
    } cases[] = {
        {0b00011, 4, 0b10011}, // fields 0 and 1, then 4
        {0b10011, 2, 0b00111}, // then 2: 4 gives way
        {0b00111, 1, 0b00101}, // turning one off
        {0b00111, 3, 0b01011}, {0b11000, 0, 0b11001},
        {0b00000, 4, 0b10000}, {0b00111, 5, 0b00111}, // no such field
    };
    for (const auto& c : cases)
    {
        m_library.SetMode0Fields(c.before);
        EXPECT_EQ(m_model->ToggleInfoField(c.field), c.after) << c.before << " + " << c.field;
        EXPECT_EQ(m_library.GetMode0Fields(), c.after);
        EXPECT_EQ(m_library.GetMode1Fields(), 1u) << "mode 1's mask is its own";
    }
}

TEST_F(CProgramListModelTest, ModeOneShowsOneFieldAndModeTwoNone)
{
    m_model->SetListMode(1);
    EXPECT_EQ(m_model->ToggleInfoField(3), 8u);
    EXPECT_EQ(m_model->ToggleInfoField(1), 2u);
    EXPECT_EQ(m_model->ToggleInfoField(1), 0u) << "choosing the field that is on clears it";
    EXPECT_EQ(m_library.GetMode1Fields(), 0u);
    EXPECT_EQ(m_library.GetMode0Fields(), 7u);
    m_model->SetListMode(2);
    EXPECT_EQ(m_model->ToggleInfoField(1), 0u);
    EXPECT_EQ(m_library.GetMode1Fields(), 0u);
    EXPECT_EQ(m_library.GetMode0Fields(), 7u);
}

// What each information field shows for a program, as the program changes under it.
TEST_F(CProgramListModelTest, InformationFieldsShowTheProgramsValues)
{
    const CZmParameterId arpSw = {7, 1, 0}, vocoderSw = {5, 0, 0};
    Program(3).SetAuthor("A. Maker");
    Program(3).SetComment("warm and slow");
    SetValue(3, kVoiceMode, 1);
    SetValue(3, arpSw, 1);
    SetValue(3, vocoderSw, 1);
    char voiceMode[64] = {};
    CZmProgramAccessorSingleton::Get()->GetCurrentValueText(&Program(3), kVoiceMode, voiceMode,
                                                            sizeof voiceMode);
    ASSERT_STRNE(voiceMode, "");
    const std::vector<std::string> on = {voiceMode, "ARP ON", "VOCODER ON", "A. Maker", "warm and slow"};
    for (uint32_t field = 0; field < 5; ++field)
        EXPECT_EQ(m_model->GetInfoFieldText(3, field), on[field]) << field;
    // Switched off, the switches show nothing; an untouched program has no library texts.
    SetValue(3, arpSw, 0);
    SetValue(3, vocoderSw, 0);
    EXPECT_EQ(m_model->GetInfoFieldText(3, 1), "");
    EXPECT_EQ(m_model->GetInfoFieldText(3, 2), "");
    EXPECT_EQ(m_model->GetInfoFieldText(4, 3), "");
    EXPECT_EQ(m_model->GetInfoFieldText(4, 4), "");
    EXPECT_EQ(m_model->GetInfoFieldText(128, 0), "") << "a program outside the set";
    EXPECT_EQ(m_model->GetInfoFieldText(3, 5), "") << "a field the view does not have";
}

TEST_F(CProgramListModelTest, ClicksSelectAndTellWhenTheSelectionChanged)
{
    m_model->PressLeft(5, false, false, 0, 0);
    EXPECT_EQ(m_model->GetSelection(), Selection({5})) << "a plain press selects at once";
    EXPECT_TRUE(m_model->ReleaseLeft(5));
    EXPECT_EQ(m_model->GetSelectionNumberText(), "A16");

    m_model->PressLeft(5, false, false, 0, 0);
    EXPECT_FALSE(m_model->ReleaseLeft(5)) << "the same program again";

    Click(10);
    m_model->PressLeft(3, true, false, 0, 0);
    EXPECT_EQ(m_model->ReleaseLeft(3), false);
    EXPECT_EQ(m_model->GetSelection(), Selection({3, 4, 5, 6, 7, 8, 9, 10})) << "Shift from 10 to 3";
    EXPECT_EQ(m_model->GetSelectionNumberText(), "------------");

    m_model->PressLeft(4, false, false, 0, 0);
    EXPECT_EQ(m_model->GetSelectedCount(), 8u) << "a press on a selected row may start a drag of them all";
    EXPECT_TRUE(m_model->ReleaseLeft(4));
    EXPECT_EQ(m_model->GetSelection(), Selection({4}));

    m_model->PressLeft(6, false, true, 0, 0);
    EXPECT_EQ(m_model->GetSelection(), Selection({4})) << "Control acts on the release";
    EXPECT_FALSE(m_model->ReleaseLeft(6));
    EXPECT_EQ(m_model->GetSelection(), Selection({4, 6}));
    Click(4, false, true);
    EXPECT_EQ(m_model->GetSelection(), Selection({6}));

    m_model->PressRight(6);
    EXPECT_EQ(m_model->GetSelection(), Selection({6}));
    m_model->PressRight(70);
    EXPECT_EQ(m_model->GetSelection(), Selection({70}));
    EXPECT_EQ(m_model->ReduceToFirst(), 70);
    m_model->ClearSelection();
    EXPECT_EQ(m_model->ReduceToFirst(), -1);
    EXPECT_EQ(m_model->GetFirstSelectedOrZero(), 0u);
}

TEST_F(CProgramListModelTest, ADragStartsOnceThePressHasMovedFourPixels)
{
    EXPECT_FALSE(m_model->TakeDragStart(500, 500)) << "no press";
    m_model->PressLeft(40, false, false, 398, 208);
    EXPECT_EQ(m_model->GetPressIndex(), 40);
    EXPECT_FALSE(m_model->TakeDragStart(400, 209));
    EXPECT_TRUE(m_model->TakeDragStart(400, 210));
    EXPECT_FALSE(m_model->IsPressPending());
    EXPECT_FALSE(m_model->TakeDragStart(420, 230)) << "once a press";
    EXPECT_EQ(m_model->GetPressIndex(), 40) << "the drag comes from this list";
    m_model->EndDrag();
    EXPECT_EQ(m_model->GetPressIndex(), -1);
    m_model->PressLeft(40, false, false, 0, 0);
    m_model->ReleaseLeft(-1);
    EXPECT_EQ(m_model->GetPressIndex(), -1);
    EXPECT_FALSE(m_model->TakeDragStart(50, 50));
}

TEST_F(CProgramListModelTest, ArrowKeysStayInsideTheList)
{
    struct Case
    {
        uint32_t from;
        CProgramListKey key;
        int32_t to;
    };
    std::vector<Case> cases = {{127, CProgramListKey::kDown, -1}, {0, CProgramListKey::kUp, -1},
                               {5, CProgramListKey::kDown, 6},    {5, CProgramListKey::kUp, 4},
                               {40, CProgramListKey::kRight, 72}, {40, CProgramListKey::kLeft, 8},
                               {63, CProgramListKey::kDown, 64}};
    for (uint32_t n = 96; n < 128; ++n)
        cases.push_back({n, CProgramListKey::kRight, -1});
    for (uint32_t n = 0; n < 32; ++n)
        cases.push_back({n, CProgramListKey::kLeft, -1});
    for (const Case& c : cases)
    {
        m_model->SelectOnly(c.from);
        m_model->ShowBankOf(c.from);
        EXPECT_EQ(m_model->MoveByKey(c.key), c.to) << c.from;
        const uint32_t now = c.to < 0 ? c.from : static_cast<uint32_t>(c.to);
        EXPECT_EQ(m_model->GetSelection(), Selection({now})) << c.from;
        EXPECT_EQ(m_model->GetBank(), now / 64) << c.from;
    }
    m_model->ClearSelection();
    EXPECT_EQ(m_model->MoveByKey(CProgramListKey::kDown), 1) << "from program 0 when none is selected";
}

TEST_F(CProgramListModelTest, CategoryHoldMarksTheProgramsOfTheFirstSelectedOnesKey)
{
    for (uint32_t n : {3u, 10u, 20u, 100u})
        SetValue(n, kCategory, 5);
    m_model->SelectOnly(10);
    EXPECT_TRUE(Held().empty()) << "off";
    m_model->SetCategoryHold(1);
    EXPECT_EQ(m_library.GetCategoryHold(), 1u);
    EXPECT_EQ(Held(), Selection({3, 10, 20, 100}));

    EXPECT_EQ(m_model->MoveByKey(CProgramListKey::kUp), 3);
    EXPECT_EQ(m_model->MoveByKey(CProgramListKey::kUp), -1);
    EXPECT_EQ(m_model->MoveByKey(CProgramListKey::kLeft), -1) << "only Up and Down move in category hold";
    EXPECT_EQ(m_model->MoveByKey(CProgramListKey::kDown), 10);
    EXPECT_EQ(m_model->MoveByKey(CProgramListKey::kDown), 20);
    EXPECT_EQ(m_model->MoveByKey(CProgramListKey::kDown), 100);
    EXPECT_EQ(m_model->GetBank(), 1u);
    EXPECT_EQ(m_model->MoveByKey(CProgramListKey::kDown), -1);

    Click(3);
    m_model->PressLeft(100, true, false, 0, 0);
    m_model->ReleaseLeft(100);
    EXPECT_EQ(m_model->GetSelection(), Selection({3, 10, 20, 100})) << "Shift takes held rows only";
    Click(4, false, true);
    EXPECT_EQ(m_model->GetSelection(), Selection({3, 10, 20, 100})) << "Control leaves other rows alone";
    Click(10, false, true);
    EXPECT_EQ(m_model->GetSelection(), Selection({3, 20, 100}));

    // The key follows the first selected program and its data.
    Click(50);
    EXPECT_EQ(Held().size(), 124u);
    SetValue(50, kCategory, 5);
    m_model->UpdateHeld();
    EXPECT_EQ(Held(), Selection({3, 10, 20, 50, 100}));
    m_model->ClearSelection();
    EXPECT_TRUE(Held().empty());
    m_model->SelectOnly(3);
    m_model->SetCategoryHold(0);
    EXPECT_TRUE(Held().empty());
    m_model->SetCategoryHold(4);
    EXPECT_EQ(m_model->GetCategoryHold(), 0u);
}

TEST_F(CProgramListModelTest, CategoryHoldByAssignAndByProgrammer)
{
    SetValue(7, kVoiceMode, 2);
    SetValue(9, kVoiceMode, 2);
    Program(7).SetAuthor("Ann");
    Program(8).SetAuthor("Ann");
    Program(9).SetAuthor("Anna");
    m_model->SelectOnly(7);
    m_model->SetCategoryHold(2);
    EXPECT_EQ(Held(), Selection({7, 9}));
    m_model->SetCategoryHold(3);
    EXPECT_EQ(Held(), Selection({7, 8}));
}

TEST_F(CProgramListModelTest, OnlyChangedRowsOfTheShownBankAreDrawn)
{
    std::vector<uint32_t> bankA;
    for (uint32_t n = 0; n < 64; ++n)
        bankA.push_back(n);
    EXPECT_EQ(m_model->TakeRowsToDraw(false), bankA);
    EXPECT_TRUE(m_model->TakeRowsToDraw(false).empty());
    m_model->SelectOnly(5);
    m_model->SelectOnly(70);
    EXPECT_EQ(m_model->TakeRowsToDraw(false), Selection({5}));
    EXPECT_EQ(m_model->TakeRowsToDraw(true), bankA);
    m_model->SetDropHighlight(9);
    EXPECT_EQ(m_model->GetFlags(9), CProgramListModel::kFlagDropHighlight | CProgramListModel::kFlagRedraw);
    EXPECT_EQ(m_model->TakeRowsToDraw(false), Selection({9}));
    m_model->SetDropHighlight(9);
    EXPECT_TRUE(m_model->TakeRowsToDraw(false).empty()) << "nothing changed";
    ASSERT_TRUE(m_model->ShowBank(1));
    const std::vector<uint32_t> bankB = m_model->TakeRowsToDraw(false);
    ASSERT_EQ(bankB.size(), 64u);
    EXPECT_EQ(bankB.front(), 64u);
    EXPECT_TRUE(m_model->IsSelected(70));
}

TEST_F(CProgramListModelTest, ADropSelectsTheDroppedRowsAndARefusedOneChangesNothing)
{
    for (uint32_t n = 0; n < 128; ++n)
        Program(n).SetProgramName(("P" + std::to_string(n)).c_str());
    std::vector<CProgramDragItem> items;
    for (uint32_t s : {2u, 7u})
        items.emplace_back(s, Program(s));
    m_model->SelectOnly(2);
    m_model->SetDropHighlight(5);
    const CProgramDropPlan plan = m_model->Drop(items, 5, CProgramDropOperation::kInsert);
    ASSERT_TRUE(plan.accepted);
    EXPECT_EQ(m_model->GetSelection(), Selection({5, 6}));
    EXPECT_EQ(m_model->GetFlags(5) & CProgramListModel::kFlagDropHighlight, 0u);
    EXPECT_STREQ(Program(5).GetProgramName(), "P2");
    EXPECT_STREQ(Program(6).GetProgramName(), "P7");
    EXPECT_STREQ(Program(7).GetProgramName(), "P6");

    items.clear();
    for (uint32_t s = 120; s < 128; ++s)
        items.emplace_back(s, Program(s));
    EXPECT_FALSE(m_model->Drop(items, 125, CProgramDropOperation::kInsert).accepted);
    EXPECT_EQ(m_model->GetSelection(), Selection({5, 6}));
    EXPECT_STREQ(Program(125).GetProgramName(), "P125");
}
} // namespace

// The selection display's second line: the genre of the program's row of eight in its bank and
// the Category the program carries; dashes unless exactly one program is selected.
TEST_F(CProgramListModelTest, TheSelectionShowsTheGenreOfItsRowAndItsOwnCategory)
{
    // The names come from the value-name table, which the program holds from its start.
    ASSERT_NE(CEfStringTableSingleton::Acquire(), nullptr);
    struct Release
    {
        ~Release() { CEfStringTableSingleton::Release(); }
    } release;
    EXPECT_EQ(m_model->GetSelectionCategoryText(), "--- : ---") << "nothing selected";
    const struct
    {
        uint32_t program;
        int32_t category;
        const char* shown;
    } cases[] = {
        {0, 0, "VINTAGE SYNTH : Bass"},          // A11
        {5, 3, "VINTAGE SYNTH : Synth Soft"},    // A16
        {8, 15, "ROCK/POP : User"},              // A21
        {34, 7, "TECHNO/TRANCE : Guitar/Pluck"}, // A53
        {63, 14, "FAVORITE : Vocoder"},          // A88
        {64, 1, "VINTAGE SYNTH : Lead"},         // B11: the genres start again
        {127, 9, "FAVORITE : Hit/Drum"},         // B88
    };
    for (const auto& c : cases)
    {
        SetValue(c.program, kCategory, c.category);
        Click(c.program);
        EXPECT_EQ(m_model->GetSelectionCategoryText(), c.shown) << c.program;
    }
    // The category is read when asked: a changed program shows its new one.
    SetValue(127, kCategory, 2);
    EXPECT_EQ(m_model->GetSelectionCategoryText(), "FAVORITE : Synth Hard");
    m_model->PressLeft(126, true, false, 0, 0);
    m_model->ReleaseLeft(126);
    ASSERT_EQ(m_model->GetSelectedCount(), 2u);
    EXPECT_EQ(m_model->GetSelectionCategoryText(), "--- : ---") << "two selected";
}
