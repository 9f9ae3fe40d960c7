// The library window's global page in a plain window standing in for the library window: its
// grid and CC map sub-pages on a library's global entry, the map dialog through the scripted
// presenter, the instrument's global data received and written through the MIDI manager, global
// files through scripted paths, and the revert.
#include "../base/EditorWindowFixture.h"

#include "app/AppResources.h"
#include "app/AppText.h"
#include "app/CDialogFlag.h"
#include "app/CFileManager.h"
#include "app/CMapValueDialog.h"
#include "app/Notifications.h"
#include "editor/controls/CCustomButton.h"
#include "editor/controls/CCustomEditText.h"
#include "editor/controls/CCustomList.h"
#include "editor/controls/CCustomPageButton.h"
#include "editor/controls/CCustomStaticText.h"
#include "editor/layout/GlobalEditLayout.h"
#include "editor/library/CGlobalEditCcMapPageLayer.h"
#include "editor/library/CGlobalEditGlobalPageLayer.h"
#include "editor/library/CGlobalEditLayer.h"
#include "framework/CHfcFileDialogUnicode.h"
#include "resources/AppDialogIds.h"
#include "synthdata/CLibraryData.h"
#include "synthdata/CQ3580GlobalAccessor.h"

#include "support/Screenshot.h"
#include "support/ScriptedDialogPresenter.h"
#include "support/TempFolder.h"

#include <deque>
#include <set>

namespace
{
const intptr_t kDocumentId = 51;

using Bytes = std::vector<uint8_t>;

Bytes ImageOf(const CGlobal* global)
{
    return Bytes(global->GetImage(), global->GetImage() + global->GetImageSize());
}

// Answers each file dialog with the next scripted path (empty: Cancel).
class ScriptedPaths : public CFilePathProvider
{
public:
    bool RunDialog(CHfcFileDialogUnicode& dialog) override
    {
        std::wstring path;
        if (!answers.empty())
        {
            path = answers.front();
            answers.pop_front();
        }
        if (!path.empty())
            dialog.SetFilePath(path);
        dialog.Finish(!path.empty());
        return true;
    }
    std::deque<std::wstring> answers;
};

// Answers the value popups from a script.
class ScriptedPopups : public CEditorPopupPresenter
{
public:
    int32_t ChooseItem(HWND, int32_t, int32_t, const std::vector<std::string>& shown,
                       int32_t checkedItem) override
    {
        items = shown;
        checked = checkedItem;
        return answer;
    }
    std::vector<std::string> items;
    int32_t checked = -2;
    int32_t answer = -1;
};

// The library window's part: the global edit layer over its client area and one sub-page layer
// on the panel, replaced when notification 25 asks.
class GlobalPageWindow : public CBaseWindow, public CGlobalEditHost
{
public:
    GlobalPageWindow(CLibraryEntry* entry, const CGlobalEditServices& services)
        : CBaseWindow(kKindLibrary, nullptr), m_entry(entry), m_services(services)
    {
    }

    bool Open(CHfcMdiFrameWindow* frame)
    {
        if (!Create(0, 0, 794, 538, 1, nullptr, frame, "Global"))
            return false;
        RegisterWithWindowManager(this);
        return true;
    }

    CGlobalEditLayer* GetEditLayer() const { return static_cast<CGlobalEditLayer*>(GetMainLayer()); }
    CGlobalEditGlobalPageLayer* GetGlobalPage() const
    {
        return dynamic_cast<CGlobalEditGlobalPageLayer*>(m_sub);
    }
    CGlobalEditCcMapPageLayer* GetCcMapPage() const
    {
        return dynamic_cast<CGlobalEditCcMapPageLayer*>(m_sub);
    }

