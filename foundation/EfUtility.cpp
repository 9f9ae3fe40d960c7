#include "foundation/EfUtility.h"

#include <cstdio>
#include <cstring>

void DebugTrace(const char* /*format*/, ...)
{
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
    // Floor division, so that negative notes still name a letter.
    int32_t octave = note >= 0 ? note / 12 : -((11 - note) / 12);
    int32_t letter = note - octave * 12;
    std::snprintf(buffer, size, "%s%d", kNames[letter], octave - 1);
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
    dest[len] = '\0';
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
