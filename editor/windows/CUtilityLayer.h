#pragma once

#include "editor/base/CBaseLayer.h"

// A utility window's layer (monitor, log, version): its page background with the logo at the
// top right, drawn again whenever redrawAll is set. Window thread only.
class CUtilityLayer : public CBaseLayer
{
public:
    // background: the page's skin bitmap by name; logo: drawn at (width - logo width - 5, 3), or
    // none for null.
    CUtilityLayer(const char* background, const char* logo);

    // The background and logo onto the surface, then every control redrawn over them.
    void DrawBackground();
    void SetRedrawAll() { m_redrawAll = true; }

protected:
    // Draws the background when redrawAll is set, clearing it.
    void RedrawAllIfAsked();

    CHfcBmp* m_background = nullptr;
    CHfcBmp* m_logo = nullptr;
    bool m_redrawAll = true;
};
