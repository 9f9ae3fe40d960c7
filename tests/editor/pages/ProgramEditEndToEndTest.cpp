// The edit windows of the real program against its simulated instrument, driven as a user
// drives them: a double click on a received program, drags on its controls, a name typed in
// place, a choice from a value list, the section editors opened from the program page's buttons.
// The instrument's log and memory tell what it heard and what its edit buffer holds.

#include "e2e/CRunningProgram.h"
#include "support/CSimControl.h"
#include "support/LayoutPlace.h"

#include "editor/layout/ProgramEditLayout.h"
#include "editor/layout/SynthEditLayout.h"
#include "editor/library/model/CProgramListGeometry.h"
#include "editor/math/CEnvelopeCurveGeometry.h"
#include "synthdata/CProgram.h"
#include "synthdata/CQ3580IdConverter.h"
#include "synthdata/CQ3580ProgramAccessor.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace
{
const wchar_t* const kFrameClass = L"Q3580MDIFrameWindow";
const wchar_t* const kFrameTitle = L"Nuvorn Sound Editor";
const wchar_t* const kLibraryTitle = L"Untitled - Program";
const wchar_t* const kLibraryModifiedTitle = L"Untitled * - Program";
constexpr UINT kFileExit = 51006;
constexpr uint8_t kProgramRequest = 0x1C, kGlobalRequest = 0x0E;
constexpr int kLibraryStripHeight = 37; // the page tabs above the program list
constexpr uint32_t kProgram = 5;        // A16 of the received set: its vocoder is on
const wchar_t* const kProgramNumber = L"A16";

const CZmParameterId kBpm = {7, 0, 0};
const CZmParameterId kVocoderSwitch = {5, 0, 0};
const CZmParameterId kCutoff = {2, 36, 0};
const CZmParameterId kLfo1Wave = {2, 79, 0};
const CZmParameterId kEg1[4] = {{2, 55, 0}, {2, 56, 0}, {2, 57, 0}, {2, 58, 0}}; // A, D, S, R

struct IdLess
{
    bool operator()(const CZmParameterId& a, const CZmParameterId& b) const
    {
        return std::tie(a.group, a.index, a.timbre) < std::tie(b.group, b.index, b.timbre);
    }
};
using IdSet = std::set<CZmParameterId, IdLess>;

// A parameter change the instrument heard.
struct Change
{
    CZmParameterId id;
    int32_t value;
};

int32_t Signed14(uint8_t low, uint8_t high)
{
    const int32_t v = low | high << 7;
    return v >= 0x2000 ? v - 0x4000 : v;
}

// The parameter changes among the messages (F0 mk 3g md 41 sl sh il ih vl vh F7), in order.
std::vector<Change> ParameterChanges(const std::vector<CSimControl::Message>& heard)
{
    std::vector<Change> changes;
    for (const CSimControl::Message& m : heard)
    {
        if (m.size() != 12 || m[4] != 0x41)
            continue;
        CZmDeviceAddress address;
        address.hi = static_cast<uint32_t>(Signed14(m[5], m[6]));
        address.lo = static_cast<uint32_t>(Signed14(m[7], m[8]));
        Change change = {{0xFF, 0xFF, 0}, Signed14(m[9], m[10])};
        EXPECT_TRUE(CZmIdConverterSingleton::Get()->FromDeviceAddress(address, change.id))
            << address.hi << "/" << address.lo;
        changes.push_back(change);
    }
    return changes;
}

IdSet Ids(const std::vector<Change>& changes)
{
    IdSet ids;
    for (const Change& c : changes)
        ids.insert(c.id);
    return ids;
}

CProgram ProgramOf(const CSimControl::Message& image)
{
    CProgram program;
    EXPECT_EQ(image.size(), program.GetImageSize());
    std::memcpy(program.GetImage(), image.data(), std::min<size_t>(image.size(), program.GetImageSize()));
    return program;
}

bool SameImage(const CProgram& a, const CProgram& b)
{
    return std::memcmp(a.GetImage(), b.GetImage(), a.GetImageSize()) == 0;
}

// The shown MDI child whose title starts and ends so; null when there is none.
HWND FindChild(HWND frame, const std::wstring& start, const std::wstring& end = L"")
{
    for (HWND child : e2e::MdiChildren(frame))
    {
        const std::wstring title = e2e::WindowText(child);
        if (title.size() >= start.size() + end.size() && title.compare(0, start.size(), start) == 0 &&
            title.compare(title.size() - end.size(), end.size(), end) == 0)
            return child;
    }
    return nullptr;
}

// A control of a page's layout table: its rectangle, its middle and the radius inside it.
using Place = LayoutPlace;

template <size_t N> Place Find(const NvLayoutControl (&controls)[N], const char* role)
{
    const Place place = FindLayoutPlace(controls, role);
    if (!place.found)
        ADD_FAILURE() << "no control " << role;
    return place;
}

// The pointer at `degrees` clockwise from the top of the knob, just inside its rim.
POINT OnKnob(const Place& knob, double degrees)
{
    const double radians = degrees * 3.14159265358979 / 180.0;
    const int r = knob.radius - 3;
    return {knob.middle.x + static_cast<LONG>(std::lround(r * std::sin(radians))),
            knob.middle.y - static_cast<LONG>(std::lround(r * std::cos(radians)))};
}

// A title as a failure's message shows it.
std::string Narrow(const std::wstring& text)
{
    std::string narrow;
    for (wchar_t c : text)
        narrow += c < 0x80 ? static_cast<char>(c) : '?';
    return narrow;
}

// Where two program images differ, for a failure's message.
std::string Differences(const CProgram& a, const CProgram& b)
{
    std::string text;
    int count = 0;
    for (uint32_t i = 0; i < a.GetImageSize(); ++i)
        if (a.GetImage()[i] != b.GetImage()[i] && count++ < 12)
            text += " @" + std::to_string(i) + ":" + std::to_string(a.GetImage()[i]) + "/" +
                    std::to_string(b.GetImage()[i]);
    return count ? std::to_string(count) + " bytes differ:" + text : "none differ";
}

class ProgramEditEndToEnd : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CZmIdConverterSingleton::Acquire();
        CZmProgramAccessorSingleton::Acquire();
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\TARV\\Nuvorn Sound Editor");
        // The pointer rests away from every window: no move of its own reaches them.
        SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
        m_sim = std::make_unique<CSimControl>(e2e::BesideTestProgram(L"program_edit_instrument"));
        m_program = std::make_unique<e2e::CRunningProgram>(
            e2e::BesideTestProgram(L"NuvornSoundEditor.exe"), std::vector<std::wstring>{},
            std::vector<std::wstring>{m_sim->GetEnvironment()});
        ASSERT_TRUE(m_program->Started());
        m_frame = m_program->WaitForWindow(kFrameClass, kFrameTitle);
        ASSERT_NE(m_frame, nullptr);
        // Room for the largest editor, as a user makes it.
        SetWindowPos(m_frame, nullptr, 0, 0, 1400, 1100, SWP_NOZORDER);
        ASSERT_TRUE(m_program->WaitForIdle(m_frame));
        ASSERT_TRUE(Until([&] { return (m_library = FindChild(m_frame, kLibraryTitle)) != nullptr; }));
        // The start-up receives what the instrument holds before the user goes on: every
        // program's request, then the global data's.
        ASSERT_TRUE(
            Until([&] { return Requests(kProgramRequest) == 128 && Requests(kGlobalRequest) == 1; }, 60000))
            << "the start-up did not receive the instrument's data";
        ASSERT_TRUE(m_program->WaitForIdle(m_frame));
        Settle(m_library);
    }
    void TearDown() override
    {
        if (m_program && !m_program->Exited())
        {
            // Its changes are not saved: "No" to the box that asks.
            EXPECT_TRUE(m_program->ChooseMenuItemUntil(m_frame, kFileExit,
                                                       [&]
                                                       {
                                                           for (HWND w : e2e::ProcessWindows(
                                                                    m_program->GetProcessId()))
                                                               if (e2e::WindowClass(w) == L"#32770")
                                                                   e2e::PressButton(w, L"No");
                                                           return m_program->Exited();
                                                       }));
        }
        m_program.reset();
        m_sim.reset();
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\TARV\\Nuvorn Sound Editor");
        CZmProgramAccessorSingleton::Release();
        CZmIdConverterSingleton::Release();
    }

    // Until the condition holds, or the time-out or the program's end.
    template <typename Condition> bool Until(Condition condition, DWORD timeoutMs = 20000)
    {
        const ULONGLONG deadline = GetTickCount64() + timeoutMs;
        while (!condition())
        {
            if (GetTickCount64() >= deadline || m_program->Exited())
                return condition();
            WaitForSingleObject(m_program->GetProcessHandle(), 20);
        }
        return true;
    }

    // How many requests of the command (the message's fifth byte) the instrument heard.
    size_t Requests(uint8_t command) const
    {
        size_t n = 0;
        for (const CSimControl::Message& m : m_sim->Heard())
            n += m.size() > 5 && m[4] == command;
        return n;
    }
    // The instrument's memory as it saved it last.
    bool ReadMemory(std::vector<CSimControl::Message>& programs, CSimControl::Message& editBuffer)
    {
        CSimControl::Message global;
        return m_sim->ReadMemory(programs, global, editBuffer) && programs.size() > kProgram;
    }
    // Until the instrument's edit buffer holds the program; how they differ when it does not.
    ::testing::AssertionResult EditBufferBecomes(const CProgram& expected)
    {
        std::vector<CSimControl::Message> programs;
        CSimControl::Message editBuffer;
        if (Until([&]
                  { return ReadMemory(programs, editBuffer) && SameImage(ProgramOf(editBuffer), expected); }))
            return ::testing::AssertionSuccess();
        if (editBuffer.empty())
            return ::testing::AssertionFailure() << "no edit buffer in the instrument's memory";
        return ::testing::AssertionFailure()
               << "edit buffer/expected: " << Differences(ProgramOf(editBuffer), expected);
    }
    CProgram ReceivedProgram()
    {
        std::vector<CSimControl::Message> programs;
        CSimControl::Message editBuffer;
        EXPECT_TRUE(Until([&] { return ReadMemory(programs, editBuffer); }));
        return programs.size() > kProgram ? ProgramOf(programs[kProgram]) : CProgram();
    }
    // The parameter changes heard since the last ClearHeard, once `count` of them arrived and no
    // more follow for a moment.
    std::vector<Change> HeardChanges(size_t count)
    {
        std::vector<Change> changes;
        Until([&] { return (changes = ParameterChanges(m_sim->Heard())).size() >= count; });
        for (size_t n = changes.size();; n = changes.size())
        {
            WaitForSingleObject(m_program->GetProcessHandle(), 300);
            changes = ParameterChanges(m_sim->Heard());
            if (changes.size() == n)
                return changes;
        }
    }

    // The library row of the program, in the library window's client coordinates.
    RECT LibraryRow(uint32_t n) const
    {
        const CHfcRect r = CProgramListGeometry::GetRowRect(0, n);
        return {r.left, kLibraryStripHeight + r.top, r.right, kLibraryStripHeight + r.bottom};
    }
    // Double-clicks the program's row until its edit window shows: the start-up receive takes
    // no clicks while it runs. The window is settled and the instrument's edit buffer holds the
    // program.
    HWND OpenProgramEditWindow()
    {
        const RECT row = LibraryRow(kProgram);
        HWND window = nullptr;
        Until(
            [&]
            {
                if ((window = FindChild(m_frame, std::wstring(L"Untitled [") + kProgramNumber + L":", L"]")))
                    return true;
                e2e::DoubleClickAt(m_library, (row.left + row.right) / 2, (row.top + row.bottom) / 2);
                m_program->WaitForIdle(m_frame);
                return false;
            },
            30000);
        if (!window)
            return nullptr;
        Settle(window);
        EXPECT_TRUE(EditBufferBecomes(ReceivedProgram()))
            << "the opened program is not the instrument's to edit";
        return window;
    }
    // Settled: the window answers, has nothing left to paint and a few 60 ms ticks have run.
    void Settle(HWND window)
    {
        EXPECT_TRUE(m_program->WaitForPainted(window));
        WaitForSingleObject(m_program->GetProcessHandle(), 300);
        EXPECT_TRUE(m_program->WaitForPainted(window));
    }
    // Presses a button of the program page; the editor whose title ends so, settled.
    HWND OpenEditor(HWND programWindow, const char* button, const std::wstring& ending)
    {
        const Place p = Find(NvProgramEditLayout::kControls, button);
        HWND editor = nullptr;
        e2e::ClickAt(programWindow, p.middle.x, p.middle.y);
        EXPECT_TRUE(Until([&] { return (editor = FindChild(m_frame, L"Untitled [", ending)) != nullptr; }))
            << button;
        if (editor)
            Settle(editor);
        return editor;
    }
    void Activate(HWND child)
    {
        SendMessageW(GetParent(child), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child), 0);
        Settle(child);
    }

    std::unique_ptr<CSimControl> m_sim;
    std::unique_ptr<e2e::CRunningProgram> m_program;
    HWND m_frame = nullptr;
    HWND m_library = nullptr;
};
} // namespace

