#include "app/CFileManager.h"

#include "app/AppResources.h"
#include "app/CDialogFlag.h"
#include "app/CLogManager.h"
#include "app/CTDWResource.h"

#include "synthdata/CLibraryData.h"
#include "synthdata/ZmProgramListText.h"

#include "support/DataFixtures.h"
#include "support/FileDialogDriver.h"
#include "support/J5Fixtures.h"
#include "support/Screenshot.h"
#include "support/ScriptedDialogPresenter.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>
#include <fstream>
#include <string>
#include <vector>

namespace
{
using Pair = std::pair<std::wstring, std::wstring>;

// Answers each dialog with the next scripted path (an empty path: Cancel) and records how the
// dialog was set up.
class ScriptedPaths : public CFilePathProvider
{
public:
    struct Shown
    {
        std::wstring title;
        std::vector<Pair> filters;
        std::wstring extension;
        DWORD flags;
        int32_t openCount;
    };

    bool RunDialog(CHfcFileDialogUnicode& dialog) override
    {
        shown.push_back({dialog.GetTitle(), dialog.GetFilters(), dialog.GetDefaultExtension(),
                         dialog.GetRecord().Flags, GetDialogRefCount()});
        std::wstring path;
        if (!answers.empty())
        {
            path = answers.front();
            answers.pop_front();
        }
        if (path.empty())
        {
            dialog.Finish(false);
            return true;
        }
        dialog.SetFilePath(path);
        dialog.Finish(true);
        return true;
    }

    std::deque<std::wstring> answers;
    std::vector<Shown> shown;
};

// English texts, the status log, scripted boxes and paths, a fresh folder.
class FileManagerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SetResourceLanguage(kLanguageEnglish);
        CTDWSingleton::Acquire();
        SetLogManager(&log);
        manager.SetPathProvider(&paths);
    }
    void TearDown() override
    {
        SetLogManager(nullptr);
        CTDWSingleton::Release();
        SetResourceLanguage(0);
    }

    // The log's lines without their time stamps, oldest first.
    std::vector<std::string> LogLines() const
    {
        std::vector<std::string> lines;
        char line[CLogManager::kLineBufferSize];
        for (int32_t n = CLogManager::kLineCount - 1; n >= 0; --n)
            if (log.GetLine(n, line))
                lines.push_back(std::string(line).substr(10));
        return lines;
    }

    std::wstring Answer(const std::string& utf8Name) { return folder.File(utf8Name).wstring(); }

    CLogManager log{nullptr};
    ScriptedDialogPresenter presenter;
    ScriptedPaths paths;
    CFileManager manager;
    TempFolder folder;
};

Bytes ProgramChunk(const CProgram& program)
{
    return WrittenBytes([&](CHfcOutputStream& s) { program.WriteProgramChunk(s); });
}

Bytes GlobalChunk(const CGlobal& global)
{
    return WrittenBytes([&](CHfcOutputStream& s) { global.WriteChunk(s); });
}
} // namespace

