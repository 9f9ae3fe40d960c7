#include "editor/base/COleBlockDragTransport.h"

#include "app/CBlockAccessor.h"
#include "framework/CHfcControl.h"
#include "framework/CHfcDragData.h"
#include "framework/CHfcOffscreenContext.h"

bool COleBlockDragTransport::AddBlockItem(CHfcDragData& data, const CBlockData& block) const
{
    const uint32_t format = m_blocks.GetClipboardFormat(block.GetBlockKind());
    if (format == 0 || block.GetSize() < CBlockData::kHeaderSize)
        return false;
    return data.AddItemCopy(format, block.GetData(), static_cast<uint32_t>(block.GetSize()));
}

bool COleBlockDragTransport::MakeBlockDrag(CHfcControl& control, const CBlockData& block, CHfcDragData& data) const
{
    if (!AddBlockItem(data, block))
        return false;
    const int32_t width = control.GetRect().GetWidth(), height = control.GetRect().GetHeight();
    if (width > 0 && height > 0 && data.Begin(width, height))
    {
        CHfcOffscreenContext* image = data.GetImage();
        CHfcRect all;
        all.Set(0, 0, width, height);
        image->SetBrushColor(0xFFFFFFFF);
        image->FillRect(all);
    }
    return true;
}

bool COleBlockDragTransport::RunBlockDrag(CHfcControl& control, const CBlockData& block, int32_t offsetX,
                                          int32_t offsetY)
{
    CHfcDragData data;
    if (!MakeBlockDrag(control, block, data))
        return false;
    data.DoDragDrop(offsetX, offsetY);
    data.End();
    return true;
}

std::vector<CBlockData> COleBlockDragTransport::GetBlocks(CHfcDragData* data)
{
    std::vector<CBlockData> blocks;
    if (!data)
        return blocks;
    for (size_t i = 0; i < data->GetItemCount(); ++i)
    {
        const uint32_t format = data->GetItemFormat(i);
        bool known = false;
        for (uint32_t kind = kBlockProgramSet; kind < kBlockKindCount && !known; ++kind)
            known = format != 0 && format == m_blocks.GetClipboardFormat(kind);
        const uint32_t size = data->GetItemSize(i);
        if (!known || size < CBlockData::kHeaderSize)
            continue;
        CBlockData block;
        if (!block.SetSize(size, false) || !data->GetItemData(i, block.GetData(), size))
            continue;
        // The pages check the kind and the payload size when they read it.
        blocks.push_back(std::move(block));
    }
    return blocks;
}
