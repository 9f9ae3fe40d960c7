#pragma once

#include "synthdata/CBlockData.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

class CHfcClipboard;
class CHfcDragData;
class CLibraryData;

// Cut, copy, paste and drag of synthesizer data in the program's registered formats: the nine
// block formats (kind order) and the fourteen drag formats. The blocks themselves and every
// paste check are CBlockTransfer's; this class adds the formats and the clipboard. One
// instance exists, made at start-up after the clipboard. Window thread only.
class CBlockAccessor
{
public:
    enum DragFormat : uint32_t
    {
        kDragBank,
        kDragProgram,
        kDragDrum,
        kDragTimbre,
        kDragSynth,
        kDragIFx,
        kDrag1IFx,
        kDragMFx,
        kDragModSeq,
        kDrag1ModSeq,
        kDragStepSeq,
        kDragDrumInst,
        kDragTemplate,
        kDragFormantRec,
        kDragFormatCount,
    };

    // Uses the clipboard (not owned), which must outlive the accessor.
    explicit CBlockAccessor(CHfcClipboard& clipboard);

    // Registers the block and drag formats and keeps their ids; false when any registration
    // failed (that format's id stays 0 and nothing is pasted in it).
    bool RegisterFormats();

    // The format of kind 0-8; 0 for kind 9 or more.
    uint32_t GetClipboardFormat(uint32_t kind) const;
    uint32_t GetDragFormat(uint32_t format) const;
    // The name a block format is registered under: the kind's name padded with blanks to 15
    // characters.
    static std::string GetFormatName(uint32_t kind);
    static const char* GetDragFormatName(uint32_t format);

    static bool IsKind(const CBlockData& block, uint32_t kind);
    // The block of the kind from the library (see CBlockTransfer::Copy); null when the source
    // does not exist.
    std::unique_ptr<CBlockData> Copy(uint32_t kind, const CLibraryData& library, uint32_t program,
                                     uint32_t index) const;
    // See CBlockTransfer::Paste: a block that is not exactly of the kind changes nothing.
    bool Paste(const CBlockData& block, CLibraryData& library, uint32_t kind, uint32_t program,
               uint32_t index) const;

    // Puts the block of the kind on the clipboard in place of what was there.
    bool CopyToClipboard(HWND owner, uint32_t kind, const CLibraryData& library, uint32_t program,
                         uint32_t index);
    // Pastes the clipboard's data of the kind: its size is the one its content gives (a block
    // the system rounded up is taken); in the program format a 640-byte list item is pasted as
    // well as a block.
    bool PasteFromClipboard(HWND owner, CLibraryData& library, uint32_t kind, uint32_t program,
                            uint32_t index);
    bool IsOnClipboard(uint32_t kind) const;

    // The program list's clipboard item: program `source` as a 640-byte item in the program
    // format.
    bool CopyProgramItemToClipboard(HWND owner, const CLibraryData& library, uint32_t source);

    // Adds program `source` as a 640-byte item in the program format (the program list's drag
    // item); the payload keeps a copy of the bytes.
    bool AddProgramDragItem(CHfcDragData& data, const CLibraryData& library, uint32_t source) const;
    // Writes item `item` of a drop into program `program` when it is in the program format and
    // either a list item (640 bytes, source 0-127) or a program block (668 bytes); otherwise
    // nothing changes.
    bool PasteProgramDragItem(const CHfcDragData& data, size_t item, CLibraryData& library,
                              uint32_t program) const;

private:
    bool PutOnClipboard(HWND owner, uint32_t format, const void* data, size_t size);

    CHfcClipboard& m_clipboard;
    uint32_t m_formats[kBlockKindCount] = {};
    uint32_t m_dragFormats[kDragFormatCount] = {};
};

// The process-wide accessor; null while there is none.
CBlockAccessor* GetBlockAccessor();
void SetBlockAccessor(CBlockAccessor* accessor);
// The format of kind 0-8 of the process-wide accessor; 0 without one or for kind 9 or more.
uint32_t GetBlockClipboardFormat(uint32_t kind);