TEST_F(FileManagerTest, DetectFileTypeChecksTheLeadingTag)
{
    CLibraryData library;
    MakeDistinctLibrary(library);
    WriteFileBytes(folder.File("all.nvrn_all"), AllDataBytes(library));
    WriteFileBytes(folder.File("one.nvrn_prog"), ProgramChunk(library.GetProgramSet()->GetProgram(0)));
    WriteFileBytes(folder.File("one.nvrn_glob"), GlobalChunk(*library.GetGlobal()));
    WriteFileBytes(folder.File("tag-only.j5l"), Bytes{'7', '4', '0', 'L'});
    WriteFileBytes(folder.File("empty.nvrn_all"), Bytes{});
    Bytes almost = AllDataBytes(library);
    almost[7] = 'X';
    WriteFileBytes(folder.File("almost.nvrn_all"), almost);

    const struct
    {
        const char* file;
        uint32_t type;
        bool suits;
    } cases[] = {
        {"all.nvrn_all", kFileOpenAllData, true},
        {"one.nvrn_prog", kFileLoadProgram, true},
        {"one.nvrn_glob", kFileLoadGlobal, true},
        {"tag-only.j5l", kFileImportJ5Library, true}, // the tag alone passes, whatever follows
        {"one.nvrn_prog", kFileOpenAllData, false},   // a program file under the all-data name
        {"all.nvrn_all", kFileLoadProgram, false},
        {"one.nvrn_prog", kFileLoadGlobal, false},
        {"all.nvrn_all", kFileImportJ5Library, false},
        {"almost.nvrn_all", kFileOpenAllData, false},
        {"empty.nvrn_all", kFileOpenAllData, false},
        {"empty.nvrn_all", kFileImportJ5Library, false},
        {"empty.nvrn_all", kFileSaveAllData, true}, // the saves take any file
        {"one.nvrn_prog", kFileSaveReport, true},
        {"missing.nvrn_all", kFileOpenAllData, false},
        {"missing.nvrn_all", kFileSaveAllData, false},
        {"all.nvrn_all", 8, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DetectFileType(folder.File(c.file), c.type), c.suits) << c.file << " as type " << c.type;
}

// Every type's texts exist in both languages: titles, log titles and the dialog texts.
TEST(FileManagerTexts, EveryTypeHasItsKeysInBothLanguages)
{
    for (uint16_t language : {kLanguageEnglish, kLanguageJapanese})
    {
        SetResourceLanguage(language);
        CTDWSingleton::Acquire();
        for (uint32_t type = 0; type < kFileDialogTypeCount; ++type)
        {
            const std::string name = GetFileDialogTypeName(type);
            SCOPED_TRACE(name + " " + std::to_string(language));
            EXPECT_FALSE(GetLocalizedString(("Title" + name).c_str()).empty());
            EXPECT_FALSE(GetLocalizedString(("TitleLog" + name).c_str()).empty());
            if (type == kFileSaveReport)
                continue; // the report dialog's filters are fixed
            for (const char* part : {"Message", "FileType", "FileExt"})
                EXPECT_FALSE(GetLocalizedString(("Dialog" + name + part).c_str()).empty()) << part;
        }
        CTDWSingleton::Release();
    }
    SetResourceLanguage(0);
    EXPECT_EQ(GetFileDialogTypeName(8), nullptr);
}

// Saved through the dialogs and opened again, each kind of file gives back what was saved;
// the dialogs show their titles, filters and extensions.
TEST_F(FileManagerTest, EachFileKindRoundTripsThroughTheDialogs)
{
    CLibraryData source;
    MakeDistinctLibrary(source);
    CProgram& program = source.GetProgramSet()->GetProgram(9);
    CGlobal& global = *source.GetGlobal();

    paths.answers = {Answer("lib.nvrn_all"), Answer("音色.nvrn_prog"), Answer("global.nvrn_glob")};
    EXPECT_EQ(manager.SaveAllData(source), CFileRequest::kDone);
    EXPECT_EQ(manager.SaveProgram(program), CFileRequest::kDone);
    EXPECT_EQ(manager.SaveGlobal(global), CFileRequest::kDone);
    EXPECT_EQ(ReadFileBytes(folder.File("lib.nvrn_all")), AllDataBytes(source));
    EXPECT_EQ(ReadFileBytes(folder.File("音色.nvrn_prog")), ProgramChunk(program));
    EXPECT_EQ(ReadFileBytes(folder.File("global.nvrn_glob")), GlobalChunk(global));
    EXPECT_EQ(source.GetPath(), folder.File("lib.nvrn_all"));

    CLibraryData library;
    CProgram loaded;
    CGlobal loadedGlobal;
    loadedGlobal.Init();
    paths.answers = {Answer("lib.nvrn_all"), Answer("音色.nvrn_prog"), Answer("global.nvrn_glob")};
    EXPECT_EQ(manager.OpenAllData(library), CFileRequest::kDone);
    EXPECT_EQ(manager.LoadProgram(loaded), CFileRequest::kDone);
    EXPECT_EQ(manager.LoadGlobal(loadedGlobal), CFileRequest::kDone);
    EXPECT_EQ(AllDataBytes(library), AllDataBytes(source));
    EXPECT_EQ(ProgramChunk(loaded), ProgramChunk(program));
    EXPECT_EQ(GlobalChunk(loadedGlobal), GlobalChunk(global));
    EXPECT_TRUE(presenter.boxes.empty());
    EXPECT_TRUE(LogLines().empty());

    ASSERT_EQ(paths.shown.size(), 6u);
    EXPECT_EQ(paths.shown[0].title, L"Save");
    EXPECT_EQ(paths.shown[0].filters,
              (std::vector<Pair>{{L"Nuvorn Library Data Files (*.nvrn_all)", L"*.nvrn_all"},
                                 {L"All Files (*.*)", L"*.*"}}));
    EXPECT_EQ(paths.shown[0].extension, L"nvrn_all");
    EXPECT_EQ(paths.shown[0].flags, 8912928u | 0x806u);
    EXPECT_EQ(paths.shown[1].title, L"Save Program Data File");
    EXPECT_EQ(paths.shown[1].extension, L"nvrn_prog");
    EXPECT_EQ(paths.shown[2].filters[0], (Pair{L"Nuvorn Global Data Files (*.nvrn_glob)", L"*.nvrn_glob"}));
    EXPECT_EQ(paths.shown[3].title, L"Open");
    EXPECT_EQ(paths.shown[3].flags, 8912928u | 0x1000u);
    EXPECT_EQ(paths.shown[4].title, L"Open Program Data File");
    EXPECT_EQ(paths.shown[5].title, L"Open Global Data File");
    for (const auto& s : paths.shown)
        EXPECT_EQ(s.openCount, 1) << "the dialog counts as open";
    EXPECT_EQ(GetDialogRefCount(), 0);
}

// A file that cannot be read shows its error under the type's title and in the log, and the
// target stays exactly as it was; the request fails.
TEST_F(FileManagerTest, UnreadableFilesShowTheirErrorAndLeaveTheTargetAsItWas)
{
    CLibraryData written;
    MakeDistinctLibrary(written);
    const Bytes all = AllDataBytes(written);
    WriteFileBytes(folder.File("truncated.nvrn_all"), Bytes(all.begin(), all.begin() + 1000));
    WriteFileBytes(folder.File("program.nvrn_all"), ProgramChunk(written.GetProgramSet()->GetProgram(1)));
    WriteFileBytes(folder.File("tag-only.j5l"), Bytes{'7', '4', '0', 'L'});
    WriteFileBytes(folder.File("all.nvrn_prog"), all);

    const struct
    {
        const char* file;
        uint32_t type;
        const wchar_t* title;
        const wchar_t* text;
        const char* logLine;
    } cases[] = {
        {"truncated.nvrn_all", kFileOpenAllData, L"Open", L"Failed to read data.",
         "Open All Data : Failed to read data from the file."},
        {"program.nvrn_all", kFileOpenAllData, L"Open", L"The file is unsupported format.",
         "Open All Data : The file is unsupported format."},
        {"missing.nvrn_all", kFileOpenAllData, L"Open", L"The file couldn't open.",
         "Open All Data : The file couldn't be opened."},
        {"tag-only.j5l", kFileImportJ5Library, L"Import J5 library file", L"Failed to read data.",
         "Import J5 Library : Failed to read data from the file."},
        {"all.nvrn_prog", kFileLoadProgram, L"Open Program Data File", L"The file is unsupported format.",
         "Load Program : The file is unsupported format."},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.file);
        CLibraryData library;
        MakeDistinctLibrary(library);
        library.GetProgramSet()->GetProgram(3).SetProgramName("KEEPME");
        library.SetModified(true);
        const Bytes before = AllDataBytes(library);
        presenter.boxes.clear();
        log.Clear();
        paths.answers = {Answer(c.file)};
        CFileRequest request;
        request.library = &library;
        CProgram& program = library.GetProgramSet()->GetProgram(3);
        request.program = &program;
        EXPECT_EQ(manager.ShowOpenDialog(c.type, request), CFileRequest::kFailed);
        EXPECT_EQ(AllDataBytes(library), before);
        EXPECT_TRUE(library.IsModified());
        EXPECT_TRUE(library.GetPath().empty());
        ASSERT_EQ(presenter.boxes.size(), 1u);
        EXPECT_EQ(presenter.boxes[0].title, c.title);
        EXPECT_EQ(presenter.boxes[0].text, c.text);
        EXPECT_EQ(presenter.boxes[0].flags, static_cast<UINT>(MB_OK | MB_ICONWARNING | MB_SETFOREGROUND));
        EXPECT_EQ(LogLines(), std::vector<std::string>{c.logLine});
    }
}

