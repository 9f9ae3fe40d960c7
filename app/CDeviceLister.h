#pragma once

#include "foundation/win32/CEfSemaphore.h"
#include "foundation/win32/CHfcGuard.h"
#include "framework/midi/CHfcMidiListener.h"

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

class CHfcMidi;

// One instrument that answered a device search.
struct CDeviceListEntry
{
    uint32_t family = 0;
    uint32_t member = 0;
    uint32_t versionB = 0; // bytes 12-13 of the reply
    uint32_t versionA = 0; // bytes 10-11
    uint8_t channel = 0;
    uint8_t flag = 0;
    uint32_t inputPort = 0;  // the input on which the reply arrived
    uint32_t outputPort = 0; // the output the request went out of
    char inputName[256] = {};
    char outputName[256] = {};
};

// The instruments found, in the order their replies arrived.
class CDeviceList
{
public:
    uint32_t GetCount() const { return static_cast<uint32_t>(m_entries.size()); }
    // A copy of entry i; false when i is not below the count.
    bool GetEntry(uint32_t i, CDeviceListEntry& entry) const;
    void Add(const CDeviceListEntry& entry) { m_entries.push_back(entry); }

private:
    std::vector<CDeviceListEntry> m_entries;
};

// Finds the instruments among all MIDI ports: opens every input and every output at once, sends
// a search request out of each output and collects the replies that come back on any input.
class CDeviceLister : public CHfcMidiListener
{
public:
    enum : uint32_t
    {
        kWaitMs = 300, // the scan ends earlier once every output is answered
    };

    CDeviceLister();
    ~CDeviceLister() override;
    CDeviceLister(const CDeviceLister&) = delete;
    CDeviceLister& operator=(const CDeviceLister&) = delete;

    // Runs the scan with its progress dialog; replies are appended to the list. False when it
    // could not run.
    bool ScanDevices(CDeviceList& list);
    // Whether the last scan ended before its wait ran out: every output that the request went out
    // of had answered.
    bool AllOutputsAnswered() const { return m_allAnswered; }

    // The scan's input ports, each on its own thread.
    bool OnSysExMessage(CHfcMidi* midi, CHfcMidiMessage* message) override;

private:
    // Releases the semaphore once no request is left to send and every output asked has
    // answered; under m_lock.
    void ReleaseWhenAllAnswered();

    std::unique_ptr<CEfSemaphore> m_semaphore; // released when every output asked is answered
    bool m_allAnswered = false;                // window thread

    // The scan's state, written by the port threads while the window thread waits.
    CHfcGuard m_lock;
    CDeviceList* m_list = nullptr;                    // guarded by m_lock, as are the fields below
    std::map<const CHfcMidi*, uint32_t> m_inputIndex; // the input port of each port object
    // Per output: the request went out of it, and it has answered. An output that did not open
    // or whose request failed is not waited for.
    std::vector<bool> m_asked;
    std::vector<bool> m_answered;
    uint32_t m_outputsAsked = 0;
    uint32_t m_outputCount = 0;
    uint32_t m_unanswered = 0; // outputs asked and not answered yet
    uint32_t m_replies = 0;
    bool m_asking = false; // requests are still going out
    bool m_released = false;
};
