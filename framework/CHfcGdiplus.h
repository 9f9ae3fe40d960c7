#pragma once

// GDI+ for the process: started by the first Acquire, shut down by the last Release. Window
// thread only.
class CHfcGdiplus
{
public:
    static bool Acquire();
    static void Release();
    static bool IsStarted();
};
