#include "editor/library/CProgramListOperations.h"

#include "app/AppCoreUtility.h"
#include "app/AppMessageBox.h"
#include "app/CBlockAccessor.h"
#include "app/CFileManager.h"
#include "app/CMidiManager.h"
#include "app/CParameterChangeTarget.h"
#include "app/CPopupMenu.h"
#include "app/CProgramInfoDialog.h"
#include "app/CTDWResource.h"
#include "app/Notifications.h"
#include "editor/base/CEditorServices.h"
#include "editor/library/CProgramListHost.h"
#include "editor/library/model/CProgramListModel.h"
#include "foundation/win32/CEfSemaphore.h"
#include "synthdata/CBlockData.h"
#include "synthdata/CLibraryData.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

namespace
{
std::wstring Text(const std::string& key)
{
    return GetLocalizedString(key.c_str());
}

// A fixed-width field of the information record as text.
std::string FieldText(const char* field, size_t width)
{
    return std::string(field, strnlen(field, width));
}

void FillField(char* field, size_t width, const char* text)
{
    std::memset(field, 0, width);
    if (text != nullptr)
        std::memcpy(field, text, strnlen(text, width));
}
} // namespace

CProgramListOperations::CProgramListOperations(CProgramListModel& model, CLibraryData& library,
                                               CProgramListHost& host, const CProgramListServices& services)
    : m_model(model), m_library(library), m_host(host), m_services(services)
{
}

bool CProgramListOperations::Confirm(const char* operation)
{
    const std::string key(operation);
    return ShowMessageBox(kBoxTypeConfirm, Text("Title" + key).c_str(), Text("Confirm" + key).c_str()) ==
           kBoxResultOk;
}

std::vector<uint32_t> CProgramListOperations::GetSelectionOrZero() const
{
    std::vector<uint32_t> programs = m_model.GetSelection();
    if (programs.empty())
        programs.push_back(0);
    return programs;
}

CProgram& CProgramListOperations::GetProgram(uint32_t n)
{
    if (m_library.GetProgramSet() == nullptr)
        m_library.AddEntry(CLibraryEntry::kKindProgramSet);
    return m_library.GetProgramSet()->GetProgram(n);
}

// A close does not write the program, so after a bounded wait for a transfer on another thread it
// goes ahead: the window thread never waits on the semaphore without a limit.
void CProgramListOperations::WaitForTransfer()
{
    CEfSemaphore* progress = GetAppSemaphore(kSemaphoreProgress);
    if (progress != nullptr && progress->WaitTimeout(kProbeMs) == CHfcSemaphore::kSignalled)
        progress->Release();
}

void CProgramListOperations::CloseEditWindow(uint32_t n)
{
    WaitForTransfer();
    m_host.CloseEditWindow(n);
}

void CProgramListOperations::CloseAllEditWindows()
{
    WaitForTransfer();
    m_host.CloseAllEditWindows();
}

void CProgramListOperations::ShowChangedPrograms()
{
    m_model.UpdateHeld();
    m_model.MarkAllRedraw();
    m_host.RedrawRows();
    m_host.MarkModified();
    m_host.RefreshSelectionDisplay();
}

bool CProgramListOperations::ExportText()
{
    if (m_services.files == nullptr || !IsTransferIdle())
        return false;
    return m_services.files->SaveReport(m_library) == CFileRequest::kDone;
}

uint32_t CProgramListOperations::ReceivePrograms(const std::vector<uint32_t>& programs)
{
    uint32_t done = 0;
    for (uint32_t n : programs)
    {
        if (!m_services.midi->ReceiveProgram(GetProgram(n), static_cast<int32_t>(n)))
            break;
        CloseEditWindow(n);
        ++done;
    }
    return done;
}

uint32_t CProgramListOperations::TransmitPrograms(const std::vector<uint32_t>& programs)
{
    uint32_t done = 0;
    for (uint32_t n : programs)
    {
        if (!m_services.midi->TransmitProgram(GetProgram(n), static_cast<int32_t>(n)))
            break;
        ++done;
    }
    return done;
}