// A save that cannot complete reports failure, never success, and the file that was there
// keeps its bytes; no temporary file stays behind.
TEST_F(FileManagerTest, FailedSavesKeepThePreviousFile)
{
    CLibraryData library;
    MakeDistinctLibrary(library);
    library.SetModified(true);

    // The target is a folder: the new file is written, but cannot take its place.
    std::filesystem::create_directory(folder.File("taken.nvrn_all"));
    paths.answers = {Answer("taken.nvrn_all")};
    EXPECT_EQ(manager.SaveAllData(library), CFileRequest::kFailed);
    EXPECT_TRUE(std::filesystem::is_directory(folder.File("taken.nvrn_all")));
    ASSERT_EQ(presenter.boxes.size(), 1u);
    EXPECT_EQ(presenter.boxes[0].title, L"Save");
    EXPECT_EQ(presenter.boxes[0].text, L"Failed to write data.");
    EXPECT_EQ(LogLines(), std::vector<std::string>{"Save All Data : Failed to write data to the file."});
    EXPECT_TRUE(library.IsModified());
    EXPECT_TRUE(library.GetPath().empty());
    size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path()))
        files += entry.is_regular_file() ? 1 : 0;
    EXPECT_EQ(files, 0u);
}

// Each save type with the title of its error box and of its log line.
const struct
{
    uint32_t type;
    const wchar_t* title;
    const char* logTitle;
} kSaves[] = {
    {kFileSaveAllData, L"Save", "Save All Data"},
    {kFileSaveProgram, L"Save Program Data File", "Save Program"},
    {kFileSaveGlobal, L"Save Global Data File", "Save Global"},
    {kFileSaveReport, L"Save Report", "Save Report"},
};

