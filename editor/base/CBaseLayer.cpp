#include "editor/base/CBaseLayer.h"

#include "app/AppCoreUtility.h"
#include "app/CMidiManager.h"
#include "app/CParameterChangeTarget.h"
#include "app/Notifications.h"
#include "editor/base/CEditorServices.h"
#include "editor/controls/CCustomControl.h"
#include "editor/controls/CHfcCtrlOldCharEditText.h"
#include "framework/CEfResourceManager.h"
#include "framework/CHfcControl.h"
#include "synthdata/CQ3580ProgramAccessor.h"
#include "framework/CHfcMouse.h"
#include "synthdata/CProgram.h"
#include "synthdata/CZmParameterTable.h"

CBaseLayer::CBaseLayer()
{
    m_fontWhite = GetBitmap("LcdCharWhite");
    m_fontWhiteDim = GetBitmap("LcdCharWhiteDim");
    m_fontWhiteBack = GetBitmap("LcdCharWhiteBack");
    m_fontWhiteSelected = GetBitmap("LcdCharWhiteSelected");
}

CBaseLayer::~CBaseLayer() = default;

bool CBaseLayer::Create(int32_t x, int32_t y, int32_t width, int32_t height, CBaseWindow* window)
{
    m_owner = window;
    if (window)
        m_data = window->GetData();
    return CHfcWindowLayer::Create(x, y, width, height, window);
}

bool CBaseLayer::CreateTimbreLayer(CBaseWindow* window, CProgram* program, int32_t timbre, int32_t width,
                                   int32_t height)
{
    if (!window || (timbre != 0 && timbre != 1) || !CZmProgramAccessorSingleton::Get())
        return false;
    if (!CBaseLayer::Create(0, 0, width, height, window))
        return false;
    if (program)
        m_data.program = program;
    SetTimbre(timbre);
    if (m_data.program)
        return true;
    CHfcWindowLayer::Destroy();
    return false;
}

void CBaseLayer::PostUpdate(bool all)
{
    Post(Notify::ParameterChanged{m_data.programIndex, m_data.documentId, all});
}

void CBaseLayer::PostWords(const CNotificationWords& words)
{
    PostNotification(EditorServices().windowManager, words.code, words.p1, words.p2, words.p3, words.p4,
                     this);
}

void CBaseLayer::RedrawControls(bool force)
{
    for (size_t i = 0; i < GetControlCount(); ++i)
        if (CHfcControl* control = GetControl(i))
            control->Redraw(force);
    if (CHfcWindow* window = GetWindow())
        window->FlushDirty();
}

void CBaseLayer::ReceiveCurrent()
{
    CMidiManager* midi = EditorServices().midiManager;
    if (!midi || m_data.entryKind != CEditorWindowData::kEntryProgramSet || !m_data.program)
        return;
    if (!ReceiveCurrentProgramInto(*m_data.program, *midi, m_data.documentId, m_data.programIndex))
        return;
    PostUpdate(true);
    Post(Notify::ProgramReceived{m_data.programIndex});
}

void CBaseLayer::TransmitCurrent()
{
    CMidiManager* midi = EditorServices().midiManager;
    if (!midi || m_data.entryKind != CEditorWindowData::kEntryProgramSet || !m_data.program)
        return;
    ParameterChangeTarget().Set(m_data.documentId, m_data.programIndex, nullptr, m_data.program);
    midi->TransmitProgram(*m_data.program, -1);
}

bool CBaseLayer::OwnsMouseCapture()
{
    CHfcMouse* mouse = CHfcMouse::GetMouse();
    CHfcMouseListener* owner = mouse ? mouse->GetCaptureOwner() : nullptr;
    if (!owner)
        return false;
    for (size_t i = 0; i < GetControlCount(); ++i)
        if (static_cast<CHfcMouseListener*>(GetControl(i)) == owner)
            return true;
    return false;
}

int32_t CBaseLayer::GetParameterByDeviceId(uint32_t section, uint32_t index)
{
    if (!m_data.program)
        return -1;
    return ::GetParameterByDeviceId(m_data.program, section, index);
}

int32_t CBaseLayer::SetParameterByDeviceId(uint32_t section, uint32_t index, int32_t value)
{
    if (!m_data.program || !m_deviceWrite)
        return -1;
    return ::SetParameterByDeviceId(m_data.program, section, index, value) ? 0 : -1;
}

void CBaseLayer::SetEditorControl(uint32_t id, CCustomControl* control)
{
    if (id >= m_editorControls.size())
        m_editorControls.resize(id + 1, nullptr);
    m_editorControls[id] = control;
}

CCustomControl* CBaseLayer::GetEditorControl(uint32_t id) const
{
    return id < m_editorControls.size() ? m_editorControls[id] : nullptr;
}

CZmParameterId CBaseLayer::GetControlParameter(CCustomControl* control) const
{
    CZmParameterId id;
    if (!control)
        return id;
    uint32_t words[CCustomControl::kAddressWords] = {};
    control->GetParameterAddress(words);
    id.group = words[0];
    id.index = words[1];
    id.timbre = m_timbre != -1 ? static_cast<uint32_t>(m_timbre) : words[2];
    return id;
}

void CBaseLayer::TickTextEntries(int32_t elapsedMs)
{
    for (size_t i = 0; i < GetControlCount(); ++i)
        if (auto* text = dynamic_cast<CHfcCtrlOldCharEditText*>(GetControl(i)))
            text->Tick(elapsedMs);
}
