#include "editor/library/CProgramListLayer.h"

#include "app/AppCoreUtility.h"
#include "app/CAppMain.h"
#include "app/CBlockAccessor.h"
#include "app/CMidiManager.h"
#include "app/CParameterChangeTarget.h"
#include "app/CSettings.h"
#include "app/AppText.h"
#include "app/CTDWResource.h"
#include "app/Notifications.h"
#include "editor/base/CEditorServices.h"
#include "editor/base/CLayerLock.h"
#include "editor/layout/ProgramListLayout.h"
#include "editor/library/CProgramListHost.h"
#include "editor/library/CProgramListOperations.h"
#include "editor/library/model/CProgramListGeometry.h"
#include "foundation/EfUtility.h"
#include "framework/CEfResourceManager.h"
#include "framework/CHfcBmp.h"
#include "framework/CHfcDragData.h"
#include "framework/CHfcOffscreenContext.h"
#include "framework/CHfcWindow.h"
#include "resources/SkinGeometry.h"
#include "synthdata/CLibraryData.h"
#include "synthdata/CProgramSet.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

namespace
{
using Geometry = CProgramListGeometry;

constexpr uint32_t kModifierShift = 1, kModifierControl = 2, kModifierAlt = 4;
constexpr int32_t kNumberX = 30, kNumberY = 49, kCategoryX = 30, kCategoryY = 68;

// The button of each id: its bitmap and place (the layout's first nine controls, in order).
const NvLayoutControl& ButtonLayout(int32_t button)
{
    return NvProgramListLayout::kControls[button];
}

int32_t FrameHeight(const char* name)
{
    const NvSkinBitmap* geometry = FindSkinBitmap(name);
    return geometry ? geometry->frameHeight : 0;
}

// The category-hold popup's items, by mode.
const char* const kCategoryHoldItems[] = {"Off", "Category", "Assign", "Programmer"};

} // namespace

// What the operations reach of the list and its window.
class CProgramListLayer::CHost : public CProgramListHost
{
public:
    explicit CHost(CProgramListLayer& layer) : m_layer(layer) {}

    HWND GetOwnerWindow() override { return m_layer.GetWindow() ? m_layer.GetWindow()->GetHwnd() : nullptr; }
    intptr_t GetDocumentId() override { return m_layer.m_data.documentId; }
    void CloseEditWindow(uint32_t n) override { m_layer.CloseEditWindow(static_cast<int32_t>(n)); }
    void CloseAllEditWindows() override { m_layer.CloseEditWindow(-1); }
    void RedrawRows() override { m_layer.DrawChanged(false); }
    void RefreshSelectionDisplay() override { m_layer.DrawChanged(false); }
    void MarkModified() override { m_layer.MarkModified(); }
    void PostNotification(const CNotificationWords& words) override { m_layer.PostWords(words); }
    bool IsAutoDumpEnabled() override { return GetSettings().autoDumpEnabled; }
    void RunAutoDump(uint32_t n) override { m_layer.RunAutoDump(n); }

private:
    CProgramListLayer& m_layer;
};

CProgramListLayer::CProgramListLayer(CLibraryData& library)
    : m_library(library), m_model(std::make_unique<CProgramListModel>(library))
{
    m_background = GetBitmap(NvProgramListLayout::kPage.background);
    m_font = GetBitmap("LcdCharWhite");
    m_largeFont = GetBitmap("LcdCharLargeWhite");
    for (int32_t i = 0; i < kButtonCount; ++i)
        m_buttonBitmaps[i] = GetBitmap(ButtonLayout(i).bitmap);
    m_host = std::make_unique<CHost>(*this);
    MakeOperations();
}

CProgramListLayer::~CProgramListLayer() = default;

bool CProgramListLayer::Create(int32_t x, int32_t y, int32_t width, int32_t height, CBaseWindow* window)
{
    if (!CBaseLayer::Create(x, y, width, height, window))
        return false;
    m_model->SetListMode(m_library.GetListMode());
    m_model->SetCategoryHold(m_library.GetCategoryHold());
    return true;
}

void CProgramListLayer::MakeOperations()
{
    CProgramListServices services;
    services.midi = EditorServices().midiManager;
    if (CAppMain* app = CAppMain::GetAppMain())
        services.files = app->GetFileManager();
    services.blocks = GetBlockAccessor();
    m_operations = std::make_unique<CProgramListOperations>(*m_model, m_library, *m_host, services);
}

void CProgramListLayer::CloseEditWindow(int32_t n)
{
    if (m_closeEditWindow)
        m_closeEditWindow(n);
}

