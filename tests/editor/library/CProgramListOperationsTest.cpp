#include "editor/library/CProgramListOperations.h"

#include "app/AppCoreUtility.h"
#include "app/AppResources.h"
#include "app/CBlockAccessor.h"
#include "app/CFileManager.h"
#include "app/CPopupMenu.h"
#include "app/Notifications.h"
#include "editor/library/CProgramListHost.h"
#include "editor/library/model/CProgramListModel.h"
#include "framework/CHfcClipboard.h"
#include "resources/AppDialogIds.h"
#include "synthdata/CLibraryData.h"

#include "app/MidiManagerFixture.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <fstream>
#include <iterator>
#include <mutex>
#include <thread>

namespace
{
const intptr_t kDocumentId = 77;

// Records what the operations ask of the window.
class FakeHost : public CProgramListHost
{
public:
    explicit FakeHost(CProgramListModel& model) : m_model(model) {}

    HWND GetOwnerWindow() override { return owner; }
    intptr_t GetDocumentId() override { return kDocumentId; }
    void CloseEditWindow(uint32_t n) override { closed.push_back(n); }
    void CloseAllEditWindows() override { ++closedAll; }
    void RedrawRows() override
    {
        for (uint32_t n : m_model.TakeRowsToDraw(false))
            drawn.push_back(n);
    }
    void RefreshSelectionDisplay() override { ++refreshed; }
    void MarkModified() override { ++modified; }
    void PostNotification(const CNotificationWords& w) override
    {
        posted.push_back(std::to_string(w.code) + " " + std::to_string(w.p1) + " " + std::to_string(w.p2) +
                         " " + std::to_string(w.p3) + " " + std::to_string(w.p4));
    }
    bool IsAutoDumpEnabled() override { return autoDump; }
    void RunAutoDump(uint32_t n) override { dumps.push_back(n); }

    HWND owner = nullptr;
    std::vector<uint32_t> closed;
    int closedAll = 0;
    std::vector<uint32_t> drawn;
    int refreshed = 0;
    int modified = 0;
    std::vector<std::string> posted;
    bool autoDump = false;
    std::vector<uint32_t> dumps;

private:
    CProgramListModel& m_model;
};

// Answers each file dialog with the next scripted path (empty: Cancel), recording its title.
class ScriptedPaths : public CFilePathProvider
{
public:
    bool RunDialog(CHfcFileDialogUnicode& dialog) override
    {
        titles.push_back(WideToAnsi(dialog.GetTitle().c_str()));
        std::wstring path;
        if (!answers.empty())
        {
            path = answers.front();
            answers.pop_front();
        }
        if (!path.empty())
            dialog.SetFilePath(path);
        dialog.Finish(!path.empty());
        return true;
    }
    std::deque<std::wstring> answers;
    std::vector<std::string> titles;
};

using Blocks = std::vector<std::vector<uint8_t>>;

std::vector<uint8_t> BlockBytes(const CProgramBlock& block)
{
    const uint8_t* bytes = reinterpret_cast<const uint8_t*>(&block);
    return std::vector<uint8_t>(bytes, bytes + sizeof block);
}

std::string FileTitle(uint32_t type)
{
    return Text(std::string("Title") + GetFileDialogTypeName(type));
}

// The operations on a library of 128 initialised programs and a global, bound to a model and a
// fake host, against the simulated instrument on the MIDI manager.
class ProgramListOperations : public MidiManager
{
protected:
    void SetUp() override
    {
        SetResourceLanguage(kLanguageEnglish);
        MidiManager::SetUp();
        if (HasFatalFailure())
            return;
        ASSERT_TRUE(CreateAppSemaphores());
        manager->SetProgressSemaphore(GetAppSemaphore(kSemaphoreProgress));
        manager->SetReplyTimeout(kShortTimeoutMs);
        library.AddEntry(CLibraryEntry::kKindProgramSet);
        library.AddEntry(CLibraryEntry::kKindGlobal);
        model = std::make_unique<CProgramListModel>(library);
        host = std::make_unique<FakeHost>(*model);
        host->owner = CreateWindowExA(0, "STATIC", "program list", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                      nullptr, nullptr);
        ASSERT_NE(host->owner, nullptr);
        ASSERT_TRUE(accessor.RegisterFormats());
        files.SetPathProvider(&paths);
        CProgramListServices services;
        services.midi = manager.get();
        services.files = &files;
        services.blocks = &accessor;
        operations = std::make_unique<CProgramListOperations>(*model, library, *host, services);
        host->RedrawRows(); // the rows every new list draws
        host->drawn.clear();
        ClearSent();
    }
    void TearDown() override
    {
        operations.reset();
        if (host && host->owner != nullptr)
            DestroyWindow(host->owner);
        host.reset();
        model.reset();
        if (manager)
            manager->SetProgressSemaphore(nullptr);
        DeleteAppSemaphores();
        MidiManager::TearDown();
        SetResourceLanguage(0);
    }

