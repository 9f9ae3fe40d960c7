#pragma once

#include <cstddef>
#include <string>

// Conversions between the ANSI code page, in which the MIDI ports name their devices and the
// data keeps its names, and the UTF-16 text of the windows and the registry.

// Converts at most length bytes, stopping at a NUL.
std::wstring AnsiToWide(const char* text, size_t length = std::string::npos);
// Characters without an ANSI form become the code page's default character.
std::string WideToAnsi(const wchar_t* text);