void CProgramListLayer::SetListMode(uint32_t mode)
{
    if (mode >= Geometry::kListModeCount)
        return;
    m_model->SetListMode(mode);
    GetSettings().programListMode = mode;
    m_fullRedraw = true;
    DrawChanged(true);
}

void CProgramListLayer::ShowBank(uint32_t bank)
{
    if (bank == m_model->GetBank() || !m_model->ShowBank(bank))
        return;
    DrawChanged(true);
}

void CProgramListLayer::DrawAll()
{
    m_fullRedraw = true;
    DrawChanged(true);
}

void CProgramListLayer::DrawChanged(bool full)
{
    CHfcOffscreenContext* surface = GetOffscreen();
    if (!surface)
        return;
    full = full || m_fullRedraw;
    if (m_fullRedraw)
    {
        m_fullRedraw = false;
        if (m_background)
            surface->DrawBitmap(0, 0, kWidth, kHeight, m_background, 0, 0);
        else
        {
            surface->SetBrushColor(0xFF101820);
            surface->FillRect(0, 0, kWidth, kHeight);
        }
        DrawButtons(false);
        full = true;
    }
    const std::vector<uint32_t> rows = m_model->TakeRowsToDraw(full);
    for (uint32_t n : rows)
        DrawRow(n);
    if (full || !rows.empty())
    {
        DrawTabs();
        DrawSelectionDisplay();
    }
    if (full)
        InvalidateAll(true);
    else if (!rows.empty())
    {
        // One recomposition over the rows that changed.
        CHfcRect box = Geometry::GetRowRect(m_model->GetListMode(), rows.front());
        for (uint32_t n : rows)
        {
            const CHfcRect r = Geometry::GetRowRect(m_model->GetListMode(), n);
            box.left = std::min(box.left, r.left);
            box.top = std::min(box.top, r.top);
            box.right = std::max(box.right, r.right);
            box.bottom = std::max(box.bottom, r.bottom);
        }
        InvalidateArea(box.left, box.top, box.right - box.left, box.bottom - box.top, true);
        InvalidateArea(kNumberX, kNumberY, 32 * NvSkinFont::kSmallWidth,
                       kCategoryY + NvSkinFont::kSmallHeight - kNumberY, true);
    }
}

void CProgramListLayer::DrawRow(uint32_t n)
{
    CHfcOffscreenContext* surface = GetOffscreen();
    const CProgramSet* set = m_library.GetProgramSet();
    if (!surface || !set)
        return;
    const uint32_t mode = m_model->GetListMode();
    const CHfcRect r = Geometry::GetRowRect(mode, n);
    const int32_t x = r.left, y = r.top, width = r.right - r.left, height = r.bottom - r.top;
    if (m_background)
        surface->DrawBitmap(x, y, width, height, m_background, x, y);
    const uint32_t flags = m_model->GetFlags(n);
    if (flags & CProgramListModel::kFlagHeld)
    {
        surface->SetBrushColor(kHeldColour);
        surface->FillRect(x, y, width, Geometry::kRowHeight);
    }
    if (flags & CProgramListModel::kFlagSelected)
    {
        surface->SetBrushColor(kSelectionColour);
        surface->FillRect(x, y, width, Geometry::kRowHeight);
    }
    surface->SetBrushColor(kNumberCellColour);
    if (!(flags & CProgramListModel::kFlagSelected))
        surface->FillRect(x, y, Geometry::kNumberCellWidth, Geometry::kRowHeight);
    if (flags & CProgramListModel::kFlagDropHighlight)
    {
        surface->SetPenColor(kDropColour);
        surface->DrawRect(x, y, width - 1, Geometry::kRowHeight - 1);
    }
    if (n % 8 == 7)
    {
        surface->SetPenColor(kSeparatorColour);
        surface->MoveTo(x, y + Geometry::kRowHeight);
        surface->LineTo(x + width - 1, y + Geometry::kRowHeight);
    }
    const std::string number = Geometry::GetProgramNumberText(n);
    surface->DrawBitmapText(x + Geometry::kNumberTextX, y + Geometry::kTextY, number.c_str(),
                            static_cast<int32_t>(number.size()), m_font, NvSkinFont::kSmallWidth,
                            NvSkinFont::kSmallHeight);
    char name[Geometry::kNameLength + 1] = {};
    std::snprintf(name, sizeof name, "%-8.8s", set->GetProgram(n).GetProgramName());
    const int32_t characters = Geometry::GetNameCharacters(mode);
    surface->DrawBitmapText(x + Geometry::kNameTextX, y + Geometry::kTextY, name,
                            std::min<int32_t>(characters, Geometry::kNameLength), m_font,
                            NvSkinFont::kSmallWidth, NvSkinFont::kSmallHeight);
    // The library information the fields ask for, after the name, as far as the column goes.
    const uint32_t fields = m_model->GetInfoFields();
    int32_t textX = x + Geometry::kNameTextX + (Geometry::kNameLength + 1) * Geometry::kCharWidth;
    const int32_t right = x + width;
    for (uint32_t field = 0; field < CProgramListModel::kInfoFieldCount; ++field)
    {
        if (!(fields & (1u << field)))
            continue;
        const int32_t room = (right - textX) / Geometry::kCharWidth;
        if (room <= 0)
            break;
        const std::string text = m_model->GetInfoFieldText(n, field);
        const int32_t shown = std::min(room, std::min<int32_t>(static_cast<int32_t>(text.size()), 16));
        if (shown > 0)
            surface->DrawBitmapText(textX, y + Geometry::kTextY, text.c_str(), shown, m_font,
                                    NvSkinFont::kSmallWidth, NvSkinFont::kSmallHeight);
        textX += 17 * Geometry::kCharWidth;
    }
}