    CProgram& Program(uint32_t n) { return library.GetProgramSet()->GetProgram(n); }
    Blocks AllBlocks()
    {
        Blocks blocks;
        for (uint32_t n = 0; n < 128; ++n)
            blocks.push_back(BlockBytes(Program(n).GetBlock()));
        return blocks;
    }
    // A program that differs from every other and from its saved copy.
    void MakeDistinct(uint32_t n, const char* name)
    {
        std::memcpy(Program(n).GetImage(), CSimInstrument::PatternProgram(n + 700).data(),
                    kQ3580ProgramImageSize);
        Program(n).SetProgramName(name);
    }
    void Select(const std::vector<uint32_t>& programs)
    {
        model->ClearSelection();
        for (uint32_t n : programs)
        {
            model->PressLeft(n, false, true, 0, 0);
            model->ReleaseLeft(static_cast<int32_t>(n));
        }
        ASSERT_EQ(model->GetSelection(), programs);
    }
    std::string ConfirmBox(const std::string& operation)
    {
        return Text("Title" + operation) + " | " + Text("Confirm" + operation);
    }

    CLibraryData library;
    std::unique_ptr<CProgramListModel> model;
    std::unique_ptr<FakeHost> host;
    CHfcClipboard clipboard;
    CBlockAccessor accessor{clipboard};
    ScriptedPaths paths;
    CFileManager files;
    std::unique_ptr<CProgramListOperations> operations;
    TempFolder folder;
};

// The clipboard's tests, alone in editor_library_tests_serial.
class ProgramListClipboard : public ProgramListOperations
{
protected:
    void SetUp() override
    {
        if (std::getenv("NV_TEST_SERIAL") == nullptr)
            GTEST_SKIP() << "runs in editor_library_tests_serial";
        ProgramListOperations::SetUp();
    }
    void TearDown() override
    {
        if (operations)
        {
            EXPECT_EQ(GetOpenClipboardWindow(), nullptr) << "left open";
            ProgramListOperations::TearDown();
        }
    }
    size_t ProgramFormatSize()
    {
        CHfcClipboardSession session(clipboard, host->owner);
        return clipboard.GetDataSize(accessor.GetClipboardFormat(kBlockProgram));
    }
};
} // namespace

TEST_F(ProgramListOperations, WithNothingSelectedReceiveAndTransmitActOnProgramZero)
{
    const Image untouched = ImageOf(Program(1));
    ASSERT_TRUE(operations->ReceiveSelected());
    EXPECT_EQ(ImageOf(Program(0)), instrument->GetProgram(0));
    EXPECT_EQ(ImageOf(Program(1)), untouched);
    EXPECT_EQ(Boxes(), (std::vector<std::string>{ConfirmBox("ReceiveProgram"),
                                                 "Receive Program | Receive succeeded."}));
    EXPECT_EQ(presenter.boxes[0].flags & (MB_TYPEMASK | MB_ICONMASK), UINT(MB_OKCANCEL | MB_ICONWARNING));
    EXPECT_EQ(presenter.boxes[1].flags & MB_TYPEMASK, UINT(MB_OK));
    EXPECT_EQ(host->closed, std::vector<uint32_t>{0});
    EXPECT_EQ(host->modified, 1);
    EXPECT_EQ(host->drawn, std::vector<uint32_t>{0});

    MakeDistinct(0, "SENTZERO");
    const Image instrumentOne = instrument->GetProgram(1);
    ClearReports();
    ASSERT_TRUE(operations->TransmitSelected());
    EXPECT_EQ(instrument->GetProgram(0), ImageOf(Program(0)));
    EXPECT_EQ(instrument->GetProgram(1), instrumentOne);
    EXPECT_EQ(Boxes(), (std::vector<std::string>{ConfirmBox("WriteProgram"),
                                                 "Transmit Program | Transmit succeeded."}));

    // The runs over every selected program take program 0 too.
    instrument->SetProgram(0, CSimInstrument::PatternProgram(300));
    ASSERT_TRUE(operations->ReceiveProgram());
    EXPECT_EQ(ImageOf(Program(0)), CSimInstrument::PatternProgram(300));
    MakeDistinct(0, "AGAIN");
    ASSERT_TRUE(operations->TransmitProgram());
    EXPECT_EQ(instrument->GetProgram(0), ImageOf(Program(0)));
    EXPECT_EQ(instrument->GetProgram(1), instrumentOne);
    EXPECT_TRUE(model->GetSelection().empty());
}

