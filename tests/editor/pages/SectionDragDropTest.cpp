// Blocks dragged by the mouse on the edit pages with real OLE drags, within a window and between
// windows: the master effects page's two effects and the program page's five section areas,
// two programs of one library, each with its program page and master effects page open side
// by side in the frame. A press and a move through the source window's messages start the
// drag; a drag step script carries the cursor to the target, holds the keys and lets the button
// go, so that OLE's own loop asks the target for its effect and drops only where it got one.
#include "../base/EditorWindowFixture.h"

#include "app/CBlockAccessor.h"
#include "editor/base/COleBlockDragTransport.h"
#include "editor/layout/MasterFxEditLayout.h"
#include "editor/layout/ProgramEditLayout.h"
#include "editor/pages/CMasterFxEditWindow.h"
#include "editor/pages/CProgramEditLayer.h"
#include "editor/pages/CProgramEditWindow.h"
#include "editor/pages/mfx/CMasterFxEditLayer.h"
#include "framework/CHfcClipboard.h"
#include "framework/CHfcDragData.h"
#include "framework/CHfcDropSource.h"
#include "synthdata/CLibraryData.h"
#include "synthdata/CProgram.h"
#include "synthdata/CQ3580ProgramAccessor.h"

#include "support/HeldKeys.h"
#include "support/RecordingLibraryWindow.h"
#include "support/Screenshot.h"

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace
{
using Image = std::vector<uint8_t>;

const CZmParameterId kVoiceMode = {0, 35, 0};
constexpr uint32_t kPrograms[2] = {6, 7};

// Where a section lies in the 346-byte program image.
struct Section
{
    uint32_t offset, size;
};
constexpr Section kTimbre[2] = {{16, 96}, {112, 96}};
constexpr Section kMfx[2] = {{286, 24}, {310, 24}};
constexpr Section kMfxSet = {286, 48};
constexpr Section kVocoder = {208, 78};

// The bytes of a section.
Image Bytes(const Image& image, Section s)
{
    return Image(image.begin() + s.offset, image.begin() + s.offset + s.size);
}
void Put(Image& image, Section s, const Image& bytes)
{
    std::memcpy(image.data() + s.offset, bytes.data(), s.size);
}

// Where a drag starts or ends: a page of window w (0 or 1), and a point of that page.
enum class Page
{
    Program,
    MasterFx
};
struct Spot
{
    int window;
    Page page;
    POINT at; // client coordinates
};
// The middle of a section area of the program page: 0, 1 timbres, 2 arpeggiator, 3 vocoder,
// 4 master effects.
Spot Area(int window, uint32_t area)
{
    const NvLayoutRect& r = NvProgramEditLayout::kDropAreas[area];
    return {window, Page::Program, {r.x + r.width / 2, r.y + r.height / 2}};
}
// A point on an effect's frame of the master effects page, clear of its fields.
Spot Effect(int window, uint32_t effect)
{
    const NvLayoutRect& r = NvMasterFxEditLayout::kFrames[effect == 0 ? 0 : 3].rect;
    return {window, Page::MasterFx, {r.x + 5, r.y + 5}};
}

class SectionDrags : public EditorWindowTest
{
protected:
    void SetUp() override
    {
        EditorWindowTest::SetUp();
        if (HasFatalFailure())
            return;
        GetSettings().autoDumpEnabled = false;
        ASSERT_TRUE(accessor.RegisterFormats());
        SetBlockAccessor(&accessor);
        SetBlockDragTransport(&transport);
        // Before the windows: they register their drop targets as they are made.
        ASSERT_TRUE(InitializeOleDragDrop());
        MoveWindow(frame->GetHwnd(), 0, 0, 1330, 1150, TRUE);
        library.AddEntry(CLibraryEntry::kKindProgramSet);
        ASSERT_TRUE(bank.Create(0, 0, 200, 100, 9, nullptr, frame.get(), "Library"));
        for (int w = 0; w < 2; ++w)
        {
            Restore(w);
            windows[w] = CProgramEditWindow::OpenProgram(&bank, &library, static_cast<int32_t>(kPrograms[w]),
                                                         frame.get(), w * 650, 0);
            ASSERT_NE(windows[w], nullptr);
            CProgramSectionWindow* mfx = windows[w]->OpenEditor(CProgramEditWindow::kEditorMasterFx);
            ASSERT_NE(mfx, nullptr);
            SetWindowPos(mfx->GetHwnd(), nullptr, w * 650, 520, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        }
        Deliver();
    }
    void TearDown() override
    {
        SetDragStepScript(nullptr);
        for (auto& window : windows)
            window.reset();
        bank.Destroy();
        SetBlockDragTransport(nullptr);
        SetBlockAccessor(nullptr);
        UninitializeOleDragDrop();
        EditorWindowTest::TearDown();
    }

    CProgram& Program(int w) { return library.GetProgramSet()->GetProgram(kPrograms[w]); }
    Image ImageOf(int w)
    {
        const uint8_t* image = Program(w).GetImage();
        return Image(image, image + kQ3580ProgramImageSize);
    }
    // Two programs that differ in every section, both timbres playing; the pages show them.
    void Restore(int w, int32_t voiceMode = 1)
    {
        CProgram& program = Program(w);
        std::memcpy(program.GetImage(), CSimInstrument::PatternProgram(40 + 9 * w).data(),
                    kQ3580ProgramImageSize);
        CZmProgramAccessor* values = CZmProgramAccessorSingleton::Get();
        values->SetValue(&program, kVoiceMode, voiceMode);
        values->SetValue(&program, {6, 1, 0}, w == 0 ? 6 : 14);  // MFX 1: Delay or Phaser
        values->SetValue(&program, {6, 25, 0}, w == 0 ? 11 : 3); // MFX 2: Chorus or 4 Band EQ
        if (windows[w])
        {
            windows[w]->GetLayer()->RefreshAllControls();
            MasterFx(w).Refresh();
        }
    }
    CMasterFxEditLayer& MasterFx(int w)
    {
        return *static_cast<CMasterFxEditLayer*>(
            windows[w]->GetEditor(CProgramEditWindow::kEditorMasterFx)->GetEditLayer());
    }
    HWND Hwnd(const Spot& s)
    {
        return s.page == Page::Program ? windows[s.window]->GetHwnd()
                                       : windows[s.window]->GetEditor(CProgramEditWindow::kEditorMasterFx)->GetHwnd();
    }

    // The user presses on `from`, moves the mouse by 8 pixels, carries the drag to `to`, holds
    // the keys there and lets the button go.
    void Drag(const Spot& from, const Spot& to, const std::vector<WORD>& held = {})
    {
        POINT target = to.at;
        ClientToScreen(Hwnd(to), &target);
        HeldKeys keys(held);
        int steps = 0;
        SetDragStepScript(
            [&](BOOL& escape, DWORD& keyState)
            {
                ++steps;
                keyState = MK_LBUTTON;
                escape = steps > 400;
                if (steps == 1)
                    SetCursorPos(target.x, target.y);
                else if (steps == 4)
                    keys.Press();
                else if (steps > 8)
                    keyState = 0;
            });
        HWND source = Hwnd(from);
        SendMessageW(source, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.at.x, from.at.y));
        SendMessageW(source, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(from.at.x + 8, from.at.y));
        SendMessageW(source, WM_LBUTTONUP, 0, MAKELPARAM(from.at.x + 8, from.at.y));
        SetDragStepScript(nullptr);
        keys.Release();
        dragSteps = steps;
        Deliver();
    }

    CHfcClipboard clipboard;
    CBlockAccessor accessor{clipboard};
    COleBlockDragTransport transport{accessor};
    CLibraryData library;
    RecordingLibraryWindow bank;
    std::unique_ptr<CProgramEditWindow> windows[2];
    int dragSteps = 0;
};

// What a drag should leave: the target's sections from the images before it (the source's
// and the target's own), for a copy or an exchange.
struct DragCase
{
    const char* what;
    Spot from, to;
    std::vector<WORD> held;
    // The target program's image expected from the two images before the drag (null: unchanged).
    Image (*expected)(const Image& source, const Image& target);
};

Image SwapTimbres(const Image&, const Image& target)
{
    Image e = target;
    Put(e, kTimbre[0], Bytes(target, kTimbre[1]));
    Put(e, kTimbre[1], Bytes(target, kTimbre[0]));
    return e;
}
Image SwapEffects(const Image&, const Image& target)
{
    Image e = target;
    Put(e, kMfx[0], Bytes(target, kMfx[1]));
    Put(e, kMfx[1], Bytes(target, kMfx[0]));
    return e;
}
Image Timbre1OverTimbre2(const Image& source, const Image& target)
{
    Image e = target;
    Put(e, kTimbre[1], Bytes(source, kTimbre[0]));
    return e;
}
Image Mfx1OverMfx2(const Image& source, const Image& target)
{
    Image e = target;
    Put(e, kMfx[1], Bytes(source, kMfx[0]));
    return e;
}
Image VocoderOver(const Image& source, const Image& target)
{
    Image e = target;
    Put(e, kVocoder, Bytes(source, kVocoder));
    return e;
}
Image EffectsOver(const Image& source, const Image& target)
{
    Image e = target;
    Put(e, kMfxSet, Bytes(source, kMfxSet));
    return e;
}
} // namespace

