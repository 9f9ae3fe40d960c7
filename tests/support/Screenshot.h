#pragma once

// Writes what a window shows on the test display as a PNG into the build's screenshot folder,
// for a person to look at.

#include "support/TestPng.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#ifndef NV_SCREENSHOT_DIR
#define NV_SCREENSHOT_DIR "screenshots"
#endif

// What the screen shows of a window with its frame: B, G, R, A pixels, top row first.
struct WindowCapture
{
    int width = 0;
    int height = 0;
    std::vector<uint8_t> bgra;

    bool IsOneColour() const
    {
        for (size_t i = 4; i + 3 < bgra.size(); i += 4)
            if (std::memcmp(&bgra[i], &bgra[0], 4) != 0)
                return false;
        return true;
    }
};

// Copies the window's rectangle of the screen; false when nothing could be captured.
inline bool CaptureWindow(HWND window, WindowCapture& capture)
{
    RECT r;
    if (!GetWindowRect(window, &r) || r.right <= r.left || r.bottom <= r.top)
        return false;
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;

    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool captured = false;
    if (bitmap && bits)
    {
        HGDIOBJ old = SelectObject(memory, bitmap);
        captured = BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY) != 0;
        GdiFlush();
        capture.bgra.assign(static_cast<uint8_t*>(bits),
                            static_cast<uint8_t*>(bits) + size_t(width) * height * 4);
        SelectObject(memory, old);
    }
    if (bitmap)
        DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    if (!captured)
        return false;
    capture.width = width;
    capture.height = height;
    for (size_t i = 3; i < capture.bgra.size(); i += 4)
        capture.bgra[i] = 0xFF; // the screen has no alpha
    return true;
}

// Writes the capture into <dir>/<name>.png.
inline bool WriteScreenshot(const WindowCapture& capture, const std::string& name)
{
    const std::vector<uint8_t> png = EncodeTestPngFromBgra(capture.width, capture.height, capture.bgra);
    CreateDirectoryA(NV_SCREENSHOT_DIR, nullptr);
    const std::string path = std::string(NV_SCREENSHOT_DIR) + "/" + name + ".png";
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    const bool written = !png.empty() && std::fwrite(png.data(), 1, png.size(), file) == png.size();
    return std::fclose(file) == 0 && written;
}

inline void RaiseAndRepaint(HWND window)
{
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    // The window's thread has handled everything sent before this once it answers.
    DWORD_PTR ignored;
    SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_BLOCK, 5000, &ignored);
}

// The window, brought to the top and repainted, copied from the screen with its frame into
// <dir>/<name>.png; false when nothing could be captured or written. Tests that take them run
// alone, so no other test's window covers this one. A window of the calling thread reaches the
// display only while the thread waits for messages: settle, when given, runs after the repaint
// and before the copy, to wait until the display shows it.
inline bool SaveWindowScreenshot(HWND window, const std::string& name,
                                 const std::function<void()>& settle = nullptr)
{
    RaiseAndRepaint(window);
    if (settle)
        settle();
    WindowCapture capture;
    return CaptureWindow(window, capture) && WriteScreenshot(capture, name);
}

// The same for a window of another process, once the display shows it painted: a capture of
// more than one colour that the next one repeats (or, for a window that keeps changing, the
// first of more than one colour after 3 s). A picture still of one colour (the window never
// painted) when the time-out passes is written for a person to look at, and answers false.
inline bool SavePaintedWindowScreenshot(HWND window, const std::string& name, DWORD timeoutMs = 20000)
{
    RaiseAndRepaint(window);
    const ULONGLONG start = GetTickCount64();
    WindowCapture last, next;
    for (;;)
    {
        if (!CaptureWindow(window, next))
            return false;
        const ULONGLONG elapsed = GetTickCount64() - start;
        const bool repeated =
            next.width == last.width && next.height == last.height && next.bgra == last.bgra;
        if (!next.IsOneColour() && (repeated || elapsed >= 3000))
            return WriteScreenshot(next, name);
        if (elapsed >= timeoutMs)
        {
            WriteScreenshot(next, name);
            return false;
        }
        last = std::move(next);
        next = WindowCapture();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
}
