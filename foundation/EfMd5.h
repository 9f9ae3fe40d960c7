#pragma once

#include <cstddef>
#include <cstdint>

// The MD5 digest (RFC 1321) of length bytes of data. initialState, when not null, holds the
// four chaining words A, B, C, D to start from in place of the standard ones.
void ComputeMd5(const void* data, size_t length, uint8_t digest[16], const uint32_t* initialState = nullptr);
