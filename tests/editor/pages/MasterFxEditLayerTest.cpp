// The master effects page on a program in a test window: the grid follows the effect type,
// the Control fields choose among the assignable parameters, and whole effects are dropped
// between the two slots and from other programs.
#include "PageWindowFixture.h"

#include "app/CBlockAccessor.h"
#include "app/Notifications.h"
#include "editor/base/COleBlockDragTransport.h"
#include "editor/controls/CCustomDragReceiver.h"
#include "framework/CHfcClipboard.h"
#include "framework/CHfcBmp.h"
#include "framework/CHfcDragData.h"
#include "framework/CHfcOffscreenContext.h"
#include "editor/controls/CCustomEditText.h"
#include "editor/controls/CCustomStaticText.h"
#include "editor/layout/MasterFxEditLayout.h"
#include "editor/pages/mfx/CMasterFxEditLayer.h"
#include "editor/pages/mfx/CMasterFxKnobAssignTable.h"
#include "synthdata/CBlockData.h"
#include "synthdata/CZmFxParameterTable.h"

#include <cstring>
#include <set>

namespace
{
using Layer = CMasterFxEditLayer;

CZmParameterId TypeId(uint32_t effect)
{
    return {6, 24 * effect + 1, 0};
}
CZmParameterId ParamId(uint32_t effect, uint32_t p)
{
    return {6, 24 * effect + 4 + p, 0};
}
uint32_t ParamRow(uint32_t effect, uint32_t p)
{
    return effect * Layer::kRowsPerEffect + 3 + p;
}
std::string Text(CCustomControl* control)
{
    char text[128] = {};
    control->GetText(text, sizeof text);
    return text;
}
CZmProgramAccessor& Accessor()
{
    return *CZmProgramAccessorSingleton::Get();
}

class MasterFxPage : public PageTest<CMasterFxEditLayer, CBaseWindow::kKindMasterFxEdit>
{
protected:
    Layer& Page() { return *window.page; }
    // The first type with at least the parameter count, from the effect table.
    int32_t TypeWithParameter(uint32_t p)
    {
        CProgram probe;
        probe.Init();
        for (int32_t type = 1; type < 18; ++type)
        {
            Accessor().SetValue(&probe, TypeId(0), type);
            if (Accessor().IsPresent(&probe, ParamId(0, p)))
                return type;
        }
        return -1;
    }
    void WriteType(uint32_t effect, int32_t type)
    {
        CCustomEditText* field = Page().GetField(effect * Layer::kRowsPerEffect);
        Page().OnValueChanged(field, field->ValueToPosition(type));
    }
    // Every cell of the effect's grid as the accessor has it.
    void ExpectGridFollowsTheType(uint32_t effect)
    {
        for (uint32_t p = 0; p < 20; ++p)
        {
            CCustomEditText* field = Page().GetField(ParamRow(effect, p));
            CCustomStaticText* label = Page().GetLabel(ParamRow(effect, p));
            const CZmParameterId id = ParamId(effect, p);
            const bool shown =
                Accessor().IsPresent(&program, id) && Accessor().IsParameterEnabled(&program, id);
            EXPECT_EQ(field->IsVisible(), shown) << effect << " " << p;
            EXPECT_EQ(label->IsVisible(), shown) << effect << " " << p;
            if (!shown)
                continue;
            EXPECT_EQ(Text(label), Accessor().GetName(&program, id)) << p;
            EXPECT_EQ(field->GetMinimum(), Accessor().GetMin(&program, id)) << p;
            EXPECT_EQ(field->GetMaximum(), Accessor().GetMax(&program, id)) << p;
            EXPECT_EQ(field->GetValue(), Accessor().GetValue(&program, id)) << p;
        }
    }
};

TEST_F(MasterFxPage, EffectOffShowsNoParameterAndNoControlRowAndIdsNeverCollide)
{
    ASSERT_EQ(Value(TypeId(0)), 0) << "INITPROG";
    for (uint32_t effect = 0; effect < 2; ++effect)
        if (Value(TypeId(effect)) == 0)
            for (uint32_t row = effect * 23 + 1; row < effect * 23 + 23; ++row)
            {
                EXPECT_FALSE(Page().GetField(row)->IsVisible()) << row;
                EXPECT_FALSE(Page().GetLabel(row)->IsVisible()) << row;
            }
    std::set<uint32_t> ids;
    for (size_t i = 0; i < Page().GetControlCount(); ++i)
        EXPECT_TRUE(ids.insert(Page().GetControl(i)->GetId()).second) << Page().GetControl(i)->GetId();
    // 46 fields, 44 labels, 2 drop areas.
    EXPECT_EQ(ids.size(), 92u);
}

// The fixed places, from the page's description rather than its layout: the type fields, the
// Control rows with each field 140 pixels right of its label, and the effects' drop areas.
TEST_F(MasterFxPage, TheTypeFieldsControlRowsAndDropAreasSitWhereThePageSays)
{
    const struct
    {
        uint32_t id;
        int32_t x, y;
    } types[] = {{0, 95, 77}, {23, 95, 298}}, controls[] = {{1, 39, 247}, {2, 314, 247}, {24, 39, 472}, {25, 314, 472}};
    for (const auto& t : types)
    {
        EXPECT_EQ(Page().GetField(t.id)->GetRect().left, t.x) << t.id;
        EXPECT_EQ(Page().GetField(t.id)->GetRect().top, t.y) << t.id;
    }
    for (const auto& c : controls)
    {
        EXPECT_EQ(Page().GetLabel(c.id)->GetRect().left, c.x) << c.id;
        EXPECT_EQ(Page().GetLabel(c.id)->GetRect().top, c.y) << c.id;
        EXPECT_EQ(Page().GetField(c.id)->GetRect().left, c.x + 140) << c.id;
        EXPECT_EQ(Page().GetField(c.id)->GetRect().top, c.y) << c.id;
    }
    const CHfcRect areas[2] = {{22, 61, 22 + 584, 61 + 214}, {22, 283, 22 + 584, 283 + 214}};
    for (uint32_t effect = 0; effect < 2; ++effect)
        EXPECT_TRUE(Page().GetReceiver(effect)->GetRect() == areas[effect]) << effect;
}

TEST_F(MasterFxPage, ChangingTheTypeLaysTheGridOutAgainAndOnlyThen)
{
    const int32_t eleven = TypeWithParameter(10);
    ASSERT_GT(eleven, 0);
    const uint32_t before = Page().GetLayoutCount(1);
    WriteType(1, eleven);
    EXPECT_EQ(Value(TypeId(1)), eleven);
    EXPECT_EQ(Page().GetLayoutCount(1), before + 1);
    ExpectGridFollowsTheType(1);
    // Parameter 11 starts the second column; parameter 10 ends the first.
    EXPECT_EQ(Page().GetLabel(ParamRow(1, 10))->GetRect().left, 314);
    EXPECT_EQ(Page().GetLabel(ParamRow(1, 10))->GetRect().top, 326);
    EXPECT_EQ(Page().GetField(ParamRow(1, 10))->GetRect().left, 454);
    EXPECT_EQ(Page().GetField(ParamRow(1, 10))->GetRect().top, 326);
    EXPECT_EQ(Page().GetField(ParamRow(1, 9))->GetRect().top, 326 + 117);
    char typeName[64] = {};
    Accessor().GetCurrentValueText(&program, TypeId(1), typeName, sizeof typeName);
    EXPECT_EQ(Text(Page().GetField(23)), typeName);

    // The ticks and refreshes leave the grid as it is.
    for (int i = 0; i < 3; ++i)
        Page().RefreshValues();
    EXPECT_EQ(Page().GetLayoutCount(1), before + 1);

    // Every other type: its own names, ranges and enabled states, parameters beyond its count gone.
    for (int32_t type = 1; type < 18; ++type)
    {
        WriteType(0, type);
        ExpectGridFollowsTheType(0);
        const CMasterFxKnobAssignTable table(&program, 0);
        CCustomEditText* control1 = Page().GetField(1);
        EXPECT_TRUE(control1->IsVisible()) << type;
        // The field's last position is the list's last entry.
        EXPECT_EQ(control1->GetMaximum(), std::max(table.GetCount() - 1, 0)) << type;
        EXPECT_EQ(Text(Page().GetLabel(1)), "Control 1 Assign");
        EXPECT_EQ(Text(Page().GetLabel(2)), "Control 2 Assign");
        const int32_t stored = Value({6, 2, 0});
        EXPECT_EQ(control1->GetValue(), table.FindPosition(stored)) << type;
        EXPECT_EQ(Text(control1), stored < 20 ? Accessor().GetName(&program, ParamId(0, stored)) : "")
            << type;
        // The sensitivity of every field is a finite step, 1 for a range of one value.
        for (uint32_t row = 0; row < 23; ++row)
        {
            CCustomEditText* field = Page().GetField(row);
            if (!field->IsVisible())
                continue;
            const int32_t range = field->GetMaximum() - field->GetMinimum();
            const int32_t sensitivity = field->GetMap().GetSensitivity() / 2;
            EXPECT_GE(sensitivity, 1) << type << " " << row;
            EXPECT_LE(sensitivity, 12) << type << " " << row;
            if (range == 0 && row != 0)
            {
                EXPECT_EQ(sensitivity, 1) << type << " " << row;
            }
        }
    }
    WriteType(0, 0);
    EXPECT_FALSE(Page().GetField(1)->IsVisible());
    EXPECT_FALSE(Page().GetField(ParamRow(0, 0))->IsVisible());
}

TEST_F(MasterFxPage, WritingTheTypeItHasKeepsTheEffectsParameters)
{
    const int32_t type = TypeWithParameter(3);
    WriteType(0, type);
    const CZmParameterId p1 = ParamId(0, 0);
    const int32_t changed = Accessor().GetMin(&program, p1) == Value(p1) ? Accessor().GetMax(&program, p1)
                                                                         : Accessor().GetMin(&program, p1);
    CCustomEditText* field = Page().GetField(ParamRow(0, 0));
    ClearSent();
    Page().OnValueChanged(field, field->ValueToPosition(changed));
    EXPECT_EQ(Value(p1), changed);
    EXPECT_EQ(Sent(), std::vector<std::string>({ParameterChange(p1, changed)}))
        << "an edit reaches the instrument";
    const uint32_t layouts = Page().GetLayoutCount(0);
    const CProgram before = program;
    ClearSent();
    WriteType(0, type);
    EXPECT_EQ(std::memcmp(program.GetImage(), before.GetImage(), before.GetImageSize()), 0);
    EXPECT_EQ(Page().GetLayoutCount(0), layouts);
    EXPECT_EQ(field->GetValue(), changed);
    EXPECT_EQ(Sent(), std::vector<std::string>({ParameterChange(TypeId(0), type)}));
}

TEST_F(MasterFxPage, AControlChoiceWritesTheParameterNumberAndAnInvalidOneWritesNothing)
{
    int32_t type = 1;
    for (; type < 18; ++type)
    {
        CProgram probe = program;
        Accessor().SetValue(&probe, TypeId(0), type);
        if (CMasterFxKnobAssignTable(&probe, 0).GetCount() >= 2)
            break;
    }
    ASSERT_LT(type, 18);
    WriteType(0, type);
    const CMasterFxKnobAssignTable table(&program, 0);
    CCustomEditText* control2 = Page().GetField(2);
    const int32_t position = table.GetCount() - 1;
    ClearSent();
    library.modifiedCalls = 0;
    Page().OnValueChanged(control2, control2->ValueToPosition(position));
    EXPECT_EQ(Value({6, 3, 0}), table.GetParameter(position));
    EXPECT_EQ(Sent(), std::vector<std::string>({ParameterChange({6, 3, 0}, table.GetParameter(position))}));
    EXPECT_EQ(library.modifiedCalls, 1);
    EXPECT_EQ(control2->GetValue(), table.FindPosition(table.GetParameter(position)));

    // Beyond the list: nothing written, nothing sent.
    const CProgram before = program;
    ClearSent();
    library.modifiedCalls = 0;
    for (int32_t outside : {table.GetCount(), table.GetCount() + 5, -1})
        Page().OnValueChanged(control2, control2->ValueToPosition(outside));
    EXPECT_EQ(std::memcmp(program.GetImage(), before.GetImage(), before.GetImageSize()), 0);
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(library.modifiedCalls, 0);

    // The popup lists the assignable names with the current one checked; a choice writes it.
    popups.answer = 0;
    EXPECT_TRUE(Page().OnControlLButtonDown(Page().GetField(1), 2, 2, 0));
    ASSERT_EQ(static_cast<int32_t>(popups.items.size()), table.GetCount());
    EXPECT_EQ(popups.items[0], Accessor().GetName(&program, ParamId(0, table.GetParameter(0))));
    EXPECT_EQ(popups.checked, table.FindPosition(Value({6, 2, 0})));
    EXPECT_EQ(Value({6, 2, 0}), table.GetParameter(0));

    // A stored Control value outside the list: no position, but the parameter's name.
    int32_t outsider = 0;
    while (outsider < 20 && table.FindPosition(outsider) >= 0)
        ++outsider;
    ASSERT_LT(outsider, 20);
    Accessor().SetParameter(&program, {6, 2, 0}, outsider);
    Page().Refresh();
    EXPECT_EQ(Page().GetField(1)->GetValue(), -1);
    EXPECT_EQ(Text(Page().GetField(1)), Accessor().GetName(&program, ParamId(0, outsider)));
}

TEST_F(MasterFxPage, AListParameterChoosesItsValueFromAPopup)
{
    WriteType(0, 1); // Compressor: Param 2, Envelope Select, is a list of two
    const CZmParameterId list = ParamId(0, 1);
    ASSERT_EQ(Accessor().GetKind(&program, list), 3u);
    const int32_t current = Value(list);
    popups.answer = 1 - current;
    ClearSent();
    EXPECT_TRUE(Page().OnControlLButtonDown(Page().GetField(ParamRow(0, 1)), 2, 2, 0));
    EXPECT_EQ(popups.items.size(), 2u);
    EXPECT_EQ(popups.checked, current);
    EXPECT_EQ(Value(list), 1 - current);
    EXPECT_EQ(Sent(), std::vector<std::string>({ParameterChange(list, 1 - current)}));
    // A numeric field gets its press for dragging.
    const int calls = popups.calls;
    EXPECT_FALSE(Page().OnControlLButtonDown(Page().GetField(ParamRow(0, 0)), 2, 2, 0));
    EXPECT_EQ(popups.calls, calls);
}

TEST_F(MasterFxPage, AnEditElsewhereOfThisProgramIsShownOnItsNotification)
{
    const auto notify = [&](const Notify::ParameterChanged& changed)
    {
        const CNotificationWords w = changed.Words();
        Page().OnWindowManagerNotify(&windows, w.code, w.p1, w.p2, w.p3, w.p4, nullptr);
    };
    const int32_t type = TypeWithParameter(3);
    // Another window changes the program: the page follows notification 7 of its own program only.
    SetProgramValue(TypeId(1), type);
    const uint32_t before = Page().GetLayoutCount(1);
    notify({5, 78});
    notify({6, 77});
    EXPECT_EQ(Page().GetLayoutCount(1), before) << "another document or program";
    notify({5, 77});
    EXPECT_EQ(Page().GetLayoutCount(1), before + 1);
    EXPECT_EQ(Page().GetField(23)->GetValue(), type);
    ExpectGridFollowsTheType(1);
    SetProgramValue(TypeId(1), 0);
    notify({5, 77, true});
    EXPECT_FALSE(Page().GetField(ParamRow(1, 0))->IsVisible()) << "a change of every parameter";
}

TEST_F(MasterFxPage, AnEffectFromAnotherProgramsDragDataIsPastedThroughTheOleTransport)
{
    CHfcClipboard clipboard;
    CBlockAccessor blocks(clipboard);
    ASSERT_TRUE(blocks.RegisterFormats());
    COleBlockDragTransport transport(blocks);
    CProgram other;
    other.Init();
    Accessor().SetValue(&other, TypeId(1), 12); // Flanger
    CBlockData effect;
    ASSERT_TRUE(effect.WriteMfx(other, 1));

    // What another program's window puts in its drag: a foreign item, a cut block, the effect.
    CHfcDragData data;
    const uint8_t junk[40] = {};
    ASSERT_TRUE(data.AddItemCopy(blocks.GetDragFormat(CBlockAccessor::kDragProgram), junk, sizeof junk));
    ASSERT_TRUE(data.AddItemCopy(blocks.GetClipboardFormat(kBlockMfx), effect.GetData(), 10));
    ASSERT_TRUE(transport.AddBlockItem(data, effect));
    const std::vector<CBlockData> read = transport.GetBlocks(&data);
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0].GetSize(), effect.GetSize());
    EXPECT_EQ(std::memcmp(read[0].GetData(), effect.GetData(), effect.GetSize()), 0);
    EXPECT_TRUE(transport.GetBlocks(nullptr).empty());

    SetBlockDragTransport(&transport);
    uint32_t answer = 9;
    EXPECT_TRUE(Page().OnControlDrop(Page().GetReceiver(0), &data, 0, 5, 5, 0, &answer));
    SetBlockDragTransport(nullptr);
    EXPECT_EQ(Value(TypeId(0)), 12) << "effect 2 of the other program into effect 1";
    EXPECT_EQ(Page().GetField(0)->GetValue(), 12);
    EXPECT_EQ(library.modifiedCalls, 1);
    EXPECT_EQ(Dumps(), 1u);
}