void CProgramListLayer::DrawTabs()
{
    CHfcOffscreenContext* surface = GetOffscreen();
    if (!surface)
        return;
    const uint32_t banks = m_model->GetBankCount();
    // The strip under the list, cleared whatever the mode, so that a mode of one bank
    // leaves no tabs behind.
    const int32_t stripWidth = Geometry::kTabStep * 2;
    if (m_background)
        surface->DrawBitmap(Geometry::kTabX, Geometry::kTabY, stripWidth, Geometry::kTabHeight + 1,
                            m_background, Geometry::kTabX, Geometry::kTabY);
    if (banks > 1)
        for (uint32_t i = 0; i < banks; ++i)
        {
            const CHfcRect r = Geometry::GetTabRect(i);
            const bool shown = i == m_model->GetBank();
            if (shown)
            {
                surface->SetBrushColor(kTabColour);
                surface->FillRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
            }
            surface->SetPenColor(kTabColour);
            surface->DrawRect(r.left, r.top, r.right - r.left - 1, r.bottom - r.top - 1);
            const std::string label = Geometry::GetTabLabel(i);
            surface->DrawBitmapText(r.left + Geometry::kTabTextX, r.top + Geometry::kTabTextY, label.c_str(),
                                    static_cast<int32_t>(label.size()),
                                    shown ? GetBitmap("LcdCharWhiteSelected") : m_font,
                                    NvSkinFont::kSmallWidth, NvSkinFont::kSmallHeight);
        }
    InvalidateArea(Geometry::kTabX, Geometry::kTabY, stripWidth, Geometry::kTabHeight + 1, false);
}

void CProgramListLayer::DrawSelectionDisplay()
{
    CHfcOffscreenContext* surface = GetOffscreen();
    if (!surface)
        return;
    const int32_t width = 32 * NvSkinFont::kSmallWidth;
    const int32_t height = kCategoryY + NvSkinFont::kSmallHeight - kNumberY;
    if (m_background)
        surface->DrawBitmap(kNumberX, kNumberY, width, height, m_background, kNumberX, kNumberY);
    const std::string number = m_model->GetSelectionNumberText();
    surface->DrawBitmapText(kNumberX, kNumberY, number.c_str(), static_cast<int32_t>(number.size()),
                            m_largeFont, NvSkinFont::kLargeWidth, NvSkinFont::kLargeHeight);
    const std::string category = m_model->GetSelectionCategoryText();
    surface->DrawBitmapText(kCategoryX, kCategoryY, category.c_str(), static_cast<int32_t>(category.size()),
                            m_font, NvSkinFont::kSmallWidth, NvSkinFont::kSmallHeight);
}

CHfcRect CProgramListLayer::GetButtonRect(Button button)
{
    if (button <= kButtonNone || button >= kButtonCount)
        return CHfcRect();
    const NvLayoutControl& layout = ButtonLayout(button);
    const NvSkinBitmap* geometry = FindSkinBitmap(layout.bitmap);
    const int32_t width = geometry ? geometry->width : 0, height = geometry ? geometry->frameHeight : 0;
    return CHfcRect(layout.x, layout.y, layout.x + width, layout.y + height);
}

