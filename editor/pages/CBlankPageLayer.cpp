#include "editor/pages/CBlankPageLayer.h"

bool CBlankPageLayer::CreateControls()
{
    DrawBackground();
    return m_background != nullptr;
}
