#include "editor/pages/CMasterFxEditWindow.h"

#include "editor/layout/MasterFxEditLayout.h"
#include "foundation/EfUtility.h"
#include "editor/pages/mfx/CMasterFxEditLayer.h"

namespace
{
// Long enough for a tick to end, bounded so that a lost release cannot hang the window.
constexpr uint32_t kDestroyLockMs = 2000;

const CProgramSectionWindow::Shape kShape = {
    CBaseWindow::kKindMasterFxEdit, "MFX Edit", CMasterFxEditWindow::kWidth,
    CMasterFxEditWindow::kHeight,   false,      false};
} // namespace

CMasterFxEditWindow::CMasterFxEditWindow(CBaseWindow* libraryWindow, CLibraryData* library,
                                         int32_t programIndex, CProgramEditWindow* opener)
    : CProgramSectionWindow(kShape, libraryWindow, library, programIndex, -1, opener)
{
}

std::wstring CMasterFxEditWindow::GetTitleEnding() const
{
    return L"] Master FX";
}

bool CMasterFxEditWindow::OnDestroy()
{
    if (m_destroySemaphore.WaitTimeout(kDestroyLockMs) == CHfcSemaphore::kSignalled)
    {
        m_destroying = true;
        m_destroySemaphore.Release();
    }
    else
    {
        DebugTrace("CMasterFxEditWindow::OnDestroy() - the destroy semaphore was not free.");
        m_destroying = true;
    }
    return CProgramSectionWindow::OnDestroy();
}

void CMasterFxEditWindow::OnMMTimer(CMMTimer* timer)
{
    if (m_destroySemaphore.WaitTimeout(0) != CHfcSemaphore::kSignalled)
        return;
    const bool destroying = m_destroying;
    m_destroySemaphore.Release();
    if (!destroying)
        CProgramSectionWindow::OnMMTimer(timer);
}

std::unique_ptr<CEditLayerBase> CMasterFxEditWindow::MakeCreatedLayer()
{
    auto layer = std::make_unique<CMasterFxEditLayer>();
    if (!layer->Create(this))
        return nullptr;
    return layer;
}