// Saving over a read-only file fails as opening it for writing would, under each save's title,
// and the file keeps its bytes; nothing is left beside it.
TEST_F(FileManagerTest, SavingOverAReadOnlyFileShowsTheOpenErrorAndKeepsTheFile)
{
    const std::filesystem::path path = folder.File("locked.nvrn_all");
    const Bytes before = {'o', 'l', 'd'};
    for (const auto& s : kSaves)
    {
        SCOPED_TRACE(s.logTitle);
        WriteFileBytes(path, before);
        ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
        CLibraryData library;
        MakeDistinctLibrary(library);
        presenter.boxes.clear();
        log.Clear();
        paths.answers = {path.wstring()};
        CFileRequest request;
        request.library = &library;
        request.program = &library.GetProgramSet()->GetProgram(0);
        request.global = library.GetGlobal();
        EXPECT_EQ(manager.ShowSaveDialog(s.type, request), CFileRequest::kFailed);
        EXPECT_EQ(ReadFileBytes(path), before);
        ASSERT_EQ(presenter.boxes.size(), 1u);
        EXPECT_EQ(presenter.boxes[0].title, s.title);
        EXPECT_EQ(presenter.boxes[0].text, L"The file couldn't open.");
        EXPECT_EQ(LogLines(),
                  std::vector<std::string>{std::string(s.logTitle) + " : The file couldn't be opened."});
        size_t files = 0;
        for (const auto& entry : std::filesystem::directory_iterator(folder.Path()))
            files += entry.is_regular_file() ? 1 : 0;
        EXPECT_EQ(files, 1u);
        ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL));
    }
}

// A folder that cannot be written (made by the test run's fixture, with a file in it): the save
// shows "FileErrorFileOpen" under the save's title and the file there keeps its bytes.
TEST_F(FileManagerTest, SaveIntoAFolderThatCannotBeWrittenShowsTheError)
{
    const char* folderPath = std::getenv("NV_TEST_READONLY_FOLDER");
    if (folderPath == nullptr)
        GTEST_SKIP() << "needs the read-only folder fixture";
    const std::filesystem::path readOnly = std::filesystem::u8path(folderPath);
    const std::filesystem::path previous = readOnly / "previous.nvrn_all";
    const Bytes before = ReadFileBytes(previous);
    ASSERT_FALSE(before.empty());
    {
        // Where the fixture could not stop writes (root on a file system without the immutable
        // flag) there is nothing to test.
        std::ofstream probe(readOnly / "probe");
        if (probe.is_open())
        {
            probe.close();
            std::filesystem::remove(readOnly / "probe");
            GTEST_SKIP() << "the folder can be written";
        }
    }

    for (const auto& s : kSaves)
    {
        SCOPED_TRACE(s.logTitle);
        CLibraryData library;
        MakeDistinctLibrary(library);
        presenter.boxes.clear();
        log.Clear();
        paths.answers = {previous.wstring()};
        CFileRequest request;
        request.library = &library;
        request.program = &library.GetProgramSet()->GetProgram(0);
        request.global = library.GetGlobal();
        EXPECT_EQ(manager.ShowSaveDialog(s.type, request), CFileRequest::kFailed);
        EXPECT_EQ(ReadFileBytes(previous), before);
        ASSERT_EQ(presenter.boxes.size(), 1u);
        EXPECT_EQ(presenter.boxes[0].title, s.title);
        EXPECT_EQ(presenter.boxes[0].text, L"The file couldn't open.");
        EXPECT_EQ(LogLines(),
                  std::vector<std::string>{std::string(s.logTitle) + " : The file couldn't be opened."});
    }
}

