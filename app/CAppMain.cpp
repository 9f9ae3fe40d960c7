#include "app/CAppMain.h"

#include "app/AppCoreUtility.h"
#include "app/AppMessageBox.h"
#include "app/AppResources.h"
#include "app/CBlockAccessor.h"
#include "app/CCustomMenu.h"
#include "app/CDialogFlag.h"
#include "app/CEditorInterface.h"
#include "app/CFileManager.h"
#include "app/CLogManager.h"
#include "app/CMMTimer.h"
#include "app/CMdiFrameWindow.h"
#include "app/CMidiManager.h"
#include "app/CParameterChangeTarget.h"
#include "app/CPreferencesDialog.h"
#include "app/CResourceManager.h"
#include "app/CSettings.h"
#include "app/CTDWResource.h"
#include "app/Notifications.h"
#include "foundation/CEfException.h"
#include "foundation/EfUtility.h"
#include "foundation/win32/EfWin32Utility.h"
#include "framework/CHfcClipboard.h"
#include "framework/CHfcCtrlKnob.h"
#include "framework/CHfcDragData.h"
#include "framework/CHfcGdiplus.h"
#include "framework/CHfcMdiChildWindow.h"
#include "framework/CHfcMenuBar.h"
#include "framework/CHfcMidi.h"
#include "framework/CPslMessageDispatchEngine.h"
#include "resources/AppMenuIds.h"
#include "synthdata/CProgram.h"
#include "synthdata/CGlobal.h"

#include <commctrl.h>
#include <ole2.h>

#include <algorithm>
#include <cstdio>
#include <string>

namespace
{
CAppMain* g_appMain = nullptr;

const wchar_t* const kUntitled = L"Untitled";

// The thrown texts of start-up: a failure of one step.
struct StartupFailure
{
    const char* text;
};

EditorCommand ToEditorCommand(UINT id, bool& known)
{
    known = true;
    switch (id)
    {
    case ID_FILE_SAVE:
        return EditorCommand::Save;
    case ID_FILE_SAVE_AS:
        return EditorCommand::SaveAs;
    case ID_FILE_EXPORT_TEXT:
        return EditorCommand::ExportText;
    case ID_EDIT_CUT:
        return EditorCommand::Cut;
    case ID_EDIT_COPY:
        return EditorCommand::Copy;
    case ID_EDIT_PASTE:
        return EditorCommand::Paste;
    case ID_EDIT_INITIALIZE:
        return EditorCommand::Initialize;
    case ID_EDIT_REVERT:
        return EditorCommand::Revert;
    case ID_MIDI_RECEIVE_ALL_DATA:
        return EditorCommand::ReceiveAllData;
    case ID_MIDI_WRITE_ALL_DATA:
        return EditorCommand::WriteAllData;
    case ID_MIDI_RECEIVE_ALL:
        return EditorCommand::ReceiveAll;
    case ID_MIDI_TRANSMIT_ALL:
        return EditorCommand::TransmitAll;
    case ID_MIDI_RECEIVE_CURRENT:
        return EditorCommand::ReceiveFromCurrent;
    case ID_MIDI_TRANSMIT_CURRENT:
        return EditorCommand::TransmitToCurrent;
    case ID_WINDOW_CLOSE:
        return EditorCommand::Close;
    default:
        known = false;
        return EditorCommand::Save;
    }
}

std::vector<std::string> DeviceNames(bool input)
{
    std::vector<std::string> names;
    const UINT count = input ? midiInGetNumDevs() : midiOutGetNumDevs();
    for (UINT i = 0; i < count; ++i)
    {
        char name[256] = {};
        const bool got = input ? CHfcMidi::GetMidiInDeviceName(static_cast<int32_t>(i), name, sizeof name)
                               : CHfcMidi::GetMidiOutDeviceName(static_cast<int32_t>(i), name, sizeof name);
        names.push_back(got ? name : "");
    }
    return names;
}
} // namespace

void ClampToWorkArea(int32_t& x, int32_t& y, int32_t& width, int32_t& height, int32_t areaWidth,
                     int32_t areaHeight)
{
    if (x + width > areaWidth)
        x = areaWidth - width;
    if (y + height > areaHeight)
        y = areaHeight - height;
    x = std::max(x, 0);
    y = std::max(y, 0);
    if (x + width > areaWidth)
        width = areaWidth - x;
    if (y + height > areaHeight)
        height = areaHeight - y;
}