bool CProgramListOperations::ReceiveProgram()
{
    if (m_services.midi == nullptr || !IsTransferIdle() || !Confirm("ReceiveProgram"))
        return false;
    const std::vector<uint32_t> programs = GetSelectionOrZero();
    const uint32_t done = ReceivePrograms(programs);
    // The programs received before a failure are in the set: the window shows them and is
    // modified, so that they are neither hidden nor lost on close.
    if (done > 0)
        ShowChangedPrograms();
    return done == programs.size();
}

bool CProgramListOperations::TransmitProgram()
{
    if (m_services.midi == nullptr || !IsTransferIdle() || !Confirm("WriteProgram"))
        return false;
    const std::vector<uint32_t> programs = GetSelectionOrZero();
    return TransmitPrograms(programs) == programs.size();
}

bool CProgramListOperations::ReceiveSelected()
{
    if (m_services.midi == nullptr || !IsTransferIdle())
        return false;
    const uint32_t n = m_model.GetFirstSelectedOrZero();
    if (!Confirm("ReceiveProgram"))
        return false;
    if (!m_services.midi->ReceiveProgram(GetProgram(n), static_cast<int32_t>(n)))
    {
        ShowMessageBox(kBoxTypeOk, Text("TitleReceiveSelectedProgramFailed").c_str(),
                       m_services.midi->GetLastErrorText().c_str());
        return false;
    }
    CloseEditWindow(n);
    m_model.MarkRedraw(n);
    m_model.UpdateHeld();
    m_host.RedrawRows();
    m_host.RefreshSelectionDisplay();
    m_host.MarkModified();
    ShowMessageBox(kBoxTypeOk, Text("TitleReceiveSelectedProgram").c_str(),
                   Text("SuccessReceiveSelectedProgram").c_str());
    return true;
}

bool CProgramListOperations::TransmitSelected()
{
    if (m_services.midi == nullptr || !IsTransferIdle())
        return false;
    const uint32_t n = m_model.GetFirstSelectedOrZero();
    if (!Confirm("WriteProgram"))
        return false;
    if (!m_services.midi->TransmitProgram(GetProgram(n), static_cast<int32_t>(n)))
    {
        ShowMessageBox(kBoxTypeOk, Text("TitleTransmitSelectedProgramFailed").c_str(),
                       m_services.midi->GetLastErrorText().c_str());
        return false;
    }
    ShowMessageBox(kBoxTypeOk, Text("TitleTransmitSelectedProgram").c_str(),
                   Text("SuccessTransmitSelectedProgram").c_str());
    return true;
}

bool CProgramListOperations::ReceiveAllPrograms()
{
    CLibraryEntry* entry = m_library.FindEntryByKind(CLibraryEntry::kKindProgramSet);
    if (m_services.midi == nullptr || entry == nullptr || !IsTransferIdle() || !Confirm("ReceiveAllPrograms"))
        return false;
    uint32_t received = 0;
    const bool success = m_services.midi->RunReceiveAllPrograms(*entry, &received);
    // The programs arrive in order: the edit windows of those that did are closed, the others
    // still show what their programs hold.
    if (success)
        CloseAllEditWindows();
    else
        for (uint32_t n = 0; n < received; ++n)
            CloseEditWindow(n);
    if (success || received > 0)
        ShowChangedPrograms();
    return success;
}

bool CProgramListOperations::WriteAllPrograms()
{
    CLibraryEntry* entry = m_library.FindEntryByKind(CLibraryEntry::kKindProgramSet);
    if (m_services.midi == nullptr || entry == nullptr || !IsTransferIdle() || !Confirm("WriteAllPrograms"))
        return false;
    return m_services.midi->RunWriteAllPrograms(*entry);
}