CProgramListLayer::Button CProgramListLayer::HitTestButton(int32_t x, int32_t y) const
{
    for (int32_t i = 0; i < kButtonCount; ++i)
    {
        const CHfcRect r = GetButtonRect(static_cast<Button>(i));
        if (x >= r.left && x < r.right && y >= r.top && y < r.bottom)
            return static_cast<Button>(i);
    }
    return kButtonNone;
}

void CProgramListLayer::DrawButtons(bool now)
{
    CHfcOffscreenContext* surface = GetOffscreen();
    if (!surface)
        return;
    const uint32_t mode = m_model->GetListMode();
    for (int32_t i = 0; i < kButtonCount; ++i)
    {
        CHfcBmp* bitmap = m_buttonBitmaps[i];
        const int32_t frame = FrameHeight(ButtonLayout(i).bitmap);
        if (!bitmap || frame <= 0)
            continue;
        // Frames: raised, pressed, then lit raised and lit pressed where the control lights.
        bool lit = false;
        switch (i)
        {
        case kButtonMode1:
            lit = mode == 1;
            break;
        case kButtonMode0:
            lit = mode == 0;
            break;
        case kButtonAutoDump:
            lit = GetSettings().autoDumpEnabled;
            break;
        case kButtonCategoryHold:
            lit = m_model->GetCategoryHold() != 0;
            break;
        default:
            break;
        }
        const int32_t index = (lit ? 2 : 0) + (i == m_pressedButton ? 1 : 0);
        const int32_t frames = bitmap->GetHeight() / frame;
        const CHfcRect r = GetButtonRect(static_cast<Button>(i));
        surface->DrawBitmap(r.left, r.top, r.right - r.left, frame, bitmap, 0,
                            std::min(index, frames - 1) * frame);
        InvalidateArea(r.left, r.top, r.right - r.left, frame, now);
    }
}

void CProgramListLayer::PressButton(Button button)
{
    if (!IsTransferIdle())
        return;
    switch (button)
    {
    case kButtonEdit:
        if (m_model->GetSelectedCount() == 1 && m_openEditWindow)
            m_openEditWindow(static_cast<uint32_t>(m_model->GetFirstSelected()));
        break;
    case kButtonInformation:
        m_operations->Rename();
        break;
    case kButtonMode1:
    case kButtonMode0:
    {
        // Pressing the lit switch again leaves both dark: the list shows all 128 at once.
        const uint32_t chosen = button == kButtonMode1 ? 1u : 0u;
        SetListMode(m_model->GetListMode() == chosen ? 2u : chosen);
        break;
    }
    case kButtonView:
        ShowViewPopup();
        break;
    case kButtonReceive:
        ReceiveCurrent();
        break;
    case kButtonTransmit:
        TransmitCurrent();
        break;
    case kButtonAutoDump:
        GetSettings().autoDumpEnabled = !GetSettings().autoDumpEnabled;
        DrawButtons(true);
        break;
    case kButtonCategoryHold:
        ShowCategoryHoldPopup();
        break;
    default:
        break;
    }
}

void CProgramListLayer::ShowViewPopup()
{
    const uint32_t mode = m_model->GetListMode();
    if (mode == 2)
        return;
    std::vector<std::wstring> items;
    char key[32];
    for (uint32_t i = 0; i < CProgramListModel::kInfoFieldCount; ++i)
    {
        std::snprintf(key, sizeof key, "ProgListViewMenu%02u", i);
        items.push_back(GetLocalizedString(key));
    }
    const CHfcRect r = GetButtonRect(kButtonView);
    const int32_t chosen =
        EditorPopups().ChooseCheckedItem(m_host->GetOwnerWindow(), GetRect().left + r.left,
                                         GetRect().top + r.bottom, items, m_model->GetInfoFields());
    if (chosen < 0 || chosen >= static_cast<int32_t>(CProgramListModel::kInfoFieldCount))
        return;
    const uint32_t mask = m_model->ToggleInfoField(static_cast<uint32_t>(chosen));
    CSettings& settings = GetSettings();
    (mode == 0 ? settings.programListShowInfo2Lines : settings.programListShowInfo4Lines) = mask;
    settings.programListShowInfo = mask;
    DrawChanged(true);
}

