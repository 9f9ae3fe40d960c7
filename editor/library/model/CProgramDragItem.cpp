#include "editor/library/model/CProgramDragItem.h"

#include "synthdata/CBlockData.h"

#include <cstring>

CProgramDragItem::CProgramDragItem(uint32_t source, const CProgram& program)
    : m_source(source < kProgramCount ? source : kProgramCount - 1)
{
    std::memcpy(m_block, &program.GetBlock(), kProgramBlockSize);
}

bool CProgramDragItem::Parse(const void* data, size_t size)
{
    if (data == nullptr || size != kItemSize)
        return false;
    const uint8_t* bytes = static_cast<const uint8_t*>(data);
    const uint32_t source = static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
                            static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
    if (source >= kProgramCount)
        return false;
    m_source = source;
    std::memcpy(m_block, bytes + kSourceSize, kProgramBlockSize);
    return true;
}

bool CProgramDragItem::ParseAll(const std::vector<std::vector<uint8_t>>& items,
                                std::vector<CProgramDragItem>& out)
{
    std::vector<CProgramDragItem> parsed(items.size());
    for (size_t i = 0; i < items.size(); ++i)
        if (!parsed[i].Parse(items[i].data(), items[i].size()))
            return false;
    out.swap(parsed);
    return true;
}

std::vector<uint8_t> CProgramDragItem::GetBytes() const
{
    std::vector<uint8_t> bytes(kItemSize);
    for (uint32_t i = 0; i < kSourceSize; ++i)
        bytes[i] = static_cast<uint8_t>(m_source >> (8 * i));
    std::memcpy(bytes.data() + kSourceSize, m_block, kProgramBlockSize);
    return bytes;
}

bool CProgramDragItem::MakeBlock(CBlockData& block) const
{
    return block.WriteBlockHeader(CBlockData::GetKindName(kBlockProgram), kBlockProgram, 0, 0, 0) &&
           block.Append(m_block, kProgramBlockSize);
}

bool CProgramDragItem::WriteTo(CProgram& program) const
{
    // The block data's program read holds the one rule for taking a foreign block.
    CBlockData block;
    return MakeBlock(block) && block.ReadProgram(program);
}
