#pragma once

#include "editor/base/CBaseLayer.h"
#include "foundation/CHfcRect.h"

class CEditLayerBase;

// The two-line box over an edit page that shows the name and value of the parameter being
// edited, and fades out in 60 ms steps once the edit ends. Window thread only.
class CMessageWindowLayer : public CBaseLayer
{
public:
    enum : int32_t
    {
        kDefaultWidth = 170,
        kDefaultHeight = 30,
        kDefaultFadeMs = 200,
        kTickMs = 60,
        kLineSize = 32,
    };
    struct Config
    {
        int32_t x = 0;
        int32_t y = 0;
        int32_t width = 0;  // 0: 170
        int32_t height = 0; // 0: 30
        bool anchored = false;
        bool autoWidth = false;
        int32_t fadeMs = 0; // 0: 200
        CEditLayerBase* anchor = nullptr;
    };

    // The layer at (x, y, width, height) of the window; the box as the configuration says.
    bool CreateOverlay(const Config& config, int32_t x, int32_t y, int32_t width, int32_t height,
                       CBaseWindow* window);
    bool Destroy() override;

    // Holds the box at full strength (drawn on the message thread, through notification 29).
    void Hold();
    // The fade starts on the next tick.
    void Release() { m_held = false; }
    void SetLines(const char* name, const char* value);
    void SetLevel(int32_t level) { m_level = level; }
    // One 60 ms step of the fade; the box is cleared once it has faded out.
    void AdvanceFade();
    bool OnWindowManagerNotify(CWindowManager* manager, uint32_t code, intptr_t p1, intptr_t p2, intptr_t p3,
                               intptr_t p4, void* sender) override;

    // The level a fade step draws, always within 0..255.
    static int32_t FadeLevel(int32_t remainingMs, int32_t fadeMs);
    // Draws the box with both lines at the level (clamped to 0..255).
    void DrawBox(int32_t level);

    bool IsHeld() const { return m_held; }
    int32_t GetRemainingFade() const { return m_remainingMs; }
    int32_t GetLastLevel() const { return m_lastLevel; }
    const CHfcRect& GetLastRect() const { return m_lastRect; }
    const char* GetNameLine() const { return m_name; }
    const char* GetValueLine() const { return m_value; }

private:
    void Erase(bool now);
    // The box at full level, its fade started; false before the layer is created.
    bool ShowMessageNow();

    Config m_config;
    bool m_held = false;
    bool m_pendingClear = false;
    bool m_registered = false;
    int32_t m_level = 255;
    int32_t m_remainingMs = 0;
    int32_t m_lastLevel = -1;
    char m_name[kLineSize] = {};
    char m_value[kLineSize] = {};
    CHfcRect m_lastRect;
};
