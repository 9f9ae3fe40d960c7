#include "editor/library/CProgramListLayer.h"

#include "app/AppCoreUtility.h"
#include "app/CMidiManager.h"
#include "app/CWindowManager.h"
#include "editor/base/CEditorServices.h"
#include "editor/base/CLayerLock.h"
#include "editor/layout/ProgramListLayout.h"
#include "editor/library/model/CProgramListGeometry.h"
#include "framework/CEfResourceManager.h"
#include "framework/CHfcBmp.h"
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

constexpr uint32_t kModifierShift = 1, kModifierControl = 2;
constexpr int32_t kMode1SwitchX = 396, kMode0SwitchX = 447, kSwitchY = 55;
constexpr int32_t kNumberX = 30, kNumberY = 49, kCategoryX = 30, kCategoryY = 68;

int32_t SwitchFrameHeight(const char* name)
{
    const NvSkinBitmap* geometry = FindSkinBitmap(name);
    return geometry ? geometry->frameHeight : 0;
}
} // namespace

CProgramListLayer::CProgramListLayer(CLibraryData& library)
    : m_library(library), m_model(std::make_unique<CProgramListModel>(library))
{
    m_background = GetBitmap(NvProgramListLayout::kPage.background);
    m_font = GetBitmap("LcdCharWhite");
    m_largeFont = GetBitmap("LcdCharLargeWhite");
    m_switch = GetBitmap("SwitchOnOff");
    m_switchFrameHeight = SwitchFrameHeight("SwitchOnOff");
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

void CProgramListLayer::SetListMode(uint32_t mode)
{
    if (mode >= Geometry::kListModeCount)
        return;
    m_model->SetListMode(mode);
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
        DrawSwitches();
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
    const CProgram& program = set->GetProgram(n);
    const char* texts[] = {nullptr, nullptr, nullptr, program.GetAuthor(), program.GetComment()};
    for (uint32_t field = 0; field < CProgramListModel::kInfoFieldCount; ++field)
    {
        if (!(fields & (1u << field)) || !texts[field])
            continue;
        const int32_t room = (right - textX) / Geometry::kCharWidth;
        if (room <= 0)
            break;
        const int32_t length = static_cast<int32_t>(strnlen(texts[field], 24));
        const int32_t shown = std::min(room, std::min<int32_t>(length, 16));
        surface->DrawBitmapText(textX, y + Geometry::kTextY, texts[field], shown, m_font,
                                NvSkinFont::kSmallWidth, NvSkinFont::kSmallHeight);
        textX += (17) * Geometry::kCharWidth;
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
                                    static_cast<int32_t>(label.size()), shown ? GetBitmap("LcdChar") : m_font,
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
    const std::string number = m_model->GetSelectedCount() == 1 ? m_model->GetSelectionNumberText() : "----";
    surface->DrawBitmapText(kNumberX, kNumberY, number.c_str(), static_cast<int32_t>(number.size()),
                            m_largeFont, NvSkinFont::kLargeWidth, NvSkinFont::kLargeHeight);
    std::string name = "--------";
    if (m_model->GetSelectedCount() == 1)
        if (const CProgramSet* set = m_library.GetProgramSet())
        {
            char text[16] = {};
            std::snprintf(
                text, sizeof text, "%-8.8s",
                set->GetProgram(static_cast<uint32_t>(m_model->GetFirstSelected())).GetProgramName());
            name = text;
        }
    surface->DrawBitmapText(kCategoryX, kCategoryY, name.c_str(), static_cast<int32_t>(name.size()), m_font,
                            NvSkinFont::kSmallWidth, NvSkinFont::kSmallHeight);
}

void CProgramListLayer::DrawSwitches()
{
    CHfcOffscreenContext* surface = GetOffscreen();
    if (!surface || !m_switch || m_switchFrameHeight <= 0)
        return;
    const uint32_t mode = m_model->GetListMode();
    const int32_t width = m_switch->GetWidth();
    // The first switch lights in mode 1, the second in mode 0; both are dark in mode 2. The
    // strip's frames: off, off pressed, on, on pressed.
    const int32_t lit = 2 * m_switchFrameHeight;
    surface->DrawBitmap(kMode1SwitchX, kSwitchY, width, m_switchFrameHeight, m_switch, 0,
                        mode == 1 ? lit : 0);
    surface->DrawBitmap(kMode0SwitchX, kSwitchY, width, m_switchFrameHeight, m_switch, 0,
                        mode == 0 ? lit : 0);
}

int32_t CProgramListLayer::HitTestModeSwitch(int32_t x, int32_t y) const
{
    if (!m_switch || y < kSwitchY || y >= kSwitchY + m_switchFrameHeight)
        return -1;
    const int32_t width = m_switch->GetWidth();
    if (x >= kMode1SwitchX && x < kMode1SwitchX + width)
        return 1;
    if (x >= kMode0SwitchX && x < kMode0SwitchX + width)
        return 0;
    return -1;
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
    DrawChanged(false);
}

void CProgramListLayer::ReceiveAll()
{
    CMidiManager* midi = EditorServices().midiManager;
    CLibraryEntry* entry = m_library.FindEntryByKind(CLibraryEntry::kKindProgramSet);
    if (!midi || !entry)
        return;
    uint32_t received = 0;
    const bool done = midi->RunReceiveAllPrograms(*entry, &received);
    // Programs that arrived before a failure or a cancel are in the set: the document changed.
    if (done || received > 0)
    {
        MarkModified();
        Post(kNotifyDataReplaced, m_data.documentId, -1, -1, CLibraryEntry::kKindProgramSet);
    }
}

void CProgramListLayer::TransmitAll()
{
    CMidiManager* midi = EditorServices().midiManager;
    CLibraryEntry* entry = m_library.FindEntryByKind(CLibraryEntry::kKindProgramSet);
    if (midi && entry)
        midi->RunWriteAllPrograms(*entry);
}

bool CProgramListLayer::OnWindowManagerNotify(CWindowManager*, uint32_t code, intptr_t p1, intptr_t,
                                              intptr_t p3, intptr_t, void* sender)
{
    switch (code)
    {
    case kNotifyProgramNameChanged:
    case kNotifyProgramRenamed:
        if (p1 >= 0 && p1 < 128)
            m_model->MarkRedraw(static_cast<uint32_t>(p1));
        m_model->UpdateHeld();
        DrawChanged(false);
        return true;
    case kNotifyParameterChanged:
        if (p3 != m_data.documentId || sender == this || p1 < 0 || p1 >= 128)
            return false;
        m_model->MarkRedraw(static_cast<uint32_t>(p1));
        m_model->UpdateHeld();
        DrawChanged(false);
        return true;
    case kNotifyProgramsReplaced:
    case kNotifyDataReplaced:
        if (p1 != m_data.documentId)
            return false;
        m_model->UpdateHeld();
        DrawChanged(true);
        return true;
    case kNotifyReloadProgramList:
        DrawChanged(true);
        return true;
    default:
        return false;
    }
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
    const int32_t modeSwitch = HitTestModeSwitch(x, y);
    if (modeSwitch >= 0)
    {
        // Pressing the lit switch again leaves both dark: the list shows all 128 at once.
        const uint32_t next = m_model->GetListMode() == static_cast<uint32_t>(modeSwitch)
                                  ? 2u
                                  : static_cast<uint32_t>(modeSwitch);
        SetListMode(next);
        return true;
    }
    return false;
}

bool CProgramListLayer::OnHfcMouseLeftUp(CHfcMouse*, int32_t x, int32_t y, uint32_t)
{
    if (!IsTransferIdle())
        return true;
    const int32_t n = Geometry::HitTestRow(m_model->GetListMode(), m_model->GetBank(), x, y);
    m_model->ReleaseLeft(n);
    DrawChanged(false);
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

bool CProgramListLayer::OnHfcMouseMove(CHfcMouse*, int32_t, int32_t, uint32_t)
{
    return false;
}

bool CProgramListLayer::OnHfcKeyDown(CHfcKey*, uint32_t code, uint32_t)
{
    if (!IsTransferIdle())
        return true;
    CProgramListKey key;
    switch (code)
    {
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
    if (m_model->MoveByKey(key) < 0)
        return true;
    DrawChanged(bank != m_model->GetBank());
    return true;
}

void CProgramListLayer::Rebind()
{
    m_model = std::make_unique<CProgramListModel>(m_library);
    m_fullRedraw = true;
}