TEST_F(ProgramListOperations, ACancelledConfirmationChangesNothingAndSendsNothing)
{
    const struct
    {
        const char* operation;
        std::function<bool(CProgramListOperations&)> run;
    } cases[] = {
        {"ReceiveProgram", [](CProgramListOperations& o) { return o.ReceiveProgram(); }},
        {"WriteProgram", [](CProgramListOperations& o) { return o.TransmitProgram(); }},
        {"ReceiveProgram", [](CProgramListOperations& o) { return o.ReceiveSelected(); }},
        {"WriteProgram", [](CProgramListOperations& o) { return o.TransmitSelected(); }},
        {"ReceiveAllPrograms", [](CProgramListOperations& o) { return o.ReceiveAllPrograms(); }},
        {"WriteAllPrograms", [](CProgramListOperations& o) { return o.WriteAllPrograms(); }},
        {"RestoreProgram", [](CProgramListOperations& o) { return o.RestoreProgram(); }},
        {"InitializeProgram", [](CProgramListOperations& o) { return o.Initialize(true); }},
    };
    MakeDistinct(3, "THREE");
    MakeDistinct(5, "FIVE");
    Select({3, 5});
    const Blocks before = AllBlocks();
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.operation);
        ClearReports();
        ClearSent();
        presenter.answers = {IDCANCEL};
        EXPECT_FALSE(c.run(*operations));
        EXPECT_EQ(Boxes(), std::vector<std::string>{ConfirmBox(c.operation)});
        EXPECT_EQ(AllBlocks(), before);
        EXPECT_TRUE(Sent().empty());
        EXPECT_TRUE(host->closed.empty() && host->posted.empty() && host->dumps.empty());
        EXPECT_EQ(host->modified + host->closedAll, 0);
    }
}

TEST_F(ProgramListOperations, ReceivingSelectedProgramsStopsAtTheFirstFailure)
{
    Select({10, 20, 30});
    Misbehave([](CSimBehaviour& b) { b.refuseAtProgram = 20; });
    const Image twenty = ImageOf(Program(20));
    const Image thirty = ImageOf(Program(30));
    EXPECT_FALSE(operations->ReceiveProgram());
    EXPECT_EQ(ImageOf(Program(10)), instrument->GetProgram(10));
    EXPECT_EQ(ImageOf(Program(20)), twenty);
    EXPECT_EQ(ImageOf(Program(30)), thirty);
    // Program 30 was never asked for: one success, then the failure.
    const std::vector<std::string> log = LogLines();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0], Text("SuccessLogReceiveProgram") + " : P010");
    EXPECT_EQ(host->closed, std::vector<uint32_t>{10});
    // What did arrive is shown and counts as a change of the document.
    EXPECT_EQ(host->modified, 1);
    EXPECT_NE(std::find(host->drawn.begin(), host->drawn.end(), 10u), host->drawn.end());

    // Writing stops the same way.
    MakeDistinct(10, "TEN");
    MakeDistinct(30, "THIRTY");
    const Image instrumentThirty = instrument->GetProgram(30);
    EXPECT_FALSE(operations->TransmitProgram());
    EXPECT_EQ(instrument->GetProgram(10), ImageOf(Program(10)));
    EXPECT_EQ(instrument->GetProgram(30), instrumentThirty);
}