bool CProgramListOperations::RestoreProgram()
{
    if (!IsTransferIdle())
        return false;
    const std::vector<uint32_t> programs = m_model.GetSelection();
    if (programs.empty() || !Confirm("RestoreProgram"))
        return false;
    const intptr_t document = m_host.GetDocumentId();
    for (uint32_t n : programs)
    {
        GetProgram(n).RevertBlock();
        CloseEditWindow(n);
        m_model.MarkRedraw(n);
        m_host.PostNotification(Notify::ParameterChanged{static_cast<int32_t>(n), document}.Words());
        m_host.PostNotification(Notify::ProgramNameChanged{static_cast<int32_t>(n), document}.Words());
    }
    ShowChangedPrograms();
    if (programs.size() == 1 && m_host.IsAutoDumpEnabled())
        m_host.RunAutoDump(programs.front());
    return true;
}

bool CProgramListOperations::Copy()
{
    if (m_services.blocks == nullptr || !IsTransferIdle())
        return false;
    const int32_t n = m_model.ReduceToFirst();
    if (n < 0)
        return false;
    m_host.RedrawRows();
    m_host.RefreshSelectionDisplay();
    return m_services.blocks->CopyProgramItemToClipboard(m_host.GetOwnerWindow(), m_library,
                                                         static_cast<uint32_t>(n));
}

bool CProgramListOperations::Paste()
{
    if (m_services.blocks == nullptr || !IsTransferIdle())
        return false;
    const int32_t first = m_model.ReduceToFirst();
    if (first < 0)
        return false;
    const uint32_t n = static_cast<uint32_t>(first);
    m_host.RedrawRows();
    m_host.RefreshSelectionDisplay();
    if (!m_services.blocks->IsOnClipboard(kBlockProgram))
        return false;
    // Pasted into a copy first: a refused clipboard item leaves the program and its edit window.
    CLibraryData pasted;
    CLibraryEntry* scratch = pasted.AddEntry(CLibraryEntry::kKindProgramSet);
    if (scratch == nullptr || scratch->GetProgramSet() == nullptr)
        return false;
    CProgram& copy = scratch->GetProgramSet()->GetProgram(n);
    copy = GetProgram(n);
    if (!m_services.blocks->PasteFromClipboard(m_host.GetOwnerWindow(), pasted, kBlockProgram, n, 0))
        return false;
    CloseEditWindow(n);
    GetProgram(n) = copy;
    // The pasted program is no longer the one the instrument's edits were meant for.
    ParameterChangeTarget().Clear();
    m_model.MarkRedraw(n);
    ShowChangedPrograms();
    return true;
}

bool CProgramListOperations::Initialize(bool confirm)
{
    if (!IsTransferIdle())
        return false;
    const std::vector<uint32_t> programs = m_model.GetSelection();
    if (programs.empty() || (confirm && !Confirm("InitializeProgram")))
        return false;
    for (uint32_t n : programs)
    {
        GetProgram(n).InitializeProgram();
        m_model.MarkRedraw(n);
        CloseEditWindow(n);
    }
    ShowChangedPrograms();
    return true;
}

bool CProgramListOperations::Rename()
{
    if (!IsTransferIdle() || IsDialogOpen())
        return false;
    const int32_t first = m_model.ReduceToFirst();
    m_host.RedrawRows();
    m_host.RefreshSelectionDisplay();
    if (first < 0)
        return false;
    const uint32_t n = static_cast<uint32_t>(first);
    CProgram& program = GetProgram(n);

    CProgramInfoRecord record;
    FillField(record.name, sizeof record.name, program.GetProgramName());
    FillField(record.programmer, sizeof record.programmer, program.GetAuthor());
    FillField(record.comment, sizeof record.comment, program.GetComment());
    record.nameSet = record.programmerSet = record.commentSet = true;
    const CProgramInfoRecord before = record;

    ReleaseCapture();
    CProgramInfoDialog dialog(record);
    const INT_PTR result = dialog.DoModal(m_host.GetOwnerWindow());
    if (result == CProgramInfoDialog::kResultMultiByte)
    {
        ShowMessageBox(kBoxTypeWarning, Text("ErrorDialogTitle").c_str(),
                       Text("ErrorCannotUseMultiByteChar").c_str());
        return false;
    }
    if (result != 1)
        return false;

    // Only the fields that differ are written: an unchanged dialog leaves the document as it was.
    bool written = false;
    const std::string name = FieldText(record.name, sizeof record.name);
    if (record.nameSet && name != FieldText(before.name, sizeof before.name))
    {
        program.SetProgramName(name.c_str());
        written = true;
    }
    const std::string programmer = FieldText(record.programmer, sizeof record.programmer);
    if (record.programmerSet && programmer != FieldText(before.programmer, sizeof before.programmer))
    {
        program.SetAuthor(programmer.c_str());
        written = true;
    }
    const std::string comment = FieldText(record.comment, sizeof record.comment);
    if (record.commentSet && comment != FieldText(before.comment, sizeof before.comment))
    {
        program.SetComment(comment.c_str());
        written = true;
    }
    if (!written)
        return false;
    m_host.PostNotification(
        Notify::ParameterChanged{static_cast<int32_t>(n), m_host.GetDocumentId()}.Words());
    m_model.MarkRedraw(n);
    ShowChangedPrograms();
    return true;
}

