#pragma once

#include <cstdint>

class CHfcMidi;
class CHfcMidiMessage;

// Receives what a MIDI port object reads and sends, on the port's own thread. Every operation
// answers whether it handled the call; the defaults do nothing.
class CHfcMidiListener
{
public:
    virtual ~CHfcMidiListener() = default;
    virtual bool OnShortBytes(CHfcMidi*, uint32_t /*length*/, const uint8_t* /*bytes*/) { return false; }
    virtual bool OnShortMessage(CHfcMidi*, CHfcMidiMessage*) { return false; }
    virtual bool OnSysExBytes(CHfcMidi*, uint32_t /*length*/, const uint8_t* /*bytes*/) { return false; }
    virtual bool OnSysExMessage(CHfcMidi*, CHfcMidiMessage*) { return false; }
    // Part of a system-exclusive message arrived: `count` bytes of the current buffer from `bytes`.
    virtual bool OnSysExProgress(CHfcMidi*, uint32_t /*count*/, const uint8_t* /*bytes*/) { return false; }
    virtual bool OnLongMessageSent(CHfcMidi*, uint32_t /*bufferLength*/) { return false; }
    // Never called by the port object.
    virtual bool OnSpareBytesA(CHfcMidi*, uint32_t /*length*/, const uint8_t* /*bytes*/) { return false; }
    // Every short message that arrives on its own (not from inside an input buffer).
    virtual bool OnInputBytes(CHfcMidi*, uint32_t /*length*/, const uint8_t* /*bytes*/) { return false; }
    // Never called by the port object.
    virtual bool OnSpareBytesB(CHfcMidi*, uint32_t /*length*/, const uint8_t* /*bytes*/) { return false; }
};
