#pragma once

// An edit page in a plain test window of a library window, inside the real frame with the
// simulated instrument (EditorWindowFixture.h), on a program of document 77, program 5.

#include "EditorWindowFixture.h"

#include "app/AppText.h"
#include "app/protocol/MidiProtocol.h"
#include "support/RecordingLibraryWindow.h"
#include "editor/base/CBaseWindow.h"
#include "synthdata/CProgram.h"
#include "synthdata/CQ3580IdConverter.h"
#include "synthdata/CQ3580ProgramAccessor.h"
#include "support/Screenshot.h"

#include <memory>
#include <string>
#include <vector>

// Hosts one page as its main layer, with the message overlay.
template <class Page> class PageWindow : public CBaseWindow
{
public:
    PageWindow(uint32_t kind, CBaseWindow* library) : CBaseWindow(kind, library) {}
    bool OnCreate() override
    {
        if (!CBaseWindow::OnCreate())
            return false;
        auto made = std::make_unique<Page>();
        if (!made->Create(this))
            return false;
        AddLayer(made.get(), false);
        made->Show(false);
        page = made.get();
        SetMainLayer(std::move(made));
        return CreateMessageLayer();
    }
    Page* page = nullptr;
};

class PopupScript : public CEditorPopupPresenter
{
public:
    int32_t ChooseItem(HWND, int32_t, int32_t, const std::vector<std::string>& shown,
                       int32_t checkedItem) override
    {
        items = shown;
        checked = checkedItem;
        ++calls;
        return answer;
    }
    int32_t ChooseCheckedItem(HWND, int32_t, int32_t, const std::vector<std::wstring>& shown, uint32_t) override
    {
        wideItems.clear();
        for (const std::wstring& item : shown)
            wideItems.push_back(WideToAnsi(item.c_str()));
        ++calls;
        return answer;
    }
    std::vector<std::string> items;
    std::vector<std::string> wideItems; // the texts of the last ChooseCheckedItem
    int32_t checked = -2;
    int32_t answer = -1;
    int calls = 0;
};

template <class Page, uint32_t Kind> class PageTest : public EditorWindowTest
{
protected:
    static constexpr int32_t kWindowWidth = 720, kWindowHeight = 580;

    void SetUp() override
    {
        EditorWindowTest::SetUp();
        GetSettings().autoDumpEnabled = false;
        // Room for the largest page with its window frame.
        ::SetWindowPos(frame->GetHwnd(), nullptr, 0, 0, 1000, 760, SWP_NOZORDER | SWP_NOMOVE);
        program.Init();
        PrepareProgram(program);
        ASSERT_TRUE(library.Create(0, 0, 200, 100, 9, nullptr, frame.get(), "Library"));
        CEditorWindowData data;
        data.entryKind = CEditorWindowData::kEntryProgramSet;
        data.documentId = 77;
        data.programIndex = 5;
        data.program = &program;
        window.SetData(data);
        ASSERT_TRUE(window.Create(10, 10, kWindowWidth, kWindowHeight, 9, nullptr, frame.get(), "Page"));
        ASSERT_NE(window.page, nullptr);
        EditorServices().popups = &popups;
        Deliver();
        ClearSent();
        library.modifiedCalls = 0;
    }
    void TearDown() override
    {
        window.Destroy();
        library.Destroy();
        EditorWindowTest::TearDown();
    }
    // The program the page opens on; INITPROG unless a test says otherwise.
    virtual void PrepareProgram(CProgram&) {}

    int32_t Value(const CZmParameterId& id)
    {
        return CZmProgramAccessorSingleton::Get()->GetValue(&program, id);
    }
    void SetProgramValue(const CZmParameterId& id, int32_t value)
    {
        CZmProgramAccessorSingleton::Get()->SetValue(&program, id, value);
    }

    // The 12-byte parameter change the instrument should hear for the id and value.
    static std::string ParameterChange(const CZmParameterId& id, int32_t value)
    {
        CZmDeviceAddress address;
        EXPECT_TRUE(CZmIdConverterSingleton::Get()->ToDeviceAddress(id, address));
        EXPECT_TRUE(address.IsValid());
        const auto low = [](int32_t v) { return static_cast<uint8_t>(v & 0x7F); };
        const auto high = [](int32_t v) { return static_cast<uint8_t>((v >> 7) & 0x7F); };
        const int32_t s = static_cast<int32_t>(address.hi), i = static_cast<int32_t>(address.lo);
        const uint8_t bytes[12] = {0xF0,          kSysExMakerId, static_cast<uint8_t>(0x30 | kChannel),
                                   kSysExModelId, 0x41,          low(s),
                                   high(s),       low(i),        high(i),
                                   low(value),    high(value),   0xF7};
        return HexBytes(bytes, 12);
    }
    // The program dumps among what was sent.
    size_t Dumps()
    {
        size_t n = 0;
        for (const std::string& line : Sent())
            n += line.size() > 100 ? 1 : 0;
        return n;
    }
    bool Screenshot(const char* name)
    {
        // The window's client area the size of the page.
        RECT outer = {}, client = {};
        ::GetWindowRect(window.GetHwnd(), &outer);
        ::GetClientRect(window.GetHwnd(), &client);
        const CHfcRect& page = window.page->GetRect();
        ::SetWindowPos(
            window.GetHwnd(), nullptr, 0, 0, page.GetWidth() + (outer.right - outer.left) - client.right,
            page.GetHeight() + (outer.bottom - outer.top) - client.bottom, SWP_NOZORDER | SWP_NOMOVE);
        window.page->RedrawControls(true);
        window.page->InvalidateAll(true);
        return SaveWindowScreenshot(window.GetHwnd(), name, [] { PumpUntil([] { return false; }, 300); });
    }

    CProgram program;
    RecordingLibraryWindow library;
    PageWindow<Page> window{Kind, &library};
    PopupScript popups;
};
