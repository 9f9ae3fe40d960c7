#include "editor/library/CGlobalEditCcMapPageLayer.h"

#include "app/AppText.h"
#include "app/CMapValueDialog.h"
#include "editor/controls/CCustomList.h"
#include "editor/controls/CCustomPageButton.h"
#include "editor/layout/GlobalEditLayout.h"
#include "editor/library/CGlobalEditHost.h"
#include "framework/CHfcBmp.h"
#include "framework/CHfcWindow.h"

#include <cstdio>

using namespace NvGlobalEditLayout;

namespace
{
constexpr int32_t kHighestNumber = 119;
constexpr uint32_t kListColour = 0xFF4A4A55;

// A width x height surface of one colour; null when it cannot be made.
std::unique_ptr<CHfcBmp> MakePlainBitmap(int32_t width, int32_t height, uint32_t argb)
{
    auto bitmap = std::make_unique<CHfcBmp>();
    if (!bitmap->Create(width, height))
        return nullptr;
    uint8_t* bits = bitmap->LockBits();
    if (!bits)
        return nullptr;
    const int32_t stride = bitmap->GetStride();
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
        {
            uint8_t* p = bits + static_cast<ptrdiff_t>(y) * stride + x * 4;
            p[0] = static_cast<uint8_t>(argb);
            p[1] = static_cast<uint8_t>(argb >> 8);
            p[2] = static_cast<uint8_t>(argb >> 16);
            p[3] = static_cast<uint8_t>(argb >> 24);
        }
    bitmap->UnlockBits();
    return bitmap;
}
} // namespace

CGlobalEditCcMapPageLayer::CGlobalEditCcMapPageLayer(CLibraryEntry* entry, CGlobalEditHost& host)
    : CGlobalBaseLayer(entry, host)
{
}

CGlobalEditCcMapPageLayer::~CGlobalEditCcMapPageLayer() = default;

std::string CGlobalEditCcMapPageLayer::FormatItem(const char* name, int32_t number)
{
    char text[kTextSize];
    if (number < 0 || number > kHighestNumber)
        std::snprintf(text, sizeof text, "%-28.28s : Off", name ? name : "");
    else
        std::snprintf(text, sizeof text, "%-28.28s : CC# %02d", name ? name : "", static_cast<int>(number));
    return text;
}

bool CGlobalEditCcMapPageLayer::CreateControls()
{
    CHfcCtrlPageButtonRecord tab;
    tab.x = kCcMapPageTab.x - kPanelX;
    tab.y = kCcMapPageTab.y - kPanelY;
    tab.width = kCcMapPageTab.width;
    tab.height = kCcMapPageTab.height;
    tab.background = m_background;
    tab.backgroundX = kCcMapPageTab.x;
    tab.backgroundY = kCcMapPageTab.y;
    tab.cellWidth = 75;
    tab.cellHeight = 16;
    tab.gap = 5;
    tab.font = m_fontWhite;
    tab.charWidth = 6;
    tab.charHeight = 9;
    tab.fillColor = 0xFF606060;
    tab.frameColor = 0xFF9B9B9B;
    m_pageTab = std::make_unique<CCustomPageButton>();
    if (!m_pageTab->Create(&tab, kPageTabId, CCustomControl::kEventValue))
        return false;
    char name[32];
    std::snprintf(name, sizeof name, "Page %d", 0);
    m_pageTab->AddPage(name);
    m_pageTab->SetListener(this);
    AddControl(m_pageTab.get(), false);
    m_pageTab->Show(false);

    CHfcCtrlListRecord list;
    list.x = 0;
    list.y = 0;
    list.width = kCcMapList.width;
    list.height = kCcMapList.height;
    m_listBackground = MakePlainBitmap(kCcMapList.width, kCcMapList.height, kListColour);
    list.background = m_listBackground.get();
    list.font = m_fontWhite;
    list.selectedFont = m_fontWhiteSelected;
    list.disabledFont = m_fontWhiteDim;
    list.charWidth = 6;
    list.charHeight = 9;
    list.columns = 3;
    list.rows = 32;
    list.textLeft = 6;
    // Centred: in the 354 pixels above the page tab a row is 11 pixels high, and a text 3
    // pixels down would lose the last row of the 9-pixel glyphs (the tails of g, p, y).
    list.orientation = 1;
    list.selectionColor = 0xFF9B9B9B;
    list.highlightColor = 0xFFFFE0DA;
    list.frameColor = 0x77FF5555;
    m_list = std::make_unique<CCustomList>();
    if (!m_list->Create(&list, kListId, CCustomControl::kEventValue))
        return false;
    m_list->SetGridColor(0xFF5C5C68);
    m_list->SetListener(this);
    AddControl(m_list.get(), false);
    m_list->Show(false);

    m_cached.assign(kCcMapItemCount, -1);
    for (int32_t i = 0; i < kCcMapItemCount; ++i)
        if (CHfcCtrlListItem* item = m_list->AddItem())
            item->userValue = static_cast<uint32_t>(i);
    m_list->SetScrollLine(0);
    m_page = 0;
    Refresh();
    return true;
}