// What the drag of an effect carries: the effect's block in its format, under an opaque white
// image of the frame's size.
TEST_F(MasterFxPage, AnEffectsDragCarriesItsBlockUnderAnOpaqueWhiteImageOfItsFrame)
{
    CHfcClipboard clipboard;
    CBlockAccessor blocks(clipboard);
    ASSERT_TRUE(blocks.RegisterFormats());
    COleBlockDragTransport transport(blocks);
    CBlockData effect;
    ASSERT_TRUE(effect.WriteMfx(program, 1));
    CCustomDragReceiver* frame = Page().GetReceiver(1);
    CHfcDragData data;
    ASSERT_TRUE(transport.MakeBlockDrag(*frame, effect, data));
    ASSERT_EQ(data.GetItemCount(), 1u);
    EXPECT_EQ(data.GetItemFormat(0), blocks.GetClipboardFormat(kBlockMfx));
    EXPECT_EQ(data.GetItemSize(0), effect.GetSize());
    ASSERT_TRUE(data.HasImage());
    {
        CHfcBmpLock lock(data.GetImage()->GetBitmap());
        const CHfcPixelView pixels = lock.View();
        ASSERT_TRUE(pixels.IsValid());
        EXPECT_EQ(pixels.width, frame->GetRect().GetWidth());
        EXPECT_EQ(pixels.height, frame->GetRect().GetHeight());
        int notWhite = 0;
        for (int32_t y = 0; y < pixels.height; ++y)
            for (int32_t x = 0; x < pixels.width; ++x)
            {
                const uint8_t* p = pixels.Pixel(x, y);
                notWhite += p[0] != 0xFF || p[1] != 0xFF || p[2] != 0xFF || p[3] != 0xFF;
            }
        EXPECT_EQ(notWhite, 0);
    }
    data.End();
}

