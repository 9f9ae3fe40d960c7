#pragma once

#include "editor/pages/CProgramSectionWindow.h"

#include <windows.h>

#include <array>
#include <memory>
#include <vector>

class CProgramEditLayer;

// The edit window of one program: the program page, and the section editors opened from it,
// at most one of each, owned here. An editor that closes leaves its slot at once (its object
// is deleted once the message loop has it back); every open editor is closed before this
// window goes. Editors that the page's enable rules turn off are closed after the tick that
// found them, never inside it. Window thread only.
class CProgramEditWindow : public CProgramSectionWindow
{
public:
    enum Editor : uint32_t
    {
        kEditorTimbreSynth1,
        kEditorTimbreSynth2,
        kEditorTimbreEq1,
        kEditorTimbreEq2,
        kEditorArpeggiator,
        kEditorVocoder,
        kEditorMasterFx,
        kEditorCount,
    };
    enum : int32_t
    {
        kWidth = 594,
        kHeight = 482,
    };
    static constexpr UINT kMessageCloseDisabled = WM_APP + 0x134;

    CProgramEditWindow(CBaseWindow* libraryWindow, CLibraryData* library, int32_t programIndex);
    // Destroys the window (and so its editors) when it is still open.
    ~CProgramEditWindow() override;

    // The library window's way in: the window of the library's program, made, shown and in
    // front at (x, y) of the frame; null when it cannot be made. The caller owns it; once its
    // destroyed handler ran, the object may go (not from inside the handler).
    static std::unique_ptr<CProgramEditWindow> OpenProgram(CBaseWindow* libraryWindow, CLibraryData* library,
                                                           int32_t programIndex, CHfcMdiFrameWindow* frame,
                                                           int32_t x = 0, int32_t y = 0);

    // Makes the editor when it is not open, then shows it and brings it to the front; null when
    // it cannot be made.
    CProgramSectionWindow* OpenEditor(Editor which);
    CProgramSectionWindow* GetEditor(Editor which) const;
    void CloseEditor(Editor which);
    // An editor's destroy: its slot is cleared.
    void OnEditorDestroyed(CProgramSectionWindow* editor);
    // Asks for CloseDisabledEditors once the current message (a tick) is done.
    void PostCloseDisabledEditors();
    // The timbre 2 editors while Voice Mode is Single, the vocoder editor while the vocoder is
    // off.
    void CloseDisabledEditors();

    CProgramEditLayer* GetLayer() const;
    std::wstring GetTitleEnding() const override { return L"]"; }
    bool OnDestroy() override;

protected:
    std::unique_ptr<CEditPageLayer> MakeMainLayer() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    std::unique_ptr<CProgramSectionWindow> MakeEditor(Editor which);
    void CloseAllEditors();

    std::array<std::unique_ptr<CProgramSectionWindow>, kEditorCount> m_editors; // open, or null
    bool m_closePosted = false;
};