void CProgramListLayer::ShowCategoryHoldPopup()
{
    std::vector<std::wstring> items;
    for (const char* item : kCategoryHoldItems)
        items.push_back(AnsiToWide(item));
    const CHfcRect r = GetButtonRect(kButtonCategoryHold);
    const int32_t chosen =
        EditorPopups().ChooseCheckedItem(m_host->GetOwnerWindow(), GetRect().left + r.left,
                                         GetRect().top + r.top, items, 1u << m_model->GetCategoryHold());
    if (chosen < 0 || chosen >= static_cast<int32_t>(CProgramListModel::kCategoryHoldCount))
        return;
    m_model->SetCategoryHold(static_cast<uint32_t>(chosen));
    GetSettings().programListCategoryHold = static_cast<uint32_t>(chosen);
    DrawButtons(true);
    DrawChanged(false);
}

void CProgramListLayer::MarkModified()
{
    if (m_markModified && m_owner)
        m_owner->SetModified(true);
}

void CProgramListLayer::RefreshValues()
{
    CLayerLock lock(kSemaphoreLayer);
    if (!lock.IsHeld())
        return;
    if (m_dragging)
    {
        // Resting on a bank tab shows that bank; resting anywhere brings the window forward.
        const int32_t bank =
            m_hover.TickBank(Geometry::HitTestTab(m_model->GetListMode(), m_hoverX, m_hoverY));
        if (bank >= 0)
            ShowBank(static_cast<uint32_t>(bank));
        if (m_hover.TickWindow() && m_owner)
            m_owner->BringToFront();
    }
    DrawChanged(false);
}

void CProgramListLayer::Cut()
{
    // Copied first: the program is initialised only once it is on the clipboard.
    if (m_operations->Copy())
        m_operations->Initialize(false);
}

void CProgramListLayer::Copy()
{
    m_operations->Copy();
}

void CProgramListLayer::Paste()
{
    m_operations->Paste();
}

void CProgramListLayer::Initialize()
{
    m_operations->Initialize(true);
}

void CProgramListLayer::ExportText()
{
    m_operations->ExportText();
}

void CProgramListLayer::ReceiveProgram()
{
    m_operations->ReceiveSelected();
}

void CProgramListLayer::WriteProgram()
{
    m_operations->TransmitSelected();
}

void CProgramListLayer::ReceiveAll()
{
    m_operations->ReceiveAllPrograms();
}

void CProgramListLayer::TransmitAll()
{
    m_operations->WriteAllPrograms();
}

void CProgramListLayer::RestoreProgram()
{
    m_operations->RestoreProgram();
}

void CProgramListLayer::RunAutoDump(uint32_t n)
{
    CMidiManager* midi = EditorServices().midiManager;
    CProgramSet* set = m_library.GetProgramSet();
    if (!midi || !midi->IsOpen() || !set || n >= CProgramListModel::kProgramCount || !IsTransferIdle())
        return;
    m_model->SelectOnly(n);
    DrawChanged(false);
    CProgram& program = set->GetProgram(n);
    ParameterChangeTarget().Set(m_data.documentId, static_cast<int32_t>(n), &m_library, &program);
    midi->TransmitProgram(program, -1);
}

void CProgramListLayer::TransmitCurrent()
{
    RunAutoDump(m_model->GetFirstSelectedOrZero());
}

void CProgramListLayer::ReceiveCurrent()
{
    CMidiManager* midi = EditorServices().midiManager;
    CProgramSet* set = m_library.GetProgramSet();
    if (!midi || !set || !IsTransferIdle())
        return;
    const uint32_t n = m_model->GetFirstSelectedOrZero();
    if (!ReceiveCurrentProgramInto(set->GetProgram(n), *midi, m_data.documentId, static_cast<int32_t>(n)))
        return;
    m_model->MarkRedraw(n);
    m_model->UpdateHeld();
    CloseEditWindow(static_cast<int32_t>(n));
    MarkModified();
    DrawChanged(false);
    Post(Notify::ParameterChanged{static_cast<int32_t>(n), m_data.documentId});
    Post(Notify::ProgramReceived{static_cast<int32_t>(n)});
}

