#pragma once

#include <cstdint>

// Byte-level MIDI helpers shared by the port object and the system-exclusive protocol.

// Length of a message by its status byte (a data byte counts as 3, as does F0).
uint32_t GetMessageLength(uint8_t status);

// 7-bit packing: each group of up to 7 bytes becomes a byte holding their top bits (bit i for
// the group's byte i) followed by their low 7 bits. dst holds GetEncoded7BitSize(n) bytes.
void Encode7Bit(uint8_t* dst, const uint8_t* src, uint32_t n);
// Unpacks n bytes; src holds GetEncoded7BitSize(n) bytes.
void Decode7Bit(uint8_t* dst, const uint8_t* src, uint32_t n);
uint32_t GetEncoded7BitSize(uint32_t n);
