#include "FrameworkTestSupport.h"
#include "framework/CHfcDataObject.h"
#include "framework/CHfcDragData.h"
#include "framework/CHfcDropSource.h"
#include "framework/CHfcDropTarget.h"
#include "framework/CHfcWindow.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace
{
using Bytes = std::vector<uint8_t>;

// What a drop brought, item by item.
struct ReceivedItem
{
    uint32_t format;
    uint32_t position;
    Bytes bytes;
    std::wstring path;
};

// A window that answers every drag with a fixed effect and records what arrives.
class DropWindow : public CHfcWindow
{
public:
    bool OnHfcDragEnter(CHfcDragData*, uint32_t, int32_t, int32_t, uint32_t, uint32_t* effect) override
    {
        ++enters;
        *effect = answer;
        return true;
    }
    bool OnHfcDragOver(CHfcDragData*, uint32_t, int32_t, int32_t, uint32_t, uint32_t* effect) override
    {
        ++overs;
        *effect = answer;
        return true;
    }
    bool OnHfcDragLeave(CHfcDragData*) override
    {
        ++leaves;
        return true;
    }
    bool OnHfcDrop(CHfcDragData* data, uint32_t, int32_t x, int32_t y, uint32_t modifiers,
                   uint32_t* effect) override
    {
        ++drops;
        dropPoint = {x, y};
        dropModifiers = modifiers;
        items.clear();
        for (size_t i = 0; i < data->GetItemCount(); ++i)
        {
            const CHfcDragItem* item = data->GetItem(i);
            ReceivedItem r{item->format, item->position, Bytes(item->size), item->path};
            if (item->size > 0)
            {
                EXPECT_TRUE(data->GetItemData(i, r.bytes.data(), r.bytes.size()));
            }
            EXPECT_FALSE(data->GetItemData(i, r.bytes.data(), r.bytes.size() + 1)) << "a larger read";
            items.push_back(r);
        }
        *effect = answer;
        return true;
    }

    uint32_t answer = kHfcDropEffectCopy;
    int enters = 0, overs = 0, leaves = 0, drops = 0;
    POINT dropPoint = {};
    uint32_t dropModifiers = 0;
    std::vector<ReceivedItem> items;
};

Bytes ProgramItem(uint32_t source)
{
    Bytes item(640);
    for (size_t i = 0; i < item.size(); ++i)
        item[i] = static_cast<uint8_t>(i * 3 + source);
    item[0] = static_cast<uint8_t>(source);
    item[1] = item[2] = item[3] = 0;
    return item;
}

POINT CentreOf(HWND window)
{
    RECT r;
    GetWindowRect(window, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// Two windows side by side on the test display, OLE initialised for their lifetime. The real
// drags move the display's cursor, so these tests run alone (framework_tests_serial).
class OleDragTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (std::getenv("NV_TEST_SERIAL") == nullptr)
            GTEST_SKIP() << "runs in framework_tests_serial";
        ASSERT_TRUE(InitializeOleDragDrop());
        ASSERT_TRUE(
            source.Create(60, 60, 240, 160, "Drag source", CHfcWindow::kStyleCaption, nullptr, nullptr));
        ASSERT_TRUE(
            target.Create(420, 60, 240, 160, "Drop target", CHfcWindow::kStyleCaption, nullptr, nullptr));
        source.Show();
        target.Show();
        PumpUntil([] { return false; }, 50);
        SetCursorPos(CentreOf(source.GetHwnd()).x, CentreOf(source.GetHwnd()).y);
        format = RegisterClipboardFormatA("x7400DragProgram");
        otherFormat = RegisterClipboardFormatA("x7400Timbre");
        ASSERT_NE(format, 0u);
    }
    void TearDown() override
    {
        SetDragStepScript(nullptr);
        source.Destroy();
        target.Destroy();
        UninitializeOleDragDrop();
    }

    // A scripted user: the button held while the cursor moves onto the target, released once
    // the target has seen the drag move over it; Escape instead when asked, or when the target
    // never sees the drag.
    void Script(bool pressEscape)
    {
        steps = 0;
        const POINT to = CentreOf(target.GetHwnd());
        SetDragStepScript(
            [this, to, pressEscape](BOOL& escape, DWORD& keyState)
            {
                ++steps;
                keyState = MK_LBUTTON;
                escape = FALSE;
                if (steps == 1)
                    SetCursorPos(to.x, to.y);
                else if (pressEscape || steps > 300)
                    escape = TRUE;
                else if (target.overs > 0)
                    keyState = 0;
            });
    }

    DropWindow source;
    DropWindow target;
    uint32_t format = 0;
    uint32_t otherFormat = 0;
    int steps = 0;
};
} // namespace