// A block drag inside the process: the drag carries the block and drops it on the receiver the
// test names, while the drag runs, as the drag-and-drop layer does.
class InProcessDrag : public CBlockDragTransport
{
public:
    bool RunBlockDrag(CHfcControl&, const CBlockData& dragged, int32_t, int32_t) override
    {
        block = dragged;
        ++runs;
        if (page && target)
        {
            uint32_t effect = 0;
            page->OnControlDrop(target, nullptr, keyState, 5, 5, 0, &effect);
            answer = effect;
        }
        return true;
    }
    std::vector<CBlockData> GetBlocks(CHfcDragData*) override { return {block}; }
    CMasterFxEditLayer* page = nullptr;
    CHfcControl* target = nullptr;
    uint32_t keyState = 0;
    CBlockData block;
    uint32_t answer = 0;
    int runs = 0;
};

class MasterFxDrag : public MasterFxPage
{
protected:
    void PrepareProgram(CProgram& p) override
    {
        Accessor().SetValue(&p, TypeId(0), 6);  // Delay
        Accessor().SetValue(&p, TypeId(1), 11); // Chorus
        Accessor().SetValue(&p, ParamId(1, 0), 33);
    }
    void SetUp() override
    {
        MasterFxPage::SetUp();
        drag.page = window.page;
        SetBlockDragTransport(&drag);
    }
    void TearDown() override
    {
        SetBlockDragTransport(nullptr);
        MasterFxPage::TearDown();
    }
    // A press on the effect's frame and a move of 6 pixels starts the drag.
    void DragEffect(uint32_t effect)
    {
        CCustomDragReceiver* from = Page().GetReceiver(effect);
        Page().OnControlLButtonDown(from, 3, 3, 0);
        Page().OnControlMouseMove(from, 6, 6, MK_LBUTTON);
    }
    static std::vector<uint8_t> Effect(const CProgram& p, uint32_t effect)
    {
        CBlockData block;
        EXPECT_TRUE(block.WriteMfx(p, effect));
        CProgram only;
        only.Init();
        EXPECT_TRUE(block.ReadMfx(only, 0));
        std::vector<uint8_t> bytes;
        for (uint32_t k = 0; k < 24; ++k)
            bytes.push_back(static_cast<uint8_t>(Accessor().GetParameter(&only, {6, k, 0})));
        return bytes;
    }
    InProcessDrag drag;
};