TEST_F(ProgramListOperations, AFailedSingleReceiveShowsTheErrorAndChangesNothing)
{
    Select({12});
    Misbehave([](CSimBehaviour& b) { b.silent = true; });
    const Image before = ImageOf(Program(12));
    EXPECT_FALSE(operations->ReceiveSelected());
    EXPECT_EQ(ImageOf(Program(12)), before);
    ASSERT_FALSE(Boxes().empty());
    EXPECT_EQ(Boxes().back(), "Receive Program Failed | " + Text("MidiErrorTimeout"));
    EXPECT_EQ(host->modified, 0);
    EXPECT_TRUE(host->closed.empty());
    ClearReports();
    EXPECT_FALSE(operations->TransmitSelected());
    EXPECT_EQ(Boxes().back(), "Transmit Program Failed | " + Text("MidiErrorTimeout"));
}

TEST_F(ProgramListOperations, ReceiveAndWriteAllPrograms)
{
    ASSERT_TRUE(operations->ReceiveAllPrograms());
    for (uint32_t n = 0; n < 128; ++n)
        ASSERT_EQ(ImageOf(Program(n)), instrument->GetProgram(n)) << n;
    EXPECT_EQ(host->closedAll, 1);
    EXPECT_EQ(host->modified, 1);
    EXPECT_EQ(host->drawn.size(), 64u) << "every row of the shown bank";

    for (uint32_t n = 0; n < 128; n += 9)
        MakeDistinct(n, "WRITTEN");
    ASSERT_TRUE(operations->WriteAllPrograms());
    for (uint32_t n = 0; n < 128; ++n)
        ASSERT_EQ(instrument->GetProgram(n), ImageOf(Program(n))) << n;

    // A receive that fails part way keeps what arrived, and the window says so.
    for (uint32_t n = 0; n < 128; ++n)
        instrument->SetProgram(n, CSimInstrument::PatternProgram(n + 400));
    Misbehave([](CSimBehaviour& b) { b.refuseAtProgram = 40; });
    host->modified = 0;
    EXPECT_FALSE(operations->ReceiveAllPrograms());
    EXPECT_EQ(ImageOf(Program(39)), CSimInstrument::PatternProgram(439));
    EXPECT_NE(ImageOf(Program(40)), CSimInstrument::PatternProgram(440));
    EXPECT_EQ(host->modified, 1);
}

TEST_F(ProgramListOperations, RenameEditsOnlyTheFirstSelectedProgram)
{
    const struct
    {
        const char* ending;
        const wchar_t* name;
        int button;
        bool changed;
        std::vector<std::string> boxes;
    } cases[] = {
        {"OK", L"Lead one", IDC_DIALOG_OK, true, {}},
        {"Cancel", L"Lead one", IDC_DIALOG_CANCEL, false, {}},
        {"multi-byte", L"Caf\u00E9", IDC_DIALOG_OK, false, {"Error | Multi-byte characters cannot be used."}},
        {"unchanged", nullptr, IDC_DIALOG_OK, false, {}},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.ending);
        for (uint32_t n : {4u, 9u, 12u})
            Program(n).Init();
        Select({4, 9, 12});
        const Blocks before = AllBlocks();
        ClearReports();
        host->posted.clear();
        host->modified = 0;
        std::wstring shownName;
        presenter.onReady = [&](HWND dialog)
        {
            shownName = ItemText(dialog, IDC_INFO_NAME);
            if (c.name != nullptr)
            {
                SetDlgItemTextW(dialog, IDC_INFO_NAME, c.name);
                SetDlgItemTextW(dialog, IDC_INFO_PROGRAMMER, L"Ann");
                SetDlgItemTextW(dialog, IDC_INFO_COMMENT, L"bright");
            }
            PressButton(dialog, c.button);
        };
        EXPECT_EQ(operations->Rename(), c.changed);
        EXPECT_EQ(shownName, L"INITPROG");
        EXPECT_EQ(model->GetSelection(), std::vector<uint32_t>{4});
        EXPECT_EQ(Boxes(), c.boxes);
        Blocks after = AllBlocks();
        EXPECT_EQ(after[9], before[9]);
        EXPECT_EQ(after[12], before[12]);
        if (c.changed)
        {
            EXPECT_STREQ(Program(4).GetProgramName(), "LEAD ONE");
            EXPECT_STREQ(Program(4).GetAuthor(), "Ann");
            EXPECT_STREQ(Program(4).GetComment(), "bright");
            EXPECT_EQ(host->posted, std::vector<std::string>{"7 4 -1 77 -1"});
            EXPECT_EQ(host->modified, 1);
            after[4] = before[4];
        }
        else
        {
            EXPECT_TRUE(host->posted.empty());
            EXPECT_EQ(host->modified, 0);
        }
        EXPECT_EQ(after, before);
    }
    presenter.onReady = nullptr;
}