CAppMain::CAppMain(CEditorInterface& editor) : m_editor(editor)
{
    if (!g_appMain)
        g_appMain = this;
}

CAppMain::~CAppMain()
{
    Teardown();
    if (g_appMain == this)
        g_appMain = nullptr;
}

CAppMain* CAppMain::GetAppMain()
{
    return g_appMain;
}

bool CAppMain::Init()
{
    m_startupFailed = false;
    m_baseInitialised = CHfcApp::Init();
    // Before any dialog with a progress bar.
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    m_gdiplus = CHfcGdiplus::Acquire();
    InitializeDataSingletons();
    m_dataSingletons = true;
    // Windows register their drop targets only while OLE is initialised.
    m_ole = InitializeOleDragDrop();
    m_editProgram = std::make_unique<CProgram>();
    m_editGlobal = std::make_unique<CGlobal>();

    if (!InitApplication() || !m_baseInitialised)
    {
        m_startupFailed = true;
        Teardown();
        return false;
    }

    CSettings& settings = GetSettings();
    int32_t x = settings.mainWindowX, y = settings.mainWindowY;
    int32_t width = settings.mainWindowWidth, height = settings.mainWindowHeight;
    CHfcRect area;
    if (GetWorkArea(area))
        ClampToWorkArea(x, y, width, height, area.GetWidth(), area.GetHeight());

    m_frame = std::make_unique<CMdiFrameWindow>(m_editor, settings);
    m_frame->SetCommandTarget(this);
    m_frame->SetMenuBars(m_emptyBar.get(), m_mainBar.get());
    if (!m_frame->Create("Nuvorn Sound Editor", x, y, width, height, 0x8000011, m_emptyBar.get()))
    {
        ShowMessageBoxA("Error", "Failed to initialize the application. : Can not create the main window.");
        m_frame.reset();
        m_startupFailed = true;
        Teardown();
        return false;
    }
    SetMainWindow(m_frame.get());
    if (m_customMenu)
        m_customMenu->SetFrame(m_frame->GetHwnd(), m_frame->GetClientHwnd());
    m_frame->Show();

    if (settings.midiMonitorWindowShow)
        m_editor.OpenMidiMonitorWindow(m_frame.get());
    if (settings.statusLogWindowShow)
        m_editor.OpenStatusLogWindow(m_frame.get());
    if (m_customMenu)
        m_customMenu->CheckItem(ID_OPTIONS_SHOW_VALUES, settings.showValueLayer);

    if (m_midiManager)
    {
        try
        {
            m_midiManager->OpenMidiPorts();
        }
        catch (const CEfException& e)
        {
            e.Report();
        }
    }

    if (!OpenCommandLineFiles())
        m_engine->Dispatch(this, kMessageOpenFirstLibrary, 0, 0, 0, 0, true);
    return true;
}

