#include "framework/CHfcAppBase.h"

#include "foundation/win32/EfWin32Utility.h"

#include "framework/CHfcDeferredDelete.h"
#include "framework/CHfcKey.h"
#include "framework/CHfcMouse.h"
#include "framework/CHfcWindow.h"

namespace
{
CHfcAppBase* g_app = nullptr;
} // namespace

CHfcAppBase::CHfcAppBase()
{
    if (!g_app)
        g_app = this;
}

CHfcAppBase::~CHfcAppBase()
{
    if (g_app == this)
        g_app = nullptr;
}

CHfcAppBase* CHfcAppBase::GetApp()
{
    return g_app;
}

void CHfcAppBase::SetInstanceHandle(HINSTANCE instance)
{
    ::SetInstanceHandle(instance);
}

HINSTANCE CHfcAppBase::GetInstanceHandle()
{
    void* instance = ::GetInstanceHandle();
    return instance ? static_cast<HINSTANCE>(instance) : GetModuleHandleW(nullptr);
}

bool CHfcAppBase::Init()
{
    CHfcMouse::Create();
    CHfcKey::Create();
    return true;
}

bool CHfcAppBase::Exit()
{
    CHfcKey::Release();
    return CHfcMouse::Release();
}

int CHfcAppBase::Run()
{
    if (!Init())
        return 0;
    LoadAccelerators();
    MSG message = {};
    BOOL got;
    // GetMessage answers -1 on failure: the loop ends there as on WM_QUIT.
    while ((got = GetMessageA(&message, nullptr, 0, 0)) != 0 && got != -1)
    {
        if (!PreTranslateMessage(&message))
            continue;
        if (m_mainWindow && !m_mainWindow->PreTranslateMessage(&message))
            continue;
        TranslateMessage(&message);
        const LRESULT result = DispatchMessageA(&message);
        if (result != 0 && message.message == WM_COMMAND)
            OnCommand(WM_COMMAND, message.wParam, message.lParam);
        // Between messages no handler of the program runs.
        CHfcDeferredDelete::DeleteAll();
    }
    Exit();
    return got == -1 ? -1 : static_cast<int>(message.wParam);
}

LRESULT CHfcAppBase::OnCommand(UINT, WPARAM, LPARAM)
{
    return 1;
}

const char* CHfcAppBase::GetAcceleratorName()
{
    return nullptr;
}

HACCEL CHfcAppBase::LoadAccelerators()
{
    const char* name = GetAcceleratorName();
    m_accelerators = name ? LoadAcceleratorsA(GetInstanceHandle(), name) : nullptr;
    return m_accelerators;
}

bool CHfcAppBase::PreTranslateMessage(MSG* message)
{
    if (!m_accelerators || !m_mainWindow || !m_mainWindow->GetHwnd())
        return true;
    return TranslateAcceleratorA(m_mainWindow->GetHwnd(), m_accelerators, message) == 0;
}

int HfcRun(HINSTANCE instance)
{
    CHfcAppBase::SetInstanceHandle(instance);
    CHfcAppBase* app = CHfcAppBase::GetApp();
    if (!app)
    {
        MessageBoxA(nullptr, "Failed to create application instance", "Error", MB_OK);
        return 0;
    }
    return app->Run();
}