TEST_F(ProgramListOperations, RevertRestoresTheSavedBlockAndPostsSevenAndTwo)
{
    const CProgramBlock saved6 = Program(6).GetSavedBlock();
    MakeDistinct(6, "EDITED");
    host->autoDump = true;
    Select({6});
    ASSERT_TRUE(operations->RestoreProgram());
    EXPECT_EQ(BlockBytes(Program(6).GetBlock()), BlockBytes(saved6));
    EXPECT_EQ(host->posted, (std::vector<std::string>{"7 6 -1 77 -1", "2 6 -1 77 -1"}));
    EXPECT_EQ(host->closed, std::vector<uint32_t>{6});
    EXPECT_EQ(host->dumps, std::vector<uint32_t>{6});
    EXPECT_EQ(host->modified, 1);

    // Two programs: both revert, and no automatic dump.
    MakeDistinct(6, "AGAIN");
    MakeDistinct(8, "EIGHT");
    Select({6, 8});
    host->posted.clear();
    host->dumps.clear();
    ASSERT_TRUE(operations->RestoreProgram());
    EXPECT_FALSE(Program(6).IsChanged());
    EXPECT_FALSE(Program(8).IsChanged());
    EXPECT_EQ(host->posted.size(), 4u);
    EXPECT_TRUE(host->dumps.empty());
}

TEST_F(ProgramListOperations, InitialiseKeepsTheSavedCopy)
{
    MakeDistinct(2, "TWO");
    MakeDistinct(5, "FIVE");
    Program(5).SaveBlock();
    const CProgramBlock saved5 = Program(5).GetSavedBlock();
    const Image seven = ImageOf(Program(7));
    Select({2, 5});
    ASSERT_TRUE(operations->Initialize(true));
    EXPECT_EQ(Boxes(), std::vector<std::string>{ConfirmBox("InitializeProgram")});
    CProgram fresh;
    fresh.Init();
    EXPECT_EQ(ImageOf(Program(2)), ImageOf(fresh));
    EXPECT_EQ(ImageOf(Program(5)), ImageOf(fresh));
    EXPECT_EQ(ImageOf(Program(7)), seven);
    EXPECT_EQ(BlockBytes(Program(5).GetSavedBlock()), BlockBytes(saved5)) << "revert returns to it";
    EXPECT_EQ(host->closed, (std::vector<uint32_t>{2, 5}));
    EXPECT_EQ(host->modified, 1);

    // Without the question none is asked.
    MakeDistinct(2, "TWO");
    ClearReports();
    Select({2});
    ASSERT_TRUE(operations->Initialize(false));
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(ImageOf(Program(2)), ImageOf(fresh));
}

TEST_F(ProgramListOperations, ProgramFilesAndTheReportGoThroughTheFileDialogs)
{
    MakeDistinct(5, "FILED");
    const std::vector<uint8_t> block5 = BlockBytes(Program(5).GetBlock());
    const std::wstring path = folder.File("five.prg").wstring();
    Select({5, 6});
    paths.answers = {path};
    ASSERT_TRUE(operations->SaveProgramFile());
    EXPECT_EQ(paths.titles, std::vector<std::string>{FileTitle(kFileSaveProgram)});
    EXPECT_EQ(model->GetSelection(), std::vector<uint32_t>{5});

    // Cancel, then a file of another kind, leave program 40 alone; the file's program arrives.
    Select({40});
    const std::vector<uint8_t> block40 = BlockBytes(Program(40).GetBlock());
    const std::wstring report = folder.File("report.txt").wstring();
    paths.answers = {L"", report, path};
    EXPECT_FALSE(operations->LoadProgramFile());
    {
        std::ofstream(folder.File("report.txt"), std::ios::binary) << "not a program";
    }
    EXPECT_FALSE(operations->LoadProgramFile());
    EXPECT_EQ(BlockBytes(Program(40).GetBlock()), block40);
    EXPECT_EQ(host->modified, 0);
    EXPECT_TRUE(host->closed.empty());
    ASSERT_TRUE(operations->LoadProgramFile());
    EXPECT_EQ(BlockBytes(Program(40).GetBlock()), block5);
    EXPECT_FALSE(Program(40).IsChanged()) << "a revert returns to the file's program";
    EXPECT_EQ(host->closed, std::vector<uint32_t>{40});
    EXPECT_EQ(host->modified, 1);
    EXPECT_EQ(paths.titles.back(), FileTitle(kFileLoadProgram));

    // The report of the set names its programs.
    paths.answers = {report};
    ASSERT_TRUE(operations->ExportText());
    EXPECT_EQ(paths.titles.back(), "Save Report File");
    std::ifstream in(folder.File("report.txt"), std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("FILED"), std::string::npos);
}

