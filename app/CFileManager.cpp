#include "app/CFileManager.h"

#include "app/AppMessageBox.h"
#include "app/AppText.h"
#include "app/CCustomFile.h"
#include "app/CDialogFlag.h"
#include "app/CDialogPresenter.h"
#include "app/CLogManager.h"
#include "app/CTDWResource.h"

#include "synthdata/CGlobal.h"
#include "synthdata/CLibraryData.h"
#include "synthdata/CProgram.h"
#include "synthdata/ZmDataFile.h"
#include "synthdata/ZmJ5Library.h"
#include "synthdata/ZmProgramListText.h"

#include "foundation/CHfcMemoryOutputStream.h"
#include "foundation/CZmException.h"
#include "foundation/EfUtility.h"

#include <cstring>
#include <new>
#include <string>
#include <vector>

namespace
{
const char* const kTypeNames[kFileDialogTypeCount] = {
    "OpenAllData", "SaveAllData", "LoadProgram", "SaveProgram",
    "LoadGlobal",  "SaveGlobal",  "SaveReport",  "ImportJ5Library",
};

// The tag a file of an open type begins with; null for the save types.
const char* RequiredTag(uint32_t type)
{
    switch (type)
    {
    case kFileOpenAllData:
        return "3580AllD";
    case kFileLoadProgram:
        return "3580PrgD";
    case kFileLoadGlobal:
        return "3580GlbD";
    case kFileImportJ5Library:
        return "740L";
    default:
        return nullptr;
    }
}

bool IsOpenType(uint32_t type)
{
    return RequiredTag(type) != nullptr;
}

std::wstring Text(const char* prefix, const char* name = "", const char* suffix = "")
{
    return GetLocalizedString((std::string(prefix) + name + suffix).c_str());
}

std::string Ansi(const std::wstring& text)
{
    return WideToAnsi(text.c_str());
}

// The report as the text-mode runtime writes it on Windows: each "\n" as "\r\n".
void WriteReport(CHfcOutputStream& out, const CLibraryData& library)
{
    CHfcMemoryOutputStream text(0, 1 << 14);
    WriteProgramListText(text, library);
    const uint8_t* bytes = text.GetData();
    std::vector<uint8_t> lines;
    lines.reserve(text.GetLength() + text.GetLength() / 16);
    for (size_t i = 0; i < text.GetLength(); ++i)
    {
        if (bytes[i] == '\n')
            lines.push_back('\r');
        lines.push_back(bytes[i]);
    }
    if (!out.Write(lines.data(), lines.size()))
        throw CZmFileException(kZmFileErrorWriteData);
}

// The type's reader or writer on the request's target; throws what the data layer throws.
void ReadOrWrite(const CFileRequest& request, const std::filesystem::path& path)
{
    switch (request.type)
    {
    case kFileOpenAllData:
        request.library->LoadAllDataFile(path);
        break;
    case kFileSaveAllData:
        request.library->SaveAllDataFile(path);
        break;
    case kFileLoadProgram:
        LoadDataFromFile(*request.program, path);
        break;
    case kFileSaveProgram:
        SaveDataToFile(*request.program, path);
        break;
    case kFileLoadGlobal:
        LoadDataFromFile(*request.global, path);
        break;
    case kFileSaveGlobal:
        SaveDataToFile(*request.global, path);
        break;
    case kFileSaveReport:
        WriteFileReplacing(path, [&](CHfcOutputStream& out) { WriteReport(out, *request.library); });
        break;
    case kFileImportJ5Library:
        ReadJ5LibraryFile(path, *request.library);
        break;
    default:
        break;
    }
}

bool HasTarget(const CFileRequest& request)
{
    switch (request.type)
    {
    case kFileLoadProgram:
    case kFileSaveProgram:
        return request.program != nullptr;
    case kFileLoadGlobal:
    case kFileSaveGlobal:
        return request.global != nullptr;
    default:
        return request.library != nullptr;
    }
}
} // namespace

const char* GetFileDialogTypeName(uint32_t type)
{
    return type < kFileDialogTypeCount ? kTypeNames[type] : nullptr;
}