    HWND GetOwnerWindow() override { return GetHwnd(); }
    intptr_t GetDocumentId() override { return kDocumentId; }
    void MarkModified() override { ++modified; }
    void PostNotification(const CNotificationWords& w, void* sender) override
    {
        posted.push_back(std::to_string(w.code) + " " + std::to_string(w.p1) + " " + std::to_string(w.p2));
        ::PostNotification(EditorServices().windowManager, w.code, w.p1, w.p2, w.p3, w.p4, sender);
    }
    void ShowGlobalSubPage(int32_t page) override
    {
        if (m_sub)
            m_sub->Destroy();
        std::unique_ptr<CGlobalBaseLayer> layer;
        if (page == CGlobalEditLayer::kSubPageCcMap)
            layer = std::make_unique<CGlobalEditCcMapPageLayer>(m_entry, *this);
        else
            layer = std::make_unique<CGlobalEditGlobalPageLayer>(m_entry, *this);
        m_sub = nullptr;
        if (!layer->Create(NvGlobalEditLayout::kPanelX, NvGlobalEditLayout::kPanelY,
                           NvGlobalEditLayout::kPanelWidth, NvGlobalEditLayout::kPanelHeight, this) ||
            !layer->CreateControls())
            return;
        AddLayer(layer.get(), false);
        layer->Show(false);
        layer->RedrawAll();
        m_sub = layer.get();
        shownPages.push_back(page);
        SetFurtherLayer(std::move(layer));
    }
    void ActivateGlobalPage() override { ++activated; }

    bool OnWindowManagerNotify(CWindowManager* manager, uint32_t code, intptr_t p1, intptr_t p2, intptr_t p3,
                               intptr_t p4, void* sender) override
    {
        if (code == kNotifyShowGlobalSubPage && p1 == kDocumentId)
        {
            ShowGlobalSubPage(static_cast<int32_t>(p2));
            return true;
        }
        return CBaseWindow::OnWindowManagerNotify(manager, code, p1, p2, p3, p4, sender);
    }

    int modified = 0;
    int activated = 0;
    std::vector<std::string> posted;
    std::vector<int32_t> shownPages;

protected:
    bool OnCreate() override
    {
        if (!CBaseWindow::OnCreate())
            return false;
        auto layer = std::make_unique<CGlobalEditLayer>(m_entry, *this, m_services);
        if (!layer->Create(0, 0, 794, 538, this) || !layer->CreateControls())
            return false;
        AddLayer(layer.get(), false);
        layer->Show(false);
        SetMainLayer(std::move(layer));
        ShowGlobalSubPage(CGlobalEditLayer::kSubPageGlobal);
        return m_sub != nullptr;
    }

private:
    CLibraryEntry* m_entry;
    CGlobalEditServices m_services;
    CGlobalBaseLayer* m_sub = nullptr; // owned as the further layer
};

class GlobalEditTest : public EditorWindowTest
{
protected:
    void SetUp() override
    {
        SetResourceLanguage(kLanguageEnglish);
        EditorWindowTest::SetUp();
        if (HasFatalFailure())
            return;
        entry = library.AddEntry(CLibraryEntry::kKindGlobal);
        files.SetPathProvider(&paths);
        CGlobalEditServices services;
        services.midi = midi.get();
        services.files = &files;
        window = std::make_unique<GlobalPageWindow>(entry, services);
        ASSERT_TRUE(window->Open(frame.get()));
        ASSERT_TRUE(window->Show());
        ASSERT_NE(window->GetGlobalPage(), nullptr);
    }
    void TearDown() override
    {
        if (window)
            window->Close();
        window.reset();
        EditorWindowTest::TearDown();
        SetResourceLanguage(0);
    }
    // Picks a tab of the page tabs as a press reports it, then lets the host show the page.
    void PickTab(int32_t page)
    {
        CGlobalEditLayer* layer = window->GetEditLayer();
        layer->OnValueChanged(layer->GetPageTabs(), page);
        Deliver();
    }
    void Release(uint32_t button)
    {
        CGlobalEditLayer* layer = window->GetEditLayer();
        layer->OnValueChanged(layer->GetButton(button), 0);
    }
    std::vector<std::string> BoxTitles()
    {
        std::vector<std::string> titles;
        for (const auto& box : presenter.boxes)
            titles.push_back(WideToAnsi(box.title.c_str()));
        return titles;
    }
    int32_t Value(uint32_t group, uint32_t index)
    {
        return CZmGlobalAccessorSingleton::Get()->GetValue(entry->GetGlobal(), group, index);
    }