bool CAppMain::InitApplication()
{
    try
    {
        if (!ReadSettings(GetSettings()))
            throw StartupFailure{"Failed to read settings."};
        CHfcCtrlKnob::SetKnobMode(GetSettings().knobMode);
        CTDWSingleton::Acquire();
        m_strings = true;
        m_engine = std::make_unique<CPslMessageDispatchEngine>();
        if (!m_engine->IsValid() || !m_engine->Register(this, &m_dispatchId))
            throw StartupFailure{"Can not create the dispatch engine."};

        m_autoSend = true;
        m_selectionIdle = true;
        ParameterChangeTarget().Clear();

        CreateAppSemaphores();

        m_midi = std::make_unique<CHfcMidi>();
        if (!m_midi->Create("Nv2SoundEditor"))
            throw StartupFailure{"Can not create the MIDI port."};

        m_clipboard = std::make_unique<CHfcClipboard>();
        m_blocks = std::make_unique<CBlockAccessor>(*m_clipboard);
        if (!m_blocks->RegisterFormats())
            throw StartupFailure{"Can not register the clipboard formats."};
        SetBlockAccessor(m_blocks.get());
        m_editor.OnCoreStarted();

        // The skin's bitmaps, shared by every window; a bitmap that does not decode is reported
        // and drawn without.
        m_resources = CResourceManager::getInstance() != nullptr;
        LoadMenuBars();

        m_timer = std::make_unique<CMMTimer>(m_engine.get());
        if (!m_timer->Start())
            throw StartupFailure{"Can not create CMMTimer."};
        if (!m_timer->SetInterval(CMMTimer::kInterval))
            throw StartupFailure{"Can not start MMTimer."};

        m_fileManager = std::make_unique<CFileManager>();
        m_windowManager = std::make_unique<CWindowManager>(m_engine.get());
        m_logManager = std::make_unique<CLogManager>(m_windowManager.get());
        SetLogManager(m_logManager.get());
        m_midiManager = std::make_unique<CMidiManager>(m_midi.get());
        m_midiManager->SetWindowManager(m_windowManager.get());
        m_midiManager->SetTimer(m_timer.get());
        m_midiManager->SetProgressSemaphore(GetAppSemaphore(kSemaphoreProgress));
        if (!m_midiManager->Create())
            throw StartupFailure{"Can not create CMidiManager"};
        return true;
    }
    catch (const StartupFailure& failure)
    {
        char text[512];
        std::snprintf(text, sizeof text, "Failed to initialize the application. : %s", failure.text);
        ShowMessageBoxA("Error", text);
        return false;
    }
}

void CAppMain::LoadMenuBars()
{
    // In the resource language, as the dialogs and texts are.
    const auto load = [](const wchar_t* name)
    {
        auto bar = std::make_unique<CHfcMenuBar>();
        const void* data = nullptr;
        uint32_t size = 0;
        if (!FindAppResource(MAKEINTRESOURCEW(4), name, &data, &size) || !bar->LoadFromTemplate(data))
        {
            ShowMessageBoxA("Error", "Failed to load Menu Bar.");
            return std::unique_ptr<CHfcMenuBar>();
        }
        return bar;
    };
    m_emptyBar = load(L"EmptyMenuBar");
    m_mainBar = load(L"MainMenuBar");
    m_customMenu =
        std::make_unique<CCustomMenu>(m_mainBar ? m_mainBar->GetMenu() : nullptr, nullptr, nullptr);
}

bool CAppMain::Exit()
{
    Teardown();
    return true;
}

void CAppMain::Teardown()
{
    if (m_midiManager && m_midiManager->IsCreated())
        m_midiManager->SendAllNotesOff();
    if (m_timer && m_timer->IsRunning())
        m_timer->Stop();
    if (m_midi)
    {
        if (m_midiManager)
            m_midiManager->CloseMidiPorts();
        m_midi->MidiInClose();
        m_midi->MidiOutClose();
        m_midi->ClearListeners();
    }
    if (m_strings && !m_startupFailed)
        WriteSettings(GetSettings());

    m_editor.OnCoreStopping();
    SetBlockAccessor(nullptr);
    m_blocks.reset();
    m_editor.CloseUtilityWindows();
    if (m_frame)
    {
        SetMainWindow(nullptr);
        m_frame->Destroy();
        m_frame.reset();
    }
    m_editor.OnCoreStopped();

    SetLogManager(nullptr);
    m_windowManager.reset();
    m_logManager.reset();
    m_fileManager.reset();
    m_customMenu.reset();

    if (m_midiManager)
    {
        if (m_midiManager->IsCreated())
            m_midiManager->Destroy();
        m_midiManager.reset();
    }
    if (m_midi)
    {
        m_midi->Destroy();
        m_midi.reset();
    }
    m_timer.reset();

    DeleteAppSemaphores();
    m_clipboard.reset();
    if (m_resources)
    {
        CResourceManager::releaseInstance();
        m_resources = false;
    }

    m_emptyBar.reset();
    m_mainBar.reset();
    m_editGlobal.reset();
    m_editProgram.reset();
    if (m_dataSingletons)
    {
        ReleaseDataSingletons();
        m_dataSingletons = false;
    }
    if (m_engine)
    {
        if (m_dispatchId)
            m_engine->Unregister(m_dispatchId);
        m_dispatchId = 0;
        m_engine.reset();
    }
    if (m_strings)
    {
        CTDWSingleton::Release();
        m_strings = false;
    }

    if (m_ole)
    {
        UninitializeOleDragDrop();
        m_ole = false;
    }
    if (m_gdiplus)
    {
        CHfcGdiplus::Release();
        m_gdiplus = false;
    }
    if (m_baseInitialised)
    {
        CHfcApp::Exit();
        m_baseInitialised = false;
    }
}