bool DetectFileType(const std::filesystem::path& path, uint32_t type)
{
    if (type >= kFileDialogTypeCount)
        return false;
    CCustomFile file;
    if (!file.Open(path, CCustomFile::kRead, true))
        return false;
    const char* tag = RequiredTag(type);
    if (tag == nullptr)
        return true;
    const size_t length = std::strlen(tag);
    char lead[8] = {};
    return file.Read(lead, length) == length && std::memcmp(lead, tag, length) == 0;
}

CFilePathProvider::~CFilePathProvider() = default;

bool CFilePathProvider::RunDialog(CHfcFileDialogUnicode& dialog)
{
    return dialog.GetOneFile();
}

CFileManager::CFileManager() : m_provider(&m_dialogs) {}

CFileManager::~CFileManager() = default;

void CFileManager::SetPathProvider(CFilePathProvider* provider)
{
    m_provider = provider != nullptr ? provider : &m_dialogs;
}

CFileRequest::State CFileManager::ShowOpenDialog(uint32_t type, CFileRequest& request)
{
    if (!IsOpenType(type))
    {
        DebugTrace("CFileManager::ShowOpenDialog() - %s", "Unknown dialog type...");
        request.state = CFileRequest::kFailed;
        return request.state;
    }
    std::unique_ptr<CHfcFileDialogUnicode> dialog(new (std::nothrow) CHfcOpenFileDialogUnicode());
    if (!dialog)
    {
        DebugTrace("CFileManager::ShowOpenDialog() - %s",
                   "Can not allocate memory for CHfcOpenFileDialogUnicode.");
        request.state = CFileRequest::kFailed;
        return request.state;
    }
    return Run(std::move(dialog), type, request);
}

CFileRequest::State CFileManager::ShowSaveDialog(uint32_t type, CFileRequest& request)
{
    if (type >= kFileDialogTypeCount || IsOpenType(type))
    {
        DebugTrace("CFileManager::ShowSaveDialog() - %s", "Unknown dialog type...");
        request.state = CFileRequest::kFailed;
        return request.state;
    }
    std::unique_ptr<CHfcFileDialogUnicode> dialog(new (std::nothrow) CHfcSaveFileDialogUnicode());
    if (!dialog)
    {
        DebugTrace("CFileManager::ShowSaveDialog() - %s",
                   "Can not allocate memory for CHfcSaveFileDialogUnicode.");
        request.state = CFileRequest::kFailed;
        return request.state;
    }
    return Run(std::move(dialog), type, request);
}

CFileRequest::State CFileManager::ShowSaveReportDialog(CFileRequest& request)
{
    return ShowSaveDialog(kFileSaveReport, request);
}

CFileRequest::State CFileManager::Run(std::unique_ptr<CHfcFileDialogUnicode> dialog, uint32_t type,
                                      CFileRequest& request)
{
    request.type = type;
    request.state = CFileRequest::kPending;
    request.path.clear();
    const char* name = kTypeNames[type];
    if (type == kFileSaveReport)
    {
        dialog->SetTitle(L"Save Report File");
        dialog->AddFilter(L"Report File (*.txt)", L"*.txt");
        dialog->AddFilter(L"All files (*.*)", L"*.*");
        dialog->SetDefaultExtension(L"txt");
    }
    else
    {
        const std::wstring extension = Text("Dialog", name, "FileExt");
        dialog->SetTitle(Text("Title", name));
        dialog->AddFilter(Text("Dialog", name, "FileType") + L" (*." + extension + L")", L"*." + extension);
        dialog->AddFilter(L"All Files (*.*)", L"*.*");
        dialog->SetDefaultExtension(extension);
    }
    dialog->Setup(GetDialogParentFrame(), this, reinterpret_cast<uintptr_t>(&request));
    bool shown = false;
    {
        CDialogFlag open;
        shown = m_provider->RunDialog(*dialog);
    }
    if (!shown)
    {
        DebugTrace("CFileManager::Run() - %s",
                   IsOpenType(type) ? "Failed to call CHfcOpenFileDialogUnicode::GetOneFile()."
                                    : "Failed to call CHfcSaveFileDialogUnicode::GetOneFile().");
        if (request.state == CFileRequest::kPending)
            request.state = CFileRequest::kFailed;
    }
    // A dialog that closed without a choice read and wrote nothing.
    if (request.state == CFileRequest::kPending)
        request.state = CFileRequest::kCancelled;
    return request.state;
}

