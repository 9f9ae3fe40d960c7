#pragma once

#include "editor/library/CGlobalBaseLayer.h"

#include <memory>
#include <string>
#include <vector>

class CCustomList;
class CHfcBmp;
class CCustomPageButton;

// The CC# MAP sub-page: a list of the 65 CC number map entries, each "name : CC# nn" or
// "name : Off", a page tab under it, and the value dialog on an item's activation. Window
// thread only.
class CGlobalEditCcMapPageLayer : public CGlobalBaseLayer
{
public:
    enum : uint32_t
    {
        kPageTabId = 0,
        kListId = 1,
        kMapGroup = 4,
    };

    CGlobalEditCcMapPageLayer(CLibraryEntry* entry, CGlobalEditHost& host);
    ~CGlobalEditCcMapPageLayer() override;

    // "%-28.28s : CC# %02d", or "%-28.28s : Off" for a number below 0 or above 119.
    static std::string FormatItem(const char* name, int32_t number);

    bool CreateControls() override;
    // Items whose stored number changed take their new text.
    void Refresh() override;
    std::string GetItemText(int32_t entry) const;
    // The value dialog for an entry (0 to 64): OK stores the chosen number. False when it was
    // cancelled or could not run.
    bool RunValueDialog(int32_t entry);

    CCustomList* GetList() const { return m_list.get(); }
    // The list: the arrows move its selection, Enter opens the value dialog.
    CHfcKeyListener* GetKeyTarget() override;
    CCustomPageButton* GetPageTab() const { return m_pageTab.get(); }
    int32_t GetPage() const { return m_page; }

    void OnValueChanged(CHfcControl* control, int32_t position) override;
    void OnControlEvent(CHfcControl* control, int32_t code, int32_t argument, void* data) override;

protected:
    void DestroyControls() override;

private:
    void ShowPage(int32_t page);

    std::unique_ptr<CCustomPageButton> m_pageTab;
    std::unique_ptr<CCustomList> m_list;
    // The list's even ground: the page's background holds the grid's headings and keyboard.
    std::unique_ptr<CHfcBmp> m_listBackground;
    std::vector<int32_t> m_cached; // the number each item shows; -1 before the first fill
    int32_t m_page = 0;
};
