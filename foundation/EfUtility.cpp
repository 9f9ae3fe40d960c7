#include "foundation/EfUtility.h"

#include "foundation/CHfcStream.h"

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <ctime>

namespace
{
std::atomic<DebugTraceSink> g_traceSink{nullptr};
} // namespace

void DebugTrace(const char* format, ...)
{
    const DebugTraceSink sink = g_traceSink.load();
    if (!sink || !format)
        return;
    char line[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    sink(line);
}

DebugTraceSink SetDebugTraceSink(DebugTraceSink sink)
{
    return g_traceSink.exchange(sink);
}

uint32_t GetPackedSize(uint32_t n)
{
    return n % 7 == 0 ? n / 7 * 8 : n + n / 7 + 1;
}

void GetNoteName(int32_t note, char* buffer, size_t size)
{
    static const char* const kNames[12] = {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};
    if (buffer == nullptr || size == 0)
        return;
    // Floor division, so that negative notes still name a letter; 64-bit so that no note
    // overflows.
    const int64_t n = note;
    const int64_t octave = n >= 0 ? n / 12 : -((11 - n) / 12);
    const int64_t letter = n - octave * 12;
    std::snprintf(buffer, size, "%s%lld", kNames[letter], static_cast<long long>(octave - 1));
}

void CopyTrimmedText(char* dest, const char* src, size_t n)
{
    size_t len = 0;
    while (len < n && src[len] != '\0')
    {
        dest[len] = src[len];
        ++len;
    }
    while (len > 0 && dest[len - 1] == ' ')
        --len;
    // The whole field after the text is zero, so that copies of it compare equal.
    for (size_t i = len; i <= n; ++i)
        dest[i] = '\0';
}

void CopyPadded(char* dest, const char* src, size_t n)
{
    size_t i = 0;
    for (; i < n && src != nullptr && src[i] != '\0'; ++i)
        dest[i] = src[i];
    for (; i < n; ++i)
        dest[i] = ' ';
}

void UppercaseName8(char* name)
{
    for (int i = 0; i < 8 && name[i] != '\0'; ++i)
        if (name[i] >= 'a' && name[i] <= 'z')
            name[i] = static_cast<char>(name[i] - 'a' + 'A');
}

int CompareNoCase(const char* a, const char* b, size_t n)
{
    for (size_t i = 0; i < n; ++i)
    {
        int ca = static_cast<unsigned char>(a[i]);
        int cb = static_cast<unsigned char>(b[i]);
        if (ca >= 'A' && ca <= 'Z')
            ca += 'a' - 'A';
        if (cb >= 'A' && cb <= 'Z')
            cb += 'a' - 'A';
        if (ca != cb)
            return ca - cb;
        if (ca == 0)
            break;
    }
    return 0;
}

namespace
{

// The file-name part of path: after the last '\\' or '/'.
const char* FileNamePart(const char* path)
{
    const char* name = path;
    for (const char* p = path; *p != '\0'; ++p)
        if (*p == '\\' || *p == '/')
            name = p + 1;
    return name;
}

char g_statusText[1024];

} // namespace

const char* GetExtension(const char* path)
{
    if (path == nullptr)
        return "";
    const char* dot = std::strrchr(FileNamePart(path), '.');
    return dot != nullptr ? dot + 1 : "";
}

void GetFileName(const char* path, char* buffer, size_t size)
{
    if (buffer == nullptr || size == 0)
        return;
    std::snprintf(buffer, size, "%s", path != nullptr ? FileNamePart(path) : "");
}

bool WriteFormatted(CHfcOutputStream& stream, const char* format, ...)
{
    char text[1024];
    va_list args;
    va_start(args, format);
    const int n = std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    if (n < 0)
        return false;
    const size_t length = static_cast<size_t>(n) < sizeof text ? static_cast<size_t>(n) : sizeof text - 1;
    return stream.Write(text, length);
}

void GetLocalDate(int32_t& year, int32_t& month, int32_t& day)
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    year = local.tm_year + 1900;
    month = local.tm_mon + 1;
    day = local.tm_mday;
}

void SetStatusText(const char* text)
{
    std::snprintf(g_statusText, sizeof g_statusText, "%s", text != nullptr ? text : "");
}

const char* GetStatusText()
{
    return g_statusText;
}