void CFileManager::OnHfcFileDialogAction(CHfcFileDialogUnicode* dialog, uint32_t action, uintptr_t user)
{
    auto* request = reinterpret_cast<CFileRequest*>(user);
    if (request == nullptr || dialog == nullptr)
        return;
    if (action != kActionChosen)
    {
        request->state = CFileRequest::kCancelled;
        return;
    }
    ProcessFile(*request, dialog->GetFilePath());
}

void CFileManager::OnFileDialogClosed(CHfcFileDialogUnicode* dialog, uintptr_t)
{
    if (dialog != nullptr)
        dialog->DetachListener();
}

void CFileManager::ProcessFile(CFileRequest& request, const std::filesystem::path& path)
{
    request.path = path;
    request.state = CFileRequest::kFailed;
    const uint32_t type = request.type;
    if (type >= kFileDialogTypeCount || !HasTarget(request))
    {
        DebugTrace("CFileManager::OnHfcFileDialogAction() - %s", "Unknown dialog type...");
        return;
    }
    if (IsOpenType(type) && !DetectFileType(path, type))
    {
        CCustomFile file;
        const bool opens = file.Open(path, CCustomFile::kRead, true);
        ReportError(type, opens ? "FileErrorUnsupportedFile" : "FileErrorFileOpen");
        return;
    }
    // A file that cannot be written over fails as its open would, and keeps its bytes.
    if (!IsOpenType(type) && !CCustomFile::CanWriteOver(path))
    {
        ReportError(type, "FileErrorFileOpen");
        return;
    }
    try
    {
        ReadOrWrite(request, path);
        request.state = CFileRequest::kDone;
    }
    catch (const CZmFileException& error)
    {
        ReportError(type, error.GetMessageKey());
    }
    catch (const std::bad_alloc&)
    {
        ReportError(type, "FileErrorMalloc");
    }
}

void CFileManager::ReportError(uint32_t type, const char* key)
{
    ShowMessageBox(kBoxTypeWarning, Text("Title", kTypeNames[type]).c_str(), Text(key).c_str());
    LogResult(type, key);
}

void CFileManager::LogResult(uint32_t type, const char* key)
{
    if (type >= kFileDialogTypeCount || key == nullptr)
        return;
    WriteLog("%s : %s", Ansi(Text("TitleLog", kTypeNames[type])).c_str(), Ansi(Text(key, "Log")).c_str());
}

CFileRequest::State CFileManager::OpenAllData(CLibraryData& library)
{
    CFileRequest request;
    request.library = &library;
    return ShowOpenDialog(kFileOpenAllData, request);
}

CFileRequest::State CFileManager::SaveAllData(CLibraryData& library)
{
    CFileRequest request;
    request.library = &library;
    return ShowSaveDialog(kFileSaveAllData, request);
}

CFileRequest::State CFileManager::LoadProgram(CProgram& program)
{
    CFileRequest request;
    request.program = &program;
    return ShowOpenDialog(kFileLoadProgram, request);
}

CFileRequest::State CFileManager::SaveProgram(CProgram& program)
{
    CFileRequest request;
    request.program = &program;
    return ShowSaveDialog(kFileSaveProgram, request);
}

CFileRequest::State CFileManager::LoadGlobal(CGlobal& global)
{
    CFileRequest request;
    request.global = &global;
    return ShowOpenDialog(kFileLoadGlobal, request);
}

CFileRequest::State CFileManager::SaveGlobal(CGlobal& global)
{
    CFileRequest request;
    request.global = &global;
    return ShowSaveDialog(kFileSaveGlobal, request);
}

CFileRequest::State CFileManager::SaveReport(CLibraryData& library)
{
    CFileRequest request;
    request.library = &library;
    return ShowSaveReportDialog(request);
}

CFileRequest::State CFileManager::ImportJ5Library(CLibraryData& library)
{
    CFileRequest request;
    request.library = &library;
    return ShowOpenDialog(kFileImportJ5Library, request);
}