bool CProgramListOperations::LoadProgramFile()
{
    if (m_services.files == nullptr || !IsTransferIdle())
        return false;
    const int32_t first = m_model.ReduceToFirst();
    m_host.RedrawRows();
    m_host.RefreshSelectionDisplay();
    if (first < 0)
        return false;
    const uint32_t n = static_cast<uint32_t>(first);
    // Read into a copy: the set's program changes only once the whole file was read.
    CProgram loaded = GetProgram(n);
    if (m_services.files->LoadProgram(loaded) != CFileRequest::kDone)
        return false;
    CloseEditWindow(n);
    GetProgram(n) = loaded;
    m_model.MarkRedraw(n);
    ShowChangedPrograms();
    return true;
}

bool CProgramListOperations::SaveProgramFile()
{
    if (m_services.files == nullptr || !IsTransferIdle())
        return false;
    const int32_t first = m_model.ReduceToFirst();
    m_host.RedrawRows();
    m_host.RefreshSelectionDisplay();
    if (first < 0)
        return false;
    return m_services.files->SaveProgram(GetProgram(static_cast<uint32_t>(first))) == CFileRequest::kDone;
}

std::vector<std::wstring> CProgramListOperations::GetPopupItems()
{
    std::vector<std::wstring> items;
    char key[32];
    for (uint32_t i = 0; i < kPopupItemCount; ++i)
    {
        std::snprintf(key, sizeof key, "ProgListPopupMenu%02u", i);
        items.push_back(Text(key));
    }
    return items;
}

void CProgramListOperations::AddPopupItems(CPopupMenu& menu)
{
    for (const std::wstring& item : GetPopupItems())
        menu.AddItem(item.c_str());
}

void CProgramListOperations::ShowPopupMenu(int32_t row, int32_t x, int32_t y)
{
    if (!IsTransferIdle())
        return;
    if (row >= 0 && row < static_cast<int32_t>(CProgramListModel::kProgramCount) &&
        !m_model.IsSelected(static_cast<uint32_t>(row)))
    {
        m_model.SelectOnly(static_cast<uint32_t>(row));
        m_host.RedrawRows();
        m_host.RefreshSelectionDisplay();
    }
    const int32_t item = EditorPopups().ChooseCheckedItem(m_host.GetOwnerWindow(), x, y, GetPopupItems(), 0);
    if (item >= 0)
        RunPopupItem(item);
}

bool CProgramListOperations::RunPopupItem(int32_t item)
{
    switch (item)
    {
    case kPopupCut:
        // The program is initialised only once it is safely on the clipboard.
        return Copy() && Initialize(false);
    case kPopupCopy:
        return Copy();
    case kPopupPaste:
        return Paste();
    case kPopupInitialize:
        return Initialize(true);
    case kPopupReceiveSelected:
        return ReceiveProgram();
    case kPopupWriteSelected:
        return TransmitProgram();
    case kPopupOpen:
        return LoadProgramFile();
    case kPopupSave:
        return SaveProgramFile();
    case kPopupRevert:
        return RestoreProgram();
    default:
        return false;
    }
}