bool CProgramListLayer::OnWindowManagerNotify(CWindowManager*, uint32_t code, intptr_t p1, intptr_t p2,
                                              intptr_t p3, intptr_t p4, void* sender)
{
    const auto isProgram = [](int32_t n)
    { return n >= 0 && n < static_cast<int32_t>(CProgramListModel::kProgramCount); };
    int32_t changed = -1;
    if (const auto named = Notify::Read<Notify::ProgramNameChanged>(code, p1, p2, p3, p4))
        changed = named->program;
    else if (const auto renamed = Notify::Read<Notify::ProgramRenamed>(code, p1, p2, p3, p4))
        changed = renamed->program;
    else if (const auto edited = Notify::Read<Notify::ParameterChanged>(code, p1, p2, p3, p4))
    {
        if (edited->document != m_data.documentId || sender == this || !isProgram(edited->program))
            return false;
        changed = edited->program;
    }
    else if (const auto reloaded = Notify::Read<Notify::ProgramReloaded>(code, p1, p2, p3, p4))
    {
        if (reloaded->document != m_data.documentId || !isProgram(reloaded->next))
            return false;
        // The windows of the program move to the new one themselves; one already there gives way.
        if (reloaded->next != reloaded->program)
            CloseEditWindow(reloaded->next);
        const uint32_t bank = m_model->GetBank();
        m_model->SelectOnly(static_cast<uint32_t>(reloaded->next));
        m_model->ShowBankOf(static_cast<uint32_t>(reloaded->next));
        DrawChanged(bank != m_model->GetBank());
        return false;
    }
    else if (const auto all = Notify::Read<Notify::ProgramsReplaced>(code, p1, p2, p3, p4))
        return ReplaceAll(all->document);
    else if (const auto data = Notify::Read<Notify::DataReplaced>(code, p1, p2, p3, p4))
        return ReplaceAll(data->document);
    else if (Notify::Read<Notify::ReloadProgramList>(code, p1, p2, p3, p4))
    {
        DrawChanged(true);
        return true;
    }
    else
        return false;
    if (isProgram(changed))
        m_model->MarkRedraw(static_cast<uint32_t>(changed));
    m_model->UpdateHeld();
    DrawChanged(false);
    return true;
}

bool CProgramListLayer::ReplaceAll(intptr_t document)
{
    if (document != m_data.documentId)
        return false;
    // Every program may have changed: no edit window shows the old ones.
    CloseEditWindow(-1);
    m_model->UpdateHeld();
    DrawChanged(true);
    return true;
}

bool CProgramListLayer::OnHfcMouseLeftDown(CHfcMouse*, int32_t x, int32_t y, uint32_t modifiers)
{
    if (!IsTransferIdle())
        return true;
    const uint32_t mode = m_model->GetListMode();
    const int32_t n = Geometry::HitTestRow(mode, m_model->GetBank(), x, y);
    if (n >= 0)
    {
        m_model->PressLeft(static_cast<uint32_t>(n), (modifiers & kModifierShift) != 0,
                           (modifiers & kModifierControl) != 0, x, y);
        DrawChanged(false);
        return true;
    }
    const int32_t tab = Geometry::HitTestTab(mode, x, y);
    if (tab >= 0)
    {
        ShowBank(static_cast<uint32_t>(tab));
        return true;
    }
    const Button button = HitTestButton(x, y);
    if (button != kButtonNone)
    {
        // Buttons act on the release over the same button.
        m_pressedButton = button;
        DrawButtons(true);
        return true;
    }
    return false;
}

bool CProgramListLayer::OnHfcMouseLeftUp(CHfcMouse*, int32_t x, int32_t y, uint32_t)
{
    if (m_pressedButton != kButtonNone)
    {
        const Button pressed = m_pressedButton;
        m_pressedButton = kButtonNone;
        DrawButtons(true);
        if (HitTestButton(x, y) == pressed)
            PressButton(pressed);
        return true;
    }
    if (!IsTransferIdle())
        return true;
    const int32_t n = Geometry::HitTestRow(m_model->GetListMode(), m_model->GetBank(), x, y);
    const bool changed = m_model->ReleaseLeft(n);
    DrawChanged(false);
    if (changed && n >= 0 && GetSettings().autoDumpEnabled)
        RunAutoDump(static_cast<uint32_t>(n));
    return true;
}

bool CProgramListLayer::OnHfcMouseLeftDoubleClick(CHfcMouse*, int32_t x, int32_t y, uint32_t)
{
    if (!IsTransferIdle())
        return true;
    const int32_t n = Geometry::HitTestRow(m_model->GetListMode(), m_model->GetBank(), x, y);
    if (n < 0)
        return false;
    m_model->SelectOnly(static_cast<uint32_t>(n));
    DrawChanged(false);
    if (m_openEditWindow)
        m_openEditWindow(static_cast<uint32_t>(n));
    return true;
}

bool CProgramListLayer::OnHfcMouseRightDown(CHfcMouse*, int32_t x, int32_t y, uint32_t)
{
    if (!IsTransferIdle())
        return true;
    const int32_t n = Geometry::HitTestRow(m_model->GetListMode(), m_model->GetBank(), x, y);
    if (n < 0)
        return false;
    m_model->PressRight(static_cast<uint32_t>(n));
    DrawChanged(false);
    return true;
}