    ScriptedDialogPresenter presenter;
    ScriptedPaths paths;
    CFileManager files;
    TempFolder folder;
    CLibraryData library;
    CLibraryEntry* entry = nullptr;
    std::unique_ptr<GlobalPageWindow> window;
};

TEST_F(GlobalEditTest, TheGridShowsTheDefaultGlobalDataWithTheFourFixedFieldsDim)
{
    CGlobalEditGlobalPageLayer* page = window->GetGlobalPage();
    const struct
    {
        uint32_t row;
        const char* name;
        const char* text;
        bool enabled;
    } cells[] = {
        {1, "Master Tune", "440.0 Hz", true},
        {2, "Transpose", "+0", true},
        {3, "Velocity Curve", "Curve 4", true},
        {4, "Position", "Pre TG", true},
        {5, "LCD Backlight Mode", "On", true},
        {6, "Knob Mode", "Jump", true},
        {7, "Memory Protect", "On", false},
        {9, "Global MIDI Channel", "1", false},
        {10, "Local Control", "On", true},
        {11, "System Routing", "MIDI+USB", false},
        {12, "MIDI Clock", "Internal", true},
        {13, "MIDI Ctrl 1", "CC#16", true},
        {14, "MIDI Ctrl 2", "CC#02", true},
        {15, "MIDI Ctrl 3", "After Touch", true},
        {17, "Program Change", "Enable", true},
        {18, "Control Change", "Enable", true},
        {19, "Pitch Bend", "Enable", true},
        {20, "System Exclusive", "Enable", false},
        {22, "C", "  0", true},
        {23, "C#", "  0", true},
        {24, "D", "  0", true},
        {25, "D#", "  0", true},
        {26, "E", "  0", true},
        {27, "F", "  0", true},
        {28, "F#", "  0", true},
        {29, "G", "  0", true},
        {30, "G#", "  0", true},
        {31, "A", "  0", true},
        {32, "A#", "  0", true},
        {33, "B", "  0", true},
    };
    std::set<uint32_t> ids;
    for (uint32_t row = 0; row < NvGlobalEditLayout::kCellCount; ++row)
    {
        const NvGlobalCell& cell = NvGlobalEditLayout::kCells[row];
        CCustomEditText* field = page->GetField(row);
        if (cell.kind == NvGlobalCellKind::Heading)
        {
            EXPECT_EQ(field, nullptr) << row;
            continue;
        }
        ASSERT_NE(field, nullptr) << row;
        EXPECT_EQ(field->GetId(), row);
        EXPECT_TRUE(ids.insert(field->GetId()).second) << row;
        const NvLayoutRect r = NvGlobalEditLayout::FieldRect(cell);
        EXPECT_EQ(field->GetRect().left + NvGlobalEditLayout::kPanelX, r.x) << row;
        EXPECT_EQ(field->GetRect().top + NvGlobalEditLayout::kPanelY, r.y) << row;
        EXPECT_EQ(field->GetRect().GetWidth(), r.width) << row;
        if (CCustomStaticText* label = page->GetLabel(row))
        {
            EXPECT_TRUE(ids.insert(label->GetId()).second) << row;
            char name[64] = {};
            label->GetText(name, sizeof name);
            EXPECT_STREQ(name, cell.text) << row;
            EXPECT_EQ(label->GetRect().left + NvGlobalEditLayout::kPanelX,
                      NvGlobalEditLayout::LabelRect(cell).x);
        }
        else
            EXPECT_EQ(cell.kind, NvGlobalCellKind::ScaleKey) << row;
    }
    // Every field is in the table, in cell order.
    // 18 parameters with a name and a field, 12 scale keys.
    ASSERT_EQ(ids.size(), 18u * 2 + 12u);
    for (const auto& c : cells)
    {
        EXPECT_STREQ(NvGlobalEditLayout::kCells[c.row].text, c.name);
        EXPECT_EQ(page->GetFieldText(c.row), c.text) << c.name;
        EXPECT_EQ(page->GetField(c.row)->CCustomControl::IsEnabled(), c.enabled) << c.name;
        // Dim, not hidden.
        EXPECT_TRUE(page->GetField(c.row)->IsVisible()) << c.name;
    }
    // Row 17, Program Change: the name at (273, 279), the field at (420, 279), 84 wide.
    EXPECT_EQ(page->GetLabel(17)->GetRect().left + 28, 273);
    EXPECT_EQ(page->GetLabel(17)->GetRect().top + 139, 279);
    EXPECT_EQ(page->GetField(17)->GetRect().left + 28, 420);
    EXPECT_EQ(page->GetField(17)->GetRect().GetWidth(), 84);
}

TEST_F(GlobalEditTest, AReportedPositionIsMappedToItsValueBeforeItIsWritten)
{
    CGlobalEditGlobalPageLayer* page = window->GetGlobalPage();
    CCustomEditText* tune = page->GetField(1);
    // Master Tune spans -100 .. 100: the field's positions are not its values.
    ASSERT_NE(tune->ValueToPosition(-55), -55);
    page->OnValueChanged(tune, tune->ValueToPosition(-55));
    EXPECT_EQ(Value(0, 0), -55);
    EXPECT_EQ(page->GetFieldText(1), "434.5 Hz");
    EXPECT_EQ(window->modified, 1);
    EXPECT_EQ(window->posted, std::vector<std::string>{"17 51 -1"});

    // A scale key takes -63 .. 63 with the sensitivity 1.
    CCustomEditText* d = page->GetField(24);
    EXPECT_EQ(d->GetMinimum(), -63);
    EXPECT_EQ(d->GetMaximum(), 63);
    page->OnValueChanged(d, d->ValueToPosition(-5));
    EXPECT_EQ(Value(3, 2), -5);
    EXPECT_EQ(entry->GetGlobal()->GetImage()[18], 0xFB);
    EXPECT_EQ(page->GetFieldText(24), "- 5");

    // A dim field takes no report.
    CCustomEditText* channel = page->GetField(9);
    ASSERT_FALSE(channel->CCustomControl::IsEnabled());
    page->OnValueChanged(channel, channel->ValueToPosition(5));
    EXPECT_EQ(Value(1, 0), 0);
    EXPECT_EQ(window->modified, 2);

    // Another view's change reaches the fields through notification 17.
    CZmGlobalAccessorSingleton::Get()->SetValue(entry->GetGlobal(), 0, 1, -12);
    ::PostNotification(&windows, kNotifyGlobalChanged, kDocumentId, -1, -1, 0, nullptr);
    Deliver();
    EXPECT_EQ(page->GetFieldText(2), "-12");
}

TEST_F(GlobalEditTest, TheCcMapListsEveryEntryAndItsTextsFollowTheDataLayer)
{
    const struct
    {
        const char* name;
        int32_t number;
        const char* text;
    } texts[] = {
        {"Portamento", 5, "Portamento                   : CC# 05"},
        {"Portamento", 119, "Portamento                   : CC# 119"},
        {"Portamento", 120, "Portamento                   : Off"},
        {"Portamento", -1, "Portamento                   : Off"},
        {"Portamento", 0, "Portamento                   : CC# 00"},
        {"A name of more than twenty-eight characters", 7, "A name of more than twenty-e : CC# 07"},
    };
    for (const auto& t : texts)
        EXPECT_EQ(CGlobalEditCcMapPageLayer::FormatItem(t.name, t.number), t.text) << t.number;

    PickTab(CGlobalEditLayer::kSubPageCcMap);
    CGlobalEditCcMapPageLayer* map = window->GetCcMapPage();
    ASSERT_NE(map, nullptr);
    EXPECT_EQ(window->posted.back(), "25 51 1");
    ASSERT_EQ(map->GetList()->GetItemCount(), 65);
    EXPECT_EQ(map->GetItemText(0), "Portamento                   : CC# 05");
    for (int32_t i = 0; i < 65; ++i)
    {
        const int32_t v = Value(4, static_cast<uint32_t>(i));
        const char* name = CZmGlobalAccessorSingleton::Get()->GetName({4, static_cast<uint32_t>(i), 0});
        EXPECT_EQ(map->GetItemText(i), CGlobalEditCcMapPageLayer::FormatItem(name, v)) << i;
    }
    // The list ends above its page tab.
    EXPECT_LE(map->GetList()->GetRect().bottom, map->GetPageTab()->GetRect().top);
    EXPECT_EQ(map->GetPageTab()->GetRect().top + 139, 496);
    // The tab already shown posts 25 again; a value beside the two tabs does nothing.
    PickTab(CGlobalEditLayer::kSubPageCcMap);
    EXPECT_EQ(window->posted.back(), "25 51 1");
    const size_t posted = window->posted.size();
    PickTab(2);
    EXPECT_EQ(window->posted.size(), posted);
    EXPECT_EQ(window->shownPages, (std::vector<int32_t>{0, 1, 1}));
}

TEST_F(GlobalEditTest, TheMapDialogStoresTheChosenNumberAndOffAsNone)
{
    PickTab(CGlobalEditLayer::kSubPageCcMap);
    CGlobalEditCcMapPageLayer* map = window->GetCcMapPage();
    ASSERT_NE(map, nullptr);
    uint8_t* image = entry->GetGlobal()->GetImage();
    std::vector<int> openedAt;
    int choice = 0;
    int button = IDC_DIALOG_OK;
    presenter.onReady = [&](HWND dialog)
    {
        openedAt.push_back(ComboSelection(dialog, IDC_MAP_CHOICE));
        EXPECT_EQ(WindowText(dialog), L"CC# Map");
        SendDlgItemMessageW(dialog, IDC_MAP_CHOICE, CB_SETCURSEL, static_cast<WPARAM>(choice), 0);
        PressButton(dialog, button);
    };

    // Entry 0 holds CC 5 (position 6); "Off" stores 0xFF.
    choice = 0;
    EXPECT_TRUE(map->RunValueDialog(0));
    EXPECT_EQ(image[32], 0xFF);
    EXPECT_EQ(window->posted.back(), "17 51 -1");
    Deliver();
    EXPECT_EQ(map->GetItemText(0), "Portamento                   : Off");

    // Position 97 is CC 102.
    choice = 97;
    EXPECT_TRUE(map->RunValueDialog(1));
    EXPECT_EQ(image[33], 102);
    Deliver();
    EXPECT_NE(map->GetItemText(1).find(": CC# 102"), std::string::npos);

    // A number the list does not offer opens at Off, and OK keeps Off.
    image[34] = 98;
    choice = 0;
    EXPECT_TRUE(map->RunValueDialog(2));
    EXPECT_EQ(image[34], 0xFF);

    // Cancel changes nothing.
    const int modified = window->modified;
    button = IDC_DIALOG_CANCEL;
    choice = 10;
    EXPECT_FALSE(map->RunValueDialog(3));
    EXPECT_EQ(image[35], 0x09);
    EXPECT_EQ(window->modified, modified);
    // Each dialog opened at the stored number: CC 5, CC 3, none, CC 9.
    EXPECT_EQ(openedAt, (std::vector<int>{6, 4, 0, 10}));
    EXPECT_FALSE(map->RunValueDialog(65));
}

TEST_F(GlobalEditTest, ReceiveEditWriteAndRevertAgainstTheInstrument)
{
    const Bytes pattern = CSimInstrument::PatternGlobal();
    ASSERT_NE(pattern, ImageOf(entry->GetGlobal()));
    Release(CGlobalEditLayer::kReceiveId);
    ASSERT_EQ(ImageOf(entry->GetGlobal()), pattern);
    EXPECT_EQ(BoxTitles().at(0), "Receive Global Data");
    EXPECT_EQ(window->posted, std::vector<std::string>{"17 51 -1"});
    EXPECT_EQ(window->modified, 1);
    EXPECT_EQ(window->activated, 1);
    Deliver();
    CGlobalEditGlobalPageLayer* page = window->GetGlobalPage();
    char tune[256] = {};
    CZmGlobalAccessorSingleton::Get()->GetCurrentValueText(entry->GetGlobal(), {0, 0, 0}, tune, sizeof tune);
    EXPECT_EQ(page->GetFieldText(1), tune);

    // Master Tune from the grid, one CC map entry from the dialog.
    CCustomEditText* field = page->GetField(1);
    page->OnValueChanged(field, field->ValueToPosition(37));
    EXPECT_EQ(Value(0, 0), 37);
    PickTab(CGlobalEditLayer::kSubPageCcMap);
    CGlobalEditCcMapPageLayer* map = window->GetCcMapPage();
    ASSERT_NE(map, nullptr);
    presenter.onReady = [](HWND dialog)
    {
        SendDlgItemMessageW(dialog, IDC_MAP_CHOICE, CB_SETCURSEL, 41, 0);
        PressButton(dialog, IDC_DIALOG_OK);
    };
    ASSERT_TRUE(map->RunValueDialog(10));
    EXPECT_EQ(entry->GetGlobal()->GetImage()[42], 40);
    const Bytes edited = ImageOf(entry->GetGlobal());

    presenter.boxes.clear();
    ClearSent();
    Release(CGlobalEditLayer::kWriteId);
    EXPECT_EQ(BoxTitles().at(0), "Write Global Data");
    EXPECT_EQ(instrument->GetGlobal(), edited);
    EXPECT_EQ(window->activated, 2);

    // Revert: the received image, and notification 17 for the views.
    presenter.boxes.clear();
    EXPECT_TRUE(window->GetEditLayer()->RestoreGlobal());
    EXPECT_EQ(BoxTitles(), std::vector<std::string>{"Revert to Saved Global Data"});
    EXPECT_EQ(ImageOf(entry->GetGlobal()), pattern);
    Deliver();
    EXPECT_NE(map->GetItemText(10).find(CGlobalEditCcMapPageLayer::FormatItem("", pattern[42]).substr(28)),
              std::string::npos);

    // Cancelled, the revert and the receive leave the data alone.
    page = nullptr;
    entry->GetGlobal()->GetImage()[0] = 0x10;
    presenter.answers = {IDCANCEL, IDCANCEL};
    EXPECT_FALSE(window->GetEditLayer()->RestoreGlobal());
    EXPECT_FALSE(window->GetEditLayer()->ReceiveGlobal());
    EXPECT_EQ(entry->GetGlobal()->GetImage()[0], 0x10);
}

TEST_F(GlobalEditTest, SaveAndLoadAGlobalFileThroughThePageButtons)
{
    const auto path = folder.File("edited.nvrn_glob");
    CGlobalEditGlobalPageLayer* page = window->GetGlobalPage();
    CCustomEditText* transpose = page->GetField(2);
    page->OnValueChanged(transpose, transpose->ValueToPosition(7));
    const Bytes saved = ImageOf(entry->GetGlobal());
    paths.answers = {path.wstring()};
    Release(CGlobalEditLayer::kSaveId);
    ASSERT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(window->activated, 1);

    page->OnValueChanged(transpose, transpose->ValueToPosition(-3));
    EXPECT_EQ(Value(0, 1), -3);
    window->posted.clear();
    const int modified = window->modified;
    paths.answers = {path.wstring()};
    Release(CGlobalEditLayer::kLoadId);
    EXPECT_EQ(ImageOf(entry->GetGlobal()), saved);
    EXPECT_EQ(window->posted, std::vector<std::string>{"17 51 -1"});
    EXPECT_EQ(window->modified, modified + 1);
    Deliver();
    EXPECT_EQ(page->GetFieldText(2), "+7");

    // A cancelled open reads nothing and posts nothing; the revert goes back to the loaded file.
    paths.answers = {L""};
    window->posted.clear();
    Release(CGlobalEditLayer::kLoadId);
    EXPECT_TRUE(window->posted.empty());
    page->OnValueChanged(transpose, transpose->ValueToPosition(1));
    EXPECT_TRUE(window->GetEditLayer()->RestoreGlobal());
    EXPECT_EQ(ImageOf(entry->GetGlobal()), saved);
    EXPECT_EQ(window->activated, 3);
}

TEST_F(GlobalEditTest, ScreenshotsOfBothSubPages)
{
    CGlobalEditGlobalPageLayer* page = window->GetGlobalPage();
    CCustomEditText* key = page->GetField(23);
    page->OnValueChanged(key, key->ValueToPosition(12));
    Deliver();
    EXPECT_TRUE(SaveWindowScreenshot(window->GetHwnd(), "global_page_grid",
                                     [] { PumpUntil([] { return false; }, 300); }));
    PickTab(CGlobalEditLayer::kSubPageCcMap);
    ASSERT_NE(window->GetCcMapPage(), nullptr);
    EXPECT_EQ(window->GetEditLayer()->GetPageTabs()->GetValue(), 1);
    EXPECT_EQ(window->GetEditLayer()->GetSubPage(), 1);
    EXPECT_TRUE(SaveWindowScreenshot(window->GetHwnd(), "global_page_cc_map",
                                     [] { PumpUntil([] { return false; }, 300); }));
}

TEST_F(GlobalEditTest, AListFieldOffersItsValuesAndWritesOnlyAnotherChoice)
{
    ScriptedPopups popups;
    EditorServices().popups = &popups;
    CGlobalEditGlobalPageLayer* page = window->GetGlobalPage();
    // Velocity Curve: a list from its minimum, the stored value checked.
    CCustomEditText* curve = page->GetField(3);
    const int32_t minimum = curve->GetMinimum();
    popups.answer = 5;
    EXPECT_TRUE(page->OnControlLButtonDown(curve, 2, 2, 0));
    ASSERT_FALSE(popups.items.empty());
    EXPECT_EQ(popups.items[3 - minimum], "Curve 4");
    EXPECT_EQ(popups.checked, 3 - minimum);
    EXPECT_EQ(Value(0, 7), minimum + 5);
    EXPECT_EQ(window->posted, std::vector<std::string>{"17 51 -1"});
    // The current choice, or none, writes nothing.
    popups.answer = 5;
    EXPECT_TRUE(page->OnControlLButtonDown(curve, 2, 2, 0));
    popups.answer = -1;
    EXPECT_TRUE(page->OnControlLButtonDown(curve, 2, 2, 0));
    EXPECT_EQ(window->posted.size(), 1u);
    // A number field and a dim field open nothing.
    popups.items.clear();
    EXPECT_FALSE(page->OnControlLButtonDown(page->GetField(1), 2, 2, 0));
    EXPECT_FALSE(page->OnControlLButtonDown(page->GetField(7), 2, 2, 0));
    EXPECT_TRUE(popups.items.empty());
    EditorServices().popups = nullptr;
}

TEST_F(GlobalEditTest, WhileABoxIsOpenOnlyTheRevertAsks)
{
    CGlobalEditLayer* layer = window->GetEditLayer();
    {
        CDialogFlag open;
        paths.answers = {folder.File("never.nvrn_glob").wstring()};
        EXPECT_FALSE(layer->LoadGlobal());
        EXPECT_FALSE(layer->SaveGlobal());
        EXPECT_FALSE(layer->ReceiveGlobal());
        EXPECT_FALSE(layer->WriteGlobal());
        EXPECT_TRUE(presenter.boxes.empty());
        EXPECT_EQ(paths.answers.size(), 1u);
        EXPECT_TRUE(layer->RestoreGlobal());
        EXPECT_EQ(BoxTitles(), std::vector<std::string>{"Revert to Saved Global Data"});
    }
    EXPECT_EQ(window->activated, 0);
    EXPECT_TRUE(window->posted == std::vector<std::string>{"17 51 -1"});
}
} // namespace
