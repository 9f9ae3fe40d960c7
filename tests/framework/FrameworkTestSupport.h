#pragma once

// Shared by the framework tests and benchmarks: a pump that waits on a condition, records of
// calls, layer surfaces filled with given pixels.
#include "framework/CHfcControl.h"
#include "framework/CHfcControlListener.h"
#include "framework/CHfcKey.h"
#include "framework/CHfcMouse.h"
#include "framework/CHfcOffscreenContext.h"
#include "framework/CHfcWindow.h"
#include "framework/CHfcWindowLayer.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

// Dispatches this thread's messages until the condition holds or the time-out passes.
inline bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000)
{
    const DWORD start = GetTickCount();
    while (!condition())
    {
        if (GetTickCount() - start > timeoutMs)
            return false;
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (!condition())
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

// Removes every waiting message of this thread without dispatching it (WM_QUIT included).
inline void DiscardMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
    {
    }
}

using CallLog = std::vector<std::string>;

// Ends a test's window with one layer: the mouse capture and the key focus its presses left,
// the layer, the window, and the messages still queued for them.
inline void CloseLayerWindow(CHfcWindowLayer& layer, std::unique_ptr<CHfcWindow>& window)
{
    if (CHfcMouse::GetMouse()->GetCaptureOwner())
        CHfcMouse::GetMouse()->ReleaseCapture();
    CHfcKey::GetKey()->ClearFocus();
    layer.Destroy();
    window.reset();
    DiscardMessages();
}

// Sets each pixel of the view to argbAt(x, y) (alpha in the top byte).
template <class ArgbAt> void FillView(const CHfcPixelView& view, ArgbAt argbAt)
{
    for (int32_t y = 0; y < view.height; ++y)
        for (int32_t x = 0; x < view.width; ++x)
        {
            const uint32_t argb = argbAt(x, y);
            uint8_t* p = view.Pixel(x, y);
            p[0] = argb & 0xFF;
            p[1] = (argb >> 8) & 0xFF;
            p[2] = (argb >> 16) & 0xFF;
            p[3] = argb >> 24;
        }
}

// The same for the layer's surface.
template <class ArgbAt> void FillLayer(CHfcWindowLayer& layer, ArgbAt argbAt)
{
    CHfcBmpLock lock(layer.GetOffscreen()->GetBitmap());
    FillView(lock.View(), argbAt);
}

// Takes every value a control reports, as an owner that writes its parameter does.
class FollowingOwner : public CHfcControlListener
{
public:
    void OnValueChanged(CHfcControl* control, int32_t value) override { control->SetValue(value, true); }
};