TEST_F(ProgramEditEndToEnd, AReceivedProgramEditedOnItsPageReachesTheInstrumentAndTheLibrary)
{
    HWND window = OpenProgramEditWindow();
    ASSERT_NE(window, nullptr) << "no edit window after the double click";
    CProgram expected = ReceivedProgram();
    EXPECT_NE(std::string(expected.GetProgramName()), "INITPROG");
    Activate(m_library);
    const std::vector<uint32_t> rowBefore = e2e::ClientPixels(m_library, LibraryRow(kProgram));
    Activate(window);
    ASSERT_TRUE(m_sim->ClearHeard());

    // The BPM turned down by a drag on its value, as on a knob: one change a step as it goes.
    CZmProgramAccessor* accessor = CZmProgramAccessorSingleton::Get();
    const int32_t bpmBefore = accessor->GetValue(&expected, kBpm);
    ASSERT_GT(bpmBefore, accessor->GetMin(&expected, kBpm) + 30) << "no room to turn it down";
    const POINT bpm = Find(NvProgramEditLayout::kControls, "bpm").middle;
    ASSERT_TRUE(e2e::LeftDrag(window, bpm, {bpm.x, bpm.y + 12}, 6));
    const std::vector<Change> turned = HeardChanges(1);
    ASSERT_FALSE(turned.empty()) << "the instrument heard nothing of the drag";
    EXPECT_EQ(Ids(turned), IdSet({kBpm}));
    for (size_t i = 0; i < turned.size(); ++i)
        EXPECT_LT(turned[i].value, i ? turned[i - 1].value : bpmBefore) << "step " << i;
    EXPECT_GE(turned.size(), 3u) << "the drag's steps went as one";
    accessor->SetValue(&expected, kBpm, turned.back().value);
    EXPECT_TRUE(EditBufferBecomes(expected)) << "the edit buffer differs from the program after the drag";

    // The name typed in place: a double click starts the entry, Enter ends it; each character
    // goes to the instrument.
    ASSERT_TRUE(m_sim->ClearHeard());
    const POINT name = Find(NvProgramEditLayout::kControls, "program name").middle;
    ASSERT_TRUE(e2e::DoubleClickAt(window, name.x, name.y));
    HWND entry = nullptr;
    ASSERT_TRUE(Until([&] { return (entry = e2e::FindChildOfClass(window, L"Edit")) != nullptr; }));
    ASSERT_TRUE(e2e::TypeCharacters(entry, L"NEW PAD\r"));
    const std::wstring renamed = std::wstring(L"Untitled [") + kProgramNumber + L":NEW PAD]";
    EXPECT_TRUE(Until([&] { return e2e::WindowText(window) == renamed; }));
    const std::vector<Change> named = HeardChanges(8);
    ASSERT_EQ(named.size(), 8u);
    for (uint32_t i = 0; i < 8; ++i)
    {
        EXPECT_EQ(named[i].id, (CZmParameterId{0, i, 0})) << i;
        EXPECT_EQ(named[i].value, "NEW PAD "[i]) << i;
    }
    expected.SetProgramName("NEW PAD");
    EXPECT_TRUE(EditBufferBecomes(expected)) << "the edit buffer differs from the program after the name";

    // The library shows the new name and is marked modified.
    EXPECT_TRUE(Until([&] { return FindChild(m_frame, kLibraryModifiedTitle) != nullptr; }));
    Activate(m_library);
    EXPECT_NE(e2e::ClientPixels(m_library, LibraryRow(kProgram)), rowBefore)
        << "the row still shows the old name";
    Activate(window);
    EXPECT_TRUE(e2e::Screenshot(window, "program_edit_received"));
}