// Cancel reads and writes nothing, shows nothing and logs nothing.
TEST_F(FileManagerTest, CancelReadsAndWritesNothing)
{
    CLibraryData library;
    MakeDistinctLibrary(library);
    const Bytes before = AllDataBytes(library);
    CProgram& program = library.GetProgramSet()->GetProgram(0);
    EXPECT_EQ(manager.OpenAllData(library), CFileRequest::kCancelled);
    EXPECT_EQ(manager.SaveAllData(library), CFileRequest::kCancelled);
    EXPECT_EQ(manager.LoadProgram(program), CFileRequest::kCancelled);
    EXPECT_EQ(manager.SaveProgram(program), CFileRequest::kCancelled);
    EXPECT_EQ(manager.LoadGlobal(*library.GetGlobal()), CFileRequest::kCancelled);
    EXPECT_EQ(manager.SaveGlobal(*library.GetGlobal()), CFileRequest::kCancelled);
    EXPECT_EQ(manager.SaveReport(library), CFileRequest::kCancelled);
    EXPECT_EQ(manager.ImportJ5Library(library), CFileRequest::kCancelled);
    EXPECT_EQ(paths.shown.size(), 8u);
    EXPECT_EQ(AllDataBytes(library), before);
    EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
    EXPECT_TRUE(presenter.boxes.empty());
    EXPECT_TRUE(LogLines().empty());
}

// The report is the program list as text, each line ended as a Windows text file ends it; the
// J5 import takes the file's programs.
TEST_F(FileManagerTest, ReportAndJ5Import)
{
    CLibraryData library;
    MakeDistinctLibrary(library);
    paths.answers = {Answer("リスト.txt")};
    EXPECT_EQ(manager.SaveReport(library), CFileRequest::kDone);
    ASSERT_EQ(paths.shown.size(), 1u);
    EXPECT_EQ(paths.shown[0].title, L"Save Report File");
    EXPECT_EQ(paths.shown[0].filters,
              (std::vector<Pair>{{L"Report File (*.txt)", L"*.txt"}, {L"All files (*.*)", L"*.*"}}));
    EXPECT_EQ(paths.shown[0].extension, L"txt");
    Bytes expected;
    for (uint8_t b : WrittenBytes([&](CHfcOutputStream& s) { WriteProgramListText(s, library); }))
    {
        if (b == '\n')
            expected.push_back('\r');
        expected.push_back(b);
    }
    EXPECT_EQ(ReadFileBytes(folder.File("リスト.txt")), expected);

    WriteFileBytes(folder.File("three.j5l"), MakeJ5Library(3));
    CLibraryData imported;
    paths.answers = {Answer("three.j5l")};
    EXPECT_EQ(manager.ImportJ5Library(imported), CFileRequest::kDone);
    ASSERT_NE(imported.GetProgramSet(), nullptr);
    EXPECT_NE(AllDataBytes(imported), AllDataBytes(CLibraryData()));
    EXPECT_TRUE(presenter.boxes.empty());
}

// The real save dialog on the test display: a path with Japanese characters typed into its
// name field and Save pressed make the file under that name.
TEST_F(FileManagerTest, RealSaveDialogTakesATypedJapanesePath)
{
    if (std::getenv("NV_TEST_SERIAL") == nullptr)
        GTEST_SKIP() << "runs in app_tests_serial";
    manager.SetPathProvider(nullptr);
    CLibraryData library;
    MakeDistinctLibrary(library);
    CProgram& program = library.GetProgramSet()->GetProgram(12);
    const std::wstring typed = Answer("音色テスト_リード.nvrn_prog");
    bool screenshot = false;
    FileDialogDriver driver(
        [&](HWND dialog, int tick)
        {
            if (tick == 0)
            {
                TypeFileName(dialog, typed);
                return false;
            }
            if (FileNameText(dialog) != typed)
            {
                if (tick < 200)
                    return false;
                ADD_FAILURE() << "the name field holds " << ::testing::PrintToString(FileNameText(dialog));
                PressDialogButton(dialog, IDCANCEL);
                return true;
            }
            screenshot = SaveWindowScreenshot(dialog, "file_dialog_save_japanese_path");
            PressDialogButton(dialog, IDOK);
            return true;
        });
    EXPECT_EQ(manager.SaveProgram(program), CFileRequest::kDone);
    EXPECT_TRUE(driver.Done());
    EXPECT_EQ(driver.Title(), L"Save Program Data File");
    EXPECT_TRUE(screenshot);
    EXPECT_EQ(ReadFileBytes(folder.File("音色テスト_リード.nvrn_prog")), ProgramChunk(program));
    EXPECT_TRUE(presenter.boxes.empty());
}