// Items of one drag format and of another arrive in the other window in their order, with
// their bytes and positions; the copy the target answered is the drag's result.
TEST_F(OleDragTest, ItemsOfDragFormatsMoveBetweenTwoWindows)
{
    const Bytes first = ProgramItem(3), second = ProgramItem(4), timbre(128, 0x77);
    CHfcDragData data;
    ASSERT_TRUE(data.AddItem(format, first.data(), 640));
    ASSERT_TRUE(data.AddItem(format, second.data(), 640));
    ASSERT_TRUE(data.AddItem(otherFormat, timbre.data(), 128));
    ASSERT_TRUE(data.Begin(64, 16)); // a drag image where the system can show one
    Script(false);

    EXPECT_EQ(data.DoDragDrop(4, 4), kHfcDropEffectCopy);
    EXPECT_GE(target.enters, 1);
    EXPECT_EQ(target.drops, 1);
    EXPECT_EQ(source.drops, 0);
    ASSERT_EQ(target.items.size(), 3u);
    EXPECT_EQ(target.items[0].format, format);
    EXPECT_EQ(target.items[0].bytes, first);
    EXPECT_EQ(target.items[1].format, format);
    EXPECT_EQ(target.items[1].bytes, second);
    EXPECT_EQ(target.items[2].format, otherFormat);
    EXPECT_EQ(target.items[2].bytes, timbre);
    for (uint32_t i = 0; i < 3; ++i)
        EXPECT_EQ(target.items[i].position, i);
    // The listener's point is in its client coordinates.
    POINT expected = CentreOf(target.GetHwnd());
    ScreenToClient(target.GetHwnd(), &expected);
    EXPECT_EQ(target.dropPoint.x, expected.x);
    EXPECT_EQ(target.dropPoint.y, expected.y);
}

// Files in a drag become one CF_HDROP; they arrive as file items with their Unicode paths.
TEST_F(OleDragTest, FilesArriveAsFileItemsWithUnicodePaths)
{
    const std::vector<std::wstring> paths = {L"C:\\音色\\リード.nvrn_prog", L"C:\\lib\\a.nvrn_all",
                                             L"C:\\lib\\Ünïcode b.nvrn_glob"};
    CHfcDragData data;
    for (const std::wstring& path : paths)
        ASSERT_TRUE(data.AddFileItem(path));
    Script(false);

    EXPECT_EQ(data.DoDragDrop(0, 0), kHfcDropEffectCopy);
    ASSERT_EQ(target.items.size(), 3u);
    for (uint32_t i = 0; i < 3; ++i)
    {
        EXPECT_EQ(target.items[i].format, kHfcDragFormatFile);
        EXPECT_EQ(target.items[i].position, i);
        EXPECT_TRUE(target.items[i].bytes.empty());
        EXPECT_EQ(target.items[i].path, paths[i]);
    }
}

// Escape ends the drag without a drop; a target that refuses (effect none) gets no drop either,
// and the drag reports no effect, so the source keeps what it offered.
TEST_F(OleDragTest, CancelledAndRefusedDragsReportNone)
{
    const Bytes item = ProgramItem(0);
    CHfcDragData data;
    ASSERT_TRUE(data.AddItem(format, item.data(), 640));

    Script(true);
    EXPECT_EQ(data.DoDragDrop(0, 0), kHfcDropEffectNone);
    EXPECT_EQ(target.drops, 0);

    SetCursorPos(CentreOf(source.GetHwnd()).x, CentreOf(source.GetHwnd()).y);
    target.answer = kHfcDropEffectNone;
    Script(false);
    EXPECT_EQ(data.DoDragDrop(0, 0), kHfcDropEffectNone);
    EXPECT_GE(target.overs, 1);
    EXPECT_EQ(target.drops, 0);
}

