#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

class CBlockAccessor;
class CFileManager;
class CLibraryData;
class CMidiManager;
class CPopupMenu;
class CProgram;
class CProgramListHost;
class CProgramListModel;

// The services the operations reach; null ones make their operations do nothing.
struct CProgramListServices
{
    CMidiManager* midi = nullptr;
    CFileManager* files = nullptr;
    CBlockAccessor* blocks = nullptr;
};

// The program list's operations on the programs themselves: receive and write (selected, first
// selected, all), initialise, copy and paste, rename, revert, program files and the report, and
// the program popup that offers them. They work on the model's selection, change the library's
// programs, and reach the window through the host: edit windows, drawing, the modified mark and
// notifications.
//
// Window thread only. "ProgressSemaphore" is held while a transfer writes into a program set:
// every operation first probes it for 50 ms and does nothing while it is held, and before an
// edit window closes the semaphore is waited for (50 ms at most) so that a transfer writing that
// program can finish. Each operation answers true when it did its work.
class CProgramListOperations
{
public:
    enum : uint32_t
    {
        kProbeMs = 50,
        kPopupItemCount = 9,
    };
    enum PopupItem : int32_t
    {
        kPopupCut,
        kPopupCopy,
        kPopupPaste,
        kPopupInitialize,
        kPopupReceiveSelected,
        kPopupWriteSelected,
        kPopupOpen,
        kPopupSave,
        kPopupRevert,
    };

    // The model must be bound to library; all must outlive the operations.
    CProgramListOperations(CProgramListModel& model, CLibraryData& library, CProgramListHost& host,
                           const CProgramListServices& services);
    CProgramListOperations(const CProgramListOperations&) = delete;
    CProgramListOperations& operator=(const CProgramListOperations&) = delete;

    // The report of the program set through the report dialog.
    bool ExportText();
    // Every selected program (program 0 when none) from or to the same number, after the
    // "ReceiveProgram" or "WriteProgram" question. The first failure ends the run; the programs
    // received before it stay received.
    bool ReceiveProgram();
    bool TransmitProgram();
    // The first selected program (0 when none), with a box that tells how it went.
    bool ReceiveSelected();
    bool TransmitSelected();
    bool ReceiveAllPrograms();
    bool WriteAllPrograms();
    // Every selected program back to its saved block, after the "RestoreProgram" question.
    bool RestoreProgram();

    // The first selected program, alone in the selection afterwards, to the clipboard as a
    // 640-byte program item.
    bool Copy();
    // The clipboard's program into the first selected program, alone in the selection.
    bool Paste();
    // Every selected program initialised; with confirm after the "InitializeProgram" question.
    bool Initialize(bool confirm);
    // The first selected program's name and library information through the program
    // information dialog; the other programs leave the selection.
    bool Rename();
    // The first selected program from or to a program file.
    bool LoadProgramFile();
    bool SaveProgramFile();

    // Waits (50 ms at most) for a transfer that may be writing into the set, before an edit
    // window of its programs closes.
    static void WaitForTransfer();

    // The program popup on a right release at (x, y) of the owner window's client area over
    // row (-1 none): an unselected row becomes the only selection, then the chosen item runs.
    void ShowPopupMenu(int32_t row, int32_t x, int32_t y);
    // The items "ProgListPopupMenu00" to "08", in order.
    static std::vector<std::wstring> GetPopupItems();
    static void AddPopupItems(CPopupMenu& menu);
    // Runs popup item 0-8; false for another or when the item did nothing.
    bool RunPopupItem(int32_t item);

private:
    // OK in the box "Title" + operation / "Confirm" + operation.
    static bool Confirm(const char* operation);
    // The selection, or program 0 when none is selected.
    std::vector<uint32_t> GetSelectionOrZero() const;
    // Receives or writes each of the programs in order; the number of programs done.
    uint32_t ReceivePrograms(const std::vector<uint32_t>& programs);
    uint32_t TransmitPrograms(const std::vector<uint32_t>& programs);
    // The rows, category marks and selection display after programs changed; marks the window
    // modified.
    void ShowChangedPrograms();
    void CloseEditWindow(uint32_t n);
    void CloseAllEditWindows();
    CProgram& GetProgram(uint32_t n);

    CProgramListModel& m_model;
    CLibraryData& m_library;
    CProgramListHost& m_host;
    CProgramListServices m_services;
};
