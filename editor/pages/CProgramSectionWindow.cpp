#include "editor/pages/CProgramSectionWindow.h"

#include "app/AppCoreUtility.h"
#include "app/CSettings.h"
#include "app/Notifications.h"
#include "editor/base/CLayerLock.h"
#include "editor/base/CValueDisplayLayer.h"
#include "editor/pages/CEditPageLayer.h"
#include "editor/pages/CProgramEditWindow.h"
#include "foundation/EfUtility.h"
#include "synthdata/CLibraryData.h"
#include "synthdata/CProgram.h"
#include "synthdata/CProgramSet.h"

#include <vector>

namespace
{
// Long enough for a tick to end, bounded so that a lost release cannot hang the window.
constexpr uint32_t kDestroyLockMs = 2000;
} // namespace

CProgramSectionWindow::CProgramSectionWindow(const Shape& shape, CBaseWindow* libraryWindow,
                                             CLibraryData* library, int32_t programIndex, int32_t timbre,
                                             CProgramEditWindow* opener)
    : CBaseWindow(shape.kind, libraryWindow), m_shape(shape), m_library(library),
      m_programIndex(programIndex), m_timbre(timbre), m_opener(opener)
{
}

CProgramSectionWindow::~CProgramSectionWindow() = default;

CEditLayerBase* CProgramSectionWindow::GetEditLayer() const
{
    return static_cast<CEditLayerBase*>(GetMainLayer());
}

bool CProgramSectionWindow::Open(CHfcMdiFrameWindow* frame, int32_t x, int32_t y)
{
    CProgramSet* programs = m_library ? m_library->GetProgramSet() : nullptr;
    if (!programs || m_programIndex < 0 || m_programIndex >= static_cast<int32_t>(CProgramSet::kProgramCount))
        return false;
    CEditorWindowData data;
    data.entryKind = CEditorWindowData::kEntryProgramSet;
    // The library window's id names the document in every notification and in the instrument's
    // parameter-change target.
    data.documentId =
        GetBankWindow() ? GetBankWindow()->GetDocumentId() : reinterpret_cast<intptr_t>(m_library);
    data.programIndex = m_programIndex;
    data.program = &programs->GetProgram(static_cast<uint32_t>(m_programIndex));
    SetData(data);
    const std::wstring title = MakeTitle();
    std::string created;
    if (m_shape.createdTitle)
        created = m_shape.createdTitle;
    else
        for (wchar_t c : title)
            created += c < 0x80 ? static_cast<char>(c) : '?';
    if (!Create(x, y, m_shape.width, m_shape.height, 9, nullptr, frame, created.c_str()))
        return false;
    UpdateTitle();
    RegisterWithWindowManager(this);
    return true;
}

std::unique_ptr<CEditLayerBase> CProgramSectionWindow::MakeCreatedLayer()
{
    return nullptr;
}

std::unique_ptr<CEditPageLayer> CProgramSectionWindow::MakeMainLayer()
{
    return nullptr;
}

bool CProgramSectionWindow::OnCreate()
{
    if (!CBaseWindow::OnCreate())
        return false;
    std::unique_ptr<CEditLayerBase> layer = MakeCreatedLayer();
    CEditPageLayer* page = nullptr;
    if (!layer)
    {
        std::unique_ptr<CEditPageLayer> table = MakeMainLayer();
        if (!table || !table->Create(0, 0, m_shape.width, m_shape.height, this))
            return false;
        page = table.get();
        layer = std::move(table);
    }
    CEditLayerBase* main = layer.get();
    AddLayer(main, false);
    main->Show(false);
    SetMainLayer(std::move(layer));
    if (page && !page->CreateControls())
        return false;
    if (m_shape.valueDisplay)
    {
        auto values = std::make_unique<CValueDisplayLayer>();
        if (!values->Bind(this, main))
            return false;
        AddLayer(values.get(), false);
        SetValueDisplayLayer(std::move(values));
    }
    return !m_shape.messageOverlay || CreateMessageLayer();
}

bool CProgramSectionWindow::OnDestroy()
{
    if (m_opener)
        m_opener->OnEditorDestroyed(this);
    m_opener = nullptr;
    // A tick runs on this thread too; the lock keeps a destroy that a tick's work led to from
    // deleting the layers under it.
    CLayerLock lock(kSemaphoreTimer, kDestroyLockMs);
    if (!lock.IsHeld())
        DebugTrace("CProgramSectionWindow::OnDestroy() - the timer's semaphore was not free.");
    return CBaseWindow::OnDestroy();
}