// Within a window a plain drag exchanges the two timbres or effects and Control copies one
// over the other; between windows the block is copied; a drop where the section does not
// belong changes nothing. The program that changed goes to the instrument.
TEST_F(SectionDrags, ARealDragExchangesWithinAPageAndCopiesBetweenWindows)
{
    const DragCase cases[] = {
        {"timbre 1 onto timbre 2", Area(0, 0), Area(0, 1), {}, SwapTimbres},
        {"timbre 1 onto timbre 2 with Control", Area(0, 0), Area(0, 1), {VK_CONTROL}, Timbre1OverTimbre2},
        {"timbre 1 onto the other window's timbre 2", Area(0, 0), Area(1, 1), {}, Timbre1OverTimbre2},
        {"the vocoder onto the other window's", Area(0, 3), Area(1, 3), {}, VocoderOver},
        {"the effects onto the other window's", Area(0, 4), Area(1, 4), {}, EffectsOver},
        {"MFX 1 onto MFX 2", Effect(0, 0), Effect(0, 1), {}, SwapEffects},
        {"MFX 1 onto MFX 2 with Control", Effect(0, 0), Effect(0, 1), {VK_CONTROL}, Mfx1OverMfx2},
        {"MFX 1 onto the other window's MFX 2", Effect(0, 0), Effect(1, 1), {}, Mfx1OverMfx2},
        {"a timbre onto the arpeggiator's area", Area(0, 0), Area(1, 2), {}, nullptr},
        {"one effect onto the program page's effects", Effect(0, 0), Area(1, 4), {}, nullptr},
        {"the effects onto an effect's frame", Area(0, 4), Effect(1, 0), {}, nullptr},
    };
    for (const DragCase& c : cases)
    {
        SCOPED_TRACE(c.what);
        Restore(0);
        Restore(1);
        const int target = c.to.window;
        const Image source = ImageOf(c.from.window), before = ImageOf(target);
        const Image other = ImageOf(1 - target);
        ClearSent();
        instrument->SetEditBuffer(Image(kQ3580ProgramImageSize, 0));
        bank.modifiedCalls = 0;

        Drag(c.from, c.to, c.held);
        ASSERT_LT(dragSteps, 400) << "the drag did not end";
        const Image expected = c.expected ? c.expected(source, before) : before;
        EXPECT_EQ(ImageOf(target), expected);
        EXPECT_EQ(ImageOf(1 - target), other) << "the other program changed";
        if (c.expected)
        {
            EXPECT_EQ(instrument->GetEditBuffer(), expected) << "the instrument did not get the program";
            EXPECT_EQ(bank.modifiedCalls, 1);
        }
        else
        {
            EXPECT_TRUE(Sent().empty());
            EXPECT_EQ(bank.modifiedCalls, 0);
        }
    }
}

