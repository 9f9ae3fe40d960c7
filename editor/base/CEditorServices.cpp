#include "editor/base/CEditorServices.h"

#include "app/CPopupMenu.h"
#include "editor/pages/CKnobAssignMenu.h"
#include "foundation/EfUtility.h"

CEditorServices& EditorServices()
{
    static CEditorServices services;
    return services;
}

CEditorPopupPresenter& EditorPopups()
{
    static CEditorPopupPresenter menus;
    CEditorPopupPresenter* scripted = EditorServices().popups;
    return scripted ? *scripted : menus;
}

namespace
{
// A popup menu filled by `fill`, tracked at the point: what Track answers, or -1 when the menu
// cannot be made.
template <typename Fill> int32_t TrackPopup(HWND window, int32_t x, int32_t y, const char* caller, Fill fill)
{
    CPopupMenu menu;
    try
    {
        menu.Create();
    }
    catch (const char* reason)
    {
        DebugTrace("CEditorPopupPresenter::%s() - %s", caller, reason);
        return -1;
    }
    fill(menu);
    return menu.Track(x, y, window);
}
} // namespace

int32_t CEditorPopupPresenter::ChooseItem(HWND window, int32_t x, int32_t y,
                                          const std::vector<std::string>& items, int32_t checked)
{
    return TrackPopup(window, x, y, "ChooseItem",
                      [&](CPopupMenu& menu)
                      {
                          for (size_t i = 0; i < items.size(); ++i)
                              menu.AppendItemA(static_cast<UINT>(i + 1), items[i].c_str());
                          if (checked >= 0)
                              menu.CheckItem(static_cast<UINT>(checked + 1));
                      });
}

int32_t CEditorPopupPresenter::ChooseCheckedItem(HWND window, int32_t x, int32_t y,
                                                 const std::vector<std::wstring>& items, uint32_t checkedMask)
{
    return TrackPopup(window, x, y, "ChooseCheckedItem",
                      [&](CPopupMenu& menu)
                      {
                          for (size_t i = 0; i < items.size(); ++i)
                          {
                              menu.AddItem(items[i].c_str());
                              if (i < 32 && (checkedMask & (1u << i)))
                                  menu.CheckItem(static_cast<UINT>(i + 1));
                          }
                      });
}

int32_t CEditorPopupPresenter::ChooseKnobAssignment(HWND window, int32_t x, int32_t y, int32_t current,
                                                    bool lfo1Synced, bool lfo2Synced)
{
    CKnobAssignMenu menu(current, lfo1Synced, lfo2Synced);
    return menu.Show(x, y, window);
}
