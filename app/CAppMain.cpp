#include "app/CAppMain.h"

#include "app/CEditorInterface.h"
#include "framework/CHfcMdiFrameWindow.h"

CAppMain::CAppMain(CEditorInterface& editor) : m_editor(editor) {}

CAppMain::~CAppMain() = default;

bool CAppMain::Init()
{
    if (!CHfcApp::Init())
        return false;
    m_frame = std::make_unique<CHfcMdiFrameWindow>();
    // All four 0: the system places the frame.
    if (!m_frame->Create("Nuvorn Sound Editor", 0, 0, 0, 0, 0x8000011, nullptr))
    {
        m_frame.reset();
        return false;
    }
    SetMainWindow(m_frame.get());
    m_frame->Show();
    return true;
}

bool CAppMain::Exit()
{
    m_editor.CloseUtilityWindows();
    SetMainWindow(nullptr);
    m_frame.reset();
    return CHfcApp::Exit();
}
