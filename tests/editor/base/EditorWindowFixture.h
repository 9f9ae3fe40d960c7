#pragma once

// Editor windows inside a real MDI frame on the test display, with the application's services
// as the program has them: the dispatch engine, the window manager, the 60 ms timer, the log,
// the semaphores and the MIDI manager on the simulated driver with the simulated instrument.

#include "app/AppCoreUtility.h"
#include "app/CLogManager.h"
#include "app/CMidiManager.h"
#include "app/CMMTimer.h"
#include "app/CParameterChangeTarget.h"
#include "app/CResourceManager.h"
#include "app/CSettings.h"
#include "app/CTDWResource.h"
#include "app/CWindowManager.h"
#include "editor/base/CEditorServices.h"
#include "framework/CHfcDeferredDelete.h"
#include "framework/CHfcMdiFrameWindow.h"
#include "framework/CHfcMidi.h"
#include "framework/CPslMessageDispatchEngine.h"

#include "support/CSimInstrument.h"
#include "support/MessagePump.h"
#include "support/MidiText.h"
#include "support/SimMidi.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

class EditorWindowTest : public ::testing::Test
{
protected:
    static constexpr UINT kPort = 0;
    static constexpr uint32_t kChannel = 2;

    void SetUp() override
    {
        ASSERT_TRUE(SimMidiReset());
        SimMidiSetDeviceCount(1, 1);
        CSimInstrument::InstallPorts(kPort, kPort, L"Nuvorn USB In", L"Nuvorn USB Out");
        GetSettings() = CSettings();
        ParameterChangeTarget().Clear();
        CTDWSingleton::Acquire();
        InitializeDataSingletons();
        CreateAppSemaphores();
        skin = CResourceManager::getInstance();
        ASSERT_NE(skin, nullptr);
        SetLogManager(&log);
        ASSERT_TRUE(timer.Start());
        instrument = std::make_unique<CSimInstrument>(kPort, kPort, kChannel);
        ASSERT_TRUE(port.Create("Test"));
        midi = std::make_unique<CMidiManager>(&port);
        ASSERT_TRUE(midi->Create());
        midi->SetWindowManager(&windows);
        midi->SetTimer(&timer);
        midi->SetProgressSemaphore(GetAppSemaphore(kSemaphoreProgress));
        ASSERT_TRUE(midi->OpenMidiIn(kPort));
        ASSERT_TRUE(midi->OpenMidiOut(kPort));
        // The channel the instrument answers on.
        ASSERT_TRUE(midi->DeviceInquiry());
        CEditorServices& services = EditorServices();
        services = CEditorServices();
        services.windowManager = &windows;
        services.timer = &timer;
        services.midiManager = midi.get();
        services.logManager = &log;
        frame = std::make_unique<CHfcMdiFrameWindow>();
        ASSERT_TRUE(frame->Create("Editor windows", 20, 20, 800, 600, 0x8000011, nullptr));
        frame->Show();
        ClearSent();
    }
    void TearDown() override
    {
        PumpUntil([] { return true; }, 0);
        frame->Destroy();
        frame.reset();
        // What the windows' destroys handed on goes while the services it uses still exist.
        CHfcDeferredDelete::DeleteAll();
        EditorServices() = CEditorServices();
        ParameterChangeTarget().Clear();
        midi->CloseMidiPorts();
        midi.reset();
        port.Destroy();
        instrument.reset();
        timer.Stop();
        SetLogManager(nullptr);
        CResourceManager::releaseInstance();
        DeleteAppSemaphores();
        ReleaseDataSingletons();
        CTDWSingleton::Release();
    }

    // The ticks run while the thread pumps.
    void StartTicks() { timer.SetInterval(CMMTimer::kInterval); }
    void StopTicks() { timer.SetInterval(0); }
    // Delivers what is queued for the window manager.
    void Deliver()
    {
        PumpUntil([] { return false; }, 200);
    }

    std::vector<std::string> Sent()
    {
        EXPECT_TRUE(SimMidiWaitIdle(10000));
        std::vector<std::string> sent;
        for (UINT i = 0; i < SimMidiOutputCount(kPort); ++i)
        {
            BYTE bytes[512];
            const UINT n = SimMidiGetOutput(kPort, i, bytes, sizeof bytes);
            sent.push_back(HexBytes(bytes, std::min<UINT>(n, sizeof bytes)));
        }
        return sent;
    }
    void ClearSent()
    {
        EXPECT_TRUE(SimMidiWaitIdle(10000));
        SimMidiClearOutput(kPort);
    }
    // The frame's MDI client size.
    SIZE ClientSize()
    {
        RECT r = {};
        ::GetClientRect(frame->GetClientHwnd(), &r);
        return {r.right, r.bottom};
    }

    CResourceManager* skin = nullptr;
    CPslMessageDispatchEngine engine;
    CWindowManager windows{&engine};
    CLogManager log{&windows};
    CMMTimer timer{&engine};
    std::unique_ptr<CSimInstrument> instrument;
    CHfcMidi port;
    std::unique_ptr<CMidiManager> midi;
    std::unique_ptr<CHfcMdiFrameWindow> frame;
};