bool CAppMain::OnDispatch(uintptr_t a, uintptr_t, uintptr_t, uintptr_t, uintptr_t)
{
    if (a != kMessageOpenFirstLibrary)
        return false;
    NewLibrary(GetSettings().receiveOnStartup);
    return true;
}

bool CAppMain::IsCommandAllowed()
{
    return GetDialogRefCount() == 0;
}

LRESULT CAppMain::OnCommand(UINT, WPARAM wParam, LPARAM)
{
    const UINT id = LOWORD(wParam);
    if (id < ID_FILE_NEW || id > ID_HELP_VERSION)
        return 1; // not ours: the active child's or the MDI system's
    ExecuteCommand(id);
    return 0;
}

bool CAppMain::ExecuteCommand(UINT id)
{
    if (!IsCommandAllowed())
        return false;
    switch (id)
    {
    case ID_FILE_NEW:
        return NewLibrary(false);
    case ID_FILE_OPEN:
    case ID_FILE_IMPORT_J5:
    {
        CLibraryWindowInterface* window = m_editor.CreateLibraryWindow(m_frame.get(), kUntitled);
        if (!window)
            return false;
        const bool opened = id == ID_FILE_OPEN ? window->OpenFile(L"") : window->ImportJ5Library();
        if (!opened)
        {
            window->Destroy();
            return false;
        }
        window->Show();
        m_closeAllowed = m_libraryOpened = true;
        return true;
    }
    case ID_FILE_EXIT:
        if (m_frame && m_frame->GetHwnd())
            PostMessageW(m_frame->GetHwnd(), WM_CLOSE, 0, 0);
        return true;
    case ID_OPTIONS_SHOW_VALUES:
        ToggleShowValues();
        return true;
    case ID_OPTIONS_PREFERENCES:
        OpenPreferences();
        return true;
    case ID_WINDOW_MIDI_MONITOR:
        m_editor.OpenMidiMonitorWindow(m_frame.get());
        return true;
    case ID_WINDOW_LOG:
        m_editor.OpenStatusLogWindow(m_frame.get());
        return true;
    case ID_WINDOW_PREV_PROGRAM:
        SelectAdjacentProgram(-1);
        return true;
    case ID_WINDOW_NEXT_PROGRAM:
        SelectAdjacentProgram(1);
        return true;
    case ID_HELP_VERSION:
        m_editor.OpenVersionWindow(m_frame.get());
        return true;
    case ID_WINDOW_CLOSE:
        if (!m_closeAllowed)
            return false;
        ForwardCommand(id);
        return true;
    default:
        break;
    }
    bool known = false;
    ToEditorCommand(id, known);
    if (!known)
        return false;
    ForwardCommand(id);
    return true;
}

void CAppMain::ForwardCommand(UINT id)
{
    bool known = false;
    const EditorCommand command = ToEditorCommand(id, known);
    CHfcMdiChildWindow* child = m_frame ? m_frame->GetActiveChild() : nullptr;
    CEditorWindowInterface* window = child ? m_editor.GetEditorWindow(child) : nullptr;
    if (known && window)
        window->OnEditorCommand(command);
}

bool CAppMain::NewLibrary(bool receive)
{
    m_libraryOpened = true;
    CLibraryWindowInterface* window = m_editor.CreateLibraryWindow(m_frame.get(), kUntitled);
    if (!window)
        return false;
    window->Show();
    if (receive)
        window->OfferReceiveAll();
    else
        m_closeAllowed = true;
    return true;
}

bool CAppMain::OpenLibraryFile(const std::wstring& path)
{
    CLibraryWindowInterface* window = m_editor.CreateLibraryWindow(m_frame.get(), kUntitled);
    if (!window)
        return false;
    if (!window->OpenFile(path))
    {
        window->Destroy();
        return false;
    }
    window->Show();
    m_closeAllowed = m_libraryOpened = true;
    return true;
}

