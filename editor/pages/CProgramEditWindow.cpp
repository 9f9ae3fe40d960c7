#include "editor/pages/CProgramEditWindow.h"

#include "editor/pages/CArpEditWindow.h"
#include "editor/pages/CMasterFxEditWindow.h"
#include "editor/pages/CProgramEditLayer.h"
#include "editor/pages/CTimbreEditWindow.h"
#include "editor/pages/CTimbreEqEditWindow.h"
#include "editor/pages/CVocoderEditWindow.h"
#include "framework/CHfcDeferredDelete.h"
#include "synthdata/CProgram.h"
#include "synthdata/CQ3580ProgramAccessor.h"

namespace
{
const CProgramSectionWindow::Shape kShape = {
    CBaseWindow::kKindProgramEdit, nullptr, CProgramEditWindow::kWidth,
    CProgramEditWindow::kHeight,   false,   true};
// Where an editor opens, from the program window's corner.
constexpr int32_t kEditorOffset = 24;
} // namespace

CProgramEditWindow::CProgramEditWindow(CBaseWindow* libraryWindow, CLibraryData* library,
                                       int32_t programIndex)
    : CProgramSectionWindow(kShape, libraryWindow, library, programIndex, -1, nullptr)
{
}

CProgramEditWindow::~CProgramEditWindow()
{
    if (GetHwnd() && GetCreationState() == CreationState::kCreated)
        Destroy();
    CloseAllEditors();
    // Its closed editors still waiting to be deleted use it.
    CHfcDeferredDelete::DeleteAll();
}

std::unique_ptr<CProgramEditWindow> CProgramEditWindow::OpenProgram(CBaseWindow* libraryWindow,
                                                                    CLibraryData* library,
                                                                    int32_t programIndex,
                                                                    CHfcMdiFrameWindow* frame, int32_t x,
                                                                    int32_t y)
{
    auto window = std::make_unique<CProgramEditWindow>(libraryWindow, library, programIndex);
    if (!window->Open(frame, x, y))
    {
        // Its half-made window may have run handlers of its own.
        CHfcDeferredDelete::Add(std::move(window));
        return nullptr;
    }
    window->Show();
    window->BringToFront();
    return window;
}

std::unique_ptr<CEditPageLayer> CProgramEditWindow::MakeMainLayer()
{
    return std::make_unique<CProgramEditLayer>();
}

CProgramEditLayer* CProgramEditWindow::GetLayer() const
{
    return static_cast<CProgramEditLayer*>(GetMainLayer());
}

std::unique_ptr<CProgramSectionWindow> CProgramEditWindow::MakeEditor(Editor which)
{
    CBaseWindow* bank = GetBankWindow();
    CLibraryData* library = GetLibrary();
    const int32_t n = GetProgramIndex();
    switch (which)
    {
    case kEditorTimbreSynth1:
    case kEditorTimbreSynth2:
        return std::make_unique<CTimbreEditWindow>(bank, library, n, which == kEditorTimbreSynth1 ? 0 : 1,
                                                   this);
    case kEditorTimbreEq1:
    case kEditorTimbreEq2:
        return std::make_unique<CTimbreEqEditWindow>(bank, library, n, which == kEditorTimbreEq1 ? 0 : 1,
                                                     this);
    case kEditorArpeggiator:
        return std::make_unique<CArpEditWindow>(bank, library, n, this);
    case kEditorVocoder:
        return std::make_unique<CVocoderEditWindow>(bank, library, n, this);
    case kEditorMasterFx:
        return std::make_unique<CMasterFxEditWindow>(bank, library, n, this);
    case kEditorCount:
        break;
    }
    return nullptr;
}

CProgramSectionWindow* CProgramEditWindow::OpenEditor(Editor which)
{
    if (which >= kEditorCount || !GetHwnd())
        return nullptr;
    if (!m_editors[which])
    {
        std::unique_ptr<CProgramSectionWindow> editor = MakeEditor(which);
        int32_t x = 0, y = 0;
        GetPosition(x, y);
        if (!editor || !editor->Open(GetFrame(), x + kEditorOffset, y + kEditorOffset))
        {
            if (editor)
                CHfcDeferredDelete::Add(std::move(editor));
            return nullptr;
        }
        m_editors[which] = std::move(editor);
    }
    CProgramSectionWindow* editor = m_editors[which].get();
    editor->Show();
    editor->BringToFront();
    return editor;
}

CProgramSectionWindow* CProgramEditWindow::GetEditor(Editor which) const
{
    return which < kEditorCount ? m_editors[which].get() : nullptr;
}

void CProgramEditWindow::CloseEditor(Editor which)
{
    if (which >= kEditorCount || !m_editors[which])
        return;
    CProgramSectionWindow* editor = m_editors[which].get();
    // Its destroy clears the slot through OnEditorDestroyed.
    if (!editor->Close() && m_editors[which].get() == editor)
    {
        // Refused or never created: it leaves the page's list all the same.
        editor->Destroy();
        if (m_editors[which].get() == editor)
            CHfcDeferredDelete::Add(std::move(m_editors[which]));
    }
}

void CProgramEditWindow::OnEditorDestroyed(CProgramSectionWindow* editor)
{
    for (auto& slot : m_editors)
        if (slot.get() == editor)
            CHfcDeferredDelete::Add(std::move(slot));
}

void CProgramEditWindow::CloseAllEditors()
{
    // The per-timbre editors first, then the program-wide ones.
    for (uint32_t which = 0; which < kEditorCount; ++which)
        CloseEditor(static_cast<Editor>(which));
}

void CProgramEditWindow::PostCloseDisabledEditors()
{
    if (m_closePosted || !GetHwnd())
        return;
    m_closePosted = PostMessageW(GetHwnd(), kMessageCloseDisabled, 0, 0) != 0;
}

void CProgramEditWindow::CloseDisabledEditors()
{
    m_closePosted = false;
    CZmProgramAccessor* accessor = CZmProgramAccessorSingleton::Get();
    CProgram* program = GetData().program;
    if (!accessor || !program)
        return;
    if (accessor->GetValue(program, {0, 35, 0}) == 0)
    {
        CloseEditor(kEditorTimbreSynth2);
        CloseEditor(kEditorTimbreEq2);
    }
    if (accessor->GetValue(program, {5, 0, 0}) == 0)
        CloseEditor(kEditorVocoder);
}

bool CProgramEditWindow::OnDestroy()
{
    // Before the base takes the timer's semaphore: each editor takes it for its own destroy.
    CloseAllEditors();
    return CProgramSectionWindow::OnDestroy();
}

LRESULT CProgramEditWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kMessageCloseDisabled)
    {
        CloseDisabledEditors();
        return 0;
    }
    return CProgramSectionWindow::WindowProc(message, wParam, lParam);
}