bool CProgramListLayer::OnHfcMouseRightUp(CHfcMouse*, int32_t x, int32_t y, uint32_t)
{
    if (!IsTransferIdle())
        return true;
    const int32_t n = Geometry::HitTestRow(m_model->GetListMode(), m_model->GetBank(), x, y);
    if (n < 0)
        return false;
    // The menu's place is in the window's client area.
    m_operations->ShowPopupMenu(n, GetRect().left + x, GetRect().top + y);
    return true;
}

bool CProgramListLayer::OnHfcMouseMove(CHfcMouse*, int32_t x, int32_t y, uint32_t)
{
    if (!m_model->IsPressPending())
        return false;
    if (!IsTransferIdle() || !m_model->TakeDragStart(x, y))
        return true;
    RunProgramDrag();
    return true;
}

// The window passes navigation keys (Enter, Delete, the arrows) and characters both as
// characters, each with its own code.
bool CProgramListLayer::OnHfcKeyCharacter(CHfcKey*, uint32_t code, uint32_t)
{
    if (!IsTransferIdle())
        return true;
    CProgramListKey key;
    switch (code)
    {
    case 'i':
    case 'I':
        m_operations->Rename();
        return true;
    case VK_RETURN:
        if (m_openEditWindow)
            m_openEditWindow(m_model->GetFirstSelectedOrZero());
        return true;
    case VK_DELETE:
        m_operations->Initialize(true);
        return true;
    case VK_UP:
        key = CProgramListKey::kUp;
        break;
    case VK_DOWN:
        key = CProgramListKey::kDown;
        break;
    case VK_LEFT:
        key = CProgramListKey::kLeft;
        break;
    case VK_RIGHT:
        key = CProgramListKey::kRight;
        break;
    default:
        return false;
    }
    const uint32_t bank = m_model->GetBank();
    const int32_t moved = m_model->MoveByKey(key);
    if (moved < 0)
        return true;
    DrawChanged(bank != m_model->GetBank());
    if (GetSettings().autoDumpEnabled)
        RunAutoDump(static_cast<uint32_t>(moved));
    return true;
}

void CProgramListLayer::RunProgramDrag()
{
    CBlockAccessor* blocks = GetBlockAccessor();
    const int32_t pressed = m_model->GetPressIndex();
    if (!blocks || pressed < 0)
    {
        m_model->EndDrag();
        return;
    }
    CHfcDragData data;
    for (uint32_t n : m_model->GetSelection())
        blocks->AddProgramDragItem(data, m_library, n);
    if (data.GetItemCount() == 0)
    {
        m_model->EndDrag();
        return;
    }
    // The image: the pressed row as the list shows it, framed in black.
    const uint32_t mode = m_model->GetListMode();
    const CHfcRect row = Geometry::GetRowRect(mode, static_cast<uint32_t>(pressed));
    const int32_t width = Geometry::GetModeInfo(mode).columnWidth + 1, height = Geometry::kRowHeight + 1;
    if (CHfcOffscreenContext* surface = GetOffscreen(); surface && data.Begin(width, height))
    {
        CHfcOffscreenContext* image = data.GetImage();
        surface->CopyTo(image, 0, 0, width, height, row.left, row.top);
        image->SetPenColor(0xFF000000);
        image->DrawRect(0, 0, width - 1, height - 1);
    }
    int32_t pointerX = 0, pointerY = 0;
    if (CHfcWindow* window = GetWindow())
    {
        POINT cursor = {};
        GetCursorPos(&cursor);
        if (window->ScreenToClient(cursor))
        {
            pointerX = cursor.x - GetRect().left - row.left;
            pointerY = cursor.y - GetRect().top - row.top;
        }
    }
    m_dragSource = true;
    data.DoDragDrop(pointerX, pointerY);
    m_dragSource = false;
    data.End();
    m_model->EndDrag();
}

// Formats the drag carries beside the programs (the shell's drag-image helper adds its own) do
// not count.
bool CProgramListLayer::IsProgramDrag(const CHfcDragData* data) const
{
    const uint32_t format = GetBlockClipboardFormat(kBlockProgram);
    for (size_t i = 0; data && format != 0 && i < data->GetItemCount(); ++i)
        if (data->GetItemFormat(i) == format)
            return true;
    return false;
}

CProgramDropOperation CProgramListLayer::GetDropOperation(uint32_t modifiers) const
{
    return CProgramListDrop::ChooseOperation(
        m_model->GetPressIndex() >= 0, (modifiers & kModifierControl) != 0, (modifiers & kModifierAlt) != 0);
}

