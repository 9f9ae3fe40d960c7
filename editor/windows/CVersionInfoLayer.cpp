#include "editor/windows/CVersionInfoLayer.h"

#include "editor/base/CLayerLock.h"
#include "editor/layout/VersionInfoLayout.h"
#include "framework/CHfcOffscreenContext.h"

#include <cstring>

CVersionInfoLayer::CVersionInfoLayer() : CUtilityLayer(NvVersionInfoLayout::kPage.background, nullptr) {}

bool CVersionInfoLayer::CreateControls()
{
    m_redrawAll = false;
    m_needsDrawing = true;
    return m_background != nullptr;
}

std::string CVersionInfoLayer::GetVersionLine() const
{
    return std::string("Version ") + kVersion;
}

const char* CVersionInfoLayer::GetSecondLine()
{
    return "Sound editor and librarian";
}

void CVersionInfoLayer::RefreshValues()
{
    CLayerLock lock(kSemaphoreLayer);
    if (!lock.IsHeld() || !m_needsDrawing)
        return;
    CHfcOffscreenContext* surface = GetOffscreen();
    if (!surface)
        return;
    m_needsDrawing = false;
    DrawBackground();
    const std::string version = GetVersionLine();
    surface->DrawBitmapText(kTextX, kVersionY, version.c_str(), static_cast<int32_t>(version.size()),
                            m_fontWhite, 6, 9);
    surface->DrawBitmapText(kTextX, kSecondY, GetSecondLine(),
                            static_cast<int32_t>(std::strlen(GetSecondLine())), m_fontWhite, 6, 9);
    InvalidateAll(true);
    ++m_drawCount;
}