CHfcKeyListener* CGlobalEditCcMapPageLayer::GetKeyTarget()
{
    return m_list.get();
}

void CGlobalEditCcMapPageLayer::DestroyControls()
{
    if (m_list)
        m_list->Destroy();
    if (m_pageTab)
        m_pageTab->Destroy();
    m_list.reset();
    m_pageTab.reset();
}

void CGlobalEditCcMapPageLayer::Refresh()
{
    if (!m_list)
        return;
    for (int32_t i = 0; i < kCcMapItemCount && i < m_list->GetItemCount(); ++i)
    {
        const int32_t v = GetValue(kMapGroup, static_cast<uint32_t>(i));
        if (m_cached[i] != -1 && m_cached[i] == v)
            continue;
        CHfcCtrlListItem* item = m_list->GetItem(i);
        item->SetText(FormatItem(GetName(kMapGroup, static_cast<uint32_t>(i)), v).c_str());
        item->dirty = true;
        m_cached[i] = v;
    }
    m_list->SetScrollLine(m_list->GetLinesPerPage() * m_page);
    RedrawAll();
}

std::string CGlobalEditCcMapPageLayer::GetItemText(int32_t entry) const
{
    CHfcCtrlListItem* item = m_list ? m_list->GetItem(entry) : nullptr;
    return item ? item->GetText() : std::string();
}

bool CGlobalEditCcMapPageLayer::RunValueDialog(int32_t entry)
{
    if (entry < 0 || entry >= kCcMapItemCount || !GetGlobal())
        return false;
    const uint32_t index = static_cast<uint32_t>(entry);
    CMapValueRecord record;
    record.caption = L"CC# Map";
    record.label = AnsiToWide(GetName(kMapGroup, index));
    // A number the list does not offer (96 to 101, or none) starts at Off.
    record.position = CMapValueDialog::GetPosition(GetValue(kMapGroup, index));
    CMapValueDialog dialog(record);
    if (dialog.DoModal(m_host.GetOwnerWindow()) != 1)
        return false;
    SetValue(kMapGroup, index, CMapValueDialog::GetCcNumber(record.position));
    ReportChange();
    return true;
}

void CGlobalEditCcMapPageLayer::ShowPage(int32_t page)
{
    if (!m_list || !m_pageTab)
        return;
    m_page = page;
    m_pageTab->SetValue(page);
    m_list->SetScrollLine(m_list->GetLinesPerPage() * page);
    RedrawControls(false);
}

void CGlobalEditCcMapPageLayer::OnValueChanged(CHfcControl* control, int32_t position)
{
    if (m_pageTab && control == static_cast<CHfcControl*>(m_pageTab.get()) && position >= 0 &&
        position < m_pageTab->GetPageCount())
        ShowPage(position);
}

void CGlobalEditCcMapPageLayer::OnControlEvent(CHfcControl* control, int32_t code, int32_t argument,
                                               void* data)
{
    if (!m_list || control != static_cast<CHfcControl*>(m_list.get()))
        return;
    switch (code)
    {
    case kListEventSelect:
        if (auto* item = static_cast<CHfcCtrlListItem*>(data))
            m_list->SetItemSelected(item->GetIndex(), argument != 0);
        break;
    case kListEventSelectionChanged:
    case 3:
        RedrawControls(false);
        break;
    case kListEventActivate:
        if (argument != -1)
            RunValueDialog(argument);
        break;
    case kListEventFocusMoved:
    {
        m_list->ScrollToItem(argument, 1);
        const int32_t lines = m_list->GetLinesPerPage();
        const int32_t page = lines > 0 ? m_list->GetScrollLine() / lines : 0;
        if (page != m_page)
            ShowPage(page);
        break;
    }
    default:
        break;
    }
}
