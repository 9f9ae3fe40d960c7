#pragma once

#include "editor/pages/CProgramSectionWindow.h"
#include "foundation/win32/CEfSemaphore.h"

// The master-effect editor of a program, opened from its program edit window, hosting the master effects
// page. Each window has its own destroy semaphore, which guards its
// destroying flag: a tick that finds the flag set does nothing. Window thread only.
class CMasterFxEditWindow : public CProgramSectionWindow
{
public:
    enum : int32_t
    {
        kWidth = 630,
        kHeight = 518,
    };

    CMasterFxEditWindow(CBaseWindow* libraryWindow, CLibraryData* library, int32_t programIndex,
                        CProgramEditWindow* opener);
    std::wstring GetTitleEnding() const override;
    // Sets the destroying flag under the window's semaphore, then the shell's destroy.
    bool OnDestroy() override;
    void OnMMTimer(CMMTimer* timer) override;

    bool IsDestroying() const { return m_destroying; }
    CEfSemaphore& GetDestroySemaphore() { return m_destroySemaphore; }

protected:
    std::unique_ptr<CEditLayerBase> MakeCreatedLayer() override;

private:
    CEfSemaphore m_destroySemaphore{1, 1, "MfxDestroySemaphore"};
    bool m_destroying = false;
};