bool CProgramListLayer::OnHfcDragEnter(CHfcDragData* data, uint32_t keyState, int32_t x, int32_t y,
                                       uint32_t modifiers, uint32_t* effect)
{
    if (!IsInLayer(x, y))
        return false;
    m_dragging = true;
    m_hover.Restart();
    m_hoverX = x;
    m_hoverY = y;
    return OnHfcDragOver(data, keyState, x, y, modifiers, effect);
}

bool CProgramListLayer::OnHfcDragOver(CHfcDragData* data, uint32_t, int32_t x, int32_t y, uint32_t modifiers,
                                      uint32_t* effect)
{
    // Drags reach every layer of the window: the strip above takes its own.
    if (!IsInLayer(x, y))
    {
        if (m_dragging)
            EndDragOver();
        return false;
    }
    m_dragging = true;
    if (x != m_hoverX || y != m_hoverY)
        m_hover.PointerMoved();
    m_hoverX = x;
    m_hoverY = y;
    uint32_t offered = kHfcDropEffectNone;
    if (IsTransferIdle() && IsProgramDrag(data))
    {
        const uint32_t mode = m_model->GetListMode();
        const int32_t row = Geometry::HitTestRow(mode, m_model->GetBank(), x, y);
        if (Geometry::HitTestTab(mode, x, y) >= 0)
            offered = kHfcDropEffectMove; // resting on a tab shows its bank
        else if (row >= 0)
            offered = static_cast<uint32_t>(GetDropOperation(modifiers));
        m_model->SetDropHighlight(row);
        DrawChanged(false);
    }
    if (effect)
        *effect = offered;
    return true;
}

// Unanswered, so that every layer of the window hears that the drag left.
bool CProgramListLayer::OnHfcDragLeave(CHfcDragData*)
{
    if (m_dragging)
        EndDragOver();
    return false;
}

bool CProgramListLayer::IsInLayer(int32_t x, int32_t y) const
{
    return x >= 0 && y >= 0 && x < GetRect().GetWidth() && y < GetRect().GetHeight();
}

void CProgramListLayer::EndDragOver()
{
    m_dragging = false;
    m_model->SetDropHighlight(-1);
    DrawChanged(false);
}

bool CProgramListLayer::OnHfcDrop(CHfcDragData* data, uint32_t, int32_t x, int32_t y, uint32_t modifiers,
                                  uint32_t* effect)
{
    if (!IsInLayer(x, y))
        return false;
    uint32_t result = kHfcDropEffectNone;
    const int32_t row = Geometry::HitTestRow(m_model->GetListMode(), m_model->GetBank(), x, y);
    if (IsTransferIdle() && IsProgramDrag(data) && row >= 0)
    {
        // Every item of this format must be one program: 640 bytes naming a program 0-127.
        // Items of other formats are passed over.
        std::vector<std::vector<uint8_t>> bytes;
        const uint32_t format = GetBlockClipboardFormat(kBlockProgram);
        bool readable = true;
        for (size_t i = 0; i < data->GetItemCount() && readable; ++i)
        {
            const CHfcDragItem* item = data->GetItem(i);
            if (!item || item->format != format)
                continue;
            readable = item->data != nullptr;
            if (readable)
                bytes.emplace_back(item->data, item->data + item->size);
        }
        std::vector<CProgramDragItem> items;
        if (readable && CProgramDragItem::ParseAll(bytes, items) && !items.empty())
        {
            const CProgramDropOperation operation = GetDropOperation(modifiers);
            ParameterChangeTarget().Clear();
            const CProgramDropPlan plan = m_model->Drop(items, static_cast<uint32_t>(row), operation);
            if (plan.accepted)
            {
                for (uint32_t n : plan.written)
                {
                    CProgramListOperations::WaitForTransfer();
                    CloseEditWindow(static_cast<int32_t>(n));
                }
                MarkModified();
                result = static_cast<uint32_t>(operation);
            }
            else
                DebugTrace("Error@DropInsertFlavor : %s", plan.error.c_str());
        }
        else
            DebugTrace("Error@DropInsertFlavor : %s", "Can not get data.");
    }
    EndDragOver();
    DrawChanged(true);
    if (effect)
        *effect = result;
    if (m_owner)
        m_owner->BringToFront();
    return true;
}

void CProgramListLayer::Rebind()
{
    m_model = std::make_unique<CProgramListModel>(m_library);
    MakeOperations();
    m_fullRedraw = true;
}
