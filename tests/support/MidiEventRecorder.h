#pragma once

// A MIDI listener that logs what a port object reports, as text ("short 90 3C 40",
// "sysex F0 41 F7", "progress 3", "input 90 3C 40", "sent 12"), and lets a test wait for it.

#include "framework/CHfcMidi.h"

#include "support/MidiText.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

class MidiEventRecorder : public CHfcMidiListener
{
public:
    bool OnShortMessage(CHfcMidi*, CHfcMidiMessage* message) override
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_lastShort = HexBytes(message->GetData(0), message->GetLength());
        return false;
    }
    // The message and the bytes of one short input must agree; a mismatch is logged.
    bool OnShortBytes(CHfcMidi*, uint32_t length, const uint8_t* bytes) override
    {
        std::string hex = HexBytes(bytes, length);
        Add(hex == TakeLastShort() ? "short " + hex : "short message and bytes differ: " + hex);
        return false;
    }
    bool OnInputBytes(CHfcMidi*, uint32_t length, const uint8_t* bytes) override
    {
        Add("input " + HexBytes(bytes, length));
        return false;
    }
    bool OnSysExMessage(CHfcMidi*, CHfcMidiMessage* message) override
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_lastSysEx = HexBytes(message->GetData(0), message->GetLength());
        return false;
    }
    bool OnSysExBytes(CHfcMidi*, uint32_t length, const uint8_t* bytes) override
    {
        std::string hex = HexBytes(bytes, length);
        std::string message;
        {
            std::lock_guard<std::mutex> guard(m_lock);
            message.swap(m_lastSysEx);
        }
        Add(hex == message ? "sysex " + hex : "sysex message and bytes differ: " + hex);
        return false;
    }
    bool OnSysExProgress(CHfcMidi*, uint32_t count, const uint8_t*) override
    {
        Add("progress " + std::to_string(count));
        return false;
    }
    bool OnLongMessageSent(CHfcMidi*, uint32_t length) override
    {
        Add("sent " + std::to_string(length));
        return false;
    }

    std::vector<std::string> Events()
    {
        std::lock_guard<std::mutex> guard(m_lock);
        return m_events;
    }
    // Only the events that begin with `prefix`.
    std::vector<std::string> Events(const std::string& prefix)
    {
        std::vector<std::string> picked;
        for (const std::string& e : Events())
            if (e.rfind(prefix, 0) == 0)
                picked.push_back(e);
        return picked;
    }
    // Waits until `count` events beginning with `prefix` ("" for any) have arrived.
    bool WaitFor(size_t count, const std::string& prefix = "", int timeoutMs = 10000)
    {
        std::unique_lock<std::mutex> lock(m_lock);
        return m_changed.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                  [&]
                                  {
                                      size_t n = 0;
                                      for (const std::string& e : m_events)
                                          if (e.rfind(prefix, 0) == 0)
                                              ++n;
                                      return n >= count;
                                  });
    }
    void Clear()
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_events.clear();
    }

private:
    void Add(std::string event)
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_events.push_back(std::move(event));
        m_changed.notify_all();
    }
    std::string TakeLastShort()
    {
        std::lock_guard<std::mutex> guard(m_lock);
        std::string s;
        s.swap(m_lastShort);
        return s;
    }

    std::mutex m_lock;
    std::condition_variable m_changed;
    std::vector<std::string> m_events;
    std::string m_lastShort;
    std::string m_lastSysEx;
};
