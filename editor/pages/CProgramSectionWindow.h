#pragma once

#include "editor/base/CBaseWindow.h"

#include <cstdint>
#include <memory>
#include <string>

class CEditLayerBase;
class CEditPageLayer;
class CLibraryData;
class CProgramEditWindow;

// What every window that edits one program of a library shares: the program edit window and
// the section editors it opens (timbre synth, timbre EQ, vocoder, master effects, arpeggiator).
// Each keeps its library window, the library and the program's index, its timbre (-1 when not
// per timbre) and the program edit window that opened it; it makes its main layer over the
// whole client area, with the value display and the message overlay where its shape says so,
// and titles itself "<library> [<A11>:<name>]<ending>". Window thread only.
class CProgramSectionWindow : public CBaseWindow
{
public:
    struct Shape
    {
        uint32_t kind;
        const char* createdTitle; // null: the title is made at once
        int32_t width, height;    // the client size, the page's
        bool valueDisplay;
        bool messageOverlay;
    };

    // opener: the program edit window it belongs to (null for that window itself).
    CProgramSectionWindow(const Shape& shape, CBaseWindow* libraryWindow, CLibraryData* library,
                          int32_t programIndex, int32_t timbre, CProgramEditWindow* opener);
    ~CProgramSectionWindow() override;

    // Creates the MDI child at (x, y) in the frame, makes its layers, retitles it and joins the
    // window manager; false when the program does not exist or a step failed.
    bool Open(CHfcMdiFrameWindow* frame, int32_t x, int32_t y);
    using CBaseWindow::Create;
    // Leaves the opener's list of editors before the base's destroy; closes under the timer's
    // semaphore so that no tick runs over a layer being deleted.
    bool OnDestroy() override;
    void UpdateTitle() override;
    // "<display name> [<A11>:<name>]<ending>".
    std::wstring MakeTitle() const;
    virtual std::wstring GetTitleEnding() const = 0;

    // Under the timer's semaphore: the value display, then the base's tick.
    void OnMMTimer(CMMTimer* timer) override;
    // Retitles on 0, 1, 2 (and 4 for the timbre synth window) and on 7 for its program; shows or
    // hides the value display on 12; moves to the new program on 19 for its program; everything
    // else goes to the main layer.
    bool OnWindowManagerNotify(CWindowManager* manager, uint32_t code, intptr_t p1, intptr_t p2, intptr_t p3,
                               intptr_t p4, void* sender) override;
    // The window and its page edit program n of the same library from now on: values, title and
    // all; false (nothing changes) for a program outside the set or a window without its page.
    bool BindToProgram(int32_t n);
    // Program n of the window's library (the program a Prev/Next step sends).
    CProgram* GetProgram(int32_t n) override;

    // Whether the window's 60 ms tick is running now.
    bool IsInTick() const { return m_inTick; }
    CLibraryData* GetLibrary() const { return m_library; }
    int32_t GetProgramIndex() const { return m_programIndex; }
    int32_t GetTimbreIndex() const { return m_timbre; }
    CProgramEditWindow* GetOpener() const { return m_opener; }
    CEditLayerBase* GetEditLayer() const;
    const Shape& GetShape() const { return m_shape; }

protected:
    // The page over the client area, one of two kinds. A page that creates itself over the window
    // (Create(window), controls and all) comes back created from MakeCreatedLayer, which is asked
    // first; a table-drawn page comes back uncreated from MakeMainLayer, and the window creates it
    // and makes its controls.
    virtual std::unique_ptr<CEditLayerBase> MakeCreatedLayer();
    virtual std::unique_ptr<CEditPageLayer> MakeMainLayer();
    bool OnCreate() override;
    void OnActivateHook() override;

private:
    Shape m_shape;
    CLibraryData* m_library; // not owned
    int32_t m_programIndex;
    int32_t m_timbre;
    CProgramEditWindow* m_opener; // not owned; it outlives its editors
    bool m_inTick = false;
};
