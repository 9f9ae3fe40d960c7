#include "framework/CHfcDragData.h"

#include "framework/CHfcDataObject.h"
#include "framework/CHfcDropSource.h"
#include "framework/CHfcOffscreenContext.h"

#include "foundation/EfUtility.h"

#include <windows.h>
#include <ole2.h>
#include <shlobj.h>

#include <cstring>
#include <map>
#include <new>

namespace
{
bool g_oleInitialized = false; // window thread only

// A DROPFILES block of the file items, with wide paths.
HGLOBAL MakeFileDrop(const std::vector<const CHfcDragItem*>& files)
{
    size_t characters = 1; // the list's closing NUL
    for (const CHfcDragItem* item : files)
        characters += item->path.size() + 1;
    HGLOBAL handle =
        GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + characters * sizeof(wchar_t));
    auto* drop = handle != nullptr ? static_cast<DROPFILES*>(GlobalLock(handle)) : nullptr;
    if (drop == nullptr)
    {
        if (handle != nullptr)
            GlobalFree(handle);
        return nullptr;
    }
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    auto* text = reinterpret_cast<wchar_t*>(drop + 1);
    for (const CHfcDragItem* item : files)
    {
        std::memcpy(text, item->path.c_str(), item->path.size() * sizeof(wchar_t));
        text += item->path.size() + 1;
    }
    GlobalUnlock(handle);
    return handle;
}

bool PutOnDataObject(IDataObject* object, uint32_t format, LONG index, HGLOBAL handle)
{
    FORMATETC etc = {static_cast<CLIPFORMAT>(format), nullptr, DVASPECT_CONTENT, index, TYMED_HGLOBAL};
    STGMEDIUM medium = {};
    medium.tymed = TYMED_HGLOBAL;
    medium.hGlobal = handle;
    if (FAILED(object->SetData(&etc, &medium, TRUE)))
    {
        GlobalFree(handle);
        return false;
    }
    return true;
}

// Every item on the data object: bytes in their formats (items sharing a format told apart by
// lindex), all file items as one CF_HDROP.
bool FillDataObject(IDataObject* object, const std::vector<CHfcDragItem>& items)
{
    std::map<uint32_t, LONG> perFormat;
    std::vector<const CHfcDragItem*> files;
    for (const CHfcDragItem& item : items)
    {
        if (item.format == kHfcDragFormatFile)
        {
            files.push_back(&item);
            continue;
        }
        HGLOBAL handle = GlobalAlloc(GMEM_MOVEABLE, item.size);
        void* bytes = handle != nullptr ? GlobalLock(handle) : nullptr;
        if (bytes == nullptr)
        {
            if (handle != nullptr)
                GlobalFree(handle);
            DebugTrace("CHfcDragData::DoDragDrop() - %s", "Failed to GlobalAlloc()");
            return false;
        }
        if (item.size > 0)
            std::memcpy(bytes, item.data, item.size);
        GlobalUnlock(handle);
        if (!PutOnDataObject(object, item.format, perFormat[item.format]++, handle))
        {
            DebugTrace("CHfcDragData::DoDragDrop() - %s", "Failed to SetData()");
            return false;
        }
    }
    if (!files.empty())
    {
        HGLOBAL drop = MakeFileDrop(files);
        if (drop == nullptr || !PutOnDataObject(object, CF_HDROP, -1, drop))
        {
            DebugTrace("CHfcDragData::DoDragDrop() - %s", "Failed to SetData()");
            return false;
        }
    }
    return true;
}

// The shell's drag image from the payload's surface; null where the system has no helper.
IDragSourceHelper* StartDragImage(CHfcOffscreenContext* image, IDataObject* object, int32_t x, int32_t y)
{
    IDragSourceHelper* helper = nullptr;
    if (FAILED(CoCreateInstance(CLSID_DragDropHelper, nullptr, CLSCTX_INPROC_SERVER, IID_IDragSourceHelper,
                                reinterpret_cast<void**>(&helper))))
        return nullptr;
    SHDRAGIMAGE drag = {};
    drag.sizeDragImage.cx = image->GetWidth();
    drag.sizeDragImage.cy = image->GetHeight();
    drag.ptOffset.x = -x;
    drag.ptOffset.y = -y;
    drag.hbmpDragImage = image->GetBitmap()->CopyToDibSection(0, 0, image->GetWidth(), image->GetHeight());
    drag.crColorKey = RGB(0xFF, 0x00, 0xFF);
    // On success the helper owns the bitmap.
    if (drag.hbmpDragImage == nullptr || FAILED(helper->InitializeFromBitmap(&drag, object)))
    {
        if (drag.hbmpDragImage != nullptr)
            DeleteObject(drag.hbmpDragImage);
        helper->Release();
        return nullptr;
    }
    return helper;
}
} // namespace

bool InitializeOleDragDrop()
{
    if (g_oleInitialized)
        return true;
    if (FAILED(OleInitialize(nullptr)))
    {
        DebugTrace("InitializeOleDragDrop() - %s", "Failed to OleInitialize().");
        return false;
    }
    g_oleInitialized = true;
    return true;
}

