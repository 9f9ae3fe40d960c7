#pragma once

// One record per notification code: the only place where a notification's arguments are put into
// their words and read back. Posters make a record and post it (Notify::Post); listeners read the
// record of a code they handle from the words they were given (Notify::Read).

#include "app/CWindowManager.h"

#include <cstdint>
#include <optional>

// A notification's code and its four argument words, as the window manager carries them.
struct CNotificationWords
{
    uint32_t code = 0;
    intptr_t p1 = 0, p2 = 0, p3 = 0, p4 = 0;
};

namespace Notify
{

// A notification that carries no arguments.
template <typename Record, uint32_t Code> struct Signal
{
    static constexpr uint32_t kCode = Code;
    CNotificationWords Words() const { return {Code, 0, 0, 0, 0}; }
    static Record From(const CNotificationWords&) { return Record{}; }
};

// 0: a library's save, save as, open or import finished.
struct FileOperationDone : Signal<FileOperationDone, kNotifyFileOperationDone>
{
};

// 1: a program was received from the instrument.
struct ProgramReceived
{
    static constexpr uint32_t kCode = kNotifyProgramReceived;
    int32_t program = -1;
    CNotificationWords Words() const { return {kCode, program, -1, 0, 0}; }
    static ProgramReceived From(const CNotificationWords& w) { return {static_cast<int32_t>(w.p1)}; }
};

// 2: the name of a program changed; the document is -1 when the poster does not know it.
struct ProgramNameChanged
{
    static constexpr uint32_t kCode = kNotifyProgramNameChanged;
    int32_t program = -1;
    intptr_t document = -1;
    CNotificationWords Words() const { return {kCode, program, -1, document, -1}; }
    static ProgramNameChanged From(const CNotificationWords& w) { return {static_cast<int32_t>(w.p1), w.p3}; }
};

// 3: the library window renamed a program.
struct ProgramRenamed
{
    static constexpr uint32_t kCode = kNotifyProgramRenamed;
    int32_t program = -1;
    CNotificationWords Words() const { return {kCode, program, 0, 0, 0}; }
    static ProgramRenamed From(const CNotificationWords& w) { return {static_cast<int32_t>(w.p1)}; }
};

// 4: retitle.
struct Retitle : Signal<Retitle, kNotifyRetitle>
{
};

// 7: a parameter of a program of a document changed; `all` when every parameter may have (a
// receive), `reloaded` the program a Prev/Next step moved to, else -1.
struct ParameterChanged
{
    static constexpr uint32_t kCode = kNotifyParameterChanged;
    static constexpr intptr_t kAll = 0x8000;
    int32_t program = -1;
    intptr_t document = 0;
    bool all = false;
    int32_t reloaded = -1;
    CNotificationWords Words() const { return {kCode, program, all ? kAll : -1, document, reloaded}; }
    static ParameterChanged From(const CNotificationWords& w)
    {
        return {static_cast<int32_t>(w.p1), w.p3, w.p2 == kAll, static_cast<int32_t>(w.p4)};
    }
    bool IsFor(intptr_t doc, int32_t n) const { return document == doc && program == n; }
};

// 12: Show Values switched.
struct ShowValuesSwitched : Signal<ShowValuesSwitched, kNotifyShowValuesSwitched>
{
};

// 13: the value display refreshes all its items.
struct RefreshValues
{
    static constexpr uint32_t kCode = kNotifyRefreshValues;
    CNotificationWords Words() const { return {kCode, -1, 0, 0, 0}; }
    static RefreshValues From(const CNotificationWords&) { return {}; }
};

// 14: a program of a document was edited.
struct DocumentEdited
{
    static constexpr uint32_t kCode = kNotifyDocumentEdited;
    int32_t program = -1;
    intptr_t document = 0;
    CNotificationWords Words() const { return {kCode, program, 0, document, 0}; }
    static DocumentEdited From(const CNotificationWords& w) { return {static_cast<int32_t>(w.p1), w.p3}; }
};

// 15: a status-log line was added.
struct LogLineAdded : Signal<LogLineAdded, kNotifyLogLineAdded>
{
};

// 16: every program of a document was replaced.
struct ProgramsReplaced
{
    static constexpr uint32_t kCode = kNotifyProgramsReplaced;
    intptr_t document = 0;
    CNotificationWords Words() const { return {kCode, document, 0, 0, 0}; }
    static ProgramsReplaced From(const CNotificationWords& w) { return {w.p1}; }
};

// 17: the global data of a document changed.
struct GlobalChanged
{
    static constexpr uint32_t kCode = kNotifyGlobalChanged;
    intptr_t document = 0;
    CNotificationWords Words() const { return {kCode, document, -1, -1, 0}; }
    static GlobalChanged From(const CNotificationWords& w) { return {w.p1}; }
};

// 18: the programs or the global data of a document were replaced; `kind` the library entry's
// kind, -1 for both.
struct DataReplaced
{
    static constexpr uint32_t kCode = kNotifyDataReplaced;
    intptr_t document = 0;
    int32_t kind = -1;
    CNotificationWords Words() const { return {kCode, document, -1, -1, kind}; }
    static DataReplaced From(const CNotificationWords& w) { return {w.p1, static_cast<int32_t>(w.p4)}; }
};

// 19: the windows of a program of a document move to program `next` (Prev/Next Program). Words
// without the reload mark (p2 1) name no new program.
struct ProgramReloaded
{
    static constexpr uint32_t kCode = kNotifyProgramReloaded;
    int32_t program = -1;
    intptr_t document = 0;
    int32_t next = -1;
    CNotificationWords Words() const { return {kCode, program, 1, document, next}; }
    static ProgramReloaded From(const CNotificationWords& w)
    {
        return {static_cast<int32_t>(w.p1), w.p3, w.p2 == 1 ? static_cast<int32_t>(w.p4) : -1};
    }
};

// 20: the modified tracking of a document off or on.
struct ModifiedTracking
{
    static constexpr uint32_t kCode = kNotifyModifiedTracking;
    intptr_t document = 0;
    bool on = true;
    CNotificationWords Words() const { return {kCode, document, on ? 1 : 0, -1, -1}; }
    static ModifiedTracking From(const CNotificationWords& w) { return {w.p1, w.p2 != 0}; }
};

// 21: a refresh the poster asked of itself (the sender tells it apart).
struct RefreshSelf : Signal<RefreshSelf, kNotifyRefreshSelf>
{
};

// 25: a library window shows a global sub-page.
struct ShowGlobalSubPage
{
    static constexpr uint32_t kCode = kNotifyShowGlobalSubPage;
    intptr_t document = 0;
    int32_t subPage = 0;
    CNotificationWords Words() const { return {kCode, document, subPage, 0, 0}; }
    static ShowGlobalSubPage From(const CNotificationWords& w) { return {w.p1, static_cast<int32_t>(w.p2)}; }
};

// 26: the program list is drawn again.
struct ReloadProgramList : Signal<ReloadProgramList, kNotifyReloadProgramList>
{
};

// 29: a message overlay shows its message (posted to itself).
struct ShowOverlayMessage : Signal<ShowOverlayMessage, kNotifyShowOverlayMessage>
{
};

// The record of its code from the words a listener was given, or nothing for another code.
template <typename Record>
std::optional<Record> Read(uint32_t code, intptr_t p1, intptr_t p2, intptr_t p3, intptr_t p4)
{
    if (code != Record::kCode)
        return std::nullopt;
    return Record::From({code, p1, p2, p3, p4});
}

// Posts the record to every listener, or to one.
template <typename Record> bool Post(CWindowManager* manager, const Record& record, void* sender)
{
    const CNotificationWords w = record.Words();
    return PostNotification(manager, w.code, w.p1, w.p2, w.p3, w.p4, sender);
}
template <typename Record>
bool PostTo(CWindowManager* manager, CWindowManagerListener* target, const Record& record, void* sender)
{
    const CNotificationWords w = record.Words();
    return PostNotificationTo(manager, target, w.code, w.p1, w.p2, w.p3, w.p4, sender);
}

} // namespace Notify
