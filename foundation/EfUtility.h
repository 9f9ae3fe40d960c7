#pragma once

#include <cstddef>
#include <cstdint>

class CHfcOutputStream;

// Debug trace: takes a printf-style format and prints nothing in this build, unless a sink is
// set, which then receives each formatted line (at most 1023 characters).
void DebugTrace(const char* format, ...);
using DebugTraceSink = void (*)(const char* line);
// Sets the sink (null: none) and returns the previous one. Any thread.
DebugTraceSink SetDebugTraceSink(DebugTraceSink sink);

inline int32_t MaxValue(int32_t a, int32_t b)
{
    return a > b ? a : b;
}
inline int32_t MinValue(int32_t a, int32_t b)
{
    return a < b ? a : b;
}
inline bool InRange(int32_t v, int32_t low, int32_t high)
{
    return low <= v && v <= high;
}
// The larger of v and low, then the smaller of that and high.
inline int32_t ClampValue(int32_t v, int32_t low, int32_t high)
{
    return MinValue(MaxValue(v, low), high);
}
inline double MaxValue(double a, double b)
{
    return a > b ? a : b;
}
inline double MinValue(double a, double b)
{
    return a < b ? a : b;
}
inline double ClampValue(double v, double low, double high)
{
    return MinValue(MaxValue(v, low), high);
}

inline uint16_t SwapBytes16(uint16_t v)
{
    return static_cast<uint16_t>((v >> 8) | (v << 8));
}
inline uint32_t SwapBytes32(uint32_t v)
{
    return (v >> 24) | ((v >> 8) & 0xFF00u) | ((v << 8) & 0xFF0000u) | (v << 24);
}

// Size of n bytes after 7-bit packing: 8 bytes for every 7, plus a partial group.
uint32_t GetPackedSize(uint32_t n);

// "%s%d" of the note's letter name and octave (60 -> "C4"); buffer of at least 8 bytes.
void GetNoteName(int32_t note, char* buffer, size_t size);

// Copies a fixed-width field of n bytes into n + 1 bytes (stopping at a NUL), then removes
// trailing blanks and NULs.
void CopyTrimmedText(char* dest, const char* src, size_t n);

// Copies up to n characters of src (stopping at its terminator) and fills the rest of the
// n bytes with blanks. dest is not terminated.
void CopyPadded(char* dest, const char* src, size_t n);

// Upper-cases a-z among the first 8 characters, stopping at a NUL.
void UppercaseName8(char* name);

// Compares n characters of a and b without regard to case (ASCII letters), like strncmp.
int CompareNoCase(const char* a, const char* b, size_t n);

// The text after the last '.' of the file-name part of path (after the last '\\' or '/'); ""
// when the name has no dot.
const char* GetExtension(const char* path);

// Copies the text after the last '\\' or '/' of path (or the whole path), cut to the buffer and
// terminated.
void GetFileName(const char* path, char* buffer, size_t size);

// Formats into a buffer of 1024 bytes (longer texts are cut to 1023) and writes the text, without
// terminator, to the stream; true when every byte was written.
bool WriteFormatted(CHfcOutputStream& stream, const char* format, ...)
#if defined(__GNUC__) || defined(__clang__)
    __attribute__((format(printf, 2, 3)))
#endif
    ;

// The local date: year (2024 ...), month 1-12, day 1-31.
void GetLocalDate(int32_t& year, int32_t& month, int32_t& day);

// The text of the last status line: a process-wide buffer of 1024 bytes (longer texts are cut).
void SetStatusText(const char* text);
const char* GetStatusText();