// With timbre 2 off (Voice Mode Single) its area takes no timbre; timbre 1's still does.
TEST_F(SectionDrags, TimbreTwosAreaRefusesATimbreWhileTheProgramIsSingle)
{
    Restore(0);
    Restore(1, 0);
    const Image before = ImageOf(1);
    Drag(Area(0, 0), Area(1, 1));
    EXPECT_EQ(ImageOf(1), before);
    EXPECT_EQ(bank.modifiedCalls, 0);

    Drag(Area(0, 1), Area(1, 0));
    Image expected = before;
    Put(expected, kTimbre[0], Bytes(ImageOf(0), kTimbre[1]));
    EXPECT_EQ(ImageOf(1), expected);
    EXPECT_TRUE(SaveWindowScreenshot(windows[1]->GetHwnd(), "program_edit_after_timbre_drop",
                                     [] { PumpUntil([] { return false; }, 300); }));
}

// A block dragged from another program is copied, and the drag hears the effect in the
// framework's numbering: copy where the area takes it, none where it does not.
TEST_F(SectionDrags, ABlockFromAnotherProgramIsCopiedAndTheDragHearsCopy)
{
    CProgram other;
    std::memcpy(other.GetImage(), CSimInstrument::PatternProgram(90).data(), kQ3580ProgramImageSize);
    CBlockData vocoder;
    ASSERT_TRUE(vocoder.WriteVocoder(other));
    const struct
    {
        const char* what;
        Spot onto;
        uint32_t effect;
    } cases[] = {
        {"onto the vocoder's area", Area(1, 3), kHfcDropEffectCopy},
        {"onto the arpeggiator's area", Area(1, 2), kHfcDropEffectNone},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.what);
        Restore(1);
        Image expected = ImageOf(1);
        if (c.effect != kHfcDropEffectNone)
        {
            const uint8_t* image = other.GetImage();
            Put(expected, kVocoder, Bytes(Image(image, image + kQ3580ProgramImageSize), kVocoder));
        }
        CHfcDragData data;
        ASSERT_TRUE(transport.AddBlockItem(data, vocoder));
        POINT target = c.onto.at;
        ClientToScreen(Hwnd(c.onto), &target);
        int steps = 0;
        SetDragStepScript(
            [&](BOOL& escape, DWORD& keyState)
            {
                keyState = ++steps > 6 ? 0 : MK_LBUTTON;
                escape = steps > 400;
                if (steps == 1)
                    SetCursorPos(target.x, target.y);
            });
        EXPECT_EQ(data.DoDragDrop(0, 0), c.effect);
        SetDragStepScript(nullptr);
        Deliver();
        EXPECT_EQ(ImageOf(1), expected);
    }
}
