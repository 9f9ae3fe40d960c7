#include "support/CSimControl.h"

#include "support/SimBehaviourText.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <system_error>

CSimControl::CSimControl(const std::wstring& folder) : m_folder(folder)
{
    std::error_code error;
    std::filesystem::remove_all(std::filesystem::path(folder), error);
    std::filesystem::create_directories(std::filesystem::path(folder), error);
}

std::wstring CSimControl::GetEnvironment() const
{
    return L"NV_SIM_FOLDER=" + m_folder;
}

bool CSimControl::SetBehaviour(const CSimBehaviour& behaviour)
{
    const std::wstring path = File(L"behaviour.txt"), partial = path + L".new";
    {
        std::ofstream out(std::filesystem::path(partial), std::ios::binary | std::ios::trunc);
        out << FormatSimBehaviour(behaviour);
        if (!out.flush())
            return false;
    }
    return MoveFileExW(partial.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

bool CSimControl::ClearBehaviour()
{
    return DeleteFileW(File(L"behaviour.txt").c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND;
}

std::vector<CSimControl::Message> CSimControl::Heard() const
{
    std::ifstream in(std::filesystem::path(File(L"heard.log")), std::ios::binary);
    std::vector<Message> heard;
    // A line being written has no line end yet: it is left for the next call.
    for (std::string line; std::getline(in, line) && !in.eof();)
    {
        std::istringstream bytes(line);
        Message message;
        for (unsigned byte = 0; bytes >> std::hex >> byte;)
            message.push_back(static_cast<uint8_t>(byte));
        if (!message.empty())
            heard.push_back(std::move(message));
    }
    return heard;
}

bool CSimControl::ClearHeard()
{
    HANDLE file = CreateFileW(File(L"heard.log").c_str(), GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_FILE_NOT_FOUND;
    CloseHandle(file);
    return true;
}

bool CSimControl::ReadMemory(std::vector<Message>& programs, Message& global, Message& editBuffer) const
{
    SimMemory memory;
    if (!ReadSimMemory(File(L"memory.bin"), memory))
        return false;
    programs = std::move(memory.programs);
    global = std::move(memory.global);
    editBuffer = std::move(memory.editBuffer);
    return true;
}