TEST(CHfcDragWin32DropSource, EscapeOrBothButtonsCancelReleaseDropsAButtonContinues)
{
    const struct
    {
        BOOL escape;
        DWORD keys;
        HRESULT result;
    } cases[] = {
        {FALSE, MK_LBUTTON, S_OK},
        {FALSE, MK_RBUTTON | MK_SHIFT, S_OK},
        {FALSE, 0, DRAGDROP_S_DROP},
        {FALSE, MK_CONTROL, DRAGDROP_S_DROP},
        {FALSE, MK_LBUTTON | MK_RBUTTON, DRAGDROP_S_CANCEL},
        {TRUE, MK_LBUTTON, DRAGDROP_S_CANCEL},
        {TRUE, 0, DRAGDROP_S_CANCEL},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CHfcDragWin32DropSource::Decide(c.escape, c.keys), c.result) << c.escape << " " << c.keys;
}

TEST(HfcDropEffect, OleBitsMapToTheFrameworksNumbers)
{
    EXPECT_EQ(OleToHfcDropEffect(DROPEFFECT_NONE), kHfcDropEffectNone);
    EXPECT_EQ(OleToHfcDropEffect(DROPEFFECT_MOVE), kHfcDropEffectMove);
    EXPECT_EQ(OleToHfcDropEffect(DROPEFFECT_COPY), kHfcDropEffectCopy);
    EXPECT_EQ(OleToHfcDropEffect(DROPEFFECT_LINK), kHfcDropEffectLink);
    for (uint32_t effect = 0; effect <= 3; ++effect)
        EXPECT_EQ(OleToHfcDropEffect(HfcToOleDropEffect(effect)), effect);
    EXPECT_EQ(HfcToOleDropEffect(7), static_cast<uint32_t>(DROPEFFECT_NONE));
}

// A data object holds several items of one format apart; what it hands out are copies.
TEST(CHfcDragWin32DataObject, KeepsItemsOfOneFormatApartAndHandsOutCopies)
{
    auto* object = new CHfcDragWin32DataObject();
    const UINT format = RegisterClipboardFormatA("x7400DragProgram");
    for (LONG i = 0; i < 2; ++i)
    {
        HGLOBAL handle = GlobalAlloc(GMEM_MOVEABLE, 4);
        *static_cast<uint32_t*>(GlobalLock(handle)) = 100 + static_cast<uint32_t>(i);
        GlobalUnlock(handle);
        FORMATETC etc = {static_cast<CLIPFORMAT>(format), nullptr, DVASPECT_CONTENT, i, TYMED_HGLOBAL};
        STGMEDIUM medium = {};
        medium.tymed = TYMED_HGLOBAL;
        medium.hGlobal = handle;
        ASSERT_EQ(object->SetData(&etc, &medium, TRUE), S_OK);
    }
    std::unique_ptr<CHfcDragData> payload = CHfcDragWin32DropTarget::ReadPayload(object);
    ASSERT_TRUE(payload);
    ASSERT_EQ(payload->GetItemCount(), 2u);
    uint32_t value = 0;
    ASSERT_TRUE(payload->GetItemData(0, &value, 4));
    EXPECT_EQ(value, 100u);
    ASSERT_TRUE(payload->GetItemData(1, &value, 4));
    EXPECT_EQ(value, 101u);

    FORMATETC any = {static_cast<CLIPFORMAT>(format), nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    EXPECT_EQ(object->QueryGetData(&any), S_OK);
    FORMATETC absent = {CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    EXPECT_EQ(object->QueryGetData(&absent), DV_E_FORMATETC);
    STGMEDIUM copy = {};
    ASSERT_EQ(object->GetData(&any, &copy), S_OK);
    *static_cast<uint32_t*>(GlobalLock(copy.hGlobal)) = 7; // changes only the copy
    GlobalUnlock(copy.hGlobal);
    ReleaseStgMedium(&copy);
    payload = CHfcDragWin32DropTarget::ReadPayload(object);
    ASSERT_TRUE(payload->GetItemData(0, &value, 4));
    EXPECT_EQ(value, 100u);
    EXPECT_EQ(object->Release(), 0u);
}