bool CAppMain::OpenCommandLineFiles()
{
    bool opened = false;
    for (size_t i = 1; i < m_arguments.size(); ++i)
    {
        const std::wstring& argument = m_arguments[i];
        if (argument.empty() || argument[0] == L'-' || argument[0] == L'/' || !IsAllDataFile(argument))
            continue;
        opened = OpenLibraryFile(argument) || opened;
    }
    return opened;
}

void CAppMain::ToggleShowValues()
{
    CSettings& settings = GetSettings();
    settings.showValueLayer = !settings.showValueLayer;
    if (m_customMenu)
        m_customMenu->CheckItem(ID_OPTIONS_SHOW_VALUES, settings.showValueLayer);
    Notify::Post(m_windowManager.get(), Notify::ShowValuesSwitched{}, nullptr);
}

void CAppMain::SelectAdjacentProgram(int32_t step)
{
    // Key repeat faster than the delay is ignored.
    const uint64_t now = GetTickCount64();
    const int32_t delay = std::max(GetSettings().incDecDelay, 0);
    if (m_lastAdjacentTick && now - m_lastAdjacentTick < static_cast<uint64_t>(delay))
        return;
    m_lastAdjacentTick = now;

    m_selectionIdle = false;
    CHfcMdiChildWindow* child = m_frame ? m_frame->GetActiveChild() : nullptr;
    CEditorWindowInterface* window = child ? m_editor.GetEditorWindow(child) : nullptr;
    if (window)
    {
        const intptr_t document = window->GetDocumentId();
        CWindowManager* manager = m_windowManager.get();
        Notify::Post(manager, Notify::ModifiedTracking{document, false}, nullptr);
        const int32_t current = window->GetCurrentProgramNumber();
        if (window->GetMode() == 2 && current >= 0)
        {
            const int32_t next = std::clamp(current + step, 0, 127);
            if (next != current)
            {
                Notify::Post(manager, Notify::ProgramReloaded{current, document, next}, nullptr);
                Notify::Post(manager, Notify::ParameterChanged{next, document, false, next}, nullptr);
                Notify::Post(manager, Notify::ProgramNameChanged{next, document}, nullptr);
                SendSelectedProgram(*window, next);
            }
        }
        Notify::Post(manager, Notify::ModifiedTracking{document, true}, nullptr);
    }
    m_selectionIdle = true;
}

void CAppMain::SendSelectedProgram(CEditorWindowInterface& window, int32_t number)
{
    if (!m_midiManager || !m_midiManager->IsOpen() || !window.AllowsAutoSend() || !m_autoSend)
        return;
    CProgram* program = window.GetProgram(number);
    if (!program)
    {
        DebugTrace("CAppMain::SelectAdjacentProgram() - %s", "no program set entry");
        return;
    }
    CParameterChangeTarget::CTarget target;
    const intptr_t document = window.GetDocumentId();
    if (ParameterChangeTarget().Get(target) && target.documentId == document &&
        target.programNumber == number)
        return;
    ParameterChangeTarget().Set(document, number, nullptr, program);
    try
    {
        m_midiManager->TransmitProgram(*program, -1);
    }
    catch (const CEfException& e)
    {
        e.Report();
    }
}

void CAppMain::OpenPreferences()
{
    CSettings& settings = GetSettings();
    const CSettings before = settings;
    CPreferencesDialog dialog(settings, DeviceNames(true), DeviceNames(false));
    if (dialog.DoModal(m_frame ? m_frame->GetHwnd() : nullptr) != 1)
        return;
    CHfcCtrlKnob::SetKnobMode(settings.knobMode);
    if (!m_midiManager)
        return;
    if (settings.midiInDevice == before.midiInDevice && settings.midiOutDevice == before.midiOutDevice &&
        settings.midiDeviceAutoScan == before.midiDeviceAutoScan)
        return;
    try
    {
        m_midiManager->CloseMidiPorts();
        m_midiManager->OpenMidiPorts();
    }
    catch (const CEfException& e)
    {
        e.Report();
    }
}
