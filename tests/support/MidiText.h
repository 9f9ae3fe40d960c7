#pragma once

// Byte runs as text, so that MIDI tests can compare event logs with tables.

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// "F0 41 F7" for the bytes.
inline std::string HexBytes(const uint8_t* bytes, size_t n)
{
    std::string text;
    char part[4];
    for (size_t i = 0; i < n; ++i)
    {
        snprintf(part, sizeof part, "%02X", bytes[i]);
        if (i > 0)
            text += ' ';
        text += part;
    }
    return text;
}

// The bytes of "F0 41 F7".
inline std::vector<uint8_t> BytesOf(const std::string& hex)
{
    std::vector<uint8_t> bytes;
    for (size_t i = 0; i < hex.size();)
    {
        while (i < hex.size() && hex[i] == ' ')
            ++i;
        if (i >= hex.size())
            break;
        bytes.push_back(static_cast<uint8_t>(std::stoul(hex.substr(i, 2), nullptr, 16)));
        i += 2;
    }
    return bytes;
}

// A system-exclusive message of n bytes, F0 ... F7, whose data bytes count up from `seed`.
inline std::vector<uint8_t> MakeSysEx(size_t n, uint8_t seed = 0)
{
    std::vector<uint8_t> bytes(n);
    for (size_t i = 0; i < n; ++i)
        bytes[i] = static_cast<uint8_t>((seed + i) & 0x7F);
    bytes.front() = 0xF0;
    bytes.back() = 0xF7;
    return bytes;
}
