#include "editor/pages/CKnobAssignMenu.h"

#include "foundation/EfUtility.h"
#include "synthdata/CZmValueText.h"

namespace
{
// Category items carry ids above every value's, so that no choice can be mistaken for one.
constexpr UINT kCategoryIdBase = 0x1000;

void Text(const char* keyword, int64_t n, char* buffer, size_t size)
{
    CZmValueText::FormatKeyword(keyword, n, buffer, size);
}
} // namespace

CKnobAssignMenu::CKnobAssignMenu(int32_t current, bool lfo1Synced, bool lfo2Synced)
    : m_current(current), m_lfo1Synced(lfo1Synced), m_lfo2Synced(lfo2Synced)
{
}

CKnobAssignMenu::~CKnobAssignMenu()
{
    DestroyMenus();
}

bool CKnobAssignMenu::Build()
{
    DestroyMenus();
    char text[256] = {};
    try
    {
        m_top = std::make_unique<CPopupMenu>();
        m_top->Create();
        Text("KnobAssignCategory", 0, text, sizeof text);
        if (!m_top->AppendItemA(1, text))
            throw "Failed to add the Off item.";
        int32_t value = 1;
        for (uint32_t c = 0; c < kCategoryCount; ++c)
        {
            auto menu = std::make_unique<CPopupMenu>();
            menu->Create();
            for (uint32_t p = 0; p < kCategorySizes[c]; ++p, ++value)
            {
                if (value == kLfo1Frequency && m_lfo1Synced)
                    Text("KnobAssignLfoSync", 0, text, sizeof text);
                else if (value == kLfo2Frequency && m_lfo2Synced)
                    Text("KnobAssignLfoSync", 1, text, sizeof text);
                else
                    Text("KnobAssign", value, text, sizeof text);
                if (!menu->AppendItemA(static_cast<UINT>(value + 1), text))
                    throw "Failed to add a value item.";
                if (value == m_current)
                    menu->CheckItem(static_cast<UINT>(value + 1));
            }
            Text("KnobAssignCategory", c + 1, text, sizeof text);
            if (!m_top->AppendItemA(kCategoryIdBase + c, text))
                throw "Failed to add a category item.";
            MENUITEMINFOW item = {};
            item.cbSize = sizeof item;
            item.fMask = MIIM_SUBMENU;
            item.hSubMenu = menu->GetMenu();
            if (!SetMenuItemInfoW(m_top->GetMenu(), c + 1, TRUE, &item))
                throw "Failed to attach a category menu.";
            m_categories[c] = std::move(menu);
        }
    }
    catch (const char* reason)
    {
        DebugTrace("CKnobAssignMenu::Build() - %s", reason);
        DestroyMenus();
        return false;
    }
    return true;
}

int32_t CKnobAssignMenu::Show(int32_t x, int32_t y, HWND window)
{
    if (!Build())
        return -1;
    const int chosen = m_top->Track(x, y, window);
    DestroyMenus();
    return chosen >= 0 && chosen < static_cast<int>(kValueCount) ? chosen : -1;
}

void CKnobAssignMenu::DestroyMenus()
{
    // Each submenu is destroyed by its own object: detached first, so that destroying the top
    // menu does not destroy it a second time.
    if (m_top && m_top->GetMenu())
        for (uint32_t c = 0; c < kCategoryCount; ++c)
        {
            MENUITEMINFOW item = {};
            item.cbSize = sizeof item;
            item.fMask = MIIM_SUBMENU;
            item.hSubMenu = nullptr;
            SetMenuItemInfoW(m_top->GetMenu(), c + 1, TRUE, &item);
        }
    for (auto& menu : m_categories)
        menu.reset();
    m_top.reset();
}