TEST_F(MasterFxDrag, DraggingMfx1OntoMfx2SwapsThemAndOntoItselfChangesNothing)
{
    const std::vector<uint8_t> one = Effect(program, 0), two = Effect(program, 1);
    ASSERT_NE(one, two);
    drag.target = Page().GetReceiver(1);
    ClearSent();
    DragEffect(0);
    EXPECT_EQ(drag.runs, 1);
    EXPECT_EQ(drag.block.GetBlockKind(), static_cast<uint32_t>(kBlockMfx));
    EXPECT_EQ(drag.block.GetBlockIndex(), 0u);
    EXPECT_EQ(Effect(program, 0), two);
    EXPECT_EQ(Effect(program, 1), one);
    EXPECT_EQ(library.modifiedCalls, 1);
    EXPECT_EQ(Dumps(), 1u) << "one current-program dump for both effects";
    // The page shows the exchanged types.
    EXPECT_EQ(Page().GetField(0)->GetValue(), 11);
    EXPECT_EQ(Page().GetField(23)->GetValue(), 6);
    ExpectGridFollowsTheType(0);
    ExpectGridFollowsTheType(1);

    // Onto itself: nothing changes, nothing is marked, nothing is sent.
    const CProgram before = program;
    ClearSent();
    library.modifiedCalls = 0;
    drag.target = Page().GetReceiver(1);
    DragEffect(1);
    EXPECT_EQ(drag.runs, 2);
    EXPECT_EQ(std::memcmp(program.GetImage(), before.GetImage(), before.GetImageSize()), 0);
    EXPECT_EQ(library.modifiedCalls, 0);
    EXPECT_TRUE(Sent().empty());

    // A press and move on a field starts no drag.
    CCustomEditText* field = Page().GetField(ParamRow(0, 0));
    Page().OnControlLButtonDown(field, 3, 3, 0);
    Page().OnControlMouseMove(field, 12, 3, MK_LBUTTON);
    EXPECT_EQ(drag.runs, 2);
}

