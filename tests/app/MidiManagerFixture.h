#pragma once

// The MIDI manager on a port pair of the simulated driver with the simulated instrument behind
// it, and the services it reports through: localised texts, the status log, scripted message
// boxes, the timer and the window manager.

#include "app/AppText.h"
#include "app/CLogManager.h"
#include "app/CMidiManager.h"
#include "app/CMMTimer.h"
#include "app/CParameterChangeTarget.h"
#include "app/CSettings.h"
#include "app/CTDWResource.h"
#include "app/CWindowManager.h"
#include "app/protocol/MidiProtocol.h"
#include "foundation/CZmException.h"
#include "framework/CHfcMidi.h"
#include "framework/CPslMessageDispatchEngine.h"

#include "support/CSimInstrument.h"
#include "support/MidiEventRecorder.h"
#include "support/MidiText.h"
#include "support/ScriptedDialogPresenter.h"
#include "support/SimMidi.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// The instrument's port pair is the second of two; its channel 3.
const UINT kPort = 1;
const uint32_t kChannel = 3;
const uint32_t kShortTimeoutMs = 300;

using Image = CSimInstrument::Image;

inline Image ImageOf(const CZmData& data)
{
    return Image(data.GetImage(), data.GetImage() + data.GetImageSize());
}

// Notifications as "code p1 p2 p3 p4".
class NotificationLog : public CWindowManagerListener
{
public:
    bool OnWindowManagerNotify(CWindowManager*, uint32_t code, intptr_t p1, intptr_t p2, intptr_t p3,
                               intptr_t p4, void*) override
    {
        lines.push_back(std::to_string(code) + " " + std::to_string(p1) + " " + std::to_string(p2) + " " +
                        std::to_string(p3) + " " + std::to_string(p4));
        return true;
    }
    std::vector<std::string> lines;
};

class MidiManager : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SimMidiReset()) << "a handle of an earlier test is still open";
        SimMidiSetDeviceCount(2, 2);
        CSimInstrument::InstallPorts(kPort, kPort, L"Nuvorn USB In", L"Nuvorn USB Out");
        GetSettings() = CSettings();
        ParameterChangeTarget().Clear();
        CTDWSingleton::Acquire();
        SetLogManager(&log);
        ASSERT_TRUE(timer.Start());
        timer.SetInterval(CMMTimer::kInterval);
        instrument = std::make_unique<CSimInstrument>(kPort, kPort, kChannel);
        ASSERT_TRUE(port.Create("Test"));
        manager = std::make_unique<CMidiManager>(&port);
        ASSERT_TRUE(manager->Create());
        manager->SetWindowManager(&windows);
        manager->SetTimer(&timer);
        manager->SetProgressSemaphore(&progressSemaphore);
        windows.AddListener(&notifications);
        port.AddListener(&recorder);
        ASSERT_TRUE(manager->OpenMidiIn(kPort));
        ASSERT_TRUE(manager->OpenMidiOut(kPort));
        ASSERT_TRUE(manager->IsOpen());
    }
    void TearDown() override
    {
        ParameterChangeTarget().Clear();
        windows.RemoveListener(&notifications);
        manager->CloseMidiPorts();
        manager.reset();
        port.Destroy();
        instrument.reset();
        EXPECT_EQ(SimMidiOpenHandles(), 0u);
        timer.Stop();
        SetLogManager(nullptr);
        CTDWSingleton::Release();
    }

    // The status log's lines, oldest first, without their time stamps.
    std::vector<std::string> LogLines()
    {
        std::vector<std::string> lines;
        char line[CLogManager::kLineBufferSize];
        for (int32_t n = CLogManager::kLineCount - 1; n >= 0; --n)
            if (log.GetLine(n, line))
                lines.push_back(std::string(line).substr(10));
        return lines;
    }
    // The boxes shown, as "title | text | type flags".
    std::vector<std::string> Boxes()
    {
        std::vector<std::string> boxes;
        for (const ScriptedDialogPresenter::Box& box : presenter.boxes)
            boxes.push_back(WideToAnsi(box.title.c_str()) + " | " + WideToAnsi(box.text.c_str()));
        return boxes;
    }
    void ClearReports()
    {
        presenter.boxes.clear();
        log.Clear();
    }

    // Every message the program has sent to the instrument, as text.
    std::vector<std::string> Sent()
    {
        EXPECT_TRUE(SimMidiWaitIdle(10000));
        std::vector<std::string> sent;
        for (UINT i = 0; i < SimMidiOutputCount(kPort); ++i)
        {
            BYTE bytes[512];
            UINT n = SimMidiGetOutput(kPort, i, bytes, sizeof bytes);
            sent.push_back(HexBytes(bytes, std::min<UINT>(n, sizeof bytes)));
        }
        return sent;
    }
    void ClearSent()
    {
        EXPECT_TRUE(SimMidiWaitIdle(10000));
        SimMidiClearOutput(kPort);
    }
    // Waits until the port has handed `count` system-exclusive messages to its listeners.
    void WaitReceivedByPort(size_t count) { ASSERT_TRUE(recorder.WaitFor(count, "sysex ")); }
    // The code of a failed call, -1 when it did not throw.
    int32_t ErrorOf(const std::function<void()>& call)
    {
        try
        {
            call();
        }
        catch (const CZmMidiException& e)
        {
            return e.GetCode();
        }
        return -1;
    }
    void Misbehave(const std::function<void(CSimBehaviour&)>& change)
    {
        CSimBehaviour b = instrument->GetBehaviour();
        change(b);
        instrument->SetBehaviour(b);
    }

    CPslMessageDispatchEngine engine;
    CWindowManager windows{&engine};
    CLogManager log{nullptr};
    CMMTimer timer{&engine};
    CEfSemaphore progressSemaphore{1, CHfcSemaphore::kMaximumCount, "ProgressSemaphore"};
    ScriptedDialogPresenter presenter;
    NotificationLog notifications;
    MidiEventRecorder recorder;
    std::unique_ptr<CSimInstrument> instrument;
    CHfcMidi port;
    std::unique_ptr<CMidiManager> manager;
};

// The localised text of a key, and its ANSI form as the status log holds it.
inline std::string Text(const std::string& key)
{
    return WideToAnsi(GetLocalizedString(key.c_str()).c_str());
}
