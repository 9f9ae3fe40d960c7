#include "app/CDeviceLister.h"

#include "app/CProgressDialog.h"
#include "app/CTDWResource.h"
#include "app/protocol/MidiProtocol.h"
#include "foundation/win32/EfWin32Utility.h"
#include "framework/CHfcMidi.h"
#include "framework/CHfcScopedLock.h"

#include <mmsystem.h>

bool CDeviceList::GetEntry(uint32_t i, CDeviceListEntry& entry) const
{
    if (i >= m_entries.size())
        return false;
    entry = m_entries[i];
    return true;
}

CDeviceLister::CDeviceLister()
    : m_semaphore(std::make_unique<CEfSemaphore>(0, CHfcSemaphore::kMaximumCount, "DeviceLister::Semaphore"))
{
}

CDeviceLister::~CDeviceLister() = default;

bool CDeviceLister::ScanDevices(CDeviceList& list)
{
    CProgressDialog progress;
    progress.Open(nullptr, GetLocalizedString("TitleDeviceScan").c_str());
    progress.SetMaximum(1);

    const uint32_t inputCount = midiInGetNumDevs();
    const uint32_t outputCount = midiOutGetNumDevs();
    std::vector<std::unique_ptr<CHfcMidi>> inputs, outputs;
    {
        CHfcScopedLock lock(m_lock);
        m_list = &list;
        m_inputIndex.clear();
        m_outputCount = outputCount;
        m_asked.assign(outputCount, false);
        m_answered.assign(outputCount, false);
        m_outputsAsked = 0;
        m_unanswered = 0;
        m_replies = 0;
        m_asking = true;
        m_released = false;
    }
    m_allAnswered = false;
    // A release left over from an earlier scan (a reply just after its wait ended) is dropped.
    while (m_semaphore->WaitTimeout(0) == CHfcSemaphore::kSignalled)
    {
    }
    for (uint32_t i = 0; i < inputCount; ++i)
    {
        auto midi = std::make_unique<CHfcMidi>();
        if (!midi->Create("DeviceListerIn"))
            continue;
        {
            CHfcScopedLock lock(m_lock);
            m_inputIndex[midi.get()] = i;
        }
        midi->AddListener(this);
        midi->MidiInOpen(static_cast<int32_t>(i));
        inputs.push_back(std::move(midi));
    }
    for (uint32_t i = 0; i < outputCount; ++i)
    {
        auto midi = std::make_unique<CHfcMidi>();
        if (midi->Create("DeviceListerOut"))
            midi->MidiOutOpen(static_cast<int32_t>(i));
        outputs.push_back(std::move(midi));
    }

    progress.SetPosition(0);
    PumpMessages();
    for (uint32_t b = 0; b < outputs.size(); ++b)
    {
        std::vector<uint8_t> request = BuildSearchRequest(b);
        {
            // Counted before it goes, as its answer may come before Out returns.
            CHfcScopedLock lock(m_lock);
            m_asked[b] = true;
            ++m_outputsAsked;
            if (!m_answered[b])
                ++m_unanswered;
        }
        if (!outputs[b]->IsMidiOutOpen() ||
            !outputs[b]->Out(static_cast<uint32_t>(request.size()), request.data()))
        {
            CHfcScopedLock lock(m_lock);
            m_asked[b] = false;
            --m_outputsAsked;
            if (!m_answered[b])
                --m_unanswered;
        }
    }
    {
        CHfcScopedLock lock(m_lock);
        m_asking = false;
        ReleaseWhenAllAnswered();
    }
    m_allAnswered = m_semaphore->WaitTimeout(kWaitMs) == CHfcSemaphore::kSignalled;

    progress.SetPosition(1);
    {
        // Replies still on their way find no list.
        CHfcScopedLock lock(m_lock);
        m_list = nullptr;
    }
    for (std::unique_ptr<CHfcMidi>& midi : inputs)
    {
        midi->MidiInClose();
        midi->RemoveListener(this);
    }
    inputs.clear();
    for (std::unique_ptr<CHfcMidi>& midi : outputs)
        midi->MidiOutClose();
    outputs.clear();
    {
        CHfcScopedLock lock(m_lock);
        m_inputIndex.clear();
    }
    progress.Close();
    return true;
}

bool CDeviceLister::OnSysExMessage(CHfcMidi* midi, CHfcMidiMessage* message)
{
    CSearchReply reply;
    if (message == nullptr || !DecodeSearchReply(message->GetData(0), message->GetLength(), reply))
        return false;
    CHfcScopedLock lock(m_lock);
    auto input = m_inputIndex.find(midi);
    // The number names the output asked: 1 for the first.
    if (m_list == nullptr || input == m_inputIndex.end() || reply.number == 0 || reply.number > m_outputCount)
        return false;
    CDeviceListEntry entry;
    entry.family = reply.family;
    entry.member = reply.member;
    entry.versionB = reply.versionB;
    entry.versionA = reply.versionA;
    entry.channel = reply.channel;
    entry.flag = reply.flag;
    entry.inputPort = input->second;
    entry.outputPort = reply.number - 1;
    CHfcMidi::GetMidiInDeviceName(static_cast<int32_t>(entry.inputPort), entry.inputName,
                                  sizeof entry.inputName);
    CHfcMidi::GetMidiOutDeviceName(static_cast<int32_t>(entry.outputPort), entry.outputName,
                                   sizeof entry.outputName);
    m_list->Add(entry);
    ++m_replies;
    if (m_asked[entry.outputPort] && !m_answered[entry.outputPort])
        --m_unanswered;
    m_answered[entry.outputPort] = true;
    ReleaseWhenAllAnswered();
    return true;
}

void CDeviceLister::ReleaseWhenAllAnswered()
{
    if (m_asking || m_released || m_unanswered != 0)
        return;
    m_released = true;
    m_semaphore->Release();
}