TEST_F(ProgramListOperations, PopupItemsMapToTheOperations)
{
    CPopupMenu menu;
    menu.Create();
    CProgramListOperations::AddPopupItems(menu);
    const char* const texts[] = {"Cut",
                                 "Copy",
                                 "Paste",
                                 "Initialize",
                                 "Receive Selected Program",
                                 "Write Selected Program",
                                 "Open...",
                                 "Save...",
                                 "Revert to saved data"};
    ASSERT_EQ(menu.GetItemCount(), 9u);
    for (UINT i = 0; i < 9; ++i)
    {
        wchar_t text[64] = {};
        GetMenuStringW(menu.GetMenu(), i + 1, text, 64, MF_BYCOMMAND);
        EXPECT_EQ(WideToAnsi(text), texts[i]) << i;
    }

    // Each item answered with Cancel shows its own question or file dialog.
    const struct
    {
        int32_t item;
        std::string box;
        std::string fileDialog;
    } cases[] = {
        {CProgramListOperations::kPopupInitialize, ConfirmBox("InitializeProgram"), ""},
        {CProgramListOperations::kPopupReceiveSelected, ConfirmBox("ReceiveProgram"), ""},
        {CProgramListOperations::kPopupWriteSelected, ConfirmBox("WriteProgram"), ""},
        {CProgramListOperations::kPopupOpen, "", FileTitle(kFileLoadProgram)},
        {CProgramListOperations::kPopupSave, "", FileTitle(kFileSaveProgram)},
        {CProgramListOperations::kPopupRevert, ConfirmBox("RestoreProgram"), ""},
        {9, "", ""},
        {-1, "", ""},
    };
    Select({3});
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.item);
        ClearReports();
        paths.titles.clear();
        presenter.answers = {IDCANCEL};
        paths.answers = {L""};
        EXPECT_FALSE(operations->RunPopupItem(c.item));
        EXPECT_EQ(Boxes(), c.box.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.box});
        EXPECT_EQ(paths.titles,
                  c.fileDialog.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.fileDialog});
    }

    // Receive Selected Program takes every selected program.
    Select({1, 2});
    presenter.answers.clear();
    ASSERT_TRUE(operations->RunPopupItem(CProgramListOperations::kPopupReceiveSelected));
    EXPECT_EQ(ImageOf(Program(1)), instrument->GetProgram(1));
    EXPECT_EQ(ImageOf(Program(2)), instrument->GetProgram(2));
}

// The popup over a row that is not selected selects it alone before the menu shows.
TEST_F(ProgramListOperations, ThePopupSelectsTheRowUnderThePointer)
{
    Select({3, 4});
    // The menu closes as soon as it has shown.
    const UINT_PTR timer = SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR, DWORD) { EndMenu(); });
    SetForegroundWindow(host->owner);
    operations->ShowPopupMenu(7, 5, 5);
    KillTimer(nullptr, timer);
    EXPECT_EQ(model->GetSelection(), std::vector<uint32_t>{7});
    EXPECT_TRUE(Boxes().empty());
}

