#pragma once

#include "framework/midi/CHfcMidiMessage.h"
#include "framework/midi/CSysExBuffer.h"

#include <cstdint>

// What the parser of received input buffers reports, in the order the bytes arrived.
class CHfcMidiParserSink
{
public:
    virtual ~CHfcMidiParserSink() = default;
    // A whole short message, or a real-time byte met inside another message. The bytes lie in
    // the buffer being parsed, except for a message with real-time bytes between its bytes: that
    // one comes as a copy that lives only during the call.
    virtual void OnParsedShort(uint32_t length, const uint8_t* bytes) = 0;
    // A completed system-exclusive message; `consumed` bytes of the current buffer from
    // `runStart` (up to and including the F7) belonged to it.
    virtual void OnParsedSysEx(uint32_t consumed, const uint8_t* runStart, CHfcMidiMessage& message) = 0;
    // The buffer ended inside a system-exclusive message; `count` of its bytes from `runStart`
    // were gathered.
    virtual void OnParsedProgress(uint32_t count, const uint8_t* runStart) = 0;
    // A system-exclusive message began or ended (completed or dropped).
    virtual void OnReceivingChanged(bool receiving) = 0;
};

// Splits received input buffers into short messages and system-exclusive messages, assembling
// a system-exclusive message across buffers.
//  - F0 always opens a new message; a message still open is dropped, also when the F0 starts
//    the next buffer.
//  - Real-time bytes (F8-FF) may sit between any two bytes of any message: each is reported as
//    a short message when met, and the message around it goes on.
//  - Any other status byte inside a message drops the message and is parsed as itself.
//  - A short message needs all its bytes in one buffer: cut at the buffer's end or by another
//    status byte, it is dropped. Data bytes without a status, and a stray F7, are skipped.
class CHfcMidiInputParser
{
public:
    explicit CHfcMidiInputParser(CHfcMidiParserSink& sink) : m_sink(sink) {}

    void ParseLongBuffer(uint32_t count, const uint8_t* bytes);
    // Drops a message being assembled.
    void Clear();
    bool IsInMessage() const { return m_buffer.m_inMessage; }

private:
    // Gathers a system-exclusive message from bytes[0]; answers how many bytes it took.
    uint32_t AccumulateSysEx(uint32_t count, const uint8_t* bytes);
    // Gathers the short message whose status is bytes[pos]; answers the position after it.
    uint32_t ParseShort(uint32_t count, const uint8_t* bytes, uint32_t pos);
    void SetReceiving(bool receiving);

    CHfcMidiParserSink& m_sink;
    CSysExBuffer m_buffer;
    bool m_receiving = false; // last state reported to the sink
};
