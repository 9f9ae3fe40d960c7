#pragma once

#include "editor/windows/CUtilityLayer.h"

#include <string>

// The version window's page: the skin's version background with the program's version and a
// second line, drawn once per creation on the first tick. Window thread only.
class CVersionInfoLayer : public CUtilityLayer
{
public:
    static constexpr const char* kVersion = "1.0.0";
    static constexpr int32_t kTextX = 30, kVersionY = 228, kSecondY = 246;

    CVersionInfoLayer();
    // Takes the background; the text is drawn on the next tick.
    bool CreateControls();
    void RefreshValues() override;

    std::string GetVersionLine() const;
    static const char* GetSecondLine();
    // How many times the text was drawn.
    int32_t GetDrawCount() const { return m_drawCount; }

private:
    bool m_needsDrawing = false;
    int32_t m_drawCount = 0;
};
