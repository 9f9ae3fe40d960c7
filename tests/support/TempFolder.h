#pragma once

#include <atomic>
#include <chrono>
#include <filesystem>
#include <string>
#include <system_error>

// A fresh folder under the system's temporary folder, removed with its contents at the end of
// the test.
class TempFolder
{
public:
    TempFolder()
    {
        static std::atomic<int> serial{0};
        const auto base = std::filesystem::temp_directory_path();
        for (int attempt = 0;; ++attempt)
        {
            m_path = base / ("nv-test-" + std::to_string(Tick()) + "-" + std::to_string(serial++));
            std::error_code error;
            if (std::filesystem::create_directory(m_path, error) || attempt > 100)
                break;
        }
    }
    ~TempFolder()
    {
        std::error_code error;
        std::filesystem::remove_all(m_path, error);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    // A path inside the folder, from a UTF-8 name.
    std::filesystem::path File(const std::string& utf8Name) const
    {
        return m_path / std::filesystem::u8path(utf8Name);
    }

private:
    static long long Tick()
    {
        return static_cast<long long>(std::chrono::steady_clock::now().time_since_epoch().count());
    }

    std::filesystem::path m_path;
};
