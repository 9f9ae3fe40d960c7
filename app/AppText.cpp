#include "app/AppText.h"

#include <cstring>
#include <vector>

#include <windows.h>

std::wstring AnsiToWide(const char* text, size_t length)
{
    if (text == nullptr)
        return std::wstring();
    size_t n = 0;
    while (n < length && text[n] != '\0')
        ++n;
    if (n == 0 || n > INT32_MAX)
        return std::wstring();
    const int count = MultiByteToWideChar(CP_ACP, 0, text, static_cast<int>(n), nullptr, 0);
    if (count <= 0)
        return std::wstring();
    std::wstring wide(static_cast<size_t>(count), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, static_cast<int>(n), &wide[0], count);
    return wide;
}

std::string WideToAnsi(const wchar_t* text)
{
    if (text == nullptr || text[0] == L'\0')
        return std::string();
    const int bytes = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (bytes <= 1)
        return std::string();
    std::vector<char> ansi(static_cast<size_t>(bytes));
    WideCharToMultiByte(CP_ACP, 0, text, -1, ansi.data(), bytes, nullptr, nullptr);
    return std::string(ansi.data());
}
