#pragma once

#include "editor/base/CEditLayerBase.h"

class CBlockAccessor;

// The block drag over OLE: a block leaves as one drag item in its kind's registered block
// format, with an opaque white image of the control's size, and a drop reads every item in one
// of those formats whose bytes are a block. Window thread only.
class COleBlockDragTransport : public CBlockDragTransport
{
public:
    // The accessor (not owned) must have registered its formats and outlive the transport.
    explicit COleBlockDragTransport(const CBlockAccessor& blocks) : m_blocks(blocks) {}

    bool RunBlockDrag(CHfcControl& control, const CBlockData& block, int32_t offsetX,
                      int32_t offsetY) override;
    std::vector<CBlockData> GetBlocks(CHfcDragData* data) override;

    // The drag item of a block; false for a kind without a registered format.
    bool AddBlockItem(CHfcDragData& data, const CBlockData& block) const;
    // What a drag of the block from the control carries: its item and an opaque white image of
    // the control's size.
    bool MakeBlockDrag(CHfcControl& control, const CBlockData& block, CHfcDragData& data) const;

private:
    const CBlockAccessor& m_blocks;
};
