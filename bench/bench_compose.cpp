// Time to compose and paint a 794 x 600 window of three layers (the size of the largest edit
// page), per frame: every layer recomposed onto the root surface, then the window painted
// from it. Run under the display the windows go to; prints milliseconds per frame.
#include "framework/CHfcGdiplus.h"
#include "framework/FrameworkTestSupport.h"
#include "framework/CHfcKey.h"
#include "framework/CHfcMouse.h"
#include "framework/CHfcOffscreenContext.h"
#include "framework/CHfcWindow.h"
#include "framework/CHfcWindowLayer.h"

#include <chrono>
#include <cstdio>

namespace
{
// Fills a layer with a pattern whose alpha is 255 (opaque), or varies from 0 to 255.
void Fill(CHfcWindowLayer& layer, bool opaque)
{
    FillLayer(layer,
              [opaque](int32_t x, int32_t y)
              {
                  const uint32_t alpha = opaque ? 255u : static_cast<uint8_t>((x / 8 + y / 8) * 37);
                  return alpha << 24 | static_cast<uint32_t>(static_cast<uint8_t>(x + y)) << 16 |
                         static_cast<uint32_t>(static_cast<uint8_t>(y)) << 8 | static_cast<uint8_t>(x);
              });
}

void Pump()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&message);
}
} // namespace

int main()
{
    CHfcGdiplus::Acquire();
    CHfcMouse::Create();
    CHfcKey::Create();
    {
        const int32_t width = 794, height = 600;
        CHfcWindow window;
        if (!window.Create(10, 10, width, height, "Compose", CHfcWindow::kStyleCaption, nullptr, nullptr))
        {
            std::fprintf(stderr, "cannot create the window\n");
            return 1;
        }
        window.Show();
        CHfcWindowLayer background, controls, overlay;
        background.Create(0, 0, width, height, &window);
        controls.Create(0, 0, width, height, &window);
        overlay.Create(0, height - 80, width, 80, &window);
        Fill(background, true);
        Fill(controls, false);
        Fill(overlay, false);
        background.Show(false);
        controls.Show(false);
        overlay.Show(false);
        window.FlushDirty();
        Pump();

        CHfcRect all;
        all.Set(0, 0, width, height);
        using Clock = std::chrono::steady_clock;
        const int frames = 200;
        double composeMs = 0, paintMs = 0;
        for (int i = 0; i < frames; ++i)
        {
            const auto start = Clock::now();
            window.Recompose(all, true);
            const auto composed = Clock::now();
            UpdateWindow(window.GetHwnd()); // WM_PAINT: the root surface onto the window
            GdiFlush();
            const auto painted = Clock::now();
            composeMs += std::chrono::duration<double, std::milli>(composed - start).count();
            paintMs += std::chrono::duration<double, std::milli>(painted - composed).count();
            Pump();
        }
        std::printf("compose and paint %dx%d, 3 layers: %.2f ms per frame (compose %.2f ms, paint %.2f ms)\n",
                    width, height, (composeMs + paintMs) / frames, composeMs / frames, paintMs / frames);
    }
    CHfcKey::Release();
    CHfcMouse::Release();
    CHfcGdiplus::Release();
    return 0;
}