TEST_F(MasterFxDrag, ABlockFromElsewhereIsPastedAndOneThatChangesNothingSendsNothing)
{
    CProgram other;
    other.Init();
    Accessor().SetValue(&other, TypeId(0), 14); // Phaser
    CBlockData block;
    ASSERT_TRUE(block.WriteMfx(other, 0));
    drag.block = block;
    ClearSent();
    uint32_t effect = 9;
    // No drag of this page runs: the drop is foreign and pastes into the receiver's effect.
    Page().OnControlDrop(Page().GetReceiver(1), nullptr, 0, 5, 5, 0, &effect);
    EXPECT_EQ(Effect(program, 1), Effect(other, 0));
    EXPECT_EQ(Value(TypeId(0)), 6) << "the other effect keeps its own";
    EXPECT_EQ(library.modifiedCalls, 1);
    EXPECT_EQ(Dumps(), 1u);
    EXPECT_EQ(Page().GetField(23)->GetValue(), 14);

    // The same block again pastes nothing: no mark, no dump.
    ClearSent();
    library.modifiedCalls = 0;
    Page().OnControlDrop(Page().GetReceiver(1), nullptr, 0, 5, 5, 0, &effect);
    EXPECT_EQ(library.modifiedCalls, 0);
    EXPECT_TRUE(Sent().empty());

    // A block of another kind is not taken.
    CBlockData arp;
    ASSERT_TRUE(arp.WriteArp(other));
    drag.block = arp;
    const CProgram before = program;
    EXPECT_FALSE(Page().OnControlDrop(Page().GetReceiver(0), nullptr, 0, 5, 5, 0, &effect));
    EXPECT_EQ(std::memcmp(program.GetImage(), before.GetImage(), before.GetImageSize()), 0);
    EXPECT_EQ(library.modifiedCalls, 0);
}

TEST_F(MasterFxDrag, ScreenshotOnAProgram)
{
    Accessor().SetValue(&program, TypeId(0), 8); // Auto Panning Delay
    Accessor().SetValue(&program, TypeId(1), 3); // 4 Band EQ
    Page().Refresh();
    EXPECT_TRUE(Screenshot("master_fx_edit"));
}
} // namespace
