#pragma once

#include "framework/CHfcFileDialogUnicode.h"

#include <cstdint>
#include <filesystem>
#include <memory>

class CGlobal;
class CLibraryData;
class CProgram;

// The file dialogs of the editor, by type; each type's name forms its text keys ("Title" + name,
// "TitleLog" + name, "Dialog" + name + "Message" / "FileType" / "FileExt").
enum CFileDialogType : uint32_t
{
    kFileOpenAllData = 0,
    kFileSaveAllData = 1,
    kFileLoadProgram = 2,
    kFileSaveProgram = 3,
    kFileLoadGlobal = 4,
    kFileSaveGlobal = 5,
    kFileSaveReport = 6,
    kFileImportJ5Library = 7,
    kFileDialogTypeCount = 8,
};

// Null for a type of 8 or more.
const char* GetFileDialogTypeName(uint32_t type);

// True when the file's leading tag suits the type: "3580AllD", "3580PrgD" or "3580GlbD" (8
// bytes) for the three opens, "740L" (4 bytes) for the J5 import, whatever follows; the save
// types take any file. False for a file that cannot be opened and for a type of 8 or more.
bool DetectFileType(const std::filesystem::path& path, uint32_t type);

// What one dialog reads into or writes from, and how it ended.
class CFileRequest
{
public:
    enum State
    {
        kPending,
        kDone,      // the file was read or written
        kCancelled, // nothing was read or written
        kFailed,    // the reader or writer failed; the error was shown and logged
    };

    uint32_t type = kFileDialogTypeCount;
    CLibraryData* library = nullptr; // all data, the report, the J5 import
    CProgram* program = nullptr;     // program files
    CGlobal* global = nullptr;       // global data files
    State state = kPending;
    std::filesystem::path path; // the chosen file
};

// Runs a set-up dialog to its end. The real one shows it; a test answers in its place through
// the dialog's Finish.
class CFilePathProvider
{
public:
    virtual ~CFilePathProvider();
    // False when the dialog could not be shown.
    virtual bool RunDialog(CHfcFileDialogUnicode& dialog);
};

// Runs the file dialogs and hands the chosen file to the data layer's reader or writer. A file
// to read is checked by its tag first; a save replaces the file only once the whole new file is
// written, so a failed save leaves the old file as it was. Failures show a warning box titled
// "Title" + name with the error's text and add the log line "TitleLog text : error log text".
// One instance exists, made at start-up. Window thread only.
class CFileManager : public CHfcFileDialogUnicodeListener
{
public:
    CFileManager();
    ~CFileManager() override;
    CFileManager(const CFileManager&) = delete;
    CFileManager& operator=(const CFileManager&) = delete;

    // Null: the real dialogs. Not owned.
    void SetPathProvider(CFilePathProvider* provider);

    // Types 0, 2, 4 and 7.
    CFileRequest::State ShowOpenDialog(uint32_t type, CFileRequest& request);
    // Types 1, 3 and 5.
    CFileRequest::State ShowSaveDialog(uint32_t type, CFileRequest& request);
    // Type 6: the program list of request.library as text.
    CFileRequest::State ShowSaveReportDialog(CFileRequest& request);

    CFileRequest::State OpenAllData(CLibraryData& library);
    CFileRequest::State SaveAllData(CLibraryData& library);
    CFileRequest::State LoadProgram(CProgram& program);
    CFileRequest::State SaveProgram(CProgram& program);
    CFileRequest::State LoadGlobal(CGlobal& global);
    CFileRequest::State SaveGlobal(CGlobal& global);
    CFileRequest::State SaveReport(CLibraryData& library);
    CFileRequest::State ImportJ5Library(CLibraryData& library);

    // Reads or writes the file at path for the request as a chosen file is, box and log line
    // included; the request's state tells how it ended.
    void ProcessFile(CFileRequest& request, const std::filesystem::path& path);

    // The dialog's callbacks; user is the request.
    void OnHfcFileDialogAction(CHfcFileDialogUnicode* dialog, uint32_t action, uintptr_t user) override;
    // The dialog belongs to the file manager: nothing to delete here.
    void OnFileDialogClosed(CHfcFileDialogUnicode* dialog, uintptr_t user) override;

    // "%s : %s" of text("TitleLog" + name) and text(key + "Log") to the status log.
    static void LogResult(uint32_t type, const char* key);

private:
    CFileRequest::State Run(std::unique_ptr<CHfcFileDialogUnicode> dialog, uint32_t type,
                            CFileRequest& request);
    // The warning box and the log line of an error key.
    static void ReportError(uint32_t type, const char* key);

    CFilePathProvider m_dialogs;
    CFilePathProvider* m_provider; // not owned; m_dialogs when none was set
};