void UninitializeOleDragDrop()
{
    if (!g_oleInitialized)
        return;
    OleUninitialize();
    g_oleInitialized = false;
}

bool IsOleDragDropInitialized()
{
    return g_oleInitialized;
}

uint32_t OleToHfcDropEffect(uint32_t oleEffect)
{
    if (oleEffect & DROPEFFECT_MOVE)
        return kHfcDropEffectMove;
    if (oleEffect & DROPEFFECT_COPY)
        return kHfcDropEffectCopy;
    if (oleEffect & DROPEFFECT_LINK)
        return kHfcDropEffectLink;
    return kHfcDropEffectNone;
}

uint32_t HfcToOleDropEffect(uint32_t effect)
{
    switch (effect)
    {
    case kHfcDropEffectMove:
        return DROPEFFECT_MOVE;
    case kHfcDropEffectCopy:
        return DROPEFFECT_COPY;
    case kHfcDropEffectLink:
        return DROPEFFECT_LINK;
    default:
        return DROPEFFECT_NONE;
    }
}

CHfcDragData::CHfcDragData() = default;
CHfcDragData::~CHfcDragData() = default;

bool CHfcDragData::AddItem(uint32_t format, const void* data, uint32_t size, uint32_t position)
{
    if (data == nullptr && size > 0)
        return false;
    CHfcDragItem item;
    item.format = format;
    item.data = static_cast<const uint8_t*>(data);
    item.size = size;
    item.position = position == kAppendPosition ? static_cast<uint32_t>(m_items.size()) : position;
    m_items.push_back(std::move(item));
    return true;
}

bool CHfcDragData::AddItemCopy(uint32_t format, const void* data, uint32_t size, uint32_t position)
{
    if (data == nullptr && size > 0)
        return false;
    std::unique_ptr<uint8_t[]> copy(new (std::nothrow) uint8_t[size > 0 ? size : 1]);
    if (!copy)
        return false;
    if (size > 0)
        std::memcpy(copy.get(), data, size);
    m_copies.push_back(std::move(copy));
    return AddItem(format, m_copies.back().get(), size, position);
}

bool CHfcDragData::AddFileItem(const std::wstring& path, uint32_t position)
{
    CHfcDragItem item;
    item.format = kHfcDragFormatFile;
    item.position = position == kAppendPosition ? static_cast<uint32_t>(m_items.size()) : position;
    item.path = path;
    m_items.push_back(std::move(item));
    return true;
}

const CHfcDragItem* CHfcDragData::GetItem(size_t index) const
{
    return index < m_items.size() ? &m_items[index] : nullptr;
}

uint32_t CHfcDragData::GetItemFormat(size_t index) const
{
    return index < m_items.size() ? m_items[index].format : 0;
}

uint32_t CHfcDragData::GetItemSize(size_t index) const
{
    return index < m_items.size() ? m_items[index].size : 0;
}

bool CHfcDragData::GetItemData(size_t index, void* buffer, size_t size) const
{
    if (index >= m_items.size() || buffer == nullptr || m_items[index].size != size)
        return false;
    if (size > 0)
        std::memcpy(buffer, m_items[index].data, size);
    return true;
}

uint32_t CHfcDragData::GetFirstFormat() const
{
    return m_items.empty() ? 0 : m_items.front().format;
}

bool CHfcDragData::Begin(int32_t width, int32_t height)
{
    m_image = std::make_unique<CHfcOffscreenContext>(width, height);
    return m_image->GetBitmap() != nullptr;
}

void CHfcDragData::End()
{
    m_image.reset();
}

uint32_t CHfcDragData::DoDragDrop(int32_t xOffset, int32_t yOffset)
{
    auto* object = new (std::nothrow) CHfcDragWin32DataObject();
    if (object == nullptr)
    {
        DebugTrace("CHfcDragData::DoDragDrop() - %s", "Can't allocate memory for CHfcDragWin32DataObject.");
        return kHfcDropEffectNone;
    }
    if (!FillDataObject(object, m_items))
    {
        object->Release();
        return kHfcDropEffectNone;
    }
    auto* source = new (std::nothrow) CHfcDragWin32DropSource();
    if (source == nullptr)
    {
        DebugTrace("CHfcDragData::DoDragDrop() - %s", "Can't alloc memory for CHfcDragWin32DropSource.");
        object->Release();
        return kHfcDropEffectNone;
    }
    IDragSourceHelper* helper = m_image ? StartDragImage(m_image.get(), object, xOffset, yOffset) : nullptr;
    DWORD effect = DROPEFFECT_NONE;
    const HRESULT result =
        ::DoDragDrop(object, source, DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK, &effect);
    // What the target's Drop answered: a target that refuses at the drop leaves no effect, so the
    // caller never removes a source that nothing took.
    const uint32_t answer = result == DRAGDROP_S_DROP ? OleToHfcDropEffect(effect) : kHfcDropEffectNone;
    if (FAILED(result))
        DebugTrace("CHfcDragData::DoDragDrop() - %s (0x%08lx)", "DoDragDrop failed.",
                   static_cast<unsigned long>(result));
    if (helper)
        helper->Release();
    source->Release();
    object->Release();
    return answer;
}
