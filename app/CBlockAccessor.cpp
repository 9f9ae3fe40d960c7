#include "app/CBlockAccessor.h"

#include "synthdata/CBlockTransfer.h"
#include "synthdata/CLibraryData.h"

#include "framework/CHfcClipboard.h"
#include "framework/CHfcDragData.h"

#include "foundation/EfUtility.h"

#include <algorithm>
#include <string>
#include <vector>

namespace
{
const char* const kDragFormatNames[CBlockAccessor::kDragFormatCount] = {
    "x7400DragBank", "x7400DragProgram", "x7400DragDrum", "x7400Timbre",     "x7400Synth",
    "x7400IFx",      "x74001IFx",        "x7400MFx",      "x7400ModSeq",     "x74001ModSeq",
    "x7400StepSeq",  "x7400DrumInst",    "x7400Template", "x7400FormantRec",
};

// Block format names fill a 16-byte cell: 15 characters and the terminator.
const size_t kFormatNameLength = 15;

CBlockAccessor* g_accessor = nullptr; // window thread only
} // namespace

CBlockAccessor* GetBlockAccessor()
{
    return g_accessor;
}

void SetBlockAccessor(CBlockAccessor* accessor)
{
    g_accessor = accessor;
}

uint32_t GetBlockClipboardFormat(uint32_t kind)
{
    return g_accessor != nullptr ? g_accessor->GetClipboardFormat(kind) : 0;
}

CBlockAccessor::CBlockAccessor(CHfcClipboard& clipboard) : m_clipboard(clipboard) {}

bool CBlockAccessor::RegisterFormats()
{
    bool all = true;
    for (uint32_t kind = 0; kind < kBlockKindCount; ++kind)
    {
        m_formats[kind] = m_clipboard.RegisterFormat(GetFormatName(kind).c_str());
        all = all && m_formats[kind] != 0;
    }
    for (uint32_t n = 0; n < kDragFormatCount; ++n)
    {
        m_dragFormats[n] = m_clipboard.RegisterFormat(kDragFormatNames[n]);
        all = all && m_dragFormats[n] != 0;
    }
    if (!all)
        DebugTrace("CBlockAccessor::RegisterFormats() - %s", "Failed to register a clipboard format.");
    return all;
}

uint32_t CBlockAccessor::GetClipboardFormat(uint32_t kind) const
{
    return kind < kBlockKindCount ? m_formats[kind] : 0;
}

uint32_t CBlockAccessor::GetDragFormat(uint32_t format) const
{
    return format < kDragFormatCount ? m_dragFormats[format] : 0;
}

std::string CBlockAccessor::GetFormatName(uint32_t kind)
{
    const char* name = CBlockData::GetKindName(kind);
    if (name == nullptr)
        return std::string();
    std::string padded = name;
    padded.resize(kFormatNameLength, ' ');
    return padded;
}

const char* CBlockAccessor::GetDragFormatName(uint32_t format)
{
    return format < kDragFormatCount ? kDragFormatNames[format] : nullptr;
}

bool CBlockAccessor::IsKind(const CBlockData& block, uint32_t kind)
{
    return CBlockTransfer::IsKind(block, kind);
}

std::unique_ptr<CBlockData> CBlockAccessor::Copy(uint32_t kind, const CLibraryData& library, uint32_t program,
                                                 uint32_t index) const
{
    auto block = std::make_unique<CBlockData>();
    if (!CBlockTransfer::Copy(kind, library, program, index, *block))
        return nullptr;
    return block;
}

bool CBlockAccessor::Paste(const CBlockData& block, CLibraryData& library, uint32_t kind, uint32_t program,
                           uint32_t index) const
{
    return CBlockTransfer::Paste(block, library, kind, program, index);
}

bool CBlockAccessor::PutOnClipboard(HWND owner, uint32_t format, const void* data, size_t size)
{
    if (format == 0)
        return false;
    CHfcClipboardSession session(m_clipboard, owner);
    return session.IsOpen() && m_clipboard.Empty() && m_clipboard.SetData(format, data, size);
}

bool CBlockAccessor::CopyToClipboard(HWND owner, uint32_t kind, const CLibraryData& library, uint32_t program,
                                     uint32_t index)
{
    std::unique_ptr<CBlockData> block = Copy(kind, library, program, index);
    return block && PutOnClipboard(owner, GetClipboardFormat(kind), block->GetData(), block->GetSize());
}

bool CBlockAccessor::PasteFromClipboard(HWND owner, CLibraryData& library, uint32_t kind, uint32_t program,
                                        uint32_t index)
{
    const uint32_t format = GetClipboardFormat(kind);
    if (format == 0 || kind == kBlockNull)
        return false;
    std::vector<uint8_t> bytes;
    {
        CHfcClipboardSession session(m_clipboard, owner);
        if (!session.IsOpen() || !m_clipboard.IsFormatAvailable(format))
            return false;
        // No more than the longest content of the kind is read, whatever the clipboard holds.
        bytes.resize(std::min(m_clipboard.GetDataSize(format), CBlockTransfer::GetLargestContentSize(kind)));
        if (bytes.empty() || !m_clipboard.GetData(format, bytes.data(), bytes.size()))
            return false;
    }
    const size_t content = CBlockTransfer::GetContentSize(kind, bytes.data(), bytes.size());
    if (content == 0)
        return false;
    bytes.resize(content);
    if (kind == kBlockProgram && bytes.size() == CBlockTransfer::kProgramItemSize)
        return CBlockTransfer::PasteProgramItem(bytes.data(), bytes.size(), library, program);
    CBlockData block;
    return block.Append(bytes.data(), bytes.size()) && Paste(block, library, kind, program, index);
}

bool CBlockAccessor::IsOnClipboard(uint32_t kind) const
{
    return m_clipboard.IsFormatAvailable(GetClipboardFormat(kind));
}

bool CBlockAccessor::CopyProgramItemToClipboard(HWND owner, const CLibraryData& library, uint32_t source)
{
    const std::vector<uint8_t> item = CBlockTransfer::MakeProgramItem(library, source);
    return !item.empty() &&
           PutOnClipboard(owner, GetClipboardFormat(kBlockProgram), item.data(), item.size());
}

bool CBlockAccessor::AddProgramDragItem(CHfcDragData& data, const CLibraryData& library,
                                        uint32_t source) const
{
    const std::vector<uint8_t> item = CBlockTransfer::MakeProgramItem(library, source);
    const uint32_t format = GetClipboardFormat(kBlockProgram);
    return !item.empty() && format != 0 &&
           data.AddItemCopy(format, item.data(), static_cast<uint32_t>(item.size()));
}

bool CBlockAccessor::PasteProgramDragItem(const CHfcDragData& data, size_t item, CLibraryData& library,
                                          uint32_t program) const
{
    const CHfcDragItem* dropped = data.GetItem(item);
    if (dropped == nullptr || dropped->format == 0 || dropped->format != GetClipboardFormat(kBlockProgram))
        return false;
    switch (CBlockTransfer::ClassifyProgramPayload(dropped->size))
    {
    case CBlockTransfer::kProgramPayloadItem:
        return CBlockTransfer::PasteProgramItem(dropped->data, dropped->size, library, program);
    case CBlockTransfer::kProgramPayloadBlock:
    {
        CBlockData block;
        return block.Append(dropped->data, dropped->size) && Paste(block, library, kBlockProgram, program, 0);
    }
    default:
        return false;
    }
}
