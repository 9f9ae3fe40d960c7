#include "editor/windows/CUtilityWindow.h"

#include "editor/windows/CUtilityLayer.h"

CUtilityWindow::CUtilityWindow(uint32_t kind, int32_t* showSetting, int32_t* xSetting, int32_t* ySetting)
    : CBaseWindow(kind, nullptr), m_showSetting(showSetting), m_xSetting(xSetting), m_ySetting(ySetting)
{
}

bool CUtilityWindow::CreateUtility(int32_t x, int32_t y, int32_t width, int32_t height, uint32_t flags,
                                   CHfcMdiFrameWindow* frame, const char* creationTitle, const wchar_t* title)
{
    m_width = width;
    m_height = height;
    if (!Create(x, y, width, height, flags, nullptr, frame, creationTitle))
        return false;
    SetTitleText(title);
    RegisterWithWindowManager(this);
    if (m_showSetting)
        *m_showSetting = 1;
    return true;
}

bool CUtilityWindow::OnCreate()
{
    if (!CBaseWindow::OnCreate())
        return false;
    std::unique_ptr<CUtilityLayer> layer = MakeLayer();
    if (!layer || !layer->Create(0, 0, m_width, m_height, this) || !CreateLayerControls(*layer))
        return false;
    AddLayer(layer.get(), false);
    layer->Show(false);
    SetMainLayer(std::move(layer));
    return true;
}

CUtilityLayer* CUtilityWindow::GetUtilityLayer() const
{
    return static_cast<CUtilityLayer*>(GetMainLayer());
}

bool CUtilityWindow::CanClose()
{
    if (!m_shuttingDown)
    {
        // A transfer pumps messages on this thread; the window stays until it ends.
        if (StaysWhileBusy() && IsBusy())
            return false;
        if (m_showSetting)
            *m_showSetting = 0;
    }
    OnClosing();
    return CBaseWindow::CanClose();
}

void CUtilityWindow::CloseForShutdown()
{
    m_shuttingDown = true;
    if (!CanClose())
        return;
    Destroy();
}

bool CUtilityWindow::OnDestroy()
{
    OnClosing();
    RegisterWithWindowManager(nullptr);
    return CBaseWindow::OnDestroy();
}

void CUtilityWindow::OnPositionChanged()
{
    int32_t x = 0, y = 0;
    GetPosition(x, y);
    if (m_xSetting)
        *m_xSetting = x;
    if (m_ySetting)
        *m_ySetting = y;
}