TEST_F(ProgramEditEndToEnd, TimbreSynthEditsReachTheInstrumentInExactlyTheirFields)
{
    HWND window = OpenProgramEditWindow();
    ASSERT_NE(window, nullptr);
    HWND synth = OpenEditor(window, "timbre 1 synth edit", L"] Timbre 1 Synth");
    ASSERT_NE(synth, nullptr);
    CZmProgramAccessor* accessor = CZmProgramAccessorSingleton::Get();
    CProgram expected = ReceivedProgram();

    // Each edit as the user makes it, and the fields it may write.
    const Place cutoff = Find(NvSynthEditLayout::kControls, "filter 1 cutoff");
    const Place eg1 = Find(NvSynthEditLayout::kControls, "eg 1 curve");
    const Place lfo1 = Find(NvSynthEditLayout::kControls, "lfo 1 wave");
    struct Edit
    {
        const char* what;
        std::function<IdSet()> make; // does the edit; the fields it writes
    };
    const Edit edits[] = {
        {"a knob turned",
         [&]
         {
             // Pressed at the top, turned clockwise by a third of a turn in ten moves.
             const POINT from = OnKnob(cutoff, 0);
             PostMessageW(synth, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
             POINT at = from;
             for (int i = 1; i <= 10; ++i)
             {
                 at = OnKnob(cutoff, 12.0 * i);
                 PostMessageW(synth, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(at.x, at.y));
             }
             PostMessageW(synth, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
             return IdSet{kCutoff};
         }},
        {"an envelope point dragged",
         [&]
         {
             // The attack point as the curve lays it out (its press may take the point above it).
             const int32_t a = accessor->GetValue(&expected, kEg1[0]),
                           d = accessor->GetValue(&expected, kEg1[1]),
                           s = accessor->GetValue(&expected, kEg1[2]),
                           r = accessor->GetValue(&expected, kEg1[3]);
             CEnvelopeCurveGeometry curve;
             EXPECT_TRUE(curve.Create(eg1.rect.width, eg1.rect.height, 5, 7, 0, 127));
             curve.SetPoint(1, {127, a, 3});
             curve.SetPoint(2, {s, d, 3});
             curve.SetPoint(3, {s, 64, 3});
             curve.SetPoint(4, {0, r, 3});
             const CGraphPoint p = curve.GetScreenPoints()[1];
             const int x = static_cast<int>(p.x), y = static_cast<int>(p.y);
             const int grabbed = curve.HitTest(x, y);
             const int dx = a > 90 ? -16 : 16;
             const POINT at = {eg1.rect.x + x, eg1.rect.y + y};
             e2e::LeftDrag(synth, at, {at.x + dx, at.y + 10}, 4);
             switch (grabbed)
             {
             case 1:
                 return IdSet{kEg1[0]};
             case 2:
                 return IdSet{kEg1[1], kEg1[2]};
             case 3:
                 return IdSet{kEg1[2]};
             default:
                 ADD_FAILURE() << "no point under the attack point: " << grabbed;
                 return IdSet{};
             }
         }},
        {"an LFO shape chosen from its list",
         [&]
         {
             // The list opens at the press; the next shape is chosen with the keys.
             const int32_t wave = accessor->GetValue(&expected, kLfo1Wave);
             const int32_t chosen = wave == accessor->GetMax(&expected, kLfo1Wave) ? wave - 1 : wave + 1;
             e2e::ClickAt(synth, lfo1.middle.x, lfo1.middle.y);
             HWND menu = m_program->WaitForPopupMenu();
             EXPECT_NE(menu, nullptr) << "no value list";
             for (int32_t i = 0; i <= chosen; ++i)
                 e2e::PressKey(menu, VK_DOWN);
             e2e::PressKey(menu, VK_RETURN);
             return IdSet{kLfo1Wave};
         }},
    };
    for (const Edit& edit : edits)
    {
        SCOPED_TRACE(edit.what);
        ASSERT_TRUE(m_sim->ClearHeard());
        const IdSet fields = edit.make();
        const std::vector<Change> heard = HeardChanges(fields.size());
        // Each field written is heard, and nothing else.
        EXPECT_EQ(Ids(heard), fields);
        for (const Change& c : heard)
            accessor->SetValue(&expected, c.id, c.value);
        EXPECT_TRUE(EditBufferBecomes(expected)) << "the edit buffer changed in other fields";
        Settle(synth);
    }
    const CProgram received = ReceivedProgram();
    EXPECT_FALSE(SameImage(expected, received)) << "the edits changed nothing";
    EXPECT_TRUE(e2e::Screenshot(synth, "timbre_synth_edit_received"));
}

TEST_F(ProgramEditEndToEnd, TheSectionEditorsShowTheReceivedProgram)
{
    HWND window = OpenProgramEditWindow();
    ASSERT_NE(window, nullptr);
    const CProgram received = ReceivedProgram();
    ASSERT_NE(CZmProgramAccessorSingleton::Get()->GetValue(&received, kVocoderSwitch), 0)
        << "the vocoder editor opens only while the vocoder is on";
    struct Editor
    {
        const char* button;
        const wchar_t* ending;
        const char* screenshot;
    };
    const Editor editors[] = {
        {"arpeggiator edit", L"] Arpeggiator", "arpeggiator_editor_received"},
        {"timbre 1 eq edit", L"] Timbre 1 EQ", "timbre_eq_edit_received"},
        {"vocoder edit", L"] Vocoder", "vocoder_edit_received"},
        {"master fx edit", L"] Master FX", "master_fx_edit_received"},
    };
    for (const Editor& e : editors)
    {
        if (HWND editor = OpenEditor(window, e.button, e.ending))
        {
            EXPECT_TRUE(e2e::Screenshot(editor, e.screenshot));
        }
    }
}

// Window > Next Program on a program edit window: the window and its section editor move to the
// next program (titles and values), the library selects it, the instrument gets it as its current
// program, and what is edited next lands in that program; Previous Program goes back.
TEST_F(ProgramEditEndToEnd, NextProgramMovesTheEditWindowsTheListAndTheInstrumentToTheNextProgram)
{
    constexpr UINT kPrevProgram = 55002, kNextProgram = 55003;
    HWND window = OpenProgramEditWindow();
    ASSERT_NE(window, nullptr);
    HWND synth = OpenEditor(window, "timbre 1 synth edit", L"] Timbre 1 Synth");
    ASSERT_NE(synth, nullptr);
    std::vector<CSimControl::Message> programs;
    CSimControl::Message editBuffer;
    ASSERT_TRUE(Until([&] { return ReadMemory(programs, editBuffer) && programs.size() > kProgram + 1; }));
    const CProgram here = ProgramOf(programs[kProgram]), next = ProgramOf(programs[kProgram + 1]);
    ASSERT_NE(std::string(here.GetProgramName()), next.GetProgramName()) << "the two programs look alike";
    const auto wide = [](const char* text) { return std::wstring(text, text + std::strlen(text)); };
    const std::wstring hereTitle =
                           std::wstring(L"Untitled [") + kProgramNumber + L":" + wide(here.GetProgramName()),
                       nextTitle = L"Untitled [A17:" + wide(next.GetProgramName());
    ASSERT_EQ(e2e::WindowText(window), hereTitle + L"]");

    Activate(m_library);
    const std::vector<uint32_t> rowHere = e2e::ClientPixels(m_library, LibraryRow(kProgram)),
                                rowNext = e2e::ClientPixels(m_library, LibraryRow(kProgram + 1));
    Activate(window);
    ASSERT_TRUE(m_sim->ClearHeard());

    ASSERT_TRUE(e2e::ChooseMenuItem(m_frame, kNextProgram));
    EXPECT_TRUE(Until([&] { return e2e::WindowText(window) == nextTitle + L"]"; }))
        << "the program edit window still shows " << Narrow(e2e::WindowText(window));
    EXPECT_TRUE(Until([&] { return e2e::WindowText(synth) == nextTitle + L"] Timbre 1 Synth"; }))
        << "the section editor still shows " << Narrow(e2e::WindowText(synth));
    EXPECT_TRUE(EditBufferBecomes(next)) << "the instrument's current program is not the next program";
    Settle(window);
    EXPECT_TRUE(e2e::Screenshot(window, "program_edit_next_program"));

    // A name typed now is the next program's: its windows show it, and the program the windows
    // came from keeps its own once Previous Program brings them back.
    const POINT name = Find(NvProgramEditLayout::kControls, "program name").middle;
    ASSERT_TRUE(e2e::DoubleClickAt(window, name.x, name.y));
    HWND entry = nullptr;
    ASSERT_TRUE(Until([&] { return (entry = e2e::FindChildOfClass(window, L"Edit")) != nullptr; }));
    ASSERT_TRUE(e2e::TypeCharacters(entry, L"MOVED\r"));
    EXPECT_TRUE(Until([&] { return e2e::WindowText(window) == L"Untitled [A17:MOVED]"; }));
    EXPECT_TRUE(Until([&] { return e2e::WindowText(synth) == L"Untitled [A17:MOVED] Timbre 1 Synth"; }));
    CProgram renamed = next;
    renamed.SetProgramName("MOVED");
    EXPECT_TRUE(EditBufferBecomes(renamed));

    // The list moved its selection to the next program.
    Activate(m_library);
    EXPECT_NE(e2e::ClientPixels(m_library, LibraryRow(kProgram + 1)), rowNext)
        << "the next row is not selected";
    EXPECT_NE(e2e::ClientPixels(m_library, LibraryRow(kProgram)), rowHere)
        << "the first row is still selected";
    Activate(window);

    ASSERT_TRUE(e2e::ChooseMenuItem(m_frame, kPrevProgram));
    EXPECT_TRUE(Until([&] { return e2e::WindowText(window) == hereTitle + L"]"; }))
        << "back on A16 the window shows " << Narrow(e2e::WindowText(window));
    EXPECT_TRUE(EditBufferBecomes(here)) << "the instrument did not get the first program back";
}

// A right-click on a control of the timbre page opens the "Assign to Knob" menu: the knob chosen
// with the keys is assigned the parameter, and the instrument hears that assignment alone, the
// parameter keeping its value. A parameter that no knob takes offers only the notice.
TEST_F(ProgramEditEndToEnd, ARightClickAssignsAControlToAKnobAndLeavesItsValueAlone)
{
    HWND window = OpenProgramEditWindow();
    ASSERT_NE(window, nullptr);
    HWND synth = OpenEditor(window, "timbre 1 synth edit", L"] Timbre 1 Synth");
    ASSERT_NE(synth, nullptr);
    CZmProgramAccessor* accessor = CZmProgramAccessorSingleton::Get();
    CProgram expected = ReceivedProgram();
    // A knob that does not hold the cutoff yet (its knob-assign code is 9).
    const uint32_t knob = accessor->GetValue(&expected, {1, 23, 0}) == 9 ? 2 : 1;
    const struct
    {
        const char* what;
        const char* role;
        int downs; // the item chosen: the arrow pressed this often, then Enter
        std::vector<Change> heard;
    } cases[] = {
        {"the cutoff", "filter 1 cutoff", static_cast<int>(knob) + 1, {{{1, 22 + knob, 0}, 9}}},
        {"the LFO 1 tempo switch", "lfo 1 bpm sync", 1, {}},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(m_sim->ClearHeard());
        const POINT at = Find(NvSynthEditLayout::kControls, c.role).middle;
        PostMessageW(synth, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(at.x, at.y));
        PostMessageW(synth, WM_RBUTTONUP, 0, MAKELPARAM(at.x, at.y));
        HWND menu = m_program->WaitForPopupMenu();
        ASSERT_NE(menu, nullptr) << "no menu";
        if (!c.heard.empty())
        {
            EXPECT_TRUE(e2e::Screenshot(synth, "timbre_synth_knob_assign_menu"));
        }
        for (int i = 0; i < c.downs; ++i)
            e2e::PressKey(menu, VK_DOWN);
        e2e::PressKey(menu, VK_RETURN);
        EXPECT_TRUE(m_program->WaitForWindowGone(menu));
        const std::vector<Change> heard = HeardChanges(c.heard.size());
        ASSERT_EQ(heard.size(), c.heard.size());
        for (size_t i = 0; i < heard.size(); ++i)
        {
            EXPECT_EQ(heard[i].id, c.heard[i].id);
            EXPECT_EQ(heard[i].value, c.heard[i].value);
            accessor->SetValue(&expected, heard[i].id, heard[i].value);
        }
        EXPECT_TRUE(EditBufferBecomes(expected)) << "the edit buffer changed in other fields";
        Settle(synth);
    }
    EXPECT_TRUE(e2e::Screenshot(synth, "timbre_synth_after_knob_assign"));
}