std::wstring CProgramSectionWindow::MakeTitle() const
{
    std::wstring title = m_library ? m_library->GetDisplayName() : L"Untitled";
    char number[256] = {};
    FormatProgramNumber(m_programIndex, number);
    title += L" [";
    for (const char* c = number; *c; ++c)
        title += static_cast<wchar_t>(static_cast<unsigned char>(*c));
    title += L":";
    if (const CProgram* program = GetData().program)
        for (const char* c = program->GetProgramName(); c && *c; ++c)
            title += static_cast<wchar_t>(static_cast<unsigned char>(*c));
    return title + GetTitleEnding();
}

void CProgramSectionWindow::UpdateTitle()
{
    if (!m_hwnd)
        return;
    const std::wstring title = MakeTitle();
    const int length = GetWindowTextLengthW(m_hwnd);
    std::vector<wchar_t> shown(static_cast<size_t>(length) + 1, L'\0');
    GetWindowTextW(m_hwnd, shown.data(), length + 1);
    if (title != shown.data())
        SetTitleText(title.c_str());
}

void CProgramSectionWindow::OnMMTimer(CMMTimer* timer)
{
    CLayerLock lock(kSemaphoreTimer);
    if (!lock.IsHeld() || !IsAlive() || !IsShown())
        return;
    m_inTick = true;
    if (CValueDisplayLayer* values = GetValueDisplayLayer())
        values->RefreshValues();
    CBaseWindow::OnMMTimer(timer);
    m_inTick = false;
}

bool CProgramSectionWindow::OnWindowManagerNotify(CWindowManager* manager, uint32_t code, intptr_t p1,
                                                  intptr_t p2, intptr_t p3, intptr_t p4, void* sender)
{
    const auto changed = Notify::Read<Notify::ParameterChanged>(code, p1, p2, p3, p4);
    if (Notify::Read<Notify::FileOperationDone>(code, p1, p2, p3, p4) ||
        Notify::Read<Notify::ProgramReceived>(code, p1, p2, p3, p4) ||
        Notify::Read<Notify::ProgramNameChanged>(code, p1, p2, p3, p4) ||
        (Notify::Read<Notify::Retitle>(code, p1, p2, p3, p4) && m_shape.kind == kKindTimbreSynthEdit) ||
        (changed && changed->IsFor(GetData().documentId, m_programIndex)))
        UpdateTitle();
    else if (Notify::Read<Notify::ShowValuesSwitched>(code, p1, p2, p3, p4))
    {
        if (CValueDisplayLayer* values = GetValueDisplayLayer())
            GetSettings().showValueLayer ? values->Show(true) : values->Hide(true);
        return false;
    }
    else if (const auto reloaded = Notify::Read<Notify::ProgramReloaded>(code, p1, p2, p3, p4))
    {
        // Every other window of the program moves as well: the walk goes on.
        if (reloaded->program == m_programIndex && reloaded->document == GetData().documentId)
            BindToProgram(reloaded->next);
        return false;
    }
    return CBaseWindow::OnWindowManagerNotify(manager, code, p1, p2, p3, p4, sender);
}

bool CProgramSectionWindow::BindToProgram(int32_t n)
{
    CProgramSet* programs = m_library ? m_library->GetProgramSet() : nullptr;
    CEditLayerBase* layer = GetEditLayer();
    if (!programs || !layer || !GetHwnd() || n < 0 || n >= static_cast<int32_t>(CProgramSet::kProgramCount))
        return false;
    CEditorWindowData data = GetData();
    data.programIndex = n;
    data.program = &programs->GetProgram(static_cast<uint32_t>(n));
    SetData(data);
    m_programIndex = n;
    layer->BindToProgram(n, data.program);
    layer->RefreshAllControls();
    UpdateTitle();
    return true;
}

CProgram* CProgramSectionWindow::GetProgram(int32_t n)
{
    CProgramSet* programs = m_library ? m_library->GetProgramSet() : nullptr;
    if (!programs || n < 0 || n >= static_cast<int32_t>(CProgramSet::kProgramCount))
        return nullptr;
    return &programs->GetProgram(static_cast<uint32_t>(n));
}

void CProgramSectionWindow::OnActivateHook()
{
    if (CBaseLayer* layer = GetMainLayer())
        layer->OnActivateLayer();
}