// A transfer on another thread holds "ProgressSemaphore": every operation gives up after its
// probe, changing and sending nothing, and none waits for the holder.
TEST_F(ProgramListOperations, AHeldProgressSemaphoreMakesEveryOperationGiveUp)
{
    std::mutex lock;
    std::condition_variable changed;
    bool held = false;
    bool release = false;
    std::thread holder(
        [&]
        {
            CEfSemaphore* progress = GetAppSemaphore(kSemaphoreProgress);
            progress->Wait();
            std::unique_lock<std::mutex> guard(lock);
            held = true;
            changed.notify_all();
            changed.wait(guard, [&] { return release; });
            progress->Release();
        });
    {
        std::unique_lock<std::mutex> guard(lock);
        ASSERT_TRUE(changed.wait_for(guard, std::chrono::seconds(10), [&] { return held; }));
    }
    MakeDistinct(3, "THREE");
    Select({3});
    const Blocks before = AllBlocks();
    const std::function<bool()> runs[] = {
        [&] { return operations->ExportText(); },
        [&] { return operations->ReceiveProgram(); },
        [&] { return operations->TransmitProgram(); },
        [&] { return operations->ReceiveSelected(); },
        [&] { return operations->TransmitSelected(); },
        [&] { return operations->ReceiveAllPrograms(); },
        [&] { return operations->WriteAllPrograms(); },
        [&] { return operations->RestoreProgram(); },
        [&] { return operations->Copy(); },
        [&] { return operations->Paste(); },
        [&] { return operations->Initialize(false); },
        [&] { return operations->Rename(); },
        [&] { return operations->LoadProgramFile(); },
        [&] { return operations->SaveProgramFile(); },
    };
    for (size_t i = 0; i < std::size(runs); ++i)
        EXPECT_FALSE(runs[i]()) << i;
    for (int32_t item = 0; item < 9; ++item)
        EXPECT_FALSE(operations->RunPopupItem(item)) << item;
    operations->ShowPopupMenu(9, 5, 5);
    EXPECT_EQ(model->GetSelection(), std::vector<uint32_t>{3});
    {
        std::lock_guard<std::mutex> guard(lock);
        release = true;
    }
    changed.notify_all();
    holder.join();
    EXPECT_EQ(AllBlocks(), before);
    EXPECT_TRUE(Boxes().empty());
    EXPECT_TRUE(paths.titles.empty());
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(host->modified + host->closedAll, 0);
    EXPECT_TRUE(host->closed.empty());
}

TEST_F(ProgramListClipboard, CopyThenPasteThroughTheClipboard)
{
    MakeDistinct(8, "COPYME");
    Select({8, 9});
    ASSERT_TRUE(operations->Copy());
    EXPECT_EQ(model->GetSelection(), std::vector<uint32_t>{8});
    EXPECT_EQ(ProgramFormatSize(), 640u);

    CProgram target;
    ParameterChangeTarget().Set(kDocumentId, 20, &library, &target);
    Select({20, 30});
    const Image thirty = ImageOf(Program(30));
    ASSERT_TRUE(operations->Paste());
    EXPECT_EQ(ImageOf(Program(20)), ImageOf(Program(8)));
    EXPECT_STREQ(Program(20).GetProgramName(), "COPYME");
    EXPECT_EQ(ImageOf(Program(30)), thirty);
    EXPECT_EQ(model->GetSelection(), std::vector<uint32_t>{20});
    EXPECT_EQ(host->closed, std::vector<uint32_t>{20});
    EXPECT_EQ(host->modified, 1);
    EXPECT_FALSE(ParameterChangeTarget().IsValid());
}

TEST_F(ProgramListClipboard, CutInitialisesOnlyOnceTheProgramIsOnTheClipboard)
{
    MakeDistinct(8, "CUTME");
    const Image cut = ImageOf(Program(8));
    Select({8});
    ASSERT_TRUE(operations->RunPopupItem(CProgramListOperations::kPopupCut));
    CProgram fresh;
    fresh.Init();
    EXPECT_EQ(ImageOf(Program(8)), ImageOf(fresh));
    Select({21});
    ASSERT_TRUE(operations->RunPopupItem(CProgramListOperations::kPopupPaste));
    EXPECT_EQ(ImageOf(Program(21)), cut);

    // The clipboard held by another window: the copy fails and the program stays.
    MakeDistinct(8, "KEEPME");
    const Image kept = ImageOf(Program(8));
    Select({8});
    HWND other =
        CreateWindowExA(0, "STATIC", "other", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(OpenClipboard(other));
    EXPECT_FALSE(operations->RunPopupItem(CProgramListOperations::kPopupCut));
    CloseClipboard();
    DestroyWindow(other);
    EXPECT_EQ(ImageOf(Program(8)), kept);
}
