#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CHfcOffscreenContext;

// Drop effects as the framework counts them, in listeners and in DoDragDrop's result.
enum : uint32_t
{
    kHfcDropEffectNone = 0,
    kHfcDropEffectMove = 1,
    kHfcDropEffectCopy = 2,
    kHfcDropEffectLink = 3,
    // The item format of a dropped file (CF_HDROP).
    kHfcDragFormatFile = 15,
};

// One item of a drag payload: bytes in a registered clipboard format, or a file.
struct CHfcDragItem
{
    uint32_t format = 0;
    const uint8_t* data = nullptr; // not owned by the item; null for a file
    uint32_t size = 0;             // 0 for a file
    uint32_t position = 0;         // the item's index when it was added
    std::wstring path;             // a file item's path; empty otherwise
};

// What a drag carries: the items in insertion order and an optional drag image. The sender's
// item bytes stay the sender's; a payload built by a drop target owns copies of its bytes.
class CHfcDragData
{
public:
    static constexpr uint32_t kAppendPosition = 0xFFFFFFFFu;

    CHfcDragData();
    ~CHfcDragData();
    CHfcDragData(const CHfcDragData&) = delete;
    CHfcDragData& operator=(const CHfcDragData&) = delete;

    // Position kAppendPosition means the current item count.
    bool AddItem(uint32_t format, const void* data, uint32_t size, uint32_t position = kAppendPosition);
    // The same with a copy of the bytes that the payload keeps.
    bool AddItemCopy(uint32_t format, const void* data, uint32_t size, uint32_t position = kAppendPosition);
    bool AddFileItem(const std::wstring& path, uint32_t position = kAppendPosition);

    size_t GetItemCount() const { return m_items.size(); }
    // Null for an index out of range.
    const CHfcDragItem* GetItem(size_t index) const;
    // 0 for an index out of range.
    uint32_t GetItemFormat(size_t index) const;
    uint32_t GetItemSize(size_t index) const;
    // Copies the item's bytes into buffer; false for an index out of range or a size other
    // than the item's, so that a payload of another size is never read as this one.
    bool GetItemData(size_t index, void* buffer, size_t size) const;
    // The first item's format; 0 when empty.
    uint32_t GetFirstFormat() const;

    // Makes the drag image surface, for the caller to draw on; End releases it.
    bool Begin(int32_t width, int32_t height);
    void End();
    CHfcOffscreenContext* GetImage() const { return m_image.get(); }
    bool HasImage() const { return m_image != nullptr; }

    // Runs a modal OLE drag of this payload; the effect the drop target reported (0 when the
    // drag was cancelled, refused or failed). The offsets place the image under the cursor.
    uint32_t DoDragDrop(int32_t xOffset, int32_t yOffset);

private:
    std::vector<CHfcDragItem> m_items;
    std::vector<std::unique_ptr<uint8_t[]>> m_copies; // bytes of AddItemCopy's items
    std::unique_ptr<CHfcOffscreenContext> m_image;
};

// OleInitialize / OleUninitialize for the application's thread, at start-up and shutdown.
// Windows register drop targets only while OLE is initialised.
bool InitializeOleDragDrop();
void UninitializeOleDragDrop();
bool IsOleDragDropInitialized();

// OLE's DROPEFFECT bits and the framework's effects.
uint32_t OleToHfcDropEffect(uint32_t oleEffect);
uint32_t HfcToOleDropEffect(uint32_t effect);
